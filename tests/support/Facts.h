#pragma once

#include <QStringList>
#include <QTest>
#include <QVariant>

// Tables of facts: each row holds what the program shows next to what it
// must show, both as text, so one test function checks a whole area.
namespace Facts {

inline void columns()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
}

inline void row(const char* tag, const QString& actual, const QString& expected)
{
    QTest::newRow(tag) << actual << expected;
}

// Values as text, separated by blanks; numbers with six significant digits.
template <typename... T> QString text(const T&... values)
{
    QStringList parts;
    auto add = [&parts](const auto& v) {
        if constexpr (std::is_convertible_v<decltype(v), QString>)
            parts << QString(v);
        else if constexpr (std::is_floating_point_v<std::decay_t<decltype(v)>>)
            parts << QString::number(v, 'g', 6);
        else
            parts << QVariant::fromValue(v).toString();
    };
    (add(values), ...);
    return parts.join(u' ');
}

inline void check()
{
    QFETCH(QString, actual);
    QTEST(actual, "expected");
}

} // namespace Facts
