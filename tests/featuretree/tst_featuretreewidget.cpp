#include "featuretree/enumeditor.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/searchedit.h"
#include "fetch.h"
#include "parameterchecks.h"
#include "parametercollection/iparameterproperties.h"
#include "pixels.h"
#include "treefixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <QtTest>

using namespace ParameterCollection;

namespace {

// Seven matches for "match" at Beginner level and two more at Expert level.
const char* const tree = "DeviceControl{displayName='Device Control'}[Width=640 MatchA MatchB MatchC MatchD]"
                         " Analog[MatchE MatchF MatchG MatchH#Expert MatchI#Expert MatchJ#Invisible Gain=3]";
// Features of every type and representation, with levels and access modes that change.
const char* const controls
    = "Controls[Width=640{min=16 max=4000 inc=2} Hex=255{min=0 max=4095 representation=HexNumber}"
      " Ranged=5{min=1 max=100 representation=Linear availableIf=Enable} Enable:b=true"
      " Plain:f=5{min=1 max=100 inc=0.5} Exposure:f=5000{min=16 max=1048576 representation=Logarithmic aliasScale=1}"
      " NoAlias:f=5{min=1 max=100 representation=Logarithmic} ReverseX:b=true DeviceUserID:s=cam{maxLength=32}"
      " PixelFormat:e=Mono8(Mono8 Mono12) UserSetSave:c FutureMode=0!NA LegacyMode=0!NI Expertise:b=false#Expert]";

/// A shown tree over a node map text (or none), with the widget's parts by name.
struct Tree : WidgetFixture
{
    explicit Tree(const char* text = tree)
        : collection(text ? add(text) : nullptr)
    {
        QPalette colours = field()->palette(); // the search field's hint in a colour nothing else there has
        colours.setColor(QPalette::Disabled, QPalette::Text, Qt::magenta);
        field()->setPalette(colours);
    }
    template<typename T = QAction> T* part(const char* name) const { return widget()->findChild<T*>(name); }
    SearchEdit* field() const { return part<SearchEdit>("filterEdit"); }
    void search(const QString& text) const { field()->setText(text); }
    QSharedPointer<IParameter> parameter(const QString& name) const { return collection->getParameter(name); }
    QString value(const QString& name) const { return parameter(name)->getParameterData()->valueString; }
    /// The column widths of the tree after resizing the first ones to `resized`.
    QList<int> widths(const QList<int>& resized = {}) const
    {
        for (int i = 0; i < resized.size(); ++i)
            view()->header()->resizeSection(i, resized.at(i));
        return { view()->header()->sectionSize(0), view()->header()->sectionSize(1) };
    }
    /// The pixels of the search field in the colour of its hint; glyph cores keep the colour.
    QRegion hint() const
    {
        return pixels(field(), [](const QColor& c) { return c.red() > 200 && c.green() < 80 && c.blue() > 200; });
    }

    const QSharedPointer<MemoryParameterCollection> collection;
};

} // namespace

class TestFeatureTreeWidget : public QObject
{
    Q_OBJECT
private slots:
    void editsTravelToTheParameterAndBack()
    {
        Tree fx(controls);
        auto* editor = qobject_cast<EnumEditor*>(fx.editor("PixelFormat"));
        QVERIFY(editor);
        QSignalSpy reported(fx.parameter("PixelFormat").data(), &IParameter::parameterDataChangedDecoupled);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(fx.value("PixelFormat"), QString("Mono12"));
        QCOMPARE(reported.count(), 1); // written once: the refresh of the editor did not commit again
        fx.parameter("PixelFormat")->setValue("Mono8"); // a change made elsewhere reaches the editor
        QCOMPARE(editor->currentText(), QString("Mono8"));
        // A refused write changes nothing, and the editor should go back to the value kept.
        fx.collection->injectFault("PixelFormat", MemoryParameterCollection::Operation::SetValue,
                                   MemoryParameterCollection::FaultKind::GenICamException, 1);
        QTest::keyClick(editor, Qt::Key_Down);
        QCOMPARE(fx.value("PixelFormat"), QString("Mono8"));
        QCoreApplication::processEvents();
        QCOMPARE(editor->currentText(), QString("Mono8"));
        // Strings take the delegate's default path: committed from the event loop.
        fx.view()->edit(fx.index("DeviceUserID", 1));
        auto* line = qobject_cast<QLineEdit*>(fx.editor("DeviceUserID"));
        QVERIFY(line);
        line->setText("front-cam");
        QTest::keyClick(line, Qt::Key_Return);
        QTRY_COMPARE(fx.value("DeviceUserID"), QString("front-cam"));
    }

