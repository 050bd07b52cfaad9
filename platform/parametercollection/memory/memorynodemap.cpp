#include "memorynodemap_p.h"

#include "genicam/genericexception.h"
#include "memoryparameter_p.h"
#include "parametercollection/reachable_p.h"
#include "parametercollection/valuetext.h"
#include "utils/qtcompat_p.h"

#include <QMutexLocker>
#include <QThread>

#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <utility>

namespace ParameterCollection {

namespace {

std::string quoted(const QString& s)
{
    return "'" + s.toStdString() + "'";
}

qint64 toInt64(double v)
{
    if (v >= 9.2233720368547758e18)
        return std::numeric_limits<qint64>::max();
    if (v <= -9.2233720368547758e18)
        return std::numeric_limits<qint64>::min();
    return std::llround(v);
}

// A limit that is no finite number would pass every range check (NaN) or
// offer an endless range to editors: refused wherever it is evaluated.
double limit(const Expression& x, const Expression::Resolver& resolve, const QString& node, const char* which)
{
    const double v = x.evaluateNumber(resolve);
    if (!std::isfinite(v))
        GENICAM_THROW(LogicalErrorException,
                      std::string("The ") + which + " of node " + quoted(node) + " is not a finite number");
    return v;
}

const char* operationName(MemoryNodeMap::Operation op)
{
    using Op = MemoryNodeMap::Operation;
    switch (op) {
    case Op::Any: return "any operation";
    case Op::GetParameter: return "getParameter";
    case Op::GetChildren: return "getChildren";
    case Op::HasParameter: return "hasParameter";
    case Op::Refresh: return "refresh";
    case Op::Poll: return "poll";
    case Op::GetType: return "getType";
    case Op::GetVisibility: return "getVisibility";
    case Op::IsWritable: return "isWritable";
    case Op::GetParameterData: return "getParameterData";
    case Op::GetProperties: return "getProperties";
    case Op::GetProperty: return "getProperty";
    case Op::SetProperty: return "setProperty";
    case Op::SetValue: return "setValue";
    case Op::SetState: return "setState";
    case Op::Execute: return "execute";
    case Op::GetValue: return "getValue";
    }
    return "";
}

} // namespace

// --- set-up and bookkeeping -------------------------------------------------

void MemoryNodeMap::finishLoading(const QString& role, QHash<QString, int> index)
{
    m_role = role;
    m_index = std::move(index);
    m_clock.start();
    for (int i = 0; i < m_nodes.size(); ++i) {
        MemoryNode& n = m_nodes[i];
        n.handle = createParameterHandle(sharedFromThis(), i, n.kind);
        if (n.behaviour != MemoryNode::NoBehaviour || n.kind == MemoryNode::Command)
            m_liveNodes << i;
    }
}

void MemoryNodeMap::recordBaseline()
{
    // The first snapshots are the baseline that later changes are measured against.
    for (MemoryNode& n : m_nodes)
        n.lastReported = buildSnapshot(n);
}

int MemoryNodeMap::indexOf(const QString& name) const
{
    const QString prefix = m_role + QLatin1Char('/');
    const QString plain = name.startsWith(prefix) ? name.mid(prefix.size()) : name;
    return m_index.value(plain, -1);
}

QSharedPointer<MemoryParameter> MemoryNodeMap::handle(int index) const
{
    return m_nodes.at(index).handle;
}

void MemoryNodeMap::setEncoding(TextEncoding encoding)
{
    QMutexLocker lock(&m_mutex);
    m_encoding = encoding;
}

MemoryNodeMap::TextEncoding MemoryNodeMap::encoding() const
{
    QMutexLocker lock(&m_mutex);
    return m_encoding;
}

void MemoryNodeMap::injectFault(const QString& node, Operation op, FaultKind kind, int count)
{
    QMutexLocker lock(&m_mutex);
    m_faults.insert({node, int(op)}, Fault{kind, count > 0 ? count : -1});
}

void MemoryNodeMap::clearFaults()
{
    QMutexLocker lock(&m_mutex);
    m_faults.clear();
}

void MemoryNodeMap::close()
{
    QMutexLocker lock(&m_mutex);
    m_closed = true;
}

bool MemoryNodeMap::isClosed() const
{
    QMutexLocker lock(&m_mutex);
    return m_closed;
}

void MemoryNodeMap::setConnectionListener(std::function<void(ConnectionState)> listener)
{
    QMutexLocker lock(&m_mutex);
    m_connectionListener = std::move(listener);
}

void MemoryNodeMap::announceConnection() const
{
    const ConnectionState state = m_lost ? ConnectionState::Lost
        : m_controlledElsewhere          ? ConnectionState::ReadOnly
                                         : ConnectionState::Connected;
    if (m_connectionListener)
        m_connectionListener(state);
}

void MemoryNodeMap::disconnectDevice()
{
    QMutexLocker lock(&m_mutex);
    m_stallTimeoutMs = -1;
    m_lost = true;
    announceConnection();
}

void MemoryNodeMap::stallDevice(int timeoutMs)
{
    QMutexLocker lock(&m_mutex);
    if (!m_lost)
        m_stallTimeoutMs = qMax(0, timeoutMs);
}

void MemoryNodeMap::reconnectDevice()
{
    QMutexLocker lock(&m_mutex);
    m_stallTimeoutMs = -1;
    if (!std::exchange(m_lost, false))
        return;
    announceConnection();
    // Whatever changed while nobody could ask is reported now.
    QVector<int> all(m_nodes.size());
    std::iota(all.begin(), all.end(), 0);
    reportChanges(all);
}

void MemoryNodeMap::setControlledElsewhere(bool elsewhere)
{
    QMutexLocker lock(&m_mutex);
    if (std::exchange(m_controlledElsewhere, elsewhere) == elsewhere)
        return;
    if (!m_lost)
        announceConnection();
    // Every writable feature becomes read-only, or writable again.
    QVector<int> all(m_nodes.size());
    std::iota(all.begin(), all.end(), 0);
    reportChanges(all);
}

void MemoryNodeMap::enter(const QString& node, Operation op) const
{
    QMutexLocker lock(&m_mutex);
    if (m_closed)
        GENICAM_THROW(AccessException, "The device of collection " + quoted(m_role) + " is closed");
    if (m_lost)
        GENICAM_THROW(DisconnectedException, "The device of collection " + quoted(m_role) + " is disconnected");
    if (m_stallTimeoutMs >= 0) {
        // A device that stopped answering: the call waits as a transport would,
        // then the device counts as lost and every later call fails at once.
        const int timeout = std::exchange(m_stallTimeoutMs, -1);
        QThread::msleep(static_cast<unsigned long>(timeout));
        m_lost = true;
        announceConnection();
        GENICAM_THROW(TimeoutException, "The device of collection " + quoted(m_role) + " did not answer within "
                                            + std::to_string(timeout) + " ms");
    }
    if (m_faults.isEmpty())
        return;
    auto it = m_faults.find({node, int(op)});
    if (it == m_faults.end())
        it = m_faults.find({node, int(Operation::Any)});
    if (it == m_faults.end())
        return;
    const FaultKind kind = it->kind;
    if (it->remaining > 0 && --it->remaining == 0)
        m_faults.erase(it);

    const std::string what = std::string("Injected fault in ") + operationName(op) + " of "
                           + (node.isEmpty() ? "collection " + quoted(m_role) : "node " + quoted(node));
    switch (kind) {
    case FaultKind::GenICamException:
        GENICAM_THROW(RuntimeException, what);
    case FaultKind::StandardException:
        throw std::runtime_error(what);
    case FaultKind::OtherException:
        throw MemoryParameterCollection::InjectedFault{node, op};
    }
}

// --- collection operations -------------------------------------------------

QStringList MemoryNodeMap::children(const QString& name) const
{
    QMutexLocker lock(&m_mutex);
    enter(QString(), Operation::GetChildren);
    const int i = indexOf(name);
    if (i < 0)
        GENICAM_THROW(InvalidArgumentException, "Collection " + quoted(m_role) + " has no node " + quoted(name));
    QStringList names;
    for (int child : m_nodes.at(i).children)
        names << m_nodes.at(child).fullName;
    return names;
}

FeatureDependencies MemoryNodeMap::dependencies(int i) const
{
    FeatureDependencies d;
    if (i < 0)
        return d;
    QMutexLocker lock(&m_mutex);
    // An alias depends on what its float depends on.
    const MemoryNode& n = m_nodes.at(m_nodes.at(i).aliasOf >= 0 ? m_nodes.at(i).aliasOf : i);
    if (n.selector >= 0)
        d.selectors << m_nodes.at(n.selector).fullName;
    for (const Expression* x : {&n.min, &n.max, &n.inc, &n.availableIf, &n.lockedIf}) {
        for (const QString& name : x->identifiers()) {
            const int referenced = indexOf(name);
            if (referenced >= 0 && !d.references.contains(m_nodes.at(referenced).fullName))
                d.references << m_nodes.at(referenced).fullName;
        }
    }
    return d;
}

void MemoryNodeMap::refresh()
{
    QMutexLocker lock(&m_mutex);
    enter(QString(), Operation::Refresh);
    QVector<int> all(m_nodes.size());
    for (int i = 0; i < all.size(); ++i)
        all[i] = i;
    reportChanges(all);
}

void MemoryNodeMap::poll(qint64 intervalMs)
{
    QMutexLocker lock(&m_mutex);
    enter(QString(), Operation::Poll);
    m_simulatedMs += static_cast<double>(qMax(qint64(0), intervalMs));
    for (int i : qAsConst(m_liveNodes)) {
        MemoryNode& n = m_nodes[i];
        if (n.behaviour == MemoryNode::Drift) {
            // A slow swing with a faster ripple: moves on every poll, stays in range.
            const Limits l = floatLimits(n);
            const double amplitude = qMin(2.0, (l.max - l.min) / 4.0);
            const double t = m_simulatedMs / 1000.0;
            double v = n.driftCentre + amplitude * (0.8 * std::sin(t / 20.0 * 6.283185307179586)
                                                    + 0.2 * std::sin(t * 1.7));
            v = qBound(l.min, v, l.max);
            if (n.kind == MemoryNode::Integer)
                n.values.insert(QString(), QVariant(toInt64(v)));
            else
                n.values.insert(QString(), QVariant(v));
        } else if (n.behaviour == MemoryNode::Clock) {
            // A nanosecond counter that wraps to its minimum past its maximum,
            // as a device's timestamp register does.
            const IntLimits l = integerLimits(n);
            const qint64 now = qBound(l.min, n.values.value(QString(), n.defaultValue).toLongLong(), l.max);
            const quint64 step = quint64(qBound(qint64(0), intervalMs, std::numeric_limits<qint64>::max() / 1000000))
                               * 1000000u;
            const quint64 span = quint64(l.max) - quint64(l.min); // modulo 2^64: exact for max >= min
            const quint64 offset = quint64(now) - quint64(l.min);
            const quint64 left = span - offset;
            const quint64 moved = step <= left ? offset + step
                                : span == std::numeric_limits<quint64>::max() ? offset + step
                                                                              : (step - left - 1) % (span + 1);
            n.values.insert(QString(), QVariant(qint64(quint64(l.min) + moved)));
        }
    }
    reportChanges(m_liveNodes);
}

void MemoryNodeMap::reportChanges(const QVector<int>& seeds)
{
    const QVector<int> queue
        = reachableFrom(seeds, m_nodes.size(), [this](int i) -> const QVector<int>& { return m_nodes[i].dependents; });
    for (int i : qAsConst(queue)) {
        MemoryNode& n = m_nodes[i];
        QSharedPointer<const ParameterData> fresh = buildSnapshot(n);
        if (n.lastReported && *n.lastReported == *fresh)
            continue;
        n.lastReported = fresh;
        if (n.handle)
            emit n.handle->parameterDataChangedDecoupled(fresh);
    }
}

// --- evaluation ------------------------------------------------------------

QString MemoryNodeMap::selectorPosition(const MemoryNode& n) const
{
    if (n.selector < 0)
        return QString();
    const MemoryNode& s = m_nodes.at(n.selector);
    const QVariant v = storedValue(s);
    return v.toString();
}

QVariant MemoryNodeMap::storedValue(const MemoryNode& n) const
{
    return n.values.value(selectorPosition(n), n.defaultValue);
}

void MemoryNodeMap::store(MemoryNode& n, const QVariant& value)
{
    n.values.insert(selectorPosition(n), value);
}

ExpressionValue MemoryNodeMap::resolve(const QString& name) const
{
    const int i = m_index.value(name, -1);
    if (i < 0)
        GENICAM_THROW(LogicalErrorException, "Unknown node " + quoted(name) + " in an expression");
    return valueForExpression(m_nodes.at(i));
}

ExpressionValue MemoryNodeMap::valueForExpression(const MemoryNode& n) const
{
    if (++m_evaluationDepth > 64) {
        m_evaluationDepth = 0;
        GENICAM_THROW(LogicalErrorException, "Cyclic dependency while evaluating node " + quoted(n.name));
    }
    struct DepthGuard
    {
        int& depth;
        ~DepthGuard() { depth = qMax(0, depth - 1); }
    } guard{m_evaluationDepth};

    switch (n.kind) {
    case MemoryNode::Integer:
        return ExpressionValue::fromNumber(static_cast<double>(currentInteger(n)));
    case MemoryNode::Float:
        return ExpressionValue::fromNumber(currentFloat(n));
    case MemoryNode::Boolean:
        return ExpressionValue::fromNumber(storedValue(n).toBool() ? 1.0 : 0.0);
    case MemoryNode::Command:
        return ExpressionValue::fromNumber(isDone(n) ? 1.0 : 0.0);
    case MemoryNode::Enumeration:
    case MemoryNode::String:
        return ExpressionValue::fromText(storedValue(n).toString());
    case MemoryNode::Category:
    case MemoryNode::Register:
    case MemoryNode::Null:
        break;
    }
    GENICAM_THROW(LogicalErrorException, "Node " + quoted(n.name) + " has no value to use in an expression");
}

MemoryNodeMap::IntLimits MemoryNodeMap::integerLimits(const MemoryNode& n) const
{
    auto resolver = [this](const QString& name) { return resolve(name); };
    if (n.aliasOf >= 0) {
        const MemoryNode& f = m_nodes.at(n.aliasOf);
        const Limits l = floatLimits(f);
        return {toInt64(std::ceil(l.min / f.aliasScale - 1e-9)), toInt64(std::floor(l.max / f.aliasScale + 1e-9)),
                1};
    }
    IntLimits l{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), 1};
    if (!n.min.isEmpty())
        l.min = toInt64(limit(n.min, resolver, n.name, "minimum"));
    if (!n.max.isEmpty())
        l.max = toInt64(limit(n.max, resolver, n.name, "maximum"));
    if (!n.inc.isEmpty())
        l.inc = toInt64(limit(n.inc, resolver, n.name, "increment"));
    if (l.inc <= 0)
        GENICAM_THROW(LogicalErrorException, "Node " + quoted(n.name) + " has an increment below 1");
    return l;
}

