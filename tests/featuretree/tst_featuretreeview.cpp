#include "featuretree/checkboxeditor.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/enumeditor.h"
#include "featuretree/featuretreedelegate.h"
#include "featuretree/featuretreeinodeitem.h"
#include "featuretree/featuretreeproxymodel.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/floateditor.h"
#include "featuretree/floatslidereditor.h"
#include "featuretree/ifeaturetreemodelextension.h"
#include "featuretree/inteditor.h"
#include "featuretree/intslidereditor.h"
#include "featuretree/toolbuttoneditor.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/memoryparametercollection.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"

#include <QLineEdit>
#include <QtTest>

using namespace ParameterCollection;

namespace {

const char* const nodeMap = R"(<NodeMap role="@CameraDevice">
  <Category name="Root">
    <Category name="Controls">
      <Integer name="Width" value="640" min="16" max="4000" inc="2"/>
      <Integer name="Ranged" value="5" min="1" max="100" representation="Linear"/>
      <Integer name="Hex" value="255" min="0" max="4095" representation="HexNumber"/>
      <Float name="Plain" value="5" min="1" max="100" inc="0.5"/>
      <Float name="Exposure" value="5000" min="16" max="1048576" representation="Logarithmic" aliasScale="1"/>
      <Float name="NoAlias" value="5" min="1" max="100" representation="Logarithmic"/>
      <Boolean name="ReverseX" value="true"/>
      <String name="DeviceUserID" value="cam" maxLength="32"/>
      <Enumeration name="PixelFormat" value="Mono8"><Entry name="Mono8"/><Entry name="Mono12"/></Enumeration>
      <Command name="UserSetSave"/>
      <Integer name="FutureMode" access="NA" value="0"/>
      <Integer name="LegacyMode" access="NI" value="0"/>
      <Integer name="Locked" value="0" min="0" max="1"/>
      <Integer name="Guarded" value="3" lockedIf="Locked" availableIf="!Locked || Width > 100"/>
      <Boolean name="Expertise" value="false" visibility="Expert"/>
    </Category>
  </Category>
</NodeMap>)";

} // namespace

class TestFeatureTreeView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void chooseEditorsByTypeAndRepresentation_data();
    void chooseEditorsByTypeAndRepresentation();
    void editsTravelToTheParameterAndBack();
    void stringEditsCommitThroughTheDefaultPath();
    void rowsFollowTheLevel();
    void persistentEditorsFollowAccess();
    void favouritesFollowTheFavouritesData();
    void emptyTreeShowsAHint();
    void searchMatchesArePainted();

private:
    QModelIndex cell(const char* name, int column = 1);
    QWidget* editorOf(const char* name);

    std::unique_ptr<TestSettings> m_settings;
    QSharedPointer<MemoryParameterCollection> m_collection;
    FeatureTreeView* m_view = nullptr;
    IFeatureTreeModelExtension* m_ext = nullptr;
};

void TestFeatureTreeView::initTestCase()
{
    m_settings = std::make_unique<TestSettings>();
    registerMetaTypes();
}

void TestFeatureTreeView::init()
{
    m_collection = MemoryParameterCollection::fromXml(QByteArray(nodeMap));
    m_view = new FeatureTreeView;
    m_ext = dynamic_cast<IFeatureTreeModelExtension*>(m_view->model());
    QVERIFY(m_ext);
    FavoritesData& favorites = m_ext->GetFavorites();
    while (favorites.count() > 0)
        favorites.remove(0);
    m_ext->rebuildFavoriteItems();
    m_ext->addParameterCollection(m_collection, QStringLiteral("Camera"), QStringLiteral("@CameraDevice"), true);
    // While a collection is added the proxy lets every row through; the tree's
    // owner filters again afterwards.
    qobject_cast<FeatureTreeProxyModel*>(m_view->model())->invalidate();
    m_view->resize(800, 900);
    m_view->setColumnWidth(0, 300);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    m_view->expandAll();
}

void TestFeatureTreeView::cleanup()
{
    delete m_view;
    m_view = nullptr;
    m_collection.reset();
}

QModelIndex TestFeatureTreeView::cell(const char* name, int column)
{
    return m_ext->findItemByFullName(QStringLiteral("@CameraDevice/") + QLatin1String(name), nullptr, column);
}

QWidget* TestFeatureTreeView::editorOf(const char* name)
{
    return m_view->indexWidget(cell(name));
}

