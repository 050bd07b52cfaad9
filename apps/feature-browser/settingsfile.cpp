#include "settingsfile.h"

#include "camerapool/ibaseinfo.h"
#include "featurewalk.h"
#include "jsonwriter.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>

namespace {

const QString formatName = QStringLiteral("feature-browser settings");
constexpr int formatVersion = 1;
constexpr int maxPositions = 256; // of one integer selector; beyond that only its current one
constexpr int maxEntriesPerFeature = 4096;
constexpr int maxChain = 8; // selectors of selectors
constexpr int maxEntries = 200000; // in a file
constexpr qint64 maxFileSize = 64 * 1024 * 1024;
const QString aliasSuffix = QStringLiteral("/Alias");

using Parameter = QSharedPointer<ParameterCollection::IParameter>;
using Data = QSharedPointer<const ParameterCollection::ParameterData>;

Data snapshot(const Parameter& parameter)
{
    const Data data = parameter ? parameter->getParameterData() : nullptr;
    return data ? data : Data::create();
}

/// Moves selectors to positions and puts every one it moved back, newest
/// first, when asked or when it goes.
class SelectorMover
{
public:
    explicit SelectorMover(const SettingsFile::CollectionList& collections)
        : m_collections(collections)
    { }
    ~SelectorMover() { restore(); }
    /// Throws with a reason when a selector is missing or refuses the position.
    void move(const QString& selector, const QString& position)
    {
        const Parameter parameter = FeatureWalk::find(m_collections, selector);
        if (!parameter)
            throw std::runtime_error(
                SettingsFile::tr("the selector %1 is not on this device").arg(selector).toStdString());
        const QString current = FeatureWalk::valueText(*snapshot(parameter));
        if (current == position)
            return;
        if (!m_moved.contains(selector))
            m_order << qMakePair(selector, current), m_moved.insert(selector);
        FeatureWalk::write(*parameter, position);
    }
    void restore()
    {
        while (!m_order.isEmpty()) {
            const auto back = m_order.takeLast();
            m_moved.remove(back.first);
            try {
                if (const Parameter parameter = FeatureWalk::find(m_collections, back.first))
                    FeatureWalk::write(*parameter, back.second);
            } catch (const std::exception& e) {
                // A selector left elsewhere changes no stored value; say so in the log only.
                qWarning("Failed to put the selector %s back.", qPrintable(back.first));
                FeatureWalk::userMessage(e, "SelectorMover::restore");
            }
        }
    }

private:
    SettingsFile::CollectionList m_collections;
    QList<QPair<QString, QString>> m_order;
    QSet<QString> m_moved;
};

/// The positions a selector can take now: enumeration entries, or the values
/// of a small integer range; otherwise only the current one.
QStringList positionsOf(const ParameterCollection::ParameterData& d)
{
    if (d.type == ParameterCollection::TypeEnumeration && !d.enumEntryNames.isEmpty())
        return d.enumEntryNames;
    if (d.type == ParameterCollection::TypeInteger && d.intInc > 0 && d.intMax >= d.intMin
        && (d.intMax - d.intMin) / d.intInc < maxPositions) {
        QStringList positions;
        for (qint64 v = d.intMin; v <= d.intMax; v += d.intInc)
            positions << QString::number(v);
        return positions;
    }
    if (d.type == ParameterCollection::TypeBoolean)
        return { QStringLiteral("false"), QStringLiteral("true") };
    return { FeatureWalk::valueText(d) };
}

/// Every value feature of the collections, in walk order, and what each depends on.
struct Graph
{
    QStringList order; // walk order
    QHash<QString, Parameter> parameters;
    QHash<QString, QStringList> selectors; // direct selectors
    QHash<QString, QStringList> before; // features that must come first

