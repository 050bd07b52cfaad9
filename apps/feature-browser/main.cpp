// The feature browser: the feature tree of the built-in emulated camera.
#include "browseroptions.h"
#include "browserwindow.h"
#include "featuretree/featuretreewidget.h"
#include "orvikviewercomponents6.h"

#include <QApplication>
#include <QClipboard>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstdio>

namespace {

void installTranslations(QApplication& app, const QString& language)
{
    if (language == QLatin1String("en"))
        return;
    auto* library = new QTranslator(&app);
    if (library->load(QStringLiteral(":/translation/orvikviewercomponents6_%1.qm").arg(language)))
        app.installTranslator(library);
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_%1").arg(language), QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qt);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("FeatureBrowser"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(OrvikViewerComponents6::version()));

    const BrowserOptions options = BrowserOptions::parse(app.arguments().mid(1));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!options.error.isEmpty()) {
        err << "feature-browser: " << options.error << "\n\n" << BrowserOptions::usage();
        return 2;
    }
    if (options.mode == BrowserOptions::Mode::Help) {
        out << BrowserOptions::usage();
        return 0;
    }
    if (options.mode == BrowserOptions::Mode::Version) {
        out << "feature-browser " << OrvikViewerComponents6::version() << '\n';
        return 0;
    }

    installTranslations(app, options.language.isEmpty() ? BrowserOptions::languageForLocale(QLocale::system().name())
                                                        : options.language);

    BrowserWindow window;
    window.restoreSettings();
    if (options.visibility >= 0)
        window.chooseVisibility(options.visibility);

    if (options.mode == BrowserOptions::Mode::Dump) {
        window.featureTree()->copyToClipboard();
        out << QApplication::clipboard()->text();
        return 0;
    }

    window.show();
    if (options.mode == BrowserOptions::Mode::Screenshot) {
        // Rendered once the window has laid itself out and painted.
        int result = 0;
        QTimer::singleShot(300, &window, [&] {
            window.selectFeature(QStringLiteral("@CameraDevice/ExposureTime"));
            QApplication::processEvents();
            if (!window.grab().save(options.screenshotFile)) {
                err << "feature-browser: cannot write the image '" << options.screenshotFile << "'\n";
                result = 1;
            }
            QApplication::quit();
        });
        QApplication::exec();
        return result;
    }
    return QApplication::exec();
}
