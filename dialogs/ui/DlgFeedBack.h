#pragma once

#include "dialogs/ui/ValueDialog.h"

class QPlainTextEdit;

// "Default feedback": the feedback texts new questions start with, for a right and a wrong answer.
class CDlgFeedBack : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgFeedBack(QWidget *parent = nullptr);

    QString correctFeedback;
    QString wrongFeedback;

    void ShowValues() override;
    void accept() override;

    QPlainTextEdit *CorrectBox() const { return m_correct; }
    QPlainTextEdit *WrongBox() const { return m_wrong; }

private:
    QPlainTextEdit *m_correct;
    QPlainTextEdit *m_wrong;
};
