#pragma once

#include "parametercollection1_export.h"

#include "parametercollection/parameterdata.h"

#include "genicam/genapienums.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace ParameterCollection {

/// The text forms of feature values, as written with IParameter::setValue and
/// shown in ParameterData::valueString. Parsers throw
/// GenICam::InvalidArgumentException with a description that quotes the text.
namespace ValueText {

/// Integers by representation: "PureNumber", "Linear", "Logarithmic" (and an
/// empty representation) take decimal text with an optional sign, and also a
/// "0x" hexadecimal text; "HexNumber" takes hexadecimal with or without "0x";
/// "IPV4Address" takes a dotted quad ("192.168.0.1" is 0xC0A80001);
/// "MACAddress" takes six pairs of hex digits separated by ':' or '-', or 12
/// plain hex digits; "Boolean" takes what parseBoolean takes (1 or 0).
/// Surrounding white space is ignored.
PARAMETERCOLLECTION1_EXPORT qint64 parseInteger(const QString& text, const QString& representation);
/// Inverse of parseInteger: decimal, "0x" followed by upper-case hex digits,
/// dotted quad, "00:11:22:AA:BB:CC", or "1"/"0".
PARAMETERCOLLECTION1_EXPORT QString formatInteger(qint64 value, const QString& representation);

/// A finite decimal number in the C locale, such as "-1.5" or "2e-3".
PARAMETERCOLLECTION1_EXPORT double parseFloat(const QString& text);
/// Fixed-point text with `precision` decimals in the C locale.
/// A float's text with `precision` decimals in the notation a DisplayNotation
/// names (automatic: fixed-point, scientific for magnitudes of 1e9 and more or
/// for values that would show no digit but zeros). Never "-0".
PARAMETERCOLLECTION1_EXPORT QString formatFloat(double value, qint64 precision, int notation = NotationFixed);

/// "1", "true", "on", "yes" and "0", "false", "off", "no", in any case.
PARAMETERCOLLECTION1_EXPORT bool parseBoolean(const QString& text);
PARAMETERCOLLECTION1_EXPORT QString formatBoolean(bool value);

/// "Beginner", "Expert", "Guru", "Invisible"; empty for anything else.
PARAMETERCOLLECTION1_EXPORT QString formatVisibility(GenApi::EVisibility visibility);
/// "RW", "RO", "WO", "NA", "NI"; empty for anything else.
PARAMETERCOLLECTION1_EXPORT QString formatAccessMode(GenApi::EAccessMode mode);
/// The inverse of formatVisibility and formatAccessMode (exact spelling); empty when unknown.
PARAMETERCOLLECTION1_EXPORT std::optional<GenApi::EVisibility> visibilityFromText(const QString& text);
PARAMETERCOLLECTION1_EXPORT std::optional<GenApi::EAccessMode> accessModeFromText(const QString& text);
/// As above for a value imposed on the node `nodeName` through its properties:
/// throws GenICam::InvalidArgumentException naming the accepted texts.
PARAMETERCOLLECTION1_EXPORT GenApi::EVisibility parseImposedVisibility(const QString& text, const QString& nodeName);
PARAMETERCOLLECTION1_EXPORT GenApi::EAccessMode parseImposedAccessMode(const QString& text, const QString& nodeName);

} // namespace ValueText
} // namespace ParameterCollection
