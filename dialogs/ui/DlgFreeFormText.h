#pragma once

#include "dialogs/ui/ValueDialog.h"
#include "model/ComponentFreeFormText.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// "Free form text entry question": the instruction, up to ten keywords the answer is matched against
// (each may list alternatives separated by ";", kept as typed), how they are matched, what is done with
// the response, and the two feedback texts. The question's id is shown, never edited. The question runs
// the dialog itself (CComponentFreeFormText::EditProperties), through Edit.
class CDlgFreeFormText : public CValueDialog, public CComponentFreeFormText::Dialog
{
    Q_OBJECT
public:
    explicit CDlgFreeFormText(QWidget *parent = nullptr);

    // Number to match: -1 none chosen, 0 "all", 1 to 10.
    CComponentFreeFormText::DialogValues values;

    void SetKeywords(const CComponentFreeFormText::Keywords &keywords) { values.m_keywords = keywords; }
    void GetKeywords(CComponentFreeFormText::Keywords &keywords) const { keywords = values.m_keywords; }

    // Presets the values, runs the dialog and, on OK, hands the values back.
    bool Edit(CComponentFreeFormText::DialogValues &edited) override;

    void ShowValues() override;
    void accept() override;

    QPlainTextEdit *InstructionBox() const { return m_instruction; }
    QLineEdit *KeywordBox(int i) const { return m_keywords[size_t(i)]; }
    QCheckBox *Box(const QString &objectName) const;
    QLineEdit *MaxCharactersBox() const { return m_maxCharacters; }
    QComboBox *NumberToMatchList() const { return m_numberToMatch; }
    QLabel *IdLine() const { return m_id; }
    QPlainTextEdit *CorrectFeedbackBox() const { return m_correct; }
    QPlainTextEdit *WrongFeedbackBox() const { return m_wrong; }

private:
    struct Flag {
        QCheckBox *box;
        int CComponentFreeFormText::DialogValues::*field;
    };

    QPlainTextEdit *m_instruction;
    std::array<QLineEdit *, CComponentFreeFormText::kKeywords> m_keywords{};
    std::vector<Flag> m_flags;
    QLineEdit *m_maxCharacters;
    QComboBox *m_numberToMatch;
    QLabel *m_id;
    QPlainTextEdit *m_correct;
    QPlainTextEdit *m_wrong;
};
