#pragma once

#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QVariant>

// Labelled facts: facts("sRatio", 0.854701, "digit", 34) is "sRatio=0.854701 digit=34", so a
// failed comparison says which fact broke. Numbers show six significant digits, as a user
// reads them.
namespace Facts {

template <typename T> QString shown(const T& value)
{
    if constexpr (std::is_same_v<T, bool>)
        return value ? QStringLiteral("true") : QStringLiteral("false");
    else if constexpr (std::is_convertible_v<T, QString>)
        return QString(value);
    else if constexpr (std::is_floating_point_v<T>)
        return QString::number(value, 'g', 6);
    else if constexpr (std::is_enum_v<T>)
        return QString::number(qint64(value));
    else if constexpr (std::is_same_v<T, QSize>)
        return QStringLiteral("%1x%2").arg(value.width()).arg(value.height());
    else if constexpr (std::is_same_v<T, QPoint>)
        return QStringLiteral("%1,%2").arg(value.x()).arg(value.y());
    else if constexpr (std::is_same_v<T, QColor>)
        return value.name();
    else
        return QVariant::fromValue(value).toString();
}

inline void add(QStringList&) {}
template <typename V, typename... Rest>
void add(QStringList& parts, const char* label, const V& value, const Rest&... rest)
{
    parts << QLatin1String(label) + u'=' + shown(value);
    add(parts, rest...);
}

template <typename... T> QString facts(const T&... labelsAndValues)
{
    QStringList parts;
    add(parts, labelsAndValues...);
    return parts.join(u' ');
}

// One value per item, blank-separated: each(list, [](auto& x) { return x.width(); }).
template <typename List, typename F> QString each(const List& list, F value)
{
    QStringList parts;
    for (const auto& item : list)
        parts << shown(value(item));
    return parts.join(u' ');
}

} // namespace Facts

// Compares two texts of facts; a failure prints both, labels included.
#define CHECK_FACTS(actual, expected) QCOMPARE(QString(actual), QString(expected))