    void levelChangesHideTheCurrentRowAndShowCurrentValues()
    {
        Tree fx(controls);
        FeatureTreeView* view = fx.view();
        const QModelIndex expert = fx.index("Expertise");
        const QModelIndex top = fx.extension()->findItemByFullName("@CameraDevice*Root", nullptr, 0);
        view->setCurrentIndex(fx.index("Width")); // a row the level keeps: no news
        QSignalSpy current(view, &FeatureTreeView::onCurrentChanged);
        view->setVisibility(GenApi::Beginner);
        view->updateRows(top);
        QVERIFY(view->isRowHidden(expert.row(), expert.parent()));
        QCOMPARE(current.count(), 0);
        view->setVisibility(GenApi::Guru);
        view->updateRows(top);
        QVERIFY(!view->isRowHidden(expert.row(), expert.parent()));
        view->setCurrentIndex(expert); // the row the level hides: reported gone, once
        current.clear();
        view->setVisibility(GenApi::Beginner);
        view->updateRows(top);
        QCOMPARE(current.count(), 1);
        QCOMPARE(current.first().first().toModelIndex(), QModelIndex());
        fx.parameter("Expertise")->setValue("true"); // a report for the hidden row
        QCOMPARE(current.count(), 1);
        // The rows of a new level show their current values.
        fx.widget()->setVisibility(GenApi::Beginner);
        fx.widget()->EnableGenICamCallbacks(false); // the row misses the change
        fx.parameter("Width")->setValue("800");
        fx.widget()->EnableGenICamCallbacks(true);
        QCOMPARE(fx.index("Width", 1).data().toString(), QString("640"));
        fx.widget()->setVisibility(GenApi::Expert);
        QTRY_COMPARE(fx.index("Width", 1).data().toString(), QString("800"));
    }

    void editorsFollowAccess_data()
    {
        QTest::addColumn<QString>("feature");
        QTest::addColumn<QString>("steps"); // as apply() takes them, or "edit"
        QTest::addColumn<QString>("open"); // after each step: o the editor is open, - it is not
        const auto row = [](const char* name, const char* feature, const char* steps, const char* open) {
            QTest::newRow(name) << feature << steps << open;
        };
        row("available if", "Ranged", "Enable=false Enable=true", "-o");
        row("imposed access", "Ranged",
            "Ranged.AccessMode=NA Ranged.AccessMode=RO Ranged.AccessMode=RW Ranged.AccessMode=NA", "-oo-");
        row("level above the view's", "Ranged", "Ranged.Visibility=Guru Ranged.Visibility=Beginner", "-o");
        row("read-only ends an edit", "Width", "edit Width.AccessMode=RO Width.AccessMode=RW", "o--");
    }
    void editorsFollowAccess()
    {
        Tree fx(controls);
        fx.widget()->setVisibility(GenApi::Expert);
        const QString feature = fetch<QString>("feature"), open = fetch<QString>("open");
        const QStringList steps = fetch<QString>("steps").split(' ');
        for (int i = 0; i < steps.size(); ++i) {
            if (steps.at(i) == "edit")
                fx.view()->edit(fx.index(feature, 1));
            else
                apply(*fx.collection, steps.at(i));
            QTRY_VERIFY2((fx.editor(feature) != nullptr) == (open.at(i) == 'o'), qPrintable(steps.at(i)));
        }
    }

