#pragma once

#include <QWidget>

class CCorvessaDoc;

// One page of the Settings window. A page edits the course settings of the document directly: it writes its
// reset values when it is made (without marking the project modified), shows the document's values on every
// refresh (never marking it modified either), and writes an author's change at once, marking the project
// modified when the value differs. Enter and Esc do nothing on a page; the frame's shortcuts pass through.
class CSettingsPage : public QWidget
{
    Q_OBJECT
public:
    CSettingsPage(CCorvessaDoc &document, QWidget *parent = nullptr);

    CCorvessaDoc &Document() const { return m_document; }

    // The page's reset values into the document, then a refresh. A page with no settings of its own has none.
    virtual void ResetToDefaults() { RefreshFromDocument(); }
    virtual void RefreshFromDocument() {}
    // Moves a value still being typed into the document (before saving, publishing, switching windows).
    virtual void CommitPendingEdits() {}
    // The control that takes the focus before the page is hidden, so that no open list stays dropped down.
    virtual QWidget *FocusParking() { return nullptr; }

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    CCorvessaDoc &m_document;
};
