#pragma once

#include "platform/ui/CmdUIDialog.h"
#include "editor/FindReplace.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Find": finds whole words in the text boxes and table cells of the screen being edited, or of every screen
// of the course in turn, and replaces them. The search buttons work while there is something to find.
class CDlgSearchAndReplace : public CCmdUIDialog
{
    Q_OBJECT
public:
    CDlgSearchAndReplace(CCorvessaDoc &document, CFindReplaceHost &host, CPrompt &prompt, QWidget *parent = nullptr);

    QLineEdit *FindWhatEdit() const { return m_findWhat; }
    QLineEdit *ReplaceWithEdit() const { return m_replaceWith; }
    QCheckBox *MatchCaseBox() const { return m_matchCase; }
    QCheckBox *WholeProjectBox() const { return m_wholeProject; }
    QPushButton *FindButton() const { return m_find; }
    QPushButton *ReplaceButton() const { return m_replace; }
    QPushButton *ReplaceAllButton() const { return m_replaceAll; }
    const CFindReplace &Search() const { return m_search; }

private:
    void TakeFields();
    void OnFind();
    void OnReplace();
    void OnReplaceAll();

    CFindReplace m_search;
    QLineEdit *m_findWhat;
    QLineEdit *m_replaceWith;
    QCheckBox *m_matchCase;
    QCheckBox *m_wholeProject;
    QPushButton *m_find;
    QPushButton *m_replace;
    QPushButton *m_replaceAll;
};
