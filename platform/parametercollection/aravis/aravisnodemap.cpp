// Every call into Aravis lives in this file. The library is built with
// QT_NO_KEYWORDS, so that Qt's "signals" macro cannot break GLib's headers.
#include "aravisnodemap_p.h"
#include "aravisparameter_p.h"
#include "aravisxml_p.h"
#include "genicam/genericexception.h"
#include "parametercollection/reachable_p.h"
#include "parametercollection/valuetext.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QHostAddress>
#include <QMutex>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>
#include <arv.h>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numeric>

namespace ParameterCollection {

/// What Aravis's "control-lost" handler needs; it runs on Aravis's heartbeat thread.
struct ControlWatch
{
    QWeakPointer<AravisNodeMap> map;
};

struct AravisNodeMap::Native
{
    ArvDevice* device = nullptr; // owns its node map
    ArvGc* gc = nullptr; // owned here when there is no device
    QVector<ArvGcNode*> nodes; // by entry; an alias entry has its integer node
    ControlWatch* watch = nullptr;
    gulong controlLostHandler = 0;

    Native() = default;
    Native(const Native&) = delete;
    Native& operator=(const Native&) = delete;
    ~Native()
    {
        // Letting go of a device that is gone waits on the network: the
        // worker's thread does it, never a caller's.
        if (device) {
            if (controlLostHandler)
                g_signal_handler_disconnect(device, controlLostHandler);
            g_object_unref(device);
        } else if (gc) {
            g_object_unref(gc);
        }
        delete watch;
    }
};

namespace {

const QString roleName = QStringLiteral("@CameraDevice");
const char* const fakeInterface = "Fake";
// How long a caller waits for the device's thread to take its call: longer
// than one call that fails on the device (Aravis gives up after 2.5 s).
constexpr std::chrono::milliseconds deviceTurnTimeout { 3500 };

// Set on a device's thread when Aravis reported that the device itself failed
// (a timeout, a transfer or protocol error): the device counts as lost then.
thread_local bool deviceFailed = false;

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
    if (domain == ARV_DEVICE_ERROR) {
        deviceFailed = true;
        if (code == ARV_DEVICE_ERROR_TIMEOUT)
            GENICAM_THROW(TimeoutException, message);
    }
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
    /// Raises an error of the device itself; other errors stay for the caller to judge.
    void checkDevice()
    {
        if (error && error->domain == ARV_DEVICE_ERROR)
            check();
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
        { QStringLiteral("String"), TypeString },        { QStringLiteral("StringReg"), TypeString },
        { QStringLiteral("Register"), TypeRegister }
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
    case TypeRegister:
        return ARV_IS_GC_REGISTER(node) ? type : TypeNone;
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
    // An entry whose condition cannot be evaluated (it reads a register of a
    // node map without device, say) is listed: better offered than hidden.
    ErrorSlot e1, e2;
    const bool implemented = arv_gc_feature_node_is_implemented(entry, e1.out());
    e1.checkDevice();
    const bool available = arv_gc_feature_node_is_available(entry, e2.out());
    e2.checkDevice();
    return (implemented || e1.failed()) && (available || e2.failed());
}

/// A GigE Vision device opened by its address: no discovery, no broadcast.
ArvDevice* openByAddress(const QHostAddress& address, GError** error)
{
    // The interface whose route reaches the device: a connected UDP socket
    // knows it without sending anything.
    GInetAddress* device = g_inet_address_new_from_string(address.toString().toLatin1().constData());
    GInetAddress* local = nullptr;
    if (address.isLoopback()) {
        local = g_inet_address_new_loopback(G_SOCKET_FAMILY_IPV4);
    } else if (GSocket* socket
               = g_socket_new(G_SOCKET_FAMILY_IPV4, G_SOCKET_TYPE_DATAGRAM, G_SOCKET_PROTOCOL_UDP, nullptr)) {
        GSocketAddress* remote = g_inet_socket_address_new(device, 3956);
        if (g_socket_connect(socket, remote, nullptr, nullptr)) {
            if (GSocketAddress* mine = g_socket_get_local_address(socket, nullptr)) {
                local = G_INET_ADDRESS(g_object_ref(g_inet_socket_address_get_address(G_INET_SOCKET_ADDRESS(mine))));
                g_object_unref(mine);
            }
        }
        g_object_unref(remote);
        g_object_unref(socket);
    }
    if (!local)
        local = g_inet_address_new_any(G_SOCKET_FAMILY_IPV4);
    ArvDevice* opened = arv_gv_device_new(local, device, error);
    g_object_unref(local);
    g_object_unref(device);
    return opened;
}

void onControlLost(ArvGvDevice*, gpointer data)
{
    if (const QSharedPointer<AravisNodeMap> map = static_cast<ControlWatch*>(data)->map.toStrongRef())
        map->noticeControlLost();
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
    if (m_worker) {
        Native* native = m_native.release();
        AravisWorker::retire(std::move(m_worker), [native] { delete native; });
    }
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

namespace {

/// Opens a device: by address without discovery, the fake camera in this
/// process, anything else through Aravis's discovery.
ArvDevice* openArvDevice(const QString& deviceId, const QString& fakeGenicamFile)
{
    ErrorSlot error;
    ArvDevice* device = nullptr;
    const QHostAddress address(deviceId);
    if (!address.isNull() && address.protocol() == QAbstractSocket::IPv4Protocol) {
        device = openByAddress(address, error.out());
    } else {
        const QByteArray id = deviceId.toUtf8();
        const bool fake = deviceId.startsWith(QLatin1String("Fake_"));
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
    return device;
}

QByteArray genicamXmlOf(ArvDevice* device)
{
    size_t size = 0;
    const char* xml = arv_device_get_genicam_xml(device, &size);
    return xml ? QByteArray(xml, int(size)) : QByteArray();
}

} // namespace

QSharedPointer<AravisNodeMap> AravisNodeMap::openDevice(const QString& deviceId, const QString& fakeGenicamFile)
{
    QSharedPointer<AravisNodeMap> map(new AravisNodeMap);
    // A device reached over a transport gets a thread of its own; Aravis's
    // fake camera, inside this process, answers at once like a file.
    const bool remote = !deviceId.startsWith(QLatin1String("Fake_"));
    if (remote)
        map->m_worker = std::make_unique<AravisWorker>();
    map->m_deviceId = deviceId;
    map->onDevice([&map, &deviceId, &fakeGenicamFile] {
        Native& native = *map->m_native;
        native.device = openArvDevice(deviceId, fakeGenicamFile);
        // The device's XML is checked before anything in it is evaluated.
        map->m_xml = genicamXmlOf(native.device);
        if (map->m_xml.isEmpty())
            GENICAM_THROW(RuntimeException, "The device " + quoted(deviceId) + " has no GenICam node map");
        readGenicamXmlExtras(map->m_xml, deviceId);
        native.gc = arv_device_get_genicam(native.device);
        if (!native.gc)
            GENICAM_THROW(RuntimeException, "The device " + quoted(deviceId) + " has no GenICam node map");
        map->m_hasDevice = true;
        if (ARV_IS_GV_DEVICE(native.device)) {
            map->m_deviceClass = QStringLiteral("GEV");
            native.watch = new ControlWatch { map };
            native.controlLostHandler
                = g_signal_connect(native.device, "control-lost", G_CALLBACK(onControlLost), native.watch);
            // A non-controller may read: another host keeps the device, we watch it.
            if (!arv_gv_device_is_controller(ARV_GV_DEVICE(native.device)))
                map->m_state.store(ConnectionState::ReadOnly);
        } else {
            map->m_deviceClass = ARV_IS_UV_DEVICE(native.device) ? QStringLiteral("U3V") : QStringLiteral("CamEmu");
        }
        map->build(deviceId);
        map->readEverything();
    });
    if (map->m_worker)
        map->watch();
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
    map->m_deviceClass = QStringLiteral("GenICam");
    map->onDevice([&map, &sourceName] {
        map->build(sourceName);
        map->readEverything();
    });
    return map;
}

void AravisNodeMap::build(const QString& sourceName)
{
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
        m_entries[to].references << f;
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
                    if (s >= 0 && s != i) {
                        m_entries[i].affects << s;
                        m_entries[s].selectors << i;
                    }
                }
            }
        }
    }
    for (AravisEntry& e : m_entries) {
        for (QVector<int>* list : {&e.affects, &e.references, &e.selectors}) {
            std::sort(list->begin(), list->end());
            list->erase(std::unique(list->begin(), list->end()), list->end());
        }
    }