MemoryNodeMap::Limits MemoryNodeMap::floatLimits(const MemoryNode& n) const
{
    auto resolver = [this](const QString& name) { return resolve(name); };
    Limits l{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max(), 0.0};
    if (!n.min.isEmpty())
        l.min = limit(n.min, resolver, n.name, "minimum");
    if (!n.max.isEmpty())
        l.max = limit(n.max, resolver, n.name, "maximum");
    if (!n.inc.isEmpty()) {
        l.inc = limit(n.inc, resolver, n.name, "increment");
        if (!(l.inc > 0.0))
            GENICAM_THROW(LogicalErrorException, "Node " + quoted(n.name) + " has an increment of 0 or below");
    }
    return l;
}

qint64 MemoryNodeMap::currentInteger(const MemoryNode& n) const
{
    if (n.aliasOf >= 0) {
        const MemoryNode& f = m_nodes.at(n.aliasOf);
        const IntLimits l = integerLimits(n);
        return qBound(l.min, toInt64(currentFloat(f) / f.aliasScale), l.max);
    }
    if (n.kind == MemoryNode::Enumeration) {
        const QString entry = storedValue(n).toString();
        for (const MemoryEnumEntry& e : n.entries) {
            if (e.name == entry)
                return e.value;
        }
        return 0;
    }
    return storedValue(n).toLongLong();
}

