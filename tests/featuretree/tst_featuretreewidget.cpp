#include "camerapool/staticbaseinfo.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/searchedit.h"
#include "fetch.h"
#include "filesbesideapplication.h"
#include "parametercollection/iparameterproperties.h"
#include "treefixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QtTest>

namespace {

// Seven matches for "match" at Beginner level and two more at Expert level.
const char* const tree = "DeviceControl{displayName='Device Control'}[Width=640 MatchA MatchB MatchC MatchD]"
                         " Analog[MatchE MatchF MatchG MatchH#Expert MatchI#Expert MatchJ#Invisible Gain=3]";

/// A shown tree over `tree`, with the widget's parts by name.
struct Tree : WidgetFixture
{
    Tree()
        : collection(add(tree))
    { }
    template<typename T = QAction> T* part(const char* name) const { return widget()->findChild<T*>(name); }
    void search(const QString& text) const { part<SearchEdit>("filterEdit")->setText(text); }

    const QSharedPointer<ParameterCollection::MemoryParameterCollection> collection;
};

} // namespace

class TestFeatureTreeWidget : public QObject
{
    Q_OBJECT
private slots:
    void countsSearchResults_data()
    {
        QTest::addColumn<QString>("text"); // searched for after "match"
        QTest::addColumn<int>("level"); // handed to onVisibilityChanged after the search, or -1
        QTest::addColumn<QVariantList>("matches"); // all of them, those at a higher level only
        QTest::addColumn<QString>("help"); // the help row's text, shown at the top when there are the latter
        const QString help = "<HTML><B>%1 search results (%2 of them visible at higher user level)</B>";
        QTest::newRow("all visible") << "match" << -1 << QVariantList{9, 0} << help.arg(9).arg(0);
        QTest::newRow("two at a higher level") << "match" << 0 << QVariantList{9, 2} << help.arg(9).arg(2);
        QTest::newRow("no such level") << "match" << 4 << QVariantList{9, 0} << help.arg(9).arg(0);
        QTest::newRow("one match") << "matchA" << 0 << QVariantList{1, 0} << help.arg(1).arg(0);
        QTest::newRow("cleared") << "" << 0 << QVariantList{0, 0} << "";
    }
    void countsSearchResults()
    {
        Tree fx;
        const int level = fetch<int>("level");
        QSignalSpy matches(fx.widget(), &FeatureTreeWidget::filterMatchesChanged);
        QSignalSpy levels(fx.widget(), &FeatureTreeWidget::visibilityChanged);
        fx.search("match");
        fx.search(fetch<QString>("text"));
        if (level >= 0)
            QVERIFY(QMetaObject::invokeMethod(fx.widget(), "onVisibilityChanged", Q_ARG(int, level)));
        QCOMPARE(levels.count(), level >= 0 && level <= GenApi::Invisible ? 1 : 0);
        QTEST(matches.last(), "matches");
        FeatureTreeItem* help = fx.extension()->getSearchHelpItem();
        QTEST(help->getDisplayedName(), "help");
        const bool shown = matches.last().at(1).toInt() > 0;
        QCOMPARE(help->getVisibility(), shown ? GenApi::Beginner : GenApi::Invisible);
        QCOMPARE(fx.proxy()->index(0, 0).data(FeatureTreeItem::FullNodeNameRole).toString() == "Search", shown);
    }

    void searchRestoresExpansionAndCurrentRow()
    {
        Tree fx;
        FeatureTreeView* view = fx.view();
        view->collapseAll();
        view->expand(fx.index("DeviceControl").parent());
        view->expand(fx.index("DeviceControl"));
        view->setCurrentIndex(fx.index("MatchB"));
        fx.search("g");
        QVERIFY(view->isExpanded(fx.index("Analog"))); // opened for the search
        fx.search("");
        QVERIFY(view->isExpanded(fx.index("DeviceControl")));
        QVERIFY(!view->isExpanded(fx.index("Analog"))); // opened during the search only
        QCOMPARE(view->currentIndex(), fx.index("MatchB"));
    }

