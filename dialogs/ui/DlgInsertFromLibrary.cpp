#include "dialogs/ui/DlgInsertFromLibrary.h"

#include "platform/ui/FileDialogs.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "document/ContentLibrary.h"
#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"

#include <QLineEdit>
#include <QPushButton>

CDlgInsertFromLibrary::CDlgInsertFromLibrary(CCorvessaDoc &document, QWidget *parent, CFileDialogs *dialogs)
    : CDlgLibraryList(document, parent, dialogs, QStringLiteral("Insert content from library"),
                      QStringLiteral("Library &filename:"), QStringLiteral("Library &contents:"),
                      QStringLiteral("&Insert"),
                      {{"", 30}, {"Type", 150}, {"Depth", 50}, {"Label", 180}, {"Description", 480}, {"Insert?", 75}})
{
    setObjectName(QStringLiteral("DlgInsertFromLibrary"));
    connect(m_browse, &QPushButton::clicked, this, &CDlgInsertFromLibrary::OnBrowse);
    connect(m_path, &QLineEdit::editingFinished, this, [this] {
        if (m_path->text() == libraryPath)
            return;
        ReadControls();
        LoadLibrary();
        WriteControls();
    });
}

CDlgInsertFromLibrary::~CDlgInsertFromLibrary() = default;

int CDlgInsertFromLibrary::exec()
{
    ShowValues();
    return QDialog::exec();
}

void CDlgInsertFromLibrary::ShowValues()
{
    if (!libraryPath.isEmpty())
        LoadLibrary();
    m_ok->setEnabled(false);
    WriteControls();
}

void CDlgInsertFromLibrary::ReadControls()
{
    libraryPath = m_path->text();
    libraryDescription = m_description->text();
}

void CDlgInsertFromLibrary::WriteControls()
{
    m_path->setText(libraryPath);
    m_description->setText(libraryDescription);
}

void CDlgInsertFromLibrary::LoadLibrary()
{
    m_library = std::make_unique<ContentLibrary>(m_document);
    if (!libraryPath.isEmpty() && CanOpenFile(libraryPath))
        m_library->ReadLibraryFile(libraryPath);
    else
        libraryPath.clear();
    libraryDescription = m_library->GetLibraryDescription();
    m_list->setRowCount(0);
    m_list->ClearMultiLineRows();
    const LibraryFromXML *model = m_library->GetModel();
    if (!model)
        return;
    m_list->setRowCount(int(model->items.size()));
    for (int row = 0; row < int(model->items.size()); ++row) {
        const LibraryItemFromXML &item = *model->items[std::size_t(row)];
        m_list->SetCellText(row, 0, QString::number(row + 1));
        m_list->SetCellText(row, 1, PageTypeDisplayName(item.GetPageType()));
        m_list->SetCellText(row, 2, item.GetDepth());
        m_list->SetCellText(row, 3, item.GetName());
        m_list->SetCellText(row, 4, item.GetDescription());
        m_list->SetCellText(row, kCheckColumn, QString());
    }
    UpdateOkButton();
}

void CDlgInsertFromLibrary::OnBrowse()
{
    ReadControls();
    const QString chosen = FileDialogs().GetOpenFileName(this, QStringLiteral("Open library"), libraryPath, kLibraryFilter);
    if (!chosen.isEmpty())
        libraryPath = chosen;
    LoadLibrary();
    WriteControls();
}

void CDlgInsertFromLibrary::accept()
{
    m_list->EndActiveEdit();
    ReadControls();
    results.clear();
    const LibraryFromXML *model = m_library ? m_library->GetModel() : nullptr;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        const LibraryItemFromXML *item = model ? model->GetItem(row) : nullptr;
        if (item && IsRowTicked(row))
            results.push_back({item->GetItemPath(), item->GetPageType(), item->GetAuxPageType(), item->GetDepth()});
    }
    m_document.MutableSettings().LastContentLibrary = libraryPath;
    m_document.SetModifiedFlag();
    QDialog::accept();
}
