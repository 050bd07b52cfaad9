// Every call into Aravis lives in this file. The library is built with
// QT_NO_KEYWORDS, so that Qt's "signals" macro cannot break GLib's headers.
#include "aravisnodemap_p.h"
#include "aravisparameter_p.h"
#include "aravisxml_p.h"
#include "parametercollection/reachable_p.h"
#include "genicam/genericexception.h"
#include "parametercollection/valuetext.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <arv.h>
#include <cfloat>
#include <cmath>
#include <limits>

namespace ParameterCollection {

struct AravisNodeMap::Native
{
    ArvDevice* device = nullptr; // owns its node map
    ArvGc* gc = nullptr; // owned here when there is no device
    QVector<ArvGcNode*> nodes; // by entry; an alias entry has its integer node

    ~Native()
    {
        if (device)
            g_object_unref(device);
        else if (gc)
            g_object_unref(gc);
    }
};

namespace {

const QString roleName = QStringLiteral("@CameraDevice");
const char* const fakeInterface = "Fake";

/// Aravis's global device list and interface switches are shared by every
/// device of the process.
QMutex& systemMutex()
{
    static QMutex mutex;
    return mutex;
}

std::string quoted(const QString& s)
{
    return "'" + s.toStdString() + "'";
}

QString fromUtf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

/// Raises the GenICam exception that fits an Aravis error, with Aravis's message.
[[noreturn]] void raise(GError* error)
{
    const std::string message = error->message ? error->message : "Unknown Aravis error";
    const GQuark domain = error->domain;
    const int code = error->code;
    g_error_free(error);
    if (domain == ARV_GC_ERROR) {
        switch (code) {
        case ARV_GC_ERROR_OUT_OF_RANGE:
            GENICAM_THROW(OutOfRangeException, message);
        case ARV_GC_ERROR_READ_ONLY:
        case ARV_GC_ERROR_NO_DEVICE_SET:
            GENICAM_THROW(AccessException, message);
        case ARV_GC_ERROR_ENUM_ENTRY_NOT_FOUND:
        case ARV_GC_ERROR_INVALID_LENGTH:
        case ARV_GC_ERROR_INVALID_SYNTAX:
            GENICAM_THROW(InvalidArgumentException, message);
        default:
            GENICAM_THROW(LogicalErrorException, message);
        }
    }
    if (domain == ARV_DEVICE_ERROR && code == ARV_DEVICE_ERROR_TIMEOUT)
        GENICAM_THROW(TimeoutException, message);
    GENICAM_THROW(RuntimeException, message);
}

/// The out-parameter of one Aravis call; check() raises what Aravis reported.
struct ErrorSlot
{
    GError* error = nullptr;
    ErrorSlot() = default;
    ErrorSlot(const ErrorSlot&) = delete;
    ErrorSlot& operator=(const ErrorSlot&) = delete;
    ~ErrorSlot()
    {
        if (error)
            g_error_free(error);
    }
    GError** out() { return &error; }
    bool failed() const { return error != nullptr; }
    /// Limits a node does not declare: Aravis reports an error but answers
    /// the natural default (the type's range, an increment of 1), which stands.
    void forgiveMissingProperty()
    {
        if (error && error->domain == ARV_GC_ERROR && error->code == ARV_GC_ERROR_PROPERTY_NOT_DEFINED)
            g_clear_error(&error);
    }
    void check()
    {
        if (error) {
            GError* e = error;
            error = nullptr;
            raise(e);
        }
    }
};

int typeOfTag(const QString& tag)
{
    static const QHash<QString, int> types {
        { QStringLiteral("Category"), TypeCategory },    { QStringLiteral("Integer"), TypeInteger },
        { QStringLiteral("IntReg"), TypeInteger },       { QStringLiteral("MaskedIntReg"), TypeInteger },
        { QStringLiteral("IntConverter"), TypeInteger }, { QStringLiteral("IntSwissKnife"), TypeInteger },
        { QStringLiteral("StructEntry"), TypeInteger },  { QStringLiteral("Float"), TypeFloat },
        { QStringLiteral("FloatReg"), TypeFloat },       { QStringLiteral("Converter"), TypeFloat },
        { QStringLiteral("SwissKnife"), TypeFloat },     { QStringLiteral("Boolean"), TypeBoolean },
        { QStringLiteral("Command"), TypeCommand },      { QStringLiteral("Enumeration"), TypeEnumeration },
        { QStringLiteral("String"), TypeString },        { QStringLiteral("StringReg"), TypeString }
    };
    return types.value(tag, TypeNone);
}

/// The type code, confirmed by the Aravis interface the node implements.
int typeOfNode(ArvGcNode* node)
{
    const int type = typeOfTag(QString::fromLatin1(arv_dom_node_get_node_name(ARV_DOM_NODE(node))));
    switch (type) {
    case TypeCategory:
        return ARV_IS_GC_CATEGORY(node) ? type : TypeNone;
    case TypeInteger:
        return ARV_IS_GC_INTEGER(node) ? type : TypeNone;
    case TypeFloat:
        return ARV_IS_GC_FLOAT(node) ? type : TypeNone;
    case TypeBoolean:
        return ARV_IS_GC_BOOLEAN(node) ? type : TypeNone;
    case TypeCommand:
        return ARV_IS_GC_COMMAND(node) ? type : TypeNone;
    case TypeEnumeration:
        return ARV_IS_GC_ENUMERATION(node) ? type : TypeNone;
    case TypeString:
        return ARV_IS_GC_STRING(node) ? type : TypeNone;
    default:
        return TypeNone;
    }
}

GenApi::EVisibility mapVisibility(ArvGcVisibility visibility)
{
    // Aravis counts from Invisible (0) up to Beginner (3); GenApi the other way round.
    switch (visibility) {
    case ARV_GC_VISIBILITY_INVISIBLE:
        return GenApi::Invisible;
    case ARV_GC_VISIBILITY_GURU:
        return GenApi::Guru;
    case ARV_GC_VISIBILITY_EXPERT:
        return GenApi::Expert;
    case ARV_GC_VISIBILITY_BEGINNER:
    default:
        return GenApi::Beginner;
    }
}

QString representationText(ArvGcRepresentation representation)
{
    switch (representation) {
    case ARV_GC_REPRESENTATION_LINEAR:
        return QStringLiteral("Linear");
    case ARV_GC_REPRESENTATION_LOGARITHMIC:
        return QStringLiteral("Logarithmic");
    case ARV_GC_REPRESENTATION_BOOLEAN:
        return QStringLiteral("Boolean");
    case ARV_GC_REPRESENTATION_PURE_NUMBER:
        return QStringLiteral("PureNumber");
    case ARV_GC_REPRESENTATION_HEX_NUMBER:
        return QStringLiteral("HexNumber");
    case ARV_GC_REPRESENTATION_IPV4_ADDRESS:
        return QStringLiteral("IPV4Address");
    case ARV_GC_REPRESENTATION_MAC_ADDRESS:
        return QStringLiteral("MACAddress");
    default:
        return QString();
    }
}

/// The property nodes among the DOM children of `node`.
template<typename Function> void forEachProperty(ArvGcNode* node, Function function)
{
    for (ArvDomNode* child = arv_dom_node_get_first_child(ARV_DOM_NODE(node)); child;
         child = arv_dom_node_get_next_sibling(child)) {
        if (ARV_IS_GC_PROPERTY_NODE(child))
            function(ARV_GC_PROPERTY_NODE(child));
    }
}

/// Enumeration entries in XML order (Aravis keeps them reversed).
QVector<ArvGcFeatureNode*> entriesOf(ArvGcEnumeration* enumeration)
{
    QVector<ArvGcFeatureNode*> entries;
    for (const GSList* l = arv_gc_enumeration_get_entries(enumeration); l; l = l->next) {
        if (ARV_IS_GC_FEATURE_NODE(l->data))
            entries.prepend(ARV_GC_FEATURE_NODE(l->data));
    }
    return entries;
}

bool entryUsable(ArvGcFeatureNode* entry)
{
    ErrorSlot e1, e2;
    const bool implemented = arv_gc_feature_node_is_implemented(entry, e1.out());
    const bool available = arv_gc_feature_node_is_available(entry, e2.out());
    return implemented && available && !e1.failed() && !e2.failed();
}

} // namespace

// --- opening ------------------------------------------------------------------------

AravisNodeMap::AravisNodeMap()
    : m_native(new Native)
{
    m_clock.start();
}

AravisNodeMap::~AravisNodeMap()
{
    QMutexLocker lock(&m_mutex);
    m_native.reset();
}

QList<AravisDeviceInfo> AravisNodeMap::listDevices(bool includeFakeCamera)
{
    QMutexLocker lock(&systemMutex());
    if (includeFakeCamera)
        arv_enable_interface(fakeInterface);
    else
        arv_disable_interface(fakeInterface);
    arv_update_device_list();
    QList<AravisDeviceInfo> devices;
    for (unsigned int i = 0; i < arv_get_n_devices(); ++i) {
        AravisDeviceInfo d;
        d.id = fromUtf8(arv_get_device_id(i));
        d.physicalId = fromUtf8(arv_get_device_physical_id(i));
        d.address = fromUtf8(arv_get_device_address(i));
        d.vendor = fromUtf8(arv_get_device_vendor(i));
        d.model = fromUtf8(arv_get_device_model(i));
        d.serialNumber = fromUtf8(arv_get_device_serial_nbr(i));
        d.protocol = fromUtf8(arv_get_device_protocol(i));
        if (d.protocol == QLatin1String(fakeInterface))
            devices.prepend(d);
        else
            devices << d;
    }
    return devices;
}

QSharedPointer<AravisNodeMap> AravisNodeMap::openDevice(const QString& deviceId, const QString& fakeGenicamFile)
{
    const QByteArray id = deviceId.toUtf8();
    const bool fake = deviceId.startsWith(QLatin1String("Fake_"));
    ArvDevice* device = nullptr;
    ErrorSlot error;
    {
        QMutexLocker lock(&systemMutex());
        QVector<QByteArray> others;
        for (unsigned int i = 0; i < arv_get_n_interfaces(); ++i) {
            if (qstrcmp(arv_get_interface_id(i), fakeInterface) != 0)
                others << QByteArray(arv_get_interface_id(i));
        }
        if (fake) {
            // The fake camera lives in this process: no network discovery for it.
            arv_enable_interface(fakeInterface);
            for (const QByteArray& other : qAsConst(others))
                arv_disable_interface(other.constData());
            if (!fakeGenicamFile.isEmpty())
                arv_set_fake_camera_genicam_filename(QFile::encodeName(fakeGenicamFile).constData());
        }
        device = arv_open_device(id.constData(), error.out());
        if (fake) {
            if (!fakeGenicamFile.isEmpty())
                arv_set_fake_camera_genicam_filename(nullptr);
            for (const QByteArray& other : qAsConst(others))
                arv_enable_interface(other.constData());
        }
    }
    if (!device) {
        const std::string reason = error.failed() && error.error->message ? error.error->message : "not found";
        GENICAM_THROW(RuntimeException, "Cannot open the device " + quoted(deviceId) + ": " + reason);
    }

    QSharedPointer<AravisNodeMap> map(new AravisNodeMap);
    map->m_native->device = device;
    map->m_native->gc = arv_device_get_genicam(device);
    size_t size = 0;
    const char* xml = arv_device_get_genicam_xml(device, &size);
    if (!map->m_native->gc || !xml)
        GENICAM_THROW(RuntimeException, "The device " + quoted(deviceId) + " has no GenICam node map");
    map->m_xml = QByteArray(xml, int(size));
    map->build(deviceId);
    return map;
}

QSharedPointer<AravisNodeMap> AravisNodeMap::fromXml(const QByteArray& xml, const QString& sourceName)
{
    readGenicamXmlExtras(xml, sourceName); // refuses malformed XML before Aravis sees it
    QSharedPointer<AravisNodeMap> map(new AravisNodeMap);
    map->m_native->gc = arv_gc_new(nullptr, xml.constData(), size_t(xml.size()));
    if (!map->m_native->gc)
        GENICAM_THROW(InvalidArgumentException, "Aravis cannot read the GenICam XML " + quoted(sourceName));
    map->m_xml = xml;
    map->build(sourceName);
    return map;
}

void AravisNodeMap::build(const QString& sourceName)
{
    QMutexLocker lock(&m_mutex);
    m_role = roleName;
    m_sourceName = sourceName;
    ArvGc* gc = m_native->gc;
    arv_gc_set_range_check_policy(gc, ARV_RANGE_CHECK_POLICY_ENABLE);
    arv_gc_set_access_check_policy(gc, ARV_ACCESS_CHECK_POLICY_ENABLE);
    if (!arv_gc_get_node(gc, "Root") || !ARV_IS_GC_CATEGORY(arv_gc_get_node(gc, "Root")))
        GENICAM_THROW(InvalidArgumentException, "The node map " + quoted(sourceName) + " has no category 'Root'");

    const GenicamXmlExtras extras = readGenicamXmlExtras(m_xml, sourceName);
    m_vendorName = extras.vendorName;
    m_modelName = extras.modelName;

    // Feature nodes in document order; groups and struct registers are looked into.
    std::function<void(ArvDomNode*)> collect = [&](ArvDomNode* parent) {
        for (ArvDomNode* child = arv_dom_node_get_first_child(parent); child;
             child = arv_dom_node_get_next_sibling(child)) {
            if (!ARV_IS_GC_FEATURE_NODE(child) || ARV_IS_GC_ENUM_ENTRY(child))
                continue;
            const QString tag = QString::fromLatin1(arv_dom_node_get_node_name(child));
            if (tag == QLatin1String("Group") || tag == QLatin1String("StructReg"))
                collect(child);
            const QString name = fromUtf8(arv_gc_feature_node_get_name(ARV_GC_FEATURE_NODE(child)));
            if (name.isEmpty() || m_index.contains(name))
                continue;
            AravisEntry e;
            e.name = name;
            e.fullName = m_role + QLatin1Char('/') + name;
            e.type = typeOfNode(ARV_GC_NODE(child));
            e.docuURL = extras.docuUrls.value(name);
            m_index.insert(name, m_entries.size());
            m_entries << e;
            m_native->nodes << ARV_GC_NODE(child);
        }
    };
    collect(ARV_DOM_NODE(arv_dom_document_get_document_element(ARV_DOM_DOCUMENT(gc))));

    // A float's integer pAlias is offered as "<float>/Alias".
    const int features = m_entries.size();
    for (int i = 0; i < features; ++i) {
        if (m_entries.at(i).type != TypeFloat)
            continue;
        const int target = m_index.value(extras.aliases.value(m_entries.at(i).name), -1);
        if (target < 0 || m_entries.at(target).type != TypeInteger)
            continue;
        AravisEntry alias;
        alias.name = m_entries.at(i).name + QLatin1String("/Alias");
        alias.fullName = m_role + QLatin1Char('/') + alias.name;
        alias.type = TypeInteger;
        alias.aliasOf = i;
        alias.aliasTarget = target;
        const int a = m_entries.size();
        m_entries[i].aliasTarget = a;
        m_index.insert(alias.name, a);
        m_entries << alias;
        m_native->nodes << m_native->nodes.at(target);
        // A write of either may change the other.
        m_entries[a].affects << i << target;
        m_entries[i].affects << a;
        m_entries[target].affects << a;
    }

    // What a change of one node can change: invalidators, references, selections.
    auto link = [this](ArvGcNode* from, int to, bool both) {
        if (!from || !ARV_IS_GC_FEATURE_NODE(from))
            return;
        const int f = m_index.value(fromUtf8(arv_gc_feature_node_get_name(ARV_GC_FEATURE_NODE(from))), -1);
        if (f < 0 || f == to)
            return;
        m_entries[f].affects << to;
        if (both)
            m_entries[to].affects << f;
    };
    for (int i = 0; i < features; ++i) {
        ArvGcNode* node = m_native->nodes.at(i);
        if (m_entries.at(i).type == TypeCategory)
            continue;
        auto linkProperties = [&](ArvGcNode* owner) {
            forEachProperty(owner, [&](ArvGcPropertyNode* p) {
                const ArvGcPropertyNodeType type = arv_gc_property_node_get_node_type(p);
                if (type == ARV_GC_PROPERTY_NODE_TYPE_POLLING_TIME) {
                    ErrorSlot error;
                    const qint64 ms = arv_gc_property_node_get_int64(p, error.out());
                    if (!error.failed() && ms > 0 && owner == node) {
                        m_entries[i].pollingTimeMs = ms;
                        m_hasPollingTimes = true;
                    }
                    return;
                }
                if (type <= ARV_GC_PROPERTY_NODE_TYPE_P_UNKNONW || type == ARV_GC_PROPERTY_NODE_TYPE_P_FEATURE)
                    return;
                // A value pointer works both ways: writing the node writes its value node.
                const bool both
                    = type == ARV_GC_PROPERTY_NODE_TYPE_P_VALUE || type == ARV_GC_PROPERTY_NODE_TYPE_P_VALUE_INDEXED;
                link(arv_gc_property_node_get_linked_node(p), i, both);
            });
        };
        linkProperties(node);
        if (ARV_IS_GC_ENUMERATION(node)) {
            for (ArvGcFeatureNode* entry : entriesOf(ARV_GC_ENUMERATION(node)))
                linkProperties(ARV_GC_NODE(entry));
        }
        if (ARV_IS_GC_SELECTOR(node) && arv_gc_selector_is_selector(ARV_GC_SELECTOR(node))) {
            for (const GSList* l = arv_gc_selector_get_selected_features(ARV_GC_SELECTOR(node)); l; l = l->next) {
                if (ARV_IS_GC_FEATURE_NODE(l->data)) {
                    const int s
                        = m_index.value(fromUtf8(arv_gc_feature_node_get_name(ARV_GC_FEATURE_NODE(l->data))), -1);
                    if (s >= 0 && s != i)
                        m_entries[i].affects << s;
                }
            }
        }
    }
    for (AravisEntry& e : m_entries) {
        std::sort(e.affects.begin(), e.affects.end());
        e.affects.erase(std::unique(e.affects.begin(), e.affects.end()), e.affects.end());
    }

    for (int i = 0; i < m_entries.size(); ++i)
        m_entries[i].handle = createAravisParameterHandle(sharedFromThis(), i, m_entries.at(i).type);
}

// --- bookkeeping ------------------------------------------------------------------------

bool AravisNodeMap::hasDevice() const
{
    return m_native->device != nullptr;
}

QString AravisNodeMap::deviceClass() const
{
    ArvDevice* device = m_native->device;
    if (!device)
        return QStringLiteral("GenICam");
    if (ARV_IS_GV_DEVICE(device))
        return QStringLiteral("GEV");
    if (ARV_IS_UV_DEVICE(device))
        return QStringLiteral("U3V");
    return QStringLiteral("CamEmu");
}

AravisDeviceInfo AravisNodeMap::deviceInfo() const
{
    QMutexLocker lock(&m_mutex);
    AravisDeviceInfo info;
    info.id = m_native->device ? m_sourceName : QString();
    auto read = [this](const char* name, const QString& fallback) {
        const int i = m_index.value(QString::fromLatin1(name), -1);
        if (i < 0 || m_entries.at(i).type != TypeString)
            return fallback;
        ErrorSlot error;
        const char* text = arv_gc_string_get_value(ARV_GC_STRING(m_native->nodes.at(i)), error.out());
        const QString value = error.failed() ? QString() : fromUtf8(text).trimmed();
        return value.isEmpty() ? fallback : value;
    };
    info.vendor = read("DeviceVendorName", m_vendorName);
    info.model = read("DeviceModelName", m_modelName);
    info.serialNumber = read("DeviceSerialNumber", read("DeviceID", QString()));
    const QString deviceClass = this->deviceClass();
    info.protocol = deviceClass == QLatin1String("GEV") ? QStringLiteral("GigEVision")
        : deviceClass == QLatin1String("U3V")           ? QStringLiteral("USB3Vision")
        : deviceClass == QLatin1String("CamEmu")        ? QStringLiteral("Fake")
                                                        : QString();
    return info;
}

int AravisNodeMap::indexOf(const QString& name) const
{
    const QString prefix = m_role + QLatin1Char('/');
    const QString plain = name.startsWith(prefix) ? name.mid(prefix.size()) : name;
    return m_index.value(plain, -1);
}

void AravisNodeMap::withGenicam(const std::function<void(ArvGc*)>& function) const
{
    QMutexLocker lock(&m_mutex);
    function(m_native->gc);
}

int AravisNodeMap::commandTimeout() const
{
    QMutexLocker lock(&m_mutex);
    return m_commandTimeoutMs;
}

void AravisNodeMap::setCommandTimeout(int milliseconds)
{
    QMutexLocker lock(&m_mutex);
    m_commandTimeoutMs = qMax(0, milliseconds);
}

// --- collection operations ---------------------------------------------------------------

QStringList AravisNodeMap::children(const QString& name) const
{
    QMutexLocker lock(&m_mutex);
    const int i = indexOf(name);
    if (i < 0)
        GENICAM_THROW(InvalidArgumentException, "Collection " + quoted(m_role) + " has no node " + quoted(name));
    QStringList names;
    if (m_entries.at(i).type != TypeCategory)
        return names;
    for (const GSList* l = arv_gc_category_get_features(ARV_GC_CATEGORY(m_native->nodes.at(i))); l; l = l->next) {
        const int child = m_index.value(fromUtf8(static_cast<const char*>(l->data)), -1);
        if (child >= 0)
            names << m_entries.at(child).fullName;
    }
    return names;
}

void AravisNodeMap::refresh()
{
    QMutexLocker lock(&m_mutex);
    QVector<int> all(m_entries.size());
    for (int i = 0; i < all.size(); ++i)
        all[i] = i;
    reportChanges(all);
}

void AravisNodeMap::poll(qint64 intervalMs)
{
    QMutexLocker lock(&m_mutex);
    const qint64 interval = qMax<qint64>(0, intervalMs);
    QVector<int> due;
    for (int i = 0; i < m_entries.size(); ++i) {
        AravisEntry& e = m_entries[i];
        if (e.executedAtMs >= 0) {
            due << i; // a busy command: is it done now?
        } else if (m_hasPollingTimes) {
            if (e.pollingTimeMs > 0) {
                e.sincePollMs += interval;
                if (e.sincePollMs >= e.pollingTimeMs) {
                    e.sincePollMs %= e.pollingTimeMs;
                    due << i;
                }
            }
        } else if (e.lastReported) {
            due << i;
        }
    }
    reportChanges(due);
}

void AravisNodeMap::reportChanges(const QVector<int>& seeds)
{
    const QVector<int> queue = reachableFrom(seeds, m_entries.size(),
                                             [this](int i) -> const QVector<int>& { return m_entries[i].affects; });
    for (int i : qAsConst(queue))
        reread(i);
}

void AravisNodeMap::reread(int i)
{
    AravisEntry& e = m_entries[i];
    // A snapshot nobody has seen cannot have changed for anybody.
    if (!e.lastReported)
        return;
    QSharedPointer<const ParameterData> fresh = buildSnapshot(i);
    if (*e.lastReported == *fresh)
        return;
    e.lastReported = fresh;
    if (e.handle)
        Q_EMIT e.handle->parameterDataChangedDecoupled(fresh);
}

// --- queries --------------------------------------------------------------------------

GenApi::EVisibility AravisNodeMap::visibilityOf(int i) const
{
    QMutexLocker lock(&m_mutex);
    const AravisEntry& e = m_entries.at(i);
    if (e.imposedVisibility)
        return *e.imposedVisibility;
    if (e.aliasOf >= 0)
        return visibilityOf(e.aliasOf);
    ArvGcNode* node = m_native->nodes.at(i);
    if (!ARV_IS_GC_FEATURE_NODE(node))
        return GenApi::Invisible;
    return mapVisibility(arv_gc_feature_node_get_visibility(ARV_GC_FEATURE_NODE(node)));
}

GenApi::EAccessMode AravisNodeMap::accessOf(int i) const
{
    QMutexLocker lock(&m_mutex);
    const AravisEntry& e = m_entries.at(i);
    ArvGcFeatureNode* node = ARV_GC_FEATURE_NODE(m_native->nodes.at(i));
    GenApi::EAccessMode declared = GenApi::RO;
    if (e.imposedAccess) {
        declared = *e.imposedAccess;
    } else {
        switch (arv_gc_feature_node_get_actual_access_mode(node)) {
        case ARV_GC_ACCESS_MODE_RW:
            declared = GenApi::RW;
            break;
        case ARV_GC_ACCESS_MODE_WO:
            declared = GenApi::WO;
            break;
        default:
            declared = GenApi::RO;
            break;
        }
    }
    if (declared == GenApi::NI || declared == GenApi::NA)
        return declared;
    // Aravis knows no NI and NA: they come from pIsImplemented, pIsAvailable and pIsLocked.
    ErrorSlot implementedError;
    if (!arv_gc_feature_node_is_implemented(node, implementedError.out()))
        return implementedError.failed() ? GenApi::NA : GenApi::NI;
    ErrorSlot availableError;
    if (!arv_gc_feature_node_is_available(node, availableError.out()) || availableError.failed())
        return GenApi::NA;
    ErrorSlot lockedError;
    if (arv_gc_feature_node_is_locked(node, lockedError.out()) && !lockedError.failed()) {
        if (declared == GenApi::RW)
            return GenApi::RO;
        if (declared == GenApi::WO)
            return GenApi::NA;
    }
    return declared;
}

QSharedPointer<ParameterData> AravisNodeMap::buildSnapshot(int i) const
{
    const AravisEntry& e = m_entries.at(i);
    ArvGcNode* node = m_native->nodes.at(i);
    auto d = QSharedPointer<ParameterData>::create();
    d->type = e.type;
    d->name = e.name;
    d->fullName = e.fullName;
    d->visibility = visibilityOf(i);
    const GenApi::EAccessMode mode = accessOf(i);
    d->isImplemented = mode != GenApi::NI;
    d->isAvailable = mode != GenApi::NI && mode != GenApi::NA;
    d->isReadable = mode == GenApi::RO || mode == GenApi::RW;
    d->isWritable = mode == GenApi::WO || mode == GenApi::RW;
    if (!d->isImplemented || e.type == TypeNone || e.type == TypeCategory)
        return d;

    // A value that cannot be read (no device, a transfer error) makes the
    // feature unavailable in this snapshot; the typed reads report the reason.
    auto unavailable = [&d]() {
        d->isAvailable = false;
        d->isReadable = false;
        d->isWritable = false;
        d->valueString.clear();
    };
    ErrorSlot error;
    switch (e.type) {
    case TypeInteger: {
        ArvGcInteger* n = ARV_GC_INTEGER(node);
        d->representation = representationText(arv_gc_integer_get_representation(n));
        d->intMin = arv_gc_integer_get_min(n, error.out());
        error.forgiveMissingProperty();
        if (!error.failed()) {
            d->intMax = arv_gc_integer_get_max(n, error.out());
            error.forgiveMissingProperty();
        }
        if (!error.failed()) {
            d->intInc = arv_gc_integer_get_inc(n, error.out());
            error.forgiveMissingProperty();
        }
        if (!error.failed() && d->isReadable) {
            d->intValue = arv_gc_integer_get_value(n, error.out());
            d->valueString = ValueText::formatInteger(d->intValue, d->representation);
        }
        if (error.failed())
            unavailable();
        break;
    }
    case TypeFloat: {
        ArvGcFloat* n = ARV_GC_FLOAT(node);
        d->representation = representationText(arv_gc_float_get_representation(n));
        d->displayPrecision = arv_gc_float_get_display_precision(n);
        d->floatMin = arv_gc_float_get_min(n, error.out());
        error.forgiveMissingProperty();
        if (!error.failed()) {
            d->floatMax = arv_gc_float_get_max(n, error.out());
            error.forgiveMissingProperty();
        }
        if (!error.failed()) {
            // Without <Inc> Aravis answers DBL_MIN.
            const double inc = arv_gc_float_get_inc(n, error.out());
            error.forgiveMissingProperty();
            d->hasFloatInc = !error.failed() && inc != DBL_MIN && inc > 0.0;
            d->floatInc = d->hasFloatInc ? inc : 0.0;
        }
        if (!error.failed() && d->isReadable) {
            d->floatValue = arv_gc_float_get_value(n, error.out());
            d->valueString = ValueText::formatFloat(d->floatValue, d->displayPrecision);
        }
        if (error.failed())
            unavailable();
        break;
    }
    case TypeBoolean:
        if (d->isReadable) {
            d->boolValue = arv_gc_boolean_get_value(ARV_GC_BOOLEAN(node), error.out());
            d->valueString = ValueText::formatBoolean(d->boolValue);
            if (error.failed())
                unavailable();
        }
        break;
    case TypeString:
        if (d->isReadable) {
            const char* text = arv_gc_string_get_value(ARV_GC_STRING(node), error.out());
            if (error.failed())
                unavailable();
            else
                d->valueString = fromUtf8(text);
        }
        break;
    case TypeEnumeration: {
        ArvGcEnumeration* n = ARV_GC_ENUMERATION(node);
        for (ArvGcFeatureNode* entry : entriesOf(n)) {
            if (!entryUsable(entry))
                continue;
            const QString name = fromUtf8(arv_gc_feature_node_get_name(entry));
            const QString display = fromUtf8(arv_gc_feature_node_get_display_name(entry));
            d->enumEntryNames << name;
            d->enumEntryDisplayNames << (display.isEmpty() ? name : display);
        }
        if (d->isReadable) {
            const char* text = arv_gc_enumeration_get_string_value(n, error.out());
            if (!error.failed()) {
                d->valueString = fromUtf8(text);
                d->intValue = arv_gc_enumeration_get_int_value(n, error.out());
            }
            if (error.failed())
                unavailable();
        }
        break;
    }
    case TypeCommand:
        d->boolValue = commandDone(i);
        break;
    default:
        break;
    }
    return d;
}

QSharedPointer<const ParameterData> AravisNodeMap::snapshot(int i)
{
    QMutexLocker lock(&m_mutex);
    QSharedPointer<const ParameterData> d = buildSnapshot(i);
    m_entries[i].lastReported = d;
    return d;
}

QString AravisNodeMap::property(int i, const QString& key, const QString& defaultValue) const
{
    QMutexLocker lock(&m_mutex);
    const AravisEntry& e = m_entries.at(i);
    ArvGcNode* node = m_native->nodes.at(i);
    ArvGcFeatureNode* feature = ARV_GC_FEATURE_NODE(node);
    auto orDefault = [&](const QString& value) { return value.isEmpty() ? defaultValue : value; };
    if (key == QLatin1String("Name"))
        return e.name;
    if (key == QLatin1String("DisplayName")) {
        const QString display = e.aliasOf >= 0 ? QString() : fromUtf8(arv_gc_feature_node_get_display_name(feature));
        return display.isEmpty() ? e.name : display;
    }
    if (key == QLatin1String("Description"))
        return orDefault(fromUtf8(arv_gc_feature_node_get_description(feature)));
    if (key == QLatin1String("Tooltip") || key == QLatin1String("ToolTip"))
        return orDefault(fromUtf8(arv_gc_feature_node_get_tooltip(feature)));
    if (key == QLatin1String("DocuURL"))
        return orDefault(e.docuURL);
    if (key == QLatin1String("Unit")) {
        if (e.type == TypeInteger)
            return orDefault(fromUtf8(arv_gc_integer_get_unit(ARV_GC_INTEGER(node))));
        if (e.type == TypeFloat)
            return orDefault(fromUtf8(arv_gc_float_get_unit(ARV_GC_FLOAT(node))));
        return defaultValue;
    }
    if (key == QLatin1String("Representation")) {
        if (e.type == TypeInteger)
            return orDefault(representationText(arv_gc_integer_get_representation(ARV_GC_INTEGER(node))));
        if (e.type == TypeFloat)
            return orDefault(representationText(arv_gc_float_get_representation(ARV_GC_FLOAT(node))));
        return defaultValue;
    }
    if (key == QLatin1String("Visibility"))
        return ValueText::formatVisibility(visibilityOf(i));
    if (key == QLatin1String("AccessMode"))
        return ValueText::formatAccessMode(accessOf(i));
    return defaultValue;
}

void AravisNodeMap::setProperty(int i, const QString& key, const QString& value)
{
    QMutexLocker lock(&m_mutex);
    AravisEntry& e = m_entries[i];
    if (key == QLatin1String("Visibility")) {
        e.imposedVisibility = ValueText::parseImposedVisibility(value, e.name);
    } else if (key == QLatin1String("AccessMode")) {
        e.imposedAccess = ValueText::parseImposedAccessMode(value, e.name);
    } else {
        GENICAM_THROW(LogicalErrorException,
                      "Property " + quoted(key) + " of node " + quoted(e.name) + " cannot be set");
    }
    reportChanges({ i });
}

// --- typed reads -------------------------------------------------------------------------

void AravisNodeMap::requireType(int i, int type, const char* what) const
{
    if (m_entries.at(i).type != type)
        GENICAM_THROW(LogicalErrorException, "Node " + quoted(m_entries.at(i).name) + " is not " + what);
}

void AravisNodeMap::requireReadable(int i) const
{
    const QString& name = m_entries.at(i).name;
    switch (accessOf(i)) {
    case GenApi::NI:
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not implemented");
    case GenApi::NA:
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not available");
    case GenApi::WO:
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not readable (write only)");
    default:
        break;
    }
}

void AravisNodeMap::requireWritable(int i) const
{
    const QString& name = m_entries.at(i).name;
    switch (accessOf(i)) {
    case GenApi::NI:
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not implemented");
    case GenApi::NA:
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not available");
    case GenApi::RO: {
        ErrorSlot error;
        if (arv_gc_feature_node_is_locked(ARV_GC_FEATURE_NODE(m_native->nodes.at(i)), error.out()))
            GENICAM_THROW(AccessException, "Node " + quoted(name) + " is locked");
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not writable (read only)");
    }
    default:
        break;
    }
}

#define ORVIK_ARAVIS_READ(typeCode, what, castMacro, call)                                                             \
    QMutexLocker lock(&m_mutex);                                                                                       \
    requireType(i, typeCode, what);                                                                                    \
    ErrorSlot error;                                                                                                   \
    const auto result = call(castMacro(m_native->nodes.at(i)), error.out());                                           \
    error.check();                                                                                                     \
    return result;

qint64 AravisNodeMap::integerMinimum(int i) const {
    ORVIK_ARAVIS_READ(TypeInteger, "an integer", ARV_GC_INTEGER, arv_gc_integer_get_min)
} qint64 AravisNodeMap::integerMaximum(int i) const {
    ORVIK_ARAVIS_READ(TypeInteger, "an integer", ARV_GC_INTEGER, arv_gc_integer_get_max)
} qint64 AravisNodeMap::integerIncrement(int i) const
{
    ORVIK_ARAVIS_READ(TypeInteger, "an integer", ARV_GC_INTEGER, arv_gc_integer_get_inc)
}
double AravisNodeMap::floatMinimum(int i) const
{
    ORVIK_ARAVIS_READ(TypeFloat, "a float", ARV_GC_FLOAT, arv_gc_float_get_min)
}
double AravisNodeMap::floatMaximum(int i) const { ORVIK_ARAVIS_READ(TypeFloat, "a float", ARV_GC_FLOAT,
                                                                    arv_gc_float_get_max) }

#undef ORVIK_ARAVIS_READ

/// Reads a value through Aravis after the type and access checks, under the
/// device lock; Aravis's error becomes a GenICam exception.
template<typename Read>
auto AravisNodeMap::readChecked(int i, int type, const char* what, const Read& read) const
{
    QMutexLocker lock(&m_mutex);
    requireType(i, type, what);
    requireReadable(i);
    ErrorSlot error;
    const auto value = read(m_native->nodes.at(i), error.out());
    error.check();
    return value;
}

qint64 AravisNodeMap::integerValue(int i) const
{
    return readChecked(i, TypeInteger, "an integer", [](ArvGcNode* node, GError** error) {
        return qint64(arv_gc_integer_get_value(ARV_GC_INTEGER(node), error));
    });
}

double AravisNodeMap::floatValue(int i) const
{
    return readChecked(i, TypeFloat, "a float",
                       [](ArvGcNode* node, GError** error) { return arv_gc_float_get_value(ARV_GC_FLOAT(node), error); });
}

bool AravisNodeMap::booleanValue(int i) const
{
    return readChecked(i, TypeBoolean, "a boolean", [](ArvGcNode* node, GError** error) {
        return bool(arv_gc_boolean_get_value(ARV_GC_BOOLEAN(node), error));
    });
}

QString AravisNodeMap::enumValue(int i) const
{
    return readChecked(i, TypeEnumeration, "an enumeration", [](ArvGcNode* node, GError** error) {
        return fromUtf8(arv_gc_enumeration_get_string_value(ARV_GC_ENUMERATION(node), error));
    });
}

QStringList AravisNodeMap::enumEntryNames(int i) const
{
    QMutexLocker lock(&m_mutex);
    requireType(i, TypeEnumeration, "an enumeration");
    QStringList names;
    for (ArvGcFeatureNode* entry : entriesOf(ARV_GC_ENUMERATION(m_native->nodes.at(i)))) {
        if (entryUsable(entry))
            names << fromUtf8(arv_gc_feature_node_get_name(entry));
    }
    return names;
}

bool AravisNodeMap::commandDone(int i) const
{
    QMutexLocker lock(&m_mutex);
    requireType(i, TypeCommand, "a command");
    const AravisEntry& e = m_entries.at(i);
    if (e.executedAtMs < 0)
        return true;
    if (m_clock.elapsed() - e.executedAtMs >= m_commandTimeoutMs)
        return true;
    // Aravis has no "done": the command is busy while its value reads back as the command value.
    ArvGcNode* valueNode = nullptr;
    qint64 commandValue = 0;
    bool haveCommandValue = false;
    bool failed = false;
    forEachProperty(m_native->nodes.at(i), [&](ArvGcPropertyNode* p) {
        const ArvGcPropertyNodeType type = arv_gc_property_node_get_node_type(p);
        if (type == ARV_GC_PROPERTY_NODE_TYPE_P_VALUE) {
            valueNode = arv_gc_property_node_get_linked_node(p);
        } else if (type == ARV_GC_PROPERTY_NODE_TYPE_COMMAND_VALUE
                   || type == ARV_GC_PROPERTY_NODE_TYPE_P_COMMAND_VALUE) {
            ErrorSlot error;
            commandValue = arv_gc_property_node_get_int64(p, error.out());
            haveCommandValue = !error.failed();
            failed = failed || error.failed();
        }
    });
    if (!valueNode || !ARV_IS_GC_INTEGER(valueNode) || !haveCommandValue || failed)
        return true;
    if (ARV_IS_GC_FEATURE_NODE(valueNode)
        && arv_gc_feature_node_get_actual_access_mode(ARV_GC_FEATURE_NODE(valueNode)) == ARV_GC_ACCESS_MODE_WO)
        return true;
    ErrorSlot error;
    const qint64 value = arv_gc_integer_get_value(ARV_GC_INTEGER(valueNode), error.out());
    const bool done = error.failed() || value != commandValue;
    if (done)
        e.executedAtMs = -1;
    return done;
}

// --- writes ------------------------------------------------------------------------------

void AravisNodeMap::setText(int i, const QString& eightBitText)
{
    QMutexLocker lock(&m_mutex);
    const AravisEntry& e = m_entries.at(i);
    // The 8-bit text goes to the device byte for byte; decoded text is sent as UTF-8.
    bool eightBit = true;
    for (QChar c : eightBitText)
        eightBit = eightBit && c.unicode() <= 0xFF;
    const QByteArray bytes = eightBit ? eightBitText.toLatin1() : eightBitText.toUtf8();
    const QString text = QString::fromLatin1(bytes);
    ArvGcNode* node = m_native->nodes.at(i);
    switch (e.type) {
    case TypeInteger: {
        requireWritable(i);
        const QString representation = representationText(arv_gc_integer_get_representation(ARV_GC_INTEGER(node)));
        setInteger(i, ValueText::parseInteger(text, representation), true);
        return;
    }
    case TypeFloat:
        setFloat(i, ValueText::parseFloat(text));
        return;
    case TypeBoolean:
        setBoolean(i, ValueText::parseBoolean(text));
        return;
    case TypeString: {
        requireWritable(i);
        ErrorSlot error;
        arv_gc_string_set_value(ARV_GC_STRING(node), bytes.constData(), error.out());
        error.check();
        break;
    }
    case TypeEnumeration: {
        requireWritable(i);
        const QString entry = text.trimmed();
        ArvGcEnumeration* n = ARV_GC_ENUMERATION(node);
        for (ArvGcFeatureNode* candidate : entriesOf(n)) {
            if (fromUtf8(arv_gc_feature_node_get_name(candidate)) == entry && !entryUsable(candidate)) {
                GENICAM_THROW(InvalidArgumentException,
                              "The entry " + quoted(entry) + " of the enumeration " + quoted(e.name)
                                  + " is not available");
            }
        }
        ErrorSlot error;
        arv_gc_enumeration_set_string_value(n, entry.toUtf8().constData(), error.out());
        error.check();
        break;
    }
    case TypeCommand:
        GENICAM_THROW(LogicalErrorException, "Command " + quoted(e.name) + " takes no value; execute it instead");
    default:
        GENICAM_THROW(LogicalErrorException, "Node " + quoted(e.name) + " has no value to set");
    }
    reportChanges({ i });
}

void AravisNodeMap::setInteger(int i, qint64 value, bool verify)
{
    QMutexLocker lock(&m_mutex);
    requireType(i, TypeInteger, "an integer");
    requireWritable(i);
    ArvGcInteger* n = ARV_GC_INTEGER(m_native->nodes.at(i));
    ArvGc* gc = m_native->gc;
    if (verify) {
        ErrorSlot error;
        const qint64 min = arv_gc_integer_get_min(n, error.out());
        error.forgiveMissingProperty();
        const qint64 max = error.failed() ? 0 : arv_gc_integer_get_max(n, error.out());
        error.forgiveMissingProperty();
        const qint64 inc = error.failed() ? 1 : arv_gc_integer_get_inc(n, error.out());
        error.forgiveMissingProperty();
        error.check();
        // Aravis checks the range; the increment is checked here. The difference
        // is taken modulo 2^64, which is exact for value >= min.
        if (value >= min && value <= max && inc > 1
            && (static_cast<quint64>(value) - static_cast<quint64>(min)) % static_cast<quint64>(inc) != 0) {
            GENICAM_THROW(OutOfRangeException,
                          "Value " + std::to_string(value) + " of node " + quoted(m_entries.at(i).name)
                              + " is not on the increment " + std::to_string(inc) + " from the minimum "
                              + std::to_string(min));
        }
    }
    ErrorSlot error;
    if (!verify)
        arv_gc_set_range_check_policy(gc, ARV_RANGE_CHECK_POLICY_DISABLE);
    arv_gc_integer_set_value(n, value, error.out());
    if (!verify)
        arv_gc_set_range_check_policy(gc, ARV_RANGE_CHECK_POLICY_ENABLE);
    error.check();
    reportChanges({ i });
}

void AravisNodeMap::setFloat(int i, double value)
{
    QMutexLocker lock(&m_mutex);
    requireType(i, TypeFloat, "a float");
    requireWritable(i);
    const QString& name = m_entries.at(i).name;
    if (!std::isfinite(value))
        GENICAM_THROW(InvalidArgumentException, "Node " + quoted(name) + " takes finite numbers only");
    ArvGcFloat* n = ARV_GC_FLOAT(m_native->nodes.at(i));
    ErrorSlot limitsError;
    const double min = arv_gc_float_get_min(n, limitsError.out());
    limitsError.forgiveMissingProperty();
    const double max = limitsError.failed() ? 0.0 : arv_gc_float_get_max(n, limitsError.out());
    limitsError.forgiveMissingProperty();
    const double inc = limitsError.failed() ? DBL_MIN : arv_gc_float_get_inc(n, limitsError.out());
    limitsError.forgiveMissingProperty();
    limitsError.check();
    if (value >= min && value <= max && inc != DBL_MIN && inc > 0.0) {
        const double steps = (value - min) / inc;
        if (std::abs(steps - std::round(steps)) > 1e-9 * qMax(1.0, std::abs(steps))) {
            GENICAM_THROW(OutOfRangeException,
                          "Value " + std::to_string(value) + " of node " + quoted(name) + " is not on the increment "
                              + std::to_string(inc));
        }
    }
    ErrorSlot error;
    arv_gc_float_set_value(n, value, error.out());
    error.check();
    reportChanges({ i });
}

void AravisNodeMap::setBoolean(int i, bool value)
{
    QMutexLocker lock(&m_mutex);
    requireType(i, TypeBoolean, "a boolean");
    requireWritable(i);
    ErrorSlot error;
    arv_gc_boolean_set_value(ARV_GC_BOOLEAN(m_native->nodes.at(i)), value, error.out());
    error.check();
    reportChanges({ i });
}

void AravisNodeMap::execute(int i, bool verify)
{
    QMutexLocker lock(&m_mutex);
    requireType(i, TypeCommand, "a command");
    if (verify)
        requireWritable(i);
    ErrorSlot error;
    arv_gc_command_execute(ARV_GC_COMMAND(m_native->nodes.at(i)), error.out());
    error.check();
    AravisEntry& e = m_entries[i];
    e.executedAtMs = m_clock.elapsed();
    e.commandState = true;
    reportChanges({ i });
}

void AravisNodeMap::setState(int i, bool state)
{
    QMutexLocker lock(&m_mutex);
    m_entries[i].commandState = state;
}

} // namespace ParameterCollection
