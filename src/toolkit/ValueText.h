#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace ValueText {

// The edit line's text-to-number rule: blanks, tabs and line feeds are ignored
// wherever they stand; an optional sign, digits, a decimal point and an
// exponent (E or D), or &H / &O and digits of that radix; reading stops at the
// first character that does not fit. No digits at all gives 0.
double textToNumber(QStringView text);

// The floor of a number as a 16-bit value, saturating instead of overflowing.
qint16 floorToInt16(double value);

// Boolean text as stored properties hold it: "True"/"False" in any case, or a
// number (non-zero is true). Anything else has no boolean value.
std::optional<bool> toBoolean(QStringView text);

inline QString decimalText(qint64 value) { return QString::number(value); }

} // namespace ValueText
