#include "model/GraphicsLibraryTable.h"

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <algorithm>

namespace {

const QString kSeparators = QStringLiteral(" ,.-{}()[];:<>?/\n\r");

// The type texts in the order their conditions are written.
struct TypeText {
    int bit;
    const char16_t *text;
};
constexpr TypeText kTypes[] = {
    {CGraphicsLibraryTable::BwBit, u"Stock Photo - b&w"},
    {CGraphicsLibraryTable::VectorBit, u"Vector"},
    {CGraphicsLibraryTable::ColourBit, u"Stock Photo - color"},
    {CGraphicsLibraryTable::ObjectBit, u"Photo Object"},
};

bool IsElement(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE && !node->ns && xmlStrcmp(node->name, BAD_CAST name) == 0;
}

// The string value of the element's first child element of that name, as XPath compares it.
QString FirstChildText(const xmlNode *image, const char *name)
{
    for (const xmlNode *child = image->children; child; child = child->next) {
        if (!IsElement(child, name))
            continue;
        xmlChar *content = xmlNodeGetContent(child);
        const QString text = content ? QString::fromUtf8(reinterpret_cast<const char *>(content)) : QString();
        xmlFree(content);
        return text;
    }
    return {};
}

void CollectImages(xmlNode *node, std::vector<xmlNode *> &images)
{
    for (xmlNode *n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        if (IsElement(n, "image"))
            images.push_back(n);
        CollectImages(n->children, images);
    }
}

// The texts between each "[" and the next "]": a word without "]" stands in brackets in the text exactly
// when it is one of them.
QStringList BracketedWords(const QString &text)
{
    QStringList words;
    for (qsizetype open = text.indexOf(u'['); open >= 0; open = text.indexOf(u'[', open + 1)) {
        const qsizetype close = text.indexOf(u']', open + 1);
        if (close < 0)
            break;
        words.append(text.mid(open + 1, close - open - 1));
    }
    return words;
}

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

std::vector<int> Intersect(const std::vector<int> &a, const std::vector<int> &b)
{
    std::vector<int> out;
    std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    return out;
}

std::vector<int> ImagesWithAll(const QHash<QString, std::vector<int>> &index, const QStringList &words)
{
    std::vector<int> result;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const auto found = index.constFind(words[i]);
        if (found == index.cend())
            return {};
        result = i == 0 ? *found : Intersect(result, *found);
        if (result.empty())
            return {};
    }
    return result;
}

void Index(QHash<QString, std::vector<int>> &index, const QString &text, int image)
{
    for (const QString &word : BracketedWords(text)) {
        std::vector<int> &images = index[word];
        if (images.empty() || images.back() != image)
            images.push_back(image);
    }
}

template <typename> struct SecondParameter;
template <typename R, typename A, typename B> struct SecondParameter<R (*)(A, B)> {
    using type = B;
};

} // namespace

CGraphicsLibraryTable::CGraphicsLibraryTable() = default;
CGraphicsLibraryTable::~CGraphicsLibraryTable() = default;

void CGraphicsLibraryTable::Attach(_xmlDoc *index, const QStringList &excludedWords)
{
    m_index = index;
    m_excludedWords = excludedWords;
    m_rootIsImages = false;
    m_images.clear();
    m_imageOfNode.clear();
    m_keywordImages.clear();
    m_nameImages.clear();
    if (!index)
        return;
    xmlNode *root = xmlDocGetRootElement(index);
    m_rootIsImages = root && IsElement(root, "images");
    std::vector<xmlNode *> nodes;
    CollectImages(root, nodes);
    m_images.reserve(nodes.size());
    for (xmlNode *node : nodes) {
        Image image;
        image.name = FirstChildText(node, "name");
        image.keywords = FirstChildText(node, "keywords");
        image.category = FirstChildText(node, "category");
        image.type = FirstChildText(node, "type");
        image.file = FirstChildText(node, "file");
        for (const TypeText &type : kTypes)
            if (image.type.contains(QString::fromUtf16(type.text)))
                image.typeBits |= type.bit;
        const int number = int(m_images.size());
        Index(m_keywordImages, image.keywords, number);
        Index(m_nameImages, image.name, number);
        m_imageOfNode.insert(node, number);
        m_images.push_back(std::move(image));
    }
}

