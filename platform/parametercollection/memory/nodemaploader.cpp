// Builds an in-memory node map from its XML description (nodemaps/README.md).
#include "memorynodemap_p.h"

#include "genicam/genericexception.h"
#include "parametercollection/valuetext.h"
#include "utils/xmlnesting.h"

#include <QDomDocument>
#include <QDomElement>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

namespace ParameterCollection {

namespace {

class NodeMapLoader
{
public:
    NodeMapLoader(QString sourceName, QVector<MemoryNode>& nodes)
        : m_source(std::move(sourceName))
        , m_nodes(nodes)
    {
    }

    // Categories are read recursively, element by element: the nesting is
    // checked first, by a reader that keeps no stack of its own.
    static constexpr int maxDepth = 64;

    QString load(const QByteArray& xml)
    {
        checkDepth(xml);
        QDomDocument document;
        QString message;
        int line = 0;
        int column = 0;
        if (!document.setContent(xml, &message, &line, &column))
            fail(line, QStringLiteral("malformed XML (%1, column %2)").arg(message).arg(column));
        const QDomElement root = document.documentElement();
        if (root.tagName() != QLatin1String("NodeMap"))
            fail(root.lineNumber(), QStringLiteral("the document element must be <NodeMap>"));
        m_role = root.attribute(QStringLiteral("role"));
        if (m_role.size() < 2 || m_role.at(0).isLetterOrNumber() || m_role.contains(QLatin1Char('/')))
            fail(root.lineNumber(), QStringLiteral("the role must be a marker character and a name, such as "
                                                   "\"@CameraDevice\""));
        const QDomElement first = root.firstChildElement();
        if (first.tagName() != QLatin1String("Category") || first.attribute(QStringLiteral("name")) != QLatin1String("Root")
            || !first.nextSiblingElement().isNull())
            fail(root.lineNumber(), QStringLiteral("<NodeMap> must hold exactly one <Category name=\"Root\">"));

        readNode(first);
        for (int i = 0; i < m_elements.size(); ++i)
            resolveReferences(i);
        addAliases();
        collectDependents();
        return m_role;
    }

    QHash<QString, int> index() const { return m_index; }

private:
    void checkDepth(const QByteArray& xml) const
    {
        if (const qint64 line = Utils::lineNestedDeeperThan(xml, maxDepth))
            fail(int(line), QStringLiteral("elements nested deeper than %1 levels").arg(maxDepth));
    }

    [[noreturn]] void fail(int line, const QString& message) const
    {
        const QString where = m_source.isEmpty() ? QStringLiteral("node map") : m_source;
        GENICAM_THROW(InvalidArgumentException,
                      QStringLiteral("%1, line %2: %3").arg(where).arg(line).arg(message).toStdString());
    }

    static MemoryNode::Kind kindOf(const QString& tag, bool* ok)
    {
        static const QHash<QString, MemoryNode::Kind> kinds{
            {QStringLiteral("Category"), MemoryNode::Category}, {QStringLiteral("Integer"), MemoryNode::Integer},
            {QStringLiteral("Float"), MemoryNode::Float},       {QStringLiteral("Boolean"), MemoryNode::Boolean},
            {QStringLiteral("String"), MemoryNode::String},     {QStringLiteral("Enumeration"), MemoryNode::Enumeration},
            {QStringLiteral("Command"), MemoryNode::Command},   {QStringLiteral("Port"), MemoryNode::Null},
            {QStringLiteral("Register"), MemoryNode::Register}};
        const auto it = kinds.find(tag);
        *ok = it != kinds.end();
        return *ok ? *it : MemoryNode::Null;
    }

