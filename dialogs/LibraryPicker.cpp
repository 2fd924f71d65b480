#include "dialogs/LibraryPicker.h"

#include "image/xImage.h"
#include "model/GlobalHelpers.h"
#include "model/PictureFiles.h"
#include "platform/StringTable.h"

#include <QPainter>

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <algorithm>

namespace {

const QString kSeparators = QStringLiteral(" ,.-{}()[];:<>?/\n\r");

// The kinds' type texts in the order the query names them, with the switch that allows each.
struct KindText {
    int LibraryPicker::Kinds::*use;
    const char16_t *text;
};
constexpr KindText kKindTexts[] = {
    {&LibraryPicker::Kinds::bwPhotos, u"Stock Photo - b&w"},
    {&LibraryPicker::Kinds::clipArt, u"Vector"},
    {&LibraryPicker::Kinds::colourPhotos, u"Stock Photo - color"},
    {&LibraryPicker::Kinds::photoObjects, u"Photo Object"},
};

// A literal for an XPath expression: quoted with whichever quote the text lacks, or built with concat()
// when it holds both.
QString XPathLiteral(const QString &text)
{
    if (!text.contains(u'\''))
        return u'\'' + text + u'\'';
    if (!text.contains(u'"'))
        return u'"' + text + u'"';
    QStringList parts;
    for (const QString &piece : text.split(u'\'')) {
        if (!piece.isEmpty())
            parts.append(u'\'' + piece + u'\'');
        parts.append(QStringLiteral("\"'\""));
    }
    parts.removeLast();
    return QStringLiteral("concat(") + parts.join(QStringLiteral(", ")) + u')';
}

// The string value of the element's first child element of that name.
QString FirstChildText(const xmlNode *element, const char *name)
{
    for (const xmlNode *child = element->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE || child->ns || xmlStrcmp(child->name, BAD_CAST name) != 0)
            continue;
        xmlChar *content = xmlNodeGetContent(child);
        const QString text = content ? QString::fromUtf8(reinterpret_cast<const char *>(content)) : QString();
        xmlFree(content);
        return text;
    }
    return {};
}

template <typename> struct SecondParameter;
template <typename R, typename A, typename B> struct SecondParameter<R (*)(A, B)> {
    using type = B;
};

} // namespace

namespace LibraryPicker {

QStringList ExtractSearchWords(const QString &text)
{
    QStringList words;
    const QString lower = text.toLower();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= lower.size(); ++i) {
        if (i < lower.size() && !kSeparators.contains(lower[i]))
            continue;
        const QString word = lower.mid(start, i - start);
        start = i + 1;
        if (word.size() < 2 || words.contains(word))
            continue;
        if (std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); }))
            words.append(word);
    }
    return words;
}

QString BuildKeywordQuery(const QStringList &words, const QString &category, const Kinds &kinds)
{
    QStringList keywordTests, nameTests;
    for (const QString &word : words) {
        keywordTests.append(QStringLiteral("contains(keywords, %1)").arg(XPathLiteral(u'[' + word + u']')));
        nameTests.append(QStringLiteral("contains(name, %1)").arg(XPathLiteral(u'[' + word + u']')));
    }
    QString query = QStringLiteral("//image[((") + keywordTests.join(QStringLiteral(" and ")) + QStringLiteral(") or (")
                    + nameTests.join(QStringLiteral(" and ")) + QStringLiteral("))");
    if (!category.isEmpty())
        query += QStringLiteral(" and contains(category, %1)").arg(XPathLiteral(category));
    QString types = QStringLiteral("(0");
    for (const KindText &kind : kKindTexts)
        if (kinds.*kind.use)
            types += QStringLiteral(" or contains(type, '%1')").arg(QString::fromUtf16(kind.text));
    return query + QStringLiteral(" and ") + types + QStringLiteral(")]");
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
    xmlXPathContextPtr context = xmlXPathNewContext(index);
    if (!context)
        return 0;
    // The error callback's parameter differs between libxml2 versions; a failing query selects nothing.
    context->error = [](void *, SecondParameter<xmlStructuredErrorFunc>::type) {};
    const QByteArray expression = BuildKeywordQuery(words, category, kinds).toUtf8();
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST expression.constData(), context);
    int rows = 0;
    if (result && result->type == XPATH_NODESET && result->nodesetval) {
        // Node sets come in document order.
        for (int i = 0; i < result->nodesetval->nodeNr && rows < limit; ++i) {
            const xmlNode *hit = result->nodesetval->nodeTab[i];
            if (hit->type != XML_ELEMENT_NODE)
                continue;
            QStringList hitWords = ExtractSearchWords(FirstChildText(hit, "name"));
            for (const QString &word : ExtractSearchWords(FirstChildText(hit, "keywords")))
                if (!hitWords.contains(word))
                    hitWords.append(word);
            if (!std::all_of(words.begin(), words.end(), [&](const QString &word) { return hitWords.contains(word); }))
                continue;
            const QString file = FirstChildText(hit, "file");
            if (!file.isEmpty() && addRow(file))
                ++rows;
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
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
