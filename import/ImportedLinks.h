#pragma once

#include "import/WordDocument.h"

#include <QString>

#include <vector>

class CRichText;
class CRichTextLinks;

// Carries the hyperlinks of imported paragraphs through the text flow into the text boxes' link lists.
//
// The flow pours plain text from box to box and screen to screen, splitting it by position and moving the
// rest on, so a link cannot be written into a box as a record until the box is done. Instead each linked
// stretch of a paragraph is put between two single private-use characters, hidden as soon as they stand in
// a box: a split can fall between them but never inside one. When a screen is done, the characters are
// taken out of each box and the stretches between them become link records with their hidden markers,
// exactly as links typed by the author are kept. A stretch cut by a split becomes one link in each box.
//
// Only addresses a learner's browser may open are kept (web, mail and file-transfer addresses); any other
// target (scripts, bookmarks inside the document, relative file names) leaves its text as plain text.
class CImportedLinks
{
public:
    // How many links may stand in boxes not yet done: their marks are reused after this many. The marks take
    // U+E000 to U+EFFF only: U+F000 to U+F0FF are the symbol fonts' characters, which a document's text keeps.
    static constexpr int kMarkCount = 0x0800;

    // The texts of the paragraph's runs, each linked stretch of runs between its marks.
    std::vector<QString> MarkedRunTexts(const CWordDocument::Paragraph &paragraph);
    // The paragraph's text with each linked stretch of runs between its marks (the paragraph end kept).
    QString MarkedParagraphText(const CWordDocument::Paragraph &paragraph);
    // Hides the marks standing in [start, end) of the box.
    static void HideMarks(CRichText &box, int start, int end);
    // Takes the marks out of the box; with a link list, the stretches between them become its links.
    void KeepLinks(CRichText &box, CRichTextLinks *links) const;

    static bool IsMark(QChar c);
    static QString StripMarks(QString text);
    // Web, mail and file-transfer addresses only.
    static bool IsKeptAddress(const QString &address);

private:
    static constexpr char16_t kFirstOpening = 0xE000;
    static constexpr char16_t kFirstClosing = kFirstOpening + kMarkCount;

    std::vector<QString> m_addresses = std::vector<QString>(size_t(kMarkCount));
    int m_next = 0;
};
