#include "platform/PlatformDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>

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
        QFileDialog dialog(parent);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        return run(dialog, filter);
    }

    QString saveFile(QWidget* parent, const QString& filter, const QString& suggestedName) override
    {
        QFileDialog dialog(parent);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile(suggestedName);
        dialog.setDefaultSuffix(QFileInfo(patterns(filter).value(0)).suffix());
        return run(dialog, filter);
    }

private:
    static QStringList patterns(const QString& filter)
    {
        return filter.section(u'|', 1).split(u';', Qt::SkipEmptyParts);
    }

    // Qt splits name filters on blanks and wants patterns in brackets, so
    // the description is shown as written and the patterns matched apart.
    static QString run(QFileDialog& dialog, const QString& filter)
    {
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilter(filter.section(u'|', 0, 0) + QStringLiteral(" (") +
                             patterns(filter).join(u' ') + u')');
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

void PlatformDialogs::setInstance(PlatformDialogs* dialogs)
{
    current() = dialogs;
}
