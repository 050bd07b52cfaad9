#include "translations.h"

#include "utils/qtcompat_p.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QTranslator>

QList<QTranslator*> installTranslations(const QString& language, QObject* owner)
{
    QList<QTranslator*> installed;
    if (language == QLatin1String("en"))
        return installed;
    const auto install = [&](const auto& load) {
        auto* translator = new QTranslator(owner);
        if (load(translator) && QCoreApplication::installTranslator(translator))
            installed << translator;
        else
            delete translator;
    };
    for (const char* file : { ":/translation/orvikviewercomponents6_%1.qm", ":/featurebrowser/featurebrowser_%1.qm" })
        install([&](QTranslator* t) { return t->load(QString::fromLatin1(file).arg(language)); });
    // Qt ships Chinese as qtbase_zh_CN and qtbase_zh_TW: look Qt's files up by
    // locale, which tries zh_CN before zh. The browser's Chinese is simplified.
    const QLocale locale(language == QLatin1String("zh") ? QStringLiteral("zh_CN") : language);
    install([&](QTranslator* t) {
        return t->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QtCompat::qtTranslationsPath());
    });
    return installed;
}
