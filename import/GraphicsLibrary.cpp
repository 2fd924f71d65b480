#include "import/GraphicsLibrary.h"

#include "platform/RandomSource.h"

#include <QSet>

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <algorithm>

namespace {

// Words are tried in windows starting at the first 20 keywords at most.
constexpr int kMaxWindows = 20;
// The pool of file names for the last draw: the first 300 pictures of a library of fewer than 1000.
constexpr int kPoolSize = 300;
constexpr int kPoolLibraryLimit = 1000;
constexpr int kCategoryDraws = 10;
constexpr int kTypeDraws = 5;

const QString kSeparators = QStringLiteral(" ,.-{}()[];:<>?/\n\r");
const QString kRandomReason = QStringLiteral("Random");

// The type texts in the order their conditions are written.
struct TypeText {
    int bit;
    const char16_t *text;
};
constexpr TypeText kTypes[] = {
    {1, u"Stock Photo - b&w"},
    {2, u"Vector"},
    {4, u"Stock Photo - color"},
    {8, u"Photo Object"},
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

struct CGraphicsLibrary::Image {
    QString name;
    QString keywords;
    QString category;
    QString type;
    QString file;
    int typeBits = 0;
    // The words of the name and keywords, as first-match judging compares them; filled when first needed.
    mutable QStringList words;
    mutable bool wordsKnown = false;
};

CGraphicsLibrary::CGraphicsLibrary(CRandomSource *random) : m_random(random)
{
    if (!m_random) {
        m_ownRandom = std::make_unique<CSeededRandom>();
        m_random = m_ownRandom.get();
    }
}

CGraphicsLibrary::~CGraphicsLibrary() = default;

void CGraphicsLibrary::Attach(_xmlDoc *index, const QStringList &excludedWords, QStringList *usedPictures)
{
    m_index = index;
    m_excludedWords = excludedWords;
    m_usedPictures = usedPictures;
    m_images.clear();
    m_imageOfNode.clear();
    m_keywordImages.clear();
    m_nameImages.clear();
    m_pool.clear();
    if (!index)
        return;
    xmlNode *root = xmlDocGetRootElement(index);
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
    if (m_images.size() < std::size_t(kPoolLibraryLimit) && root && IsElement(root, "images")) {
        const int count = std::min(int(m_images.size()), kPoolSize);
        for (int i = 0; i < count; ++i)
            if (!m_images[std::size_t(i)].file.isEmpty())
                m_pool.append(m_images[std::size_t(i)].file);
    }
}

void CGraphicsLibrary::SetCategories(const QStringList &priorityCategories, const QStringList &graphicsCategories)
{
    m_priorityCategories = priorityCategories;
    m_graphicsCategories = graphicsCategories;
}

int CGraphicsLibrary::ImageCount() const { return int(m_images.size()); }

QString CGraphicsLibrary::FileOfImage(int image) const
{
    return image >= 0 && image < ImageCount() ? m_images[std::size_t(image)].file : QString();
}

// ---- Keywords and queries ----

void CGraphicsLibrary::ExtractKeywords(const QString &text, const QStringList &excludedWords, QStringList &words)
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

QString CGraphicsLibrary::TypeCondition() const
{
    QString condition = QStringLiteral("(0");
    const int allowed = AllowedTypes();
    for (const TypeText &type : kTypes)
        if (allowed & type.bit)
            condition += QStringLiteral(" or contains(type, '%1')").arg(QString::fromUtf16(type.text));
    return condition + u')';
}

QString CGraphicsLibrary::BuildKeywordQuery(const QStringList &words, const QString &category) const
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
    return query + QStringLiteral(" and ") + TypeCondition() + u']';
}

int CGraphicsLibrary::AllowedTypes() const
{
    return (m_useBw ? BwBit : 0) | (m_useVectors ? VectorBit : 0) | (m_useColour ? ColourBit : 0)
           | (m_usePhotoObjects ? ObjectBit : 0);
}

std::vector<int> CGraphicsLibrary::RunQuery(const Query &query) const
{
    if (queryHook)
        queryHook(query);
    const int allowed = AllowedTypes();
    if (!allowed)
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
        if ((image.typeBits & allowed) && (!query.hasCategory || image.category.contains(query.category)))
            hits.push_back(i);
    }
    return hits;
}

std::vector<int> CGraphicsLibrary::SelectImages(const QString &xpath) const
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

// ---- Choosing ----

int CGraphicsLibrary::RandomIndex(int n)
{
    if (n <= 1)
        return 0;
    // One draw gives 0 to 32767; larger libraries take two, so that every picture can come up.
    const qint64 draw = n > 32768 ? qint64(m_random->Next()) * 32768 + m_random->Next() : m_random->Next();
    return int(draw % n);
}

bool CGraphicsLibrary::IsUsed(const QString &file) const { return m_usedPictures && m_usedPictures->contains(file); }

