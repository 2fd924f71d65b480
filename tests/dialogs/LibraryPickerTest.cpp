// The graphics-library pickers without their window: the query, which pictures a search lists and how many,
// the search words, the alternative text, confirming, and the thumbnails.
#include "dialogs/LibraryPicker.h"
#include "platform/CorvContext.h"
#include "platform/XmlDom.h"
#include "support/TempTree.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

using LibraryPicker::Kinds;

QByteArray Png(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray Image(const char *name, const char *keywords, const char *category, const char *type, const char *file)
{
    return QByteArray("<image><name>") + name + "</name><keywords>" + keywords + "</keywords><category>" + category
           + "</category><type>" + type + "</type><file>" + file + "</file></image>\n";
}

// A small library: its index and the pictures it names (missing.png is not there).
class LibraryPickerSearch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        tree.Write("Library/Stock Photo - color/cat.png", Png(200, 100, Qt::red));
        tree.Write("Library/Stock Photo - b&w/dog.png", Png(20, 20, Qt::gray));
        tree.Write("Library/Vector/catclip.png", Png(20, 20, Qt::blue));
        tree.Write("Library/Photo_Objects/image_JPG/catdog.png", Png(20, 20, Qt::green));
        context.graphicsLibraryRoot = tree / "Library/";
        const QByteArray xml = "<images>\n"
                               + Image("Black cat [cat]", "[cat][pet][animal]", "Wildlife &amp; Animals",
                                       "Stock Photo - color", "cat.png")
                               + Image("Dog", "[dog][pet][animal]", "Wildlife &amp; Animals", "Stock Photo - b&amp;w",
                                       "dog.png")
                               + Image("Cat drawing", "[cat][drawing]", "Signs &amp; Symbols", "Vector", "catclip.png")
                               + Image("Cat and dog", "[cat][dog][friends]", "House &amp; Home", "Photo Object",
                                       "catdog.png")
                               + Image("Lost cat", "[cat]", "Nature", "Stock Photo - color", "missing.png")
                               + Image("Nameless cat", "[cat]", "Nature", "Stock Photo - color", "")
                               + Image("Cat's toy", "[cat's][toy]", "Nature", "Stock Photo - color", "cat.png")
                               + "</images>";
        doc = CorvXmlDom::ParseMemory(xml, "images.xml");
        ASSERT_TRUE(doc);
    }

    // The files a search lists, each row made when its thumbnail could be.
    QStringList Found(const QStringList &words, const QString &category = {}, Kinds kinds = {}, int limit = 100)
    {
        QStringList files;
        LibraryPicker::Search(doc.get(), words, category, kinds, limit, [&](const QString &file) {
            if (LibraryPicker::MakeLibraryThumbnail(context, file).isNull())
                return false;
            files.append(file);
            return true;
        });
        return files;
    }

    TempTree tree;
    CCorvContext context;
    CorvXmlDom::DocPtr doc;
};

} // namespace

// Guards the query text: the search words in brackets in the keywords or in the name, the category only when
// one is chosen, the kinds in their fixed order, and words and categories with quotes quoted safely.
TEST(LibraryPickerQuery, QueryNamesWordsCategoryAndKinds)
{
    EXPECT_EQ(LibraryPicker::BuildKeywordQuery({"cat", "dog"}, "Nature", Kinds{}),
              "//image[((contains(keywords, '[cat]') and contains(keywords, '[dog]')) or (contains(name, '[cat]') and "
              "contains(name, '[dog]'))) and contains(category, 'Nature') and (0 or contains(type, 'Stock Photo - b&w') "
              "or contains(type, 'Stock Photo - color') or contains(type, 'Photo Object'))]");
    EXPECT_EQ(LibraryPicker::BuildKeywordQuery({"cat"}, {}, Kinds{0, 0, 0, 1}),
              "//image[((contains(keywords, '[cat]')) or (contains(name, '[cat]'))) and (0 or contains(type, 'Vector'))]");
    EXPECT_EQ(LibraryPicker::BuildKeywordQuery({"cat"}, {}, Kinds{0, 0, 0, 0}),
              "//image[((contains(keywords, '[cat]')) or (contains(name, '[cat]'))) and (0)]");
    const QString quoted = LibraryPicker::BuildKeywordQuery({"it's"}, "a'b\"c", Kinds{});
    EXPECT_TRUE(quoted.contains("contains(keywords, \"[it's]\")")) << qPrintable(quoted);
    EXPECT_TRUE(quoted.contains("contains(category, concat('a', \"'\", 'b\"c'))")) << qPrintable(quoted);
}

