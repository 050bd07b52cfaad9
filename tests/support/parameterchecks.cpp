#include "parameterchecks.h"

#include "genicam/genericexception.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/metatypes.h"
#include "parametercollection/valuetext.h"

#include <QLocale>

#include <stdexcept>

using namespace ParameterCollection;

QString thrownBy(const std::function<void()>& call)
{
    const auto text = [](const char* kind, const GenICam::GenericException& e) {
        return QString::fromLatin1(kind) + QLatin1String(": ") + QString::fromUtf8(e.GetDescription());
    };
    try {
        call();
    } catch (const GenICam::AccessException& e) {
        return text("Access", e);
    } catch (const GenICam::OutOfRangeException& e) {
        return text("OutOfRange", e);
    } catch (const GenICam::InvalidArgumentException& e) {
        return text("InvalidArgument", e);
    } catch (const GenICam::LogicalErrorException& e) {
        return text("LogicalError", e);
    } catch (const GenICam::RuntimeException& e) {
        return text("Runtime", e);
    } catch (const GenICam::TimeoutException& e) {
        return text("Timeout", e);
    } catch (const GenICam::GenericException& e) {
        return text("Generic", e);
    } catch (const std::exception& e) {
        return QLatin1String("std: ") + QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("other");
    }
    return QString();
}

QString snapshotText(const ParameterData& d)
{
    const char flags[] = {d.isReadable ? 'R' : '-', d.isWritable ? 'W' : '-', d.isImplemented ? 'I' : '-',
                          d.isAvailable ? 'A' : '-', '\0'};
    QString text = QStringLiteral("%1 '%2' %3 %4")
                       .arg(QStringLiteral("-ibfcseC").at(qBound(0, d.type, 7)))
                       .arg(d.valueString, QString::fromLatin1(flags),
                            ValueText::formatVisibility(GenApi::EVisibility(d.visibility)));
    if (d.type == TypeInteger)
        text += QStringLiteral(" [%1,%2,%3] %4").arg(d.intMin).arg(d.intMax).arg(d.intInc).arg(d.representation);
    if (d.type == TypeFloat) {
        const auto number = [](double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); };
        text += QStringLiteral(" [%1,%2,%3] p%4 %5")
                    .arg(number(d.floatMin), number(d.floatMax), d.hasFloatInc ? number(d.floatInc) : QStringLiteral("-"))
                    .arg(d.displayPrecision)
                    .arg(d.representation);
    }
    if (d.type == TypeEnumeration)
        text += QStringLiteral(" (%1) %2").arg(d.enumEntryNames.join(QLatin1Char(' '))).arg(d.intValue);
    if (d.type == TypeCommand)
        text += d.boolValue ? QStringLiteral(" done") : QStringLiteral(" busy");
    return text;
}

QSharedPointer<const ParameterData> lastReport(const QSignalSpy& spy)
{
    return spy.isEmpty() ? nullptr : spy.last().at(0).value<QSharedPointer<const ParameterData>>();
}

QString collectionTreeText(IParameterCollection& collection, const QString& fullName)
{
    QStringList names;
    for (const QString& child : collection.getChildren(fullName, 0, true)) {
        const QString below = collectionTreeText(collection, child);
        names << child.section(QLatin1Char('/'), 1) + (below.isEmpty() ? QString() : QLatin1Char('[') + below + QLatin1Char(']'));
    }
    return names.join(QLatin1Char(' '));
}

namespace {

template<typename T>
T& as(OpenedHandles& h, int type)
{
    const auto typed = qSharedPointerDynamicCast<T>(h.byType.value(type));
    if (!typed)
        throw std::logic_error("the test holds no handle of that type");
    return *typed;
}

} // namespace