    // What the node map says of each feature never changes: read it once, here.
    for (int i = 0; i < m_entries.size(); ++i) {
        AravisEntry& e = m_entries[i];
        ArvGcNode* node = m_native->nodes.at(i);
        ArvGcFeatureNode* feature = ARV_GC_FEATURE_NODE(node);
        const QString display = e.aliasOf >= 0 ? QString() : fromUtf8(arv_gc_feature_node_get_display_name(feature));
        e.displayName = display.isEmpty() ? e.name : display;
        e.description = fromUtf8(arv_gc_feature_node_get_description(feature));
        e.tooltip = fromUtf8(arv_gc_feature_node_get_tooltip(feature));
        e.visibility = mapVisibility(arv_gc_feature_node_get_visibility(feature));
        if (e.type == TypeInteger) {
            e.unit = fromUtf8(arv_gc_integer_get_unit(ARV_GC_INTEGER(node)));
            e.representation = representationText(arv_gc_integer_get_representation(ARV_GC_INTEGER(node)));
        } else if (e.type == TypeFloat) {
            e.unit = fromUtf8(arv_gc_float_get_unit(ARV_GC_FLOAT(node)));
            e.representation = representationText(arv_gc_float_get_representation(ARV_GC_FLOAT(node)));
        } else if (e.type == TypeCategory) {
            for (const GSList* l = arv_gc_category_get_features(ARV_GC_CATEGORY(node)); l; l = l->next) {
                const int child = m_index.value(fromUtf8(static_cast<const char*>(l->data)), -1);
                if (child >= 0)
                    e.children << m_entries.at(child).fullName;
            }
        }
    }
    for (int i = 0; i < m_entries.size(); ++i) {
        AravisEntry& e = m_entries[i];
        if (e.aliasOf >= 0)
            e.visibility = m_entries.at(e.aliasOf).visibility;
        else if (!ARV_IS_GC_FEATURE_NODE(m_native->nodes.at(i)))
            e.visibility = GenApi::Invisible;
    }
    for (int i = 0; i < m_entries.size(); ++i)
        m_entries[i].handle = createAravisParameterHandle(sharedFromThis(), i, m_entries.at(i).type);
}

