#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Turning stored text into field values. The program only ever writes values
// in range; these rules keep a hand-edited or damaged store from breaking it.
namespace SettingsParse {

// Optional blanks, an optional sign and decimal digits, nothing else, within
// the 32-bit range.
std::optional<qint32> strictInt(QStringView text);

qint32 color(QStringView text, qint32 defaultValue); // 0 to 0xFFFFFF
qint32 numLockForce(QStringView text);               // any number; else 0
qint16 ledType(QStringView text);                    // 1 stays 1, else 0
qint16 showField(QStringView text);                  // "0" hidden, else shown
qint16 playerTotal(QStringView text);                // 1 to 15; else 5

} // namespace SettingsParse
