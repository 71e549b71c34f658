#pragma once

#include "panel/Quorvel.h"
#include "settings/PanelSettings.h"
#include "settings/SettingsStore.h"
#include "toolkit/PropertyBag.h"

#include <QFile>
#include <QTemporaryDir>
#include <memory>

// A panel created over a settings file of the test's own.
class PanelFixture
{
public:
    explicit PanelFixture(const QByteArray& store = {})
    {
        const QString path = m_dir.filePath(QStringLiteral("Tallyvane.conf"));
        if (!store.isEmpty()) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(store);
        }
        SettingsStore::setFilePathOverride(path);
        PanelSettings::HomeRefreshed = PanelSettings::VisitorRefreshed = false;
    }
    ~PanelFixture() { SettingsStore::setFilePathOverride({}); }

    std::unique_ptr<Quorvel> panel(int widthPx, int heightPx, bool home = true)
    {
        auto p = std::make_unique<Quorvel>();
        PropertyBag bag;
        if (!home)
            bag.writeBool(QStringLiteral("PIsHomeTeam"), false, true);
        p->readProperties(bag);
        p->resize(widthPx, heightPx);
        p->show();
        return p;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};
