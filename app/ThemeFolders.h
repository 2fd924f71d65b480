#pragma once

#include <QString>
#include <QStringList>

class CCorvessaDoc;

// The themes installed in the program folder: every sub-folder of "Themes" is one theme, named by the
// folder, holding "<name>.css", "screendump.jpg", "description.txt", "kv_text.png", "bg.jpg" and "Buttons".
// File names inside are found without regard to case, since themes are copied from systems that ignore it.
namespace CorvThemeFolders {

// The program folder's Themes folder, spelt as it is on disk ("themes" is found too).
QString ThemesFolder(const QString &programFolder);
// The theme names, sorted without regard to case; empty for a missing folder.
QStringList ListThemes(const QString &themesFolder);
// A file of a theme, spelt as it is on disk; "" when the theme name could leave the Themes folder.
QString ThemeFile(const QString &themesFolder, const QString &theme, const QString &fileName);
// The theme's style sheet, "<name>.css".
QString StyleSheetPath(const QString &themesFolder, const QString &theme);
// description.txt in the legacy code page; "" when it cannot be read.
QString ReadDescription(const QString &themesFolder, const QString &theme);

// The list entry a stored theme name selects: the entry equal to it (case ignored), else the first entry
// that begins with it, searching from the second entry round to the first; -1 when none does, or when the
// name is not a bare folder name (a damaged project must not point the page outside Themes).
int FindTheme(const QStringList &themes, const QString &theme);

// Points the first menu screen's title picture at the current theme's kv_text.png.
void UpdateThemeTextImage(CCorvessaDoc &doc);

} // namespace CorvThemeFolders