void AravisNodeMap::readEverything()
{
    for (int i = 0; i < m_entries.size(); ++i) {
        QString failure;
        const QSharedPointer<const ParameterData> d = buildSnapshot(i, &failure);
        store(i, d, failure);
    }
    auto text = [this](const char* name, const QString& fallback) {
        const int i = m_index.value(QString::fromLatin1(name), -1);
        if (i < 0 || m_entries.at(i).type != TypeString)
            return fallback;
        const QString value = cached(i)->valueString.trimmed();
        return value.isEmpty() ? fallback : value;
    };
    AravisDeviceInfo info;
    info.id = m_hasDevice ? m_sourceName : QString();
    info.vendor = text("DeviceVendorName", m_vendorName);
    info.model = text("DeviceModelName", m_modelName);
    info.serialNumber = text("DeviceSerialNumber", text("DeviceID", QString()));
    info.protocol = m_deviceClass == QLatin1String("GEV") ? QStringLiteral("GigEVision")
        : m_deviceClass == QLatin1String("U3V")           ? QStringLiteral("USB3Vision")
        : m_deviceClass == QLatin1String("CamEmu")        ? QStringLiteral("Fake")
                                                          : QString();
    m_deviceInfo = info;
}

// --- where the device's calls run ---------------------------------------------------------

void AravisNodeMap::onDevice(const std::function<void()>& job) const
{
    requireConnected();
    auto guarded = [this, &job] {
        QMutexLocker lock(&m_deviceMutex);
        requireConnected(); // lost while the call waited for its turn
        deviceFailed = false;
        try {
            job();
        } catch (const GenICam::GenericException&) {
            if (deviceFailed)
                const_cast<AravisNodeMap*>(this)->markLost();
            throw;
        }
    };
    if (!m_worker) {
        guarded();
        return;
    }
    m_worker->run(guarded, deviceTurnTimeout, [this] {
        GENICAM_THROW(TimeoutException, "The device " + quoted(m_sourceName) + " is busy and did not take the call");
    });
}

void AravisNodeMap::later(std::function<void()> job)
{
    if (!m_worker) {
        QMutexLocker lock(&m_deviceMutex);
        job();
        return;
    }
    // The job keeps the node map alive; a collection closed meanwhile does not wait for it.
    const QSharedPointer<AravisNodeMap> self = sharedFromThis();
    m_worker->post([self, job] {
        if (self->connectionState() == ConnectionState::Lost)
            return;
        QMutexLocker lock(&self->m_deviceMutex);
        deviceFailed = false;
        try {
            job();
        } catch (const GenICam::GenericException& e) {
            if (deviceFailed)
                self->markLost();
            else
                qWarning("%s: %s", qPrintable(self->m_sourceName), e.GetDescription());
        }
    });
}

// --- connection ------------------------------------------------------------------------

AravisNodeMap::ConnectionState AravisNodeMap::connectionState() const
{
    return m_state.load();
}

void AravisNodeMap::setConnectionListener(std::function<void(ConnectionState)> listener)
{
    QMutexLocker lock(&m_listenerMutex);
    m_listener = std::move(listener);
}

void AravisNodeMap::changeState(ConnectionState state)
{
    if (m_state.exchange(state) == state)
        return;
    QMutexLocker lock(&m_listenerMutex);
    if (m_listener)
        m_listener(state);
}

void AravisNodeMap::requireConnected() const
{
    if (m_state.load() == ConnectionState::Lost)
        GENICAM_THROW(DisconnectedException, "The device " + quoted(m_sourceName) + " is disconnected");
}

void AravisNodeMap::noticeControlLost()
{
    if (!m_worker)
        return;
    const QWeakPointer<AravisNodeMap> weak = sharedFromThis();
    m_worker->post([weak] {
        const QSharedPointer<AravisNodeMap> map = weak.toStrongRef();
        if (!map)
            return;
        QMutexLocker lock(&map->m_deviceMutex);
        ArvDevice* device = map->m_native->device;
        if (!device || !ARV_IS_GV_DEVICE(device) || map->m_state.load() == ConnectionState::Lost)
            return; // the probes take control back once the device answers
        // The device let go of us, most likely because our heartbeat did not
        // reach it for a while. Aravis tells before it stops counting us as
        // the controller: a claim made before that would be undone, and
        // Aravis would stop the heartbeat that keeps it.
        ArvGvDevice* gv = ARV_GV_DEVICE(device);
        QDeadlineTimer told(500);
        while (arv_gv_device_is_controller(gv) && !told.hasExpired())
            QThread::msleep(1);
        // Unless another host was quicker, we are its controller again.
        ErrorSlot error;
        if (!arv_gv_device_take_control(gv, error.out()))
            map->markLost();
    });
}

void AravisNodeMap::markLost()
{
    if (m_state.load() != ConnectionState::Lost)
        changeState(ConnectionState::Lost);
}

