#pragma once

#include "memorynodemap_p.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparameterproperties.h"

#include <QWeakPointer>

namespace ParameterCollection {

/// The handle of one node of an in-memory node map. It holds the node map
/// weakly: once the collection is gone the handle reports isNull() and every
/// other operation throws GenICam::AccessException.
class MemoryParameter : public virtual IParameter
{
public:
    MemoryParameter(const QSharedPointer<MemoryNodeMap>& map, int index);
    ~MemoryParameter() override;

    QString getName() const override { return m_name; }
    QString getFullName() const override { return m_fullName; }
    int getType() const override;
    GenApi::EVisibility getVisibility() const override;
    bool isNull() const override;
    bool acceptsProperties() const override;
    bool isWritable() const override;
    QSharedPointer<const ParameterData> getParameterData() const override;
    QSharedPointer<IParameterProperties> getProperties() const override;
    void setValue(const QString& value) override;
    void setState(bool state) override;

protected:
    /// The node map, or an AccessException when the collection is gone.
    QSharedPointer<MemoryNodeMap> map() const;
    int index() const { return m_index; }

private:
    QWeakPointer<MemoryNodeMap> m_map;
    int m_index;
    QString m_name;
    QString m_fullName;
};

class MemoryIntegerParameter final : public MemoryParameter, public IIntegerParameter
{
public:
    using MemoryParameter::MemoryParameter;
    using MemoryParameter::setValue;
    void setValue(qint64 value, bool verify) override;
    qint64 getValue() const override;
    qint64 getMinimum() const override;
    qint64 getMaximum() const override;
    qint64 getIncrement() const override;
};

class MemoryFloatParameter final : public MemoryParameter, public IFloatParameter
{
public:
    using MemoryParameter::MemoryParameter;
    using MemoryParameter::setValue;
    void setValue(double value) override;
    double getValue() const override;
    double getMinimum() const override;
    double getMaximum() const override;
};

class MemoryBooleanParameter final : public MemoryParameter, public IBooleanParameter
{
public:
    using MemoryParameter::MemoryParameter;
    using MemoryParameter::setValue;
    bool getValue() const override;
    void setValue(bool value) override;
};

class MemoryEnumParameter final : public MemoryParameter, public IEnumParameter
{
public:
    using MemoryParameter::MemoryParameter;
    QString getValue() const override;
    QStringList getEntryNames() const override;
};

class MemoryCommandParameter final : public MemoryParameter, public ICommandParameter
{
public:
    using MemoryParameter::MemoryParameter;
    void execute(bool verify) override;
    bool isDone() const override;
};

/// The string properties of one node of an in-memory node map.
class MemoryParameterProperties final : public IParameterProperties
{
public:
    MemoryParameterProperties(const QSharedPointer<MemoryNodeMap>& map, int index);

    QString getProperty(const QString& key) const override;
    QString getProperty(const QString& key, const QString& defaultValue) const override;
    void setProperty(const QString& key, const QString& value) override;

private:
    QSharedPointer<MemoryNodeMap> map() const;

    QWeakPointer<MemoryNodeMap> m_map;
    int m_index;
};

/// Creates the handle class that fits the node's kind.
QSharedPointer<MemoryParameter> createParameterHandle(const QSharedPointer<MemoryNodeMap>& map, int index,
                                                      MemoryNode::Kind kind);

} // namespace ParameterCollection
