#include "toolkit/PropertyBag.h"

#include "toolkit/ValueText.h"

#include <QFile>
#include <QStringList>

PropertyBag PropertyBag::fromText(const QString& text)
{
    PropertyBag bag;
    const QStringList lines = text.split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'\'') || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"'))
            value = value.mid(1, value.size() - 2);
        bag.m_values.insert(line.left(eq).trimmed(), value);
    }
    return bag;
}

PropertyBag PropertyBag::fromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromText(QString::fromUtf8(file.readAll()));
}

QString PropertyBag::toText() const
{
    QString text;
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it)
        text += it.key() + QStringLiteral(" = ") + it.value() + u'\n';
    return text;
}

QString PropertyBag::readText(const QString& name, const QString& defaultValue) const
{
    return m_values.value(name, defaultValue);
}

bool PropertyBag::readBool(const QString& name, bool defaultValue) const
{
    const auto it = m_values.constFind(name);
    if (it == m_values.cend())
        return defaultValue;
    return ValueText::toBoolean(*it).value_or(defaultValue);
}

void PropertyBag::writeText(const QString& name, const QString& value, const QString& defaultValue)
{
    if (value == defaultValue)
        m_values.remove(name);
    else
        m_values.insert(name, value);
}

void PropertyBag::writeBool(const QString& name, bool value, bool defaultValue)
{
    writeText(name, value ? QStringLiteral("True") : QStringLiteral("False"),
              defaultValue ? QStringLiteral("True") : QStringLiteral("False"));
}
