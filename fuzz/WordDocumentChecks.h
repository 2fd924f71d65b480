#pragma once

// What the fuzzers of the word-processing reader check of the document it reads: the reader ends in a
// document or in a message, and a document's paragraphs follow one another without gaps, its tables lie
// within its paragraphs. Of a fixed package with one mutated part, more holds: every paragraph ends in its
// mark, the tables' rows and cells agree with their counts, the pictures stand within the text.
#include "import/WordDocumentReader.h"

#include <QString>

#include <cstdlib>

namespace WordDocumentChecks {

inline void Check(bool holds)
{
    if (!holds)
        std::abort();
}

inline void ReadAndCheck(const QString &path, bool fixedPackage)
{
    const auto read = CWordDocumentReader::Read(path);
    if (!read) {
        Check(!read.Error().isEmpty());
        return;
    }
    const auto &doc = read.Value();
    int position = 0;
    for (const auto &p : doc->paragraphs) {
        Check(p.start == position && p.end - p.start == p.text.size());
        if (fixedPackage) {
            Check(p.text.endsWith(u'\r') || p.text.endsWith(u'\a'));
            Check(p.table < int(doc->tables.size()));
        }
        position = p.end;
    }
    for (const auto &t : doc->tables) {
        Check(t.firstParagraph >= 0 && t.firstParagraph + t.paragraphCount <= int(doc->paragraphs.size()));
        if (!fixedPackage)
            continue;
        Check(t.paragraphCount > 0 && t.rows == int(t.cellTexts.size()));
        for (const auto &row : t.cellTexts)
            Check(int(row.size()) <= t.columns);
    }
    if (fixedPackage)
        for (const auto &picture : doc->pictures)
            Check(picture.position >= 0 && picture.position <= position && picture.width >= 0 && picture.height >= 0);
}

} // namespace WordDocumentChecks
