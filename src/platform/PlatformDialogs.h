#pragma once

#include <QColor>
#include <QMessageBox>
#include <QString>
#include <optional>

class QWidget;

// Message boxes and the colour and file choosers. The real implementation runs
// Qt's dialogs; tests install one that answers as scripted.
class PlatformDialogs
{
public:
    struct Message
    {
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons = QMessageBox::Ok;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    virtual ~PlatformDialogs() = default;

    virtual QMessageBox::StandardButton message(QWidget* parent, const Message& message) = 0;
    // The chosen colour, or nothing when the user cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    // `filter` is "Description|pattern;pattern". The chosen path, or empty when
    // cancelled. Only existing files can be chosen.
    virtual QString openFile(QWidget* parent, const QString& filter) = 0;
    // The path to save to, proposing `suggestedName`; empty when cancelled. A
    // name typed without a suffix gets the filter's first; an existing file is
    // replaced only after the user agrees.
    virtual QString saveFile(QWidget* parent, const QString& filter,
                             const QString& suggestedName) = 0;

    static PlatformDialogs& instance();
    // Takes no ownership; nullptr restores Qt's dialogs.
    static void setInstance(PlatformDialogs* dialogs);
};
