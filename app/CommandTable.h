#pragma once

#include "app/UiState.h"

#include <span>

// Every command of the main frame's menus and bars as data: its menu text, its tip ("status text\ntool
// tip"), its keys, and the rules that enable and tick it over a CUiState. The frame builds its actions and
// menus from here; the rules need no window.
namespace CorvCommandTable {

// When a command is enabled.
enum class Rule {
    always,
    framework,        // decided by the frame itself (the views, the bars, the recent files)
    editCurrent,      // the Edit window is the visible view
    undo,             // Edit current, a text box or HTML editor selected that can undo
    cutCopy,          // Edit current, a text box, HTML editor, image, video or audio selected
    paste,            // Edit current, a current screen, and a text selection or a held component
    screenAllowed,    // Edit current and the Edit window can add a screen there
    newDocument,      // Edit current and no import pending
    questionAllowed,  // Edit current and a current screen of type 1, 2 or 3
    editOrdinary,     // Edit current and an ordinary screen
    media,            // Edit current and no current screen or an ordinary one
    flashVideo,       // Edit current and no current screen or one of a type other than 1 and 8
    menuLink,         // Edit current, an ordinary screen, a text box, HTML editor or image selected
    noAssessment,     // the outline holds no assessment folder, container or screen
    noPopupsFolder,
    noGlossaryFolder,
    editScreen,       // Edit current and a current screen
    remediation,      // the current screen is of type 8
    questionScreen,   // a current screen of type 1, 2 or 3
    questionPage,     // the current screen is of type 3
    ordinary,         // an ordinary screen (not a container, popups, remediation or glossary screen)
    barLink,          // an ordinary screen, a text box, HTML editor, table or image selected
    textSelection,    // a current screen, a text box, table or HTML editor selected
    filledShape,      // an ordinary screen, an ellipse or a rectangle selected
    outlinedShape,    // an ordinary screen, an ellipse, a line or a rectangle selected
};

// When a command shows ticked.
enum class Check {
    none,
    framework,
    previewUsingHtm,
    standardResolution,
    sorter,
    background, // while shown and the Edit window is visible
    grid,
    language,   // the dictionary language is this command
    lineTool,
    rectangleTool,
    circleTool,
};

struct Command {
    int id;
    const char *text;  // menu text with its "&"; null for a button only
    const char *tip;   // "status text\ntool tip"
    const char *keys;  // portable key texts, "; " between them, the first shown in the menu
    Rule enabled;
    Check checked;
};

// One line of a menu: a command, a separator (id 0, no title) or a sub-menu opening (title, id 0) closed by
// a line of depth one less; the recent files stand at the line of id kRecentFilesLine.
struct MenuLine {
    int depth;
    int id;
    const char *title;
};
constexpr int kRecentFilesLine = -1;

std::span<const Command> Commands();
const Command *Find(int commandId);
bool IsEnabled(const Command &command, const CUiState &state);
bool IsChecked(const Command &command, const CUiState &state);
// The menu bar, menu by menu (depth 0 lines are the menus' titles).
std::span<const MenuLine> MenuBar();

// A page type on which components are placed: not a container (1), popups-only (7), remediation (8) or
// glossary (9) screen.
bool IsOrdinaryScreenType(int pageType);

// What Undo, Cut, Copy and Paste do with the Edit window's selection. Nothing unless the Edit window is
// the visible view: elsewhere a focused text field handles the standard keys itself, and a component still
// selected in the hidden Edit window is never touched.
enum class ClipboardAction {
    none,
    undoText,          // undo in the selected text box
    undoHtml,          // undo in the selected HTML editor's own text
    cutComponent,
    copyComponent,
    copySelectedText,  // the HTML editor's selected text
    pasteText,         // clipboard text into the selected text box or HTML editor
    pasteComponent,    // the held component onto the current screen
};
ClipboardAction Dispatch(int commandId, const CUiState &state);

} // namespace CorvCommandTable
