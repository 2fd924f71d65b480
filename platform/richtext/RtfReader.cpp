#include "platform/richtext/RtfReader.h"

#include "platform/CodePage.h"
#include "platform/richtext/RichText.h"

#include <QHash>

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int kMaxDepth = 512;       // deeper groups are read as skipped text
constexpr int kMaxWordLength = 32;
constexpr int kMaxFontHeight = 32760; // twips

enum class Dest { Text, FontTable, ColourTable, Skip, Pn, PnTextBefore, PnTextAfter };

// What a control word does.
enum class Word {
    Bold, Italic, Underline, UnderlineNone, Strike, Hidden, Plain, Font, FontSize, Colour, Up, Down,
    Par, Line, Tab, Pard, Left, Centre, Right, Justify, LeftIndent, FirstIndent,
    Unicode, UnicodeSkip, AnsiCodePage, Mac, Pc, Pca, DefaultFont, Charset, FontCodePage,
    Red, Green, Blue, FontTable, ColourTable, Pn, PnBullet, PnBody, PnCont, PnDec, PnLcLetter, PnUcLetter,
    PnLcRoman, PnUcRoman, PnStart, PnTextAfter, PnTextBefore, SkipDest, Bin, Char,
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
    {"fs", Word::FontSize}, {"cf", Word::Colour}, {"up", Word::Up}, {"dn", Word::Down},
    {"par", Word::Par}, {"page", Word::Par}, {"row", Word::Par}, {"line", Word::Line}, {"tab", Word::Tab},
    {"cell", Word::Tab}, {"nestcell", Word::Tab}, {"pard", Word::Pard}, {"ql", Word::Left},
    {"qc", Word::Centre}, {"qr", Word::Right}, {"qj", Word::Justify}, {"li", Word::LeftIndent},
    {"fi", Word::FirstIndent}, {"u", Word::Unicode}, {"uc", Word::UnicodeSkip},
    {"ansicpg", Word::AnsiCodePage}, {"mac", Word::Mac}, {"pc", Word::Pc}, {"pca", Word::Pca},
    {"deff", Word::DefaultFont}, {"fcharset", Word::Charset}, {"cpg", Word::FontCodePage},
    {"red", Word::Red}, {"green", Word::Green}, {"blue", Word::Blue}, {"fonttbl", Word::FontTable},
    {"colortbl", Word::ColourTable}, {"pn", Word::Pn}, {"pnlvlblt", Word::PnBullet},
    {"pnlvlbody", Word::PnBody}, {"pnlvlcont", Word::PnCont}, {"pndec", Word::PnDec},
    {"pnlcltr", Word::PnLcLetter}, {"pnucltr", Word::PnUcLetter}, {"pnlcrm", Word::PnLcRoman},
    {"pnucrm", Word::PnUcRoman}, {"pnstart", Word::PnStart}, {"pntxta", Word::PnTextAfter},
    {"pntxtb", Word::PnTextBefore}, {"bin", Word::Bin},
    {"emdash", Word::Char, 0x2014}, {"endash", Word::Char, 0x2013}, {"bullet", Word::Char, 0x2022},
    {"lquote", Word::Char, 0x2018}, {"rquote", Word::Char, 0x2019}, {"ldblquote", Word::Char, 0x201C},
    {"rdblquote", Word::Char, 0x201D}, {"emspace", Word::Char, 0x2003}, {"enspace", Word::Char, 0x2002},
    {"qmspace", Word::Char, 0x2005}, {"zwj", Word::Char, 0x200D}, {"zwnj", Word::Char, 0x200C},
    {"ltrmark", Word::Char, 0x200E}, {"rtlmark", Word::Char, 0x200F},
    // Destinations whose content is not text of the document.
    {"pntext", Word::SkipDest}, {"listtext", Word::SkipDest}, {"stylesheet", Word::SkipDest},
    {"info", Word::SkipDest}, {"pict", Word::SkipDest}, {"object", Word::SkipDest},
    {"header", Word::SkipDest}, {"headerl", Word::SkipDest}, {"headerr", Word::SkipDest},
    {"headerf", Word::SkipDest}, {"footer", Word::SkipDest}, {"footerl", Word::SkipDest},
    {"footerr", Word::SkipDest}, {"footerf", Word::SkipDest}, {"footnote", Word::SkipDest},
    {"fldinst", Word::SkipDest}, {"xe", Word::SkipDest}, {"tc", Word::SkipDest}, {"txe", Word::SkipDest},
    {"rxe", Word::SkipDest}, {"bkmkstart", Word::SkipDest}, {"bkmkend", Word::SkipDest},
    {"listtable", Word::SkipDest}, {"listoverridetable", Word::SkipDest}, {"revtbl", Word::SkipDest},
    {"rsidtbl", Word::SkipDest}, {"generator", Word::SkipDest}, {"themedata", Word::SkipDest},
    {"colorschememapping", Word::SkipDest}, {"latentstyles", Word::SkipDest}, {"datastore", Word::SkipDest},
    {"xmlnstbl", Word::SkipDest}, {"mmathPr", Word::SkipDest}, {"filetbl", Word::SkipDest},
    {"nonshppict", Word::SkipDest}, {"userprops", Word::SkipDest}, {"docvar", Word::SkipDest},
    {"template", Word::SkipDest}, {"annotation", Word::SkipDest}, {"atnid", Word::SkipDest},
    {"atnauthor", Word::SkipDest}, {"private", Word::SkipDest}, {"pgdsctbl", Word::SkipDest},
};