void AravisNodeMap::setProbeInterval(int milliseconds)
{
    m_probeIntervalMs.store(qMax(10, milliseconds));
    if (m_worker)
        watch();
}

void AravisNodeMap::watch()
{
    // Whenever the worker has nothing else to do for a while, it knocks at
    // the device: Aravis answers many reads from its register cache, so a
    // device that went away might otherwise go unnoticed for a long time.
    const QWeakPointer<AravisNodeMap> weak = sharedFromThis();
    m_worker->setTick(
        [weak] {
            if (const QSharedPointer<AravisNodeMap> map = weak.toStrongRef())
                map->probe();
        },
        std::chrono::milliseconds(m_probeIntervalMs.load()));
}

void AravisNodeMap::checkAlive()
{
    // A raw register read always goes to the device: the first bootstrap register.
    ErrorSlot error;
    guint32 value = 0;
    if (!arv_device_read_register(m_native->device, 0, &value, error.out()))
        error.check(); // a device failure: the caller marks the device lost
}

void AravisNodeMap::probe()
{
    QMutexLocker lock(&m_deviceMutex);
    if (!m_native->device)
        return;
    deviceFailed = false;
    if (m_state.load() != ConnectionState::Lost) {
        try {
            checkAlive();
        } catch (const GenICam::GenericException&) {
            if (deviceFailed)
                markLost();
        }
        return;
    }
    ErrorSlot error;
    guint32 value = 0;
    if (!arv_device_read_register(m_native->device, 0, &value, error.out()))
        return; // still away
    ConnectionState back = ConnectionState::Connected;
    if (ARV_IS_GV_DEVICE(m_native->device)) {
        // Our heartbeat did not reach the device while it was away, so it may
        // have let go of us even though Aravis still counts us as its
        // controller: ask for control again. Asking is harmless when we still
        // have it; another host may have taken it meanwhile.
        ErrorSlot controlError;
        if (!arv_gv_device_take_control(ARV_GV_DEVICE(m_native->device), controlError.out()))
            back = ConnectionState::ReadOnly;
    }
    recover(back);
}

bool AravisNodeMap::recover(ConnectionState back)
{
    // The reads below must not find the device lost; nobody hears of it
    // before they went through.
    m_state.store(back);
    deviceFailed = false;
    try {
        QVector<int> all(m_entries.size());
        std::iota(all.begin(), all.end(), 0);
        reportChanges(all);
    } catch (const GenICam::GenericException&) {
        m_state.store(ConnectionState::Lost); // still away: the probes go on
        return false;
    }
    QMutexLocker lock(&m_listenerMutex);
    if (m_listener)
        m_listener(back);
    return true;
}

void AravisNodeMap::reconnect()
{
    if (!m_worker || m_state.load() != ConnectionState::Lost)
        return;
    const QWeakPointer<AravisNodeMap> weak = sharedFromThis();
    m_worker->post([weak] {
        if (const QSharedPointer<AravisNodeMap> map = weak.toStrongRef())
            map->reopen();
    });
}

void AravisNodeMap::reopen()
{
    QMutexLocker lock(&m_deviceMutex);
    if (m_state.load() != ConnectionState::Lost)
        return;
    auto fresh = std::make_unique<Native>();
    try {
        fresh->device = openArvDevice(m_deviceId, QString());
    } catch (const GenICam::GenericException& e) {
        qWarning("%s: %s", qPrintable(m_sourceName), e.GetDescription());
        return; // still away; the probes go on
    }
    fresh->gc = arv_device_get_genicam(fresh->device);
    // The rows of the tree stand for the features of this node map: a device
    // that now describes itself differently is a device to open anew.
    if (!fresh->gc || genicamXmlOf(fresh->device) != m_xml) {
        qWarning("%s: the device's node map changed since it was opened; open it anew", qPrintable(m_sourceName));
        return;
    }
    for (int i = 0; i < m_entries.size(); ++i) {
        const AravisEntry& e = m_entries.at(i);
        const QString name = e.aliasOf >= 0 ? m_entries.at(e.aliasTarget).name : e.name;
        fresh->nodes << arv_gc_get_node(fresh->gc, name.toUtf8().constData());
    }
    if (ARV_IS_GV_DEVICE(fresh->device)) {
        fresh->watch = new ControlWatch { sharedFromThis() };
        fresh->controlLostHandler
            = g_signal_connect(fresh->device, "control-lost", G_CALLBACK(onControlLost), fresh->watch);
    }
    // Letting go of the old device may wait on the network: elsewhere.
    auto retired = std::make_unique<AravisWorker>();
    Native* old = m_native.release();
    AravisWorker::retire(std::move(retired), [old] { delete old; });
    m_native = std::move(fresh);
    const bool controller
        = !ARV_IS_GV_DEVICE(m_native->device) || arv_gv_device_is_controller(ARV_GV_DEVICE(m_native->device));
    recover(controller ? ConnectionState::Connected : ConnectionState::ReadOnly);
}

// --- bookkeeping ------------------------------------------------------------------------

int AravisNodeMap::indexOf(const QString& name) const
{
    const QString prefix = m_role + QLatin1Char('/');
    const QString plain = name.startsWith(prefix) ? name.mid(prefix.size()) : name;
    return m_index.value(plain, -1);
}

