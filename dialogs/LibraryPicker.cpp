#include "dialogs/LibraryPicker.h"

#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/GraphicsLibraryTable.h"
#include "model/PictureFiles.h"
#include "platform/StringTable.h"

#include <QPainter>

#include <algorithm>

namespace {

// The kinds' type bits, with the switch that allows each.
struct KindBit {
    int LibraryPicker::Kinds::*use;
    int bit;
};
constexpr KindBit kKindBits[] = {
    {&LibraryPicker::Kinds::bwPhotos, CGraphicsLibraryTable::BwBit},
    {&LibraryPicker::Kinds::clipArt, CGraphicsLibraryTable::VectorBit},
    {&LibraryPicker::Kinds::colourPhotos, CGraphicsLibraryTable::ColourBit},
    {&LibraryPicker::Kinds::photoObjects, CGraphicsLibraryTable::ObjectBit},
};

int AllowedTypes(const LibraryPicker::Kinds &kinds)
{
    int bits = 0;
    for (const KindBit &kind : kKindBits)
        if (kinds.*kind.use)
            bits |= kind.bit;
    return bits;
}

} // namespace

namespace LibraryPicker {

QStringList ExtractSearchWords(const QString &text)
{
    QStringList words;
    CGraphicsLibraryTable::ExtractKeywords(text, {}, words);
    return words;
}

QString BuildKeywordQuery(const QStringList &words, const QString &category, const Kinds &kinds)
{
    return CGraphicsLibraryTable::BuildKeywordQuery(words, category, AllowedTypes(kinds));
}

QImage FitThumbnail(const QImage &picture)
{
    const int width = picture.width(), height = picture.height();
    if (picture.isNull() || width <= 0 || height <= 0)
        return {};
    constexpr int side = kThumbnailSize, half = kThumbnailSize / 2;
    QRect target;
    if (width > height) {
        const int scaled = height * side / width;
        target = QRect(0, half - scaled / 2, side, scaled);
    } else {
        const int scaled = width * side / height;
        target = QRect(half - scaled / 2, 0, scaled, side);
    }
    QImage thumbnail(side, side, QImage::Format_RGB32);
    thumbnail.fill(Qt::black);
    QPainter painter(&thumbnail);
    // Plain stretching, pixels dropped or repeated, as the list's small pictures always were.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(target, picture);
    return thumbnail;
}

QImage MakeLibraryThumbnail(const CCorvContext &context, const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    QString path;
    if (!FindLibraryImage(context, fileName, path))
        return {};
    CxImage picture;
    if (!PictureFiles::Load(picture, path, GetImageFormatFromExt(path)) || !picture.IsValid())
        return {};
    return FitThumbnail(PictureFiles::ToDisplayImage(picture));
}

int Search(_xmlDoc *index, const QStringList &words, const QString &category, const Kinds &kinds, int limit,
           const std::function<bool(const QString &file)> &addRow)
{
    if (!index || words.isEmpty() || limit <= 0)
        return 0;
    // A picture's words are letters only and at least two long: a search word that is not one such word
    // (two words in one box, a quote, a digit) can never be among them.
    for (const QString &word : words)
        if (ExtractSearchWords(word) != QStringList{word})
            return 0;
    CGraphicsLibraryTable library;
    library.Attach(index);
    int rows = 0;
    for (const int hit : library.Run({words, category, !category.isEmpty()}, AllowedTypes(kinds))) {
        if (rows >= limit)
            break;
        const QStringList &hitWords = library.WordsOf(hit);
        if (!std::all_of(words.begin(), words.end(), [&](const QString &word) { return hitWords.contains(word); }))
            continue;
        const QString &file = library.ImageAt(hit).file;
        if (!file.isEmpty() && addRow(file))
            ++rows;
    }
    return rows;
}

} // namespace LibraryPicker

QStringList CLibraryPickerValues::TakeSearchWords()
{
    QStringList words;
    for (QString &keyword : keywords) {
        if (keyword.isEmpty())
            continue;
        keyword = keyword.toLower();
        words.append(keyword);
    }
    return words;
}

QString CLibraryPickerValues::CategoryCondition() const
{
    return category == CStringTable::Load(LibraryPicker::kAllCategoriesString) ? QString() : category;
}

QString CLibraryPickerValues::JoinedKeywords() const
{
    QString text;
    for (const QString &keyword : keywords) {
        if (keyword.isEmpty())
            continue;
        if (!text.isEmpty() && !text.endsWith(u','))
            text += u',';
        text += keyword;
    }
    return text;
}

CDialogCheck CLibraryPickerValues::Confirm(const QString &selectedFile)
{
    if (selectedFile.isEmpty())
        return CDialogCheck::Fail(CStringTable::Load(LibraryPicker::kSelectGraphicString));
    fileName = selectedFile;
    altText = JoinedKeywords();
    return {};
}
