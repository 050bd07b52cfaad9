#include "camerapool/staticbaseinfo.h"
#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreewidget.h"
#include "parametercollection/metatypes.h"
#include "testsettings.h"
#include "widgets/asyncerrorqueue.h"
#include "widgets/ipaddresswidget.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

#include <memory>

// The Japanese, Korean and Chinese translations compiled into the library: a
// host that installs one of them sees the library's texts in that language.

namespace {

/// A few texts from different parts of the library and what each language makes of them.
struct Text
{
    const char* context;
    const char* source;
    const char* translations[3]; // in the order of languageNames
};

const QStringList languageNames { QStringLiteral("ja"), QStringLiteral("ko"), QStringLiteral("zh") };

const Text textTable[] = {
    { "FeatureTreeModel", "Favorites", { "お気に入り", "즐겨찾기", "收藏夹" } },
    { "FeatureTreeView",
      "No search results found.",
      { "検索結果が見つかりません。", "검색 결과가 없습니다.", "未找到搜索结果。" } },
    { "FeatureTreeINodeItem", "<not readable>", { "<読み取り不可>", "<읽을 수 없음>", "<不可读>" } },
    { "FeatureTreeWidgetClass",
      "Show Unavailable Favorites",
      { "使用できないお気に入りを表示", "사용할 수 없는 즐겨찾기 표시", "显示不可用的收藏项" } },
    { "FloatEditor",
      "The minimum value is larger than the maximum value!",
      { "最小値が最大値より大きくなっています!", "최솟값이 최댓값보다 큽니다!", "最小值大于最大值！" } },
    { "IpAddressWidgetClass", "IP Address", { "IP アドレス", "IP 주소", "IP 地址" } },
    { "QObject", "Error", { "エラー", "오류", "错误" } },
};

/// Texts with placeholders, markup or mnemonics, and the parts (separated by
/// spaces) every translation of them keeps.
const char* const formatTable[][3] = {
    { "FeatureTreeModel", "%1 %2 (%3 is unavailable for the current camera)", "%1 %2 %3" },
    { "FeatureTreeWidget", "<B>%1 search results (%2 of them visible at higher user level)</B>", "<B> %1 %2 </B>" },
    { "FloatEditor", "Range: %1..%2 (Increment: %3)", "%1..%2 %3" },
    { "IntEditor", "Range: 0x%1..0x%2", "0x%1..0x%2" },
    { "FeatureTreeWidgetClass", "P&olling", "(&O)" },
};

QString translated(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

/// The expected translation of a text of the table.
QString expected(const char* source, const QString& language)
{
    for (const Text& text : textTable) {
        if (qstrcmp(text.source, source) == 0)
            return QString::fromUtf8(text.translations[languageNames.indexOf(language)]);
    }
    qFatal("'%s' is not in the table", source);
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void english();
    void texts_data() { languages(); }
    void texts();
    void favoritesRow_data() { languages(); }
    void favoritesRow();
    void forms_data() { languages(); }
    void forms();

private:
    void languages();
    bool install(const QString& language);

    std::unique_ptr<TestSettings> m_settings;
    std::unique_ptr<QTranslator> m_translator;
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
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
    m_translator.reset();
    // Without a translator, the library speaks English again.
    QCOMPARE(translated("FeatureTreeModel", "Favorites"), QStringLiteral("Favorites"));
}

void TestTranslations::languages()
{
    QTest::addColumn<QString>("language");
    for (const QString& language : languageNames)
        QTest::newRow(qPrintable(language)) << language;
}

bool TestTranslations::install(const QString& language)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral(":/translation/orvikviewercomponents6_%1.qm").arg(language))
        || translator->isEmpty() || !QCoreApplication::installTranslator(translator.get()))
        return false;
    m_translator = std::move(translator);
    return true;
}

void TestTranslations::english()
{
    // The English file loads and holds the texts as they are in the sources.
    QVERIFY(install(QStringLiteral("en")));
    for (const Text& text : textTable)
        QCOMPARE(translated(text.context, text.source), QString::fromUtf8(text.source));
}

void TestTranslations::texts()
{
    QFETCH(QString, language);
    QVERIFY(install(language));
    for (const Text& text : textTable)
        QCOMPARE(translated(text.context, text.source), expected(text.source, language));
    for (const auto& format : formatTable) {
        const QString result = translated(format[0], format[1]);
        QVERIFY2(result != QString::fromUtf8(format[1]), format[1]);
        for (const QString& part : QString::fromUtf8(format[2]).split(QLatin1Char(' ')))
            QVERIFY2(result.contains(part), qPrintable(result + QLatin1String(" lacks ") + part));
    }
    // Key sequences stay what they are.
    QCOMPARE(translated("FeatureTreeWidget", "Ctrl+D"), QStringLiteral("Ctrl+D"));
}

void TestTranslations::favoritesRow()
{
    QFETCH(QString, language);
    QVERIFY(install(language));

    FeatureTreeModel model;
    FavoritesData& favorites = model.GetFavorites();
    while (favorites.count() > 0)
        favorites.remove(0);
    favorites.setViewAll(true);
    model.rebuildFavoriteItems();
    QCOMPARE(model.GetFavoritesRootIndex().data().toString(), expected("Favorites", language));

    // A favourite whose camera is absent: the tool tip counts it in the
    // language's own word order, with every number in place.
    QVERIFY(favorites.append(
        FavoriteEntry { QStringLiteral("Gone"), QStringLiteral("Gone"), QStringLiteral("@CameraDevice") }));
    model.rebuildFavoriteItems();
    const QString toolTip = model.GetFavoritesRootIndex().data(Qt::ToolTipRole).toString();
    const QString word = translated("FeatureTreeModel", "Favorite");
    QCOMPARE(
        toolTip,
        translated("FeatureTreeModel", "%1 %2 (%3 is unavailable for the current camera)").arg(1).arg(word).arg(1));
    QVERIFY2(!toolTip.contains(QLatin1String("unavailable")) && !toolTip.contains(QLatin1Char('%')),
             qPrintable(toolTip));
}

void TestTranslations::forms()
{
    // The forms built from .ui files pick the translation up too.
    QFETCH(QString, language);
    QVERIFY(install(language));
    FeatureTreeWidget widget(
        QStringLiteral("Translations"),
        QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(QStringLiteral("NoFilterForThisKind")));
    auto* viewAll = widget.findChild<QCheckBox*>(QStringLiteral("checkBoxViewAllFavorites"));
    QVERIFY(viewAll);
    QCOMPARE(viewAll->text(), expected("Show Unavailable Favorites", language));

    IpAddressWidget dialog;
    QCOMPARE(dialog.windowTitle(), expected("IP Address", language));
}

QTEST_MAIN(TestTranslations)

#include "tst_translations.moc"
