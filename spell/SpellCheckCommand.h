#pragma once

#include <QString>

#include <vector>

class CCorvPage;
class CCorvessaDoc;
class CRichText;
class CSpellUi;

// What the spelling commands ask of the Edit window: whether it exists, its current screen, and making a
// screen the current one (shown on the canvas) before its texts are checked.
class CSpellEditorHooks
{
public:
    virtual ~CSpellEditorHooks() = default;
    virtual CCorvPage *CurrentScreen() const = 0;
    virtual void MakeCurrent(CCorvPage *screen) = 0;
    virtual void SetWaitCursor(bool /*on*/) {}
    // A word of the screen's texts was replaced: the windows of its texts show them again.
    virtual void TextChanged(CCorvPage & /*screen*/) {}
};

// The two spelling commands of the document: the whole course (the screens of the main list in order,
// never the popup or glossary screens) and the current screen. Each checks the text of every text box,
// table cell and question of a screen in drawing order, ends at the author's cancel and always closes with
// "Spell checking is done". A course whose texts changed is marked modified.
class CSpellCheckCommand
{
public:
    // hooks: the Edit window, null when it does not exist. dictionaryFolder: Debian's when empty.
    CSpellCheckCommand(CCorvessaDoc &doc, CSpellEditorHooks *hooks, CSpellUi &ui, QString dictionaryFolder = {});

    void OnToolsSpellCheckProject();
    void OnToolsSpellCheckThisPage();

    // The texts the check walks on a screen: every text box, every table cell row by row and every
    // question's text, in drawing order.
    static std::vector<CRichText *> CollectTexts(const CCorvPage &screen);

private:
    enum class Scope { project, thisPage };
    void Run(Scope scope);

    CCorvessaDoc &m_doc;
    CSpellEditorHooks *m_hooks;
    CSpellUi &m_ui;
    QString m_dictionaryFolder;
};