QList<QPair<QString, std::function<bool(OpenedHandles&)>>> operationsAfterClose()
{
    using Op = std::function<bool(OpenedHandles&)>;
    QList<QPair<QString, Op>> ops{
        {"collection getParameter", [](OpenedHandles& h) { return !h.collection->getParameter("Width"); }},
        {"collection getChildren", [](OpenedHandles& h) { return h.collection->getChildren("Root", 0, true), false; }},
        {"collection hasParameter", [](OpenedHandles& h) { return h.collection->hasParameter("Width"), false; }},
        {"collection refresh", [](OpenedHandles& h) { return h.collection->refresh(), false; }},
        {"collection poll", [](OpenedHandles& h) { return h.collection->poll(300), false; }},
        {"integer setValue", [](OpenedHandles& h) { return as<IIntegerParameter>(h, TypeInteger).setValue(64, false), false; }},
        {"integer getValue", [](OpenedHandles& h) { return as<IIntegerParameter>(h, TypeInteger).getValue(), false; }},
        {"integer getMinimum", [](OpenedHandles& h) { return as<IIntegerParameter>(h, TypeInteger).getMinimum(), false; }},
        {"integer getMaximum", [](OpenedHandles& h) { return as<IIntegerParameter>(h, TypeInteger).getMaximum(), false; }},
        {"integer getIncrement", [](OpenedHandles& h) { return as<IIntegerParameter>(h, TypeInteger).getIncrement(), false; }},
        {"float setValue", [](OpenedHandles& h) { return as<IFloatParameter>(h, TypeFloat).setValue(100.0), false; }},
        {"float getValue", [](OpenedHandles& h) { return as<IFloatParameter>(h, TypeFloat).getValue(), false; }},
        {"float getMinimum", [](OpenedHandles& h) { return as<IFloatParameter>(h, TypeFloat).getMinimum(), false; }},
        {"float getMaximum", [](OpenedHandles& h) { return as<IFloatParameter>(h, TypeFloat).getMaximum(), false; }},
        {"boolean setValue", [](OpenedHandles& h) { return as<IBooleanParameter>(h, TypeBoolean).setValue(true), false; }},
        {"boolean getValue", [](OpenedHandles& h) { return as<IBooleanParameter>(h, TypeBoolean).getValue(), false; }},
        {"enumeration getValue", [](OpenedHandles& h) { return as<IEnumParameter>(h, TypeEnumeration).getValue(), false; }},
        {"enumeration getEntryNames",
         [](OpenedHandles& h) { return as<IEnumParameter>(h, TypeEnumeration).getEntryNames(), false; }},
        {"command execute", [](OpenedHandles& h) { return as<ICommandParameter>(h, TypeCommand).execute(true), false; }},
        {"command isDone", [](OpenedHandles& h) { return as<ICommandParameter>(h, TypeCommand).isDone(), false; }},
        {"properties getProperty", [](OpenedHandles& h) { return h.properties->getProperty("Unit"), false; }},
        {"properties getProperty with default",
         [](OpenedHandles& h) { return h.properties->getProperty("Unit", "none"), false; }},
        {"properties setProperty", [](OpenedHandles& h) { return h.properties->setProperty("Visibility", "Guru"), false; }},
    };
    const QList<QPair<QString, std::function<bool(IParameter&)>>> perParameter{
        {"getName", [](IParameter& p) { return !p.getName().isEmpty(); }},
        {"getFullName", [](IParameter& p) { return p.getFullName().endsWith(QLatin1Char('/') + p.getName()); }},
        {"getType", [](IParameter& p) { return p.getType(), false; }},
        {"getVisibility", [](IParameter& p) { return p.getVisibility(), false; }},
        {"isNull", [](IParameter& p) { return p.isNull(); }},
        {"acceptsProperties", [](IParameter& p) { return !p.acceptsProperties(); }},
        {"isWritable", [](IParameter& p) { return p.isWritable(), false; }},
        {"getParameterData", [](IParameter& p) { return p.getParameterData().isNull(); }},
        {"getProperties", [](IParameter& p) { return p.getProperties().isNull(); }},
        {"setValue", [](IParameter& p) { return p.setValue("1"), false; }},
        {"setState", [](IParameter& p) { return p.setState(true), false; }},
    };
    for (int type = TypeInteger; type <= TypeCategory; ++type) {
        for (const auto& op : perParameter) {
            ops.append({QStringLiteral("%1 of type %2").arg(op.first).arg(type), [type, call = op.second](OpenedHandles& h) {
                            const auto p = h.byType.value(type);
                            if (!p)
                                throw std::logic_error("the test holds no handle of that type");
                            return call(*p);
                        }});
        }
    }
    return ops;
}
