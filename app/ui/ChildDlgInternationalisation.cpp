#include "app/ui/ChildDlgInternationalisation.h"

#include "platform/ui/FileDialogs.h"
#include "app/ui/controls/DropDownListCtrl.h"
#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "document/InternationalProfileReading.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

const QString CChildDlgInternationalisation::kFilter = QStringLiteral("Internationalisation File (*.kvp)");

namespace {

const QString kDefaultProfileName = QStringLiteral("kv_profile.kvp");
constexpr int kTextColumn = 2;

QLabel *WrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

} // namespace

CChildDlgInternationalisation::CChildDlgInternationalisation(CCorvessaDoc &document, QWidget *parent)
    : CSettingsPage(document, parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(WrappedLabel(QStringLiteral("Edit the sundry text (various dialog box messages, button labels, "
                                                  "signin screens...) that may be displayed to a user."),
                                   this));
    m_list = new CDropDownListCtrl(this);
    m_list->setObjectName(QStringLiteral("SundryTextList"));
    m_list->setAccessibleName(QStringLiteral("Sundry text"));
    m_list->setColumnCount(3);
    m_list->setHorizontalHeaderLabels({QString(), QStringLiteral("Description"), QStringLiteral("Text")});
    m_list->SetReadOnlyColumn(0, true);
    m_list->SetReadOnlyColumn(1, true);
    m_list->setShowGrid(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->verticalHeader()->hide();
    m_list->setWordWrap(true);
    layout->addWidget(m_list, 1);

    layout->addWidget(new QLabel(QStringLiteral("Additionally you may do this with the sundry text:"), this));
    auto *actions = new QHBoxLayout;
    actions->addWidget(WrappedLabel(QStringLiteral("- Export the currently displayed sundry text to a file for reuse in "
                                                   "a different project.\n- Import a previously saved sundry text "
                                                   "file.\n- Reset the currently displayed sundry text to defaults."),
                                    this),
                       1);
    auto *buttons = new QVBoxLayout;
    m_export = new QPushButton(QStringLiteral("&Export..."), this);
    m_export->setObjectName(QStringLiteral("ExportProfile"));
    m_export->setAccessibleName(QStringLiteral("Export the sundry text"));
    m_import = new QPushButton(QStringLiteral("&Import..."), this);
    m_import->setObjectName(QStringLiteral("ImportProfile"));
    m_import->setAccessibleName(QStringLiteral("Import a sundry text file"));
    m_reset = new QPushButton(QStringLiteral("&Reset"), this);
    m_reset->setObjectName(QStringLiteral("ResetProfile"));
    m_reset->setAccessibleName(QStringLiteral("Reset the sundry text to defaults"));
    for (QPushButton *button : {m_export, m_import, m_reset}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    actions->addLayout(buttons);
    layout->addLayout(actions);

    layout->addWidget(WrappedLabel(QStringLiteral("The text direction of many languages is Left to Right.  This is the "
                                                  "default setting of Corvessa.\nSome languages, such as Arabic and "
                                                  "Hebrew, are Right to Left."),
                                   this));
    m_rightToLeft = new QCheckBox(QStringLiteral("Set the default text direction to Right to &Left"), this);
    m_rightToLeft->setObjectName(QStringLiteral("RightToLeft"));
    layout->addWidget(m_rightToLeft);

    connect(m_export, &QPushButton::clicked, this, &CChildDlgInternationalisation::OnExport);
    connect(m_import, &QPushButton::clicked, this, &CChildDlgInternationalisation::OnImport);
    connect(m_reset, &QPushButton::clicked, this, &CChildDlgInternationalisation::OnReset);
    connect(m_rightToLeft, &QCheckBox::clicked, this, &CChildDlgInternationalisation::OnRightToLeft);
    connect(m_list, &CDropDownListCtrl::listCellChanged, this, &CChildDlgInternationalisation::OnListCellChanged);
    SizeColumns();
}

CFileDialogs &CChildDlgInternationalisation::FileDialogs() const { return m_dialogs ? *m_dialogs : CFileDialogs::Native(); }

void CChildDlgInternationalisation::resizeEvent(QResizeEvent *event)
{
    CSettingsPage::resizeEvent(event);
    SizeColumns();
}

void CChildDlgInternationalisation::SizeColumns()
{
    const int description = std::max(60, (m_list->width() - 50) / 4);
    m_list->setColumnWidth(0, 30);
    m_list->setColumnWidth(1, description);
    m_list->setColumnWidth(kTextColumn, description * 3);
    // Descriptions wrap: each row as high as its text needs at these widths.
    m_list->resizeRowsToContents();
}

void CChildDlgInternationalisation::RefreshFromDocument()
{
    const QSignalBlocker block(m_rightToLeft);
    m_rightToLeft->setChecked(Document().Settings().RightToLeft == 1);
    setLayoutDirection(m_rightToLeft->isChecked() ? Qt::RightToLeft : Qt::LeftToRight);
    m_list->setRowCount(0);
    // A profile the document holds (the project's own copy, or one edited here) is shown as it is: reading
    // the file again would drop the author's texts.
    if (CorvProfileReading::LoadedProfile(Document())) {
        FillList();
        return;
    }
    if (!Document().Settings().InternationalProfileFilename.isEmpty())
        profilePath = Document().Settings().InternationalProfileFilename;
    // No file is no profile: the published course then uses its built-in texts. Only a file that is there
    // and cannot be read is worth a message.
    if (!profilePath.isEmpty() && QFileInfo(CorvPath::ResolveNoCase(profilePath)).isFile())
        ParseInternationalProfile();
}

void CChildDlgInternationalisation::CommitPendingEdits() { m_list->EndActiveEdit(); }

bool CChildDlgInternationalisation::ParseInternationalProfile()
{
    // A file that does not read leaves the list and the project's texts as they were.
    if (!CorvProfileReading::ParseInternationalProfile(Document(), CorvPath::ResolveNoCase(profilePath)))
        return false;
    FillList();
    return true;
}

void CChildDlgInternationalisation::FillList()
{
    m_filling = true;
    m_list->setRowCount(0);
    m_list->ClearMultiLineRows();
    if (const InternationalProfileFromXML *profile = CorvProfileReading::LoadedProfile(Document())) {
        m_list->setRowCount(int(profile->items.size()));
        const Qt::Alignment textAlignment = (m_rightToLeft->isChecked() ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        for (int row = 0; row < int(profile->items.size()); ++row) {
            const InternationalProfileItemFromXML &item = profile->items[std::size_t(row)];
            m_list->SetCellText(row, 0, QString::number(row + 1));
            m_list->SetCellText(row, 1, item.description);
            m_list->SetCellText(row, kTextColumn, item.GetText());
            if (QTableWidgetItem *cell = m_list->item(row, kTextColumn))
                cell->setTextAlignment(textAlignment);
            if (item.multiline)
                m_list->SetMultiLineRow(row, true);
        }
        m_list->resizeRowsToContents();
    }
    m_filling = false;
}

void CChildDlgInternationalisation::OnListCellChanged()
{
    InternationalProfileFromXML *profile = CorvProfileReading::LoadedProfile(Document());
    if (m_filling || !profile)
        return;
    bool changed = false;
    const int rows = std::min(m_list->rowCount(), int(profile->items.size()));
    for (int row = 0; row < rows; ++row) {
        InternationalProfileItemFromXML &item = profile->items[std::size_t(row)];
        const QString cell = m_list->CellText(row, kTextColumn);
        if (cell.isEmpty() && item.cannotBeNull) {
            m_filling = true;
            m_list->SetCellText(row, kTextColumn, item.GetText());
            m_filling = false;
            continue;
        }
        if (cell == item.GetText())
            continue;
        // A line typed into a multi-line cell is kept as the profile keeps line breaks.
        QString text = cell;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\n', QStringLiteral("\r\n"));
        item.text = text;
        changed = true;
    }
    if (changed)
        Document().SetModifiedFlag();
}

void CChildDlgInternationalisation::OnRightToLeft()
{
    const bool on = m_rightToLeft->isChecked();
    Document().MutableSettings().RightToLeft = on ? 1 : 0;
    Document().SetModifiedFlag();
    setLayoutDirection(on ? Qt::RightToLeft : Qt::LeftToRight);
    FillList();
}

QString CChildDlgInternationalisation::DialogStartPath() const
{
    return CorvPath::Join(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), kDefaultProfileName);
}

void CChildDlgInternationalisation::OnExport()
{
    CommitPendingEdits();
    const InternationalProfileFromXML *profile = CorvProfileReading::LoadedProfile(Document());
    if (!profile)
        return;
    QString chosen = FileDialogs().GetSaveFileName(this, QStringLiteral("Export sundry text"), DialogStartPath(), kFilter);
    if (chosen.isEmpty())
        return;
    if (QFileInfo(chosen).suffix().isEmpty())
        chosen += QStringLiteral(".kvp");
    if (!profile->WriteProfileFile(chosen)) {
        Document().Prompt().Error(QStringLiteral("The sundry text could not be exported to\n%1").arg(chosen));
        return;
    }
    profilePath = chosen;
    Document().SetModifiedFlag();
}

void CChildDlgInternationalisation::OnImport()
{
    CommitPendingEdits();
    const QString chosen = FileDialogs().GetOpenFileName(this, QStringLiteral("Import sundry text"), DialogStartPath(), kFilter);
    if (chosen.isEmpty())
        return;
    const QString previous = profilePath;
    profilePath = chosen;
    if (!ParseInternationalProfile()) {
        // The author was told; the project keeps its profile and the path it came from.
        profilePath = previous;
        return;
    }
    Document().MutableSettings().InternationalProfileFilename = chosen;
    Document().SetModifiedFlag();
}

void CChildDlgInternationalisation::OnReset()
{
    m_list->EndActiveEdit();
    Document().ResetInternationalProfile();
    profilePath = Document().Settings().InternationalProfileFilename;
    ParseInternationalProfile();
    Document().SetModifiedFlag();
}
