#pragma once

#include "import/WordDocument.h"
#include "platform/Result.h"

#include <QString>

#include <memory>

// Opens a word-processing document for the importers by its content: .docx packages, plain text (one
// paragraph per line, style "Normal") and RTF. Binary .doc files are refused with a message.
class CWordDocumentReader
{
public:
    // The document, or the reason it cannot be read.
    static CResult<std::unique_ptr<CWordDocument>> Read(const QString &path);
    // Plain text as paragraphs.
    static std::unique_ptr<CWordDocument> FromText(const QString &text);
};
