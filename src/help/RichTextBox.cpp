#include "help/RichTextBox.h"

#include "rtf/Reader.h"
#include "rtf/TextDocument.h"
#include "toolkit/Twips.h"

#include <QFile>

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

QString RichTextBox::loadRtfFile(const QString& path)
{
    QFile file(path);
    if (file.size() > maxFileBytes)
        return tr("The file %1 is %2 MiB, too large to show: at most %3 MiB can be shown.")
            .arg(path)
            .arg((file.size() + (1 << 20) - 1) >> 20)
            .arg(maxFileBytes >> 20);
    if (!file.open(QIODevice::ReadOnly))
        return tr("The file %1 cannot be read: %2.").arg(path, file.errorString());
    const QByteArray content = file.readAll();
    Rtf::fillTextDocument(document(), Rtf::read(content));
    moveCursor(QTextCursor::Start);
    return {};
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
