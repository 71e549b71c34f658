#pragma once

#include <QTextEdit>

// A read-only text view that shows an RTF file or plain text on white, with a
// right margin (wrap width) given in twips.
class RichTextBox : public QTextEdit
{
    Q_OBJECT
    Q_PROPERTY(double wrapWidthTwips READ wrapWidthTwips WRITE setWrapWidthTwips)

public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // False when the file cannot be read; the box is then left as it was.
    bool loadRtfFile(const QString& path);

    double wrapWidthTwips() const { return m_wrapWidthTwips; }
    // Lines wrap at this width whatever the width of the box; 0 or less wraps
    // at the box's own width.
    void setWrapWidthTwips(double twips);

private:
    double m_wrapWidthTwips = 0;
};
