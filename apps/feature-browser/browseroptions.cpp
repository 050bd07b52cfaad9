#include "browseroptions.h"

namespace {
const QStringList languages{QStringLiteral("en"), QStringLiteral("ja"), QStringLiteral("ko"), QStringLiteral("zh")};
const QStringList levels{QStringLiteral("beginner"), QStringLiteral("expert"), QStringLiteral("guru"),
                         QStringLiteral("invisible")};
} // namespace

QString BrowserOptions::usage()
{
    return QStringLiteral(
        "Usage: feature-browser [options]\n"
        "Shows the features of the built-in emulated camera, of a camera opened with\n"
        "Aravis or of a GenICam XML file in a feature tree.\n"
        "\n"
        "Options:\n"
        "  --lang en|ja|ko|zh     language of the user interface (default: the system's)\n"
        "  --level beginner|expert|guru|invisible\n"
        "                         visibility level to start with (default: the last one used)\n"
        "  --aravis ID            open the camera of that Aravis device id (\"Fake_1\" is\n"
        "                         Aravis's fake camera) instead of the emulated camera\n"
        "  --genicam FILE         open a GenICam XML file without a device\n"
        "  --list-devices         list the devices Aravis finds and exit\n"
        "  --dump                 print the whole tree as text and exit\n"
        "  --screenshot FILE      render the window into an image file and exit\n"
        "  --version              print the version and exit\n"
        "  -h, --help             print this help and exit\n");
}

QString BrowserOptions::languageForLocale(const QString& localeName)
{
    const QString language = localeName.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
    return languages.contains(language) ? language : QStringLiteral("en");
}

BrowserOptions BrowserOptions::parse(const QStringList& arguments)
{
    BrowserOptions options;
    auto fail = [&options](const QString& message) {
        options.error = message;
        return options;
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        const bool hasValue = i + 1 < arguments.size();
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            options.mode = Mode::Help;
        } else if (a == QLatin1String("--version")) {
            options.mode = Mode::Version;
        } else if (a == QLatin1String("--dump")) {
            options.mode = Mode::Dump;
        } else if (a == QLatin1String("--screenshot")) {
            if (!hasValue || arguments.at(i + 1).isEmpty())
                return fail(QStringLiteral("--screenshot needs a file name"));
            options.mode = Mode::Screenshot;
            options.screenshotFile = arguments.at(++i);
        } else if (a == QLatin1String("--list-devices")) {
            options.mode = Mode::ListDevices;
        } else if (a == QLatin1String("--aravis") || a == QLatin1String("--genicam")) {
            const bool aravis = a == QLatin1String("--aravis");
            if (!hasValue || arguments.at(i + 1).isEmpty() || arguments.at(i + 1).startsWith(QLatin1String("--")))
                return fail(aravis ? QStringLiteral("--aravis needs a device id (see --list-devices)")
                                   : QStringLiteral("--genicam needs a file name"));
            (aravis ? options.aravisDevice : options.genicamFile) = arguments.at(++i);
            if (!options.aravisDevice.isEmpty() && !options.genicamFile.isEmpty())
                return fail(QStringLiteral("--aravis and --genicam cannot be combined"));
        } else if (a == QLatin1String("--lang")) {
            if (!hasValue)
                return fail(QStringLiteral("--lang needs one of: %1").arg(languages.join(QLatin1String(", "))));
            const QString language = arguments.at(++i).toLower();
            if (!languages.contains(language))
                return fail(QStringLiteral("unknown language '%1' (choose one of: %2)")
                                .arg(arguments.at(i), languages.join(QLatin1String(", "))));
            options.language = language;
        } else if (a == QLatin1String("--level")) {
            if (!hasValue)
                return fail(QStringLiteral("--level needs one of: %1").arg(levels.join(QLatin1String(", "))));
            options.visibility = levels.indexOf(arguments.at(++i).toLower());
            if (options.visibility < 0)
                return fail(QStringLiteral("unknown level '%1' (choose one of: %2)")
                                .arg(arguments.at(i), levels.join(QLatin1String(", "))));
        } else {
            return fail(QStringLiteral("unknown argument '%1'").arg(a));
        }
    }
    return options;
}
