#pragma once

#include "platform/PlatformDialogs.h"

#include <QQueue>
#include <QStringList>

// Answers message boxes and choosers from a script instead of showing them,
// and records what was asked.
class ScriptedDialogs final : public PlatformDialogs
{
public:
    ScriptedDialogs() { PlatformDialogs::setInstance(this); }
    ~ScriptedDialogs() override { PlatformDialogs::setInstance(nullptr); }

    void setNextAnswer(QMessageBox::StandardButton answer) { m_answers.enqueue(answer); }
    void setNextColor(std::optional<QColor> color) { m_colors.enqueue(color); }
    // Answers openFile and saveFile alike.
    void setNextFile(const QString& path) { m_files.enqueue(path); }

    QMessageBox::StandardButton message(QWidget*, const Message& m) override
    {
        messages.append(m);
        return m_answers.isEmpty() ? QMessageBox::Ok : m_answers.dequeue();
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override
    {
        colorRequests.append(initial);
        return m_colors.isEmpty() ? std::nullopt : m_colors.dequeue();
    }
    QString openFile(QWidget*, const QString& filter) override
    {
        fileFilters.append(filter);
        return m_files.isEmpty() ? QString() : m_files.dequeue();
    }
    QString saveFile(QWidget*, const QString& filter, const QString& suggestedName) override
    {
        fileFilters.append(filter);
        suggestedNames.append(suggestedName);
        return m_files.isEmpty() ? QString() : m_files.dequeue();
    }

    QList<Message> messages;
    QList<QColor> colorRequests;
    QStringList fileFilters;
    QStringList suggestedNames;

private:
    QQueue<QMessageBox::StandardButton> m_answers;
    QQueue<std::optional<QColor>> m_colors;
    QQueue<QString> m_files;
};