    int readNode(const QDomElement& e)
    {
        bool known = false;
        MemoryNode n;
        n.kind = kindOf(e.tagName(), &known);
        if (!known)
            fail(e.lineNumber(), QStringLiteral("unknown element <%1>").arg(e.tagName()));
        n.name = e.attribute(QStringLiteral("name"));
        if (n.name.isEmpty() || n.name.contains(QLatin1Char('/')) || n.name.contains(QLatin1Char('*')))
            fail(e.lineNumber(), QStringLiteral("<%1> needs a name without '/' and '*'").arg(e.tagName()));
        if (m_index.contains(n.name))
            fail(e.lineNumber(), QStringLiteral("a second node is named '%1'").arg(n.name));
        n.fullName = m_role + QLatin1Char('/') + n.name;
        n.displayName = e.attribute(QStringLiteral("displayName"), n.name);
        n.description = e.attribute(QStringLiteral("description"));
        n.tooltip = e.attribute(QStringLiteral("tooltip"));
        n.docuURL = e.attribute(QStringLiteral("docuURL"));
        n.unit = e.attribute(QStringLiteral("unit"));
        n.visibility = parseVisibility(e);
        n.access = parseAccess(e, n.kind == MemoryNode::Category ? QStringLiteral("RO") : QStringLiteral("RW"));

        const int index = m_nodes.size();
        m_index.insert(n.name, index);
        m_nodes.append(n);
        m_elements.append(e);

        if (n.kind == MemoryNode::Category) {
            for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement()) {
                const int child = readNode(c);
                m_nodes[index].children << child;
            }
        }
        return index;
    }

    GenApi::EVisibility parseVisibility(const QDomElement& e) const
    {
        const QString text = e.attribute(QStringLiteral("visibility"), QStringLiteral("Beginner"));
        const auto visibility = ValueText::visibilityFromText(text);
        if (!visibility)
            fail(e.lineNumber(), QStringLiteral("unknown visibility '%1'").arg(text));
        return *visibility;
    }

    GenApi::EAccessMode parseAccess(const QDomElement& e, const QString& fallback) const
    {
        const QString text = e.attribute(QStringLiteral("access"), fallback);
        const auto mode = ValueText::accessModeFromText(text);
        if (!mode)
            fail(e.lineNumber(), QStringLiteral("unknown access mode '%1'").arg(text));
        return *mode;
    }

    Expression expression(const QDomElement& e, const char* attribute)
    {
        const QString source = e.attribute(QString::fromLatin1(attribute));
        try {
            Expression parsed = Expression::parse(source);
            for (const QString& name : parsed.identifiers()) {
                const int target = m_index.value(name, -1);
                if (target < 0)
                    fail(e.lineNumber(), QStringLiteral("%1 refers to the unknown node '%2'").arg(QLatin1String(attribute), name));
                const MemoryNode::Kind kind = m_nodes.at(target).kind;
                if (kind == MemoryNode::Category || kind == MemoryNode::Register || kind == MemoryNode::Null)
                    fail(e.lineNumber(), QStringLiteral("%1 refers to '%2', which has no value").arg(QLatin1String(attribute), name));
            }
            return parsed;
        } catch (const GenICam::InvalidArgumentException& ex) {
            if (QString::fromUtf8(ex.GetDescription()).startsWith(m_source.isEmpty() ? QStringLiteral("node map") : m_source))
                throw;
            fail(e.lineNumber(), QString::fromUtf8(ex.GetDescription()));
        }
    }

    QVariant parseValue(const MemoryNode& n, const QString& text, int line) const
    {
        try {
            switch (n.kind) {
            case MemoryNode::Integer:
                return QVariant(ValueText::parseInteger(text, n.representation));
            case MemoryNode::Float:
                return QVariant(ValueText::parseFloat(text));
            case MemoryNode::Boolean:
                return QVariant(ValueText::parseBoolean(text));
            case MemoryNode::Enumeration:
                for (const MemoryEnumEntry& entry : n.entries) {
                    if (entry.name == text)
                        return QVariant(text);
                }
                fail(line, QStringLiteral("'%1' is not an entry of '%2'").arg(text, n.name));
            case MemoryNode::String:
                return QVariant(text);
            default:
                return QVariant();
            }
        } catch (const GenICam::InvalidArgumentException& ex) {
            fail(line, QString::fromUtf8(ex.GetDescription()));
        }
    }

    // A register: its address and length as numbers (0x for hexadecimal), its bytes as hexadecimal text, zeros
    // where the text ends.
    void readRegister(const QDomElement& e, MemoryNode& n) const
    {
        bool ok = true;
        n.address = e.attribute(QStringLiteral("address"), QStringLiteral("0")).toULongLong(&ok, 0);
        if (!ok)
            fail(e.lineNumber(), QStringLiteral("address must be a number"));
        const QByteArray hex = e.attribute(QStringLiteral("value")).toLatin1();
        const bool hexOk = hex.size() % 2 == 0
                        && std::all_of(hex.begin(), hex.end(), [](char c) { return std::isxdigit(uchar(c)); });
        if (!hexOk)
            fail(e.lineNumber(), QStringLiteral("value must be bytes in hexadecimal digits"));
        n.bytes = QByteArray::fromHex(hex);
        // Bounded as a node map that lives in memory should be.
        constexpr int maxLength = 1 << 20;
        const int length = e.attribute(QStringLiteral("length"), QString::number(n.bytes.size())).toInt(&ok);
        if (!ok || length < 1 || length > maxLength || length < n.bytes.size())
            fail(e.lineNumber(), QStringLiteral("length must be 1 to %1 and hold the value").arg(maxLength));
        n.bytes.append(QByteArray(length - n.bytes.size(), '\0'));
    }

