#pragma once

#include "spell/SpellUi.h"

#include <QDialog>

class CPrompt;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// "Spelling": one word the dictionary does not know, shown in its paragraph, with the dictionary's
// suggestions. The author ignores it (once or for the rest of the check), changes it (here or everywhere),
// adds it to the own word list, or cancels the whole check.
class CDlgSpelling : public QDialog
{
    Q_OBJECT
public:
    explicit CDlgSpelling(QWidget *parent = nullptr);

    void SetQuery(const CSpellUi::Query &query);
    // What the author chose; cancel when the window was closed.
    const CSpellUi::Answer &Result() const { return m_answer; }

    QLineEdit *ChangeToEdit() const { return m_changeTo; }
    QListWidget *SuggestionList() const { return m_suggestions; }
    QPushButton *Button(CSpellUi::Action action) const;

private:
    void Choose(CSpellUi::Action action);

    CSpellUi::Answer m_answer;
    QLabel *m_context;
    QLineEdit *m_word;
    QLineEdit *m_changeTo;
    QListWidget *m_suggestions;
    QList<QPair<CSpellUi::Action, QPushButton *>> m_buttons;
};

// The spelling check's questions as the author meets them: the dialog for each word, message boxes for
// what the check reports.
class CSpellingDialogUi : public CSpellUi
{
public:
    CSpellingDialogUi(QWidget *parent, CPrompt &prompt) : m_parent(parent), m_prompt(prompt) {}
    Answer Ask(const Query &query) override;
    void Tell(const QString &text) override;

private:
    QWidget *m_parent;
    CPrompt &m_prompt;
};
