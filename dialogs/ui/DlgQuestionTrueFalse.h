#pragma once

#include "dialogs/MultipleChoiceValues.h"
#include "dialogs/ui/ValueDialog.h"

class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// "True false question": the instruction, the statement, the two options with the one marked correct, and
// the two feedback texts.
class CDlgQuestionTrueFalse : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgQuestionTrueFalse(QWidget *parent = nullptr);

    CTrueFalseValues values;

    void ShowValues() override;
    void accept() override;

    QPlainTextEdit *InstructionBox() const { return m_instruction; }
    QPlainTextEdit *StatementBox() const { return m_statement; }
    QLineEdit *OptionABox() const { return m_optionA; }
    QLineEdit *OptionBBox() const { return m_optionB; }
    QRadioButton *CorrectARadio() const { return m_correctA; }
    QRadioButton *CorrectBRadio() const { return m_correctB; }
    QPlainTextEdit *CorrectFeedbackBox() const { return m_correctFeedback; }
    QPlainTextEdit *WrongFeedbackBox() const { return m_wrongFeedback; }

private:
    QPlainTextEdit *m_instruction;
    QPlainTextEdit *m_statement;
    QLineEdit *m_optionA;
    QLineEdit *m_optionB;
    QRadioButton *m_correctA;
    QRadioButton *m_correctB;
    QButtonGroup *m_pair;
    QPlainTextEdit *m_correctFeedback;
    QPlainTextEdit *m_wrongFeedback;
};
