#include "camerapool/staticbaseinfo.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreeitem.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "featuretree/searchedit.h"
#include "parametercollection/memoryparametercollection.h"
#include "testsettings.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QtTest>

using namespace ParameterCollection;

namespace {

// Seven matches for "Match" at Beginner level and two more at Expert level.
const char* const nodeMap = R"(<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Category name="DeviceControl" displayName="Device Control">
      <Integer name="Width" value="640"/>
      <Integer name="MatchA" value="1"/><Integer name="MatchB" value="1"/><Integer name="MatchC" value="1"/>
      <Integer name="MatchD" value="1"/>
    </Category>
    <Category name="Analog">
      <Integer name="MatchE" value="1"/><Integer name="MatchF" value="1"/><Integer name="MatchG" value="1"/>
      <Integer name="MatchH" value="1" visibility="Expert"/><Integer name="MatchI" value="1" visibility="Expert"/>
      <Integer name="MatchJ" value="1" visibility="Invisible"/>
      <Integer name="Gain" value="3"/>
    </Category>
  </Category>
</NodeMap>)";

} // namespace

class TestFeatureTreeWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void formAndActions();
    void countsSearchResults();
    void clearingTheSearchRestoresExpansionAndCurrent();
    void visibilityChangesRecount();
    void pollingStaysInStep_data();
    void pollingStaysInStep();
    void unavailableFavouritesCheckBoxOnlyReports();
    void contextMenusByRow();
    void removingAFavouriteMovesTheCurrentRowDown();
    void doubleEscapeClearsTheSearch();
    void copiesTheVisibleTree();

private:
    QModelIndex index(const char* name, int column = 0);
    void type(const QString& text);

    std::unique_ptr<TestSettings> m_settings;
    QSharedPointer<MemoryParameterCollection> m_collection;
    FeatureTreeWidget* m_widget = nullptr;
    IFeatureTreeModelExtension* m_ext = nullptr;
};

void TestFeatureTreeWidget::initTestCase()
{
    m_settings = std::make_unique<TestSettings>();
}

void TestFeatureTreeWidget::init()
{
    m_collection = MemoryParameterCollection::fromXml(QByteArray(nodeMap));
    m_widget = new FeatureTreeWidget(QStringLiteral("Test"),
                                     QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(
                                         QStringLiteral("NoFilterForThisKind")));
    m_ext = dynamic_cast<IFeatureTreeModelExtension*>(m_widget->treeView()->model());
    QVERIFY(m_ext);
    FavoritesData& favorites = m_ext->GetFavorites();
    while (favorites.count() > 0)
        favorites.remove(0);
    favorites.setExpanded(true);
    m_widget->addParameterCollection(m_collection, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    m_widget->resize(600, 800);
    m_widget->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_widget));
}

void TestFeatureTreeWidget::cleanup()
{
    delete m_widget;
    m_widget = nullptr;
}

QModelIndex TestFeatureTreeWidget::index(const char* name, int column)
{
    return m_ext->findItemByFullName(QStringLiteral("@CameraDevice/") + QLatin1String(name), nullptr, column);
}

void TestFeatureTreeWidget::type(const QString& text)
{
    auto* search = m_widget->findChild<SearchEdit*>(QStringLiteral("filterEdit"));
    search->setText(text);
}

void TestFeatureTreeWidget::formAndActions()
{
    QCOMPARE(m_widget->objectName(), QStringLiteral("FeatureTreeWidgetClass"));
    for (const char* name : {"vboxLayout", "horizontalLayout_2", "filterEdit", "treeView", "hboxLayout",
                             "checkBoxViewAllFavorites", "checkBoxPolling", "resetButton"})
        QVERIFY2(m_widget->findChild<QObject*>(QLatin1String(name)), name);
    QCOMPARE(m_widget->findChild<QCheckBox*>(QStringLiteral("checkBoxPolling"))->text(), QStringLiteral("P&olling"));
    QCOMPARE(m_widget->sizeHint(), QSize(400, 500));
    QCOMPARE(m_widget->actions().size(), 4);
    auto* add = m_widget->findChild<QAction*>(QStringLiteral("actionAddToFavourites"));
    QVERIFY(add);
    QCOMPARE(add->shortcut(), QKeySequence(QStringLiteral("Ctrl+D")));
    QVERIFY(!add->icon().isNull());
    QVERIFY(!m_widget->getPolling());

    // The actions follow the current row.
    m_widget->treeView()->setCurrentIndex(index("Width"));
    QVERIFY(add->isEnabled());
    QVERIFY(!m_widget->findChild<QAction*>(QStringLiteral("actionRemoveFavourite"))->isEnabled());
    QCOMPARE(m_widget->GetCurrentNode(), m_collection->getParameter(QStringLiteral("Width")));
}