QString CGraphicsLibraryTable::FileOfImage(int image) const
{
    return image >= 0 && image < ImageCount() ? m_images[std::size_t(image)].file : QString();
}

const QStringList &CGraphicsLibraryTable::WordsOf(int image) const
{
    const Image &record = m_images[std::size_t(image)];
    if (!record.wordsKnown) {
        ExtractKeywords(record.name, m_excludedWords, record.words);
        ExtractKeywords(record.keywords, m_excludedWords, record.words);
        record.wordsKnown = true;
    }
    return record.words;
}

void CGraphicsLibraryTable::ExtractKeywords(const QString &text, const QStringList &excludedWords, QStringList &words)
{
    const QString lower = text.toLower();
    qsizetype start = 0;
    for (qsizetype i = 0; i <= lower.size(); ++i) {
        if (i < lower.size() && !kSeparators.contains(lower[i]))
            continue;
        const QString word = lower.mid(start, i - start);
        start = i + 1;
        if (word.size() < 2 || excludedWords.contains(word) || words.contains(word))
            continue;
        if (std::all_of(word.begin(), word.end(), [](QChar c) { return c.isLetter(); }))
            words.append(word);
    }
}

QString CGraphicsLibraryTable::TypeCondition(int allowedTypes)
{
    QString condition = QStringLiteral("(0");
    for (const TypeText &type : kTypes)
        if (allowedTypes & type.bit)
            condition += QStringLiteral(" or contains(type, '%1')").arg(QString::fromUtf16(type.text));
    return condition + u')';
}

QString CGraphicsLibraryTable::BuildKeywordQuery(const QStringList &words, const QString &category, int allowedTypes)
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
    return query + QStringLiteral(" and ") + TypeCondition(allowedTypes) + u']';
}

std::vector<int> CGraphicsLibraryTable::Run(const Query &query, int allowedTypes) const
{
    if (!allowedTypes)
        return {};
    std::vector<int> candidates;
    const bool indexed = std::none_of(query.words.begin(), query.words.end(),
                                      [](const QString &word) { return word.contains(u']'); });
    if (query.words.isEmpty()) {
        candidates.resize(m_images.size());
        for (std::size_t i = 0; i < candidates.size(); ++i)
            candidates[i] = int(i);
    } else if (indexed) {
        const std::vector<int> byKeywords = ImagesWithAll(m_keywordImages, query.words);
        const std::vector<int> byName = ImagesWithAll(m_nameImages, query.words);
        std::set_union(byKeywords.begin(), byKeywords.end(), byName.begin(), byName.end(),
                       std::back_inserter(candidates));
    } else {
        for (std::size_t i = 0; i < m_images.size(); ++i) {
            const Image &image = m_images[i];
            const auto all = [&](const QString &text) {
                return std::all_of(query.words.begin(), query.words.end(),
                                   [&](const QString &word) { return text.contains(u'[' + word + u']'); });
            };
            if (all(image.keywords) || all(image.name))
                candidates.push_back(int(i));
        }
    }
    std::vector<int> hits;
    for (const int i : candidates) {
        const Image &image = m_images[std::size_t(i)];
        if ((image.typeBits & allowedTypes) && (!query.hasCategory || image.category.contains(query.category)))
            hits.push_back(i);
    }
    return hits;
}

std::vector<int> CGraphicsLibraryTable::SelectImages(const QString &xpath) const
{
    if (!m_index)
        return {};
    xmlXPathContextPtr context = xmlXPathNewContext(m_index);
    if (!context)
        return {};
    // The error callback's parameter differs between libxml2 versions; whichever it is, a failing query is
    // simply one that selects nothing.
    context->error = [](void *, SecondParameter<xmlStructuredErrorFunc>::type) {};
    const QByteArray expression = xpath.toUtf8();
    xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST expression.constData(), context);
    std::vector<int> images;
    if (result && result->type == XPATH_NODESET && result->nodesetval) {
        for (int i = 0; i < result->nodesetval->nodeNr; ++i) {
            const auto found = m_imageOfNode.constFind(result->nodesetval->nodeTab[i]);
            if (found != m_imageOfNode.cend())
                images.push_back(*found);
        }
    }
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    std::sort(images.begin(), images.end());
    return images;
}
