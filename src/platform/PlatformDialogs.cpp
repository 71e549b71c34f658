#include "platform/PlatformDialogs.h"

#include <QColorDialog>
#include <QFileDialog>

namespace {

class QtDialogs final : public PlatformDialogs
{
public:
    QMessageBox::StandardButton message(QWidget* parent, const Message& m) override
    {
        QMessageBox box(m.icon, m.title, m.text, m.buttons, parent);
        if (m.defaultButton != QMessageBox::NoButton)
            box.setDefaultButton(m.defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override
    {
        const QColor chosen = QColorDialog::getColor(initial, parent);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }

    QString openFile(QWidget* parent, const QString& filter) override
    {
        // Qt splits name filters on blanks and wants patterns in brackets, so
        // the description is shown as written and the patterns matched apart.
        const QString description = filter.section(u'|', 0, 0);
        const QStringList patterns = filter.section(u'|', 1).split(u';', Qt::SkipEmptyParts);
        QFileDialog dialog(parent);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilter(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }
};

PlatformDialogs*& current()
{
    static PlatformDialogs* dialogs = nullptr;
    return dialogs;
}

} // namespace

PlatformDialogs& PlatformDialogs::instance()
{
    static QtDialogs qtDialogs;
    return current() ? *current() : qtDialogs;
}

void PlatformDialogs::setInstance(PlatformDialogs* dialogs) { current() = dialogs; }
