#include "platform/richtext/RichText.h"
#include "platform/richtext/RichTextLayout.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// A fixed-pitch font whose lines hold exactly 13 characters at the test width, and a box two lines high.
constexpr int kColumns = 13;

CCharFormat MonoFormat()
{
    CCharFormat f;
    f.mask = CFM_FACE | CFM_SIZE | CFM_COLOR;
    f.effects = CFE_AUTOCOLOR;
    f.face = "Liberation Mono";
    f.height = 240;
    return f;
}

CRichText Box(const QString &text, int lines = 2)
{
    CRichText doc;
    doc.SetDefaultCharFormat(MonoFormat());
    const QFontMetricsF metrics(CRichTextLayout::FontFor(MonoFormat()), CRichTextLayout::Device());
    const double lineHeight = metrics.ascent() + metrics.descent();
    const int width = int(std::ceil(metrics.horizontalAdvance(QString(kColumns, u'x')))) + 1;
    doc.SetLayoutSize(width, int(lineHeight * lines + lineHeight / 2));
    doc.ReplaceAll(text);
    return doc;
}

} // namespace

TEST(RichTextOverflowTest, LayoutBreaksAtWordsAndCountsHiddenLines)
{
    CRichText doc = Box("Alpha beta. Gamma delta. Epsilon zeta.");
    ASSERT_EQ(doc.GetLineCount(), 3);
    EXPECT_EQ(doc.LineIndex(1), 12);
    EXPECT_EQ(doc.LineIndex(2), 25);
    EXPECT_EQ(doc.LineFromChar(30), 2);
    EXPECT_EQ(doc.GetLine(1), "Gamma delta. ");
    EXPECT_EQ(doc.CountHiddenLines(), 1);
    EXPECT_TRUE(doc.IsOverflowing());
    EXPECT_EQ(doc.GetFirstVisibleLine(), 1); // left scrolled to the bottom
    doc.ScrollToTop();
    EXPECT_EQ(doc.GetFirstVisibleLine(), 0);

    // Hidden characters take no room: hiding a marker-sized stretch does not move the breaks.
    CRichText hidden = Box("Alpha [0002#beta. Gamma delta. Epsilon zeta.");
    hidden.HideRange(6, 12);
    EXPECT_EQ(hidden.GetLineCount(), 3);
    EXPECT_EQ(hidden.LineIndex(1), 18);

    // Tabs stop every half inch, as in the rich-edit control: three cells of 48 pixels fit the box.
    CRichText tabs = Box("a\tb\tc\td\te");
    EXPECT_EQ(tabs.GetLine(0), "a\tb\tc\t");
}

