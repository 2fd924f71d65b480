#pragma once

#include "dialogs/BlankQuestionValues.h"
#include "dialogs/ui/ValueDialog.h"

#include <array>

class QLineEdit;
class QPlainTextEdit;

// The dialog of the two blank questions (complete the paragraph, fill in the blanks): the instruction, the
// question text with "****" for each blank, ten word boxes and the two feedback texts.
class CDlgBlankQuestion : public CValueDialog
{
    Q_OBJECT
public:
    CDlgBlankQuestion(const QString &title, const QString &objectName, const CBlankQuestionValues &defaults,
                      const QString &wordsNote, QWidget *parent);

    CBlankQuestionValues values;

    void ShowValues() override;
    void accept() override;

    QPlainTextEdit *InstructionBox() const { return m_instruction; }
    QPlainTextEdit *QuestionBox() const { return m_question; }
    QLineEdit *WordBox(int i) const { return m_words[size_t(i)]; }
    QPlainTextEdit *CorrectFeedbackBox() const { return m_correct; }
    QPlainTextEdit *WrongFeedbackBox() const { return m_wrong; }

private:
    QPlainTextEdit *m_instruction;
    QPlainTextEdit *m_question;
    std::array<QLineEdit *, CBlankQuestionValues::kWords> m_words{};
    QPlainTextEdit *m_correct;
    QPlainTextEdit *m_wrong;
};