void AravisNodeMap::withGenicam(const std::function<void(ArvGc*)>& function) const
{
    onDevice([this, &function] { function(m_native->gc); });
}

QSharedPointer<const ParameterData> AravisNodeMap::cached(int i) const
{
    QMutexLocker lock(&m_cacheMutex);
    return m_entries.at(i).snapshot;
}

// --- collection operations ---------------------------------------------------------------

FeatureDependencies AravisNodeMap::dependencies(const QString& name) const
{
    requireConnected();
    FeatureDependencies d;
    int i = indexOf(name);
    if (i >= 0 && m_entries.at(i).aliasOf >= 0)
        i = m_entries.at(i).aliasOf; // an alias depends on what its float depends on
    if (i < 0)
        return d;
    for (int s : m_entries.at(i).selectors)
        d.selectors << m_entries.at(s).fullName;
    for (int r : m_entries.at(i).references) {
        if (!m_entries.at(i).selectors.contains(r))
            d.references << m_entries.at(r).fullName;
    }
    return d;
}

QStringList AravisNodeMap::children(const QString& name) const
{
    requireConnected();
    const int i = indexOf(name);
    if (i < 0)
        GENICAM_THROW(InvalidArgumentException, "Collection " + quoted(m_role) + " has no node " + quoted(name));
    return m_entries.at(i).children;
}

void AravisNodeMap::refresh()
{
    requireConnected();
    later([this] {
        if (m_worker)
            checkAlive();
        QVector<int> all(m_entries.size());
        std::iota(all.begin(), all.end(), 0);
        reportChanges(all);
    });
}

void AravisNodeMap::poll(qint64 intervalMs)
{
    requireConnected();
    // One pass waits at most: polls that come while it waits add nothing.
    if (m_worker && m_pollPending.exchange(true))
        return;
    later([this, intervalMs] {
        m_pollPending.store(false);
        pollPass(intervalMs);
    });
}

void AravisNodeMap::pollPass(qint64 intervalMs)
{
    if (m_worker)
        checkAlive(); // what the pass reads may come from Aravis's cache
    const qint64 interval = qMax(qint64(0), intervalMs);
    QVector<int> due;
    for (int i = 0; i < m_entries.size(); ++i) {
        AravisEntry& e = m_entries[i];
        bool inUse = false;
        bool busy = false;
        {
            QMutexLocker lock(&m_cacheMutex);
            inUse = e.inUse;
            busy = e.executedAtMs >= 0;
        }
        if (busy) {
            due << i; // a busy command: is it done now?
        } else if (m_hasPollingTimes) {
            if (e.pollingTimeMs > 0) {
                e.sincePollMs += interval;
                if (e.sincePollMs >= e.pollingTimeMs) {
                    e.sincePollMs %= e.pollingTimeMs;
                    due << i;
                }
            }
        } else if (inUse) {
            due << i;
        }
    }
    reportChanges(due);
}

void AravisNodeMap::reportChanges(const QVector<int>& seeds)
{
    const QVector<int> queue
        = reachableFrom(seeds, m_entries.size(), [this](int i) -> const QVector<int>& { return m_entries[i].affects; });
    for (int i : qAsConst(queue))
        reread(i);
}

void AravisNodeMap::store(int i, const QSharedPointer<const ParameterData>& d, const QString& failure, bool* changed)
{
    QMutexLocker lock(&m_cacheMutex);
    AravisEntry& e = m_entries[i];
    // A snapshot nobody has seen cannot have changed for anybody.
    if (changed)
        *changed = e.inUse && (!e.snapshot || *e.snapshot != *d);
    e.snapshot = d;
    e.readFailure = failure;
}

void AravisNodeMap::reread(int i)
{
    // A device found gone ends the pass: the other reads would only wait as well.
    requireConnected();
    QString failure;
    const QSharedPointer<const ParameterData> fresh = buildSnapshot(i, &failure);
    bool changed = false;
    store(i, fresh, failure, &changed);
    if (changed && m_entries.at(i).handle)
        Q_EMIT m_entries.at(i).handle->parameterDataChangedDecoupled(fresh);
}

// --- queries --------------------------------------------------------------------------

GenApi::EVisibility AravisNodeMap::visibilityOf(int i) const
{
    QMutexLocker lock(&m_cacheMutex);
    const AravisEntry& e = m_entries.at(i);
    if (e.imposedVisibility)
        return *e.imposedVisibility;
    if (e.aliasOf >= 0 && m_entries.at(e.aliasOf).imposedVisibility)
        return *m_entries.at(e.aliasOf).imposedVisibility;
    return e.visibility;
}

GenApi::EAccessMode AravisNodeMap::accessOf(int i) const
{
    const QSharedPointer<const ParameterData> d = cached(i);
    if (!d->isImplemented)
        return GenApi::NI;
    if (d->isReadable && d->isWritable)
        return GenApi::RW;
    if (d->isReadable)
        return GenApi::RO;
    if (d->isWritable)
        return GenApi::WO;
    return GenApi::NA;
}

