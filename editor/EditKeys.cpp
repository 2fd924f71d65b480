#include "editor/EditKeys.h"

namespace EditKeys {

Result OnKeyDown(int keyF, char letter, bool ctrl, bool alt, bool shift, const State &state)
{
    Result r;
    if (ctrl && alt && !shift && keyF >= 1 && keyF <= 9) {
        r.action = Action::question;
        r.index = keyF;
        r.defaultProcessing = false;
        return r;
    }
    if (alt || shift)
        return r;
    if (ctrl) {
        switch (letter) {
        case 'C': r.action = Action::copyScreen; break;
        case 'V': r.action = Action::pasteScreen; break;
        case 'F': r.action = Action::find; break;
        default:
            if (keyF >= 1 && keyF <= 12) {
                r.action = Action::newScreenFromKey;
                r.index = keyF;
                // Ctrl+F10 must not go on to open the menu bar.
                r.defaultProcessing = keyF != 10;
            }
            return r;
        }
        r.defaultProcessing = false;
        return r;
    }
    if (keyF == 1)
        r.action = Action::help;
    else if (keyF == 5 && state.canAddScreenHere)
        r.action = Action::newScreen;
    else if (keyF == 6 && !state.importPending)
        r.action = Action::importDocument;
    return r;
}

} // namespace EditKeys