// Guards the sentence-end search order and where Get, Cut and Delete begin.
TEST(RichTextOverflowTest, OverflowStartsAfterTheLastCompleteSentence)
{
    struct Case
    {
        const char *name;
        QString text;
        QString get; // text after the end position
        QString cut; // the same without leading spaces
    };
    const Case cases[] = {
        {"period", "Alpha beta. Gamma delta. Epsilon zeta.", " Epsilon zeta.", "Epsilon zeta."},
        {"period and quote", "Alpha. \"Gamma.\" Epsilon zeta", " Epsilon zeta", "Epsilon zeta"},
        {"period and closing quotation", QString::fromUtf8("Alpha. \u201CGamma.\u201D Epsilon zeta"),
         " Epsilon zeta", "Epsilon zeta"},
        {"question mark before semicolon", "Why not? Gamma; Epsilon zeta.", " Gamma; Epsilon zeta.",
         "Gamma; Epsilon zeta."},
        {"no sentence end", "alpha beta gamma delta epsilon zeta eta", "epsilon zeta eta", "epsilon zeta eta"},
        // The strings are tried in order and the first that occurs at all decides, wherever a later one is.
        {"period before a later line break", "Alpha. beta\rgamma delta epsilon", " beta\rgamma delta epsilon",
         "beta\rgamma delta epsilon"},
        {"line break before a later question mark", "Why\rnot? gamma delta epsilon", "not? gamma delta epsilon",
         "not? gamma delta epsilon"},
        {"quoted period before a later plain one", "Say \"Hi.\" Go on. Epsilon zeta", " Go on. Epsilon zeta",
         "Go on. Epsilon zeta"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CRichText get = Box(c.text);
        EXPECT_EQ(get.GetOverflowAfterLastSentence().GetText(), c.get);
        EXPECT_EQ(get.GetSelText(), c.get);
        EXPECT_EQ(get.GetText(), c.text);

        CRichText cut = Box(c.text);
        EXPECT_EQ(cut.CutOverflowAfterLastSentence().GetText(), c.cut);
        EXPECT_EQ(cut.GetText(), c.text.left(c.text.size() - c.cut.size()));

        CRichText del = Box(c.text);
        del.DeleteOverflowAfterLastSentence();
        EXPECT_EQ(del.GetText(), c.text.left(c.text.size() - c.get.size()));
    }
}

TEST(RichTextOverflowTest, WithoutHiddenLinesDeleteChangesNothing)
{
    CRichText doc = Box("Alpha beta. Gamma delta.", 3);
    EXPECT_EQ(doc.CountHiddenLines(), 0);
    EXPECT_FALSE(doc.IsOverflowing());
    doc.DeleteOverflowAfterLastSentence();
    EXPECT_EQ(doc.GetText(), "Alpha beta. Gamma delta.");
    // Get searches back from the end of the text: nothing follows the last period.
    EXPECT_TRUE(doc.GetOverflowAfterLastSentence().IsEmpty());
}

// Guards the mended cut: the overflow comes back as rich text with its formats and hidden markers, and the
// author's clipboard is left alone.
TEST(RichTextOverflowTest, CutReturnsRichTextAndLeavesTheClipboardAlone)
{
    QGuiApplication::clipboard()->setText("the author's copy");
    CRichText doc = Box("Alpha beta. Gamma delta. Epsilon [0002#zeta#0002].");
    doc.HideRange(33, 39);
    doc.HideRange(43, 49);
    doc.SetSel(25, 32);
    doc.ToggleBold();
    const CRichText overflow = doc.CutOverflowAfterLastSentence();
    EXPECT_EQ(overflow.GetText(), "Epsilon [0002#zeta#0002].");
    EXPECT_TRUE(overflow.GetCharFormatAt(0).Has(CFE_BOLD));
    EXPECT_FALSE(overflow.GetCharFormatAt(7).Has(CFE_BOLD));
    EXPECT_TRUE(overflow.GetCharFormatAt(8).Has(CFE_HIDDEN));
    EXPECT_FALSE(overflow.GetCharFormatAt(14).Has(CFE_HIDDEN));
    EXPECT_TRUE(overflow.GetCharFormatAt(18).Has(CFE_HIDDEN));
    EXPECT_EQ(overflow.GetCharFormatAt(0).face, "Liberation Mono");
    EXPECT_EQ(doc.GetText(), "Alpha beta. Gamma delta. ");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "the author's copy");
}

// Guards the walk up the trailing heading lines: empty lines skipped, a body line ends it, face compared
// without case, size and bold both required.
TEST(RichTextOverflowTest, TrailingHeadingText)
{
    struct Case
    {
        const char *name;
        std::function<void(CRichText &)> build;
        QString expected;
    };
    const Case cases[] = {
        {"two headings and an empty line",
         [](CRichText &d) {
             d.AppendText("Body text.\n", 1);
             d.AppendHeading("First heading\n", "Liberation Serif", 14);
             d.AppendHeading("Second\n", "liberation serif", 14);
             d.AppendText("  \n", 0);
         },
         "First heading\rSecond\r  \r"},
        {"body last", [](CRichText &d) {
             d.AppendHeading("Heading\n", "Liberation Serif", 14);
             d.AppendText("Body.", 1);
         }, ""},
        {"other size", [](CRichText &d) { d.AppendHeading("Heading", "Liberation Serif", 12); }, ""},
        {"not bold", [](CRichText &d) {
             d.AppendHeading("Heading", "Liberation Serif", 14);
             d.SetSel(0, -1);
             d.ToggleBold();
         }, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CRichText doc;
        c.build(doc);
        EXPECT_EQ(doc.GetTrailingHeadingText("Liberation Serif", 14), c.expected);
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(doc.GetSelText(), c.expected);
        }
    }
}

TEST(RichTextOverflowTest, DrawTextLeavesOutHiddenCharacters)
{
    CRichText doc = Box("Go [0002#here#0002]\nnext line");
    doc.HideRange(3, 9);
    doc.HideRange(13, 19);
    EXPECT_EQ(doc.GetDrawText(), "Go here\nnext line\n");
    QImage image(200, 80, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    doc.DrawToDC(painter, CRect(0, 0, 200, 80));
    painter.end();
    bool inked = false;
    for (int y = 0; y < image.height() && !inked; ++y)
        for (int x = 0; x < image.width() && !inked; ++x)
            inked = image.pixel(x, y) != QColor(Qt::white).rgb();
    EXPECT_TRUE(inked);
}
