#include "import/ImportedLinks.h"

#include "model/RichTextLinks.h"
#include "model/URLLink.h"
#include "platform/richtext/RichText.h"

#include <QUrl>

#include <algorithm>

#include <memory>

namespace {

struct Stretch
{
    int start;
    int end;
    int mark;
};

} // namespace

bool CImportedLinks::IsMark(QChar c)
{
    return c.unicode() >= kFirstOpening && c.unicode() < kFirstClosing + kMarkCount;
}

QString CImportedLinks::StripMarks(QString text)
{
    text.removeIf([](QChar c) { return IsMark(c); });
    return text;
}

bool CImportedLinks::IsKeptAddress(const QString &address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"mailto")
        return !url.path().isEmpty();
    return (scheme == u"http" || scheme == u"https" || scheme == u"ftp") && !url.host().isEmpty();
}

std::vector<QString> CImportedLinks::MarkedRunTexts(const CWordDocument::Paragraph &paragraph)
{
    std::vector<QString> texts;
    texts.reserve(paragraph.runs.size());
    QString open;   // the address of the stretch being written; empty outside links
    int mark = 0;
    for (const CWordDocument::Run &run : paragraph.runs) {
        const QString address = IsKeptAddress(run.link) ? run.link.trimmed() : QString();
        QString text;
        if (address != open) {
            if (!open.isEmpty())
                texts.back() += QChar(char16_t(kFirstClosing + mark));
            open = address;
            if (!address.isEmpty()) {
                mark = m_next;
                m_next = (m_next + 1) % kMarkCount;
                m_addresses[size_t(mark)] = address;
                text += QChar(char16_t(kFirstOpening + mark));
            }
        }
        texts.push_back(text + run.text);
    }
    if (!open.isEmpty())
        texts.back() += QChar(char16_t(kFirstClosing + mark));
    return texts;
}

QString CImportedLinks::MarkedParagraphText(const CWordDocument::Paragraph &paragraph)
{
    QString text;
    qsizetype covered = 0;
    const std::vector<QString> runs = MarkedRunTexts(paragraph);
    for (size_t i = 0; i < runs.size(); ++i) {
        text += runs[i];
        covered += paragraph.runs[i].text.size();
    }
    // The paragraph end (and a cell end) follow the runs.
    if (paragraph.text.size() > covered)
        text += paragraph.text.mid(covered);
    return text;
}

void CImportedLinks::HideMarks(CRichText &box, int start, int end)
{
    const QString &text = box.GetText();
    end = std::min(end, int(text.size()));
    CCharFormat hidden;
    hidden.mask = CFM_HIDDEN | CFM_LINK;
    hidden.SetEffect(CFE_HIDDEN, true);
    for (int i = std::max(0, start); i < end; ++i)
        if (IsMark(text[i]))
            box.SetCharFormat(i, i + 1, hidden);
}

void CImportedLinks::KeepLinks(CRichText &box, CRichTextLinks *links) const
{
    const QString text = box.GetText();
    std::vector<int> marks;   // positions of the marks, in text order
    for (int i = 0; i < int(text.size()); ++i)
        if (IsMark(text[i]) && box.GetCharFormatAt(i).Has(CFE_HIDDEN))
            marks.push_back(i);
    if (marks.empty())
        return;

    // The stretches in the text without marks. A closing mark with no opening before it continues a link
    // from the box before; an opening mark with no closing after it goes on in the next box.
    std::vector<Stretch> stretches;
    int removed = 0;
    int openAt = -1;
    int openMark = -1;
    for (const int at : marks) {
        const int code = text[at].unicode();
        const int here = at - removed;
        if (code < kFirstClosing) {
            if (openAt >= 0)
                stretches.push_back({openAt, here, openMark});
            openAt = here;
            openMark = code - kFirstOpening;
        } else {
            const int mark = code - kFirstClosing;
            if (openAt >= 0 && openMark == mark)
                stretches.push_back({openAt, here, mark});
            else if (openAt < 0)
                stretches.push_back({0, here, mark});
            openAt = -1;
        }
        ++removed;
    }
    for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
        box.SetSel(*it, *it + 1);
        box.ReplaceSel(QString());
    }
    const int length = box.GetTextLength();
    if (openAt >= 0)
        stretches.push_back({openAt, length, openMark});
    if (!links)
        return;

    const QString plain = box.GetText();
    bool added = false;
    for (Stretch s : stretches) {
        // A link ends with its paragraph: a paragraph end is never part of its text.
        while (s.end > s.start && (plain[s.end - 1] == CRichText::kParagraphEnd || plain[s.end - 1] == u'\n'))
            --s.end;
        if (s.end <= s.start || links->GetLinkCount() >= CRichTextLinks::kMaxLinkCount)
            continue;
        const QString &address = m_addresses[size_t(s.mark)];
        if (address.isEmpty())
            continue;
        links->AppendLink(std::make_unique<CURLLink>(plain.mid(s.start, s.end - s.start), -1, s.start, 0, -1,
                                                     address, 0, 0, 0, 100, 250));
        added = true;
    }
    if (added)
        links->MarkPendingLinks();
}
