#include "parameterchecks.h"

#include "genicam/genericexception.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/metatypes.h"
#include "parametercollection/valuetext.h"
#include "utils/qtcompat_p.h"

#include <QLocale>
#include <QRegularExpression>
#include <QtTest>

#include <stdexcept>

using namespace ParameterCollection;

QString thrownBy(const std::function<void()>& call)
{
    const auto text = [](const char* kind, const GenICam::GenericException& e) {
        return kind + QString(": ") + e.GetDescription();
    };
    try {
        call();
    } catch (const GenICam::AccessException& e) { return text("Access", e);
    } catch (const GenICam::OutOfRangeException& e) { return text("OutOfRange", e);
    } catch (const GenICam::InvalidArgumentException& e) { return text("InvalidArgument", e);
    } catch (const GenICam::LogicalErrorException& e) { return text("LogicalError", e);
    } catch (const GenICam::RuntimeException& e) { return text("Runtime", e);
    } catch (const GenICam::TimeoutException& e) { return text("Timeout", e);
    } catch (const GenICam::GenericException& e) { return text("Generic", e);
    } catch (const std::exception& e) { return QString("std: ") + e.what();
    } catch (...) { return "other";
    }
    return QString();
}

QString thrownOnSmallStack(const std::function<void()>& call)
{
    QString thrown;
    QScopedPointer<QThread> thread(QThread::create([&] { thrown = thrownBy(call); }));
    thread->setStackSize(1u << 20);
    thread->start();
    thread->wait();
    return thrown;
}

QString snapshotText(const ParameterData& d)
{
    const char flags[] = {d.isReadable ? 'R' : '-', d.isWritable ? 'W' : '-', d.isImplemented ? 'I' : '-',
                          d.isAvailable ? 'A' : '-', 0};
    const auto n = [](double v) { return QtCompat::shortestNumber(v); };
    const QString text = QString("%1 '%2' %3 %4").arg(QString("-ibfcseCr").at(qBound(0, d.type, 8))).arg(
        d.valueString, flags, ValueText::formatVisibility(GenApi::EVisibility(d.visibility)));
    switch (d.type) {
    case TypeInteger:
        return text + QString(" [%1,%2,%3] %4").arg(d.intMin).arg(d.intMax).arg(d.intInc).arg(d.representation);
    case TypeFloat:
        return text + QString(" [%1,%2,%3] p%4%5 %6").arg(n(d.floatMin), n(d.floatMax), d.hasFloatInc ? n(d.floatInc) : "-")
                          .arg(d.displayPrecision).arg(QString("afs").at(qBound(0, d.displayNotation, 2)))
                          .arg(d.representation);
    case TypeEnumeration: return text + QString(" (%1) %2").arg(d.enumEntryNames.join(' ')).arg(d.intValue);
    case TypeCommand: return text + (d.boolValue ? " done" : " busy");
    }
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
        names << child.section('/', 1) + (below.isEmpty() ? QString() : '[' + below + ']');
    }
    return names.join(' ');
}

QStringList namesOf(const QString& treeText)
{
    return treeText.split(QRegularExpression("[\\[\\] ]+"), Qt::SkipEmptyParts);
}

static void applyOne(IParameterCollection& c, const QString& step)
{
    const QString target = step.section('=', 0, 0), text = step.section('=', 1);
    if (target.contains('.'))
        c.getParameter(target.section('.', 0, 0))->getProperties()->setProperty(target.section('.', 1), text);
    else
        c.getParameter(target)->setValue(text);
}

void apply(IParameterCollection& collection, const QString& steps)
{
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts))
        applyOne(collection, step);
}

Watch::Watch(IParameterCollection& collection, const QStringList& names)
    : m_collection(collection)
{
    for (const QString& name : names) {
        const auto p = collection.getParameter(name);
        if (!p->isNull()) {
            m_before.insert(name, p->getParameterData());
            QObject::connect(p.data(), &IParameter::parameterDataChangedDecoupled, &m_context,
                             [this, name, p](QSharedPointer<const ParameterData> d) { m_reports[name] << d; });
        }
    }
}

QString Watch::changes(bool namesOnly) const
{
    QStringList changed, misreported;
    for (auto it = m_before.cbegin(); it != m_before.cend(); ++it) {
        const auto now = m_collection.getParameter(it.key())->getParameterData();
        const auto reports = m_reports.value(it.key());
        if (*now != *it.value() ? reports.size() != 1 || *reports.first() != *now : !reports.isEmpty()) {
            misreported << QString("%1 %2 times").arg(it.key()).arg(reports.size())
                               + (reports.isEmpty() ? "" : " as " + snapshotText(*reports.last()));
        }
        if (*now == *it.value())
            continue;
        QStringList words = snapshotText(*now).split(' ');
        const QStringList before = snapshotText(*it.value()).split(' ');
        for (int i = before.size() == words.size() ? words.size() : 0; i-- > 0;) {
            if (words.at(i) == before.at(i))
                words.removeAt(i);
        }
        changed << (namesOnly ? QStringList(it.key()) : QStringList(it.key()) + words).join(' ');
    }
    if (namesOnly || misreported.isEmpty())
        return changed.join(namesOnly ? " " : "; ");
    return changed.join("; ") + " | misreported " + misreported.join(", ");
}

