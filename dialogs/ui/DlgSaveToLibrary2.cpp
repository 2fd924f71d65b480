#include "dialogs/ui/DlgSaveToLibrary2.h"

#include "platform/ui/FileDialogs.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "document/ContentLibrary.h"
#include "document/CorvessaDoc.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

const QString CDlgSaveToLibrary2::kUntitledLibrary = QStringLiteral("UntitledContentLibrary.kvxl");

CDlgSaveToLibrary2::CDlgSaveToLibrary2(CCorvessaDoc &document, std::vector<LibraryOutlineRow> rows,
                                       CCorvPage *currentScreen, QWidget *parent, CFileDialogs *dialogs)
    : CDlgLibraryList(document, parent, dialogs, QStringLiteral("Save to library"), QStringLiteral("Library &filename:"),
                      QStringLiteral("&Select screens to save:"), QStringLiteral("&Save"),
                      {{"Id", 70}, {"Type", 100}, {"Depth", 50}, {"Label", 180}, {"Description", 480}, {"Save?", 75}}),
      m_rows(std::move(rows)), m_current(currentScreen)
{
    setObjectName(QStringLiteral("DlgSaveToLibrary2"));
    m_list->SetReadOnlyColumn(3, false);
    m_list->SetReadOnlyColumn(4, false);
    connect(m_browse, &QPushButton::clicked, this, &CDlgSaveToLibrary2::OnBrowse);
    connect(m_path, &QLineEdit::textChanged, this, [this] { UpdateOkButton(); });
}

bool CDlgSaveToLibrary2::CanConfirm() const { return !m_path->text().trimmed().isEmpty(); }

int CDlgSaveToLibrary2::exec()
{
    ShowValues();
    return QDialog::exec();
}

void CDlgSaveToLibrary2::ShowValues()
{
    m_list->setRowCount(int(m_rows.size()));
    int currentRow = -1;
    const QString currentId = m_current ? m_current->GetLabel() : QString();
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const LibraryOutlineRow &record = m_rows[std::size_t(row)];
        m_list->SetCellText(row, 0, record.outlineId);
        m_list->SetCellText(row, 1, record.typeText);
        m_list->SetCellText(row, 2, record.depth);
        m_list->SetCellText(row, 3, record.title);
        m_list->SetCellText(row, 4, QString());
        const bool current = currentRow < 0 && m_current && record.outlineId == currentId;
        m_list->SetCellText(row, kCheckColumn, current ? QStringLiteral("true") : QString());
        if (current)
            currentRow = row;
    }
    if (currentRow >= 0)
        PropagateTicks(currentRow);
    if (m_list->rowCount() > 0)
        m_list->scrollToItem(m_list->item(std::max(currentRow, 0), 0), QAbstractItemView::PositionAtTop);
    WriteControls();
    UpdateOkButton();
}

void CDlgSaveToLibrary2::ReadControls()
{
    libraryPath = m_path->text().trimmed();
    libraryDescription = m_description->text();
}

void CDlgSaveToLibrary2::WriteControls()
{
    m_path->setText(libraryPath);
    m_description->setText(libraryDescription);
}

void CDlgSaveToLibrary2::OnBrowse()
{
    ReadControls();
    if (libraryPath.isEmpty())
        libraryPath = kUntitledLibrary;
    QString chosen = FileDialogs().GetSaveFileName(this, QStringLiteral("Save to library"), libraryPath, kLibraryFilter);
    if (!chosen.isEmpty()) {
        if (QFileInfo(chosen).suffix().isEmpty())
            chosen += QStringLiteral(".kvxl");
        libraryPath = chosen;
        libraryDescription.clear();
        if (CanOpenFile(libraryPath)) {
            ContentLibrary existing(m_document);
            if (existing.ReadLibraryFile(libraryPath))
                libraryDescription = existing.GetLibraryDescription();
        }
    }
    WriteControls();
    UpdateOkButton();
}

void CDlgSaveToLibrary2::accept()
{
    m_list->EndActiveEdit();
    ReadControls();
    if (libraryPath.isEmpty())
        return;
    results.clear();
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (!IsRowTicked(row) || !m_document.FindScreenByLabel(m_list->CellText(row, 0)))
            continue;
        results.push_back({m_list->CellText(row, 0), m_list->CellText(row, 3), m_list->CellText(row, 4),
                           m_list->CellText(row, 1), m_list->CellText(row, 2)});
    }
    QDialog::accept();
}
