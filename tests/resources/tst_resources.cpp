#include "featuretree/favoritesdata.h"
#include "featuretree/featuretreemodel.h"
#include "featuretree/featuretreewidget.h"
#include "treefixture.h"
#include "widgets/ipaddresswidget.h"

#include <QCheckBox>
#include <QTranslator>
#include <QtTest>

// The library's compiled-in resources: the translations a host installs, the message box icons.
class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void translations_data()
    {
        // The language the update step wrote into the file, then what the library shows once it is installed while
        // the widgets are up: the favourites row and its tool tip that counts an unavailable favourite, a form's check
        // box, a dialog's title.
        QTest::addColumn<QString>("shown");
        QTest::newRow("en")
            << "en | Favorites | 1 Favorite (it is unavailable for the current camera) | Show Unavailable "
               "Favorites | IP Address";
        QTest::newRow("ja") << "ja | お気に入り | お気に入り: 1 件 (現在のカメラでは使用できません) | "
                               "使用できないお気に入りを表示 | IP アドレス";
        QTest::newRow("ko") << "ko | 즐겨찾기 | 즐겨찾기: 1개 (현재 카메라에서 사용할 수 없음) | "
                               "사용할 수 없는 즐겨찾기 표시 | IP 주소";
        QTest::newRow("zh") << "zh_CN | 收藏夹 | 收藏夹：1 项（在当前相机上不可用） | 显示不可用的收藏项 | IP 地址";
    }
    void translations()
    {
        WidgetFixture f;
        QVERIFY(f.extension()->GetFavorites().append({ "Gone", "Gone", "@CameraDevice" }));
        f.extension()->rebuildFavoriteItems();
        IpAddressWidget dialog;
        dialog.show();
        // Installing a translation tells every widget that the language changed, as it does Qt's own.
        QTranslator translator;
        QVERIFY(translator.load(QString(":/translation/orvikviewercomponents6_%1.qm").arg(QTest::currentDataTag())));
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QCoreApplication::processEvents();
        const QModelIndex favorites
            = qobject_cast<FeatureTreeModel*>(f.proxy()->sourceModel())->GetFavoritesRootIndex();
        const QStringList texts { translator.language(), favorites.data().toString(),
                                  favorites.data(Qt::ToolTipRole).toString(),
                                  f.widget()->findChild<QCheckBox*>("checkBoxViewAllFavorites")->text(),
                                  dialog.windowTitle() };
        QTEST(texts.join(" | "), "shown");
    }

    void icons()
    {
        // Drawn on a transparent ground: the corners show nothing.
        for (const QString name : { "Info_32", "Warning_16_black", "Error_32", "Question_32" }) {
            const QImage image(":/orvikviewercomponents/Resources/" + name + ".png");
            const int size = name.section('_', 1, 1).toInt();
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(0, 0)) + qAlpha(image.pixel(size - 1, 0)), 0);
        }
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
