#pragma once

#include <QDialog>
#include <QString>

class QComboBox;

// "Exit": the value a published SCORM lesson reports as the learner's reason for leaving, chosen from the
// list of the SCORM version. The caller sets the flag (1 for SCORM 1.2) and the value, and stores the
// value (with its quotation marks) on OK.
class CDlgSCORMExitCode : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgSCORMExitCode(QWidget *parent = nullptr);

    QString value;
    int scorm12Flag = 1;

    int exec() override;
    void ShowValues();
    QComboBox *ValueList() const { return m_list; }

private:
    QComboBox *m_list;
};
