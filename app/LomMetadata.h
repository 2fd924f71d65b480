#pragma once

#include <QString>
#include <QStringList>

// The learning-object metadata the General page's LOM editor offers: the entries of its four lists, as
// the author sees them, and the length rule of its two long texts.
namespace CorvLom {

// The entries in stored-index order. Entries that only SCORM 2004 knows end in " (SCORM 2004)".
QStringList LanguageEntries();
QStringList StatusEntries();
QStringList PurposeEntries();
QStringList ResourceTypeEntries();

// Keywords and Rights hold at most this many characters when typed.
constexpr int kLongTextLimit = 1000;

// Whether an edit that turned before into after is kept: anything up to the limit is, and so is an edit
// that does not lengthen a text already over it (a longer value from a project shows and shrinks, but
// cannot grow).
bool AcceptTypedText(const QString &before, const QString &after, int limit = kLongTextLimit);

} // namespace CorvLom
