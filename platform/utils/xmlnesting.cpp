#include "utils/xmlnesting.h"

#include <QXmlStreamReader>

namespace Utils {

qint64 lineNestedDeeperThan(const QByteArray& xml, int maxDepth)
{
    QXmlStreamReader reader(xml);
    int depth = 0;
    while (!reader.atEnd() && !reader.hasError()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement && ++depth > maxDepth)
            return reader.lineNumber();
        if (token == QXmlStreamReader::EndElement)
            --depth;
    }
    return 0;
}

} // namespace Utils
