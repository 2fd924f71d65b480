#pragma once

#include "dialogs/DialogCheck.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

class CCorvContext;
struct _xmlDoc;

// The graphics-library pickers ("Add graphic from library", "Replace graphic from library"): the author
// types up to three keywords, chooses a category and the kinds of picture, searches the library's index
// (images.xml) and picks one of the pictures found. Everything here works without windows.
namespace LibraryPicker {

// Rows a search lists at most: the add dialog and the replace dialog.
constexpr int kInsertLimit = 100;
constexpr int kReplaceLimit = 500;
// Thumbnails are this many pixels square.
constexpr int kThumbnailSize = 100;
// The category list: the twenty names, then "All", which sets no category condition.
constexpr int kFirstCategoryString = 15019;
constexpr int kAllCategoriesString = 15039;
// "Please select a graphic."
constexpr int kSelectGraphicString = 35005;

// The kinds of picture a search includes, each 0 or 1.
struct Kinds {
    int colourPhotos = 1; // "Stock Photo - color"
    int bwPhotos = 1;     // "Stock Photo - b&w"
    int photoObjects = 1; // "Photo Object"
    int clipArt = 0;      // "Vector"
};

// The words of a picture's name or keywords as a search compares them: lower case, cut at blanks and
// punctuation (brackets included), letters only, at least two long, each once; in text order.
QStringList ExtractSearchWords(const QString &text);

// The index query of the search words: every word in brackets in the keywords, or every word in brackets in
// the name; the category (empty: none) contained in the picture's category; and one of the kinds. Words and
// category are quoted as XPath literals, whatever they hold.
QString BuildKeywordQuery(const QStringList &words, const QString &category, const Kinds &kinds);

// The picture fitted into a black 100 x 100 thumbnail with its shape kept: a wide picture is 100 wide at x 0,
// centred from top to bottom; any other is 100 high at y 0, centred from left to right. Null for an empty
// picture.
QImage FitThumbnail(const QImage &picture);
// The thumbnail of a library picture, found by its file name in the library's folders; null when the name
// is empty or the picture cannot be found or read.
QImage MakeLibraryThumbnail(const CCorvContext &context, const QString &fileName);

// One search over the index. Pictures are taken in the index's order; a picture is listed when the query
// selects it, every search word is one of the words of its name and keywords, and it names a file. addRow
// is called with each such file and says whether it made a row of it (a picture that cannot be read makes
// none); the search stops when limit rows were made. Returns the number of rows. A null index lists
// nothing; a search word that no picture's words can equal (not all letters, too short) lists nothing
// without querying.
int Search(_xmlDoc *index, const QStringList &words, const QString &category, const Kinds &kinds, int limit,
           const std::function<bool(const QString &file)> &addRow);

} // namespace LibraryPicker

// What the picker dialogs hold: their boxes, and after "Insert" or "Update" the chosen picture.
struct CLibraryPickerValues {
    // Out: the chosen picture's file name (as the index gives it) and its alternative text.
    QString fileName;
    QString altText;
    // Out: 0 small, 1 medium, 2 large.
    int size = 1;
    // Out: 1 when a border is wanted ("Add a border to JPG Images"), and its style (0 black, 1 bevelled).
    int border = 0;
    int borderStyle = 0;

    std::array<QString, 3> keywords;
    LibraryPicker::Kinds kinds;
    // The chosen category's text; "All" stands for every category.
    QString category;

    // The search words: the keywords that are not empty, in order, each lowered in place and taken whole.
    QStringList TakeSearchWords();
    // The category condition of the search: none for "All" (or nothing chosen).
    QString CategoryCondition() const;
    // The keywords that are not empty joined by ",", where one does not end the text already.
    QString JoinedKeywords() const;
    // Confirming with the label of the selected row (empty: no row selected): "Please select a graphic."
    // without one; else the file name and the alternative text are set.
    CDialogCheck Confirm(const QString &selectedFile);
};
