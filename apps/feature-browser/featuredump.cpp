#include "featuredump.h"

#include "camerapool/ibaseinfo.h"
#include "featurewalk.h"
#include "jsonwriter.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "parametercollection/valuetext.h"

namespace FeatureDump {

namespace {
constexpr int nameColumn = 40;

bool isWide(uint c)
{
    // East Asian Wide and Fullwidth ranges (Unicode's EastAsianWidth W and F).
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
        || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
        || (c >= 0xA960 && c <= 0xA97F) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF)
        || (c >= 0xFE10 && c <= 0xFE19) || (c >= 0xFE30 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) || (c >= 0x1F900 && c <= 0x1F9FF)
        || (c >= 0x20000 && c <= 0x3FFFD);
}

QString property(const FeatureWalk::Node& node, const char* key)
{
    const auto properties = node.parameter->getProperties();
    return properties ? properties->getProperty(QString::fromLatin1(key)) : QString();
}

QString displayName(const FeatureWalk::Node& node)
{
    const QString name = property(node, "DisplayName");
    return name.isEmpty() ? node.parameter->getName() : name;
}

bool shown(const FeatureWalk::Node& node, int visibility)
{
    const int v = node.data->visibility;
    return v <= visibility || v == GenApi::_UndefinedVisibility;
}

QString rowValue(const ParameterCollection::ParameterData& data)
{
    if (data.type == ParameterCollection::TypeCommand)
        return data.boolValue ? QStringLiteral("done") : QStringLiteral("running");
    if (data.type == ParameterCollection::TypeBoolean)
        return FeatureWalk::valueText(data);
    return data.valueString;
}

QString padded(const QString& text, int width)
{
    return text + QString(qMax(0, width - displayWidth(text)), QLatin1Char(' '));
}

void writeNumbers(JsonWriter& out, const ParameterCollection::ParameterData& d)
{
    if (d.type == ParameterCollection::TypeInteger) {
        if (d.isReadable)
            out.value(QStringLiteral("value"), d.intValue);
        out.value(QStringLiteral("min"), d.intMin);
        out.value(QStringLiteral("max"), d.intMax);
        out.value(QStringLiteral("inc"), d.intInc);
    } else {
        if (d.isReadable)
            out.value(QStringLiteral("value"), d.floatValue);
        out.value(QStringLiteral("min"), d.floatMin);
        out.value(QStringLiteral("max"), d.floatMax);
        if (d.hasFloatInc)
            out.value(QStringLiteral("inc"), d.floatInc);
    }
}

const char* const notations[] = { "Automatic", "Fixed", "Scientific" };

void writeFeature(JsonWriter& out, const FeatureWalk::Node& node)
{
    const ParameterCollection::ParameterData& d = *node.data;
    out.beginObject();
    out.value(QStringLiteral("name"), node.parameter->getFullName());
    out.value(QStringLiteral("displayName"), displayName(node));
    out.value(QStringLiteral("category"), node.categories.join(QLatin1Char('/')));
    out.value(QStringLiteral("type"), FeatureWalk::typeText(d.type));
    out.value(QStringLiteral("access"), FeatureWalk::accessText(d));
    out.value(QStringLiteral("visibility"),
              ParameterCollection::ValueText::formatVisibility(GenApi::EVisibility(d.visibility)));
    switch (d.type) {
    case ParameterCollection::TypeInteger:
    case ParameterCollection::TypeFloat:
        writeNumbers(out, d);
        break;
    case ParameterCollection::TypeBoolean:
        if (d.isReadable)
            out.value(QStringLiteral("value"), d.boolValue);
        break;
    case ParameterCollection::TypeString:
    case ParameterCollection::TypeEnumeration:
    case ParameterCollection::TypeRegister:
        if (d.isReadable)
            out.value(QStringLiteral("value"), d.valueString);
        break;
    default:
        break;
    }
    const QString unit = property(node, "Unit");
    if (!unit.isEmpty())
        out.value(QStringLiteral("unit"), unit);
    if (d.type == ParameterCollection::TypeInteger || d.type == ParameterCollection::TypeFloat) {
        const QString representation = d.representation.isEmpty() ? property(node, "Representation") : d.representation;
        if (!representation.isEmpty())
            out.value(QStringLiteral("representation"), representation);
    }
    if (d.type == ParameterCollection::TypeFloat) {
        if (d.displayNotation >= 0 && d.displayNotation < 3)
            out.value(QStringLiteral("notation"), QString::fromLatin1(notations[d.displayNotation]));
        out.value(QStringLiteral("precision"), d.displayPrecision);
    }
    if (d.type == ParameterCollection::TypeEnumeration)
        out.value(QStringLiteral("entries"), d.enumEntryNames);
    out.endObject();
}
} // namespace

int displayWidth(const QString& text)
{
    int width = 0;
    for (int i = 0; i < text.size(); ++i) {
        uint c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_Enclosing || c == 0x200B)
            continue;
        width += isWide(c) ? 2 : 1;
    }
    return width;
}

QString text(const BrowserCamera& camera, int visibility)
{
    QString out;
    for (const BrowserCamera::Collection& c : camera.collections()) {
        out += padded(c.rootName, nameColumn) + QLatin1String("\t\n");
        QList<QPair<int, QString>> pendingCategories; // shown only when something below them is
        FeatureWalk::walk(*c.collection, [&](const FeatureWalk::Node& node) {
            if (!shown(node, visibility))
                return;
            while (!pendingCategories.isEmpty() && pendingCategories.last().first >= node.depth)
                pendingCategories.removeLast();
            const QString indent(2 * node.depth, QLatin1Char(' '));
            QString name = displayName(node);
            const QString unit = property(node, "Unit");
            if (!unit.isEmpty())
                name += QStringLiteral(" [%1]").arg(unit);
            const QString line = indent + padded(name, nameColumn - 2 * node.depth) + QLatin1Char('\t');
            if (node.data->type == ParameterCollection::TypeCategory) {
                pendingCategories << qMakePair(node.depth, line + QLatin1Char('\n'));
                return;
            }
            for (const auto& category : qAsConst(pendingCategories))
                out += category.second;
            pendingCategories.clear();
            out += line + rowValue(*node.data) + QLatin1Char('\n');
        });
    }
    return out;
}

QString json(const BrowserCamera& camera, int visibility)
{
    JsonWriter out;
    out.beginObject();
    const auto info = camera.info();
    out.value(QStringLiteral("vendor"), info->getVendorName());
    out.value(QStringLiteral("model"), info->getModelName());
    out.value(QStringLiteral("serial"), info->getSerialNumber());
    out.beginArray(QStringLiteral("features"));
    for (const BrowserCamera::Collection& c : camera.collections()) {
        FeatureWalk::walk(*c.collection, [&](const FeatureWalk::Node& node) {
            if (node.data->type != ParameterCollection::TypeCategory && shown(node, visibility))
                writeFeature(out, node);
        });
    }
    out.endArray();
    out.endObject();
    return out.text();
}

} // namespace FeatureDump