QSharedPointer<const ParameterData> AravisNodeMap::snapshot(int i)
{
    requireConnected();
    bool firstTime = false;
    QSharedPointer<const ParameterData> d;
    {
        QMutexLocker lock(&m_cacheMutex);
        AravisEntry& e = m_entries[i];
        firstTime = !e.inUse;
        e.inUse = true;
        d = e.snapshot;
    }
    if (!firstTime || !m_hasDevice)
        return d;
    // What was read when the device was opened may be old by now. Without a
    // worker a fresh read answers at once; with one, it follows, and a change
    // arrives as a report.
    if (!m_worker) {
        onDevice([this, i] {
            QString failure;
            store(i, buildSnapshot(i, &failure), failure);
        });
        return cached(i);
    }
    later([this, i] { reread(i); });
    return d;
}

QString AravisNodeMap::property(int i, const QString& key, const QString& defaultValue) const
{
    requireConnected();
    const AravisEntry& e = m_entries.at(i);
    auto orDefault = [&](const QString& value) { return value.isEmpty() ? defaultValue : value; };
    if (key == QLatin1String("Name"))
        return e.name;
    if (key == QLatin1String("DisplayName"))
        return e.displayName;
    if (key == QLatin1String("Description"))
        return orDefault(e.description);
    if (key == QLatin1String("Tooltip") || key == QLatin1String("ToolTip"))
        return orDefault(e.tooltip);
    if (key == QLatin1String("DocuURL"))
        return orDefault(e.docuURL);
    if (key == QLatin1String("Unit"))
        return orDefault(e.unit);
    if (key == QLatin1String("Representation"))
        return orDefault(e.representation);
    if (key == QLatin1String("Visibility"))
        return ValueText::formatVisibility(visibilityOf(i));
    if (key == QLatin1String("AccessMode"))
        return ValueText::formatAccessMode(accessOf(i));
    if (key == QLatin1String("ImposedAccessMode")) {
        QMutexLocker lock(&m_cacheMutex);
        return e.imposedAccess ? ValueText::formatAccessMode(*e.imposedAccess) : defaultValue;
    }
    return defaultValue;
}

void AravisNodeMap::setProperty(int i, const QString& key, const QString& value)
{
    AravisEntry& e = m_entries[i];
    if (key == QLatin1String("Visibility")) {
        const GenApi::EVisibility v = ValueText::parseImposedVisibility(value, e.name);
        QMutexLocker lock(&m_cacheMutex);
        e.imposedVisibility = v;
    } else if (key == QLatin1String("AccessMode")) {
        // No mode takes the imposed one back: the node's own applies again.
        const std::optional<GenApi::EAccessMode> a
            = value.isEmpty() ? std::nullopt : std::optional(ValueText::parseImposedAccessMode(value, e.name));
        QMutexLocker lock(&m_cacheMutex);
        e.imposedAccess = a;
    } else {
        GENICAM_THROW(LogicalErrorException,
                      "Property " + quoted(key) + " of node " + quoted(e.name) + " cannot be set");
    }
    onDevice([this, i] { reportChanges({ i }); });
}

// --- typed reads -------------------------------------------------------------------------

void AravisNodeMap::requireType(int i, int type, const char* what) const
{
    if (m_entries.at(i).type != type)
        GENICAM_THROW(LogicalErrorException, "Node " + quoted(m_entries.at(i).name) + " is not " + what);
}

void AravisNodeMap::requireReadable(int i, const ParameterData& d) const
{
    const QString& name = m_entries.at(i).name;
    QString failure;
    {
        QMutexLocker lock(&m_cacheMutex);
        failure = m_entries.at(i).readFailure;
    }
    // Aravis's own words say best why a value could not be read.
    if (!d.isReadable && !failure.isEmpty())
        GENICAM_THROW(AccessException, failure.toStdString());
    if (!d.isImplemented)
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not implemented");
    if (!d.isReadable && !d.isWritable)
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not available");
    if (!d.isReadable)
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not readable (write only)");
}

void AravisNodeMap::requireWritable(int i) const
{
    const QString& name = m_entries.at(i).name;
    switch (liveAccessOf(i)) {
    case GenApi::NI:
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not implemented");
    case GenApi::NA:
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not available");
    case GenApi::RO: {
        if (m_state.load() == ConnectionState::ReadOnly)
            GENICAM_THROW(AccessException,
                          "Node " + quoted(name) + " cannot be written: another host controls the device");
        ErrorSlot error;
        if (arv_gc_feature_node_is_locked(ARV_GC_FEATURE_NODE(m_native->nodes.at(i)), error.out()))
            GENICAM_THROW(AccessException, "Node " + quoted(name) + " is locked");
        GENICAM_THROW(AccessException, "Node " + quoted(name) + " is not writable (read only)");
    }
    default:
        break;
    }
}

template<typename Read>
auto AravisNodeMap::readCached(int i, int type, const char* what, bool value, const Read& read) const
{
    requireConnected();
    requireType(i, type, what);
    const QSharedPointer<const ParameterData> d = cached(i);
    if (value)
        requireReadable(i, *d);
    return read(*d);
}

qint64 AravisNodeMap::integerValue(int i) const
{
    return readCached(i, TypeInteger, "an integer", true, [](const ParameterData& d) { return d.intValue; });
}

qint64 AravisNodeMap::integerMinimum(int i) const
{
    return readCached(i, TypeInteger, "an integer", false, [](const ParameterData& d) { return d.intMin; });
}