// Guards which pictures are listed: the kinds and the category filter, every word must be one of the
// picture's words, pictures without a file or whose file is not in the library are left out, and typed text
// that cannot be one word (two words, a quote, a single letter) finds nothing instead of breaking the query.
TEST_F(LibraryPickerSearch, ListsThePicturesOfTheWordsKindsAndCategory)
{
    const Kinds clipArtOnly{0, 0, 0, 1};
    const Kinds everything{1, 1, 1, 1};
    const struct {
        QStringList words;
        QString category;
        Kinds kinds;
        QStringList files;
    } cases[] = {
        {{"cat"}, {}, Kinds{}, {"cat.png", "catdog.png"}},
        {{"cat"}, {}, clipArtOnly, {"catclip.png"}},
        {{"cat"}, {}, everything, {"cat.png", "catclip.png", "catdog.png"}},
        {{"cat", "dog"}, {}, everything, {"catdog.png"}},
        {{"pet"}, "Wildlife & Animals", Kinds{}, {"cat.png", "dog.png"}},
        {{"cat"}, "Wildlife & Animals", Kinds{}, {"cat.png"}},
        {{"drawing"}, {}, Kinds{}, {}},
        {{"cat dog"}, {}, everything, {}},
        {{"cat's"}, {}, everything, {}},
        {{"c"}, {}, everything, {}},
        {{"cat", "x'y\"z"}, {}, everything, {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Found(c.words, c.category, c.kinds), c.files) << qPrintable(c.words.join('|') + " / " + c.category);
    EXPECT_EQ(LibraryPicker::Search(nullptr, {"cat"}, {}, everything, 100, [](const QString &) { return true; }), 0);
}

// Guards the limits: the add dialog's search stops at 100 rows and the replace dialog's at 500, counting
// only the rows made (a picture that cannot be shown does not count).
TEST_F(LibraryPickerSearch, SearchesStopAtTheirLimit)
{
    QByteArray xml = "<images>";
    for (int i = 0; i < 900; ++i)
        xml += Image("Star", "[star]", "Nature", "Vector", i % 3 == 2 ? "missing.png" : "catclip.png");
    doc = CorvXmlDom::ParseMemory(xml + "</images>", "images.xml");
    ASSERT_TRUE(doc);
    for (const int limit : {LibraryPicker::kInsertLimit, LibraryPicker::kReplaceLimit}) {
        int asked = 0;
        const int rows = LibraryPicker::Search(doc.get(), {"star"}, {}, Kinds{0, 0, 0, 1}, limit, [&](const QString &file) {
            ++asked;
            return file != "missing.png";
        });
        EXPECT_EQ(rows, limit);
        // Every third picture is missing, so the last row comes from picture limit * 3 / 2 - 1.
        EXPECT_EQ(asked, limit * 3 / 2 - 1) << limit;
    }
    EXPECT_EQ(LibraryPicker::kInsertLimit, 100);
    EXPECT_EQ(LibraryPicker::kReplaceLimit, 500);
}

// Guards the search words: empty boxes are skipped, the others lowered in the values and kept whole, so
// capitals find the index's lower-case words.
TEST_F(LibraryPickerSearch, KeywordsAreLoweredAndTakenWhole)
{
    CLibraryPickerValues values;
    values.keywords = {"", "CAT", "Dog"};
    const QStringList words = values.TakeSearchWords();
    EXPECT_EQ(words, QStringList({"cat", "dog"}));
    EXPECT_EQ(values.keywords[1], "cat");
    EXPECT_EQ(values.keywords[2], "dog");
    values.kinds = Kinds{1, 1, 1, 1};
    EXPECT_EQ(Found(words, {}, values.kinds), QStringList{"catdog.png"});

    CLibraryPickerValues blank;
    EXPECT_TRUE(blank.TakeSearchWords().isEmpty());
    values.keywords = {"Big Cat", "", ""};
    EXPECT_EQ(values.TakeSearchWords(), QStringList{"big cat"});

    values.category = "All";
    EXPECT_EQ(values.CategoryCondition(), "");
    values.category = "Nature";
    EXPECT_EQ(values.CategoryCondition(), "Nature");
}

// Guards confirming: without a selected row "Please select a graphic." and nothing chosen; with one, its file
// and the non-empty keywords joined by "," (none doubled after a keyword that ends in one).
TEST(LibraryPickerValues, ConfirmNeedsARowAndJoinsTheKeywords)
{
    CLibraryPickerValues values;
    values.keywords = {"cat", "", "dog"};
    const CDialogCheck none = values.Confirm({});
    EXPECT_EQ(none.message, "Please select a graphic.");
    EXPECT_TRUE(values.fileName.isEmpty());
    EXPECT_TRUE(values.altText.isEmpty());
    ASSERT_TRUE(values.Confirm("cat.png").Passed());
    EXPECT_EQ(values.fileName, "cat.png");
    EXPECT_EQ(values.altText, "cat,dog");

    const struct {
        std::array<QString, 3> keywords;
        QString alt;
    } cases[] = {
        {{"", "", "dog"}, "dog"}, {{"cat,", "dog", ""}, "cat,dog"}, {{"a", "b", "c"}, "a,b,c"}, {{"", "", ""}, ""}};
    for (const auto &c : cases) {
        values.keywords = c.keywords;
        EXPECT_EQ(values.JoinedKeywords(), c.alt) << qPrintable(c.alt);
    }
}

// Guards the thumbnails: fitted with their shape kept into a black 100 x 100 square, a wide picture centred
// from top to bottom and a tall one from left to right; a picture not found gives none.
TEST_F(LibraryPickerSearch, ThumbnailsFitThePictureIntoABlackSquare)
{
    const QImage wide = LibraryPicker::MakeLibraryThumbnail(context, "cat.png"); // 200 x 100, red
    ASSERT_EQ(wide.size(), QSize(100, 100));
    EXPECT_EQ(wide.pixelColor(50, 24), QColor(Qt::black));
    EXPECT_EQ(wide.pixelColor(50, 25), QColor(Qt::red));
    EXPECT_EQ(wide.pixelColor(0, 74), QColor(Qt::red));
    EXPECT_EQ(wide.pixelColor(99, 74), QColor(Qt::red));
    EXPECT_EQ(wide.pixelColor(50, 75), QColor(Qt::black));

    QImage tall(30, 90, QImage::Format_RGB32);
    tall.fill(Qt::white);
    const QImage fitted = LibraryPicker::FitThumbnail(tall); // 33 x 100 at x 50 - 16
    EXPECT_EQ(fitted.pixelColor(33, 50), QColor(Qt::black));
    EXPECT_EQ(fitted.pixelColor(34, 0), QColor(Qt::white));
    EXPECT_EQ(fitted.pixelColor(66, 99), QColor(Qt::white));
    EXPECT_EQ(fitted.pixelColor(67, 50), QColor(Qt::black));

    EXPECT_TRUE(LibraryPicker::MakeLibraryThumbnail(context, "missing.png").isNull());
    EXPECT_TRUE(LibraryPicker::MakeLibraryThumbnail(context, "").isNull());
    EXPECT_TRUE(LibraryPicker::MakeLibraryThumbnail(context, "../Vector/catclip.png").isNull());
    EXPECT_FALSE(LibraryPicker::MakeLibraryThumbnail(context, "CATCLIP.PNG").isNull());
}
