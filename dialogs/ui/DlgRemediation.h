#pragma once

#include "dialogs/ScreenDialogValues.h"
#include "dialogs/ui/ValueDialog.h"

class CCorvessaDoc;
class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;

// "Remediation": the questions that count towards a remediation folder, the pass mark that avoids it and
// where the learner goes after completing it or reversing out of it. The questions are the question
// screens of the course; OK is offered once one question at least counts.
class CDlgRemediation : public CValueDialog
{
    Q_OBJECT
public:
    explicit CDlgRemediation(const CCorvessaDoc &doc, QWidget *parent = nullptr);

    CRemediationValues values;
    // What an entry shows before the screen's title; the outline label when none is given.
    CRemediationValues::Caption caption;

    void SetCountedQuestions(const std::vector<int> &numbers) { values.counted = numbers; }
    void ShowValues() override;
    void accept() override;
    void OnAdd();
    void OnRemove();

    QComboBox *CandidateList() const { return m_candidates; }
    QListWidget *CountedList() const { return m_counted; }
    QPushButton *AddButton() const { return m_add; }
    QPushButton *RemoveButton() const { return m_remove; }
    QSpinBox *PassMarkBox() const { return m_passMark; }
    QComboBox *ReverseOutList() const { return m_reverseOut; }
    QComboBox *CompletionList() const { return m_completion; }
    QPushButton *OkButton() const { return m_ok; }

private:
    const CCorvessaDoc &m_doc;
    QComboBox *m_candidates;
    QListWidget *m_counted;
    QPushButton *m_add;
    QPushButton *m_remove;
    QSpinBox *m_passMark;
    QComboBox *m_reverseOut;
    QComboBox *m_completion;
    QPushButton *m_ok;
};
