#pragma once

#include "rtf/Document.h"
#include "rtf/Characters.h"
#include "rtf/ControlWords.h"

#include <QByteArray>
#include <map>

namespace Rtf {

struct Font
{
    QString name;
    FontFamily family = FontFamily::Any;
    int charsetCodePage = 0; // 0: the document's; -1: a symbol font
    int codePage = 0;        // \cpg, before the character set's
    SymbolFont symbol = SymbolFont::None;
};

// The fonts of \fonttbl by number, each with the code page its text is in.
class FontTable
{
public:
    // A word inside the table.
    void apply(Word word, bool hasParameter, int value);
    // A byte of a font's name; ';' ends the entry.
    void addByte(char c, CodePageDecoder& decoder, int documentCodePage);
    // Ends the entry being read, also at the end of its group.
    void commit(CodePageDecoder& decoder, int documentCodePage);

    const Font* find(int number) const;
    // The code page of text in `font` (none: the document's).
    static int codePageOf(const Font* font, int documentCodePage);

private:
    std::map<int, Font> m_fonts;
    int m_number = -1;
    Font m_font;
    QByteArray m_name;
};

} // namespace Rtf
