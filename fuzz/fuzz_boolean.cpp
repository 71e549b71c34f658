// libFuzzer entry: the stored properties' boolean conversion on any text.
#include "FuzzCheck.h"
#include "toolkit/ValueText.h"

#include <QString>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<bool> value = ValueText::toBoolean(text);

    // Surrounding blanks never matter.
    require(ValueText::toBoolean(QStringLiteral(" \t") + text + QStringLiteral("\n ")) == value);

    const QString trimmed = text.trimmed();
    if (trimmed.compare(u"true", Qt::CaseInsensitive) == 0)
        require(value == true);
    else if (trimmed.compare(u"false", Qt::CaseInsensitive) == 0)
        require(value == false);
    else if (value.has_value())
        require(!trimmed.isEmpty()); // only words and numbers have a value
    return 0;
}
