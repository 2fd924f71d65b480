#include "platform/richtext/RtfWriter.h"

#include "platform/CodePage.h"
#include "platform/richtext/RichText.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <vector>

namespace {

// Characters with a control word of their own.
struct Escape
{
    char16_t c;
    const char *word;
};

constexpr Escape kEscapes[] = {
    {u'\\', "\\\\"}, {u'{', "\\{"}, {u'}', "\\}"}, {u'\t', "\\tab "}, {u'\v', "\\line "}, {u'\r', "\\par\r\n"},
};

class Writer
{
public:
    explicit Writer(const CRichText &text) : m_text(text) {}

    QString Run()
    {
        CollectTables();
        m_out += QStringLiteral("{\\rtf1\\ansi\\ansicpg%1\\deff0\\deflang1033").arg(CCodePage::GetLegacyCodePage());
        WriteFontTable();
        WriteColourTable();
        m_out += QStringLiteral("\\viewkind4\\uc1");
        WriteBody();
        m_out += QStringLiteral("}\r\n");
        return m_out;
    }

private:
    void CollectTables()
    {
        m_fonts.push_back(m_text.GetDefaultCharFormat().face);
        for (int i = 0; i < m_text.GetTextLength(); ++i) {
            const CCharFormat &f = m_text.GetCharFormatAt(i);
            if (!m_fonts.contains(f.face))
                m_fonts.push_back(f.face);
            if (!f.Has(CFE_AUTOCOLOR) && !m_colours.contains(f.colour))
                m_colours.push_back(f.colour);
        }
    }

    void WriteFontTable()
    {
        m_out += QStringLiteral("{\\fonttbl");
        for (int i = 0; i < m_fonts.size(); ++i) {
            m_out += QStringLiteral("{\\f%1\\fnil\\fcharset0 ").arg(i);
            WriteText(m_fonts[i]);
            m_out += QStringLiteral(";}");
        }
        m_out += QStringLiteral("}\r\n");
    }

    void WriteColourTable()
    {
        if (m_colours.isEmpty())
            return;
        m_out += QStringLiteral("{\\colortbl ;");
        for (uint32_t c : m_colours)
            m_out += QStringLiteral("\\red%1\\green%2\\blue%3;").arg(c & 0xFF).arg((c >> 8) & 0xFF).arg((c >> 16) & 0xFF);
        m_out += QStringLiteral("}\r\n");
    }

    void WriteBody()
    {
        const int length = m_text.GetTextLength();
        const QString &text = m_text.GetText();
        int number = 0;
        for (int p = 0; p < m_text.GetParagraphCount(); ++p) {
            const CParaFormat &para = m_text.GetParaFormatAt(m_text.ParagraphStart(p));
            const bool changed = p == 0 || !para.SameValues(m_para);
            if (changed)
                WriteParagraphFormat(para);
            number = (changed || para.numbering == 0) ? para.numberingStart : number + 1;
            WriteNumberText(para, number);
            const int start = m_text.ParagraphStart(p);
            const int end = m_text.ParagraphEnd(p);
            for (int i = start; i < end; ++i)
                WriteChar(text[i], m_text.GetCharFormatAt(i));
            // The paragraph end, the last one included: it is the text's own final mark.
            WriteChar(u'\r', end < length ? m_text.GetCharFormatAt(end)
                                           : (m_started ? m_format : m_text.GetDefaultCharFormat()));
            m_para = para;
        }
    }

    void WriteParagraphFormat(const CParaFormat &para)
    {
        m_out += QStringLiteral("\\pard");
        if (para.numbering != 0) {
            m_out += QStringLiteral("{\\*\\pn");
            if (para.numberingStyle == PFNS_NONUMBER)
                m_out += QStringLiteral("\\pnlvlcont");
            else if (para.numbering == PFN_BULLET)
                m_out += QStringLiteral("\\pnlvlblt");
            else
                m_out += QStringLiteral("\\pnlvlbody");
            static const char *const kTypes[] = {"", "", "\\pndec", "\\pnlcltr", "\\pnucltr", "\\pnlcrm", "\\pnucrm"};
            if (para.numbering >= PFN_ARABIC && para.numbering <= PFN_UCROMAN)
                m_out += QLatin1String(kTypes[para.numbering]);
            m_out += QStringLiteral("\\pnindent0");
            if (para.numberingStart > 0)
                m_out += QStringLiteral("\\pnstart%1").arg(para.numberingStart);
            if (para.numbering == PFN_BULLET)
                m_out += QStringLiteral("{\\pntxtb\\'B7}");
            else if (para.numberingStyle == PFNS_PARENS)
                m_out += QStringLiteral("{\\pntxtb (}{\\pntxta )}");
            else if (para.numberingStyle == PFNS_PAREN)
                m_out += QStringLiteral("{\\pntxta )}");
            else if (para.numberingStyle == PFNS_PERIOD)
                m_out += QStringLiteral("{\\pntxta .}");
            m_out += u'}';
        }
        static const char *const kAlign[] = {"", "", "\\qr", "\\qc", "\\qj"};
        if (para.alignment >= PFA_RIGHT && para.alignment <= PFA_JUSTIFY)
            m_out += QLatin1String(kAlign[para.alignment]);
        // The start indent is where the first line begins; RTF counts the first line from the left indent.
        const int firstLine = -para.offset;
        const int left = para.startIndent + para.offset;
        if (firstLine != 0)
            m_out += QStringLiteral("\\fi%1").arg(firstLine);
        if (left != 0)
            m_out += QStringLiteral("\\li%1").arg(left);
        // A control word needs a delimiter before text; after the numbering group a space would be text.
        m_pendingSpace = !m_out.endsWith(u'}');
    }