qint64 AravisNodeMap::integerMaximum(int i) const
{
    return readCached(i, TypeInteger, "an integer", false, [](const ParameterData& d) { return d.intMax; });
}

qint64 AravisNodeMap::integerIncrement(int i) const
{
    return readCached(i, TypeInteger, "an integer", false, [](const ParameterData& d) { return d.intInc; });
}

double AravisNodeMap::floatValue(int i) const
{
    return readCached(i, TypeFloat, "a float", true, [](const ParameterData& d) { return d.floatValue; });
}

double AravisNodeMap::floatMinimum(int i) const
{
    return readCached(i, TypeFloat, "a float", false, [](const ParameterData& d) { return d.floatMin; });
}

double AravisNodeMap::floatMaximum(int i) const
{
    return readCached(i, TypeFloat, "a float", false, [](const ParameterData& d) { return d.floatMax; });
}

bool AravisNodeMap::booleanValue(int i) const
{
    return readCached(i, TypeBoolean, "a boolean", true, [](const ParameterData& d) { return d.boolValue; });
}

QString AravisNodeMap::enumValue(int i) const
{
    return readCached(i, TypeEnumeration, "an enumeration", true, [](const ParameterData& d) { return d.valueString; });
}

QStringList AravisNodeMap::enumEntryNames(int i) const
{
    return readCached(i, TypeEnumeration, "an enumeration", false,
                      [](const ParameterData& d) { return d.enumEntryNames; });
}

bool AravisNodeMap::commandDone(int i) const
{
    if (readCached(i, TypeCommand, "a command", false, [](const ParameterData& d) { return d.boolValue; }))
        return true;
    // A command that stays busy counts as done once its time is up, whether
    // or not the device was asked again meanwhile.
    QMutexLocker lock(&m_cacheMutex);
    const qint64 executedAt = m_entries.at(i).executedAtMs;
    return executedAt < 0 || m_clock.elapsed() - executedAt >= m_commandTimeoutMs.load();
}

void AravisNodeMap::setState(int i, bool state)
{
    requireConnected();
    Q_UNUSED(i)
    Q_UNUSED(state) // Aravis knows when a command is done; the editor's word is not needed.
}

// --- writes ------------------------------------------------------------------------------

void AravisNodeMap::setText(int i, const QString& eightBitText)
{
    onDevice([=] { writeText(i, eightBitText); });
}

void AravisNodeMap::setInteger(int i, qint64 value, bool verify)
{
    onDevice([=] { writeInteger(i, value, verify); });
}

void AravisNodeMap::setFloat(int i, double value)
{
    onDevice([=] { writeFloat(i, value); });
}

void AravisNodeMap::setBoolean(int i, bool value)
{
    onDevice([=] { writeBoolean(i, value); });
}

void AravisNodeMap::execute(int i, bool verify)
{
    onDevice([=] { runCommand(i, verify); });
}

// --- on the device's thread ---------------------------------------------------------------

