#pragma once

#include "dialogs/LibraryChoices.h"

#include <functional>
#include <vector>

class CCorvPage;
class CCorvessaDoc;
class CFileDialogs;
class QWidget;

// The library commands as the Edit window runs them: the dialog, then the work on the course.
namespace CorvLibraryDialogs {

// Puts the ticked items of the library into the course; the new screens in order.
using InsertItems =
    std::function<std::vector<CCorvPage *>(const QString &libraryPath, const std::vector<LibraryInsertChoice> &)>;

// "Insert content from library", preset with the project's last library; the ticked items are read into the
// course by insert, or without one one after another, the first after `after`. The new screens in order; none
// when cancelled.
std::vector<CCorvPage *> InsertFromLibrary(QWidget *parent, CCorvessaDoc &doc, CCorvPage *after,
                                           CFileDialogs *dialogs = nullptr, const InsertItems &insert = {});

// "Save to library" over the outline's rows (CorvLibraryChoices::OutlineRows), preset with the project's last
// library and its description; the ticked screens are saved into the chosen library. The number of
// screens saved; 0 when cancelled.
int SaveToLibrary(QWidget *parent, CCorvessaDoc &doc, std::vector<LibraryOutlineRow> rows, CCorvPage *current,
                  CFileDialogs *dialogs = nullptr);

} // namespace CorvLibraryDialogs
