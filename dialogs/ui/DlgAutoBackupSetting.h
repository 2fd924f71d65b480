#pragma once

#include "model/AutoBackupSetting.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// "Auto-backup settings": whether saving keeps backups, whether their number is limited and to how many.
// The caller presets `values` and, on OK, stores them.
class CDlgAutoBackupSetting : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgAutoBackupSetting(QWidget *parent = nullptr);

    CAutoBackupSetting values;

    int exec() override;
    void accept() override;
    // Shows the values (exec does this first).
    void ShowValues();

    QCheckBox *BackupBox() const { return m_backup; }
    QCheckBox *LimitBox() const { return m_limitOn; }
    QLineEdit *LimitEdit() const { return m_limit; }

private:
    void UpdateControls();

    QCheckBox *m_backup;
    QCheckBox *m_limitOn;
    QLineEdit *m_limit;
};