double MemoryNodeMap::currentFloat(const MemoryNode& n) const
{
    return storedValue(n).toDouble();
}

bool MemoryNodeMap::isDone(const MemoryNode& n) const
{
    return n.busyUntilMs < 0 || m_clock.elapsed() >= n.busyUntilMs;
}

int MemoryNodeMap::typeCode(int i) const
{
    switch (m_nodes.at(i).kind) {
    case MemoryNode::Category:
        return TypeCategory;
    case MemoryNode::Integer:
        return TypeInteger;
    case MemoryNode::Float:
        return TypeFloat;
    case MemoryNode::Boolean:
        return TypeBoolean;
    case MemoryNode::String:
        return TypeString;
    case MemoryNode::Enumeration:
        return TypeEnumeration;
    case MemoryNode::Command:
        return TypeCommand;
    case MemoryNode::Register:
        return TypeRegister;
    case MemoryNode::Null:
        break;
    }
    return TypeNone;
}

GenApi::EVisibility MemoryNodeMap::visibilityOf(int i) const
{
    const MemoryNode& n = m_nodes.at(i);
    if (n.aliasOf >= 0 && !n.imposedVisibility)
        return visibilityOf(n.aliasOf);
    return n.imposedVisibility.value_or(n.visibility);
}

GenApi::EAccessMode MemoryNodeMap::accessOf(int i) const
{
    const MemoryNode& n = m_nodes.at(i);
    if (n.aliasOf >= 0 && !n.imposedAccess)
        return accessOf(n.aliasOf);
    // An imposed mode replaces the declared one; the live conditions still apply.
    const GenApi::EAccessMode declared = n.imposedAccess.value_or(n.access);
    if (declared == GenApi::NI || declared == GenApi::NA)
        return declared;
    auto resolver = [this](const QString& name) { return resolve(name); };
    if (!n.availableIf.isEmpty() && !n.availableIf.evaluate(resolver).isTrue())
        return GenApi::NA;
    // A lock, or another host's control of the device, leaves reading only.
    if (m_controlledElsewhere || (!n.lockedIf.isEmpty() && n.lockedIf.evaluate(resolver).isTrue())) {
        if (declared == GenApi::RW)
            return GenApi::RO;
        if (declared == GenApi::WO)
            return GenApi::NA;
    }
    return declared;
}

