#include "import/GraphicsLibrary.h"

#include "platform/RandomSource.h"

#include <QSet>

#include <algorithm>

namespace {

// Words are tried in windows starting at the first 20 keywords at most.
constexpr int kMaxWindows = 20;
// The pool of file names for the last draw: the first 300 pictures of a library of fewer than 1000.
constexpr int kPoolSize = 300;
constexpr int kPoolLibraryLimit = 1000;
constexpr int kCategoryDraws = 10;
constexpr int kTypeDraws = 5;

const QString kRandomReason = QStringLiteral("Random");

} // namespace

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
    m_excludedWords = excludedWords;
    m_usedPictures = usedPictures;
    m_library.Attach(index, excludedWords);
    m_pool.clear();
    const int images = m_library.ImageCount();
    if (images < kPoolLibraryLimit && m_library.RootIsImages()) {
        const int count = std::min(images, kPoolSize);
        for (int i = 0; i < count; ++i)
            if (!m_library.FileOfImage(i).isEmpty())
                m_pool.append(m_library.FileOfImage(i));
    }
}

void CGraphicsLibrary::SetCategories(const QStringList &priorityCategories, const QStringList &graphicsCategories)
{
    m_priorityCategories = priorityCategories;
    m_graphicsCategories = graphicsCategories;
}

// ---- Queries ----

int CGraphicsLibrary::AllowedTypes() const
{
    using L = CGraphicsLibraryTable;
    return (m_useBw ? L::BwBit : 0) | (m_useVectors ? L::VectorBit : 0) | (m_useColour ? L::ColourBit : 0)
           | (m_usePhotoObjects ? L::ObjectBit : 0);
}

std::vector<int> CGraphicsLibrary::RunQuery(const Query &query) const
{
    if (queryHook)
        queryHook(query);
    return m_library.Run(query, AllowedTypes());
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

bool CGraphicsLibrary::JudgeHits(const std::vector<int> &hits, const QStringList &window, const QString *category,
                                 QString &fileName, QString &workText)
{
    if (m_randomChoice) {
        QStringList candidates;
        for (const int hit : hits) {
            const QString &file = m_library.ImageAt(hit).file;
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
        const QStringList &words = m_library.WordsOf(hit);
        if (!std::all_of(window.begin(), window.end(), [&](const QString &word) { return words.contains(word); }))
            continue;
        const QString &file = m_library.ImageAt(hit).file;
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
        const QString &file = m_library.ImageAt(hits[std::size_t(RandomIndex(int(hits.size())))]).file;
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
    for (int image = 0; image < m_library.ImageCount(); ++image) {
        const QString &file = m_library.ImageAt(image).file;
        if (file.isEmpty())
            continue;
        withFile.append(file);
        if (!used.contains(file))
            unused.append(file);
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
    if (!IsLoaded())
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
