#include "browseroptions.h"

namespace {
const QStringList languages { QStringLiteral("en"), QStringLiteral("ja"), QStringLiteral("ko"), QStringLiteral("zh") };
const QStringList levels { QStringLiteral("beginner"), QStringLiteral("expert"), QStringLiteral("guru"),
                           QStringLiteral("invisible") };
} // namespace

QString BrowserOptions::usage()
{
    return QStringLiteral("Usage: feature-browser [options]\n"
                          "Shows the features of the built-in emulated camera, of a camera opened with\n"
                          "Aravis or of a GenICam XML file in a feature tree.\n"
                          "\n"
                          "Options:\n"
                          "  --lang en|ja|ko|zh     language of the user interface (default: the system's)\n"
                          "  --level beginner|expert|guru|invisible\n"
                          "                         visibility level to show (window: the last one used;\n"
                          "                         --dump: guru)\n"
                          "  --aravis ID            open the camera of that Aravis device id (\"Fake_1\" is\n"
                          "                         Aravis's fake camera) instead of the emulated camera\n"
                          "  --genicam FILE         open a GenICam XML file without a device\n"
                          "  --list-devices         list the devices Aravis finds and exit\n"
                          "\n"
                          "Without a window (no display needed), in the order given, then exit:\n"
                          "  --dump                 print every feature (see --format)\n"
                          "  --format text|json     how --dump prints: an aligned tree (default) or JSON\n"
                          "  --get NAME...          print the value of each feature, one a line\n"
                          "  --set NAME=VALUE...    write the features in the order given; stops at the\n"
                          "                         first one the camera refuses\n"
                          "  --save FILE            write the values of every writable feature to FILE\n"
                          "  --load FILE            put the values of FILE back and report those refused\n"
                          "  --compare FILE         list the features whose value differs from FILE\n"
                          "  NAME is a feature's name (Width) or full name (@CameraDevice/Width).\n"
                          "  Exit status: 0 when everything went through, 1 when the camera refused\n"
                          "  something or a compared value differs, 2 for a usage error.\n"
                          "\n"
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
            options.actions << Action { Action::Dump, {} };
        } else if (a == QLatin1String("--format")) {
            const QString format = hasValue ? arguments.at(++i).toLower() : QString();
            if (format != QLatin1String("text") && format != QLatin1String("json"))
                return fail(QStringLiteral("--format needs text or json"));
            options.format = format == QLatin1String("json") ? Format::Json : Format::Text;
        } else if (a == QLatin1String("--get") || a == QLatin1String("--set")) {
            const bool set = a == QLatin1String("--set");
            Action action { set ? Action::Set : Action::Get, {} };
            while (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--"))) {
                const QString& item = arguments.at(++i);
                if (item.isEmpty() || (set && item.indexOf(QLatin1Char('=')) <= 0))
                    return fail(set ? QStringLiteral("--set takes NAME=VALUE, not '%1'").arg(item)
                                    : QStringLiteral("--get takes feature names, not an empty one"));
                action.arguments << item;
            }
            if (action.arguments.isEmpty())
                return fail(set ? QStringLiteral("--set needs at least one NAME=VALUE")
                                : QStringLiteral("--get needs at least one feature name"));
            options.actions << action;
        } else if (a == QLatin1String("--save") || a == QLatin1String("--load") || a == QLatin1String("--compare")) {
            if (!hasValue || arguments.at(i + 1).isEmpty() || arguments.at(i + 1).startsWith(QLatin1String("--")))
                return fail(QStringLiteral("%1 needs a file name").arg(a));
            const Action::Kind kind = a == QLatin1String("--save") ? Action::Save
                : a == QLatin1String("--load")                     ? Action::Load
                                                                   : Action::Compare;
            options.actions << Action { kind, { arguments.at(++i) } };
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
    if (!options.actions.isEmpty()) {
        if (options.mode == Mode::Screenshot || options.mode == Mode::ListDevices)
            return fail(QStringLiteral("--screenshot and --list-devices cannot be combined with --dump, --get, "
                                       "--set, --save, --load or --compare"));
        if (options.mode == Mode::Window)
            options.mode = Mode::Commands;
    }
    return options;
}