    void resolveReferences(int i)
    {
        const QDomElement e = m_elements.at(i);
        MemoryNode& n = m_nodes[i];
        const bool numeric = n.kind == MemoryNode::Integer || n.kind == MemoryNode::Float;
        n.availableIf = expression(e, "availableIf");
        n.lockedIf = expression(e, "lockedIf");
        if (numeric) {
            n.min = expression(e, "min");
            n.max = expression(e, "max");
            n.inc = expression(e, "inc");
        }

        static const QStringList integerRepresentations{QStringLiteral("PureNumber"), QStringLiteral("HexNumber"),
                                                         QStringLiteral("Linear"), QStringLiteral("Logarithmic"),
                                                         QStringLiteral("IPV4Address"), QStringLiteral("MACAddress"),
                                                         QStringLiteral("Boolean")};
        static const QStringList floatRepresentations{QStringLiteral("PureNumber"), QStringLiteral("Linear"),
                                                       QStringLiteral("Logarithmic")};
        if (numeric) {
            n.representation = e.attribute(QStringLiteral("representation"), QStringLiteral("PureNumber"));
            const QStringList& allowed = n.kind == MemoryNode::Integer ? integerRepresentations : floatRepresentations;
            if (!allowed.contains(n.representation))
                fail(e.lineNumber(), QStringLiteral("unknown representation '%1'").arg(n.representation));
        }
        if (n.kind == MemoryNode::Float) {
            bool ok = true;
            n.precision = e.attribute(QStringLiteral("precision"), QStringLiteral("2")).toLongLong(&ok);
            if (!ok || n.precision < 0 || n.precision > 17)
                fail(e.lineNumber(), QStringLiteral("precision must be 0 to 17"));
            static const QStringList notations{QStringLiteral("Automatic"), QStringLiteral("Fixed"),
                                               QStringLiteral("Scientific")};
            n.notation = notations.indexOf(e.attribute(QStringLiteral("notation"), notations.first()));
            if (n.notation < 0)
                fail(e.lineNumber(), QStringLiteral("notation must be Automatic, Fixed or Scientific"));
            if (e.hasAttribute(QStringLiteral("aliasScale"))) {
                n.aliasScale = e.attribute(QStringLiteral("aliasScale")).toDouble(&ok);
                if (!ok || !(n.aliasScale > 0.0))
                    fail(e.lineNumber(), QStringLiteral("aliasScale must be a number above 0"));
            }
        }
        if (n.kind == MemoryNode::String && e.hasAttribute(QStringLiteral("maxLength"))) {
            bool ok = true;
            n.maxLength = e.attribute(QStringLiteral("maxLength")).toInt(&ok);
            if (!ok || n.maxLength < 0)
                fail(e.lineNumber(), QStringLiteral("maxLength must be 0 or more"));
        }
        if (n.kind == MemoryNode::Register)
            readRegister(e, n);
        if (n.kind == MemoryNode::Command) {
            bool ok = true;
            n.busyMs = e.attribute(QStringLiteral("busyMs"), QStringLiteral("0")).toLongLong(&ok);
            if (!ok || n.busyMs < 0)
                fail(e.lineNumber(), QStringLiteral("busyMs must be 0 or more"));
        }
        if (e.hasAttribute(QStringLiteral("behaviour"))) {
            const QString behaviour = e.attribute(QStringLiteral("behaviour"));
            if (behaviour == QLatin1String("drift") && numeric)
                n.behaviour = MemoryNode::Drift;
            else if (behaviour == QLatin1String("clock") && n.kind == MemoryNode::Integer)
                n.behaviour = MemoryNode::Clock;
            else
                fail(e.lineNumber(), QStringLiteral("behaviour '%1' does not fit <%2>").arg(behaviour, e.tagName()));
        }
        if (n.kind == MemoryNode::Enumeration)
            readEntries(e, n);

        if (e.hasAttribute(QStringLiteral("selector"))) {
            const QString selector = e.attribute(QStringLiteral("selector"));
            n.selector = m_index.value(selector, -1);
            if (n.selector < 0 || n.selector == i
                || (m_nodes.at(n.selector).kind != MemoryNode::Enumeration
                    && m_nodes.at(n.selector).kind != MemoryNode::Integer))
                fail(e.lineNumber(), QStringLiteral("selector '%1' is not an enumeration or integer").arg(selector));
            if (m_nodes.at(n.selector).selector >= 0)
                fail(e.lineNumber(), QStringLiteral("selector '%1' is itself selected").arg(selector));
            // Live features change one stored value as polling goes on; a
            // selected one would hold several and silently freeze.
            if (n.behaviour != MemoryNode::NoBehaviour)
                fail(e.lineNumber(), QStringLiteral("a feature with a behaviour cannot be selected"));
        }

        const bool valued = numeric || n.kind == MemoryNode::Boolean || n.kind == MemoryNode::String
                         || n.kind == MemoryNode::Enumeration;
        if (!valued)
            return;
        QString initial = e.attribute(QStringLiteral("value"));
        if (!e.hasAttribute(QStringLiteral("value"))) {
            if (n.kind == MemoryNode::Enumeration)
                initial = n.entries.first().name;
            else if (n.kind == MemoryNode::Boolean)
                initial = QStringLiteral("false");
            else if (numeric)
                initial = QStringLiteral("0");
        }
        n.defaultValue = parseValue(n, initial, e.lineNumber());
        if (n.behaviour == MemoryNode::Drift)
            n.driftCentre = n.defaultValue.toDouble();
        for (QDomElement v = e.firstChildElement(QStringLiteral("Value")); !v.isNull();
             v = v.nextSiblingElement(QStringLiteral("Value"))) {
            if (n.selector < 0)
                fail(v.lineNumber(), QStringLiteral("<Value> needs a selector on '%1'").arg(n.name));
            const MemoryNode& s = m_nodes.at(n.selector);
            const QString position = v.attribute(QStringLiteral("for"));
            bool validPosition = false;
            if (s.kind == MemoryNode::Enumeration) {
                for (const MemoryEnumEntry& entry : s.entries)
                    validPosition = validPosition || entry.name == position;
            } else {
                position.toLongLong(&validPosition);
            }
            if (!validPosition)
                fail(v.lineNumber(), QStringLiteral("'%1' is no position of selector '%2'").arg(position, s.name));
            n.values.insert(position, parseValue(n, v.text(), v.lineNumber()));
        }
    }

