#pragma once

#include <QString>

class CRichText;

// Writes a document as 7-bit RTF: font and colour tables, paragraph formats with their bullets and
// numbering, character formats, and every character above 0x7F as \uN followed by its byte in the legacy
// code page (or "?" where that page has none), so that no reader can lose it to a code page.
class CRtfWriter
{
public:
    static QString Write(const CRichText &text);
};
