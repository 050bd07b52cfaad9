#include "featuretree/enumeditor.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "fetch.h"
#include "parametercollection/iparameterproperties.h"
#include "pixels.h"
#include "treefixture.h"

#include <QLineEdit>
#include <QtTest>

using namespace ParameterCollection;

namespace {

const char* const controls
    = "Controls[Width=640{min=16 max=4000 inc=2} Hex=255{min=0 max=4095 representation=HexNumber}"
      " Ranged=5{min=1 max=100 representation=Linear availableIf=Enable lockedIf=Lock} Enable:b=true Lock:b=false"
      " Plain:f=5{min=1 max=100 inc=0.5} Exposure:f=5000{min=16 max=1048576 representation=Logarithmic aliasScale=1}"
      " NoAlias:f=5{min=1 max=100 representation=Logarithmic} ReverseX:b=true DeviceUserID:s=cam{maxLength=32}"
      " PixelFormat:e=Mono8(Mono8 Mono12) UserSetSave:c FutureMode=0!NA LegacyMode=0!NI Expertise:b=false#Expert]";

} // namespace

class TestFeatureTreeView : public QObject
{
    Q_OBJECT
private slots:
    void editorsByTypeAndRepresentation_data()
    {
        QTest::addColumn<QString>("editor"); // the class the delegate makes for the feature, empty for none
        QTest::addColumn<bool>("persistent"); // open in the shown tree without editing
        const struct { const char *feature, *editor; bool persistent; } rows[] = {
            {"Width", "IntEditor", false}, {"Hex", "IntEditor", false}, {"Ranged", "IntSliderEditor", true},
            {"Plain", "FloatEditor", true}, {"Exposure", "FloatSliderEditor", true},
            {"NoAlias", "FloatEditor", true}, // logarithmic without an alias to slide along
            {"ReverseX", "CheckBoxEditor", true}, {"PixelFormat", "EnumEditor", true},
            {"UserSetSave", "ToolButtonEditor", true}, {"DeviceUserID", "QExpandingLineEdit", false},
            {"FutureMode", "", false}, {"LegacyMode", "", false}};
        for (const auto& row : rows)
            QTest::newRow(row.feature) << row.editor << row.persistent;
    }
    void editorsByTypeAndRepresentation()
    {
        WidgetFixture fx;
        fx.add(controls);
        fx.widget()->setVisibility(GenApi::Invisible); // unimplemented features show at that level only
        const QString feature = QTest::currentDataTag();
        QTEST(fx.editor(feature) != nullptr, "persistent");
        std::unique_ptr<QWidget> editor(fx.view()->itemDelegate()->createEditor(fx.view(), {}, fx.index(feature, 1)));
        QTEST(QString(editor ? editor->metaObject()->className() : ""), "editor");
    }

    void editsTravelToTheParameterAndBack()
    {
        WidgetFixture fx;
        const auto collection = fx.add(controls);
        const auto format = [&] { return collection->getParameter("PixelFormat")->getParameterData()->valueString; };
        auto* editor = qobject_cast<EnumEditor*>(fx.editor("PixelFormat"));
        QVERIFY(editor);
        QSignalSpy reported(collection->getParameter("PixelFormat").data(), &IParameter::parameterDataChangedDecoupled);
        const auto choose = [editor](const char* entry) {
            editor->setCurrentIndex(editor->findText(entry));
            emit editor->activated(editor->currentIndex());
        };
        choose("Mono12");
        QCOMPARE(format(), QString("Mono12"));
        QCOMPARE(reported.count(), 1); // written once: the refresh of the editor did not commit again
        collection->getParameter("PixelFormat")->setValue("Mono8"); // a change made elsewhere reaches the editor
        QCOMPARE(editor->currentText(), QString("Mono8"));
        // A refused write changes nothing, and the editor should go back to the value kept.
        collection->injectFault("PixelFormat", MemoryParameterCollection::Operation::SetValue,
                                MemoryParameterCollection::FaultKind::GenICamException, 1);
        choose("Mono12");
        QCOMPARE(format(), QString("Mono8"));
        QCoreApplication::processEvents();
        QEXPECT_FAIL("", "A refused write leaves the refused entry in the editor", Continue);
        QCOMPARE(editor->currentText(), QString("Mono8"));

        // Strings take the delegate's default path: committed from the event loop.
        fx.view()->edit(fx.index("DeviceUserID", 1));
        auto* line = qobject_cast<QLineEdit*>(fx.editor("DeviceUserID"));
        QVERIFY(line);
        line->selectAll();
        QTest::keyClicks(line, "front-cam");
        QTest::keyClick(line, Qt::Key_Return);
        QTRY_COMPARE(collection->getParameter("DeviceUserID")->getParameterData()->valueString, QString("front-cam"));
    }

