#include "featurewalk.h"

#include "common/exceptionlog.h"
#include "genicam/genericexception.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/valuetext.h"

#include <QLocale>
#include <QSet>

#include <cmath>

namespace FeatureWalk {

namespace {
constexpr int maxDepth = 32; // deeper than any camera's categories
const QString rootName = QStringLiteral("Root");

void walkChildren(ParameterCollection::IParameterCollection& collection, const QString& category, QStringList& path,
                  QSet<QString>& seen, const std::function<void(const Node&)>& visit)
{
    if (path.size() >= maxDepth)
        return;
    for (const QString& fullName : collection.getChildren(category, 0, true)) {
        if (seen.contains(fullName))
            continue;
        seen.insert(fullName);
        Node node;
        node.parameter = collection.getParameter(fullName);
        if (!node.parameter || node.parameter->isNull())
            continue;
        node.data = node.parameter->getParameterData();
        if (!node.data)
            node.data = QSharedPointer<const ParameterCollection::ParameterData>::create();
        node.categories = path;
        node.depth = path.size() + 1;
        visit(node);
        if (node.data->type == ParameterCollection::TypeCategory) {
            path << node.parameter->getName();
            walkChildren(collection, fullName, path, seen, visit);
            path.removeLast();
        }
    }
}
} // namespace

void walk(ParameterCollection::IParameterCollection& collection, const std::function<void(const Node&)>& visit)
{
    QStringList path;
    QSet<QString> seen;
    walkChildren(collection, collection.getRoleName() + QLatin1Char('/') + rootName, path, seen, visit);
}

QSharedPointer<ParameterCollection::IParameter> find(const CollectionList& collections, const QString& name)
{
    const int slash = name.indexOf(QLatin1Char('/'));
    const QString role = name.startsWith(QLatin1Char('@')) && slash > 0 ? name.left(slash) : QString();
    for (const auto& collection : collections) {
        if (!collection || (!role.isEmpty() && collection->getRoleName() != role))
            continue;
        const auto parameter = collection->getParameter(name);
        if (parameter && !parameter->isNull())
            return parameter;
    }
    return nullptr;
}

QString valueText(const ParameterCollection::ParameterData& data)
{
    switch (data.type) {
    case ParameterCollection::TypeFloat:
        return std::isfinite(data.floatValue) ? QString::number(data.floatValue, 'g', QLocale::FloatingPointShortest)
                                              : data.valueString;
    case ParameterCollection::TypeBoolean:
        return data.boolValue ? QStringLiteral("true") : QStringLiteral("false");
    default:
        return data.valueString;
    }
}

QString accessText(const ParameterCollection::ParameterData& data)
{
    GenApi::EAccessMode mode = GenApi::NA;
    if (!data.isImplemented)
        mode = GenApi::NI;
    else if (!data.isAvailable)
        mode = GenApi::NA;
    else if (data.isReadable)
        mode = data.isWritable ? GenApi::RW : GenApi::RO;
    else if (data.isWritable)
        mode = GenApi::WO;
    return ParameterCollection::ValueText::formatAccessMode(mode);
}

QString typeText(int type)
{
    switch (type) {
    case ParameterCollection::TypeInteger:
        return QStringLiteral("Integer");
    case ParameterCollection::TypeBoolean:
        return QStringLiteral("Boolean");
    case ParameterCollection::TypeFloat:
        return QStringLiteral("Float");
    case ParameterCollection::TypeCommand:
        return QStringLiteral("Command");
    case ParameterCollection::TypeString:
        return QStringLiteral("String");
    case ParameterCollection::TypeEnumeration:
        return QStringLiteral("Enumeration");
    case ParameterCollection::TypeRegister:
        return QStringLiteral("Register");
    default:
        return QString();
    }
}

bool hasValue(const ParameterCollection::ParameterData& data)
{
    switch (data.type) {
    case ParameterCollection::TypeInteger:
    case ParameterCollection::TypeBoolean:
    case ParameterCollection::TypeFloat:
    case ParameterCollection::TypeString:
    case ParameterCollection::TypeEnumeration:
        return true;
    default:
        return false;
    }
}

void write(ParameterCollection::IParameter& parameter, const QString& value)
{
    parameter.setValue(QString::fromLatin1(value.toUtf8()));
}

QString userMessage(const std::exception& e, const char* function)
{
    ExceptionLog::logException(function, e, QtDebugMsg);
    if (const auto* genicam = dynamic_cast<const GenICam::GenericException*>(&e))
        return QString::fromUtf8(genicam->GetDescription());
    return QString::fromUtf8(e.what());
}

} // namespace FeatureWalk
