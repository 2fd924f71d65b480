#pragma once

#include "dialogs/LikertValues.h"
#include "dialogs/ui/ValueDialog.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSpinBox;

// "Slider question": the question, the slider's look, a scale of numbers or of words, how the value is
// shown, the correct value and its tolerance, the markers and the two feedback texts. The boxes that do
// not apply to the chosen scale and rounding are disabled.
class CDlgLikertQuestion : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgLikertQuestion(QWidget *parent = nullptr);

    CLikertValues values;

    void ShowValues() override;
    void accept() override;

    QPlainTextEdit *QuestionBox() const { return m_question; }
    QCheckBox *HorizontalBox() const { return m_horizontal; }
    QCheckBox *FillBox() const { return m_fill; }
    QCheckBox *ShowValueBox() const { return m_showValue; }
    QRadioButton *NumbersRadio() const { return m_numbers; }
    QRadioButton *WordsRadio() const { return m_wordsRadio; }
    QLineEdit *StartBox() const { return m_start; }
    QLineEdit *EndBox() const { return m_end; }
    QLineEdit *StartLabelBox() const { return m_startLabel; }
    QLineEdit *EndLabelBox() const { return m_endLabel; }
    QRadioButton *SnapRadio() const { return m_snap; }
    QRadioButton *ExactRadio() const { return m_exact; }
    QCheckBox *EvaluateBox() const { return m_evaluate; }
    QLineEdit *CorrectValueBox() const { return m_correctValue; }
    QSpinBox *DecimalsBox() const { return m_decimals; }
    QPlainTextEdit *WordsBox() const { return m_words; }
    QLineEdit *ToleranceBox() const { return m_tolerance; }
    QSpinBox *MarkersBox() const { return m_markers; }
    QPlainTextEdit *CorrectFeedbackBox() const { return m_correct; }
    QPlainTextEdit *WrongFeedbackBox() const { return m_wrong; }

private:
    void UpdateEnabling();

    QPlainTextEdit *m_question;
    QCheckBox *m_horizontal;
    QCheckBox *m_fill;
    QCheckBox *m_showValue;
    QRadioButton *m_numbers;
    QRadioButton *m_wordsRadio;
    QLineEdit *m_start;
    QLineEdit *m_end;
    QLineEdit *m_startLabel;
    QLineEdit *m_endLabel;
    QRadioButton *m_snap;
    QRadioButton *m_exact;
    QCheckBox *m_evaluate;
    QLineEdit *m_correctValue;
    QSpinBox *m_decimals;
    QPlainTextEdit *m_words;
    QLineEdit *m_tolerance;
    QSpinBox *m_markers;
    QPlainTextEdit *m_correct;
    QPlainTextEdit *m_wrong;
};