    void doubleEscapeClearsTheSearch()
    {
        Tree fx;
        fx.search("gain");
        QStringList texts;
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_A, Qt::Key_Escape, Qt::Key_Escape}) {
            QTest::keyClick(fx.widget(), key);
            texts << fx.part<SearchEdit>("filterEdit")->text();
        }
        QCOMPARE(texts, QStringList({"gain", "gain", "gain", ""}));
    }

    void copiesTheVisibleTree()
    {
        Tree fx;
        fx.search("width"); // rows the search hides are left out
        fx.widget()->copyToClipboard();
        QCOMPARE(QApplication::clipboard()->text(), QString("Camera                                  \t\n"
                                                            "  Device Control                        \t\n"
                                                            "    Width                               \t640\n"));
    }

    void pollingStaysInStep()
    {
        // Check box, action and host switch polling alike; the first two report the user's choice.
        Tree fx;
        auto* box = fx.part<QCheckBox>("checkBoxPolling");
        auto* action = fx.part("actionTogglePolling");
        QSignalSpy reported(fx.widget(), &FeatureTreeWidget::pollingStateChanged);
        const std::function<void(bool)> switches[] = {
            [&](bool) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); },
            [&](bool) { action->trigger(); }, [&](bool on) { fx.widget()->setPolling(on); }};
        for (const auto& switchTo : switches) {
            for (bool on : {true, false}) {
                switchTo(on);
                QCOMPARE(QList<bool>({fx.widget()->getPolling(), box->isChecked(), action->isChecked()}),
                         QList<bool>({on, on, on}));
            }
        }
        QCOMPARE(reported.count(), 4);
        // The favourites are shared by every tree: their check box only reports, the host decides.
        auto* all = fx.part<QCheckBox>("checkBoxViewAllFavorites");
        QSignalSpy favourites(fx.widget(), &FeatureTreeWidget::viewAllFavoritesStateChanged);
        QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(8, all->height() / 2));
        QCOMPARE(favourites.count(), 1);
        QVERIFY(fx.widget()->getViewAllFavorites());
        fx.widget()->setViewAllFavorites(false);
        QVERIFY(!fx.widget()->getViewAllFavorites());
    }

    void favouriteActionsFollowTheCurrentRow()
    {
        Tree fx;
        FeatureTreeView* view = fx.view();
        QSignalSpy menus(fx.widget(), &FeatureTreeWidget::contextMenuRequested);
        const auto menu = [&]() { // "-" for a separator, "name off" for a disabled action
            emit fx.widget()->customContextMenuRequested(QPoint(10, 10));
            const auto shown = menus.isEmpty() ? nullptr : menus.takeFirst().at(1).value<QSharedPointer<QMenu>>();
            QStringList names;
            for (QAction* a : shown ? shown->actions() : QList<QAction*>())
                names << (a->isSeparator() ? "-" : a->objectName() + (a->isEnabled() ? "" : " off"));
            return names.join(", ");
        };
        view->setCurrentIndex({});
        QCOMPARE(menu(), QString());
        view->setCurrentIndex(fx.index("DeviceControl"));
        QCOMPARE(menu(), QString("actionAddToFavourites off"));
        for (const char* name : {"MatchA", "MatchB"}) {
            view->setCurrentIndex(fx.index(name));
            QCOMPARE(fx.widget()->GetCurrentNode(), fx.collection->getParameter(name));
            QCOMPARE(menu(), QString("actionAddToFavourites"));
            fx.part("actionAddToFavourites")->trigger();
        }
        const auto favourites = [&fx] { return fx.extension()->GetFavoritesRootIndex(); }; // rebuilt on changes
        QCOMPARE(treeText(*fx.proxy(), favourites()), QString("MatchA MatchB"));
        view->expand(favourites());
        view->setCurrentIndex(fx.proxy()->index(0, 0, favourites()));
        QCOMPARE(menu(), QString("actionMoveFavouriteUp off, actionMoveFavouriteDown, -, actionRemoveFavourite"));
        // Removing a favourite moves the current row down to the next one.
        fx.part("actionRemoveFavourite")->trigger();
        QCOMPARE(treeText(*fx.proxy(), favourites()), QString("MatchB"));
        QCOMPARE(view->currentIndex().data(FeatureTreeItem::GenicamNameRole).toString(), QString("MatchB"));
    }

    void appliesTheFilterFileOfItsCameraKind()
    {
        FilesBesideApplication files; // found in the application's directory on every platform
        QVERIFY(files.write("TstFtw_CameraDevice_Filter.xml",
                            "<Filter><F><Name>Gain</Name><Visibility>Guru</Visibility><AccessMode>RO</AccessMode></F>"
                            "</Filter>"));
        resetTestState();
        FeatureTreeWidget widget("Test", QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create("TstFtw"));
        const auto collection = NodeMapText::collection(tree);
        widget.addParameterCollection(collection, "Camera", "@CameraDevice", true);
        const auto gain = collection->getParameter("Gain")->getProperties();
        QCOMPARE(gain->getProperty("Visibility") + "/" + gain->getProperty("AccessMode"), QString("Guru/RO"));
    }
};

QTEST_MAIN(TestFeatureTreeWidget)
#include "tst_featuretreewidget.moc"
