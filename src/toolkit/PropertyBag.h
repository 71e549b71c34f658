#pragma once

#include <QMap>
#include <QString>

// The stored properties of a placed control. A value equal to its default is
// never written, so a bag holds only what differs from the defaults.
class PropertyBag
{
public:
    PropertyBag() = default;

    // Text of lines "Name = Value"; blank lines and lines starting with ' or #
    // are skipped, surrounding double quotes are removed from values.
    static PropertyBag fromText(const QString& text);
    // A missing or unreadable file gives an empty bag.
    static PropertyBag fromFile(const QString& path);
    QString toText() const;

    bool contains(const QString& name) const { return m_values.contains(name); }
    QString readText(const QString& name, const QString& defaultValue) const;
    bool readBool(const QString& name, bool defaultValue) const;

    void writeText(const QString& name, const QString& value, const QString& defaultValue);
    void writeBool(const QString& name, bool value, bool defaultValue);

    int size() const { return static_cast<int>(m_values.size()); }

private:
    QMap<QString, QString> m_values;
};