QSharedPointer<ParameterData> MemoryNodeMap::buildSnapshot(const MemoryNode& n) const
{
    auto d = QSharedPointer<ParameterData>::create();
    const int i = int(&n - m_nodes.constData());
    d->type = typeCode(i);
    d->name = n.name;
    d->fullName = n.fullName;
    d->visibility = visibilityOf(i);
    d->representation = n.representation;
    const GenApi::EAccessMode mode = accessOf(i);
    d->isImplemented = mode != GenApi::NI;
    d->isAvailable = mode != GenApi::NI && mode != GenApi::NA;
    d->isReadable = mode == GenApi::RO || mode == GenApi::RW;
    d->isWritable = mode == GenApi::WO || mode == GenApi::RW;
    if (!d->isImplemented)
        return d;

    switch (n.kind) {
    case MemoryNode::Integer: {
        const IntLimits l = integerLimits(n);
        d->intMin = l.min;
        d->intMax = l.max;
        d->intInc = l.inc;
        if (d->isReadable) {
            d->intValue = currentInteger(n);
            d->valueString = ValueText::formatInteger(d->intValue, n.representation);
        }
        break;
    }
    case MemoryNode::Float: {
        const Limits l = floatLimits(n);
        d->floatMin = l.min;
        d->floatMax = l.max;
        d->hasFloatInc = l.inc > 0.0;
        d->floatInc = l.inc;
        d->displayPrecision = n.precision;
        d->displayNotation = n.notation;
        if (d->isReadable) {
            d->floatValue = currentFloat(n);
            d->valueString = ValueText::formatFloat(d->floatValue, n.precision, n.notation);
        }
        break;
    }
    case MemoryNode::Boolean:
        if (d->isReadable) {
            d->boolValue = storedValue(n).toBool();
            d->valueString = ValueText::formatBoolean(d->boolValue);
        }
        break;
    case MemoryNode::String:
        if (d->isReadable)
            d->valueString = storedValue(n).toString();
        break;
    case MemoryNode::Enumeration:
        for (const MemoryEnumEntry& e : n.entries) {
            d->enumEntryNames << e.name;
            d->enumEntryDisplayNames << e.displayName;
        }
        if (d->isReadable) {
            d->valueString = storedValue(n).toString();
            d->intValue = currentInteger(n);
        }
        break;
    case MemoryNode::Command:
        d->boolValue = isDone(n);
        break;
    case MemoryNode::Register:
        if (d->isReadable)
            d->valueString = ValueText::formatRegister(n.bytes, quint64(n.bytes.size()), n.address);
        d->isWritable = false; // bytes are not written as text
        break;
    case MemoryNode::Category:
    case MemoryNode::Null:
        break;
    }
    return d;
}