void TestFeatureTreeView::chooseEditorsByTypeAndRepresentation_data()
{
    QTest::addColumn<QString>("feature");
    QTest::addColumn<QString>("editorClass"); // empty: no editor at all
    QTest::newRow("integer") << "Width" << "IntEditor";
    QTest::newRow("integer, hex") << "Hex" << "IntEditor";
    QTest::newRow("integer slider") << "Ranged" << "IntSliderEditor";
    QTest::newRow("float") << "Plain" << "FloatEditor";
    QTest::newRow("float slider") << "Exposure" << "FloatSliderEditor";
    QTest::newRow("logarithmic float without alias") << "NoAlias" << "FloatEditor";
    QTest::newRow("boolean") << "ReverseX" << "CheckBoxEditor";
    QTest::newRow("enumeration") << "PixelFormat" << "EnumEditor";
    QTest::newRow("command") << "UserSetSave" << "ToolButtonEditor";
    QTest::newRow("string") << "DeviceUserID" << "QExpandingLineEdit";
    QTest::newRow("not available") << "FutureMode" << "";
    QTest::newRow("not implemented") << "LegacyMode" << "";
}

void TestFeatureTreeView::chooseEditorsByTypeAndRepresentation()
{
    QFETCH(QString, feature);
    QFETCH(QString, editorClass);
    // Unimplemented features are shown at the highest level only.
    m_ext->setVisibility(GenApi::Invisible);
    qobject_cast<FeatureTreeProxyModel*>(m_view->model())->invalidate();
    const QModelIndex index = cell(feature.toLatin1().constData());
    QVERIFY(index.isValid());
    QStyleOptionViewItem option;
    QWidget* editor = m_view->itemDelegate()->createEditor(m_view->viewport(), option, index);
    if (editorClass.isEmpty()) {
        QVERIFY(!editor);
        return;
    }
    QVERIFY(editor);
    QCOMPARE(QString::fromLatin1(editor->metaObject()->className()), editorClass);
    delete editor;
}

void TestFeatureTreeView::editsTravelToTheParameterAndBack()
{
    // The enumeration has a persistent editor; choosing an entry writes the parameter.
    auto* enumEditor = qobject_cast<EnumEditor*>(editorOf("PixelFormat"));
    QVERIFY(enumEditor);
    QSignalSpy reported(m_collection->getParameter(QStringLiteral("PixelFormat")).data(),
                        &IParameter::parameterDataChangedDecoupled);
    const int mono12 = enumEditor->findText(QStringLiteral("Mono12"));
    QVERIFY(mono12 >= 0);
    enumEditor->setCurrentIndex(mono12);
    emit enumEditor->activated(mono12);
    QCOMPARE(m_collection->getParameter(QStringLiteral("PixelFormat"))->getParameterData()->valueString,
             QStringLiteral("Mono12"));
    QCOMPARE(reported.count(), 1); // written once: the refresh of the editor did not commit again

    // A change made elsewhere reaches the open editor.
    m_collection->getParameter(QStringLiteral("PixelFormat"))->setValue(QStringLiteral("Mono8"));
    QCOMPARE(enumEditor->currentText(), QStringLiteral("Mono8"));
    QCOMPARE(reported.count(), 2);

    // The check box likewise.
    auto* check = qobject_cast<CheckBoxEditor*>(editorOf("ReverseX"));
    QVERIFY(check);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
    QCOMPARE(m_collection->getParameter(QStringLiteral("ReverseX"))->getParameterData()->boolValue, false);
}

void TestFeatureTreeView::stringEditsCommitThroughTheDefaultPath()
{
    const QModelIndex index = cell("DeviceUserID");
    m_view->setCurrentIndex(index);
    m_view->edit(index);
    auto* line = qobject_cast<QLineEdit*>(m_view->indexWidget(index));
    QVERIFY(line);
    line->selectAll();
    QTest::keyClicks(line, QStringLiteral("front-cam"));
    QTest::keyClick(line, Qt::Key_Return);
    // Qt commits a line edit from the event loop, after the editor saw the key.
    QTRY_COMPARE(m_collection->getParameter(QStringLiteral("DeviceUserID"))->getParameterData()->valueString,
             QStringLiteral("front-cam"));
}

void TestFeatureTreeView::rowsFollowTheLevel()
{
    const QModelIndex expert = cell("Expertise", 0);
    QVERIFY(!m_view->isRowHidden(expert.row(), expert.parent()));
    m_view->setCurrentIndex(expert);
    QSignalSpy current(m_view, &FeatureTreeView::onCurrentChanged);
    m_view->setVisibility(GenApi::Beginner);
    const QModelIndex collectionRow = m_ext->findItemByFullName(QStringLiteral("@CameraDevice*Root"), nullptr, 0);
    m_view->updateRows(collectionRow); // from the collection row down
    QVERIFY(m_view->isRowHidden(expert.row(), expert.parent()));
    QCOMPARE(current.count(), 1);
    QVERIFY(!current.first().first().toModelIndex().isValid());

    // A report for the hidden row does not announce the loss again.
    m_collection->getParameter(QStringLiteral("Expertise"))->setValue(QStringLiteral("true"));
    QCOMPARE(current.count(), 1);

    m_view->setVisibility(GenApi::Guru);
    m_view->updateRows(collectionRow);
    QVERIFY(!m_view->isRowHidden(cell("Expertise").row(), cell("Expertise").parent()));
}

