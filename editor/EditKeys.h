#pragma once

// What a key that reaches the Edit window does, as a function of the key, the modifiers held and the state
// of the course; the widget only carries the action out.
namespace EditKeys {

enum class Action {
    none,
    question,        // Ctrl+Alt+F1 to Ctrl+Alt+F9: the question kind 1 to 9 of the edit bar's menu
    copyScreen,      // Ctrl+C
    pasteScreen,     // Ctrl+V
    find,            // Ctrl+F
    newScreenFromKey, // Ctrl+F1 to Ctrl+F12: the template of key 1 to 12
    help,            // F1
    newScreen,       // F5
    importDocument,  // F6
};

struct State {
    bool canAddScreenHere = false;
    bool importPending = false;
};

struct Result {
    Action action = Action::none;
    int index = 0;                // question kind or template key, from 1
    bool defaultProcessing = true; // the key goes on to the widgets around the Edit window
};

// keyF is 1 to 12 for the function keys F1 to F12, else 0; letter is the key's upper-case letter, else 0.
Result OnKeyDown(int keyF, char letter, bool ctrl, bool alt, bool shift, const State &state);

} // namespace EditKeys