QSharedPointer<const ParameterData> MemoryNodeMap::snapshot(int i) const
{
    QMutexLocker lock(&m_mutex);
    enter(m_nodes.at(i).name, Operation::GetParameterData);
    return buildSnapshot(m_nodes.at(i));
}

// --- properties ---------------------------------------------------------------

QString MemoryNodeMap::property(int i, const QString& key, const QString& defaultValue) const
{
    QMutexLocker lock(&m_mutex);
    const MemoryNode& n = m_nodes.at(i);
    enter(n.name, Operation::GetProperty);
    auto orDefault = [&](const QString& value) { return value.isEmpty() ? defaultValue : value; };
    if (key == QLatin1String("Name"))
        return n.name;
    if (key == QLatin1String("DisplayName"))
        return orDefault(n.displayName);
    if (key == QLatin1String("Description"))
        return orDefault(n.description);
    if (key == QLatin1String("Tooltip") || key == QLatin1String("ToolTip"))
        return orDefault(n.tooltip);
    if (key == QLatin1String("DocuURL"))
        return orDefault(n.docuURL);
    if (key == QLatin1String("Unit"))
        return orDefault(n.unit);
    if (key == QLatin1String("Representation"))
        return orDefault(n.representation);
    if (key == QLatin1String("Visibility"))
        return ValueText::formatVisibility(visibilityOf(i));
    if (key == QLatin1String("AccessMode"))
        return ValueText::formatAccessMode(accessOf(i));
    if (key == QLatin1String("ImposedAccessMode"))
        return n.imposedAccess ? ValueText::formatAccessMode(*n.imposedAccess) : defaultValue;
    return defaultValue;
}

