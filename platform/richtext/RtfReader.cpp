#include "platform/richtext/RtfReader.h"

#include "platform/CodePage.h"
#include "platform/richtext/RichText.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace {

constexpr int kMaxDepth = 512;        // deeper groups keep their text but change no format, and
                                      // destinations there are skipped whole
constexpr int kMaxWordLength = 32;
constexpr int kMaxFontHeight = 32760; // twips
constexpr int kPlainHeight = 240;     // \plain: RTF's own default size, 12 points
constexpr int kListLevels = 9;
constexpr int kMaxNumber = 32767;

enum class Dest {
    Text, FontTable, ColourTable, Skip, Pn, PnTextBefore, PnTextAfter, ListTable, List, ListLevel, LevelText,
    ListOverrideTable, ListOverride, ListText,
};

// What a control word does.
enum class Word {
    Bold, Italic, Underline, UnderlineNone, Strike, Hidden, Plain, Font, FontSize, Colour, Up, Down, Super, Sub,
    NoSuperSub, Par, Line, Tab, Pard, Left, Centre, Right, Justify, LeftIndent, FirstIndent,
    Unicode, UnicodeSkip, AnsiCodePage, Mac, Pc, Pca, DefaultFont, Charset, FontCodePage,
    Red, Green, Blue, FontTable, ColourTable, Pn, PnBullet, PnBody, PnCont, PnDec, PnLcLetter, PnUcLetter,
    PnLcRoman, PnUcRoman, PnStart, PnTextAfter, PnTextBefore, ListTable, List, ListLevel, LevelText,
    LevelFormat, LevelStart, ListId, ListOverrideTable, ListOverride, ListNumber, ListLevelNumber, ListText,
    NestedTableProps, UnicodePair, UnicodeText, SkipDest, Bin, Char,
};

struct WordEntry
{
    const char *name;
    Word word;
    char16_t c = 0; // for Word::Char
};

// The control words the reader acts on, and what each does.
constexpr WordEntry kWords[] = {
    {"b", Word::Bold}, {"i", Word::Italic}, {"ul", Word::Underline}, {"uld", Word::Underline},
    {"uldb", Word::Underline}, {"ulw", Word::Underline}, {"ulth", Word::Underline}, {"uldash", Word::Underline},
    {"ulwave", Word::Underline}, {"ulnone", Word::UnderlineNone}, {"strike", Word::Strike},
    {"striked", Word::Strike}, {"v", Word::Hidden}, {"plain", Word::Plain}, {"f", Word::Font},
    {"fs", Word::FontSize}, {"cf", Word::Colour}, {"up", Word::Up}, {"dn", Word::Down}, {"super", Word::Super},
    {"sub", Word::Sub}, {"nosupersub", Word::NoSuperSub},
    {"par", Word::Par}, {"page", Word::Par}, {"sect", Word::Par}, {"row", Word::Par}, {"nestrow", Word::Par},
    {"line", Word::Line}, {"tab", Word::Tab}, {"cell", Word::Tab}, {"nestcell", Word::Tab},
    {"pard", Word::Pard}, {"ql", Word::Left}, {"qc", Word::Centre}, {"qr", Word::Right}, {"qj", Word::Justify},
    {"li", Word::LeftIndent}, {"fi", Word::FirstIndent}, {"u", Word::Unicode}, {"uc", Word::UnicodeSkip},
    {"ansicpg", Word::AnsiCodePage}, {"mac", Word::Mac}, {"pc", Word::Pc}, {"pca", Word::Pca},
    {"deff", Word::DefaultFont}, {"fcharset", Word::Charset}, {"cpg", Word::FontCodePage},
    {"red", Word::Red}, {"green", Word::Green}, {"blue", Word::Blue}, {"fonttbl", Word::FontTable},
    {"colortbl", Word::ColourTable}, {"pn", Word::Pn}, {"pnlvlblt", Word::PnBullet},
    {"pnlvlbody", Word::PnBody}, {"pnlvlcont", Word::PnCont}, {"pndec", Word::PnDec},
    {"pnlcltr", Word::PnLcLetter}, {"pnucltr", Word::PnUcLetter}, {"pnlcrm", Word::PnLcRoman},
    {"pnucrm", Word::PnUcRoman}, {"pnstart", Word::PnStart}, {"pntxta", Word::PnTextAfter},
    {"pntxtb", Word::PnTextBefore}, {"bin", Word::Bin},
    {"listtable", Word::ListTable}, {"list", Word::List}, {"listlevel", Word::ListLevel},
    {"leveltext", Word::LevelText}, {"levelnfc", Word::LevelFormat}, {"levelnfcn", Word::LevelFormat},
    {"levelstartat", Word::LevelStart}, {"listid", Word::ListId}, {"listoverridetable", Word::ListOverrideTable},
    {"listoverride", Word::ListOverride}, {"ls", Word::ListNumber}, {"ilvl", Word::ListLevelNumber},
    {"listtext", Word::ListText}, {"nesttableprops", Word::NestedTableProps},
    {"upr", Word::UnicodePair}, {"ud", Word::UnicodeText},
    {"emdash", Word::Char, 0x2014}, {"endash", Word::Char, 0x2013}, {"bullet", Word::Char, 0x2022},
    {"lquote", Word::Char, 0x2018}, {"rquote", Word::Char, 0x2019}, {"ldblquote", Word::Char, 0x201C},
    {"rdblquote", Word::Char, 0x201D}, {"emspace", Word::Char, 0x2003}, {"enspace", Word::Char, 0x2002},
    {"qmspace", Word::Char, 0x2005}, {"zwj", Word::Char, 0x200D}, {"zwnj", Word::Char, 0x200C},
    {"ltrmark", Word::Char, 0x200E}, {"rtlmark", Word::Char, 0x200F},
    // Destinations whose content is not text of the document. The text of a nested table is read, so its
    // plain-paragraph stand-in is not.
    {"pntext", Word::SkipDest}, {"stylesheet", Word::SkipDest}, {"info", Word::SkipDest},
    {"pict", Word::SkipDest}, {"object", Word::SkipDest}, {"header", Word::SkipDest},
    {"headerl", Word::SkipDest}, {"headerr", Word::SkipDest}, {"headerf", Word::SkipDest},
    {"footer", Word::SkipDest}, {"footerl", Word::SkipDest}, {"footerr", Word::SkipDest},
    {"footerf", Word::SkipDest}, {"footnote", Word::SkipDest}, {"fldinst", Word::SkipDest},
    {"xe", Word::SkipDest}, {"tc", Word::SkipDest}, {"txe", Word::SkipDest}, {"rxe", Word::SkipDest},
    {"bkmkstart", Word::SkipDest}, {"bkmkend", Word::SkipDest}, {"revtbl", Word::SkipDest},
    {"rsidtbl", Word::SkipDest}, {"generator", Word::SkipDest}, {"themedata", Word::SkipDest},
    {"colorschememapping", Word::SkipDest}, {"latentstyles", Word::SkipDest}, {"datastore", Word::SkipDest},
    {"xmlnstbl", Word::SkipDest}, {"mmathPr", Word::SkipDest}, {"filetbl", Word::SkipDest},
    {"nonshppict", Word::SkipDest}, {"userprops", Word::SkipDest}, {"docvar", Word::SkipDest},
    {"template", Word::SkipDest}, {"annotation", Word::SkipDest}, {"atnid", Word::SkipDest},
    {"atnauthor", Word::SkipDest}, {"private", Word::SkipDest}, {"pgdsctbl", Word::SkipDest},
    {"listname", Word::SkipDest}, {"levelnumbers", Word::SkipDest}, {"lfolevel", Word::SkipDest},
    {"listpicture", Word::SkipDest}, {"nonesttables", Word::SkipDest},
};

