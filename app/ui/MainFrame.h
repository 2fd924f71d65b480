#pragma once

#include "app/UiState.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <span>

class CCorvessaApp;
class CEditViewApi;
class CFontComboBox;
class CTrueColorToolBar;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QStackedWidget;
class QToolBar;

// The program's one main window: the menus, the mode bar of the four main views, the standard, formatting
// and edit bars with the two font boxes, the six-pane status bar, and the main views themselves, one of
// them visible. Every menu item, button and key sends a command number to OnCommand; the frame carries out
// its own, hands the application's to the application and forwards the editing commands to the Edit view,
// whichever view is visible. The formatting and edit bars show only while the Edit view is the visible one.
class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    explicit CMainFrame(CCorvessaApp &app);
    ~CMainFrame() override;

    // Builds the bars, the menus and the status bar. False when any of them could not be made.
    bool OnCreate();

    // The author wants the edit bar or the formatting bar (View menu); both start wanted.
    bool WantEditBar = true;
    bool WantFormattingBar = true;
    // The View menu's toggles of the Edit window, and the drawing tool armed last.
    int ShowSorter = 1;
    int ShowBackground = 0;
    int ShowGrid = 0;
    bool LineToolArmed = false;
    bool RectangleToolArmed = false;
    bool CircleToolArmed = false;

    QToolBar *ModeBar() const;
    QToolBar *StandardBar() const { return m_standardBar; }
    QToolBar *FormattingBar() const { return m_formattingBar; }
    QToolBar *EditBar() const;
    CFontComboBox *FontNameCombo() const { return m_fontName; }
    QComboBox *FontSizeCombo() const { return m_fontSize; }
    QLabel *PositionPane() const { return m_position; }
    QLabel *SizePane() const { return m_size; }
    QAction *Action(int commandId) const { return m_actions.value(commandId); }
    // A menu or sub-menu by its title ("&File", "Language").
    QMenu *Menu(const QString &title) const;

    // The main views, kept for the whole run; ShowView makes one the visible one.
    void AddMainView(QWidget *view);
    void ShowView(QWidget *view);
    // The Edit view the editing commands and the font boxes go to (not owned; null before it exists).
    void SetEditView(CEditViewApi *editView);

    // One command, as a menu item, a button or a key sends it. False when nobody handles it.
    bool OnCommand(int commandId);
    // Enables and ticks the menu items and buttons for the current state.
    void UpdateCommandStates();
    // What the command rules look at now.
    CUiState CurrentUiState() const;
    bool IsCommandEnabled(int commandId) const;
    // Opens the program's help file; the Edit window's F1 comes here too.
    void ShowHelp();

    // Called by the Edit canvas when the selection moves, changes size or goes: "x, y" in its pane.
    void ShowItemPosition(int x, int y);
    void ShowItemSize(int width, int height);
    // Called by the text windows when their selection changes: the font boxes show its face and size.
    void SelectFontInToolbar(const QString &faceName, int points);

    // Shows or hides the bar as the visible view and the author's wish say; nothing when it already agrees.
    void UpdateEditBarVisibility();
    void UpdateFormattingBarVisibility();

    // The File menu's list of recent projects.
    void SetRecentFiles(const QStringList &files);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The command's one action, with its text, tips and keys.
    QAction *MakeAction(int commandId);
    // Adds the buttons (commands, 0 for a separator) in order; placeBox puts in the commands the bar shows as a box of their own and says
    // which those are.
    void AddButtons(QToolBar *bar, std::span<const int> buttons, bool drawnIcons,
                    const std::function<bool(int)> &placeBox = {});
    void CreateFontNameBox();
    void CreateFontSizeBox();
    bool CreateModeBar();
    bool CreateStandardBar();
    bool CreateFormattingBar();
    bool CreateEditBar();
    void CreateStatusBar();
    void CreateMenus();
    void OnViewMenuAboutToShow();
    void ToggleWantedBar(int commandId);
    void UpdateBarVisibility(QToolBar *bar, bool wanted);
    bool IsForwardedCommand(int commandId) const;
    void OnPublishSettings();
    void OnPublishingPreference(int commandId);
    void OnViewToggle(int commandId);
    void OnClipboardCommand(int commandId);
    void OnSpellCheck(int commandId);
    void OnSetSpellingLanguage(int commandId);

    CCorvessaApp &m_app;
    CEditViewApi *m_editView = nullptr;
    QHash<int, QAction *> m_actions;
    CTrueColorToolBar *m_modeBar = nullptr;
    QToolBar *m_standardBar = nullptr;
    QToolBar *m_formattingBar = nullptr;
    CTrueColorToolBar *m_editBar = nullptr;
    CFontComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    QLabel *m_position = nullptr;
    QLabel *m_size = nullptr;
    QMenu *m_fileMenu = nullptr;
    QAction *m_recentAnchor = nullptr;
    QList<QAction *> m_recentActions;
    QList<QMenu *> m_menus;
    QStackedWidget *m_views = nullptr;
};