// Font character sets and the code pages their bytes are in; 0 and 1 mean the document's code page.
constexpr std::pair<int, int> kCharsetCodePages[] = {
    {2, 1252},   {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},  {136, 950},  {161, 1253},
    {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256}, {186, 1257}, {204, 1251}, {222, 874},  {238, 1250},
    {255, 437},
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

int CodePageOfCharset(int charset)
{
    for (const auto &[set, page] : kCharsetCodePages)
        if (set == charset)
            return page;
    return 0;
}

struct ParaState
{
    int alignment = PFA_LEFT;
    int left = 0;      // \li
    int firstLine = 0; // \fi
    int numbering = 0;
    int numberingStyle = PFNS_PAREN;
    int numberingStart = 0;

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

class Parser
{
public:
    Parser(const QString &in, bool bytes, const CCharFormat &defaultFormat)
        : m_in(in), m_bytes(bytes), m_default(defaultFormat)
    {
    }

    void Run(CRichText &document)
    {
        State initial;
        initial.format = m_default;
        m_stack.push_back(initial);
        const int length = int(m_in.size());
        int i = 0;
        while (i < length && !m_finished)
            i = Step(i);
        FlushBytes();
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
            FlushBytes();
            m_skip = 0;
            if (m_stack.size() >= size_t(kMaxDepth) || m_extraDepth > 0)
                ++m_extraDepth;
            else {
                State copy = Top();
                m_stack.push_back(std::move(copy));
            }
            return i + 1;
        }
        if (c == u'}') {
            FlushBytes();
            m_skip = 0;
            if (m_extraDepth > 0)
                --m_extraDepth;
            else
                EndGroup();
            return i + 1;
        }
        if (c == u'\\')
            return Control(i + 1);
        if (c == u'\r' || c == u'\n')
            return i + 1;
        if (m_skip > 0) {
            --m_skip;
            return i + 1;
        }
        if (m_bytes && c.unicode() >= 0x80)
            AddByte(char(c.unicode()));
        else
            AddChar(c);
        return i + 1;
    }

    int Control(int i)
    {
        const int length = int(m_in.size());
        if (i >= length)
            return i;
        const QChar c = m_in[i];
        if (c == u'\'') {
            int value = 0;
            int j = i + 1;
            for (; j < i + 3 && j < length && HexValue(m_in[j]) >= 0; ++j)
                value = value * 16 + HexValue(m_in[j]);
            if (m_skip > 0)
                --m_skip;
            else if (j > i + 1) // an escape without hex digits stands for nothing
                AddByte(char(value));
            return j;
        }
        if (!IsAsciiLetter(c)) {
            if (c == u'*') {
                m_ignorable = true;
                return i + 1;
            }
            FlushBytes();
            if (m_skip > 0) {
                --m_skip;
                return i + 1;
            }
            Symbol(c);
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
        if (word == QLatin1String("bin") && hasParam && param > 0)
            return int(std::min<long long>(length, j + param));
        if (m_skip > 0) {
            --m_skip;
            return j;
        }
        Keyword(word, hasParam, int(param), ignorable);
        return j;
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
        if (s.dest == Dest::Skip && entry.word != Word::Bin)
            return;
        if (ignorable && entry.word != Word::Pn)
            s.dest = Dest::Skip;
        if (s.dest == Dest::Skip)
            return;
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
        case Word::Par:
            if (s.dest == Dest::Text)
                EndParagraph();
            break;
        case Word::Line: AddChar(CRichText::kLineBreak); break;
        case Word::Tab: AddChar(u'\t'); break;
        case Word::Char: AddChar(QChar(entry.c)); break;
        case Word::Pard: s.para = ParaState(); break;
        case Word::Left: s.para.alignment = PFA_LEFT; break;
        case Word::Centre: s.para.alignment = PFA_CENTER; break;
        case Word::Right: s.para.alignment = PFA_RIGHT; break;
        case Word::Justify: s.para.alignment = PFA_JUSTIFY; break;
        case Word::LeftIndent: s.para.left = std::clamp(param, -31680, 31680); break;
        case Word::FirstIndent: s.para.firstLine = std::clamp(param, -31680, 31680); break;
        case Word::Unicode:
            AddChar(QChar(char16_t(param < 0 ? param + 65536 : param)));
            m_skip = s.unicodeSkip;
            break;
        case Word::UnicodeSkip: s.unicodeSkip = std::clamp(hasParam ? param : 1, 0, 16); break;
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
                m_fontCodePage = CodePageOfCharset(param);
            break;
        case Word::FontCodePage:
            if (s.dest == Dest::FontTable && param > 0)
                m_fontCodePage = param;
            break;
        case Word::Red: m_colour = (m_colour & 0xFFFF00) | uint32_t(std::clamp(param, 0, 255)); m_colourSet = true; break;
        case Word::Green: m_colour = (m_colour & 0xFF00FF) | uint32_t(std::clamp(param, 0, 255)) << 8; m_colourSet = true; break;
        case Word::Blue: m_colour = (m_colour & 0x00FFFF) | uint32_t(std::clamp(param, 0, 255)) << 16; m_colourSet = true; break;
        case Word::FontTable: s.dest = Dest::FontTable; break;
        case Word::ColourTable: s.dest = Dest::ColourTable; break;
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
        case Word::PnStart: m_pn.start = std::clamp(param, 0, 32767); break;
        case Word::PnTextAfter: s.dest = Dest::PnTextAfter; break;
        case Word::PnTextBefore: s.dest = Dest::PnTextBefore; break;
        case Word::SkipDest: s.dest = Dest::Skip; break;
        case Word::Bin: break;
        }
    }

    // Half points to twips, bounded before multiplying so that no parameter can overflow.
    static int HalfPoints(int value, int lowest) { return std::clamp(value, lowest, kMaxFontHeight / 10) * 10; }

    CCharFormat PlainFormat() const
    {
        CCharFormat f = m_default;
        f.effects = CFE_AUTOCOLOR;
        f.offset = 0;
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

    void CommitFont()
    {
        FlushBytes();
        if (m_fontNumber >= 0 && !m_fontName.trimmed().isEmpty() && !m_fonts.count(m_fontNumber))
            m_fonts[m_fontNumber] = FontEntry{m_fontName.trimmed(), m_fontCodePage};
        m_fontName.clear();
        m_fontCodePage = 0;
    }

    void EndGroup()
    {
        const State closing = Top();
        if (closing.dest == Dest::FontTable)
            CommitFont();
        m_stack.pop_back();
        if (m_stack.empty()) {
            m_finalPara = closing.para;
            m_finished = true;
            return;
        }
        State &parent = Top();
        if (closing.dest == Dest::FontTable && parent.dest != Dest::FontTable) {
            // Text before the font table was known takes the default font now.
            const auto it = m_fonts.find(m_defaultFont);
            if (it != m_fonts.end() && parent.font < 0)
                parent.format.face = it->second.name;
        }
        if (closing.dest == Dest::Pn && parent.dest != Dest::Pn)
            ApplyNumbering(parent.para);
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

    int CurrentCodePage()
    {
        const State &s = Top();
        if (s.dest == Dest::FontTable && m_fontCodePage > 0)
            return m_fontCodePage;
        const auto it = m_fonts.find(s.font);
        if (it != m_fonts.end() && it->second.codePage > 0)
            return it->second.codePage;
        return m_codePage;
    }

    void AddByte(char byte)
    {
        if (!m_pendingBytes.isEmpty() && m_pendingCodePage != CurrentCodePage())
            FlushBytes();
        m_pendingCodePage = CurrentCodePage();
        m_pendingBytes.append(byte);
    }

    void FlushBytes()
    {
        if (m_pendingBytes.isEmpty())
            return;
        const QByteArray bytes = m_pendingBytes;
        m_pendingBytes.clear();
        const QString text = CCodePage::ToUnicode(bytes, m_pendingCodePage);
        for (QChar c : text)
            AddChar(c);
    }

    void AddChar(QChar c)
    {
        if (!m_pendingBytes.isEmpty())
            FlushBytes();
        State &s = Top();
        switch (s.dest) {
        case Dest::Text:
            // Paragraph ends come only from \par: a stray CR or LF would break the paragraph count.
            if (c == u'\r' || c == u'\n')
                return;
            AddText(c, s.format);
            break;
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
        case Dest::Pn:
        case Dest::Skip: break;
        }
    }

    void AddText(QChar c, const CCharFormat &format)
    {
        if (m_runs.empty() || !m_runs.back().format.SameValues(format))
            m_runs.push_back({QString(), format});
        m_runs.back().text += c;
        m_paragraphHasText = true;
    }

    void EndParagraph()
    {
        AddText(CRichText::kParagraphEnd, Top().format);
        m_paras.push_back(Top().para.ToFormat());
        m_paragraphHasText = false;
    }

    // The last paragraph end, when nothing follows it, is the text's own final mark: it ends the text and
    // gives the last paragraph its format.
    void Build(CRichText &document)
    {
        std::vector<CParaFormat> paras = m_paras;
        if (!m_paragraphHasText && !paras.empty()) {
            m_runs.back().text.chop(1);
        } else {
            paras.push_back(m_finalPara.ToFormat());
        }
        for (const TextRun &run : m_runs)
            document.AppendRaw(run.text, run.format);
        for (size_t p = 0; p < paras.size(); ++p)
            document.SetParagraphFormatRaw(int(p), paras[p]);
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
    bool m_finished = false;
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
    QByteArray m_pendingBytes;
    int m_pendingCodePage = CCodePage::kAnsi;
    std::vector<TextRun> m_runs;
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
