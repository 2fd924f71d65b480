#pragma once

#include "dialogs/LibraryChoices.h"

#include <vector>

class CCorvPage;
class CCorvessaDoc;
class CFileDialogs;
class QWidget;

// The library commands as the Edit window runs them: the dialog, then the work on the course.
namespace CorvLibraryDialogs {

// "Insert content from library", preset with the project's last library; the ticked items are read into the
// course one after another, the first after `after`. The new screens in order; none when cancelled.
std::vector<CCorvPage *> InsertFromLibrary(QWidget *parent, CCorvessaDoc &doc, CCorvPage *after,
                                           CFileDialogs *dialogs = nullptr);

// "Save to library" over the outline's rows (CorvLibraryChoices::OutlineRows), preset with the project's last
// library and its description; the ticked screens are saved into the chosen library. The number of
// screens saved; 0 when cancelled.
int SaveToLibrary(QWidget *parent, CCorvessaDoc &doc, std::vector<LibraryOutlineRow> rows, CCorvPage *current,
                  CFileDialogs *dialogs = nullptr);

} // namespace CorvLibraryDialogs
