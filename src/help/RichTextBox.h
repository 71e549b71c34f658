#pragma once

#include <QTextEdit>

// A read-only text view that shows an RTF file or plain text on white, with a
// right margin (wrap width) given in twips.
class RichTextBox : public QTextEdit
{
    Q_OBJECT
    Q_PROPERTY(double wrapWidthTwips READ wrapWidthTwips WRITE setWrapWidthTwips)

public:
    // Larger files are not read: a help file of forty pages with a screenshot
    // on each is some twenty.
    static constexpr qint64 maxFileBytes = 64 * 1024 * 1024;

    explicit RichTextBox(QWidget* parent = nullptr);

    // Shows the file and returns an empty string, or leaves the box as it was
    // and returns why the file cannot be shown.
    QString loadRtfFile(const QString& path);

    double wrapWidthTwips() const { return m_wrapWidthTwips; }
    // Lines wrap at this width whatever the width of the box; 0 or less wraps
    // at the box's own width.
    void setWrapWidthTwips(double twips);

private:
    double m_wrapWidthTwips = 0;
};