    QString known(const QString& name) const
    {
        if (parameters.contains(name))
            return name;
        if (name.endsWith(aliasSuffix) && parameters.contains(name.chopped(aliasSuffix.size())))
            return name.chopped(aliasSuffix.size());
        return QString();
    }
};

Graph buildGraph(const SettingsFile::CollectionList& collections)
{
    Graph g;
    QHash<QString, ParameterCollection::IParameterCollection*> owner;
    for (const auto& collection : collections) {
        FeatureWalk::walk(*collection, [&](const FeatureWalk::Node& node) {
            if (!FeatureWalk::hasValue(*node.data))
                return;
            const QString name = node.parameter->getFullName();
            g.order << name;
            g.parameters.insert(name, node.parameter);
            owner.insert(name, collection.data());
        });
    }
    for (const QString& name : qAsConst(g.order)) {
        const ParameterCollection::FeatureDependencies d = owner.value(name)->getDependencies(name);
        QStringList& before = g.before[name];
        for (const QString& s : d.selectors) {
            const QString k = g.known(s);
            if (!k.isEmpty() && k != name) {
                g.selectors[name] << k;
                before << k;
            }
        }
        for (const QString& r : d.references) {
            const QString k = g.known(r);
            if (!k.isEmpty() && k != name && !before.contains(k))
                before << k;
        }
    }
    return g;
}

/// The features `from` depends on, directly or not, that are not placed yet.
QSet<QString> unplacedDependencies(const Graph& g, const QString& from, const QSet<QString>& placed)
{
    QSet<QString> seen;
    QStringList stack { from };
    while (!stack.isEmpty()) {
        for (const QString& b : g.before.value(stack.takeLast())) {
            if (!placed.contains(b) && !seen.contains(b)) {
                seen.insert(b);
                stack << b;
            }
        }
    }
    return seen;
}

/// Walk order, each feature after those it depends on. Features that depend
/// on each other (Width and OffsetX limit each other) come in walk order,
/// before anything that depends on them, and are left to the load's retries.
QStringList loadOrder(const Graph& g)
{
    QStringList result;
    QSet<QString> placed;
    QStringList remaining = g.order;
    const auto free = [&](const QString& name) {
        const QStringList& before = g.before.value(name);
        return std::all_of(before.begin(), before.end(), [&](const QString& b) { return placed.contains(b); });
    };
    // Stuck on a cycle: the first feature whose unplaced dependencies all depend on it in turn.
    const auto firstOfACycle = [&](const QString& name) {
        const QSet<QString> needs = unplacedDependencies(g, name, placed);
        return std::all_of(needs.begin(), needs.end(),
                           [&](const QString& n) { return unplacedDependencies(g, n, placed).contains(name); });
    };
    while (!remaining.isEmpty()) {
        QSet<QString> next;
        auto pick = std::find_if(remaining.begin(), remaining.end(), free);
        if (pick == remaining.end()) {
            // The whole cycle goes at once: its features depend on nothing else left.
            pick = std::find_if(remaining.begin(), remaining.end(), firstOfACycle);
            if (pick != remaining.end())
                next = unplacedDependencies(g, *pick, placed);
        }
        next.insert(pick == remaining.end() ? remaining.first() : *pick);
        for (auto i = remaining.begin(); i != remaining.end();) {
            if (next.contains(*i)) {
                placed.insert(*i);
                result << *i;
                i = remaining.erase(i);
            } else {
                ++i;
            }
        }
    }
    return result;
}

/// The chain of writable selectors of `name`, outermost first.
QStringList selectorChain(const Graph& g, const QString& name, int depth = 0)
{
    QStringList chain;
    if (depth > maxChain)
        return chain;
    for (const QString& s : g.selectors.value(name)) {
        for (const QString& outer : selectorChain(g, s, depth + 1))
            if (!chain.contains(outer))
                chain << outer;
        if (!chain.contains(s) && snapshot(g.parameters.value(s))->isWritable)
            chain << s;
    }
    return chain;
}

void captureAt(const Graph& g, const QString& name, const QStringList& chain, int level,
               QList<QPair<QString, QString>>& positions, SelectorMover& mover, QList<SettingsFile::Entry>& out,
               int& count)
{
    if (level == chain.size()) {
        const Data d = snapshot(g.parameters.value(name));
        if (d->isWritable && d->isReadable && count++ < maxEntriesPerFeature)
            out << SettingsFile::Entry { name, positions, FeatureWalk::valueText(*d) };
        return;
    }
    const QString& selector = chain.at(level);
    for (const QString& position : positionsOf(*snapshot(g.parameters.value(selector)))) {
        try {
            mover.move(selector, position);
        } catch (const std::exception&) {
            continue; // a position the selector does not take in this state
        }
        positions << qMakePair(selector, position);
        captureAt(g, name, chain, level + 1, positions, mover, out, count);
        positions.removeLast();
    }
}

/// A value as written and as read back name the same value.
bool sameValue(const QString& a, const QString& b, int type)
{
    if (a == b)
        return true;
    if (type == ParameterCollection::TypeFloat) {
        bool okA = false, okB = false;
        const double x = a.toDouble(&okA), y = b.toDouble(&okB);
        return okA && okB && std::fabs(x - y) <= 1e-12 * qMax(std::fabs(x), std::fabs(y));
    }
    return false;
}

QString reasonOf(const std::exception& e)
{
    return FeatureWalk::userMessage(e, "SettingsFile");
}

} // namespace