    // The number or bullet as text, for readers that do not number paragraphs themselves.
    void WriteNumberText(const CParaFormat &para, int number)
    {
        if (para.numbering == 0 || para.numberingStyle == PFNS_NONUMBER)
            return;
        m_pendingSpace = false; // a group follows: no delimiter needed, and a space after it would be text
        if (para.numbering == PFN_BULLET) {
            m_out += QStringLiteral("{\\pntext\\'B7\\tab}");
            return;
        }
        QString label = QString::number(number);
        if (para.numberingStyle == PFNS_PARENS)
            label = u'(' + label + u')';
        else if (para.numberingStyle == PFNS_PAREN)
            label += u')';
        else if (para.numberingStyle == PFNS_PERIOD)
            label += u'.';
        m_out += QStringLiteral("{\\pntext ") + label + QStringLiteral("\\tab}");
    }

    void WriteFormatChange(const CCharFormat &f)
    {
        const int before = int(m_out.size());
        struct Toggle
        {
            uint32_t effect;
            const char *on;
            const char *off;
        };
        static constexpr Toggle kToggles[] = {
            {CFE_BOLD, "\\b", "\\b0"},           {CFE_ITALIC, "\\i", "\\i0"}, {CFE_UNDERLINE, "\\ul", "\\ulnone"},
            {CFE_STRIKEOUT, "\\strike", "\\strike0"}, {CFE_HIDDEN, "\\v", "\\v0"},
        };
        if (!m_started || f.face != m_format.face)
            m_out += QStringLiteral("\\f%1").arg(m_fonts.indexOf(f.face));
        const bool auto1 = f.Has(CFE_AUTOCOLOR);
        if (!m_started || auto1 != m_format.Has(CFE_AUTOCOLOR) || (!auto1 && f.colour != m_format.colour))
            m_out += QStringLiteral("\\cf%1").arg(auto1 ? 0 : m_colours.indexOf(f.colour) + 1);
        for (const Toggle &t : kToggles)
            if (f.Has(t.effect) != (m_started ? m_format.Has(t.effect) : false))
                m_out += QLatin1String(f.Has(t.effect) ? t.on : t.off);
        if (!m_started || f.offset != m_format.offset) {
            if (f.offset > 0)
                m_out += QStringLiteral("\\up%1").arg(f.offset / 10);
            else if (f.offset < 0)
                m_out += QStringLiteral("\\dn%1").arg(-f.offset / 10);
            else if (m_started)
                m_out += QStringLiteral("\\up0");
        }
        if (!m_started || f.height != m_format.height)
            m_out += QStringLiteral("\\fs%1").arg(f.height / 10);
        m_format = f;
        m_started = true;
        if (m_out.size() != before)
            m_pendingSpace = true;
    }

    void WriteChar(QChar c, const CCharFormat &f)
    {
        if (!m_started || !f.SameInRtf(m_format))
            WriteFormatChange(f);
        for (const Escape &e : kEscapes)
            if (c == e.c) {
                m_out += QLatin1String(e.word);
                m_pendingSpace = false;
                return;
            }
        if (m_pendingSpace) {
            m_out += u' ';
            m_pendingSpace = false;
        }
        WriteTextChar(c);
    }

    void WriteText(const QString &text)
    {
        for (QChar c : text)
            WriteTextChar(c);
    }

    void WriteTextChar(QChar c)
    {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F) {
            if (u == u'\\' || u == u'{' || u == u'}')
                m_out += u'\\';
            m_out += c;
            return;
        }
        if (u < 0x80) {
            WriteByte(uint8_t(u));
            return;
        }
        m_out += QLatin1String("\\u");
        m_out += QString::number(int(int16_t(u)));
        const int legacy = LegacyByte(u);
        if (legacy >= 0)
            WriteByte(uint8_t(legacy));
        else
            m_out += u'?';
    }

    void WriteByte(uint8_t byte)
    {
        static const char kHex[] = "0123456789abcdef";
        const char escape[] = {'\\', '\'', kHex[byte >> 4], kHex[byte & 0xF]};
        m_out += QLatin1String(escape, 4);
    }

    // The byte of a character in the legacy code page, -1 where that page has none of one byte. A text
    // holds few distinct characters, so each is converted once: a converter per character took the
    // writer thirty times as long over Cyrillic as over ASCII.
    int LegacyByte(char16_t u)
    {
        const auto known = m_legacyBytes.constFind(u);
        if (known != m_legacyBytes.constEnd())
            return *known;
        bool lossy = false;
        const QByteArray legacy = CCodePage::FromUnicode(QString(QChar(u)), CCodePage::kAnsi, &lossy);
        const int byte = !lossy && legacy.size() == 1 ? uint8_t(legacy[0]) : -1;
        m_legacyBytes.insert(u, byte);
        return byte;
    }

    const CRichText &m_text;
    QString m_out;
    QStringList m_fonts;
    QList<uint32_t> m_colours;
    CCharFormat m_format;
    CParaFormat m_para;
    bool m_started = false;
    bool m_pendingSpace = false;
    QHash<char16_t, int> m_legacyBytes;
};

} // namespace

QString CRtfWriter::Write(const CRichText &text) { return Writer(text).Run(); }
