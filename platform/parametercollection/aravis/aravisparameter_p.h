#pragma once

#include "aravisnodemap_p.h"
#include "parametercollection/ibooleanparameter.h"
#include "parametercollection/icommandparameter.h"
#include "parametercollection/ienumparameter.h"
#include "parametercollection/ifloatparameter.h"
#include "parametercollection/iintegerparameter.h"
#include "parametercollection/iparameterproperties.h"

#include <QWeakPointer>

namespace ParameterCollection {

/// The handle of one node of an Aravis node map. It holds the node map
/// weakly: once the collection is gone the handle reports isNull() and every
/// other operation throws GenICam::AccessException.
class AravisParameter : public virtual IParameter
{
public:
    AravisParameter(const QSharedPointer<AravisNodeMap>& map, int index);
    ~AravisParameter() override;

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
    QSharedPointer<AravisNodeMap> map() const;
    int index() const { return m_index; }

private:
    QWeakPointer<AravisNodeMap> m_map;
    int m_index;
    QString m_name;
    QString m_fullName;
};

class AravisIntegerParameter final : public AravisParameter, public IIntegerParameter
{
public:
    using AravisParameter::AravisParameter;
    using AravisParameter::setValue;
    void setValue(qint64 value, bool verify) override;
    qint64 getValue() const override;
    qint64 getMinimum() const override;
    qint64 getMaximum() const override;
    qint64 getIncrement() const override;
};

class AravisFloatParameter final : public AravisParameter, public IFloatParameter
{
public:
    using AravisParameter::AravisParameter;
    using AravisParameter::setValue;
    void setValue(double value) override;
    double getValue() const override;
    double getMinimum() const override;
    double getMaximum() const override;
};

class AravisBooleanParameter final : public AravisParameter, public IBooleanParameter
{
public:
    using AravisParameter::AravisParameter;
    using AravisParameter::setValue;
    bool getValue() const override;
    void setValue(bool value) override;
};

class AravisEnumParameter final : public AravisParameter, public IEnumParameter
{
public:
    using AravisParameter::AravisParameter;
    QString getValue() const override;
    QStringList getEntryNames() const override;
};

class AravisCommandParameter final : public AravisParameter, public ICommandParameter
{
public:
    using AravisParameter::AravisParameter;
    void execute(bool verify) override;
    bool isDone() const override;
};

/// The string properties of one node of an Aravis node map.
class AravisParameterProperties final : public IParameterProperties
{
public:
    AravisParameterProperties(const QSharedPointer<AravisNodeMap>& map, int index);

    QString getProperty(const QString& key) const override;
    QString getProperty(const QString& key, const QString& defaultValue) const override;
    void setProperty(const QString& key, const QString& value) override;

private:
    QSharedPointer<AravisNodeMap> map() const;

    QWeakPointer<AravisNodeMap> m_map;
    int m_index;
};

/// Creates the handle class that fits the type code.
QSharedPointer<AravisParameter> createAravisParameterHandle(const QSharedPointer<AravisNodeMap>& map, int index,
                                                            int type);

} // namespace ParameterCollection
