#pragma once

#include "platform/Result.h"

#include "import/WordDocument.h"
#include "platform/Result.h"

#include <QString>

#include <memory>

// Reads a .docx document into the object model the importers walk: paragraphs with the style names the
// word processor shows, alignment, indents and list kinds resolved through the style chain and the
// numbering definitions, runs with their formats and hyperlinks, and the top-level tables.
class CDocxReader
{
public:
    // Parts larger than this are refused before they are read.
    // 32 MB of document text is some ten thousand pages: far beyond a course, and minutes of import.
    static constexpr qint64 kMaxDocumentPart = 32ll << 20;

    // The document, or a message naming the file when it cannot be read.
    static CResult<std::unique_ptr<CWordDocument>> Read(const QString &path);
    // The word processor's display name of a built-in style written in styles.xml ("heading 1" -> "Heading 1").
    static QString BuiltInDisplayName(const QString &name);
};