// Destinations marked ignorable that the reader reads all the same.
constexpr Word kReadIgnorable[] = {Word::Pn, Word::ListTable, Word::ListOverrideTable, Word::NestedTableProps,
                                   Word::UnicodeText};

// The words that make their group a destination whose content is not the document's text. Past the depth
// limit, where no destination can be followed, a group holding one is skipped to its closing brace.
constexpr Word kDestinationWords[] = {
    Word::SkipDest, Word::FontTable,  Word::ColourTable,       Word::Pn,           Word::PnTextAfter,
    Word::PnTextBefore, Word::ListTable, Word::List,           Word::ListLevel,    Word::LevelText,
    Word::ListOverrideTable, Word::ListOverride, Word::ListText,
};

// The words that stand for text; past the depth limit they are the only ones read.
constexpr Word kTextWords[] = {Word::Par, Word::Line, Word::Tab, Word::Char, Word::Unicode};

// Font character sets and the code pages their bytes are in; 1 and sets not listed mean the document's code
// page.
constexpr std::pair<int, int> kCharsetCodePages[] = {
    {0, 1252},   {2, 1252},   {77, 10000}, {78, 10001}, {79, 10003}, {80, 10008}, {81, 10002}, {83, 10005},
    {84, 10004}, {85, 10006}, {86, 10081}, {87, 10021}, {88, 10029}, {89, 10007}, {128, 932},  {129, 949},
    {130, 1361}, {134, 936},  {136, 950},  {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
    {179, 1256}, {180, 1256}, {181, 1255}, {186, 1257}, {204, 1251}, {222, 874},  {238, 1250}, {254, 437},
    {255, 437},
};

// Word list number formats (\levelnfc) the rich text can show, and its numbering for each.
constexpr std::pair<int, int> kListFormats[] = {
    {0, PFN_ARABIC}, {1, PFN_UCROMAN}, {2, PFN_LCROMAN}, {3, PFN_UCLETTER}, {4, PFN_LCLETTER}, {23, PFN_BULLET},
};

// The text around a list number that the rich text's numbering styles show.
struct NumberStyle
{
    const char *before;
    const char *after;
    int style;
};

constexpr NumberStyle kNumberStyles[] = {
    {"", ".", PFNS_PERIOD}, {"", ")", PFNS_PAREN}, {"(", ")", PFNS_PARENS}, {"", "", PFNS_PLAIN},
};

const QHash<QString, const WordEntry *> &WordTable()
{
    static const QHash<QString, const WordEntry *> table = [] {
        QHash<QString, const WordEntry *> t;
        for (const WordEntry &e : kWords)
            t.insert(QLatin1String(e.name), &e);
        return t;
    }();
    return table;
}

template <size_t N>
bool OneOf(Word word, const Word (&words)[N])
{
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

template <size_t N>
int Lookup(int key, const std::pair<int, int> (&table)[N])
{
    for (const auto &[from, to] : table)
        if (from == key)
            return to;
    return 0;
}

// A list destination is read only inside the one it belongs to; anywhere else it is skipped.
Dest Inside(Dest current, Dest parent, Dest dest) { return current == parent ? dest : Dest::Skip; }

struct ParaState
{
    int alignment = PFA_LEFT;
    int left = 0;      // \li
    int firstLine = 0; // \fi
    bool leftSet = false;
    bool firstLineSet = false;
    int numbering = 0;
    int numberingStyle = PFNS_PAREN;
    int numberingStart = 0;
    int list = -1; // \ls: the list override; -1 none
    int level = 0; // \ilvl

    CParaFormat ToFormat() const
    {
        CParaFormat f;
        f.alignment = alignment;
        f.startIndent = std::max(0, left + firstLine);
        f.offset = -firstLine;
        f.numbering = numbering;
        f.numberingStyle = numberingStyle;
        f.numberingStart = numberingStart;
        return f;
    }
};

struct State
{
    Dest dest = Dest::Text;
    CCharFormat format;
    int font = -1;
    int unicodeSkip = 1;
    ParaState para;
};

struct FontEntry
{
    QString name;
    int codePage = 0; // 0: the document's
};

struct TextRun
{
    QString text;
    CCharFormat format;
};

void AppendChar(std::vector<TextRun> &runs, QChar c, const CCharFormat &format)
{
    if (runs.empty() || !runs.back().format.SameValues(format))
        runs.push_back({QString(), format});
    runs.back().text += c;
}

// One level of a Word list: its number format, first number, number text and indents.
struct ListLevel
{
    int format = 0;
    int start = 1;
    QString text; // its length as the first character; characters 0 to 8 stand for the numbers of levels
    int left = 0;
    int firstLine = 0;
};

// The bullet or numbering of the rich text that shows a list level; numbering 0 when it cannot be shown.
struct ListMarker
{
    int numbering = 0;
    int style = PFNS_PLAIN;
};

// The rich text numbers a paragraph with one number of its own level between fixed texts; a level that shows
// the numbers of other levels ("1.2"), another number format or other texts around the number cannot be.
ListMarker MarkerOf(const ListLevel &level, int ilvl)
{
    const int numbering = Lookup(level.format, kListFormats);
    if (numbering == PFN_BULLET || numbering == 0)
        return {numbering, PFNS_PLAIN};
    if (level.text.isEmpty())
        return {};
    const QString shown = level.text.mid(1, level.text[0].unicode());
    int at = -1;
    for (int i = 0; i < shown.size(); ++i) {
        if (shown[i].unicode() >= kListLevels)
            continue;
        if (at >= 0)
            return {};
        at = i;
    }
    if (at < 0 || shown[at].unicode() != ilvl)
        return {};
    for (const NumberStyle &s : kNumberStyles)
        if (shown.left(at) == QLatin1String(s.before) && shown.mid(at + 1) == QLatin1String(s.after))
            return {numbering, s.style};
    return {};
}

class Parser
{
public:
    Parser(const QString &in, bool bytes, const CCharFormat &defaultFormat)
        : m_in(in), m_bytes(bytes), m_default(defaultFormat)
    {
    }

    // Reads from the document's opening brace to the brace that closes it; what follows (a second document,
    // the NUL that some editors write after it, junk) is not part of it.
    void Run(CRichText &document)
    {
        State initial;
        initial.format = m_default;
        m_stack.push_back(initial);
        const int length = int(m_in.size());
        int i = int(m_in.indexOf(u'{'));
        while (i >= 0 && i < length && !m_finished)
            i = Step(i);
        FlushBytes();
        FlushSurrogate();
        if (!m_finished) // unbalanced: what was read stands
            m_finalPara = m_stack.back().para;
        Build(document);
    }

private:
    State &Top() { return m_stack.back(); }

    int Step(int i)
    {
        const QChar c = m_in[i];
        if (c == u'{') {
            OpenGroup();
            return i + 1;
        }
        if (c == u'}') {
            CloseGroup();
            return i + 1;
        }
        if (c == u'\\')
            return Control(i + 1);
        if (c == u'\r' || c == u'\n' || SkippingDeepGroup())
            return i + 1;
        m_atGroupStart = false;
        if (m_skip > 0) {
            --m_skip;
            return i + 1;
        }
        // A plain character after a lead byte is the trail byte of a double-byte character.
        if ((m_bytes && c.unicode() >= 0x80) || (m_leadPending && c.unicode() < 0x80))
            AddByte(char(c.unicode()));
        else
            AddChar(c);
        return i + 1;
    }

    // Groups past the depth limit are only counted: they cannot change a format, so closing them has
    // nothing to restore.
    void OpenGroup()
    {
        FlushBytes();
        FlushSurrogate();
        m_skip = 0;
        m_atGroupStart = true;
        if (m_stack.size() >= size_t(kMaxDepth) || m_extraDepth > 0) {
            ++m_extraDepth;
            return;
        }
        State copy = Top();
        m_stack.push_back(std::move(copy));
    }

    void CloseGroup()
    {
        FlushBytes();
        FlushSurrogate();
        m_skip = 0;
        m_atGroupStart = false;
        if (m_extraDepth > 0) {
            if (m_deepSkip == m_extraDepth)
                m_deepSkip = 0;
            --m_extraDepth;
        } else {
            EndGroup();
        }
    }

    // Past the depth limit a destination cannot be followed, so its whole group is passed over: picture
    // data, font names and the tags of HTML mail would otherwise read as text.
    bool SkippingDeepGroup() const { return m_deepSkip > 0; }

    void SkipDeepGroup()
    {
        if (m_extraDepth > 0 && !SkippingDeepGroup())
            m_deepSkip = m_extraDepth;
    }

    int Control(int i)
    {
        const int length = int(m_in.size());
        if (i >= length)
            return i;
        const QChar c = m_in[i];
        if (c == u'\'') {
            m_atGroupStart = false;
            int value = 0;
            int j = i + 1;
            for (; j < i + 3 && j < length && HexValue(m_in[j]) >= 0; ++j)
                value = value * 16 + HexValue(m_in[j]);
            if (SkippingDeepGroup())
                return j;
            if (m_skip > 0)
                --m_skip;
            else if (j > i + 1) // an escape without hex digits stands for nothing
                AddByte(char(value));
            return j;
        }
        if (!IsAsciiLetter(c)) {
            ControlSymbol(c);
            return i + 1;
        }
        int j = i;
        while (j < length && j - i < kMaxWordLength && IsAsciiLetter(m_in[j]))
            ++j;
        const QString word = m_in.mid(i, j - i);
        while (j < length && IsAsciiLetter(m_in[j])) // an overlong word is dropped whole
            ++j;
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (j < length && m_in[j] == u'-' && j + 1 < length && m_in[j + 1].isDigit()) {
            negative = true;
            ++j;
        }
        for (int digits = 0; j < length && m_in[j].unicode() >= u'0' && m_in[j].unicode() <= u'9'; ++j, ++digits) {
            hasParam = true;
            if (digits < 10)
                param = param * 10 + (m_in[j].unicode() - u'0');
        }
        if (j < length && m_in[j] == u' ')
            ++j;
        param = std::clamp(negative ? -param : param, -2147483647LL, 2147483647LL);
        FlushBytes();
        const bool ignorable = m_ignorable;
        m_ignorable = false;
        m_atGroupStart = false;
        if (word == QLatin1String("bin") && hasParam && param > 0)
            return int(std::min<long long>(length, j + param));
        if (SkippingDeepGroup())
            return j;
        if (m_skip > 0) {
            --m_skip;
            return j;
        }
        Keyword(word, hasParam, int(param), ignorable);
        if (word == QLatin1String("upr") && m_extraDepth == 0)
            return PassAnsiOfUnicodePair(j);
        return j;
    }

    // \upr holds one text twice: in the code page first, then as Unicode in a {\*\ud ...} group. Where the
    // Unicode group follows, the code-page group is passed over and the Unicode one read in its place.
    int PassAnsiOfUnicodePair(int i) const
    {
        const int open = SkipBlanks(i);
        if (open >= int(m_in.size()) || m_in[open] != u'{')
            return i;
        const int end = GroupEnd(open);
        if (end < 0)
            return i;
        const int next = SkipBlanks(end);
        static const QLatin1String kUnicodeGroup("{\\*\\ud");
        if (!QStringView(m_in).mid(next).startsWith(kUnicodeGroup))
            return i;
        const int after = next + int(kUnicodeGroup.size());
        if (after < int(m_in.size()) && IsAsciiLetter(m_in[after]))
            return i;
        return end;
    }

    int SkipBlanks(int i) const
    {
        while (i < int(m_in.size()) && (m_in[i] == u' ' || m_in[i] == u'\r' || m_in[i] == u'\n'))
            ++i;
        return i;
    }

    // The position after the brace that closes the group opened at open; -1 when it is never closed.
    int GroupEnd(int open) const
    {
        const int length = int(m_in.size());
        int depth = 0;
        for (int i = open; i < length; ++i) {
            const QChar c = m_in[i];
            if (c == u'\\') {
                i = PastBinaryData(i + 1);
                continue;
            }
            if (c == u'{')
                ++depth;
            else if (c == u'}' && --depth == 0)
                return i + 1;
        }
        return -1;
    }

    // After a backslash: the last position of the escape when it is \binN and its data, else the position
    // of the escaped character itself.
    int PastBinaryData(int i) const
    {
        const int length = int(m_in.size());
        if (!QStringView(m_in).mid(i).startsWith(QLatin1String("bin")))
            return i;
        int j = i + 3;
        long long count = 0;
        for (; j < length && m_in[j].unicode() >= u'0' && m_in[j].unicode() <= u'9'; ++j)
            count = std::min<long long>(count * 10 + (m_in[j].unicode() - u'0'), length);
        if (j < length && m_in[j] == u' ')
            ++j;
        return int(std::min<long long>(length, j + count)) - 1;
    }

    // \* marks the group as ignorable only as the group's first word; elsewhere it stands for nothing.
    void ControlSymbol(QChar c)
    {
        if (c == u'*') {
            m_ignorable = m_atGroupStart && m_extraDepth == 0;
            if (m_atGroupStart)
                SkipDeepGroup();
            return;
        }
        m_atGroupStart = false;
        if (SkippingDeepGroup())
            return;
        if (m_leadPending && m_skip == 0 && (c == u'\\' || c == u'{' || c == u'}')) {
            AddByte(char(c.unicode())); // the trail byte of a double-byte character, escaped
            return;
        }
        FlushBytes();
        if (m_skip > 0) {
            --m_skip;
            return;
        }
        Symbol(c);
    }

    static int HexValue(QChar c)
    {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return u - u'0';
        if (u >= u'a' && u <= u'f')
            return u - u'a' + 10;
        if (u >= u'A' && u <= u'F')
            return u - u'A' + 10;
        return -1;
    }

    static bool IsAsciiLetter(QChar c)
    {
        const char16_t u = c.unicode();
        return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
    }

    void Symbol(QChar c)
    {
        switch (c.unicode()) {
        case u'\\':
        case u'{':
        case u'}':
            AddChar(c);
            break;
        case u'~':
            AddChar(QChar(0x00A0));
            break;
        case u'_':
            AddChar(QChar(0x2011));
            break;
        case u'\r':
        case u'\n':
            if (Top().dest == Dest::Text)
                EndParagraph();
            break;
        case u'\t':
            AddChar(u'\t');
            break;
        default: // \- optional hyphen, \| and \: index marks
            break;
        }
    }

    void Keyword(const QString &name, bool hasParam, int param, bool ignorable)
    {
        State &s = Top();
        const auto it = WordTable().constFind(name);
        if (it == WordTable().constEnd()) {
            if (ignorable)
                s.dest = Dest::Skip;
            return;
        }
        const WordEntry &entry = **it;
        if (s.dest == Dest::Skip)
            return;
        if (m_extraDepth > 0 && OneOf(entry.word, kDestinationWords))
            SkipDeepGroup();
        if (m_extraDepth > 0 && !OneOf(entry.word, kTextWords))
            return;
        if (ignorable && !OneOf(entry.word, kReadIgnorable)) {
            s.dest = Dest::Skip;
            return;
        }
        if (CharacterWord(s, entry, hasParam, param) || ParagraphWord(s, entry.word, hasParam, param) ||
            TableWord(s, entry.word, param) || NumberingWord(s, entry.word, param) || ListWord(s, entry.word, param))
            return;
        if (entry.word == Word::SkipDest)
            s.dest = Dest::Skip;
    }

    bool CharacterWord(State &s, const WordEntry &entry, bool hasParam, int param)
    {
        const bool on = !hasParam || param != 0;
        CCharFormat &f = s.format;
        switch (entry.word) {
        case Word::Bold: f.SetEffect(CFE_BOLD, on); break;
        case Word::Italic: f.SetEffect(CFE_ITALIC, on); break;
        case Word::Underline: f.SetEffect(CFE_UNDERLINE, on); break;
        case Word::UnderlineNone: f.SetEffect(CFE_UNDERLINE, false); break;
        case Word::Strike: f.SetEffect(CFE_STRIKEOUT, on); break;
        case Word::Hidden: f.SetEffect(CFE_HIDDEN, on); break;
        case Word::Plain: f = PlainFormat(); s.font = m_defaultFont; break;
        case Word::Font:
            if (s.dest == Dest::FontTable) {
                CommitFont();
                m_fontNumber = param;
            } else if (m_fonts.count(param)) {
                s.font = param;
                f.face = m_fonts[param].name;
            }
            break;
        case Word::FontSize: f.height = HalfPoints(hasParam ? param : 24, 1); break;
        case Word::Colour: SetColour(f, hasParam ? param : 0); break;
        case Word::Up: f.offset = HalfPoints(hasParam ? param : 6, -kMaxFontHeight / 10); break;
        case Word::Down: f.offset = -HalfPoints(hasParam ? param : 6, -kMaxFontHeight / 10); break;
        case Word::Super: f.offset = HalfPoints(6, 0); break;
        case Word::Sub: f.offset = -HalfPoints(6, 0); break;
        case Word::NoSuperSub: f.offset = 0; break;
        case Word::Unicode:
            AddUnicode(char16_t(param < 0 ? param + 65536 : param));
            m_skip = s.unicodeSkip;
            break;
        case Word::UnicodeSkip: s.unicodeSkip = std::clamp(hasParam ? param : 1, 0, 16); break;
        case Word::Char: AddChar(QChar(entry.c)); break;
        case Word::Line: AddChar(CRichText::kLineBreak); break;
        case Word::Tab: AddChar(u'\t'); break;
        default: return false;
        }
        return true;
    }

    bool ParagraphWord(State &s, Word word, bool hasParam, int param)
    {
        ParaState &p = s.para;
        switch (word) {
        case Word::Par:
            if (s.dest == Dest::Text)
                EndParagraph();
            break;
        case Word::Pard: p = ParaState(); break;
        case Word::Left: p.alignment = PFA_LEFT; break;
        case Word::Centre: p.alignment = PFA_CENTER; break;
        case Word::Right: p.alignment = PFA_RIGHT; break;
        case Word::Justify: p.alignment = PFA_JUSTIFY; break;
        case Word::LeftIndent: SetIndent(s.dest, m_level.left, p.left, p.leftSet, param); break;
        case Word::FirstIndent: SetIndent(s.dest, m_level.firstLine, p.firstLine, p.firstLineSet, param); break;
        case Word::ListNumber:
            if (s.dest == Dest::ListOverride)
                m_override.second = param;
            else
                p.list = param;
            break;
        case Word::ListLevelNumber: p.level = std::clamp(hasParam ? param : 0, 0, kListLevels - 1); break;
        default: return false;
        }
        return true;
    }

    bool TableWord(State &s, Word word, int param)
    {
        switch (word) {
        case Word::AnsiCodePage:
            if (param > 0)
                m_codePage = param;
            break;
        case Word::Mac: m_codePage = 10000; break;
        case Word::Pc: m_codePage = 437; break;
        case Word::Pca: m_codePage = 850; break;
        case Word::DefaultFont: m_defaultFont = param; break;
        case Word::Charset:
            if (s.dest == Dest::FontTable)
                m_fontCodePage = Lookup(param, kCharsetCodePages);
            break;
        case Word::FontCodePage:
            if (s.dest == Dest::FontTable && param > 0)
                m_fontCodePage = param;
            break;
        case Word::Red: SetColourPart(0, param); break;
        case Word::Green: SetColourPart(8, param); break;
        case Word::Blue: SetColourPart(16, param); break;
        case Word::FontTable: s.dest = Dest::FontTable; break;
        case Word::ColourTable: s.dest = Dest::ColourTable; break;
        case Word::NestedTableProps: break; // its text is the document's
        case Word::UnicodePair:
        case Word::UnicodeText: break;     // their text is read where they stand
        default: return false;
        }
        return true;
    }

    bool NumberingWord(State &s, Word word, int param)
    {
        switch (word) {
        case Word::Pn:
            s.dest = Dest::Pn;
            m_pn = Numbering();
            break;
        case Word::PnBullet: m_pn.type = PFN_BULLET; break;
        case Word::PnBody:
            if (m_pn.type == 0)
                m_pn.type = PFN_ARABIC;
            break;
        case Word::PnCont: m_pn.continued = true; break;
        case Word::PnDec: m_pn.type = PFN_ARABIC; break;
        case Word::PnLcLetter: m_pn.type = PFN_LCLETTER; break;
        case Word::PnUcLetter: m_pn.type = PFN_UCLETTER; break;
        case Word::PnLcRoman: m_pn.type = PFN_LCROMAN; break;
        case Word::PnUcRoman: m_pn.type = PFN_UCROMAN; break;
        case Word::PnStart: m_pn.start = std::clamp(param, 0, kMaxNumber); break;
        case Word::PnTextAfter: s.dest = Dest::PnTextAfter; break;
        case Word::PnTextBefore: s.dest = Dest::PnTextBefore; break;
        default: return false;
        }
        return true;
    }

    // The list table and the list-override table, and the list text before each list paragraph.
    bool ListWord(State &s, Word word, int param)
    {
        switch (word) {
        case Word::ListTable: s.dest = Dest::ListTable; break;
        case Word::List:
            s.dest = Inside(s.dest, Dest::ListTable, Dest::List);
            m_listLevels.clear();
            m_listId = 0;
            break;
        case Word::ListLevel:
            s.dest = Inside(s.dest, Dest::List, Dest::ListLevel);
            m_level = ListLevel();
            break;
        case Word::LevelText:
            s.dest = Inside(s.dest, Dest::ListLevel, Dest::LevelText);
            m_levelText.clear();
            break;
        case Word::LevelFormat:
            if (s.dest == Dest::ListLevel)
                m_level.format = param;
            break;
        case Word::LevelStart:
            if (s.dest == Dest::ListLevel)
                m_level.start = std::clamp(param, 0, kMaxNumber);
            break;
        case Word::ListId:
            if (s.dest == Dest::List)
                m_listId = param;
            else if (s.dest == Dest::ListOverride)
                m_override.first = param;
            break;
        case Word::ListOverrideTable: s.dest = Dest::ListOverrideTable; break;
        case Word::ListOverride:
            s.dest = Inside(s.dest, Dest::ListOverrideTable, Dest::ListOverride);
            m_override = {0, -1};
            break;
        case Word::ListText: s.dest = Inside(s.dest, Dest::Text, Dest::ListText); break;
        default: return false;
        }
        return true;
    }

    // An indent inside a list level is the level's; elsewhere it is the paragraph's own, which wins over
    // the indent of its list level.
    static void SetIndent(Dest dest, int &levelIndent, int &paraIndent, bool &paraSet, int value)
    {
        value = std::clamp(value, -31680, 31680);
        if (dest == Dest::ListLevel) {
            levelIndent = value;
            return;
        }
        paraIndent = value;
        paraSet = true;
    }

    // Half points to twips, bounded before multiplying so that no parameter can overflow.
    static int HalfPoints(int value, int lowest) { return std::clamp(value, lowest, kMaxFontHeight / 10) * 10; }

    // \plain: the default font at RTF's own default size, no effects, no raise, the automatic colour.
    CCharFormat PlainFormat() const
    {
        CCharFormat f = m_default;
        f.effects = CFE_AUTOCOLOR;
        f.offset = 0;
        f.height = kPlainHeight;
        const auto it = m_fonts.find(m_defaultFont);
        if (it != m_fonts.end())
            f.face = it->second.name;
        return f;
    }

    void SetColour(CCharFormat &f, int index)
    {
        if (index <= 0 || index >= int(m_colours.size()) || !m_colours[size_t(index)].second) {
            f.SetEffect(CFE_AUTOCOLOR, true);
            f.colour = 0;
            return;
        }
        f.SetEffect(CFE_AUTOCOLOR, false);
        f.colour = m_colours[size_t(index)].first;
    }

    void SetColourPart(int shift, int value)
    {
        m_colour = (m_colour & ~(0xFFu << shift)) | uint32_t(std::clamp(value, 0, 255)) << shift;
        m_colourSet = true;
    }

    void CommitFont()
    {
        FlushBytes();
        if (m_fontNumber >= 0 && !m_fontName.trimmed().isEmpty() && !m_fonts.count(m_fontNumber))
            m_fonts[m_fontNumber] = FontEntry{m_fontName.trimmed(), m_fontCodePage};
        m_fontName.clear();
        m_fontCodePage = 0;
    }

    // Closing the document's own group ends the text.
    void EndGroup()
    {
        const State closing = Top();
        if (closing.dest == Dest::FontTable)
            CommitFont();
        m_stack.pop_back();
        State &parent = Top();
        if (closing.dest != parent.dest)
            EndDestination(closing.dest, parent);
        if (m_stack.size() == 1) {
            m_finalPara = closing.para;
            m_finished = true;
        }
    }

    void EndDestination(Dest dest, State &parent)
    {
        switch (dest) {
        case Dest::FontTable: {
            // Text before the font table was known takes the default font now.
            const auto it = m_fonts.find(m_defaultFont);
            if (it != m_fonts.end() && parent.font < 0)
                parent.format.face = it->second.name;
            break;
        }
        case Dest::Pn: ApplyNumbering(parent.para); break;
        case Dest::LevelText: m_level.text = m_levelText; break;
        case Dest::ListLevel:
            if (m_listLevels.size() < size_t(kListLevels))
                m_listLevels.push_back(m_level);
            break;
        case Dest::List: m_lists[m_listId] = m_listLevels; break;
        case Dest::ListOverride: m_overrides[m_override.second] = m_override.first; break;
        default: break;
        }
    }

    // A list paragraph continued without a number of its own carries the "no number" style.
    void ApplyNumbering(ParaState &para) const
    {
        para.numbering = m_pn.type != 0 ? m_pn.type : PFN_BULLET;
        para.numberingStart = m_pn.start;
        if (m_pn.continued)
            para.numberingStyle = PFNS_NONUMBER;
        else if (m_pn.after.startsWith(u')'))
            para.numberingStyle = m_pn.before.startsWith(u'(') ? PFNS_PARENS : PFNS_PAREN;
        else if (m_pn.after.startsWith(u'.'))
            para.numberingStyle = PFNS_PERIOD;
        else
            para.numberingStyle = PFNS_PLAIN;
    }

    const ListLevel *LevelOf(const ParaState &para) const
    {
        const auto o = m_overrides.find(para.list);
        if (o == m_overrides.end())
            return nullptr;
        const auto l = m_lists.find(o->second);
        if (l == m_lists.end() || para.level >= int(l->second.size()))
            return nullptr;
        return &l->second[size_t(para.level)];
    }

    bool ShowsItsOwnMarker(const ParaState &para) const
    {
        const ListLevel *level = LevelOf(para);
        return para.numbering != 0 || (level && MarkerOf(*level, para.level).numbering != 0);
    }

    // The number a list paragraph carries: numbering goes on through the list, and a level starts again
    // after a paragraph of a level above it.
    int Count(const ParaState &para, const ListLevel &level)
    {
        const int list = m_overrides.at(para.list);
        const auto key = std::make_pair(list, para.level);
        const auto it = m_counters.find(key);
        const int number = it == m_counters.end() ? level.start : std::min(it->second + 1, kMaxNumber);
        m_counters[key] = number;
        m_counters.erase(m_counters.upper_bound(key), m_counters.lower_bound(std::make_pair(list, kListLevels)));
        return number;
    }

    // The paragraph's format at its end: a Word list paragraph gets the bullet or numbering that shows its
    // marker, and the indents of its list level unless it has its own.
    CParaFormat FinishParagraph(const ParaState &para)
    {
        ParaState p = para;
        ListMarker marker;
        int number = 0;
        if (const ListLevel *level = LevelOf(para)) {
            if (!p.leftSet)
                p.left = level->left;
            if (!p.firstLineSet)
                p.firstLine = level->firstLine;
            number = Count(para, *level);
            marker = MarkerOf(*level, para.level);
        }
        CParaFormat f = p.ToFormat();
        if (marker.numbering != 0) {
            f.numbering = marker.numbering;
            f.numberingStyle = marker.style;
            f.numberingStart = marker.numbering == PFN_BULLET ? 1 : number;
            if (marker.numbering != PFN_BULLET)
                ContinueNumbering(f, number);
        }
        m_shownNumber = ShownNumber(f);
        return f;
    }

    // The rich text numbers on through paragraphs of the same format: a list paragraph whose number follows
    // the one shown before it takes that paragraph's format, start included.
    void ContinueNumbering(CParaFormat &f, int number) const
    {
        if (m_paras.empty() || m_shownNumber + 1 != number)
            return;
        CParaFormat continued = f;
        continued.numberingStart = m_paras.back().numberingStart;
        if (continued.SameValues(m_paras.back()))
            f = continued;
    }

    int ShownNumber(const CParaFormat &f) const
    {
        if (m_paras.empty() || f.numbering == 0 || !f.SameValues(m_paras.back()))
            return f.numberingStart;
        return m_shownNumber + 1;
    }

    int CurrentCodePage()
    {
        const State &s = Top();
        if (s.dest == Dest::FontTable)
            return m_fontCodePage > 0 ? m_fontCodePage : m_codePage;
        // Text before any \f is in the default font.
        const auto it = m_fonts.find(s.font >= 0 ? s.font : m_defaultFont);
        if (it != m_fonts.end() && it->second.codePage > 0)
            return it->second.codePage;
        return m_codePage;
    }

    void AddByte(char byte)
    {
        const int codePage = CurrentCodePage();
        if (!m_pendingBytes.isEmpty() && m_pendingCodePage != codePage)
            FlushBytes();
        m_pendingCodePage = codePage;
        m_pendingBytes.append(byte);
        m_leadPending = !m_leadPending && CCodePage::IsLeadByte(codePage, uint8_t(byte));
    }

    void FlushBytes()
    {
        m_leadPending = false;
        if (m_pendingBytes.isEmpty())
            return;
        const QByteArray bytes = m_pendingBytes;
        m_pendingBytes.clear();
        const QString text = CCodePage::ToUnicode(bytes, m_pendingCodePage);
        for (QChar c : text)
            AddChar(c);
    }

    // A character outside the Basic Multilingual Plane comes as two \u escapes; either half alone is no
    // character and is read as the replacement character, so that it is never written back.
    void AddUnicode(char16_t u)
    {
        if (QChar::isLowSurrogate(u) && m_highSurrogate != 0) {
            AddChar(QChar(std::exchange(m_highSurrogate, 0)));
            AddChar(QChar(u));
            return;
        }
        FlushSurrogate();
        if (QChar::isHighSurrogate(u))
            m_highSurrogate = u;
        else
            AddChar(QChar::isLowSurrogate(u) ? QChar(QChar::ReplacementCharacter) : QChar(u));
    }

    void FlushSurrogate()
    {
        if (m_highSurrogate != 0) {
            m_highSurrogate = 0;
            AddChar(QChar(QChar::ReplacementCharacter));
        }
    }

    void AddChar(QChar c)
    {
        if (!m_pendingBytes.isEmpty())
            FlushBytes();
        FlushSurrogate();
        State &s = Top();
        switch (s.dest) {
        case Dest::Text:
            // Paragraph ends come only from \par: a stray CR or LF would break the paragraph count.
            if (c == u'\r' || c == u'\n')
                return;
            EmitListText(s.para);
            AddText(c, s.format);
            break;
        case Dest::ListText:
            if (c != u'\r' && c != u'\n')
                AppendChar(m_listText, c, s.format);
            break;
        case Dest::LevelText: m_levelText += c; break;
        case Dest::FontTable:
            if (c == u';')
                CommitFont();
            else
                m_fontName += c;
            break;
        case Dest::ColourTable:
            if (c == u';') {
                m_colours.emplace_back(m_colour, m_colourSet);
                m_colour = 0;
                m_colourSet = false;
            }
            break;
        case Dest::PnTextAfter: m_pn.after += c; break;
        case Dest::PnTextBefore: m_pn.before += c; break;
        default: break;
        }
    }

    // The text gathers in one buffer, reserved once for as many characters as the source has; each run
    // keeps where it starts.
    void AddText(QChar c, const CCharFormat &format)
    {
        if (m_runs.empty() || !m_runs.back().format.SameValues(format)) {
            if (m_runs.empty())
                m_text.reserve(m_in.size());
            m_runs.push_back({m_text.size(), format});
        }
        m_text += c;
        m_paragraphHasText = true;
    }

    // The list text stands in for a marker the rich text cannot show; a paragraph that shows its own marker
    // drops it.
    void EmitListText(const ParaState &para)
    {
        if (m_listText.empty())
            return;
        const std::vector<TextRun> runs = std::exchange(m_listText, {});
        if (ShowsItsOwnMarker(para))
            return;
        for (const TextRun &run : runs)
            for (QChar c : run.text)
                AddText(c, run.format);
    }

    void EndParagraph()
    {
        FlushSurrogate();
        EmitListText(Top().para);
        AddText(CRichText::kParagraphEnd, Top().format);
        m_paras.push_back(FinishParagraph(Top().para));
        m_paragraphHasText = false;
    }

    // The last paragraph end, when nothing follows it, is the text's own final mark: it ends the text and
    // gives the last paragraph its format.
    void Build(CRichText &document)
    {
        EmitListText(m_finalPara);
        if (!m_paragraphHasText && !m_paras.empty())
            m_text.chop(1);
        else
            m_paras.push_back(FinishParagraph(m_finalPara));
        for (size_t r = 0; r < m_runs.size(); ++r) {
            const qsizetype start = std::min(m_runs[r].start, m_text.size());
            const qsizetype end = r + 1 < m_runs.size() ? m_runs[r + 1].start : m_text.size();
            document.AppendRaw(QStringView(m_text).sliced(start, end - start), m_runs[r].format);
        }
        for (size_t p = 0; p < m_paras.size(); ++p)
            document.SetParagraphFormatRaw(int(p), m_paras[p]);
    }

    struct Numbering
    {
        int type = 0;
        bool continued = false;
        int start = 0;
        QString before;
        QString after;
    };

    const QString &m_in;
    const bool m_bytes;
    const CCharFormat m_default;
    std::vector<State> m_stack;
    int m_extraDepth = 0;
    int m_deepSkip = 0; // the depth past the limit of the destination group being passed over; 0 none
    bool m_finished = false;
    bool m_atGroupStart = false;
    bool m_ignorable = false;
    int m_skip = 0;
    int m_codePage = CCodePage::kAnsi;
    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    int m_fontNumber = -1;
    int m_fontCodePage = 0;
    QString m_fontName;
    std::vector<std::pair<uint32_t, bool>> m_colours;
    uint32_t m_colour = 0;
    bool m_colourSet = false;
    Numbering m_pn;
    // Lists: the levels of each list by its id, the list of each override by its number, the numbers
    // counted so far by list and level, and the list being read.
    std::map<int, std::vector<ListLevel>> m_lists;
    std::map<int, int> m_overrides;
    std::map<std::pair<int, int>, int> m_counters;
    std::vector<ListLevel> m_listLevels;
    int m_listId = 0;
    ListLevel m_level;
    QString m_levelText;
    std::pair<int, int> m_override{0, -1}; // list id, override number
    std::vector<TextRun> m_listText;
    int m_shownNumber = 0;
    QByteArray m_pendingBytes;
    int m_pendingCodePage = CCodePage::kAnsi;
    bool m_leadPending = false;
    char16_t m_highSurrogate = 0; // the first half of a \u pair, waiting for its second
    struct RunStart
    {
        qsizetype start;
        CCharFormat format;
    };
    std::vector<RunStart> m_runs;
    QString m_text;
    std::vector<CParaFormat> m_paras;
    bool m_paragraphHasText = false;
    ParaState m_finalPara;
};

bool LooksLikeRtf(const QString &text)
{
    return text.trimmed().startsWith(QLatin1String("{\\rtf"));
}

void ReadPlain(const QString &text, CRichText &document)
{
    document.SetSel(0, -1);
    document.ReplaceSel(text);
    document.SetSel(0, 0);
}

} // namespace

void CRtfReader::Read(const QString &rtf, CRichText &document)
{
    if (!LooksLikeRtf(rtf)) {
        ReadPlain(rtf, document);
        return;
    }
    Parser(rtf, false, document.GetDefaultCharFormat()).Run(document);
    document.SetRtfSource(rtf);
}

void CRtfReader::ReadBytes(const QByteArray &rtf, CRichText &document)
{
    const QString text = QString::fromLatin1(rtf);
    if (!LooksLikeRtf(text)) {
        ReadPlain(CCodePage::ToUnicode(rtf), document);
        return;
    }
    Parser(text, true, document.GetDefaultCharFormat()).Run(document);
    // Only 7-bit RTF is the same text as a string; other bytes are written afresh.
    const bool sevenBit = std::all_of(rtf.begin(), rtf.end(), [](char b) { return uint8_t(b) < 0x80; });
    if (sevenBit)
        document.SetRtfSource(text);
}
