#pragma once

class CEditFrmVw;

// The Edit window's commands that take a picture from the graphics library: "Add graphic from library..."
// (the Tools menu's, or the canvas's own menu) puts a new picture on the current screen; "Replace graphic
// from library..." (the Tools menu's, or the picture's own context menu) gives the selected picture another.
namespace LibraryPictureCommandsUi {

// The picture's context-menu command.
constexpr int kReplaceImageFromLibrary = 32842;

// True when the command is one of these, with enabled set.
bool UpdateCommand(const CEditFrmVw &view, int commandId, bool &enabled);
// Runs the command; false when it is not one of these.
bool OnCommand(CEditFrmVw &view, int commandId);

} // namespace LibraryPictureCommandsUi
