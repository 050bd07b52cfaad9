#include "camerapool/staticbaseinfo.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreeview.h"
#include "featuretree/featuretreewidget.h"
#include "featuretree/searchedit.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"
#include "widgets/ipaddresswidget.h"
#include "widgets/messageboxcheckable.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

#include <memory>
#include <vector>

// The Japanese, Korean and Chinese translations compiled into the library: a
// host that installs one of them sees the library's texts in that language,
// in plain lookups as well as in the real model, widgets and dialogs.

namespace {

/// One text of the library and what each language makes of it.
struct Text
{
    const char* context;
    const char* source;
    const char* ja;
    const char* ko;
    const char* zh;
};

// A selection from every part of the library: the tree model and its items,
// the tree widget and its form, the editors, the numeric widgets, the IP
// address dialog and the message boxes.
const Text textTable[] = {
    { "FeatureTreeModel", "Favorites", "お気に入り", "즐겨찾기", "收藏夹" },
    { "FeatureTreeModel", "Feature", "フィーチャー", "피처", "属性" },
    { "FeatureTreeModel", "Value", "値", "값", "值" },
    { "FeatureTreeModel", "Failed to set a feature value.", "フィーチャー値の設定に失敗しました。",
      "피처 값을 설정하지 못했습니다.", "设置属性值失败。" },
    { "FeatureTreeModel", "Add favorites by right-clicking a feature below.",
      "下のフィーチャーを右クリックしてお気に入りに追加します。",
      "아래의 피처를 마우스 오른쪽 버튼으로 클릭하여 즐겨찾기를 추가하십시오.", "右键单击下方的属性即可添加收藏。" },
    { "FeatureTreeView", "No search results found.", "検索結果が見つかりません。", "검색 결과가 없습니다.",
      "未找到搜索结果。" },
    { "FeatureTreeINodeItem", "<not implemented>", "<未実装>", "<구현되지 않음>", "<未实现>" },
    { "FeatureTreeINodeItem", "<not readable>", "<読み取り不可>", "<읽을 수 없음>", "<不可读>" },
    { "FeatureTreeINodeItem", "<not available>", "<使用不可>", "<사용할 수 없음>", "<不可用>" },
    { "IntEditor", "<not readable>", "<読み取り不可>", "<읽을 수 없음>", "<不可读>" },
    { "FeatureTreeWidget", "Add to Favorites", "お気に入りに追加", "즐겨찾기에 추가", "添加到收藏夹" },
    { "FeatureTreeWidget", "Move Up", "上へ移動", "위로 이동", "上移" },
    { "FeatureTreeWidget", "Remove", "削除", "제거", "移除" },
    { "FeatureTreeWidget", "Polling", "ポーリング", "폴링", "轮询" },
    { "FeatureTreeWidget", "<B>%1 search results (%2 of them visible at higher user level)</B>",
      "<B>検索結果 %1 件 (うち %2 件はより上位のユーザーレベルで表示)</B>",
      "<B>검색 결과 %1개 (이 중 %2개는 더 높은 사용자 레벨에서 표시됨)</B>",
      "<B>%1 个搜索结果（其中 %2 个在更高的用户级别下可见）</B>" },
    { "FeatureTreeWidgetClass", "Show Unavailable Favorites", "使用できないお気に入りを表示",
      "사용할 수 없는 즐겨찾기 표시", "显示不可用的收藏项" },
    { "FeatureTreeWidgetClass", "P&olling", "ポーリング(&O)", "폴링(&O)", "轮询(&O)" },
    { "FeatureTreeWidgetClass", "Refresh", "更新", "새로 고침", "刷新" },
    { "FloatEditor", "The minimum value is larger than the maximum value!", "最小値が最大値より大きくなっています!",
      "최솟값이 최댓값보다 큽니다!", "最小值大于最大值！" },
    { "FloatSliderEditor", "The alias increment cannot be '0'!", "エイリアスの増分を '0' にすることはできません!",
      "별칭 증분은 '0'일 수 없습니다!", "别名增量不能为 '0'！" },
    { "IntEditor", "Range: 0x%1..0x%2", "範囲: 0x%1..0x%2", "범위: 0x%1..0x%2", "范围：0x%1..0x%2" },
    { "ComboSlider", "Range: %1..%2 (Increment: %3)", "範囲: %1..%2 (増分: %3)", "범위: %1..%2 (증분: %3)",
      "范围：%1..%2（增量：%3）" },
    { "DoubleSpinBox", "Range: %1..%2", "範囲: %1..%2", "범위: %1..%2", "范围：%1..%2" },
    { "ToolButtonEditor", "Execute", "実行", "실행", "执行" },
    { "IpAddressWidgetClass", "IP Address", "IP アドレス", "IP 주소", "IP 地址" },
    { "IpAddressWidgetClass", "&Subnet Mask:", "サブネットマスク(&S):", "서브넷 마스크(&S):", "子网掩码(&S)：" },
    { "QObject", "&Don't show this dialog again", "今後このダイアログを表示しない(&D)",
      "이 대화 상자를 다시 표시하지 않음(&D)", "不再显示此对话框(&D)" },
    { "QObject", "Error", "エラー", "오류", "错误" },
    { "QObject", "Unexpected exception occurred", "予期しない例外が発生しました", "예기치 않은 예외가 발생했습니다",
      "发生意外异常" },
};

/// A text with placeholders or markup, and the parts (separated by spaces)
/// every translation of it keeps.
struct Format
{
    const char* context;
    const char* source;
    const char* kept;
};

const Format formatTable[] = {
    { "FeatureTreeModel", "%1 %2 (%3 is unavailable for the current camera)", "%1 %2 %3" },
    { "FeatureTreeModel", "%1 %2 (%3 are unavailable for the current camera)", "%1 %2 %3" },
    { "FeatureTreeWidget", "Search (%1)", "%1" },
    { "FeatureTreeWidget", "<B>%1 search results (%2 of them visible at higher user level)</B>", "<B> %1 %2 </B>" },
    { "FloatEditor", "Range: %1..%2 (Increment: %3)", "%1..%2 %3" },
    { "FloatSliderEditor", "Range: %1..%2", "%1..%2" },
    { "DoubleComboSlider", "Range: %1..%2", "%1..%2" },
    { "IntEditor", "Range: 0x%1..0x%2", "0x%1..0x%2" },
    { "FeatureTreeWidgetClass", "P&olling", "(&O)" },
    { "IpAddressWidgetClass", "&MAC Address:", "MAC (&M)" },
};

/// Key sequences stay what they are in every language.
const char* const keyTable[][2] = {
    { "FeatureTreeWidget", "Ctrl+D" },
    { "FeatureTreeWidget", "Ctrl+Up" },
    { "FeatureTreeWidget", "Ctrl+Down" },
    { "FeatureTreeWidgetClass", "F5" },
};

QString expected(const Text& text, const QString& language)
{
    if (language == QLatin1String("ja"))
        return QString::fromUtf8(text.ja);
    if (language == QLatin1String("ko"))
        return QString::fromUtf8(text.ko);
    return QString::fromUtf8(text.zh);
}

/// The expected translation of one of the texts above.
QString expectedFor(const char* context, const char* source, const QString& language)
{
    for (const Text& text : textTable) {
        if (qstrcmp(text.context, context) == 0 && qstrcmp(text.source, source) == 0)
            return expected(text, language);
    }
    qFatal("The text '%s' in '%s' is not in the table", source, context);
    return QString();
}

QString translated(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void english();
    void texts_data();
    void texts();
    void placeholdersAndKeysStay_data();
    void placeholdersAndKeysStay();
    void model_data();
    void model();
    void widget_data();
    void widget();
    void dialogs_data();
    void dialogs();

private:
    void languages();
    bool install(const QString& language);

    std::unique_ptr<TestSettings> m_settings;
    std::vector<std::unique_ptr<QTranslator>> m_translators;
};

void TestTranslations::initTestCase()
{
    m_settings = std::make_unique<TestSettings>();
    ParameterCollection::registerMetaTypes();
    // Also keeps the library (and its resources) linked in.
    QVERIFY(GetTheGlobalAsyncErrorQueue());
}

void TestTranslations::cleanup()
{
    for (const auto& translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
    m_translators.clear();
    // Without a translator, the library speaks English again.
    QCOMPARE(translated("FeatureTreeModel", "Favorites"), QStringLiteral("Favorites"));
}

void TestTranslations::languages()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("ja") << QStringLiteral("ja");
    QTest::newRow("ko") << QStringLiteral("ko");
    QTest::newRow("zh") << QStringLiteral("zh");
}

bool TestTranslations::install(const QString& language)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/translation/orvikviewercomponents6_%1.qm").arg(language)))
        return false;
    if (translator->isEmpty() || !QCoreApplication::installTranslator(translator.get()))
        return false;
    m_translators.push_back(std::move(translator));
    return true;
}

