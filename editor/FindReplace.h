#pragma once

#include <QString>

#include <vector>

class CComponentBase;
class CCorvPage;
class CCorvessaDoc;
class CPrompt;
class CRichText;

// What a find-and-replace search needs of the Edit window: the screen being edited, a way to make another
// screen the current one and show it, and to show a text's selection or changed text in its window.
class CFindReplaceHost
{
public:
    virtual ~CFindReplaceHost() = default;
    virtual CCorvPage *CurrentScreen() const = 0;
    // Makes the screen the current one and shows it on the canvas.
    virtual void ShowScreen(CCorvPage *screen) = 0;
    // The text's selection moved to a match: its window shows it.
    virtual void ShowSelection(CComponentBase & /*component*/, CRichText & /*text*/) {}
    // The text changed under its window: the window shows it again.
    virtual void TextChanged(CComponentBase & /*component*/, CRichText & /*text*/) {}
};

// Finds and replaces whole words in the rich text of the course: the text boxes and table cells of the
// current screen or, with wholeProject, of every screen of the main list in turn, each shown while it is
// searched. Replace All changes text boxes only. Matches that touch hidden text (the markers that hold a
// link) are passed over, so a search can never break a link.
class CFindReplace
{
public:
    CFindReplace(CCorvessaDoc &document, CFindReplaceHost &host, CPrompt &prompt);

    // The dialog's fields.
    QString findWhat;
    QString replaceWith;
    bool matchCase = false;
    bool wholeProject = false;

    // The search buttons are enabled while there is something to find.
    bool CanSearch() const { return !findWhat.isEmpty(); }

    enum class Outcome {
        Found,     // a match is selected
        NoText,    // nothing to search: the author was told
        Closed     // the author chose not to go on from the beginning: the dialog closes
    };
    // Finds the next match from where the last search stopped.
    Outcome Find();
    // Replaces the selected match of the current text; nothing when no match is selected.
    void Replace();
    // Replaces every match in the text boxes of the current screen or of the whole main list, tells the
    // author how many and gives the count.
    int ReplaceAll();

    int ReplacementCount() const { return m_replacements; }
    // The text being searched and the screen it is on (null before the first Find).
    CRichText *CurrentText() const { return m_current.text; }

private:
    struct Target {
        CComponentBase *component = nullptr;
        CRichText *text = nullptr;
    };
    static std::vector<Target> CollectTargets(const CCorvPage &screen, bool textBoxesOnly);
    int FindNext(Target target, bool replace);
    bool PrepareNextScreen();
    void LoadTargets(CCorvPage *screen);
    Target NextTarget();
    void MarkModified(CCorvPage *screen);

    CCorvessaDoc &m_document;
    CFindReplaceHost &m_host;
    CPrompt &m_prompt;

    std::vector<Target> m_targets;
    int m_targetIndex = -1;
    size_t m_nextScreen = 0;
    CCorvPage *m_screen = nullptr;
    Target m_current;
    int m_start = 0;
    int m_replacements = 0;
    bool m_newSearch = true;
    int m_lastResult = 0;
    bool m_closed = false;
};