    void favouritesFollowTheFavouritesData()
    {
        Tree fx(controls);
        FeatureTreeView* view = fx.view();
        IFeatureTreeModelExtension* ext = fx.extension();
        QVERIFY(view->isFirstColumnSpanned(0, ext->GetFavoritesRootIndex())); // the lone hint spans both columns
        view->setCurrentIndex(fx.index("Width"));
        QVERIFY(ext->AddFavorite(fx.parameter("PixelFormat"), 0));
        QVERIFY(ext->AddFavorite(fx.parameter("Ranged"), 1));
        const QModelIndex favourites = ext->GetFavoritesRootIndex();
        QCOMPARE(treeText(*view->model(), favourites), QString("PixelFormat Ranged"));
        QVERIFY(!view->isFirstColumnSpanned(0, favourites));
        // Current row and selection survived the rebuild; the favourites' editors are open.
        QCOMPARE(view->currentIndex(), fx.index("Width"));
        QVERIFY(view->selectionModel()->isSelected(fx.index("Width")));
        QTRY_VERIFY(view->indexWidget(view->model()->index(1, 1, favourites)));
        ext->GetFavorites().setExpanded(false);
        QVERIFY(!view->isExpanded(favourites));
        ext->GetFavorites().setExpanded(true);
        QVERIFY(view->isExpanded(favourites));
    }

    void paintsSearchMarksAndTheEmptyHint()
    {
        Tree fx(controls);
        FeatureTreeView* view = fx.view();
        view->getHightlighter()->searchText = "Width";
        const QColor mark = view->getHightlighter()->highlightColor();
        const QRegion marked = pixels(view->viewport(), [mark](const QColor& c) { return c == mark; });
        QVERIFY(marked.intersects(view->visualRect(fx.index("Width"))));
        QVERIFY(!marked.intersects(view->visualRect(fx.index("PixelFormat"))));
        // With no row to show, a hint is drawn at the top centre.
        fx.proxy()->setFilterFixedString("no feature is called like this");
        QCOMPARE(fx.proxy()->rowCount(), 0);
        const QColor text = view->palette().color(QPalette::Active, QPalette::Text);
        // Pixels near the text's colour: Qt 6 hints glyphs less, so fewer of them hit it exactly.
        const auto near = [text](const QColor& c) { return qAbs(c.lightness() - text.lightness()) < 100; };
        const QRect hint = pixels(view->viewport(), near).boundingRect();
        QVERIFY(!hint.isEmpty() && hint.top() < 20 && qAbs(hint.center().x() - view->viewport()->width() / 2) < 10);
    }

    void countsSearchResults_data()
    {
        QTest::addColumn<QString>("text"); // searched for after "match"
        QTest::addColumn<int>("level"); // handed to onVisibilityChanged after the search, or -1
        QTest::addColumn<QVariantList>("matches"); // all of them, those at a higher level only
        QTest::addColumn<QString>("help"); // the help row's text, shown at the top when there are the latter
        const QString help = "<HTML><B>%1 search results (%2 of them visible at higher user level)</B>";
        QTest::newRow("all visible") << "match" << -1 << QVariantList { 9, 0 } << help.arg(9).arg(0);
        QTest::newRow("two at a higher level") << "match" << 0 << QVariantList { 9, 2 } << help.arg(9).arg(2);
        QTest::newRow("no such level") << "match" << 4 << QVariantList { 9, 0 } << help.arg(9).arg(0);
        QTest::newRow("cleared") << "" << 0 << QVariantList { 0, 0 } << "";
    }
    void countsSearchResults()
    {
        Tree fx;
        const int level = fetch<int>("level");
        QSignalSpy matches(fx.widget(), &FeatureTreeWidget::filterMatchesChanged);
        QSignalSpy levels(fx.widget(), &FeatureTreeWidget::visibilityChanged);
        QSignalSpy layouts(fx.proxy(), &QAbstractItemModel::layoutChanged);
        fx.search("match");
        fx.search(fetch<QString>("text"));
        if (level >= 0)
            QVERIFY(QMetaObject::invokeMethod(fx.widget(), "onVisibilityChanged", Q_ARG(int, level)));
        QCOMPARE(levels.count(), level >= 0 && level <= GenApi::Invisible ? 1 : 0);
        QCOMPARE(layouts.count(), levels.count()); // a text filters the rows; only a new level filters them all again
        QTEST(matches.last(), "matches");
        FeatureTreeItem* help = fx.extension()->getSearchHelpItem();
        QTEST(help->getDisplayedName(), "help");
        const bool shown = matches.last().at(1).toInt() > 0;
        QCOMPARE(help->getVisibility(), shown ? GenApi::Beginner : GenApi::Invisible);
        QCOMPARE(fx.proxy()->index(0, 0).data(FeatureTreeItem::FullNodeNameRole).toString() == "Search", shown);
    }

