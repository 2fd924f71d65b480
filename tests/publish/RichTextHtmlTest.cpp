#include "ScreenTestSupport.h"

#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "publish/RichTextHtml.h"
#include "publish/RunToHtmlSpan.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ScreenTest;

namespace {

const QString kPara = QStringLiteral("<p style='text-align:left; margin-left:0px;'>");
const QString kBoldSpan = QStringLiteral("<span style='font-size: 12pt; font-family:Arial, Liberation Sans, sans-serif; color: #000000; font-weight:bold; '>");

QString Item(const char *margin, const char *colour = "#000000", const char *align = "left")
{
    return QStringLiteral("    <li style='color:%1; text-align:%2; margin-left:%3;'>")
        .arg(QLatin1String(colour), QLatin1String(align), QLatin1String(margin));
}

class RichTextHtmlTest : public ::testing::Test
{
protected:
    RichTextHtmlTest()
    {
        target = f.Add(f.doc->MainScreens(), QStringLiteral("2"), pt_document);
        target->SetPublishId(QStringLiteral("0_3"));
        term = f.Add(f.doc->GlossaryScreens(), QStringLiteral("G1_1"), pt_document, QStringLiteral("Fledgling"));
        term->SetPublishId(QStringLiteral("9000_5"));
        // An imported term keeps the line end of its paragraph; the glossary list names it without.
        f.Add(f.doc->GlossaryScreens(), QStringLiteral("G1_2"), pt_document, QStringLiteral("Helmet\n"))
            ->SetPublishId(QStringLiteral("9000_7"));
    }

    QString Html(const std::function<void(Rich &)> &build, CRichTextHtml::Mode mode = CRichTextHtml::Mode::Textbox)
    {
        CRichTextLinks content;
        Rich rich(content);
        build(rich);
        if (links)
            links(content);
        return CRichTextHtml(f.Publisher()->Context()).TextToHtml(content, mode);
    }

    QString Run(const QString &text, const CCharFormat &format, const CRunLink &link = {})
    {
        QString out;
        RunToHtmlSpan(out, text, format, link, CBodyFont::FromDocument(*f.doc), *f.doc);
        return out;
    }

    Fixture f;
    CCorvPage *target = nullptr;
    CCorvPage *term = nullptr;
    std::function<void(CRichTextLinks &)> links;
};

} // namespace

