#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The two word lists of the program folder that start-up reads, both text in the legacy code page.
namespace CorvStartupFiles {

inline const QString kExclusionList = QStringLiteral("exclusionList.txt");
inline const QString kSpecialCharacters = QStringLiteral("specialChars.txt");

// The words of exclusionList.txt: each line lower-cased and trimmed, in file order; an empty line gives an
// empty word. False when the file cannot be read; errorText then says why.
bool ReadExclusionList(const QString &path, QStringList &words, QString *errorText = nullptr);

// The substitutions of specialChars.txt in line order: the text before a line's first tab is the key, the
// rest of the line its replacement; a line without a tab gives the empty key with the whole line. Keys are
// not merged here (a later line replaces an earlier one where they are stored). Nothing when the file
// cannot be read.
QList<QPair<QString, QString>> ReadSpecialCharacters(const QString &path);
QList<QPair<QString, QString>> ParseSpecialCharacters(const QString &text);

} // namespace CorvStartupFiles
