// The feature browser: the feature tree of the built-in emulated camera, of a
// camera opened with Aravis, or of a GenICam XML file.
#include "browseroptions.h"
#include "browserwindow.h"
#include "featuretree/featuretreewidget.h"
#include "orvikviewercomponents6.h"
#include "utils/qtcompat_p.h"
#ifdef ORVIK_HAVE_ARAVIS
#include "camerapool/staticbaseinfo.h"
#include "parametercollection/aravis/aravisparametercollection.h"
#endif

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <exception>
#include <memory>

namespace {

void installTranslations(QApplication& app, const QString& language)
{
    if (language == QLatin1String("en"))
        return;
    auto* library = new QTranslator(&app);
    if (library->load(QStringLiteral(":/translation/orvikviewercomponents6_%1.qm").arg(language)))
        app.installTranslator(library);
    auto* browser = new QTranslator(&app);
    if (browser->load(QStringLiteral(":/featurebrowser/featurebrowser_%1.qm").arg(language)))
        app.installTranslator(browser);
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_%1").arg(language), QtCompat::qtTranslationsPath()))
        app.installTranslator(qt);
}

/// Exit code when an Aravis option is used in a build without Aravis.
constexpr int noAravisSupport = 3;

#ifdef ORVIK_HAVE_ARAVIS
int listDevices(QTextStream& out)
{
    const QList<ParameterCollection::AravisDeviceInfo> devices
        = ParameterCollection::AravisParameterCollection::listDevices(true);
    out << "ID\tPROTOCOL\tVENDOR\tMODEL\tSERIAL\tADDRESS\n";
    for (const ParameterCollection::AravisDeviceInfo& d : devices)
        out << d.id << '\t' << d.protocol << '\t' << d.vendor << '\t' << d.model << '\t' << d.serialNumber << '\t'
            << d.address << '\n';
    return 0;
}

/// The window for a camera opened with Aravis or a GenICam XML file.
std::unique_ptr<BrowserWindow> openWithAravis(const BrowserOptions& options)
{
    using ParameterCollection::AravisParameterCollection;
    const QSharedPointer<AravisParameterCollection> collection = options.genicamFile.isEmpty()
        ? AravisParameterCollection::openDevice(options.aravisDevice)
        : AravisParameterCollection::openXmlFile(options.genicamFile);
    const ParameterCollection::AravisDeviceInfo d = collection->deviceInfo();
    const QString name = options.genicamFile.isEmpty() ? QStringLiteral("%1 (%2)").arg(d.model, options.aravisDevice)
                                                       : QFileInfo(options.genicamFile).fileName();
    const auto info = QSharedPointer<Plugin::CameraPool::StaticBaseInfo>::create(collection->deviceClass(), name,
                                                                                 d.serialNumber, d.model, d.vendor);
    const QString rootName
        = options.genicamFile.isEmpty() ? QStringLiteral("Camera Device") : QStringLiteral("GenICam File");
    return std::make_unique<BrowserWindow>(
        QList<BrowserWindow::Collection> { { collection, rootName, collection->getRoleName() } }, info);
}
#endif

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Orvik"));
    QCoreApplication::setApplicationName(QStringLiteral("FeatureBrowser"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(OrvikViewerComponents6::version()));

    const BrowserOptions options = BrowserOptions::parse(app.arguments().mid(1));
    QTextStream out(stdout);
    QtCompat::setUtf8(out); // feature names and translated texts, whatever the locale says
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

    const bool aravis = options.mode == BrowserOptions::Mode::ListDevices || !options.aravisDevice.isEmpty()
        || !options.genicamFile.isEmpty();
#ifdef ORVIK_HAVE_ARAVIS
    if (options.mode == BrowserOptions::Mode::ListDevices)
        return listDevices(out);
#else
    if (aravis) {
        err << "feature-browser: this build has no Aravis support (--aravis, --genicam, --list-devices)\n";
        return noAravisSupport;
    }
#endif

    installTranslations(app,
                        options.language.isEmpty() ? BrowserOptions::languageForLocale(QLocale::system().name())
                                                   : options.language);

    std::unique_ptr<BrowserWindow> owner;
#ifdef ORVIK_HAVE_ARAVIS
    if (aravis) {
        try {
            owner = openWithAravis(options);
        } catch (const std::exception& e) {
            err << "feature-browser: " << QString::fromUtf8(e.what()) << '\n';
            return 1;
        }
    }
#endif
    if (!owner)
        owner = std::make_unique<BrowserWindow>();
    BrowserWindow& window = *owner;
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