SettingsFile SettingsFile::capture(const CollectionList& collections, const Plugin::CameraPool::IBaseInfo& info,
                                   Positions positions)
{
    SettingsFile file;
    file.vendor = info.getVendorName();
    file.model = info.getModelName();
    file.serial = info.getSerialNumber();
    const Graph g = buildGraph(collections);
    SelectorMover mover(collections);
    for (const QString& name : loadOrder(g)) {
        const QStringList chain = selectorChain(g, name);
        QList<QPair<QString, QString>> at;
        if (positions == Positions::Current) {
            for (const QString& s : chain)
                at << qMakePair(s, FeatureWalk::valueText(*snapshot(g.parameters.value(s))));
        }
        int count = 0;
        captureAt(g, name, positions == Positions::Current ? QStringList() : chain, 0, at, mover, file.entries, count);
        mover.restore();
    }
    return file;
}

SettingsFile::Report SettingsFile::apply(const CollectionList& collections) const
{
    Report report;
    QList<QPair<const Entry*, QString>> pending; // with the reason of the last refusal
    for (const Entry& e : entries)
        pending << qMakePair(&e, QString());
    SelectorMover mover(collections);
    for (bool progress = true; progress && !pending.isEmpty();) {
        progress = false;
        QList<QPair<const Entry*, QString>> refused;
        for (int i = 0; i < pending.size(); ++i) {
            const Entry& e = *pending.at(i).first;
            const Parameter parameter = FeatureWalk::find(collections, e.name);
            if (!parameter) {
                report.skipped << Problem { describe(e), tr("not on this device") };
                continue;
            }
            try {
                for (const auto& s : e.selectors)
                    mover.move(s.first, s.second);
                const Data d = snapshot(parameter);
                if (!(d->isReadable && sameValue(FeatureWalk::valueText(*d), e.value, d->type))) {
                    if (!d->isWritable)
                        throw std::runtime_error(tr("the feature cannot be written now (%1)")
                                                     .arg(FeatureWalk::accessText(*d))
                                                     .toStdString());
                    FeatureWalk::write(*parameter, e.value);
                }
                ++report.written;
                progress = true;
            } catch (const std::exception& x) {
                refused << qMakePair(&e, reasonOf(x));
            }
            if (i + 1 == pending.size() || pending.at(i + 1).first->name != e.name)
                mover.restore();
        }
        mover.restore();
        pending = refused;
    }
    for (const auto& item : qAsConst(pending))
        report.failed << Problem { describe(*item.first), item.second };
    return report;
}

QList<SettingsFile::Difference> SettingsFile::compare(const CollectionList& collections) const
{
    QList<Difference> differences;
    SelectorMover mover(collections);
    for (int i = 0; i < entries.size(); ++i) {
        const Entry& e = entries.at(i);
        const Parameter parameter = FeatureWalk::find(collections, e.name);
        if (!parameter) {
            differences << Difference { describe(e), e.value, QString(), true };
            continue;
        }
        try {
            for (const auto& s : e.selectors)
                mover.move(s.first, s.second);
            const Data d = snapshot(parameter);
            const QString current = d->isReadable ? FeatureWalk::valueText(*d) : QString();
            if (!sameValue(current, e.value, d->type))
                differences << Difference { describe(e), e.value, current, false };
        } catch (const std::exception& x) {
            differences << Difference { describe(e), e.value, reasonOf(x), true };
        }
        if (i + 1 == entries.size() || entries.at(i + 1).name != e.name)
            mover.restore();
    }
    return differences;
}

