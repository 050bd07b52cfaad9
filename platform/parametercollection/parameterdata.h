#pragma once

#include "genicam/genapienums.h"
#include "parametercollection1_export.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace ParameterCollection {

/// Type codes of ParameterData::type.
enum ParameterType {
    TypeNone = 0,
    TypeInteger = 1,
    TypeBoolean = 2,
    TypeFloat = 3,
    TypeCommand = 4,
    TypeString = 5,
    TypeEnumeration = 6,
    TypeCategory = 7
};

/// How a float's value is written (GenICam's DisplayNotation).
enum DisplayNotation {
    NotationAutomatic = 0, ///< fixed-point, scientific where that would show no digit or be too long
    NotationFixed = 1,
    NotationScientific = 2
};

/// An immutable snapshot of one parameter, shared as
/// QSharedPointer<const ParameterData>. A default-constructed snapshot stands
/// for "nothing known": no type, undefined visibility, neither readable nor
/// writable nor implemented. Only the fields of the parameter's type carry
/// meaning; the others keep their defaults.
class PARAMETERCOLLECTION1_EXPORT ParameterData
{
public:
    ParameterData();
    virtual ~ParameterData();
    ParameterData(const ParameterData&);
    ParameterData& operator=(const ParameterData&);

    /// Field-by-field equality; the collections use it to emit only real changes.
    bool operator==(const ParameterData& other) const;
    bool operator!=(const ParameterData& other) const { return !(*this == other); }

    int type = TypeNone;
    int visibility = GenApi::_UndefinedVisibility;
    bool isReadable = false;
    bool isWritable = false;
    bool isImplemented = false;
    /// The node is available in the device's current state. A node that is
    /// implemented but neither readable nor writable is not available.
    bool isAvailable = true;

    QString name;
    QString fullName;
    /// The value as displayed.
    QString valueString;

    /// Boolean value; for a command: the command is done.
    bool boolValue = false;

    QStringList enumEntryNames;
    QStringList enumEntryDisplayNames;

    qint64 intValue = 0;
    qint64 intMin = 0;
    qint64 intMax = 0;
    qint64 intInc = 1;
    /// "PureNumber", "HexNumber", "Linear", "Logarithmic", "IPV4Address", "Boolean", "MACAddress".
    QString representation;

    double floatValue = 0.0;
    double floatMin = 0.0;
    double floatMax = 0.0;
    bool hasFloatInc = false;
    double floatInc = 0.0;
    qint64 displayPrecision = 6;
    int displayNotation = NotationAutomatic; ///< a DisplayNotation
};

} // namespace ParameterCollection
