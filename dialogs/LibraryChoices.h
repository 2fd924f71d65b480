#pragma once

#include <QString>

#include <vector>

class CCorvPage;
class CCorvessaDoc;
class COutlineTree;

// What the two content-library dialogs return, and the rules they share: the ticking of whole subtrees of the
// outline and the records built from the ticked rows. The library commands carry the records out.

// One ticked library item: its archive path relative to the library's folder, page-type and menu-kind
// words, depth as decimal text.
struct LibraryInsertChoice {
    QString itemPath;
    QString pageType;
    QString auxPageType;
    QString depth;
};

// One ticked screen of the course as its row shows it on confirming.
struct LibrarySaveChoice {
    QString outlineId;
    QString label;
    QString description;
    QString typeText;
    QString depth;
};

// One row of the course outline offered to the save dialog, depth first.
struct LibraryOutlineRow {
    QString outlineId;
    QString title;
    QString unused;
    QString typeText;
    QString depth;
};

namespace CorvLibraryChoices {

// A check cell counts as ticked when it reads "true" in any letter case.
bool IsTicked(const QString &cell);

// Ticks every row below a ticked row whose depth is greater, from startRow on: ticking a screen ticks the
// screens under it; clearing a row inside a ticked subtree is undone; clearing the subtree's top row leaves
// the rows below it ticked. depths holds each row's depth text.
void PropagateSubtreeTicks(const std::vector<QString> &depths, std::vector<bool> &ticks, int startRow = 0);

// The outline's rows depth first: outline label, title, an empty string, the type text ("Main Menu" for a
// multi-topic menu screen, else the page type's display name) and the depth from 0.
std::vector<LibraryOutlineRow> OutlineRows(const COutlineTree &outline);

// Saves the chosen screens into the library at libraryPath (a new library when the file does not exist):
// each choice whose outline id names a screen of the course becomes an item, and the catalogue is written
// once at the end. Remembers the library as the project's last. The number of items added; the author has
// been told of each failure.
int SaveChoices(CCorvessaDoc &doc, const QString &libraryPath, const QString &libraryDescription,
                const std::vector<LibrarySaveChoice> &choices);

// Reads the chosen items' archives into the course, each after the one before it (the first after `after`,
// or where the document puts a screen without an anchor), and returns the new screens in order. Items
// whose stored path leaves the library's folder are refused with a message. Remembers the library as the
// project's last and marks the project modified when it changed.
std::vector<CCorvPage *> InsertChoices(CCorvessaDoc &doc, const QString &libraryPath,
                                       const std::vector<LibraryInsertChoice> &choices, CCorvPage *after);

} // namespace CorvLibraryChoices