void MemoryNodeMap::setProperty(int i, const QString& key, const QString& value)
{
    QMutexLocker lock(&m_mutex);
    MemoryNode& n = m_nodes[i];
    enter(n.name, Operation::SetProperty);
    if (key == QLatin1String("Visibility")) {
        n.imposedVisibility = ValueText::parseImposedVisibility(value, n.name);
    } else if (key == QLatin1String("AccessMode")) {
        // No mode takes the imposed one back: the node's own applies again.
        n.imposedAccess = value.isEmpty() ? std::nullopt
                                          : std::optional(ValueText::parseImposedAccessMode(value, n.name));
    } else {
        GENICAM_THROW(LogicalErrorException,
                      "Property " + quoted(key) + " of node " + quoted(n.name) + " cannot be set");
    }
    reportChanges({i});
}

// --- reads ------------------------------------------------------------------------

void MemoryNodeMap::requireKind(const MemoryNode& n, MemoryNode::Kind kind, const char* what) const
{
    if (n.kind != kind && !(kind == MemoryNode::Integer && n.aliasOf >= 0))
        GENICAM_THROW(LogicalErrorException, "Node " + quoted(n.name) + " is not " + what);
}

void MemoryNodeMap::requireReadable(const MemoryNode& n) const
{
    const GenApi::EAccessMode mode = accessOf(int(&n - m_nodes.constData()));
    if (mode == GenApi::NI)
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " is not implemented");
    if (m_controlledElsewhere && mode != GenApi::RW && mode != GenApi::WO)
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " cannot be written: another host controls the device");
    if (mode == GenApi::NA)
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " is not available");
    if (mode == GenApi::WO)
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " is not readable (write only)");
}

void MemoryNodeMap::requireWritable(const MemoryNode& n) const
{
    const GenApi::EAccessMode mode = accessOf(int(&n - m_nodes.constData()));
    if (mode == GenApi::NI)
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " is not implemented");
    if (mode == GenApi::NA)
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " is not available");
    if (mode == GenApi::RO)
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " is not writable (read only)");
}

#define ORVIK_READ(kindValue, what, expression)                                                          \
    QMutexLocker lock(&m_mutex);                                                                        \
    const MemoryNode& n = m_nodes.at(i);                                                                \
    enter(n.name, Operation::GetValue);                                                                 \
    requireKind(n, kindValue, what);                                                                    \
    return expression;

qint64 MemoryNodeMap::integerValue(int i) const
{
    QMutexLocker lock(&m_mutex);
    const MemoryNode& n = m_nodes.at(i);
    enter(n.name, Operation::GetValue);
    requireKind(n, MemoryNode::Integer, "an integer");
    requireReadable(n);
    return currentInteger(n);
}

qint64 MemoryNodeMap::integerMinimum(int i) const { ORVIK_READ(MemoryNode::Integer, "an integer", integerLimits(n).min) }
qint64 MemoryNodeMap::integerMaximum(int i) const { ORVIK_READ(MemoryNode::Integer, "an integer", integerLimits(n).max) }
qint64 MemoryNodeMap::integerIncrement(int i) const { ORVIK_READ(MemoryNode::Integer, "an integer", integerLimits(n).inc) }
double MemoryNodeMap::floatMinimum(int i) const { ORVIK_READ(MemoryNode::Float, "a float", floatLimits(n).min) }
double MemoryNodeMap::floatMaximum(int i) const { ORVIK_READ(MemoryNode::Float, "a float", floatLimits(n).max) }
QStringList MemoryNodeMap::enumEntryNames(int i) const { ORVIK_READ(MemoryNode::Enumeration, "an enumeration", buildSnapshot(n)->enumEntryNames) }
bool MemoryNodeMap::commandDone(int i) const { ORVIK_READ(MemoryNode::Command, "a command", isDone(n)) }

