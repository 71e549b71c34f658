#pragma once

#include "rtf/Characters.h"
#include "rtf/ColorTable.h"
#include "rtf/Document.h"
#include "rtf/FontTable.h"
#include "rtf/Formatting.h"
#include "rtf/Pictures.h"
#include "rtf/Tables.h"
#include "rtf/Tokenizer.h"

namespace Rtf {

// Reads the tokens of one file into a Document: keeps the group stack with
// its formatting, the font and colour tables, and sends text, pictures and
// table marks where they belong.
class Parser
{
public:
    explicit Parser(QByteArrayView in);
    Document run();

private:
    enum class Destination { Text, FontTable, ColorTable, Picture, Skip };

    struct GroupState
    {
        CharState chars;
        ParagraphFormat paragraph;
        Destination destination = Destination::Text;
        int unicodeSkip = 1;
        int tableDepth = 0;
        bool pictureAlternative = false;
    };

    GroupState& state() { return m_stack.back(); }
    bool skipping() const;
    bool inText() const;

    void handle(const Token& token);
    void openGroup();
    void closeGroup();
    void word(const Token& token);
    void symbol(char c);
    void text(QByteArrayView bytes);
    void startDestination(Word word);
    bool consumeFallback();

    void apply(Word word, bool hasParameter, int value);
    bool documentWord(Word word, bool hasParameter, int value);
    void bodyWord(Word word, bool hasParameter, int value);
    void tableMark(Word word);

    void byte(unsigned char c);
    void decodeBytes();
    void character(char16_t c);
    void special(char16_t c);
    void unicode(int value);
    void endSurrogate();

    const Font* currentFont() const;
    CharFormat resolve(const CharState& chars) const;

    void flushText();
    void endParagraph();
    void placeParagraph(int depth);
    void finishPicture();
    void beginNote();
    void endNote();
    void noteMark();
    void finish();

    Tokenizer m_tokens;
    std::vector<GroupState> m_stack;
    qsizetype m_overflow = 0; // groups opened beyond the depth limit
    bool m_star = false;      // \* seen: an unknown destination after it is skipped
    int m_fallbackLeft = 0;

    QByteArray m_bytes; // text bytes not yet decoded
    QString m_pending;  // decoded text not yet a run
    char16_t m_highSurrogate = 0;
    CodePageDecoder m_decoder;
    int m_ansiCodePage = defaultCodePage;

    FontTable m_fonts;
    ColorTable m_colors;
    int m_defaultFont = 0;

    PictureReader m_picture;
    bool m_alternativeShown = false; // a \shppict or \nonshppict just closed

    Document m_doc;
    Paragraph m_paragraph;
    RowDefinitions m_rows;
    int m_tablesOpened = 0;
    TableBuilder m_tables;

    // A footnote is read as a body of its own while the paragraph it stands
    // in waits; the notes follow the text.
    std::vector<Block> m_notes;
    TableBuilder m_noteTables;
    TableBuilder* m_builder = &m_tables;
    Paragraph m_waiting;
    std::size_t m_noteDepth = 0; // the note's group on the stack; 0 outside one
    int m_notesBegun = 0;
    int m_firstNoteNumber = 1;
};

} // namespace Rtf