    void keyboardShortcutsAndDoubleEscape()
    {
        Tree fx;
        FeatureTreeView* view = fx.view();
        QVERIFY(QTest::qWaitForWindowActive(fx.widget()));
        QCOMPARE(fx.field()->hintText(), QString("Search (Ctrl+F)"));
        view->setFocus();
        QTest::keyClick(view, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(fx.field()->hasFocus());
        QTest::keyClick(view, Qt::Key_Minus, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        QVERIFY(!view->isExpanded(fx.index("Analog")));
        // Escape twice ends a search and restores the rows expanded and the current row from before it.
        view->collapseAll();
        view->expand(fx.index("DeviceControl").parent());
        view->expand(fx.index("DeviceControl"));
        view->setCurrentIndex(fx.index("MatchB"));
        fx.type("ga");
        QVERIFY(view->isExpanded(fx.index("Analog"))); // opened for the search
        QStringList texts; // after each key: a key between two Escapes breaks the pair
        for (Qt::Key key : { Qt::Key_Escape, Qt::Key_A, Qt::Key_Escape, Qt::Key_Escape }) {
            QTest::keyClick(fx.widget(), key);
            texts << fx.field()->text();
        }
        QCOMPARE(texts, QStringList({ "ga", "ga", "ga", "" }));
        QVERIFY(view->isExpanded(fx.index("DeviceControl")));
        QVERIFY(!view->isExpanded(fx.index("Analog"))); // opened during the search only
        QCOMPARE(view->currentIndex(), fx.index("MatchB"));
    }

    void copiesTheVisibleTree()
    {
        Tree fx;
        fx.search("width"); // rows the search hides are left out
        fx.widget()->copyToClipboard();
        QCOMPARE(QApplication::clipboard()->text(),
                 QString("Camera                                  \t\n"
                         "  Device Control                        \t\n"
                         "    Width                               \t640\n"));
    }

    void editorsLiveOnRowsInViewOnly_data()
    {
        QTest::addColumn<QString>("action"); // done to a tree of 400 boolean features before looking
        for (const char* action : { "none", "scroll to the middle", "scroll to the end", "collapse", "search" })
            QTest::newRow(action) << action;
    }
    void editorsLiveOnRowsInViewOnly()
    {
        QStringList features;
        for (int i = 0; i < 400; ++i)
            features << QString("Flag%1").arg(i);
        Tree fx(("Many[" + features.join(":b=true ") + ":b=true]").toUtf8().constData());
        FeatureTreeView* view = fx.view();
        const QString action = fetch<QString>("action");
        if (action.startsWith("scroll"))
            view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum()
                                                / (action.endsWith("end") ? 1 : 2));
        if (action == "collapse") { // no editor is left; expanding brings them back
            view->collapse(fx.index("Many"));
            fx.settle();
            QCOMPARE(view->liveEditorCount(), 0);
            view->expand(fx.index("Many"));
        }
        if (action == "search")
            fx.type("flag1"), fx.search("");
        fx.settle();
        // Every row in view shows its editor; rows well away from the view have none.
        int inView = 0;
        for (const QString& feature : features) {
            const QRect row = view->visualRect(fx.index(feature, 1));
            const bool shown = row.intersects(view->viewport()->rect());
            const bool far = row.bottom() < -10 * row.height() || row.top() > view->viewport()->height() * 2;
            inView += shown ? 1 : 0;
            QVERIFY2(shown ? fx.editor(feature) != nullptr : !far || !fx.editor(feature), qPrintable(feature));
        }
        QVERIFY(inView > 20 && view->liveEditorCount() <= inView + 10);
    }

    void editorsTakeChangedSnapshotsOnly()
    {
        // The report after the user unticked the box: the same data again leaves it, a read-only one resets it.
        for (bool readOnly : { false, true }) {
            Tree fx(controls);
            auto* box = qobject_cast<QCheckBox*>(fx.editor("ReverseX"));
            QVERIFY(box && box->isChecked());
            box->setChecked(false); // shown, not committed
            const QSharedPointer<IParameter> parameter = fx.parameter("ReverseX");
            if (readOnly)
                parameter->getProperties()->setProperty("AccessMode", "RO");
            else
                emit parameter->parameterDataChangedDecoupled(
                    QSharedPointer<const ParameterData>::create(*parameter->getParameterData()));
            QCOMPARE(QList<bool>({ box->isChecked(), box->isEnabled() }), QList<bool>({ readOnly, !readOnly }));
        }
    }

    void pollingStaysInStep()
    {
        // Check box, action and host switch polling alike; the first two report the user's choice.
        Tree fx;
        auto* box = fx.part<QCheckBox>("checkBoxPolling");
        auto* action = fx.part("actionTogglePolling");
        QSignalSpy reported(fx.widget(), &FeatureTreeWidget::pollingStateChanged);
        const std::function<void(bool)> switches[]
            = { [&](bool) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); },
                [&](bool) { action->trigger(); }, [&](bool on) { fx.widget()->setPolling(on); } };
        for (const auto& switchTo : switches) {
            for (bool on : { true, false }) {
                switchTo(on);
                QCOMPARE(QList<bool>({ fx.widget()->getPolling(), box->isChecked(), action->isChecked() }),
                         QList<bool>({ on, on, on }));
            }
        }
        QCOMPARE(reported.count(), 4);
        // The favourites are shared by every tree: their check box only reports, the host decides.
        auto* all = fx.part<QCheckBox>("checkBoxViewAllFavorites");
        QSignalSpy favourites(fx.widget(), &FeatureTreeWidget::viewAllFavoritesStateChanged);
        QTest::mouseClick(all, Qt::LeftButton, {}, QPoint(8, all->height() / 2));
        QCOMPARE(favourites.count(), 1);
        QVERIFY(fx.widget()->getViewAllFavorites());
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
        for (const char* name : { "MatchA", "MatchB" }) {
            view->setCurrentIndex(fx.index(name));
            QCOMPARE(fx.widget()->GetCurrentNode(), fx.parameter(name));
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

    void searchFieldButtonsAndHeight()
    {
        Tree fx(nullptr);
        SearchEdit* edit = fx.field();
        const auto shown = [edit](const char* action) { return edit->findChild<QAction*>(action)->isVisible(); };
        QString seen; // after every change: "s" while the magnifier shows, "c" while the clear button does
        connect(edit, &QLineEdit::textChanged,
                [&] { seen += QString(shown("searchAction") ? "s" : "") + (shown("clearAction") ? "c" : ""); });
        QTest::keyClicks(edit, "ab\b\b"); // two backspaces
        edit->setText("Gain");
        edit->setText("");
        QTest::keyClicks(edit, "xy");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, "G");
        for (auto* button : edit->findChildren<QToolButton*>()) {
            if (button->defaultAction()->objectName() == "clearAction")
                QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        }
        QCOMPARE(seen, QString("cccs|cs|ccs|cs").remove('|'));
        QVERIFY(!edit->findChild<QAction*>("searchAction")->isEnabled()); // the magnifier is a sign, not a button
        // A layout keeps the field at its hinted height: never lower than a plain line edit, also in a new font.
        const QFont font(edit->font().family(), 24);
        edit->setFont(font);
        QLineEdit plain;
        plain.setStyleSheet(edit->styleSheet());
        plain.setFont(font);
        QVERIFY(edit->sizeHint().height() >= plain.sizeHint().height());
    }

