// libFuzzer entry: the edit line's text-to-number conversion on any text, read
// both as UTF-8 and as UTF-16.
#include "FuzzCheck.h"
#include "toolkit/ValueText.h"

#include <QRegularExpression>
#include <QString>
#include <cmath>
#include <cstring>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

void check(const QString& text)
{
    const double value = ValueText::textToNumber(text);
    require(std::isfinite(value));

    // Blanks are ignored wherever they stand.
    QString packed = text;
    packed.removeIf(isBlank);
    require(ValueText::textToNumber(packed) == value);

    // A plain decimal integer reads as itself.
    static const QRegularExpression plainInteger(QStringLiteral("^[+-]?[0-9]{1,9}$"));
    if (plainInteger.match(packed).hasMatch())
        require(value == packed.toInt());

    const qint16 floored = ValueText::floorToInt16(value);
    if (value >= -32768.0 && value < 32768.0)
        require(floored <= value && value < floored + 1.0);
    else
        require(floored == (value < 0 ? -32768 : 32767));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    check(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));
    QString utf16(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(utf16.data(), data, size / 2 * 2);
    check(utf16);
    return 0;
}