    void readEntries(const QDomElement& e, MemoryNode& n)
    {
        std::optional<qint64> next = 0; // none after the largest value
        for (QDomElement x = e.firstChildElement(); !x.isNull(); x = x.nextSiblingElement()) {
            if (x.tagName() == QLatin1String("Value"))
                continue;
            if (x.tagName() != QLatin1String("Entry"))
                fail(x.lineNumber(), QStringLiteral("<Enumeration> holds <Entry> and <Value> elements only"));
            MemoryEnumEntry entry;
            entry.name = x.attribute(QStringLiteral("name"));
            entry.displayName = x.attribute(QStringLiteral("displayName"), entry.name);
            bool ok = true;
            if (x.hasAttribute(QStringLiteral("value")))
                entry.value = x.attribute(QStringLiteral("value")).toLongLong(&ok);
            else if (next)
                entry.value = *next;
            else
                fail(x.lineNumber(), QStringLiteral("an <Entry> after the value %1 needs a value of its own")
                                         .arg(std::numeric_limits<qint64>::max()));
            if (entry.name.isEmpty() || !ok)
                fail(x.lineNumber(), QStringLiteral("an <Entry> needs a name and an integer value"));
            for (const MemoryEnumEntry& other : qAsConst(n.entries)) {
                if (other.name == entry.name)
                    fail(x.lineNumber(), QStringLiteral("entry '%1' appears twice").arg(entry.name));
            }
            next = entry.value < std::numeric_limits<qint64>::max() ? std::optional<qint64>(entry.value + 1)
                                                                    : std::nullopt;
            n.entries << entry;
        }
        if (n.entries.isEmpty())
            fail(e.lineNumber(), QStringLiteral("enumeration '%1' has no entries").arg(n.name));
    }