GenApi::EAccessMode AravisNodeMap::liveAccessOf(int i) const
{
    ArvGcFeatureNode* node = ARV_GC_FEATURE_NODE(m_native->nodes.at(i));
    GenApi::EAccessMode declared = GenApi::RO;
    std::optional<GenApi::EAccessMode> imposed;
    {
        QMutexLocker lock(&m_cacheMutex);
        imposed = m_entries.at(i).imposedAccess;
    }
    if (imposed) {
        declared = *imposed;
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
    const bool implemented = arv_gc_feature_node_is_implemented(node, implementedError.out());
    implementedError.checkDevice();
    if (!implemented)
        return implementedError.failed() ? GenApi::NA : GenApi::NI;
    ErrorSlot availableError;
    const bool available = arv_gc_feature_node_is_available(node, availableError.out());
    availableError.checkDevice();
    if (!available || availableError.failed())
        return GenApi::NA;
    ErrorSlot lockedError;
    const bool locked = arv_gc_feature_node_is_locked(node, lockedError.out());
    lockedError.checkDevice();
    // A lock, or another host's control of the device, leaves reading only.
    if ((locked && !lockedError.failed()) || m_state.load() == ConnectionState::ReadOnly) {
        if (declared == GenApi::RW)
            return GenApi::RO;
        if (declared == GenApi::WO)
            return GenApi::NA;
    }
    return declared;
}

QSharedPointer<ParameterData> AravisNodeMap::buildSnapshot(int i, QString* failure) const
{
    const AravisEntry& e = m_entries.at(i);
    ArvGcNode* node = m_native->nodes.at(i);
    auto d = QSharedPointer<ParameterData>::create();
    d->type = e.type;
    d->name = e.name;
    d->fullName = e.fullName;
    d->visibility = visibilityOf(i);
    const GenApi::EAccessMode mode = liveAccessOf(i);
    d->isImplemented = mode != GenApi::NI;
    d->isAvailable = mode != GenApi::NI && mode != GenApi::NA;
    d->isReadable = mode == GenApi::RO || mode == GenApi::RW;
    d->isWritable = mode == GenApi::WO || mode == GenApi::RW;
    if (!d->isImplemented || e.type == TypeNone || e.type == TypeCategory)
        return d;

    // A value that cannot be read (no device, a transfer error) makes the
    // feature unavailable in this snapshot; the typed reads report the reason.
    auto unavailable = [&d, failure](const ErrorSlot& slot) {
        d->isAvailable = false;
        d->isReadable = false;
        d->isWritable = false;
        d->valueString.clear();
        if (failure && slot.error && slot.error->message)
            *failure = fromUtf8(slot.error->message);
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
        error.checkDevice();
        if (error.failed())
            unavailable(error);
        break;
    }
    case TypeFloat: {
        ArvGcFloat* n = ARV_GC_FLOAT(node);
        d->representation = representationText(arv_gc_float_get_representation(n));
        d->displayPrecision = arv_gc_float_get_display_precision(n);
        switch (arv_gc_float_get_display_notation(n)) {
        case ARV_GC_DISPLAY_NOTATION_FIXED:
            d->displayNotation = NotationFixed;
            break;
        case ARV_GC_DISPLAY_NOTATION_SCIENTIFIC:
            d->displayNotation = NotationScientific;
            break;
        default:
            d->displayNotation = NotationAutomatic;
            break;
        }
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
            d->valueString = ValueText::formatFloat(d->floatValue, d->displayPrecision, d->displayNotation);
        }
        error.checkDevice();
        if (error.failed())
            unavailable(error);
        break;
    }
    case TypeBoolean:
        if (d->isReadable) {
            d->boolValue = arv_gc_boolean_get_value(ARV_GC_BOOLEAN(node), error.out());
            d->valueString = ValueText::formatBoolean(d->boolValue);
            error.checkDevice();
            if (error.failed())
                unavailable(error);
        }
        break;
    case TypeString:
        if (d->isReadable) {
            const char* text = arv_gc_string_get_value(ARV_GC_STRING(node), error.out());
            error.checkDevice();
            if (error.failed())
                unavailable(error);
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
            error.checkDevice();
            if (error.failed())
                unavailable(error);
        }
        break;
    }
    case TypeCommand:
        d->boolValue = readCommandDone(i);
        break;
    case TypeRegister: {
        ArvGcRegister* n = ARV_GC_REGISTER(node);
        const quint64 address = arv_gc_register_get_address(n, error.out());
        const quint64 length = error.failed() ? 0 : arv_gc_register_get_length(n, error.out());
        error.checkDevice();
        QByteArray bytes;
        // A register's bytes are shown up to a screenful; the rest is not read at all.
        constexpr quint64 shownBytes = 64;
        if (!error.failed() && d->isReadable && length > 0 && length <= shownBytes) {
            bytes.resize(int(length));
            arv_gc_register_get(n, bytes.data(), length, error.out());
            error.checkDevice();
            if (error.failed())
                bytes.clear();
        }
        d->valueString = error.failed() && length == 0 ? QString() : ValueText::formatRegister(bytes, length, address);
        d->isWritable = false; // bytes are not written as text
        break;
    }
    default:
        break;
    }
    return d;
}

bool AravisNodeMap::readCommandDone(int i) const
{
    const AravisEntry& e = m_entries.at(i);
    qint64 executedAt = -1;
    {
        QMutexLocker lock(&m_cacheMutex);
        executedAt = e.executedAtMs;
    }
    if (executedAt < 0 || m_clock.elapsed() - executedAt >= m_commandTimeoutMs.load())
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
    error.checkDevice();
    const bool done = error.failed() || value != commandValue;
    if (done) {
        QMutexLocker lock(&m_cacheMutex);
        e.executedAtMs = -1;
    }
    return done;
}

void AravisNodeMap::writeText(int i, const QString& eightBitText)
{
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
        writeInteger(i, ValueText::parseInteger(text, representation), true);
        return;
    }
    case TypeFloat:
        writeFloat(i, ValueText::parseFloat(text));
        return;
    case TypeBoolean:
        writeBoolean(i, ValueText::parseBoolean(text));
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
    case TypeRegister:
        requireWritable(i);
        GENICAM_THROW(LogicalErrorException, "Register " + quoted(e.name) + " takes bytes, not a text");
    default:
        GENICAM_THROW(LogicalErrorException, "Node " + quoted(e.name) + " has no value to set");
    }
    reportChanges({ i });
}

void AravisNodeMap::writeInteger(int i, qint64 value, bool verify)
{
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

void AravisNodeMap::writeFloat(int i, double value)
{
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

void AravisNodeMap::writeBoolean(int i, bool value)
{
    requireType(i, TypeBoolean, "a boolean");
    requireWritable(i);
    ErrorSlot error;
    arv_gc_boolean_set_value(ARV_GC_BOOLEAN(m_native->nodes.at(i)), value, error.out());
    error.check();
    reportChanges({ i });
}

void AravisNodeMap::runCommand(int i, bool verify)
{
    requireType(i, TypeCommand, "a command");
    if (verify)
        requireWritable(i);
    ErrorSlot error;
    arv_gc_command_execute(ARV_GC_COMMAND(m_native->nodes.at(i)), error.out());
    error.check();
    {
        QMutexLocker lock(&m_cacheMutex);
        m_entries[i].executedAtMs = m_clock.elapsed();
    }
    reportChanges({ i });
}

} // namespace ParameterCollection
