#pragma once

#include "parametercollection1_export.h"

#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

namespace ParameterCollection {

class IParameter;

/// A set of parameters: the node map of a camera device, its transport layer,
/// a stream grabber, an image format converter. Parameters are addressed by
/// full name ("<role>/<node name>", the role beginning with a marker character
/// such as "@CameraDevice") or by plain node name. Every operation may throw.
class PARAMETERCOLLECTION1_EXPORT IParameterCollection : public QObject
{
    Q_OBJECT
public:
    explicit IParameterCollection(QObject* parent = nullptr);
    ~IParameterCollection() override;

    /// The role name, such as "@CameraDevice".
    virtual QString getRoleName() const = 0;
    /// The parameter of that full or plain name; null when unknown.
    virtual QSharedPointer<IParameter> getParameter(const QString& name) = 0;
    /// Full names of the children of the category `fullName`, in display order.
    /// `depth` and `displayOrder` are kept for compatibility: callers pass 0 and true.
    virtual QStringList getChildren(const QString& fullName, int depth, bool displayOrder) = 0;
    virtual bool hasParameter(const QString& fullName) = 0;
    /// Re-reads every parameter and reports the ones that changed.
    virtual void refresh() = 0;
    /// Updates the parameters that change by themselves; `intervalMs` is the
    /// time since the previous poll.
    virtual void poll(qint64 intervalMs) = 0;
};

} // namespace ParameterCollection
