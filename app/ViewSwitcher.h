#pragma once

// The four main views of the one document, by index.
enum MainViewIndex { SettingsViewIndex = 0, ImportViewIndex = 1, EditViewIndex = 2, PublishViewIndex = 3 };
constexpr int kMainViewCount = 4;

// What a switch does to the views, in the order the switcher asks for it.
class CMainViewHost
{
public:
    virtual ~CMainViewHost() = default;
    // The Settings view is about to be hidden: its category tree takes the focus first.
    virtual void FocusCategoryTree() = 0;
    virtual void HideView(int index) = 0;
    // The Settings view is about to be shown: its Management page, then its Buttons page, reload their
    // controls from the document.
    virtual void RefreshSettingsPages() = 0;
    // Shows the view, makes it the frame's active view, lays the frame out again and repaints the view.
    virtual void ShowAndActivateView(int index) = 0;
};

// Which main view is visible, and the only way to change it. Before start-up has recorded the Settings
// view there is no current view and a switch does nothing.
class CViewSwitcher
{
public:
    explicit CViewSwitcher(CMainViewHost &host) : m_host(host) {}

    // Start-up has taken the Settings view as the visible one.
    void SetStarted() { m_current = SettingsViewIndex; }
    bool HasCurrentView() const { return m_current >= 0; }
    // -1 before start-up.
    int CurrentViewIndex() const { return m_current; }

    // Shows the view of the index and returns the index that was visible, or -1 when there was none yet.
    // Switching to the visible view, or to an index that names no view, changes nothing.
    int SwitchView(int index);

    // The view commands (mode bar, Windows menu) are enabled exactly when their view is not the visible one.
    bool IsViewCommandEnabled(int index) const { return m_current != index; }

    // The view a view command shows: the mode bar's 32775..32778, their aliases 32771..32774 and the Windows
    // menu's 32911..32914; -1 for any other command.
    static int ViewIndexOfCommand(int commandId);

private:
    CMainViewHost &m_host;
    int m_current = -1;
};