    void hintPainted_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("focused"); // the hint stays while the user has typed nothing yet
        QTest::newRow("empty field with hint") << "Search (Ctrl+F)" << false;
        QTest::newRow("focused empty field with hint") << "Search (Ctrl+F)" << true;
        QTest::newRow("hint longer than the field") << QString(200, 'M') << false;
        QTest::newRow("no hint") << "" << false;
    }
    void hintPainted()
    {
        Tree fx(nullptr);
        SearchEdit* edit = fx.field();
        edit->setHintText(fetch<QString>("hint"));
        fetch<bool>("focused") ? edit->setFocus() : edit->clearFocus();
        QTRY_COMPARE(edit->hasFocus(), fetch<bool>("focused"));
        QCOMPARE(fx.hint().isEmpty(), edit->hintText().isEmpty());
        // Inside the frame and clear of the trailing icon, which is about as wide as the field is high.
        const QRect room(1, 1, edit->width() - edit->height() - 1, edit->height() - 2);
        QVERIFY2(fx.hint().subtracted(room).isEmpty(), "hint on the frame or the icon");
        edit->setText("MMMM"); // typed text is drawn in the normal text colour
        QVERIFY(fx.hint().isEmpty());
        edit->clear();
        QCOMPARE(fx.hint().isEmpty(), edit->hintText().isEmpty());
    }

    void columnWidthsRoundTrip_data()
    {
        QTest::addColumn<bool>("stretchLast");
        QTest::addColumn<QByteArray>("blob"); // restored: in hex for version -7 and two columns, or "saved"
        QTest::newRow("last stretched") << true << QByteArray("saved");
        QTest::newRow("last as it was") << false << QByteArray("saved");
        // Refused: nothing changes.
        QTest::newRow("other version") << true << QByteArray("00000001 00000002 0000006f 0000007a");
        QTest::newRow("more columns") << true << QByteArray("fffffff9 00000003 0000006f 0000007a 00000085");
        QTest::newRow("fewer columns") << true << QByteArray("fffffff9 00000001 0000006f");
        QTest::newRow("empty") << true << QByteArray();
        QTest::newRow("last width cut short") << true << QByteArray("fffffff9 00000002 0000006f 00007a");
        QTest::newRow("count cut short") << true << QByteArray("fffffff9 000000");
    }
    void columnWidthsRoundTrip()
    {
        Tree fx(nullptr);
        fx.view()->header()->setStretchLastSection(fetch<bool>("stretchLast"));
        const QList<int> saved = fx.widths({ 180, 100 });
        const QByteArray blob = fx.widget()->saveState(-7);
        // Big-endian qint32 version, count and widths.
        QCOMPARE(blob, QByteArray::fromHex("fffffff9 00000002 000000b4") + blob.mid(12, 4));
        const QList<int> before = fx.widths({ 90, 90 });
        const bool own = fetch<QByteArray>("blob") == "saved";
        QCOMPARE(fx.widget()->restoreState(own ? blob : QByteArray::fromHex(fetch<QByteArray>("blob")), -7), own);
        // The first column comes back; the last keeps the width the header gives it: stretched, or as it was.
        QCOMPARE(fx.widths(), !own ? before : fetch<bool>("stretchLast") ? saved : QList<int>({ 180, 90 }));
    }
};

QTEST_MAIN(TestFeatureTreeWidget)
#include "tst_featuretreewidget.moc"