    // A float with an alias gets an integer node "<name>/Alias" that is listed
    // in no category, so that it is reached by its full name only.
    void addAliases()
    {
        const int count = m_nodes.size();
        for (int i = 0; i < count; ++i) {
            if (m_nodes.at(i).aliasScale <= 0.0)
                continue;
            MemoryNode alias;
            alias.kind = MemoryNode::Integer;
            alias.name = m_nodes.at(i).name + QLatin1String("/Alias");
            alias.fullName = m_role + QLatin1Char('/') + alias.name;
            alias.displayName = m_nodes.at(i).displayName + QLatin1String(" (Raw)");
            alias.description = QStringLiteral("Integer alias of %1; the float is the alias times %2.")
                                    .arg(m_nodes.at(i).name)
                                    .arg(m_nodes.at(i).aliasScale);
            alias.representation = m_nodes.at(i).representation;
            alias.visibility = m_nodes.at(i).visibility;
            alias.access = m_nodes.at(i).access;
            alias.aliasOf = i;
            m_nodes[i].alias = m_nodes.size();
            m_index.insert(alias.name, m_nodes.size());
            m_nodes.append(alias);
        }
    }

    void collectDependents()
    {
        auto link = [this](int from, int to) {
            if (from != to && !m_nodes[from].dependents.contains(to))
                m_nodes[from].dependents << to;
        };
        for (int i = 0; i < m_nodes.size(); ++i) {
            const MemoryNode& n = m_nodes.at(i);
            for (const Expression* x : {&n.min, &n.max, &n.inc, &n.availableIf, &n.lockedIf}) {
                for (const QString& name : x->identifiers())
                    link(m_index.value(name), i);
            }
            if (n.selector >= 0)
                link(n.selector, i);
            if (n.alias >= 0) {
                link(i, n.alias);
                link(n.alias, i);
            }
        }
    }

    QString m_source;
    QString m_role;
    QVector<MemoryNode>& m_nodes;
    QVector<QDomElement> m_elements;
    QHash<QString, int> m_index;
};

} // namespace

QSharedPointer<MemoryNodeMap> MemoryNodeMap::load(const QByteArray& xml, const QString& sourceName)
{
    auto map = QSharedPointer<MemoryNodeMap>::create();
    NodeMapLoader loader(sourceName, map->m_nodes);
    const QString role = loader.load(xml);
    map->finishLoading(role, loader.index());

    // Every initial value must keep its own limits, at every selector position.
    for (const MemoryNode& n : qAsConst(map->m_nodes)) {
        const auto where = [&]() -> QString {
            return (sourceName.isEmpty() ? QStringLiteral("node map") : sourceName) + QStringLiteral(": node '")
                 + n.name + QStringLiteral("'");
        };
        try {
            if (n.kind == MemoryNode::Integer && n.aliasOf < 0) {
                const IntLimits l = map->integerLimits(n);
                if (l.min > l.max)
                    GENICAM_THROW(InvalidArgumentException, "its minimum is above its maximum");
                QList<QVariant> values = n.values.values();
                values << n.defaultValue;
                for (const QVariant& v : qAsConst(values)) {
                    if (v.toLongLong() < l.min || v.toLongLong() > l.max)
                        GENICAM_THROW(InvalidArgumentException, "its value " + v.toString().toStdString()
                                                                    + " is outside its limits");
                }
            } else if (n.kind == MemoryNode::Float) {
                const Limits l = map->floatLimits(n);
                if (l.min > l.max)
                    GENICAM_THROW(InvalidArgumentException, "its minimum is above its maximum");
                QList<QVariant> values = n.values.values();
                values << n.defaultValue;
                for (const QVariant& v : qAsConst(values)) {
                    if (v.toDouble() < l.min || v.toDouble() > l.max)
                        GENICAM_THROW(InvalidArgumentException, "its value " + v.toString().toStdString()
                                                                    + " is outside its limits");
                }
            }
        } catch (const GenICam::GenericException& e) {
            GENICAM_THROW(InvalidArgumentException,
                          where().toStdString() + ": " + std::string(e.GetDescription()));
        }
    }
    map->recordBaseline();
    return map;
}

} // namespace ParameterCollection