void TestFeatureTreeView::persistentEditorsFollowAccess()
{
    QVERIFY(editorOf("Guarded") == nullptr); // a plain integer has no persistent editor
    QVERIFY(editorOf("Ranged"));
    // Making the slider feature unavailable closes its editor; available again reopens it.
    m_collection->getParameter(QStringLiteral("Ranged"))->getProperties()->setProperty(QStringLiteral("AccessMode"),
                                                                                      QStringLiteral("NA"));
    QTRY_VERIFY(!editorOf("Ranged"));
    m_collection->getParameter(QStringLiteral("Ranged"))->getProperties()->setProperty(QStringLiteral("AccessMode"),
                                                                                      QStringLiteral("RW"));
    QTRY_VERIFY(editorOf("Ranged"));
}

void TestFeatureTreeView::favouritesFollowTheFavouritesData()
{
    const QModelIndex favorites = m_ext->GetFavoritesRootIndex();
    // The lone hint spans both columns.
    QVERIFY(m_view->isFirstColumnSpanned(0, favorites));

    m_view->setCurrentIndex(cell("Width", 0));
    m_view->selectionModel()->select(cell("Width", 0), QItemSelectionModel::Select);
    QVERIFY(m_ext->AddFavorite(m_collection->getParameter(QStringLiteral("PixelFormat")), 0));
    QVERIFY(m_ext->AddFavorite(m_collection->getParameter(QStringLiteral("Ranged")), 1));

    const QModelIndex favs = m_ext->GetFavoritesRootIndex();
    QCOMPARE(m_view->model()->rowCount(favs), 2);
    QCOMPARE(m_view->model()->index(0, 0, favs).data(FeatureTreeItem::GenicamNameRole).toString(),
             QStringLiteral("PixelFormat"));
    QVERIFY(!m_view->isFirstColumnSpanned(0, favs));
    // Current item and selection survived the rebuild.
    QCOMPARE(m_view->currentIndex(), cell("Width", 0));
    QVERIFY(m_view->selectionModel()->isSelected(cell("Width", 0)));
    // The favourites' persistent editors are open once the branch is expanded.
    m_view->expand(favs);
    QTRY_VERIFY(m_view->indexWidget(m_view->model()->index(0, 1, favs)));

    m_ext->GetFavorites().setExpanded(false);
    QVERIFY(!m_view->isExpanded(favs));
    m_ext->GetFavorites().setExpanded(true);
    QVERIFY(m_view->isExpanded(favs));
}

void TestFeatureTreeView::emptyTreeShowsAHint()
{
    auto* proxy = qobject_cast<FeatureTreeProxyModel*>(m_view->model());
    QVERIFY(proxy);
    auto textPixelsAtTheTop = [this] {
        QImage image(m_view->viewport()->size(), QImage::Format_ARGB32);
        image.fill(Qt::white);
        m_view->viewport()->render(&image);
        const QColor text = m_view->palette().color(QPalette::Active, QPalette::Text);
        int count = 0;
        const int middle = image.width() / 2;
        for (int y = 0; y < 30; ++y)
            for (int x = middle - 100; x < middle + 100; ++x)
                count += QColor(image.pixel(x, y)) == text;
        return count;
    };
    proxy->setFilterFixedString(QStringLiteral("no feature is called like this"));
    QCOMPARE(proxy->rowCount(), 0);
    QVERIFY2(textPixelsAtTheTop() > 20, "the hint is drawn at the top centre");
    proxy->setFilterFixedString(QString());
    QVERIFY(proxy->rowCount() > 0);
}

void TestFeatureTreeView::searchMatchesArePainted()
{
    m_view->getHightlighter()->searchText = QStringLiteral("Width");
    const QModelIndex width = cell("Width", 0);
    const QRect rect = m_view->visualRect(width);
    QVERIFY(rect.isValid());
    QImage image(m_view->viewport()->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    m_view->viewport()->render(&image);
    const QColor mark = m_view->getHightlighter()->highlightColor();
    int marked = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            marked += QColor(image.pixel(x, y)) == mark;
    QVERIFY2(marked > 30, qPrintable(QString::number(marked)));
    // A row that does not match carries no mark.
    const QRect other = m_view->visualRect(cell("PixelFormat", 0));
    int unmarked = 0;
    for (int y = other.top(); y <= other.bottom(); ++y)
        for (int x = other.left(); x <= other.right(); ++x)
            unmarked += QColor(image.pixel(x, y)) == mark;
    QCOMPARE(unmarked, 0);
}

QTEST_MAIN(TestFeatureTreeView)
#include "tst_featuretreeview.moc"