// Guards the paragraph and list structure of text boxes: a wrong tag order or a lost break shows learners
// run-together or misplaced text.
TEST_F(RichTextHtmlTest, ParagraphsAndLists)
{
    struct Case {
        const char *name;
        int leftAlignBullets;
        int leftAlignNumbers;
        std::function<void(Rich &)> build;
        QString expected;
    };
    const QString p20 = QStringLiteral("<p style='text-align:left; margin-left:20px;'>");
    const QString centred = QStringLiteral("<p style='text-align:center; margin-left:0px;'>");
    const Case cases[] = {
        {"empty text box", 0, 0, [](Rich &) {}, ""},
        {"two lines of one paragraph", 0, 0, [](Rich &r) { r.Add("One\rTwo"); }, kPara + "One<br>Two</p>"},
        {"line break inside a paragraph", 0, 0, [](Rich &r) { r.Add("One\vTwo"); }, kPara + "One<br>Two</p>"},
        {"centred after left", 0, 0, [](Rich &r) { r.Para(PFA_LEFT).Add("One\r").Para(PFA_CENTER).Add("Two"); },
         kPara + "One<br></p>" + centred + "Two</p>"},
        {"indent change", 0, 0, [](Rich &r) { r.Add("One\r").Para(PFA_LEFT, 400).Add("Two"); },
         kPara + "One<br></p>" + p20 + "Two</p>"},
        {"unknown alignment keeps the word", 0, 0, [](Rich &r) { r.Para(PFA_CENTER).Add("One\r").Para(0).Add("Two"); },
         centred + "One<br>Two</p>"},
        {"a lone break in a paragraph of its own", 0, 0,
         [](Rich &r) { r.Add("One\r").Para(PFA_CENTER).Add("\r").Para(PFA_LEFT).Add("Two"); },
         kPara + "One<br></p>" + centred + "<br></p>" + kPara + "Two</p>"},
        {"empty last paragraph leaves no tags", 0, 0, [](Rich &r) { r.Add("One\r").Para(PFA_CENTER); },
         kPara + "One<br></p>"},
        {"bold word gives three runs", 0, 0, [](Rich &r) { r.Add("a ").Add("big", With(CFE_BOLD)).Add(" day"); },
         kPara + "a " + kBoldSpan + "big</span> day</p>"},
        {"bullets aligned left", 1, 0, [](Rich &r) { r.Para(PFA_LEFT, 0, PFN_BULLET).Add("A\rB"); },
         "<ul>" + Item("18px") + "A<br></li>" + Item("18px") + "B</li></ul>"},
        {"numbers at 360 twips aligned left", 0, 1, [](Rich &r) { r.Para(PFA_LEFT, 360, PFN_ARABIC).Add("A"); },
         "<ol>" + Item("3.2em") + "A</li></ol>"},
        {"numbers at 360 twips", 0, 0, [](Rich &r) { r.Para(PFA_LEFT, 360, PFN_ARABIC).Add("A"); },
         "<ol>" + Item("1.6em") + "A</li></ol>"},
        {"list between paragraphs", 0, 0,
         [](Rich &r) { r.Add("Intro\r").Para(PFA_LEFT, 360, PFN_BULLET).Add("A\r").Para(PFA_LEFT).Add("After"); },
         kPara + "Intro<br></p><ul>" + Item("18px") + "A<br></li></ul>" + kPara + "After</p>"},
        {"empty list line is a bare break", 0, 0, [](Rich &r) { r.Para(PFA_LEFT, 0, PFN_BULLET).Add("A\r\rB"); },
         "<ul>" + Item("0px") + "A<br></li>" + Item("0px") + "<br></li>" + Item("0px") + "B</li></ul>"},
        {"paragraph without a number goes on after its item", 0, 0,
         [](Rich &r) {
             r.Para(PFA_LEFT, 0, PFN_BULLET).Add("A\r").Para(PFA_LEFT, 0, PFN_BULLET, PFNS_NONUMBER).Add("more\r");
             r.Para(PFA_LEFT, 0, PFN_BULLET).Add("B");
         },
         "<ul>" + Item("0px") + "A<br></li>more<br>" + Item("0px") + "B</li></ul>"},
        {"bullets then numbers", 0, 0, [](Rich &r) { r.Para(PFA_LEFT, 0, PFN_BULLET).Add("A\r").Para(PFA_RIGHT, 0, PFN_ARABIC).Add("1"); },
         "<ul>" + Item("0px") + "A<br></li></ul><ol>" + Item("0.0em", "#000000", "right") + "1</li></ol>"},
        {"item colour from its first character", 0, 0, [](Rich &r) { r.Para(PFA_CENTER, 0, PFN_BULLET).Add("Red", Coloured(kRed)); },
         "<ul>" + Item("0px", "#FF0000", "center") + "<span style='font-size: 12pt; font-family:Arial, Liberation Sans, sans-serif; color: #FF0000; '>Red</span></li></ul>"},
        {"markup and script characters", 0, 0, [](Rich &r) { r.Add("say \"hi\" \\ </script> <b>&"); },
         kPara + R"(say \"hi\" \\ &lt;/script&gt; &lt;b&gt;&amp;</p>)"},
    };
    for (const Case &c : cases) {
        f.doc->MutableSettings().LeftAlignBulletedLists = c.leftAlignBullets;
        f.doc->MutableSettings().LeftAlignNumberedLists = c.leftAlignNumbers;
        EXPECT_EQ(Html(c.build), c.expected) << c.name;
    }
}

