#include "dialogs/ui/LibraryDialogs.h"

#include "dialogs/ui/DlgInsertFromLibrary.h"
#include "dialogs/ui/DlgSaveToLibrary2.h"
#include "document/ContentLibrary.h"
#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"

#include <QApplication>
#include <QCursor>

namespace CorvLibraryDialogs {

namespace {

// The wait cursor while the course's screens are read or written.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

std::vector<CCorvPage *> InsertFromLibrary(QWidget *parent, CCorvessaDoc &doc, CCorvPage *after, CFileDialogs *dialogs,
                                           const InsertItems &insert)
{
    CDlgInsertFromLibrary dialog(doc, parent, dialogs);
    dialog.libraryPath = doc.Settings().LastContentLibrary;
    if (dialog.exec() != QDialog::Accepted || dialog.results.empty())
        return {};
    WaitCursor wait;
    if (insert)
        return insert(dialog.libraryPath, dialog.results);
    return CorvLibraryChoices::InsertChoices(doc, dialog.libraryPath, dialog.results, after);
}

int SaveToLibrary(QWidget *parent, CCorvessaDoc &doc, std::vector<LibraryOutlineRow> rows, CCorvPage *current,
                  CFileDialogs *dialogs)
{
    CDlgSaveToLibrary2 dialog(doc, std::move(rows), current, parent, dialogs);
    dialog.libraryPath = doc.Settings().LastContentLibrary;
    if (!dialog.libraryPath.isEmpty() && CanOpenFile(dialog.libraryPath)) {
        ContentLibrary existing(doc);
        if (existing.ReadLibraryFile(dialog.libraryPath))
            dialog.libraryDescription = existing.GetLibraryDescription();
    }
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    WaitCursor wait;
    return CorvLibraryChoices::SaveChoices(doc, dialog.libraryPath, dialog.libraryDescription, dialog.results);
}

} // namespace CorvLibraryDialogs
