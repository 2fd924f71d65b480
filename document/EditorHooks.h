#pragma once

class CCorvPage;

// What the document asks of the Edit window when it puts new components on the screen being edited.
class CEditorHooks
{
public:
    virtual ~CEditorHooks() = default;
    // The screen shown on the Edit canvas; null when there is none.
    virtual CCorvPage *GetCurrentScreen() const = 0;
};

// Hooks that name one screen, given when they are made: for work that puts components on a screen it already
// knows, whether or not the Edit window shows it.
class CScreenHooks : public CEditorHooks
{
public:
    explicit CScreenHooks(CCorvPage *screen) : m_screen(screen) {}
    CCorvPage *GetCurrentScreen() const override { return m_screen; }

private:
    CCorvPage *m_screen;
};
