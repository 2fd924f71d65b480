#pragma once

#include "model/GraphicsLibraryTable.h"
#include "model/GraphicsLibrarySearch.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class CRandomSource;
struct _xmlDoc;

// The graphics library's search over the loaded images.xml: it picks a library picture for a piece of text.
// The text's keywords are tried two by two and then one by one against the pictures' keywords and names,
// optionally category by category; when none matches, a picture of a chosen category, of an allowed type or
// of any kind is drawn. Every picture handed out joins the project's list of used pictures and is not handed
// out again while the library holds pictures the project has not used.
//
// The index and its queries are the library's index (CGraphicsLibraryTable), which the pickers search too.
class CGraphicsLibrary : public CGraphicsLibrarySearch
{
public:
    using Query = CGraphicsLibraryTable::Query;

    // random: where the draws come from (the program's own seeded source when null; not owned).
    explicit CGraphicsLibrary(CRandomSource *random = nullptr);
    ~CGraphicsLibrary() override;

    // Takes the loaded index (not owned; it must outlive the search), a copy of the excluded words and the
    // project's list of used pictures (not owned). Builds the table, the word index and the pool of the first
    // 300 file names (only for libraries of fewer than 1000 pictures whose root is "images").
    void Attach(_xmlDoc *index, const QStringList &excludedWords, QStringList *usedPictures);
    bool IsLoaded() const { return m_library.Document() != nullptr; }
    void SetUsedPictures(QStringList *usedPictures) { m_usedPictures = usedPictures; }

    void SetUseColourPhotos(int use) override { m_useColour = use; }
    void SetUseBwPhotos(int use) override { m_useBw = use; }
    void SetUsePhotoObjects(int use) override { m_usePhotoObjects = use; }
    void SetUseClipArt(int use) override { m_useVectors = use; }
    void SetUseVectors(int use) { m_useVectors = use; }
    void SetRandomChoice(int random) override { m_randomChoice = random; }
    void SetUseCategoryPriorities(int use) override { m_useCategoryPriorities = use; }
    void SetCategories(const QStringList &priorityCategories, const QStringList &graphicsCategories) override;

    int FindImageForText(const QString &text, QString &fileName, QString &workText) override;

    // The text's keywords: lower case, cut at the separators, letters only, at least two long, not excluded
    // and not yet in the list; appended in text order.
    static void ExtractKeywords(const QString &text, const QStringList &excludedWords, QStringList &words)
    {
        CGraphicsLibraryTable::ExtractKeywords(text, excludedWords, words);
    }
    void ExtractKeywords(const QString &text, QStringList &words) const { ExtractKeywords(text, m_excludedWords, words); }
    // The XPath text of one keyword query (category empty: none) under the current type switches.
    QString BuildKeywordQuery(const QStringList &words, const QString &category) const
    {
        return CGraphicsLibraryTable::BuildKeywordQuery(words, category, AllowedTypes());
    }
    // The type condition: "(0" and one "or contains(type, ...)" per allowed type, then ")".
    QString TypeCondition() const { return CGraphicsLibraryTable::TypeCondition(AllowedTypes()); }
    // Evaluates an XPath text on the index: the positions (in document order) of the "image" elements it
    // selects. Empty when the query fails.
    std::vector<int> SelectImages(const QString &xpath) const { return m_library.SelectImages(xpath); }
    // What the search's own evaluation of a query gives; the same images as SelectImages of its text.
    std::vector<int> RunQuery(const Query &query) const;

    int ImageCount() const { return m_library.ImageCount(); }
    QString FileOfImage(int image) const { return m_library.FileOfImage(image); }
    const QStringList &Pool() const { return m_pool; }
    // Called with each query the search runs, before it runs (tests count them).
    std::function<void(const Query &)> queryHook;

private:

    int AllowedTypes() const;
    int RandomIndex(int n);
    bool IsUsed(const QString &file) const;
    bool KeywordPasses(const QStringList &keywords, QString &fileName, QString &workText);
    bool TryWindows(const QStringList &keywords, const QString *category, QString &fileName, QString &workText);
    bool JudgeHits(const std::vector<int> &hits, const QStringList &window, const QString *category,
                   QString &fileName, QString &workText);
    bool DrawFrom(const std::vector<int> &hits, int draws, QString &fileName);
    bool PickByCategory(QString &fileName);
    bool PickByType(QString &fileName);
    bool PickAny(QString &fileName);
    void HandOut(const QString &fileName);

    CRandomSource *m_random;
    std::unique_ptr<CRandomSource> m_ownRandom;
    CGraphicsLibraryTable m_library;
    QStringList m_excludedWords;
    QStringList m_pool;
    QStringList *m_usedPictures = nullptr;
    QStringList m_priorityCategories;
    QStringList m_graphicsCategories;
    int m_useColour = 0;
    int m_useBw = 0;
    int m_usePhotoObjects = 0;
    int m_useVectors = 0;
    int m_randomChoice = 0;
    int m_useCategoryPriorities = 0;
};