void TestTranslations::english()
{
    // The English file loads and holds the texts as they are in the sources.
    QVERIFY(install(QStringLiteral("en")));
    for (const Text& text : textTable)
        QCOMPARE(translated(text.context, text.source), QString::fromUtf8(text.source));
}

void TestTranslations::texts_data()
{
    languages();
}

void TestTranslations::texts()
{
    QFETCH(QString, language);
    QVERIFY(install(language));
    for (const Text& text : textTable) {
        const QString result = translated(text.context, text.source);
        QVERIFY2(result != QString::fromUtf8(text.source), text.source);
        QCOMPARE(result, expected(text, language));
    }
}

void TestTranslations::placeholdersAndKeysStay_data()
{
    languages();
}

void TestTranslations::placeholdersAndKeysStay()
{
    QFETCH(QString, language);
    QVERIFY(install(language));
    for (const Format& format : formatTable) {
        const QString result = translated(format.context, format.source);
        QVERIFY2(result != QString::fromUtf8(format.source), format.source);
        const QStringList parts = QString::fromUtf8(format.kept).split(QLatin1Char(' '));
        for (const QString& part : parts)
            QVERIFY2(result.contains(part), qPrintable(result + QLatin1String(" lacks ") + part));
    }
    for (const auto& key : keyTable) {
        const QString result = translated(key[0], key[1]);
        QCOMPARE(result, QString::fromLatin1(key[1]));
        QVERIFY(!QKeySequence(result).isEmpty());
    }
}