QString SettingsFile::describe(const Entry& entry)
{
    if (entry.selectors.isEmpty())
        return entry.name;
    QStringList at;
    for (const auto& s : entry.selectors)
        at << s.first.section(QLatin1Char('/'), -1) + QLatin1Char('=') + s.second;
    return entry.name + QLatin1Char('[') + at.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString SettingsFile::toJson() const
{
    JsonWriter out;
    out.beginObject();
    out.value(QStringLiteral("format"), formatName);
    out.value(QStringLiteral("version"), qint64(formatVersion));
    out.value(QStringLiteral("vendor"), vendor);
    out.value(QStringLiteral("model"), model);
    out.value(QStringLiteral("serial"), serial);
    out.beginArray(QStringLiteral("features"));
    for (const Entry& e : entries) {
        QString line = QStringLiteral("{\"name\": ") + JsonWriter::quoted(e.name);
        if (!e.selectors.isEmpty()) {
            QStringList at;
            for (const auto& s : e.selectors)
                at << JsonWriter::quoted(s.first + QLatin1Char('=') + s.second);
            line += QStringLiteral(", \"selectors\": [") + at.join(QLatin1String(", ")) + QLatin1Char(']');
        }
        out.raw(QString(), line + QStringLiteral(", \"value\": ") + JsonWriter::quoted(e.value) + QLatin1Char('}'));
    }
    out.endArray();
    out.endObject();
    return out.text();
}

bool SettingsFile::fromJson(const QByteArray& json, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (document.isNull()) {
        *error = tr("not a settings file: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset);
        return false;
    }
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("format")).toString() != formatName) {
        *error = tr("not a settings file of the feature browser");
        return false;
    }
    if (root.value(QStringLiteral("version")).toInt() > formatVersion) {
        *error = tr("the settings file was written by a newer feature browser (version %1)")
                     .arg(root.value(QStringLiteral("version")).toInt());
        return false;
    }
    const QJsonArray features = root.value(QStringLiteral("features")).toArray();
    if (features.size() > maxEntries) {
        *error = tr("the settings file has more than %1 values").arg(maxEntries);
        return false;
    }
    QList<Entry> read;
    for (int i = 0; i < features.size(); ++i) {
        const QJsonObject o = features.at(i).toObject();
        Entry e;
        e.name = o.value(QStringLiteral("name")).toString();
        const QJsonValue value = o.value(QStringLiteral("value"));
        e.value = value.toString();
        bool ok = !e.name.isEmpty() && value.isString();
        for (const QJsonValue& s : o.value(QStringLiteral("selectors")).toArray()) {
            const QString text = s.toString();
            const int equals = text.indexOf(QLatin1Char('='));
            ok = ok && equals > 0;
            e.selectors << qMakePair(text.left(equals), text.mid(equals + 1));
        }
        if (!ok) {
            *error = tr("entry %1 of the settings file needs a name and a text value").arg(i + 1);
            return false;
        }
        read << e;
    }
    vendor = root.value(QStringLiteral("vendor")).toString();
    model = root.value(QStringLiteral("model")).toString();
    serial = root.value(QStringLiteral("serial")).toString();
    entries = read;
    return true;
}

bool SettingsFile::save(const QString& path, QString* error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson().toUtf8()) < 0 || !file.commit()) {
        *error = tr("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool SettingsFile::load(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = tr("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > maxFileSize) {
        *error = tr("%1 is too large for a settings file").arg(path);
        return false;
    }
    return fromJson(file.readAll(), error);
}

QString SettingsFile::reportText(const Report& report)
{
    QString text;
    for (const Problem& p : report.failed)
        text += tr("%1: not set: %2").arg(p.feature, p.reason) + QLatin1Char('\n');
    for (const Problem& p : report.skipped)
        text += tr("%1: skipped: %2").arg(p.feature, p.reason) + QLatin1Char('\n');
    return text;
}

QString SettingsFile::differenceText(const QList<Difference>& differences)
{
    QString text;
    for (const Difference& d : differences) {
        text += d.missing
            ? tr("%1: saved %2, %3").arg(d.feature, d.saved, d.current.isEmpty() ? tr("not on this device") : d.current)
            : tr("%1: saved %2, now %3").arg(d.feature, d.saved, d.current);
        text += QLatin1Char('\n');
    }
    return text;
}