void TestFeatureTreeWidget::countsSearchResults()
{
    m_widget->setVisibility(GenApi::Beginner);
    QSignalSpy matches(m_widget, &FeatureTreeWidget::filterMatchesChanged);
    type(QStringLiteral("match"));
    QCOMPARE(matches.count(), 1);
    QCOMPARE(matches.first().at(0).toInt(), 9);
    QCOMPARE(matches.first().at(1).toInt(), 2);
    FeatureTreeItem* help = m_ext->getSearchHelpItem();
    QCOMPARE(help->getDisplayedName(),
             QStringLiteral("<HTML><B>9 search results (2 of them visible at higher user level)</B>"));
    QCOMPARE(help->getVisibility(), GenApi::Beginner);
    // The help row is shown at the top.
    QCOMPARE(m_widget->treeView()->model()->index(0, 0).data(FeatureTreeItem::FullNodeNameRole).toString(),
             QStringLiteral("Search"));

    type(QStringLiteral("matchA"));
    QCOMPARE(matches.last().at(0).toInt(), 1);
    QCOMPARE(help->getVisibility(), GenApi::Invisible);

    type(QString());
    QCOMPARE(matches.last().at(0).toInt(), 0);
    QCOMPARE(matches.last().at(1).toInt(), 0);
    QCOMPARE(help->getDisplayedName(), QString());
}

void TestFeatureTreeWidget::clearingTheSearchRestoresExpansionAndCurrent()
{
    FeatureTreeView* view = m_widget->treeView();
    view->collapseAll();
    view->expand(index("DeviceControl").parent());
    view->expand(index("DeviceControl"));
    view->setCurrentIndex(index("MatchB"));

    type(QStringLiteral("g"));
    QVERIFY(view->isExpanded(index("Analog"))); // opened for the search
    type(QString());
    QVERIFY(view->isExpanded(index("DeviceControl")));
    QVERIFY(!view->isExpanded(index("Analog"))); // opened during the search only
    QCOMPARE(view->currentIndex().data(FeatureTreeItem::GenicamNameRole).toString(), QStringLiteral("MatchB"));
}

void TestFeatureTreeWidget::visibilityChangesRecount()
{
    QSignalSpy matches(m_widget, &FeatureTreeWidget::filterMatchesChanged);
    QSignalSpy levels(m_widget, &FeatureTreeWidget::visibilityChanged);
    type(QStringLiteral("match"));
    QCOMPARE(matches.last().at(0).toInt(), 9); // all visible at Guru
    QCOMPARE(matches.last().at(1).toInt(), 0);
    QMetaObject::invokeMethod(m_widget, "onVisibilityChanged", Q_ARG(int, 0));
    QCOMPARE(levels.count(), 1);
    QCOMPARE(matches.last().at(0).toInt(), 9);
    QCOMPARE(matches.last().at(1).toInt(), 2);
    QCOMPARE(m_widget->visibility(), GenApi::Beginner);
    const int before = matches.count();
    QMetaObject::invokeMethod(m_widget, "onVisibilityChanged", Q_ARG(int, 4));
    QCOMPARE(matches.count(), before);
    QCOMPARE(levels.count(), 1);
    QCOMPARE(m_widget->visibility(), GenApi::Beginner);
}

void TestFeatureTreeWidget::pollingStaysInStep_data()
{
    QTest::addColumn<int>("source"); // 0 check box, 1 action, 2 setPolling
    QTest::newRow("check box") << 0;
    QTest::newRow("action") << 1;
    QTest::newRow("setPolling") << 2;
}

void TestFeatureTreeWidget::pollingStaysInStep()
{
    QFETCH(int, source);
    auto* box = m_widget->findChild<QCheckBox*>(QStringLiteral("checkBoxPolling"));
    auto* action = m_widget->findChild<QAction*>(QStringLiteral("actionTogglePolling"));
    QSignalSpy reported(m_widget, &FeatureTreeWidget::pollingStateChanged);
    for (bool on : {true, false}) {
        if (source == 0)
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
        else if (source == 1)
            action->trigger();
        else
            m_widget->setPolling(on);
        QCOMPARE(m_widget->getPolling(), on);
        QCOMPARE(box->isChecked(), on);
        QCOMPARE(action->isChecked(), on);
    }
    QCOMPARE(reported.count(), source == 2 ? 0 : 2);
}

