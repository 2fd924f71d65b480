#pragma once

#include <cstdint>

class CEditFrmVw;
class QPoint;
class QWidget;

// The Edit window's commands of the formatting bar that put text on the current screen or colour and size
// what is selected: "Insert textbox" and "Insert HTML Text box"; the text, fill and line colour popups and
// the line-width popup, each opening under its own button of the formatting bar and applying its choice to
// the component selected when the choice is made; the font name and size boxes.
namespace FormattingCommandsUi {

// True when the command is one of these, with enabled set.
bool UpdateCommand(const CEditFrmVw &view, int commandId, bool &enabled);
// Runs the command; false when it is not one of these.
bool OnCommand(CEditFrmVw &view, int commandId);

// What the popups send back. fill: the Fill Color popup (else Line Color or Text color); isDefault: its
// default box ("No Fill", "No Line", "Automatic") was chosen. Nothing changes without a component of a kind
// the choice applies to.
void OnColourChosen(CEditFrmVw &view, uint32_t colour, bool isDefault, bool fill);
void OnLineStyleChosen(CEditFrmVw &view, int width);

// The screen point under the bottom-left corner of the command's button on the named bar of the window; the
// window's top-left when the bar or the button is not there.
QPoint BelowBarButton(const QWidget *window, const char *barName, int commandId);

} // namespace FormattingCommandsUi
