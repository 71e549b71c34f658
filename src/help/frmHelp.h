#pragma once

#include <QWidget>

class RichTextBox;

// The help viewer: a sizable window showing the help file found in the folder
// it is given, or a message when the file is not there.
class frmHelp : public QWidget
{
    Q_OBJECT

public:
    explicit frmHelp(const QString& folder);

    // The full path the window reads its text from.
    static QString helpFilePath(const QString& folder);

    RichTextBox* rtbHelp;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void load(const QString& folder);
    void fitToWindow();
};