#undef ORVIK_READ

double MemoryNodeMap::floatValue(int i) const
{
    QMutexLocker lock(&m_mutex);
    const MemoryNode& n = m_nodes.at(i);
    enter(n.name, Operation::GetValue);
    requireKind(n, MemoryNode::Float, "a float");
    requireReadable(n);
    return currentFloat(n);
}

bool MemoryNodeMap::booleanValue(int i) const
{
    QMutexLocker lock(&m_mutex);
    const MemoryNode& n = m_nodes.at(i);
    enter(n.name, Operation::GetValue);
    requireKind(n, MemoryNode::Boolean, "a boolean");
    requireReadable(n);
    return storedValue(n).toBool();
}

QString MemoryNodeMap::enumValue(int i) const
{
    QMutexLocker lock(&m_mutex);
    const MemoryNode& n = m_nodes.at(i);
    enter(n.name, Operation::GetValue);
    requireKind(n, MemoryNode::Enumeration, "an enumeration");
    requireReadable(n);
    return storedValue(n).toString();
}

// --- writes -----------------------------------------------------------------------

QString MemoryNodeMap::decode(const QString& eightBitText) const
{
    for (QChar c : eightBitText) {
        // Characters beyond one byte cannot come from 8-bit text: the caller
        // handed over decoded text, which is taken as it is.
        if (c.unicode() > 0xFF)
            return eightBitText;
    }
    // One character per byte is Latin-1 already; every character is kept,
    // a zero byte too (QString::fromLatin1(QByteArray) would stop there).
    if (m_encoding == TextEncoding::Latin1)
        return eightBitText;
    const QByteArray bytes = eightBitText.toLatin1();
    bool valid = false;
    const QString text = QtCompat::fromUtf8Strict(bytes, &valid);
    if (!valid)
        GENICAM_THROW(InvalidArgumentException, "The text is not valid UTF-8");
    return text;
}

void MemoryNodeMap::setText(int i, const QString& eightBitText)
{
    QMutexLocker lock(&m_mutex);
    MemoryNode& n = m_nodes[i];
    enter(n.name, Operation::SetValue);
    const QString text = decode(eightBitText);
    switch (n.kind) {
    case MemoryNode::Integer:
        requireWritable(n);
        writeInteger(n, ValueText::parseInteger(text, n.representation), true);
        break;
    case MemoryNode::Float:
        requireWritable(n);
        writeFloat(n, ValueText::parseFloat(text));
        break;
    case MemoryNode::Boolean:
        requireWritable(n);
        store(n, ValueText::parseBoolean(text));
        break;
    case MemoryNode::String:
        requireWritable(n);
        writeString(n, text);
        break;
    case MemoryNode::Enumeration:
        requireWritable(n);
        writeEnum(n, text.trimmed());
        break;
    case MemoryNode::Command:
        GENICAM_THROW(LogicalErrorException, "Command " + quoted(n.name) + " takes no value; execute it instead");
    case MemoryNode::Register:
        // As its snapshot says: not writable, for a register takes bytes, not a text.
        GENICAM_THROW(AccessException, "Node " + quoted(n.name) + " is not writable (a register takes bytes)");
    case MemoryNode::Category:
    case MemoryNode::Null:
        GENICAM_THROW(LogicalErrorException, "Node " + quoted(n.name) + " has no value to set");
    }
    reportChanges({i});
}

void MemoryNodeMap::writeInteger(MemoryNode& n, qint64 value, bool verify)
{
    const IntLimits l = integerLimits(n);
    if (value < l.min || value > l.max) {
        GENICAM_THROW(OutOfRangeException, "Value " + std::to_string(value) + " is out of the range ["
                                               + std::to_string(l.min) + ", " + std::to_string(l.max) + "] of node "
                                               + quoted(n.name));
    }
    // The difference is taken modulo 2^64, which is exact for value >= min.
    if (verify && (static_cast<quint64>(value) - static_cast<quint64>(l.min)) % static_cast<quint64>(l.inc) != 0) {
        GENICAM_THROW(OutOfRangeException, "Value " + std::to_string(value) + " of node " + quoted(n.name)
                                               + " is not on the increment " + std::to_string(l.inc)
                                               + " from the minimum " + std::to_string(l.min));
    }
    if (n.aliasOf >= 0) {
        MemoryNode& f = m_nodes[n.aliasOf];
        const Limits fl = floatLimits(f);
        store(f, qBound(fl.min, static_cast<double>(value) * f.aliasScale, fl.max));
    } else {
        store(n, QVariant(value));
    }
}

