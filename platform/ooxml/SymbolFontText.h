#pragma once

#include <QString>

// Characters of the symbol fonts. Word processors store a symbol inserted from such a font either as the
// font's byte or as that byte in the private-use block U+F020 to U+F0FF; either way the character means
// what the font draws there. The Symbol font's whole table and the Wingdings shapes used as bullets and
// marks are known and given as Unicode; any other character is kept as it stands.
namespace SymbolFontText {

// The character a symbol stands for: code is the stored character (U+F0xx or the byte), font its face.
// Nothing (a null QChar) for a code that is no character (0, a lone surrogate).
QChar Character(const QString &font, char16_t code);

// The text of a run in the given face with its private-use symbol characters mapped to Unicode where the
// face's table knows them.
QString MapPrivateUse(const QString &font, const QString &text);

// Whether the face is one whose characters are symbols (Symbol, Wingdings).
bool IsSymbolFont(const QString &font);

} // namespace SymbolFontText
