#pragma once

#include "dialogs/MultipleChoiceValues.h"
#include "dialogs/ui/ValueDialog.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// "Multiple choice question": the stem, options A to E each with its "Correct" box, the single-answer
// choice and the two feedback texts.
class CDlgQuestionMultipleChoice : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgQuestionMultipleChoice(QWidget *parent = nullptr);

    CMultipleChoiceValues values;

    void ShowValues() override;
    void accept() override;

    QPlainTextEdit *StemBox() const { return m_stem; }
    QLineEdit *OptionBox(int i) const { return m_options[size_t(i)]; }
    QCheckBox *CorrectBox(int i) const { return m_correct[size_t(i)]; }
    QCheckBox *SingleAnswerBox() const { return m_single; }
    QPlainTextEdit *CorrectFeedbackBox() const { return m_correctFeedback; }
    QPlainTextEdit *WrongFeedbackBox() const { return m_wrongFeedback; }

private:
    QPlainTextEdit *m_stem;
    std::array<QLineEdit *, CMultipleChoiceValues::kOptions> m_options{};
    std::array<QCheckBox *, CMultipleChoiceValues::kOptions> m_correct{};
    QCheckBox *m_single;
    QPlainTextEdit *m_correctFeedback;
    QPlainTextEdit *m_wrongFeedback;
};