void TestTranslations::model_data()
{
    languages();
}

void TestTranslations::model()
{
    QFETCH(QString, language);
    QVERIFY(install(language));

    FeatureTreeModel model;
    FavoritesData& favorites = model.GetFavorites();
    while (favorites.count() > 0)
        favorites.remove(0);
    favorites.setViewAll(true);

    model.rebuildFavoriteItems();
    const QModelIndex favoritesIndex = model.GetFavoritesRootIndex();
    QVERIFY(favoritesIndex.isValid());
    const QString favoritesText = translated("FeatureTreeModel", "Favorites");
    QVERIFY(favoritesText != QLatin1String("Favorites"));
    QCOMPARE(favoritesIndex.data().toString(), favoritesText);

    // The hint shown while there are no favourites.
    QCOMPARE(model.rowCount(favoritesIndex), 1);
    const QModelIndex hint = model.index(0, 0, favoritesIndex);
    QCOMPARE(hint.data().toString(),
             expectedFor("FeatureTreeModel", "Add favorites by right-clicking a feature below.", language));

    QCOMPARE(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             expectedFor("FeatureTreeModel", "Feature", language));
    QCOMPARE(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
             expectedFor("FeatureTreeModel", "Value", language));

    // A favourite whose camera is absent: the tool tip counts it in the
    // language's own word order, with every number in place.
    QVERIFY(favorites.append(
        FavoriteEntry { QStringLiteral("Gone"), QStringLiteral("Gone"), QStringLiteral("@CameraDevice") }));
    model.rebuildFavoriteItems();
    const QString toolTip = model.GetFavoritesRootIndex().data(Qt::ToolTipRole).toString();
    const QString word = translated("FeatureTreeModel", "Favorite");
    QVERIFY(word != QLatin1String("Favorite"));
    QCOMPARE(
        toolTip,
        translated("FeatureTreeModel", "%1 %2 (%3 is unavailable for the current camera)").arg(1).arg(word).arg(1));
    QVERIFY2(toolTip.contains(word) && !toolTip.contains(QLatin1Char('%')), qPrintable(toolTip));
    QVERIFY2(!toolTip.contains(QLatin1String("unavailable")), qPrintable(toolTip));

    while (favorites.count() > 0)
        favorites.remove(0);
}

