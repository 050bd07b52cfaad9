#pragma once

#include "parametercollection1_export.h"

#include "genicam/genapienums.h"
#include "parametercollection/parameterdata.h"

#include <QObject>
#include <QSharedPointer>
#include <QString>

namespace ParameterCollection {

class IParameterProperties;

/// One node of a parameter collection: a feature or a category. Every
/// operation may throw a GenICam exception, another std::exception, or
/// anything else; callers catch at their own level.
///
/// Threading: the operations may be called from any thread. The change signal
/// is emitted on the thread that caused the change; receivers on other threads
/// get it queued (the snapshot type is a registered meta-type).
class PARAMETERCOLLECTION1_EXPORT IParameter : public QObject
{
    Q_OBJECT
public:
    explicit IParameter(QObject* parent = nullptr);
    ~IParameter() override;

    virtual QString getName() const = 0;
    virtual QString getFullName() const = 0;
    /// A ParameterType code.
    virtual int getType() const = 0;
    virtual GenApi::EVisibility getVisibility() const = 0;

    /// The handle stands for no usable node: no value, no editor, no row.
    virtual bool isNull() const = 0;
    /// Properties may still be imposed on this handle, even when it isNull().
    virtual bool acceptsProperties() const = 0;
    virtual bool isWritable() const = 0;

    /// The current snapshot; may be null.
    virtual QSharedPointer<const ParameterData> getParameterData() const = 0;
    /// The node's string properties; may be null.
    virtual QSharedPointer<IParameterProperties> getProperties() const = 0;

    /// Writes the value in its text form. Each character carries one byte of
    /// 8-bit text, which the collection decodes as it is configured.
    virtual void setValue(const QString& value) = 0;
    /// Called with true right after a command was executed and with false by
    /// the command editor when it has seen the command done.
    virtual void setState(bool state) = 0;

Q_SIGNALS:
    /// A new snapshot of this parameter.
    void parameterDataChangedDecoupled(QSharedPointer<const ParameterCollection::ParameterData> data);
};

} // namespace ParameterCollection
