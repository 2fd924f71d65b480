#pragma once

#include "platform/Result.h"

#include "import/WordDocument.h"

#include <QString>

#include <memory>

// Opens a word-processing document for the importers by its content: .docx packages, plain text (one
// paragraph per line, style "Normal") and RTF. Binary .doc files are refused with a message.
class CWordDocumentReader
{
public:
    // The document, or a message naming the file when it cannot be read.
    static CResult<std::unique_ptr<CWordDocument>> Read(const QString &path);
    // Plain text as paragraphs.
    static std::unique_ptr<CWordDocument> FromText(const QString &text);
};
