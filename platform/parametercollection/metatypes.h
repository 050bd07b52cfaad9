#pragma once

#include "parametercollection1_export.h"

#include "genicam/genapienums.h"
#include "parametercollection/iparameter.h"
#include "parametercollection/iparametercollection.h"
#include "parametercollection/parameterdata.h"

#include <QMetaType>
#include <QSharedPointer>

// Qt 6 knows every type without a declaration; there, one would come after
// the code moc writes for signals with these types has already used them.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
Q_DECLARE_METATYPE(QSharedPointer<const ParameterCollection::ParameterData>)
Q_DECLARE_METATYPE(QSharedPointer<ParameterCollection::IParameter>)
Q_DECLARE_METATYPE(QSharedPointer<ParameterCollection::IParameterCollection>)
Q_DECLARE_METATYPE(GenApi::EVisibility)
Q_DECLARE_METATYPE(GenApi::EAccessMode)
#endif

namespace ParameterCollection {

/// Registers the shared-pointer types and the GenApi enumerations under their
/// spelled-out names so that they travel through queued connections. Runs by itself when the library is
/// loaded into an application; calling it again is harmless.
PARAMETERCOLLECTION1_EXPORT void registerMetaTypes();

} // namespace ParameterCollection