QString outcomeOf(IParameterCollection& c, const QStringList& names, const QString& step, const QString& expected)
{
    const Watch watch(c, names);
    const QString thrown = thrownBy([&] { applyOne(c, step); }), changes = watch.changes();
    // A property reads back as it was set.
    const QString key = step.section('=', 0, 0).section('.', 1), value = step.section('=', 1);
    const auto reads = [&] { return c.getParameter(step.section('.', 0, 0))->getProperties()->getProperty(key); };
    if (thrown.isEmpty() && !key.isEmpty() && reads() != value)
        return changes + " | property " + key + " reads " + reads();
    const bool matches = expected.contains(": ") && thrown.startsWith(expected.section(": ", 0, 0) + ": ")
                      && thrown.contains(expected.section(": ", 1), Qt::CaseInsensitive);
    return thrown.isEmpty() ? changes : matches && changes.isEmpty() ? expected : thrown + " | " + changes;
}

QString ownValueMisfits(IParameterCollection& collection, const QStringList& names)
{
    const Watch watch(collection, names);
    QString wrong;
    for (const QString& name : names) {
        const auto p = collection.getParameter(name);
        const auto d = p->isNull() ? nullptr : p->getParameterData();
        if (!d || (d->isWritable && !d->isReadable && d->type != TypeCommand)) // no value to write back
            continue;
        const bool valueless = d->type == TypeCommand || d->type == TypeCategory;
        const QString thrown = thrownBy([&] { p->setValue(QString::fromLatin1(d->valueString.toUtf8())); });
        if (thrown.section(':', 0, 0) != (valueless ? "LogicalError" : d->isWritable ? "" : "Access"))
            wrong += name + ": " + (thrown.isEmpty() ? "took its value" : thrown) + '\n';
    }
    return watch.changes().isEmpty() ? wrong : wrong + "changed " + watch.changes();
}

QString typedMisfits(const QSharedPointer<IParameter>& p)
{
    const auto d = p->getParameterData();
    const auto i = qSharedPointerDynamicCast<IIntegerParameter>(p);
    const auto f = qSharedPointerDynamicCast<IFloatParameter>(p);
    const auto b = qSharedPointerDynamicCast<IBooleanParameter>(p);
    const auto e = qSharedPointerDynamicCast<IEnumParameter>(p);
    const bool c = !qSharedPointerDynamicCast<ICommandParameter>(p).isNull();
    const QString offers = QString(i ? "i" : "") + (b ? "b" : "") + (f ? "f" : "") + (c ? "c" : "") + (e ? "e" : "");
    const QString ofType = QString(" ibfc e ").at(qBound(0, d->type, 7));
    const auto text = [](const QVariantList& values) {
        QStringList words;
        for (const QVariant& v : values)
            words << (v.userType() == QMetaType::QStringList ? v.toStringList().join(' ') : v.toString());
        return words.join(' ');
    };
    const QString held = i ? text({d->intValue, d->intMin, d->intMax, d->intInc})
                       : f ? text({d->floatValue, d->floatMin, d->floatMax})
                       : b ? text({d->boolValue}) : e ? text({d->valueString, d->enumEntryNames}) : QString();
    QString read;
    const QString thrown = thrownBy([&] {
        read = i ? text({i->getValue(), i->getMinimum(), i->getMaximum(), i->getIncrement()})
             : f ? text({f->getValue(), f->getMinimum(), f->getMaximum()})
             : b ? text({b->getValue()}) : e ? text({e->getValue(), e->getEntryNames()}) : QString();
    });
    const bool readsWrong = (i || f || b || e) && (d->isReadable ? thrown + read != held : !thrown.startsWith("Access"));
    if (offers == ofType.trimmed() && !readsWrong)
        return QString();
    return QString("%1: offers '%2', reads %3, holds %4\n").arg(d->name, offers, thrown + read, held);
}

OpenedHandles::OpenedHandles(const QSharedPointer<IParameterCollection>& c, const QStringList& names)
    : collection(c)
    , properties(c->getParameter(names.first())->getProperties())
{
    for (const QString& name : names)
        byType.insert(c->getParameter(name)->getType(), c->getParameter(name));
}

