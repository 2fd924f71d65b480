// The graphics library's search: keywords, the query texts, the windows of keywords, judging the hits in
// first-match and random mode, category passes, the fallbacks and the list of used pictures.
#include "import/GraphicsLibrary.h"
#include "platform/RandomSource.h"
#include "platform/XmlDom.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSet>

namespace {

CorvXmlDom::DocPtr ReadFixture()
{
    QFile file(QStringLiteral(CORV_FIXTURES "/library/images.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return CorvXmlDom::ParseMemory(file.readAll(), "images.xml");
}

CorvXmlDom::DocPtr GeneratedLibrary(int count)
{
    QByteArray xml = "<images>";
    for (int i = 0; i < count; ++i)
        xml += QStringLiteral("<image><name>Picture %1</name><keywords>[word%1]</keywords><category>Nature</category>"
                              "<type>Vector</type><file>p%1.wmf</file></image>")
                   .arg(i)
                   .toUtf8();
    return CorvXmlDom::ParseMemory(xml + "</images>", "images.xml");
}

struct Search {
    explicit Search(std::initializer_list<int> draws = {}) : random(draws), library(&random)
    {
        doc = ReadFixture();
        library.Attach(doc.get(), {QStringLiteral("the"), QStringLiteral("and")}, &used);
        AllowAll();
    }
    void AllowAll()
    {
        library.SetUseColourPhotos(1);
        library.SetUseBwPhotos(1);
        library.SetUsePhotoObjects(1);
        library.SetUseVectors(1);
    }
    std::pair<QString, QString> Find(const QString &text)
    {
        QString file, reason;
        result = library.FindImageForText(text, file, reason);
        return {file, reason};
    }

    CorvXmlDom::DocPtr doc;
    CScriptedRandom random;
    QStringList used;
    CGraphicsLibrary library;
    int result = 0;
};

// Guards the query text byte for byte (the picker dialogs share it), the bare "(0)" when no type is allowed,
// and a category holding a quote, which must still give a query that runs rather than one that fails.
TEST(GraphicsLibrary, QueryTexts)
{
    Search s;
    s.library.SetUseBwPhotos(0);
    s.library.SetUsePhotoObjects(0);
    s.library.SetUseVectors(0);
    EXPECT_EQ(s.library.BuildKeywordQuery({"cat", "dog"}, "Nature"),
              "//image[((contains(keywords, '[cat]') and contains(keywords, '[dog]')) or (contains(name, '[cat]') "
              "and contains(name, '[dog]'))) and contains(category, 'Nature') and (0 or contains(type, 'Stock Photo "
              "- color'))]");
    s.AllowAll();
    EXPECT_EQ(s.library.TypeCondition(), "(0 or contains(type, 'Stock Photo - b&w') or contains(type, 'Vector') or "
                                         "contains(type, 'Stock Photo - color') or contains(type, 'Photo Object'))");
    EXPECT_EQ(s.library.BuildKeywordQuery({"cat"}, {}),
              "//image[((contains(keywords, '[cat]')) or (contains(name, '[cat]'))) and " + s.library.TypeCondition() + "]");
    const QString quoted = s.library.BuildKeywordQuery({"cat"}, "Homes 'n' Gardens");
    EXPECT_TRUE(quoted.contains("contains(category, \"Homes 'n' Gardens\")")) << qPrintable(quoted);
    EXPECT_EQ(s.library.SelectImages(quoted), std::vector<int>{8});
    EXPECT_TRUE(s.library.BuildKeywordQuery({"cat"}, "a'b\"c").contains("concat('a', \"'\", 'b\"c')"));

    for (auto set : {&CGraphicsLibrary::SetUseColourPhotos, &CGraphicsLibrary::SetUseBwPhotos,
                     &CGraphicsLibrary::SetUsePhotoObjects, &CGraphicsLibrary::SetUseVectors})
        (s.library.*set)(0);
    EXPECT_EQ(s.library.TypeCondition(), "(0)");
}

// Guards that the search's own evaluation selects exactly what the query text selects on the document, for
// words in the keywords or only in the name, the letter case of the brackets, categories and types.
TEST(GraphicsLibrary, QueriesSelectWhatTheirTextSelects)
{
    Search s;
    struct Case {
        QStringList words;
        QString category;
        int types; // bits: colour, b&w, object, vector
    };
    const Case cases[] = {
        {{"cat"}, {}, 15},          {{"cat", "dog"}, {}, 15},         {{"dog"}, {}, 15},
        {{"house"}, {}, 15},        {{"cat"}, "Animals", 1},          {{"dog"}, "Anim", 4},
        {{"cat"}, "Homes 'n' Gardens", 15}, {{"nothing"}, {}, 15},    {{"oak"}, {}, 8},
        {{}, "Nature", 15},         {{}, {}, 2},                      {{"cat"}, {}, 0},
    };
    for (const Case &c : cases) {
        s.library.SetUseColourPhotos(c.types & 1);
        s.library.SetUseBwPhotos((c.types >> 1) & 1);
        s.library.SetUsePhotoObjects((c.types >> 2) & 1);
        s.library.SetUseVectors((c.types >> 3) & 1);
        const QString xpath = c.words.isEmpty()
                                  ? (c.category.isEmpty() ? "//image[" + s.library.TypeCondition() + "]"
                                                          : "//image[contains(category, '" + c.category + "') and "
                                                                + s.library.TypeCondition() + "]")
                                  : s.library.BuildKeywordQuery(c.words, c.category);
        EXPECT_EQ(s.library.RunQuery({c.words, c.category, !c.category.isEmpty()}), s.library.SelectImages(xpath))
            << qPrintable(xpath);
    }
    s.AllowAll();
    EXPECT_EQ(s.library.RunQuery({{"cat"}, {}, false}), (std::vector<int>{0, 2, 6, 8, 9}));
    EXPECT_TRUE(s.library.SelectImages("//image[").empty()) << "a failing query selects nothing";
}

// Guards the keyword rules: lower case, the separators, letters only (digits and apostrophes reject a word,
// "!" is no separator), at least two letters, excluded words, no duplicates.
TEST(GraphicsLibrary, Keywords)
{
    const struct {
        const char *text;
        QStringList words;
    } cases[] = {
        {"The 3D cat's Dog-house, a dog. Big dog!", {"dog", "house", "big"}},
        {"(Über)[ÉCOLE];x:y/zz?", {"über", "école", "zz"}},
        {"one\r\ntwo\nthree", {"one", "two", "three"}},
        {"", {}},
        {"it's 42 a", {}},
    };
    for (const auto &c : cases) {
        QStringList words;
        CGraphicsLibrary::ExtractKeywords(QString::fromUtf8(c.text), {"the"}, words);
        EXPECT_EQ(words, c.words) << c.text;
    }
}

// Guards the whole choice in first-match mode over one project: the first full match in document order, the
// reasons of each kind, pictures never handed out twice while others remain, the name-only match, a picture
// without a file never handed out, and the fallback to a random unused picture when the text has no keywords.
TEST(GraphicsLibrary, FirstMatchChoicesInOrder)
{
    Search s;
    const struct {
        const char *text;
        const char *file;
        const char *reason;
    } steps[] = {
        {"The cat and the dog", "catdog.jpg", "cat,dog,"},
        {"The cat and the dog", "pets.jpg", "cat,dog,"},
        {"The cat and the dog", "dog.jpg", "dog,"},
        {"The cat and the dog", "cat.jpg", "cat,"},
        {"Big oak", "tree.wmf", "oak,"},
        {"My house", "house.jpg", "house,"},
        {"A DOG", "Random", "Random"},
    };
    for (const auto &step : steps) {
        const auto [file, reason] = s.Find(step.text);
        EXPECT_EQ(s.result, 1) << step.text;
        if (QString(step.file) != "Random") {
            EXPECT_EQ(file, step.file) << step.text;
        }
        EXPECT_EQ(reason, step.reason) << step.text;
    }
    // Every picture was handed out once: the last was drawn among the unused ones.
    EXPECT_EQ(s.used.size(), 7);
    EXPECT_EQ(QSet<QString>(s.used.begin(), s.used.end()).size(), 7);
    EXPECT_TRUE(s.used.back() == "Dogbw.jpg" || s.used.back() == "meadow.jpg" || s.used.back() == "office.jpg")
        << qPrintable(s.used.back());
    EXPECT_FALSE(s.library.Pool().contains("catdog.jpg"));
}

// Guards random mode (either unused hit may come, reason without a trailing comma) and the category passes
// (priority categories first, even one holding a quote; reason with trailing blanks).
TEST(GraphicsLibrary, RandomChoiceAndCategoryPasses)
{
    Search random({1});
    random.library.SetRandomChoice(1);
    EXPECT_EQ(random.Find("cat dog"), std::make_pair(QString("pets.jpg"), QString("cat,dog")));
    EXPECT_EQ(random.Find("cat dog"), std::make_pair(QString("catdog.jpg"), QString("cat,dog")))
        << "the only unused hit is taken without a draw";

    Search byCategory;
    byCategory.library.SetUseCategoryPriorities(1);
    byCategory.library.SetCategories({"Homes 'n' Gardens"}, {"Animals", "Nature"});
    EXPECT_EQ(byCategory.Find("cat dog"), std::make_pair(QString("house.jpg"), QString("cat ")));
    EXPECT_EQ(byCategory.Find("cat dog"), std::make_pair(QString("catdog.jpg"), QString("cat dog ")));
    EXPECT_EQ(byCategory.Find("office"), std::make_pair(QString("cat.jpg"), QString("Random")))
        << "no plain pass with priorities on";
}

// Guards the windows of keywords: two-word windows then single words, the last two-word window holding one
// word, and no more than 20 windows of each size.
TEST(GraphicsLibrary, KeywordWindows)
{
    for (const int n : {12, 30}) {
        Search s;
        QStringList words, starts;
        for (int i = 1; i <= n; ++i)
            words.append("k" + QString(QChar(u'a' + (i - 1) / 26)) + QString(QChar(u'a' + (i - 1) % 26)));
        s.library.queryHook = [&](const CGraphicsLibrary::Query &q) {
            if (!q.words.isEmpty())
                starts.append(q.words.join(u'+'));
        };
        s.Find(words.join(u' '));
        const int windows = std::min(n, 20);
        ASSERT_EQ(starts.size(), 2 * windows) << n;
        EXPECT_EQ(starts[0], words[0] + "+" + words[1]);
        EXPECT_EQ(starts[windows - 1], n == 12 ? words[11] : words[19] + "+" + words[20]);
        EXPECT_EQ(starts[windows], words[0]);
        EXPECT_EQ(starts.back(), words[windows - 1]);
    }
}

// Guards the fallbacks' ends: every picture used still gives a picture (used again), no type allowed still
// gives one, a library without files gives 0, no index gives -1, and a large library whose only unused
// picture is the last one gives that picture at once (no endless draws).
TEST(GraphicsLibrary, FallbacksAlwaysEnd)
{
    Search s;
    s.used = {"cat.jpg", "dog.jpg", "catdog.jpg", "Dogbw.jpg", "tree.wmf", "meadow.jpg", "office.jpg", "house.jpg", "pets.jpg"};
    EXPECT_EQ(s.Find("cat").second, "Random");
    EXPECT_EQ(s.result, 1);
    EXPECT_EQ(s.used.size(), 9);

    Search none;
    for (auto set : {&CGraphicsLibrary::SetUseColourPhotos, &CGraphicsLibrary::SetUseBwPhotos,
                     &CGraphicsLibrary::SetUsePhotoObjects, &CGraphicsLibrary::SetUseVectors})
        (none.library.*set)(0);
    EXPECT_EQ(none.Find("cat"), std::make_pair(QString("cat.jpg"), QString("Random")));

    CGraphicsLibrary empty;
    QString file, reason;
    EXPECT_EQ(empty.FindImageForText("cat", file, reason), -1);
    const auto noFiles = CorvXmlDom::ParseMemory("<images><image><keywords>[cat]</keywords></image></images>", "x");
    QStringList used;
    empty.Attach(noFiles.get(), {}, &used);
    empty.SetUseColourPhotos(1);
    EXPECT_EQ(empty.FindImageForText("cat", file, reason), 0);

    CSeededRandom seeded(7);
    CGraphicsLibrary large(&seeded);
    const auto doc = GeneratedLibrary(1500);
    QStringList allButLast;
    for (int i = 0; i < 1499; ++i)
        allButLast.append(QStringLiteral("p%1.wmf").arg(i));
    large.Attach(doc.get(), {}, &allButLast);
    EXPECT_TRUE(large.Pool().isEmpty()) << "no pool for 1000 pictures or more";
    EXPECT_EQ(large.FindImageForText("nothing here", file, reason), 1);
    EXPECT_EQ(file, "p1499.wmf");
}

// Guards that damaged index files are refused with the parser's reason rather than half read.
TEST(GraphicsLibrary, DamagedIndexIsRefused)
{
    for (const QByteArray &bytes : {QByteArray("<images><image><file>a.jpg</file></images>"), QByteArray(""),
                                    QByteArray("\xff\xfe<")}) {
        QString why;
        EXPECT_EQ(CorvXmlDom::ParseMemory(bytes, "images.xml", &why), nullptr);
        EXPECT_FALSE(why.isEmpty());
    }
}

} // namespace
