#include "dialogs/ui/DlgLibraryList.h"

#include "platform/ui/FileDialogs.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "dialogs/LibraryChoices.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

const QString CDlgLibraryList::kLibraryFilter = QStringLiteral("Library Files (*.kvxl)");

CDlgLibraryList::CDlgLibraryList(CCorvessaDoc &document, QWidget *parent, CFileDialogs *dialogs, const QString &caption,
                                 const QString &pathLabel, const QString &listLabel, const QString &okText,
                                 const std::vector<Column> &columns)
    : QDialog(parent), m_document(document), m_dialogs(dialogs)
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);

    auto *pathRow = new QHBoxLayout;
    auto *pathCaption = new QLabel(pathLabel, this);
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("LibraryPath"));
    m_path->setAccessibleName(QStringLiteral("Library filename"));
    m_path->setMinimumWidth(420);
    pathCaption->setBuddy(m_path);
    m_browse = new QPushButton(QStringLiteral("&Browse..."), this);
    m_browse->setObjectName(QStringLiteral("Browse"));
    m_browse->setAccessibleName(QStringLiteral("Browse for the library file"));
    m_browse->setAutoDefault(false);
    pathRow->addWidget(pathCaption);
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    layout->addLayout(pathRow);

    auto *listCaption = new QLabel(listLabel, this);
    layout->addWidget(listCaption);
    m_list = new CDropDownListCtrl(this);
    m_list->setObjectName(QStringLiteral("LibraryList"));
    m_list->setAccessibleName(listLabel.chopped(1).remove(u'&'));
    listCaption->setBuddy(m_list);
    m_list->setColumnCount(int(columns.size()));
    QStringList titles;
    for (const Column &column : columns)
        titles.append(QString::fromLatin1(column.title));
    m_list->setHorizontalHeaderLabels(titles);
    for (int i = 0; i < int(columns.size()); ++i) {
        m_list->setColumnWidth(i, columns[std::size_t(i)].width);
        m_list->SetReadOnlyColumn(i, i < kCheckColumn);
    }
    m_list->SetCheckColumn(kCheckColumn, true);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    m_list->setMinimumSize(980, 260);
    layout->addWidget(m_list, 1);

    auto *selectRow = new QHBoxLayout;
    m_selectAll = new QPushButton(QStringLiteral("Select &all"), this);
    m_selectAll->setObjectName(QStringLiteral("SelectAll"));
    m_selectAll->setAutoDefault(false);
    m_selectNone = new QPushButton(QStringLiteral("Select &none"), this);
    m_selectNone->setObjectName(QStringLiteral("SelectNone"));
    m_selectNone->setAutoDefault(false);
    selectRow->addWidget(m_selectAll);
    selectRow->addWidget(m_selectNone);
    selectRow->addStretch(1);
    layout->addLayout(selectRow);

    auto *descriptionRow = new QHBoxLayout;
    auto *descriptionCaption = new QLabel(QStringLiteral("&Description:"), this);
    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("LibraryDescription"));
    m_description->setAccessibleName(QStringLiteral("Library description"));
    descriptionCaption->setBuddy(m_description);
    descriptionRow->addWidget(descriptionCaption);
    descriptionRow->addWidget(m_description, 1);
    layout->addLayout(descriptionRow);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = new QPushButton(okText, this);
    m_ok->setObjectName(QStringLiteral("Ok"));
    m_ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Cancel"));
    cancel->setAutoDefault(false);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_selectAll, &QPushButton::clicked, this, [this] { SetAllTicks(true); });
    connect(m_selectNone, &QPushButton::clicked, this, [this] { SetAllTicks(false); });
    connect(m_list, &CDropDownListCtrl::listCellChanged, this, [this] {
        PropagateTicks(0);
        UpdateOkButton();
    });
}

CFileDialogs &CDlgLibraryList::FileDialogs() const { return m_dialogs ? *m_dialogs : CFileDialogs::Native(); }

bool CDlgLibraryList::IsRowTicked(int row) const
{
    return CorvLibraryChoices::IsTicked(m_list->CellText(row, kCheckColumn));
}

bool CDlgLibraryList::AnyTicked() const
{
    for (int row = 0; row < m_list->rowCount(); ++row)
        if (IsRowTicked(row))
            return true;
    return false;
}

void CDlgLibraryList::PropagateTicks(int startRow)
{
    if (m_ticking)
        return;
    m_ticking = true;
    std::vector<QString> depths;
    std::vector<bool> ticks;
    for (int row = 0; row < m_list->rowCount(); ++row) {
        depths.push_back(m_list->CellText(row, kDepthColumn));
        ticks.push_back(IsRowTicked(row));
    }
    const std::vector<bool> before = ticks;
    CorvLibraryChoices::PropagateSubtreeTicks(depths, ticks, startRow);
    for (int row = 0; row < int(ticks.size()); ++row)
        if (ticks[std::size_t(row)] != before[std::size_t(row)])
            m_list->SetCheckText(row, kCheckColumn, ticks[std::size_t(row)]);
    m_ticking = false;
}

void CDlgLibraryList::SetAllTicks(bool ticked)
{
    for (int row = 0; row < m_list->rowCount(); ++row)
        m_list->SetCheckText(row, kCheckColumn, ticked);
    // "Select all" enables the button even over an empty list: confirming then returns no records.
    m_ok->setEnabled(ticked && CanConfirm());
}

void CDlgLibraryList::UpdateOkButton() { m_ok->setEnabled(AnyTicked() && CanConfirm()); }
