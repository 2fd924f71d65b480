#include "dialogs/ui/DlgAutoBackupSetting.h"

#include "dialogs/AutoBackupChoice.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

CDlgAutoBackupSetting::CDlgAutoBackupSetting(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DlgAutoBackupSetting"));
    setWindowTitle(QStringLiteral("Auto-backup settings"));
    auto *layout = new QVBoxLayout(this);
    m_backup = new QCheckBox(QStringLiteral("Enable auto-backup"), this);
    m_backup->setObjectName(QStringLiteral("EnableBackup"));
    m_limitOn = new QCheckBox(QStringLiteral("Set limit to number of backups created"), this);
    m_limitOn->setObjectName(QStringLiteral("LimitBackups"));
    m_limit = new QLineEdit(this);
    m_limit->setObjectName(QStringLiteral("Limit"));
    m_limit->setAccessibleName(QStringLiteral("Limit"));
    m_limit->setValidator(new QIntValidator(0, 99999, m_limit));
    m_limit->setMaximumWidth(80);
    auto *limitRow = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("Limit"), this);
    label->setBuddy(m_limit);
    limitRow->addSpacing(20);
    limitRow->addWidget(label);
    limitRow->addWidget(m_limit);
    limitRow->addStretch();
    layout->addWidget(m_backup);
    layout->addWidget(m_limitOn);
    layout->addLayout(limitRow);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_backup, &QCheckBox::toggled, this, &CDlgAutoBackupSetting::UpdateControls);
    connect(m_limitOn, &QCheckBox::toggled, this, &CDlgAutoBackupSetting::UpdateControls);
}

void CDlgAutoBackupSetting::ShowValues()
{
    const QSignalBlocker a(m_backup), b(m_limitOn);
    m_backup->setChecked(values.BackupOnSave == 1);
    m_limitOn->setChecked(values.LimitBackups == 1);
    m_limit->setText(QString::number(values.BackupLimit));
    UpdateControls();
}

int CDlgAutoBackupSetting::exec()
{
    ShowValues();
    return QDialog::exec();
}

void CDlgAutoBackupSetting::UpdateControls()
{
    const auto controls =
        CorvAutoBackupChoice::Update(m_backup->isChecked(), m_limitOn->isChecked(), m_limit->text().toInt());
    m_limitOn->setEnabled(controls.limitBackupsEnabled);
    m_limit->setEnabled(controls.limitEnabled);
    m_limit->setText(QString::number(controls.limit));
}

void CDlgAutoBackupSetting::accept()
{
    values.BackupOnSave = m_backup->isChecked() ? 1 : 0;
    values.LimitBackups = m_limitOn->isChecked() ? 1 : 0;
    values.BackupLimit = std::max(m_limit->text().toInt(), CAutoBackupSetting::kMinimumBackupLimit);
    QDialog::accept();
}
