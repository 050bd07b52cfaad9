// The feature browser: the feature tree of the built-in emulated camera, of a
// camera opened with Aravis, or of a GenICam XML file; and the same cameras
// from the command line, without a window.
#include "backgroundwork.h"
#include "browsercamera.h"
#include "browseroptions.h"
#include "browserwindow.h"
#include "commandline.h"
#include "featurewalk.h"
#include "orvikviewercomponents6.h"
#include "translations.h"
#include "utils/qtcompat_p.h"
#ifdef ORVIK_HAVE_ARAVIS
#include "parametercollection/aravis/aravisparametercollection.h"
#endif

#include <QApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QPointer>
#include <QTextStream>
#include <QTimer>

#include <exception>
#include <memory>

namespace {

void setNames()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("FeatureBrowser"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(OrvikViewerComponents6::version()));
}

/// Without DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM Qt would abort when it
/// finds no display; a window needs one of them.
bool haveDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

/// The camera the options name; null when it cannot be opened, with the reason on `err`.
std::unique_ptr<BrowserCamera> openCamera(const BrowserOptions& options, QTextStream& err)
{
    try {
        if (!options.aravisDevice.isEmpty())
            return BrowserCamera::openAravis(options.aravisDevice);
        if (!options.genicamFile.isEmpty())
            return BrowserCamera::openGenICamFile(options.genicamFile);
        return BrowserCamera::openEmulated();
    } catch (const std::exception& e) {
        err << "feature-browser: " << FeatureWalk::userMessage(e, "main") << '\n';
        return nullptr;
    }
}

int listDevices(QTextStream& out)
{
#ifdef ORVIK_HAVE_ARAVIS
    out << "ID\tPROTOCOL\tVENDOR\tMODEL\tSERIAL\tADDRESS\n";
    for (const ParameterCollection::AravisDeviceInfo& d :
         ParameterCollection::AravisParameterCollection::listDevices(true))
        out << d.id << '\t' << d.protocol << '\t' << d.vendor << '\t' << d.model << '\t' << d.serialNumber << '\t'
            << d.address << '\n';
#else
    Q_UNUSED(out)
#endif
    return CommandLine::Success;
}

int runHeadless(const BrowserOptions& options, QTextStream& out, QTextStream& err)
{
    if (options.mode == BrowserOptions::Mode::Help) {
        out << BrowserOptions::usage();
        return CommandLine::Success;
    }
    if (options.mode == BrowserOptions::Mode::Version) {
        out << "feature-browser " << OrvikViewerComponents6::version() << '\n';
        return CommandLine::Success;
    }
    if (options.mode == BrowserOptions::Mode::ListDevices)
        return listDevices(out);
    std::unique_ptr<BrowserCamera> camera = openCamera(options, err);
    if (!camera)
        return CommandLine::Refused;
    return CommandLine::run(options, *camera, out, err);
}

/// Runs the event loop; then the windows closed meanwhile go, abandoning what
/// they were still opening, and the work they left running is waited for.
int exec()
{
    const int status = QApplication::exec();
    QList<QPointer<BrowserWindow>> windows;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<BrowserWindow*>(widget))
            windows << window;
    }
    for (const QPointer<BrowserWindow>& window : windows)
        delete window.data();
    BackgroundWork::waitForAll();
    return status;
}

int runWindow(QApplication& app, const BrowserOptions& options, QTextStream& err)
{
    std::unique_ptr<BrowserCamera> camera = openCamera(options, err);
    if (!camera)
        return CommandLine::Refused;
    auto* window = new BrowserWindow(std::move(camera)); // Deletes itself when closed.
    window->restoreSettings();
    if (options.visibility >= 0)
        window->chooseVisibility(options.visibility);
    window->show();
    if (options.mode != BrowserOptions::Mode::Screenshot)
        return exec();

    // Rendered once the window has laid itself out and painted.
    int result = CommandLine::Success;
    QTimer::singleShot(300, window, [&] {
        window->selectFeature(QStringLiteral("@CameraDevice/ExposureTime"));
        QApplication::processEvents();
        if (!window->grab().save(options.screenshotFile)) {
            err << "feature-browser: cannot write the image '" << options.screenshotFile << "'\n";
            result = CommandLine::Refused;
        }
        window->close();
    });
    exec();
    Q_UNUSED(app)
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const BrowserOptions options = BrowserOptions::parse(arguments);
    QTextStream out(stdout);
    QtCompat::setUtf8(out); // feature names and translated texts, whatever the locale says
    QTextStream err(stderr);
    QtCompat::setUtf8(err);
    if (!options.error.isEmpty()) {
        err << "feature-browser: " << options.error << "\n\n" << BrowserOptions::usage();
        return CommandLine::UsageError;
    }
    if (!BrowserCamera::haveAravis()
        && (options.mode == BrowserOptions::Mode::ListDevices || !options.aravisDevice.isEmpty()
            || !options.genicamFile.isEmpty())) {
        err << "feature-browser: this build has no Aravis support (--aravis, --genicam, --list-devices)\n";
        return CommandLine::NoAravisSupport;
    }
    const QString language
        = options.language.isEmpty() ? BrowserOptions::languageForLocale(QLocale::system().name()) : options.language;

    if (options.headless()) {
        // Nothing here needs a display: no QApplication, so none is looked for.
        QCoreApplication app(argc, argv);
        setNames();
        installTranslations(language, &app);
        // The details of a refusal only when asked for (QT_LOGGING_RULES="default.debug=true").
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
        return runHeadless(options, out, err);
    }

    if (!haveDisplay()) {
        err << "feature-browser: there is no display to show the window on (DISPLAY, WAYLAND_DISPLAY and "
               "QT_QPA_PLATFORM are not set).\n"
               "Set one of them (QT_QPA_PLATFORM=offscreen draws into memory), or use --dump, --get, --set,\n"
               "--save, --load or --compare, which need no display.\n";
        return CommandLine::Refused;
    }
    QApplication app(argc, argv);
    setNames();
    installTranslations(language, &app);
    return runWindow(app, options, err);
}