void TestTranslations::widget_data()
{
    languages();
}

void TestTranslations::widget()
{
    QFETCH(QString, language);
    QVERIFY(install(language));

    FeatureTreeWidget widget(
        QStringLiteral("Translations"),
        QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(QStringLiteral("NoFilterForThisKind")));

    auto* viewAll = widget.findChild<QCheckBox*>(QStringLiteral("checkBoxViewAllFavorites"));
    QVERIFY(viewAll);
    QCOMPARE(viewAll->text(), expectedFor("FeatureTreeWidgetClass", "Show Unavailable Favorites", language));
    auto* polling = widget.findChild<QCheckBox*>(QStringLiteral("checkBoxPolling"));
    QVERIFY(polling);
    QCOMPARE(polling->text(), expectedFor("FeatureTreeWidgetClass", "P&olling", language));
    auto* reset = widget.findChild<QPushButton*>(QStringLiteral("resetButton"));
    QVERIFY(reset);
    QCOMPARE(reset->toolTip(), expectedFor("FeatureTreeWidgetClass", "Refresh", language));
    QCOMPARE(reset->shortcut(), QKeySequence(Qt::Key_F5));

    auto* add = widget.findChild<QAction*>(QStringLiteral("actionAddToFavourites"));
    QVERIFY(add);
    QCOMPARE(add->iconText(), expectedFor("FeatureTreeWidget", "Add to Favorites", language));
    QCOMPARE(add->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_D));
    auto* up = widget.findChild<QAction*>(QStringLiteral("actionMoveFavouriteUp"));
    QVERIFY(up);
    QCOMPARE(up->shortcut(), QKeySequence(Qt::CTRL + Qt::Key_Up));

    auto* search = widget.findChild<SearchEdit*>(QStringLiteral("filterEdit"));
    QVERIFY(search);
    const QString find = QKeySequence(Qt::CTRL + Qt::Key_F).toString(QKeySequence::NativeText);
    QCOMPARE(search->hintText(), translated("FeatureTreeWidget", "Search (%1)").arg(find));
    QVERIFY(search->hintText() != QStringLiteral("Search (%1)").arg(find));

    // The view of the widget shows the translated headers.
    QAbstractItemModel* model = widget.treeView()->model();
    QVERIFY(model);
    QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
             expectedFor("FeatureTreeModel", "Feature", language));
}

void TestTranslations::dialogs_data()
{
    languages();
}

void TestTranslations::dialogs()
{
    QFETCH(QString, language);
    QVERIFY(install(language));

    IpAddressWidget dialog;
    QCOMPARE(dialog.windowTitle(), expectedFor("IpAddressWidgetClass", "IP Address", language));
    auto* netmask = dialog.findChild<QLabel*>(QStringLiteral("labelNetmask"));
    QVERIFY(netmask);
    QCOMPARE(netmask->text(), expectedFor("IpAddressWidgetClass", "&Subnet Mask:", language));
    auto* ipAddress = dialog.findChild<QLabel*>(QStringLiteral("labelIpAddress"));
    QVERIFY(ipAddress);
    QCOMPARE(ipAddress->text(), translated("IpAddressWidgetClass", "IP &Address:"));
    QVERIFY(ipAddress->text().endsWith(QLatin1String("(&A):"))
            || ipAddress->text().endsWith(QString::fromUtf8("(&A)：")));

    MessageBoxCheckable box(QStringLiteral("TranslationsTest"), nullptr);
    QCOMPARE(box.checkBoxText(), expectedFor("QObject", "&Don't show this dialog again", language));
}

QTEST_MAIN(TestTranslations)

#include "tst_translations.moc"