const QStringList &CGraphicsLibrary::WordsOf(int image) const
{
    const Image &record = m_images[std::size_t(image)];
    if (!record.wordsKnown) {
        ExtractKeywords(record.name, record.words);
        ExtractKeywords(record.keywords, record.words);
        record.wordsKnown = true;
    }
    return record.words;
}

bool CGraphicsLibrary::JudgeHits(const std::vector<int> &hits, const QStringList &window, const QString *category,
                                 QString &fileName, QString &workText)
{
    if (m_randomChoice) {
        QStringList candidates;
        for (const int hit : hits) {
            const QString &file = m_images[std::size_t(hit)].file;
            if (!file.isEmpty() && !IsUsed(file))
                candidates.append(file);
        }
        if (candidates.isEmpty())
            return false;
        fileName = candidates.size() == 1 ? candidates.front() : candidates[RandomIndex(int(candidates.size()))];
        workText = window.join(u',');
        return true;
    }
    for (const int hit : hits) {
        const QStringList &words = WordsOf(hit);
        if (!std::all_of(window.begin(), window.end(), [&](const QString &word) { return words.contains(word); }))
            continue;
        const QString &file = m_images[std::size_t(hit)].file;
        if (file.isEmpty() || IsUsed(file))
            continue;
        fileName = file;
        workText.clear();
        for (const QString &word : window)
            workText += word + (category ? u' ' : u',');
        return true;
    }
    return false;
}

bool CGraphicsLibrary::TryWindows(const QStringList &keywords, const QString *category, QString &fileName,
                                  QString &workText)
{
    const int starts = std::min(int(keywords.size()), kMaxWindows);
    for (const int size : {2, 1}) {
        for (int start = 0; start < starts; ++start) {
            Query query{keywords.mid(start, size), category ? *category : QString(), category != nullptr};
            if (JudgeHits(RunQuery(query), query.words, category, fileName, workText))
                return true;
        }
    }
    return false;
}

bool CGraphicsLibrary::KeywordPasses(const QStringList &keywords, QString &fileName, QString &workText)
{
    if (!m_useCategoryPriorities)
        return TryWindows(keywords, nullptr, fileName, workText);
    for (const QStringList *list : {&m_priorityCategories, &m_graphicsCategories})
        for (const QString &category : *list)
            if (TryWindows(keywords, &category, fileName, workText))
                return true;
    return false;
}

bool CGraphicsLibrary::DrawFrom(const std::vector<int> &hits, int draws, QString &fileName)
{
    if (hits.empty())
        return false;
    for (int draw = 0; draw < draws; ++draw) {
        const QString &file = m_images[std::size_t(hits[std::size_t(RandomIndex(int(hits.size())))])].file;
        if (!file.isEmpty() && !IsUsed(file)) {
            fileName = file;
            return true;
        }
    }
    return false;
}

bool CGraphicsLibrary::PickByCategory(QString &fileName)
{
    if (!m_useCategoryPriorities)
        return false;
    for (const QString &category : m_priorityCategories)
        if (DrawFrom(RunQuery(Query{{}, category, true}), kCategoryDraws, fileName))
            return true;
    return false;
}

bool CGraphicsLibrary::PickByType(QString &fileName) { return DrawFrom(RunQuery(Query{}), kTypeDraws, fileName); }

bool CGraphicsLibrary::PickAny(QString &fileName)
{
    const QSet<QString> used = m_usedPictures ? QSet<QString>(m_usedPictures->begin(), m_usedPictures->end())
                                              : QSet<QString>();
    QStringList withFile, unused;
    for (const Image &image : m_images) {
        if (image.file.isEmpty())
            continue;
        withFile.append(image.file);
        if (!used.contains(image.file))
            unused.append(image.file);
    }
    if (withFile.isEmpty())
        return false;
    if (unused.isEmpty()) {
        fileName = withFile[RandomIndex(int(withFile.size()))];
        return true;
    }
    // The pool's names that are still unused (a reopened project may have used some already).
    QStringList pool;
    for (const QString &name : m_pool)
        if (!used.contains(name))
            pool.append(name);
    const QStringList &from = pool.isEmpty() ? unused : pool;
    fileName = from[RandomIndex(int(from.size()))];
    return true;
}

void CGraphicsLibrary::HandOut(const QString &fileName)
{
    if (m_usedPictures && !m_usedPictures->contains(fileName))
        m_usedPictures->append(fileName);
    m_pool.removeAll(fileName);
}

int CGraphicsLibrary::FindImageForText(const QString &text, QString &fileName, QString &workText)
{
    if (!m_index)
        return -1;
    QStringList keywords;
    ExtractKeywords(text, keywords);
    QString file, reason;
    if (!keywords.isEmpty() && KeywordPasses(keywords, file, reason)) {
        HandOut(file);
        fileName = file;
        workText = reason;
        return 1;
    }
    if (PickByCategory(file) || PickByType(file) || PickAny(file)) {
        HandOut(file);
        fileName = file;
        workText = kRandomReason;
        return 1;
    }
    return 0;
}