// Guards the table cell form: paragraphs without margin when unindented and items without leading blanks,
// as the table style sheet expects.
TEST_F(RichTextHtmlTest, CellText)
{
    const auto cell = CRichTextHtml::Mode::Cell;
    EXPECT_EQ(Html([](Rich &r) { r.Add("One"); }, cell), "<p style='text-align:left;'>One</p>");
    EXPECT_EQ(Html([](Rich &r) { r.Para(PFA_RIGHT, 300).Add("One\r"); }, cell),
              "<p style='text-align:right; margin-left:15px;'>One<br></p>");
    EXPECT_EQ(Html([](Rich &r) { r.Para(PFA_LEFT, 0, PFN_BULLET).Add("A"); }, cell),
              "<ul><li style='color:#000000; text-align:left; margin-left:0px;'>A</li></ul>");
}

// Guards the links of rich text: the markers name the record, are never published, and a record that is
// missing or a marker that is damaged gives plain text rather than a wrong or broken anchor.
TEST_F(RichTextHtmlTest, Links)
{
    const QString toTarget = QStringLiteral("<a href='#' data-kvx-click='kvx.gotoNewPage(\\\"0_3\\\")'>");
    const auto clickHere = [](Rich &r) { r.Add("Click ").Link(2, "here").Add(" now"); };

    links = [&](CRichTextLinks &c) { ScreenLinkRecord(c, 2, target->GetId()); };
    EXPECT_EQ(Html(clickHere), kPara + "Click " + toTarget + "here</a> now</p>");

    links = [](CRichTextLinks &) {};
    EXPECT_EQ(Html(clickHere), kPara + "Click here now</p>") << "no record";

    links = [](CRichTextLinks &c) { ScreenLinkRecord(c, 2, 999); };
    EXPECT_EQ(Html(clickHere), kPara + "Click here now</p>") << "target screen gone";

    links = [&](CRichTextLinks &c) { ScreenLinkRecord(c, 2, target->GetId()); };
    EXPECT_EQ(Html([](Rich &r) { r.Hidden("[00x2#").Add("here", With(CFE_LINK)).Hidden("#00x2]"); }), kPara + "here</p>")
        << "damaged marker";
    EXPECT_EQ(Html([](Rich &r) { r.Hidden("note").Add("A").Hidden("[0002#").Add("B", With(CFE_LINK)).Hidden("#0002][0003#"); }),
              kPara + "A" + toTarget + "B</a></p>")
        << "hidden text other than markers is not published";

    links = [&](CRichTextLinks &c) {
        ScreenLinkRecord(c, 2, target->GetId());
        AddressLinkRecord(c, 3, "https://example.org");
    };
    EXPECT_EQ(Html([](Rich &r) { r.Link(2, "a").Link(3, "b").Add("c"); }),
              kPara + toTarget + "a</a><a href='https://example.org' target='_blank;'>b</a>c</p>")
        << "adjacent links";
}

// Guards the container of a text box: its direction is written only when it differs from the course's.
TEST_F(RichTextHtmlTest, TextboxDirection)
{
    const QString head = QStringLiteral("\"<div style='position:absolute; left:10px; top:20px; width:100px; height:50px; overflow:auto;");
    struct Case {
        int boxRtl, courseRtl;
        QString expected;
    };
    const Case cases[] = {
        {0, 0, head + "'></div>\""},
        {1, 1, head + "'></div>\""},
        {1, 0, head + " direction:rtl; unicode-bidi:embed;'></div>\""},
        {0, 1, head + " direction:ltr; unicode-bidi:embed;'></div>\""},
    };
    for (const Case &c : cases) {
        CComponentTextbox box;
        box.SetBounds(CRect(10, 20, 110, 70), false);
        box.SetRightToLeft(c.boxRtl);
        f.doc->MutableSettings().RightToLeft = c.courseRtl;
        EXPECT_EQ(CRichTextHtml(f.Publisher()->Context()).TextboxToHtml(box), c.expected) << c.boxRtl << c.courseRtl;
    }
}

