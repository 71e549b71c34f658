#include "rtf/ControlWords.h"

#include <unordered_map>

namespace Rtf {
namespace {

constexpr std::size_t maxWordLength = 32;
constexpr char16_t lineSeparator = 0x2028;

const std::unordered_map<std::string_view, Word>& words()
{
    static const std::unordered_map<std::string_view, Word> table = [] {
        std::unordered_map<std::string_view, Word> all = {
            {"fonttbl", Word::FontTable},
            {"colortbl", Word::ColorTable},
            {"pict", Word::Picture},
            {"shppict", Word::PictureAlternative},
            {"nonshppict", Word::PictureAlternative},
            {"nesttableprops", Word::TableProperties},
            {"footnote", Word::Footnote},
            {"ftnstart", Word::FootnoteStart},
            {"chftn", Word::FootnoteMark},
            {"deff", Word::DefaultFont},
            {"deftab", Word::DefaultTab},
            {"ansi", Word::Ansi},
            {"mac", Word::Mac},
            {"pc", Word::Pc},
            {"pca", Word::Pca},
            {"ansicpg", Word::AnsiCodePage},
            {"f", Word::Font},
            {"fnil", Word::FontNil},
            {"fbidi", Word::FontNil},
            {"froman", Word::FontRoman},
            {"fswiss", Word::FontSwiss},
            {"fmodern", Word::FontModern},
            {"fscript", Word::FontScript},
            {"fdecor", Word::FontDecor},
            {"ftech", Word::FontTech},
            {"fcharset", Word::FontCharset},
            {"cpg", Word::FontCodePage},
            {"red", Word::Red},
            {"green", Word::Green},
            {"blue", Word::Blue},
            {"plain", Word::Plain},
            {"b", Word::Bold},
            {"i", Word::Italic},
            {"ulnone", Word::UnderlineNone},
            {"strike", Word::Strike},
            {"striked", Word::Strike},
            {"v", Word::Hidden},
            {"fs", Word::FontSize},
            {"cf", Word::Color},
            {"highlight", Word::Background},
            {"cb", Word::Background},
            {"chcbpat", Word::Background},
            {"super", Word::Super},
            {"sub", Word::Sub},
            {"nosupersub", Word::NoSuperSub},
            {"up", Word::Up},
            {"dn", Word::Down},
            {"uc", Word::UnicodeSkip},
            {"u", Word::Unicode},
            {"par", Word::Par},
            {"page", Word::Par},
            {"sect", Word::Par},
            {"pard", Word::Pard},
            {"ql", Word::AlignLeft},
            {"qc", Word::AlignCenter},
            {"qr", Word::AlignRight},
            {"qj", Word::AlignJustify},
            {"li", Word::LeftIndent},
            {"ri", Word::RightIndent},
            {"fi", Word::FirstIndent},
            {"sb", Word::SpaceBefore},
            {"sa", Word::SpaceAfter},
            {"sl", Word::LineSpacing},
            {"slmult", Word::LineMultiple},
            {"tx", Word::TabStop},
            {"intbl", Word::InTable},
            {"itap", Word::TableDepth},
            {"cell", Word::Cell},
            {"nestcell", Word::NestedCell},
            {"row", Word::Row},
            {"nestrow", Word::NestedRow},
            {"trowd", Word::RowDefaults},
            {"trleft", Word::RowLeft},
            {"trgaph", Word::RowGap},
            {"cellx", Word::CellRight},
            {"clbrdrt", Word::CellBorderTop},
            {"clbrdrl", Word::CellBorderLeft},
            {"clbrdrb", Word::CellBorderBottom},
            {"clbrdrr", Word::CellBorderRight},
            {"brdrnone", Word::BorderNone},
            {"brdrw", Word::BorderWidth},
            {"brdrcf", Word::BorderColor},
            {"clcbpat", Word::CellShading},
            {"clmrg", Word::CellMerge},
            {"clvmrg", Word::CellVerticalMerge},
            {"pngblip", Word::Png},
            {"jpegblip", Word::Jpeg},
            {"dibitmap", Word::Dib},
            {"emfblip", Word::Metafile},
            {"wmetafile", Word::Metafile},
            {"macpict", Word::Metafile},
            {"pmmetafile", Word::Metafile},
            {"wbitmap", Word::Metafile},
            {"picw", Word::PictureWidth},
            {"pich", Word::PictureHeight},
            {"picwgoal", Word::PictureGoalWidth},
            {"pichgoal", Word::PictureGoalHeight},
            {"picscalex", Word::PictureScaleX},
            {"picscaley", Word::PictureScaleY},
        };
        // Destinations whose text is not part of the body.
        for (std::string_view name :
             {"stylesheet", "info",         "object",     "header",    "headerl",
              "headerr",    "headerf",      "footer",     "footerl",   "footerr",
              "footerf",    "ftnsep",       "annotation", "listtable", "listoverridetable",
              "revtbl",     "rsidtbl",      "filetbl",    "fldinst",   "xe",
              "tc",         "txe",          "pn",         "author",    "operator",
              "title",      "subject",      "keywords",   "comment",   "doccomm",
              "company",    "creatim",      "revtim",     "printim",   "buptim",
              "template",   "nonesttables", "ftnsepc",    "ftncn",     "aftnsep",
              "aftnsepc",   "aftncn"})
            all.emplace(name, Word::SkippedDestination);
        for (std::string_view name :
             {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
              "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
              "ulwave"})
            all.emplace(name, Word::Underline);
        for (std::string_view name :
             {"brdrs",      "brdrth",      "brdrsh",      "brdrdb",     "brdrdot",    "brdrdash",
              "brdrhair",   "brdrdashsm",  "brdrdashd",   "brdrdashdd", "brdrtriple", "brdrinset",
              "brdroutset", "brdrengrave", "brdremboss",  "brdrwavy",   "brdrwavydb", "brdrframe",
              "brdrthtnsg", "brdrtnthsg",  "brdrtnthtnsg"})
            all.emplace(name, Word::BorderStyle);
        for (std::string_view name :
             {"brdrt", "brdrb", "brdrl", "brdrr", "brdrbtw", "brdrbar", "box", "trbrdrt", "trbrdrl",
              "trbrdrb", "trbrdrr", "trbrdrh", "trbrdrv"})
            all.emplace(name, Word::OtherBorder);
        return all;
    }();
    return table;
}

} // namespace

const Word* findWord(std::string_view name)
{
    if (name.size() > maxWordLength)
        return nullptr;
    const auto found = words().find(name);
    return found == words().end() ? nullptr : &found->second;
}

char16_t characterWord(std::string_view name)
{
    static const std::unordered_map<std::string_view, char16_t> table = {
        {"tab", u'\t'},        {"line", lineSeparator}, {"emdash", 0x2014},  {"endash", 0x2013},
        {"bullet", 0x2022},    {"lquote", 0x2018},      {"rquote", 0x2019},  {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"emspace", 0x2003},     {"enspace", 0x2002}, {"qmspace", 0x2005},
    };
    if (name.size() > maxWordLength)
        return 0;
    const auto found = table.find(name);
    return found == table.end() ? 0 : found->second;
}

} // namespace Rtf
