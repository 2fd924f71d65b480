#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The pictures of the main frame's bars, drawn by the program itself so that they look the same on every
// desktop. The true-colour bars get strips with a mask-colour background (one picture per button, in
// button order); the plain bars get one icon per command.
namespace CorvToolbarArt {

// The colour the strips' backgrounds are painted in; the bars make it transparent.
constexpr QRgb kMaskColour = 0xFFFF00FF;

// The mode bar: Settings, Import, Edit, Publish, 128 x 32 each.
QImage ModeBarStrip(bool disabled);
// The edit bar: its eight buttons, 120 x 19 each.
QImage EditBarStrip(bool disabled);
// The icon of a button of the standard or formatting bar, by command number; null when it has none.
QIcon CommandIcon(int commandId);
// The icon of a category of the Settings window's tree (0 General ... 12 Internationalization), 32 x 32, with
// its selected look.
QIcon SettingsCategoryIcon(int category);
// The picture of a big publish button: 0 standalone, 1 LAN database, 2 web database, 3 LMS.
QImage PublishPicture(int kind);
// The program's own icon.
QIcon ApplicationIcon();
// The picture of the About box.
QImage AboutPicture();

} // namespace CorvToolbarArt
