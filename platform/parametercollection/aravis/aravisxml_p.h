#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace ParameterCollection {

/// What Aravis drops while it parses a GenICam node map, read from the XML
/// text itself.
struct GenicamXmlExtras
{
    QHash<QString, QString> aliases; ///< node name -> pAlias
    QHash<QString, QString> docuUrls; ///< node name -> DocuURL
    QString vendorName; ///< RegisterDescription's VendorName
    QString modelName; ///< RegisterDescription's ModelName
};

/// Reads the extras and checks that the text is well-formed XML whose document
/// element is a RegisterDescription. Throws GenICam::InvalidArgumentException
/// with the place of the first error, naming `sourceName`.
GenicamXmlExtras readGenicamXmlExtras(const QByteArray& xml, const QString& sourceName);

} // namespace ParameterCollection