    void currentRowReportedGoneOnceWhenTheLevelHidesIt()
    {
        WidgetFixture fx;
        const auto collection = fx.add(controls);
        FeatureTreeView* view = fx.view();
        const QModelIndex expert = fx.index("Expertise");
        const QModelIndex top = fx.extension()->findItemByFullName("@CameraDevice*Root", nullptr, 0);
        view->setCurrentIndex(expert);
        QSignalSpy current(view, &FeatureTreeView::onCurrentChanged);
        view->setVisibility(GenApi::Beginner);
        view->updateRows(top);
        QVERIFY(view->isRowHidden(expert.row(), expert.parent()));
        QCOMPARE(current.count(), 1);
        QCOMPARE(current.first().first().toModelIndex(), QModelIndex());
        collection->getParameter("Expertise")->setValue("true"); // a report for the hidden row
        QCOMPARE(current.count(), 1);
        view->setVisibility(GenApi::Guru);
        view->updateRows(top);
        QVERIFY(!view->isRowHidden(expert.row(), expert.parent()));
    }

    void editorsFollowAccess_data()
    {
        QTest::addColumn<QString>("feature");
        QTest::addColumn<QStringList>("steps"); // "Name=value" writes; "Name!Mode", "Name#Level" imposed; "edit"
        QTest::addColumn<QString>("open"); // after each step: o the editor is open, - it is not
        QTest::newRow("available if") << "Ranged" << QStringList{"Enable=false", "Enable=true"} << "-o";
        QTest::newRow("locked: read-only keeps a slider") << "Ranged" << QStringList{"Lock=true"} << "o";
        QTest::newRow("imposed access") << "Ranged" << QStringList{"Ranged!NA", "Ranged!RO", "Ranged!RW", "Ranged!NA"}
                                        << "-oo-";
        QTest::newRow("level above the view's") << "Ranged" << QStringList{"Ranged#Guru", "Ranged#Beginner"} << "-o";
        QTest::newRow("read-only ends an edit") << "Width" << QStringList{"edit", "Width!RO", "Width!RW"} << "o--";
    }
    void editorsFollowAccess()
    {
        WidgetFixture fx;
        const auto collection = fx.add(controls);
        fx.widget()->setVisibility(GenApi::Expert);
        const QString feature = fetch<QString>("feature"), open = fetch<QString>("open");
        const QStringList steps = fetch<QStringList>("steps");
        for (int i = 0; i < steps.size(); ++i) {
            const QStringList parts = steps.at(i).split(QRegularExpression("[=!#]"));
            if (steps.at(i) == "edit")
                fx.view()->edit(fx.index(feature, 1));
            else if (steps.at(i).contains('='))
                collection->getParameter(parts.at(0))->setValue(parts.at(1));
            else
                collection->getParameter(parts.at(0))->getProperties()->setProperty(
                    steps.at(i).contains('!') ? "AccessMode" : "Visibility", parts.at(1));
            QCoreApplication::processEvents();
            QVERIFY2((fx.editor(feature) != nullptr) == (open.at(i) == 'o'), qPrintable(steps.at(i)));
        }
    }

    void favouritesFollowTheFavouritesData()
    {
        WidgetFixture fx;
        const auto collection = fx.add(controls);
        FeatureTreeView* view = fx.view();
        IFeatureTreeModelExtension* ext = fx.extension();
        QVERIFY(view->isFirstColumnSpanned(0, ext->GetFavoritesRootIndex())); // the lone hint spans both columns
        view->setCurrentIndex(fx.index("Width"));
        QVERIFY(ext->AddFavorite(collection->getParameter("PixelFormat"), 0));
        QVERIFY(ext->AddFavorite(collection->getParameter("Ranged"), 1));
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
        WidgetFixture fx;
        fx.add(controls);
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
        const QRect hint = pixels(view->viewport(), [text](const QColor& c) { return c == text; }).boundingRect();
        QVERIFY2(hint.top() < 20 && qAbs(hint.center().x() - view->viewport()->width() / 2) < 10, qPrintable(QString::number(hint.x())));
    }
};

QTEST_MAIN(TestFeatureTreeView)
#include "tst_featuretreeview.moc"
