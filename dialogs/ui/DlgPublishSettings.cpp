#include "dialogs/ui/DlgPublishSettings.h"

#include "platform/ui/FolderDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kKindNames[] = {"Standalone", "LAN-based database", "Web-based database", "LMS"};

} // namespace

CDlgPublishSettings::CDlgPublishSettings(QWidget *parent, QString &lastFolder, CFileDialogs *dialogs)
    : QDialog(parent), m_lastFolder(lastFolder), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("DlgPublishSettings"));
    setWindowTitle(QStringLiteral("Publish settings"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Set the publish folder for each type of course that can be published."), this));
    auto *note = new QLabel(QStringLiteral("The default location is the Published Files folder. This folder is created "
                                           "within the folder in which the course is saved."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *grid = new QGridLayout;
    for (int kind = 0; kind < CPublishFolderChoice::kKinds; ++kind) {
        RowControls &row = m_rows[size_t(kind)];
        const QString name = QString::fromLatin1(kKindNames[kind]);
        auto *label = new QLabel(name, this);
        row.folder = new QLineEdit(this);
        row.folder->setObjectName(QStringLiteral("Folder%1").arg(kind));
        row.folder->setAccessibleName(name + QStringLiteral(" publish folder"));
        row.folder->setMinimumWidth(280);
        label->setBuddy(row.folder);
        row.browse = new QPushButton(QStringLiteral("Browse..."), this);
        row.browse->setObjectName(QStringLiteral("Browse%1").arg(kind));
        row.browse->setAccessibleName(QStringLiteral("Browse for the %1 publish folder").arg(name));
        row.browse->setAutoDefault(false);
        row.useDefault = new QCheckBox(QStringLiteral("Use the default location"), this);
        row.useDefault->setObjectName(QStringLiteral("UseDefault%1").arg(kind));
        row.useDefault->setAccessibleName(name + QStringLiteral(": use the default location"));
        grid->addWidget(label, kind * 2, 0, 1, 3);
        grid->addWidget(row.folder, kind * 2 + 1, 0);
        grid->addWidget(row.browse, kind * 2 + 1, 1);
        grid->addWidget(row.useDefault, kind * 2 + 1, 2);
        connect(row.useDefault, &QCheckBox::clicked, this, [this, kind] {
            ReadValues();
            UpdateRow(kind);
        });
        connect(row.browse, &QPushButton::clicked, this, [this, kind] { OnBrowse(kind); });
    }
    layout->addLayout(grid);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int CDlgPublishSettings::exec()
{
    ShowValues();
    return QDialog::exec();
}

void CDlgPublishSettings::ShowValues()
{
    for (int kind = 0; kind < CPublishFolderChoice::kKinds; ++kind) {
        const auto &row = values.rows[size_t(kind)];
        m_rows[size_t(kind)].folder->setText(row.folder);
        // A flag other than 0 and 1 is kept as it is unless the author clicks the box.
        m_rows[size_t(kind)].useDefault->setChecked(row.useDefault == 1);
        UpdateRow(kind);
    }
}

void CDlgPublishSettings::ReadValues()
{
    for (int kind = 0; kind < CPublishFolderChoice::kKinds; ++kind) {
        auto &row = values.rows[size_t(kind)];
        row.folder = m_rows[size_t(kind)].folder->text();
        const bool ticked = m_rows[size_t(kind)].useDefault->isChecked();
        if (ticked != (row.useDefault == 1))
            row.useDefault = ticked ? 1 : 0;
    }
}

void CDlgPublishSettings::UpdateRow(int kind)
{
    const bool editable = CPublishFolderChoice::RowEditable(values.rows[size_t(kind)]);
    m_rows[size_t(kind)].folder->setEnabled(editable);
    m_rows[size_t(kind)].browse->setEnabled(editable);
}

void CDlgPublishSettings::OnBrowse(int kind)
{
    ReadValues();
    CFolderDialog picker(QStringLiteral("\nSelect the folder into which the course will be published:"),
                         values.BrowseStart(kind, m_lastFolder), this, CFolderDialog::kBrowseFlags, m_dialogs);
    if (picker.DoModal() != CFolderDialog::IDOK)
        return;
    values.Chosen(kind, picker.GetFolderPath(), m_lastFolder);
    m_rows[size_t(kind)].folder->setText(picker.GetFolderPath());
}

void CDlgPublishSettings::accept()
{
    ReadValues();
    QDialog::accept();
}
