#include "commandline.h"

#include "browsercamera.h"
#include "featuredump.h"
#include "featurewalk.h"
#include "genicam/genapienums.h"
#include "parametercollection/iparameter.h"
#include "settingsfile.h"

#include <QTextStream>

#include <exception>

namespace CommandLine {

namespace {

const QString prefix = QStringLiteral("feature-browser: ");

bool get(const QStringList& names, const FeatureWalk::CollectionList& collections, QTextStream& out, QTextStream& err)
{
    for (const QString& name : names) {
        const auto parameter = FeatureWalk::find(collections, name);
        const auto data = parameter ? parameter->getParameterData() : nullptr;
        if (!data || !FeatureWalk::hasValue(*data)) {
            err << prefix << name << ": no such feature with a value\n";
            return false;
        }
        if (!data->isReadable) {
            err << prefix << name << ": cannot be read (" << FeatureWalk::accessText(*data) << ")\n";
            return false;
        }
        out << FeatureWalk::valueText(*data) << '\n';
    }
    return true;
}

bool set(const QStringList& pairs, const FeatureWalk::CollectionList& collections, QTextStream& err)
{
    for (const QString& pair : pairs) {
        const QString name = pair.section(QLatin1Char('='), 0, 0);
        const QString value = pair.section(QLatin1Char('='), 1);
        const auto parameter = FeatureWalk::find(collections, name);
        if (!parameter) {
            err << prefix << name << ": no such feature\n";
            return false;
        }
        try {
            FeatureWalk::write(*parameter, value);
        } catch (const std::exception& e) {
            err << prefix << name << ": " << FeatureWalk::userMessage(e, "CommandLine::set") << '\n';
            return false;
        }
    }
    return true;
}

bool readFile(const QString& path, SettingsFile& file, QTextStream& err)
{
    QString error;
    if (file.load(path, &error))
        return true;
    err << prefix << error << '\n';
    return false;
}

} // namespace

int run(const BrowserOptions& options, BrowserCamera& camera, QTextStream& out, QTextStream& err)
{
    const FeatureWalk::CollectionList collections = camera.parameterCollections();
    const int visibility = options.visibility >= 0 ? options.visibility : int(GenApi::Guru);
    for (const BrowserOptions::Action& action : options.actions) {
        bool ok = true;
        SettingsFile file;
        QString error;
        try {
            switch (action.kind) {
            case BrowserOptions::Action::Dump:
                out << (options.format == BrowserOptions::Format::Json ? FeatureDump::json(camera, visibility)
                                                                       : FeatureDump::text(camera, visibility));
                break;
            case BrowserOptions::Action::Get:
                ok = get(action.arguments, collections, out, err);
                break;
            case BrowserOptions::Action::Set:
                ok = set(action.arguments, collections, err);
                break;
            case BrowserOptions::Action::Save:
                ok = SettingsFile::capture(collections, *camera.info()).save(action.arguments.first(), &error);
                if (!ok)
                    err << prefix << error << '\n';
                break;
            case BrowserOptions::Action::Load:
                if ((ok = readFile(action.arguments.first(), file, err))) {
                    const SettingsFile::Report report = file.apply(collections);
                    err << SettingsFile::reportText(report);
                    ok = report.ok();
                }
                break;
            case BrowserOptions::Action::Compare:
                if ((ok = readFile(action.arguments.first(), file, err))) {
                    const QList<SettingsFile::Difference> differences = file.compare(collections);
                    out << SettingsFile::differenceText(differences);
                    ok = differences.isEmpty();
                }
                break;
            }
        } catch (const std::exception& e) {
            err << prefix << FeatureWalk::userMessage(e, "CommandLine::run") << '\n';
            ok = false;
        }
        out.flush();
        err.flush();
        if (!ok)
            return Refused;
    }
    return Success;
}

} // namespace CommandLine