// Guards how a run is written: bare body text, the heading span, styled spans, each kind of link anchor,
// and text that stays inside its script string.
TEST_F(RichTextHtmlTest, Runs)
{
    const auto link = [](int screen, int script, const QString &to, int popup = 0) {
        CRunLink l;
        l.isLink = 1;
        l.isScreenLink = screen;
        l.isScript = script;
        l.target = to;
        l.isPopup = popup;
        l.popupWidth = 400;
        l.popupHeight = 300;
        return l;
    };
    const QString styled = QStringLiteral("<span style='font-size: 12pt; font-family:Arial, Liberation Sans, sans-serif; ");
    struct Case {
        const char *name;
        CCharFormat format;
        CRunLink link;
        QString text, expected;
    };
    const Case cases[] = {
        {"body text", Body(), {}, "t", "t"},
        {"heading, face in another case", With(CFE_BOLD, Sized(14, Face("ARIAL"))), {}, "t",
         "<span style='font-size:1.2em; font-weight:bold;'>t</span>"},
        {"bold but 3 points larger", With(CFE_BOLD, Sized(15)), {}, "t",
         "<span style='font-size: 15pt; font-family:Arial, Liberation Sans, sans-serif; color: #000000; font-weight:bold; '>t</span>"},
        {"underline and strikeout", With(CFE_UNDERLINE | CFE_STRIKEOUT), {}, "t",
         styled + "color: #000000; text-decoration:line-through underline;'>t</span>"},
        {"red italic", With(CFE_ITALIC, Coloured(kRed)), {}, "t", styled + "color: #FF0000; font-style:italic; '>t</span>"},
        {"automatic colour is black", With(CFE_AUTOCOLOR, Coloured(kRed)), {}, "t", "t"},
        {"raised", Raised(60), {}, "2", styled + "color: #000000; vertical-align:super; '>2</span>"},
        {"lowered", Raised(-60), {}, "2", styled + "color: #000000; vertical-align:sub; '>2</span>"},
        {"quotes and backslashes", Body(), {}, "a\"b\\c", R"(a\"b\\c)"},
        {"page link", Body(), link(1, 0, "0_3"), "t", "<a href='#' data-kvx-click='kvx.gotoNewPage(\\\"0_3\\\")'>t</a>"},
        {"popup link", Body(), link(1, 0, "0_3", 1), "t",
         "<a href='#' data-kvx-click='kvx.popup(\\\"0_3\\\",400,300)'>t</a>"},
        {"glossary link", Body(), link(1, 0, "9000_5"), "t",
         "<a href='#' class='glossaryLink' data-kvx-click='kvx.glossary(\\\"Fledgling\\\")'>t</a>"},
        {"glossary entry gone", Body(), link(1, 0, "9000_6"), "t", "t"},
        {"imported term with its line end", Body(), link(1, 0, "9000_7"), "t",
         "<a href='#' class='glossaryLink' data-kvx-click='kvx.glossary(\\\"Helmet\\\")'>t</a>"},
        {"screen gone", Body(), link(1, 0, ""), "t", "t"},
        {"script without semicolon", Body(), link(0, 1, "kvx.hint()"), "t",
         "<a href='#' data-kvx-script='79bf8b32e9b9bd6ce6ca'>t</a>"},
        {"script with semicolon", Body(), link(0, 1, "a();b()"), "t", "<a href='#' data-kvx-script='961be42031218e47ba5e'>t</a>"},
        {"web link, styled, no colour", With(CFE_ITALIC), link(0, 0, "https://x.org/?a=1&b=2"), "t",
         "<a href='https://x.org/?a=1&amp;b=2' target='_blank;'>" + styled + "font-style:italic; '>t</span></a>"},
        {"web link without address", With(CFE_BOLD), link(0, 0, ""), "t", styled + "font-weight:bold; '>t</span>"},
        {"hostile page target", Body(), link(1, 0, "x\"y'z\\"), "t",
         R"(<a href='#' data-kvx-click='kvx.gotoNewPage(\"x\\\"y&#39;z\\\\\")'>t</a>)"},
        {"hostile script", Body(), link(0, 1, "alert('a') </script>"), "t",
         "<a href='#' data-kvx-script='573cecbd9caaff0ba5d6'>t</a>"},
        {"empty run", With(CFE_BOLD), link(1, 0, "0_3"), "", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Run(c.text, c.format, c.link), c.expected) << c.name;
}
