#include "featuretree/nodemapfilter.h"

#include "camerapool/ibaseinfo.h"
#include "common/exceptionlog.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/iparameterproperties.h"
#include "utils/xmlnesting.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QDomElement>
#include <QDomNodeList>
#include <QFile>
#include <QStringList>
#include <QtDebug>

using ParameterCollection::IParameter;
using ParameterCollection::IParameterCollection;
using ParameterCollection::IParameterProperties;

namespace {

const char processElementName[] = "NodeMapFilter::processElement";

/// The node map name without its leading "@" markers and without trailing
/// index digits, followed by "_"; empty when nothing is left. Stream grabbers
/// are numbered ("@StreamGrabber0", "@StreamGrabber1", ...) but share one file.
QString baseNameOf(const QString& nodeMapName)
{
    int begin = 0;
    while (begin < nodeMapName.size() && nodeMapName.at(begin) == QLatin1Char('@'))
        ++begin;
    int end = nodeMapName.size();
    // Only ASCII digits are index digits; QChar::isDigit would also take other scripts' digits.
    while (end > begin && nodeMapName.at(end - 1) >= QLatin1Char('0') && nodeMapName.at(end - 1) <= QLatin1Char('9'))
        --end;
    const QString base = nodeMapName.mid(begin, end - begin);
    return base.isEmpty() ? base : base + QLatin1Char('_');
}

/// Text of the first descendant of `item` with that tag name; a null string
/// when there is none (an empty element gives an empty, non-null string).
QString firstText(const QDomElement& item, const QString& tagName)
{
    const QDomNodeList elements = item.elementsByTagName(tagName);
    if (elements.isEmpty())
        return QString();
    const QString text = elements.at(0).toElement().text();
    return text.isNull() ? QStringLiteral("") : text;
}

/// Sets one property; logs and returns false when the collection refuses.
/// `what` names the property in the warning ("visibility", "access mode").
bool impose(const QSharedPointer<IParameter>& parameter, const QString& nodeName, const QString& key,
            const QString& value, const char* what)
{
    try {
        const QSharedPointer<IParameterProperties> properties = parameter->getProperties();
        if (properties) {
            properties->setProperty(key, value);
            return true;
        }
        // A parameter without a properties object cannot take the value either.
        qWarning("Failed to impose the %s of node %s", what, qUtf8Printable(nodeName));
    } catch (...) {
        qWarning("Failed to impose the %s of node %s", what, qUtf8Printable(nodeName));
        ExceptionLog::logCurrentException(processElementName);
    }
    return false;
}

} // namespace

bool NodeMapFilter::apply(const QSharedPointer<IParameterCollection>& collection,
                          const QSharedPointer<Plugin::CameraPool::IBaseInfo>& info, const QString& nodeMapName)
{
    if (!collection)
        return false;
    QDomDocument document;
    if (!createDocument(document, info, nodeMapName))
        return false;
    // Every child element is one item whatever its tag; a failing item does
    // not stop the others.
    for (QDomElement item = document.documentElement().firstChildElement(); !item.isNull();
         item = item.nextSiblingElement())
        processElement(item, collection);
    return true;
}

bool NodeMapFilter::createDocument(QDomDocument& document, const QSharedPointer<Plugin::CameraPool::IBaseInfo>& info,
                                   const QString& nodeMapName)
{
    if (!info)
        return false;

    const QString baseName = baseNameOf(nodeMapName);
    const QString suffix = QStringLiteral("Filter.xml");
    QStringList fileNames { info->getDeviceClass() + QLatin1Char('_') + baseName + suffix };
    if (!baseName.isEmpty())
        fileNames << baseName + suffix;
    fileNames << QStringLiteral("Default_Filter.xml");

    // The directory and the file name are joined with "/", which Qt maps to
    // the native separator on every platform; a backslash would be part of
    // the file name on Linux and macOS. Without an application object there
    // is no application directory, and the root directory is not one.
    QStringList directories;
    if (QCoreApplication::instance())
        directories << QCoreApplication::applicationDirPath() + QLatin1Char('/');
    directories << QStringLiteral(":/orvikviewercomponents/Resources/");

    // File names before directories: a more specific name wins wherever it
    // lies, and of two files of the same name the one on disk wins.
    QFile file;
    bool opened = false;
    for (const QString& fileName : qAsConst(fileNames)) {
        for (const QString& directory : qAsConst(directories)) {
            file.setFileName(directory + fileName);
            if (file.open(QIODevice::ReadOnly)) {
                opened = true;
                break;
            }
        }
        if (opened)
            break;
    }
    if (!opened) {
        qDebug("Failed to open any of the filter files.");
        return false;
    }

    QString errorMessage;
    int errorLine = 0;
    int errorColumn = 0;
    // The DOM parser recurses once per level: a file nested without end is
    // refused before it could exhaust the stack. Filters are three levels deep.
    const QByteArray content = file.readAll();
    if (const qint64 line = Utils::lineNestedDeeperThan(content, 64)) {
        errorMessage = QStringLiteral("elements nested deeper than 64 levels");
        errorLine = int(line);
    }
    if (errorLine > 0 || !document.setContent(content, &errorMessage, &errorLine, &errorColumn)) {
        qDebug("%s: failed to parse file %s: %s (%d, %d)", "NodeMapFilter::createDocument",
               qUtf8Printable(file.fileName()), qUtf8Printable(errorMessage), errorLine, errorColumn);
        file.close();
        return false;
    }
    file.close();
    return true;
}

bool NodeMapFilter::processElement(const QDomElement& item, const QSharedPointer<IParameterCollection>& collection)
{
    const QDomNodeList names = item.elementsByTagName(QStringLiteral("Name"));
    if (names.isEmpty()) {
        qDebug("%s: failed to get the name of a filter item", processElementName);
        return false;
    }
    const QString name = names.at(0).toElement().text();
    if (name.isEmpty()) {
        qDebug("%s: empty name found", processElementName);
        return false;
    }
    if (!collection)
        return false;

    // The collection may throw on any call (a closed device, a broken node);
    // such an item is skipped like an unknown one, so that the walk goes on.
    QSharedPointer<IParameter> parameter;
    QString nodeName;
    try {
        parameter = collection->getParameter(name);
        if (!parameter)
            return false;
        // Nodes the tree cannot show may still take imposed properties.
        if (parameter->isNull() && !parameter->acceptsProperties())
            return false;
        nodeName = parameter->getName();
    } catch (...) {
        qWarning("Failed to look up node %s", qUtf8Printable(name));
        ExceptionLog::logCurrentException(processElementName);
        return false;
    }

    const QString visibility = firstText(item, QStringLiteral("Visibility"));
    if (!visibility.isNull() && !impose(parameter, nodeName, QStringLiteral("Visibility"), visibility, "visibility"))
        return false;
    const QString accessMode = firstText(item, QStringLiteral("AccessMode"));
    if (!accessMode.isNull() && !impose(parameter, nodeName, QStringLiteral("AccessMode"), accessMode, "access mode"))
        return false;
    return true;
}
