#pragma once

#include "platform/richtext/RichText.h"

#include <QByteArray>
#include <QStringList>

#include <ostream>

// Failures show texts as text, not as code units.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Reading small RTF strings in the RTF tests: the document as bytes from a file and as an archive string.
inline CRichText ReadRtfBytes(const QByteArray &rtf)
{
    CRichText doc;
    doc.SetRtfBytes(rtf);
    return doc;
}

inline CRichText ReadRtfString(const QByteArray &rtf)
{
    CRichText doc;
    doc.SetRtf(QString::fromLatin1(rtf));
    return doc;
}

inline QString ParagraphText(const CRichText &doc, int p)
{
    return doc.GetTextRange(doc.ParagraphStart(p), doc.ParagraphEnd(p));
}

inline QStringList ParagraphTexts(const CRichText &doc)
{
    QStringList texts;
    for (int p = 0; p < doc.GetParagraphCount(); ++p)
        texts << ParagraphText(doc, p);
    return texts;
}

inline const CParaFormat &ParagraphFormat(const CRichText &doc, int p)
{
    return doc.GetParaFormatAt(doc.ParagraphStart(p));
}

// One case of a table: a small RTF string and the text it must read as.
struct RtfTextCase
{
    const char *name;
    QByteArray rtf;
    QString text;
};

// The same with the paragraphs it must read as.
struct RtfParagraphCase
{
    const char *name;
    QByteArray rtf;
    QStringList paragraphs;
};

// A copy changed and changed back: its RTF is written afresh from the content.
inline QString RewrittenRtf(const CRichText &doc)
{
    CRichText copy = doc;
    copy.SetSel(0, 0);
    copy.ReplaceSel(QStringLiteral("x"));
    copy.SetSel(0, 1);
    copy.Clear();
    return copy.GetRtf();
}
