#include "aravisxml_p.h"
#include "genicam/genericexception.h"

#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

namespace ParameterCollection {

namespace {

// Aravis follows a node's references recursively whenever it evaluates the
// node, and the tree follows categories' features: a file whose references
// loop would hang or overflow the stack. So would elements nested without end.
constexpr int maxDepth = 64;

// Elements that name another node whose value, address, limits or state the
// owner's evaluation reads, or (pFeature) a feature a category contains.
// Selections, invalidations and aliases are no evaluations and may loop.
bool isEvaluatedReference(QStringView tag)
{
    if (tag.size() < 2 || tag.at(0) != QLatin1Char('p') || !tag.at(1).isUpper())
        return false;
    static const QStringList notFollowed{QStringLiteral("pSelected"), QStringLiteral("pInvalidator"),
                                         QStringLiteral("pAlias"), QStringLiteral("pCastAlias"),
                                         QStringLiteral("pError")};
    return !notFollowed.contains(tag.toString());
}

// Aravis also recurses along a chain of references, and the tree along
// nested categories: a chain may be this long at most.
constexpr int maxChain = 100;

// Walks the references depth first without recursion. Returns a cycle (its
// names, the first repeated at the end), or a chain longer than maxChain (its
// first name), or nothing.
QStringList findCycleOrLongChain(const QHash<QString, QStringList>& references, bool* cycle)
{
    QHash<QString, int> height; // of finished names; -1 while on the path
    struct Frame
    {
        QString name;
        int next;
        int height;
    };
    QStringList starts = references.keys();
    starts.sort(); // the same cycle is named every time
    for (const QString& start : qAsConst(starts)) {
        if (height.contains(start))
            continue;
        QVector<Frame> path{{start, 0, 1}};
        height.insert(start, -1);
        while (!path.isEmpty()) {
            if (path.size() > maxChain || path.last().height > maxChain) {
                *cycle = false;
                return QStringList{path.first().name};
            }
            Frame& top = path.last();
            const QStringList targets = references.value(top.name);
            if (top.next == targets.size()) {
                const Frame done = path.takeLast();
                height.insert(done.name, done.height);
                if (!path.isEmpty())
                    path.last().height = qMax(path.last().height, done.height + 1);
                continue;
            }
            const QString target = targets.at(top.next++);
            const int known = height.value(target, 0);
            if (known < 0) {
                *cycle = true;
                QStringList names{target};
                for (int i = path.size() - 1; path.at(i).name != target; --i)
                    names.prepend(path.at(i).name);
                names.prepend(target);
                return names;
            }
            if (known > 0) {
                top.height = qMax(top.height, known + 1);
            } else {
                height.insert(target, -1);
                path << Frame{target, 0, 1};
            }
        }
    }
    return QStringList();
}

} // namespace

GenicamXmlExtras readGenicamXmlExtras(const QByteArray& xml, const QString& sourceName)
{
    GenicamXmlExtras extras;
    QXmlStreamReader reader(xml);
    // The names of the enclosing elements that carry a Name attribute, innermost last.
    QStringList owners;
    QVector<bool> named;
    // node name -> the names its references point at
    QHash<QString, QStringList> references;
    bool sawRoot = false;
    bool registerDescription = false;
    bool tooDeep = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            if (named.size() >= maxDepth) {
                tooDeep = true;
                break;
            }
            if (!sawRoot) {
                sawRoot = true;
                if (reader.name() != QLatin1String("RegisterDescription"))
                    break;
                registerDescription = true;
                extras.vendorName = reader.attributes().value(QLatin1String("VendorName")).toString();
                extras.modelName = reader.attributes().value(QLatin1String("ModelName")).toString();
            }
            const auto name = reader.attributes().value(QLatin1String("Name"));
            const bool hasName = !name.isEmpty() && reader.name() != QLatin1String("pVariable");
            named << hasName;
            if (hasName)
                owners << name.toString();
            if (!owners.isEmpty() && !hasName && isEvaluatedReference(reader.name())) {
                const QString target = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                named.removeLast();
                if (!target.isEmpty())
                    references[owners.last()] << target;
            } else if (!owners.isEmpty() && !hasName
                && (reader.name() == QLatin1String("pAlias") || reader.name() == QLatin1String("DocuURL"))) {
                const bool alias = reader.name() == QLatin1String("pAlias");
                const QString text = reader.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                named.removeLast();
                if (alias)
                    extras.aliases.insert(owners.last(), text);
                else
                    extras.docuUrls.insert(owners.last(), text);
            }
        } else if (reader.isEndElement()) {
            if (!named.isEmpty() && named.takeLast())
                owners.removeLast();
        }
    }
    const std::string source
        = sourceName.isEmpty() ? std::string("the GenICam XML") : "'" + sourceName.toStdString() + "'";
    if (tooDeep) {
        GENICAM_THROW(InvalidArgumentException,
                      "The GenICam XML in " + source + " nests elements deeper than " + std::to_string(maxDepth)
                          + " levels (line " + std::to_string(reader.lineNumber()) + ")");
    }
    if (reader.hasError()) {
        GENICAM_THROW(InvalidArgumentException,
                      "Malformed GenICam XML in " + source + " at line " + std::to_string(reader.lineNumber())
                          + ", column " + std::to_string(reader.columnNumber()) + ": "
                          + reader.errorString().toStdString());
    }
    if (!registerDescription) {
        GENICAM_THROW(InvalidArgumentException,
                      source + " is no GenICam node map: its document element is not RegisterDescription");
    }
    bool cycle = false;
    const QStringList names = findCycleOrLongChain(references, &cycle);
    if (cycle) {
        GENICAM_THROW(InvalidArgumentException, "The GenICam XML in " + source + " refers in a cycle: "
                                                    + names.join(QStringLiteral(" -> ")).toStdString());
    }
    if (!names.isEmpty()) {
        GENICAM_THROW(InvalidArgumentException, "The GenICam XML in " + source + " chains more than "
                                                    + std::to_string(maxChain) + " references, starting at "
                                                    + names.first().toStdString());
    }
    return extras;
}

} // namespace ParameterCollection
