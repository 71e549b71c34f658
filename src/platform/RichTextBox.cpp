#include "platform/RichTextBox.h"

#include "platform/RtfReader.h"
#include "platform/RtfTextDocument.h"
#include "platform/Twips.h"

#include <QFile>

namespace {

// Some eighty times our help text. A document can take seventy times its
// file's size and seconds to lay out, so a larger file is refused.
constexpr qint64 MaxFileBytes = 1024 * 1024;

} // namespace

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setUndoRedoEnabled(false);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Qt::white);
    colors.setColor(QPalette::Text, Qt::black);
    setPalette(colors);
    document()->setDocumentMargin(10); // text clear of the frame, as on a page
    setAccessibleName(tr("Rich text"));
}

bool RichTextBox::loadRtfFile(const QString& path)
{
    QFile file(path);
    if (file.size() > MaxFileBytes || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray content = file.readAll();
    Rtf::fillTextDocument(document(), Rtf::read(content));
    moveCursor(QTextCursor::Start);
    return true;
}

void RichTextBox::setWrapWidthTwips(double twips)
{
    if (twips == m_wrapWidthTwips)
        return;
    m_wrapWidthTwips = twips;
    const int pixels = Twips::toPixels(twips);
    if (pixels > 0) {
        setLineWrapMode(FixedPixelWidth);
        setLineWrapColumnOrWidth(pixels);
    } else {
        setLineWrapMode(WidgetWidth);
    }
    update();
}