void MemoryNodeMap::writeFloat(MemoryNode& n, double value)
{
    if (!std::isfinite(value))
        GENICAM_THROW(InvalidArgumentException, "Node " + quoted(n.name) + " takes finite numbers only");
    const Limits l = floatLimits(n);
    if (value < l.min || value > l.max) {
        GENICAM_THROW(OutOfRangeException, "Value " + std::to_string(value) + " is out of the range ["
                                               + std::to_string(l.min) + ", " + std::to_string(l.max) + "] of node "
                                               + quoted(n.name));
    }
    if (l.inc > 0.0) {
        const double steps = (value - l.min) / l.inc;
        if (std::abs(steps - std::round(steps)) > 1e-9 * qMax(1.0, std::abs(steps))) {
            GENICAM_THROW(OutOfRangeException, "Value " + std::to_string(value) + " of node " + quoted(n.name)
                                                   + " is not on the increment " + std::to_string(l.inc));
        }
    }
    store(n, QVariant(value));
}

void MemoryNodeMap::writeEnum(MemoryNode& n, const QString& entry)
{
    for (const MemoryEnumEntry& e : qAsConst(n.entries)) {
        if (e.name == entry) {
            store(n, QVariant(entry));
            return;
        }
    }
    GENICAM_THROW(InvalidArgumentException,
                  quoted(entry) + " is not an entry of the enumeration " + quoted(n.name));
}

void MemoryNodeMap::writeString(MemoryNode& n, const QString& text)
{
    const int bytes = m_encoding == TextEncoding::Utf8 ? text.toUtf8().size() : text.size();
    if (n.maxLength >= 0 && bytes > n.maxLength) {
        GENICAM_THROW(OutOfRangeException, "The text of " + std::to_string(bytes) + " bytes is longer than the "
                                               + std::to_string(n.maxLength) + " bytes node " + quoted(n.name)
                                               + " holds");
    }
    if (m_encoding == TextEncoding::Latin1) {
        for (QChar c : text) {
            if (c.unicode() > 0xFF)
                GENICAM_THROW(InvalidArgumentException, "Node " + quoted(n.name) + " holds Latin-1 text only");
        }
    }
    store(n, QVariant(text));
}

void MemoryNodeMap::setInteger(int i, qint64 value, bool verify)
{
    QMutexLocker lock(&m_mutex);
    MemoryNode& n = m_nodes[i];
    enter(n.name, Operation::SetValue);
    requireKind(n, MemoryNode::Integer, "an integer");
    requireWritable(n);
    writeInteger(n, value, verify);
    reportChanges({i});
}

void MemoryNodeMap::setFloat(int i, double value)
{
    QMutexLocker lock(&m_mutex);
    MemoryNode& n = m_nodes[i];
    enter(n.name, Operation::SetValue);
    requireKind(n, MemoryNode::Float, "a float");
    requireWritable(n);
    writeFloat(n, value);
    reportChanges({i});
}

void MemoryNodeMap::setBoolean(int i, bool value)
{
    QMutexLocker lock(&m_mutex);
    MemoryNode& n = m_nodes[i];
    enter(n.name, Operation::SetValue);
    requireKind(n, MemoryNode::Boolean, "a boolean");
    requireWritable(n);
    store(n, QVariant(value));
    reportChanges({i});
}

void MemoryNodeMap::execute(int i, bool verify)
{
    QMutexLocker lock(&m_mutex);
    MemoryNode& n = m_nodes[i];
    enter(n.name, Operation::Execute);
    requireKind(n, MemoryNode::Command, "a command");
    if (verify)
        requireWritable(n);
    n.busyUntilMs = n.busyMs > 0 ? m_clock.elapsed() + n.busyMs : -1;
    n.commandState = true;
    reportChanges({i});
}

void MemoryNodeMap::setState(int i, bool state)
{
    QMutexLocker lock(&m_mutex);
    MemoryNode& n = m_nodes[i];
    enter(n.name, Operation::SetState);
    n.commandState = state;
}

} // namespace ParameterCollection