void TestFeatureTreeWidget::unavailableFavouritesCheckBoxOnlyReports()
{
    auto* box = m_widget->findChild<QCheckBox*>(QStringLiteral("checkBoxViewAllFavorites"));
    QSignalSpy reported(m_widget, &FeatureTreeWidget::viewAllFavoritesStateChanged);
    const bool before = m_widget->getViewAllFavorites();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(reported.count(), 1);
    QCOMPARE(m_widget->getViewAllFavorites(), before);
    m_widget->setViewAllFavorites(!before);
    QCOMPARE(m_widget->getViewAllFavorites(), !before);
    m_widget->setViewAllFavorites(true);
}

void TestFeatureTreeWidget::contextMenusByRow()
{
    QSignalSpy menus(m_widget, &FeatureTreeWidget::contextMenuRequested);
    m_widget->treeView()->setCurrentIndex(QModelIndex());
    emit m_widget->customContextMenuRequested(QPoint(10, 10));
    QCOMPARE(menus.count(), 0);

    m_widget->treeView()->setCurrentIndex(index("Width"));
    emit m_widget->customContextMenuRequested(QPoint(10, 10));
    QCOMPARE(menus.count(), 1);
    auto menu = menus.last().at(1).value<QSharedPointer<QMenu>>();
    QCOMPARE(menu->actions().size(), 1);
    QCOMPARE(menu->actions().first()->objectName(), QStringLiteral("actionAddToFavourites"));
    menu->actions().first()->trigger();
    QCOMPARE(m_ext->GetFavorites().count(), 1);

    const QModelIndex favourite = m_widget->treeView()->model()->index(0, 0, m_ext->GetFavoritesRootIndex());
    m_widget->treeView()->setCurrentIndex(favourite);
    emit m_widget->customContextMenuRequested(QPoint(10, 10));
    menu = menus.last().at(1).value<QSharedPointer<QMenu>>();
    QStringList names;
    for (QAction* a : menu->actions())
        names << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
    QCOMPARE(names, QStringList({QStringLiteral("actionMoveFavouriteUp"), QStringLiteral("actionMoveFavouriteDown"),
                                 QStringLiteral("-"), QStringLiteral("actionRemoveFavourite")}));
}

void TestFeatureTreeWidget::removingAFavouriteMovesTheCurrentRowDown()
{
    for (const char* name : {"MatchA", "MatchB"})
        m_ext->AddFavorite(m_collection->getParameter(QString::fromLatin1(name)), 99);
    FeatureTreeView* view = m_widget->treeView();
    const QModelIndex favorites = m_ext->GetFavoritesRootIndex();
    view->expand(favorites);
    view->setCurrentIndex(view->model()->index(0, 0, favorites));
    m_widget->findChild<QAction*>(QStringLiteral("actionRemoveFavourite"))->trigger();
    QCOMPARE(m_ext->GetFavorites().count(), 1);
    QCOMPARE(m_ext->GetFavorites().entry(0)->name, QStringLiteral("MatchB"));
    QCOMPARE(view->currentIndex().data(FeatureTreeItem::GenicamNameRole).toString(), QStringLiteral("MatchB"));
}

void TestFeatureTreeWidget::doubleEscapeClearsTheSearch()
{
    auto* search = m_widget->findChild<SearchEdit*>(QStringLiteral("filterEdit"));
    type(QStringLiteral("gain"));
    QTest::keyClick(m_widget, Qt::Key_Escape);
    QCOMPARE(search->text(), QStringLiteral("gain"));
    QTest::keyClick(m_widget, Qt::Key_A);
    QTest::keyClick(m_widget, Qt::Key_Escape);
    QCOMPARE(search->text(), QStringLiteral("gain"));
    QTest::keyClick(m_widget, Qt::Key_Escape);
    QCOMPARE(search->text(), QString());
}

void TestFeatureTreeWidget::copiesTheVisibleTree()
{
    type(QStringLiteral("width"));
    m_widget->copyToClipboard();
    const QString text = QApplication::clipboard()->text();
    const QString category = QStringLiteral("  Device Control").leftJustified(40, QLatin1Char(' '));
    const QString width = QStringLiteral("    Width").leftJustified(40, QLatin1Char(' '));
    QVERIFY2(text.contains(category + QStringLiteral("\t\n") + width + QStringLiteral("\t640\n")), qPrintable(text));
    QVERIFY(!text.contains(QLatin1String("Gain"))); // rows the search hides are left out
}

QTEST_MAIN(TestFeatureTreeWidget)
#include "tst_featuretreewidget.moc"
