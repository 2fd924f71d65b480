#pragma once

#include "dialogs/LibraryChoices.h"

#include <QString>

#include <vector>

class CCorvPage;
class CEditController;

// Inserting content-library items into the course from the Edit window: each chosen item is read into a new
// screen and given a provisional label that steers its place in the outline (below the screen it was saved
// under, in a topic container made for it, in the course's popups or glossary folder); the outline is then
// renumbered so every label is positional again.
namespace LibraryPlacement {

// The provisional label of a screen read from the library below (or after) the screen labelled previous:
// below it when the screen lies deeper than the first item or the anchor is a topic, keeping the tail of the
// label it was saved with; otherwise the label after previous.
QString DeeperOrNextLabel(const QString &previous, const QString &stored, bool deeper);

// Reads the items into the course at the current screen and returns the screens made, in order. Items whose
// stored path leaves the library's folder are refused with a message; items whose file cannot be read are
// skipped. A main menu item is skipped unless the course is empty (it then becomes menu based); topic items
// are skipped in a linear course; popups and glossary folders already in the course take the items below them.
// The project remembers the library and is marked modified.
std::vector<CCorvPage *> InsertItems(CEditController &edit, const QString &libraryPath,
                                     const std::vector<LibraryInsertChoice> &choices);

} // namespace LibraryPlacement