namespace {

using H = OpenedHandles&;

template<typename T = IParameter>
T& held(H h, int type)
{
    if (!h.byType.value(type))
        throw std::logic_error("the test holds no handle of that type");
    return dynamic_cast<T&>(*h.byType.value(type));
}
IIntegerParameter& integer(H h) { return held<IIntegerParameter>(h, TypeInteger); }
IFloatParameter& floating(H h) { return held<IFloatParameter>(h, TypeFloat); }
IEnumParameter& enumeration(H h) { return held<IEnumParameter>(h, TypeEnumeration); }
ICommandParameter& command(H h) { return held<ICommandParameter>(h, TypeCommand); }

} // namespace

QList<QPair<QString, std::function<bool(OpenedHandles&)>>> operationsAfterClose()
{
    QList<QPair<QString, std::function<bool(H)>>> ops{
        {"collection getParameter", [](H h) { return !h.collection->getParameter("Width"); }},
        {"collection getChildren", [](H h) { return h.collection->getChildren("Root", 0, true), false; }},
        {"collection hasParameter", [](H h) { return h.collection->hasParameter("Width"), false; }},
        {"collection refresh", [](H h) { return h.collection->refresh(), false; }},
        {"collection poll", [](H h) { return h.collection->poll(300), false; }},
        {"integer setValue", [](H h) { return integer(h).setValue(64, false), false; }},
        {"integer getValue", [](H h) { return integer(h).getValue(), false; }},
        {"integer getMinimum", [](H h) { return integer(h).getMinimum(), false; }},
        {"integer getMaximum", [](H h) { return integer(h).getMaximum(), false; }},
        {"integer getIncrement", [](H h) { return integer(h).getIncrement(), false; }},
        {"float setValue", [](H h) { return floating(h).setValue(100.0), false; }},
        {"float getValue", [](H h) { return floating(h).getValue(), false; }},
        {"float getMinimum", [](H h) { return floating(h).getMinimum(), false; }},
        {"float getMaximum", [](H h) { return floating(h).getMaximum(), false; }},
        {"boolean setValue", [](H h) { return held<IBooleanParameter>(h, TypeBoolean).setValue(true), false; }},
        {"boolean getValue", [](H h) { return held<IBooleanParameter>(h, TypeBoolean).getValue(), false; }},
        {"enumeration getValue", [](H h) { return enumeration(h).getValue(), false; }},
        {"enumeration getEntryNames", [](H h) { return enumeration(h).getEntryNames(), false; }},
        {"command execute", [](H h) { return command(h).execute(true), false; }},
        {"command isDone", [](H h) { return command(h).isDone(), false; }},
        {"properties getProperty", [](H h) { return h.properties->getProperty("Unit"), false; }},
        {"properties getProperty with default", [](H h) { return h.properties->getProperty("Unit", "none"), false; }},
        {"properties setProperty", [](H h) { return h.properties->setProperty("Visibility", "Guru"), false; }}};
    const QList<QPair<QString, std::function<bool(IParameter&)>>> perParameter{
        {"getName", [](IParameter& p) { return !p.getName().isEmpty(); }},
        {"getFullName", [](IParameter& p) { return p.getFullName().endsWith('/' + p.getName()); }},
        {"getType", [](IParameter& p) { return p.getType(), false; }},
        {"getVisibility", [](IParameter& p) { return p.getVisibility(), false; }},
        {"isNull", [](IParameter& p) { return p.isNull(); }},
        {"acceptsProperties", [](IParameter& p) { return !p.acceptsProperties(); }},
        {"isWritable", [](IParameter& p) { return p.isWritable(), false; }},
        {"getParameterData", [](IParameter& p) { return p.getParameterData().isNull(); }},
        {"getProperties", [](IParameter& p) { return p.getProperties().isNull(); }},
        {"setValue", [](IParameter& p) { return p.setValue("1"), false; }},
        {"setState", [](IParameter& p) { return p.setState(true), false; }}};
    for (int type = TypeInteger; type <= TypeCategory; ++type) {
        for (const auto& op : perParameter)
            ops.append({QString("%1 of type %2").arg(op.first).arg(type), [=](H h) { return op.second(held(h, type)); }});
    }
    return ops;
}

void addOperationRows(bool withCollection)
{
    QTest::addColumn<int>("operation");
    const auto ops = operationsAfterClose();
    for (int i = 0; i < ops.size(); ++i) {
        if (withCollection || !ops.at(i).first.startsWith("collection"))
            QTest::newRow(qPrintable(ops.at(i).first)) << i;
    }
}

QString misbehaviourAfterClose(OpenedHandles& handles, int index)
{
    bool acceptable = false;
    const QString thrown = thrownBy([&] { acceptable = operationsAfterClose().at(index).second(handles); });
    if (thrown.startsWith("Access: ") || (thrown.isEmpty() && acceptable))
        return QString();
    return thrown.isEmpty() ? "gave a result" : thrown;
}
