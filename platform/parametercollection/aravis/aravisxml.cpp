#include "aravisxml_p.h"
#include "genicam/genericexception.h"

#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

namespace ParameterCollection {

GenicamXmlExtras readGenicamXmlExtras(const QByteArray& xml, const QString& sourceName)
{
    GenicamXmlExtras extras;
    QXmlStreamReader reader(xml);
    // The names of the enclosing elements that carry a Name attribute, innermost last.
    QStringList owners;
    QVector<bool> named;
    bool sawRoot = false;
    bool registerDescription = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
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
            if (!owners.isEmpty() && !hasName
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
    return extras;
}

} // namespace ParameterCollection
