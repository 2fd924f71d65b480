#include "FactoryFixture.h"

#include "document/ContentScreenFactory.h"
#include "document/ScreenFactory.h"
#include "model/ComponentButton.h"
#include "model/ComponentImage.h"
#include "model/ComponentTextbox.h"
#include "model/GlobalHelpers.h"
#include "platform/StringTable.h"

namespace {

class ContentScreenFactoryTest : public FactoryFixture
{
protected:
    CContentScreenFactory Factory() { return CContentScreenFactory(*doc); }

    std::vector<CRect> Bounds(const CCorvPage &screen) const
    {
        std::vector<CRect> bounds;
        for (const auto &c : screen.GetComponentList())
            bounds.push_back(c->GetBounds());
        return bounds;
    }

    // Only the given photo setting on (none: clip art).
    void UseOnly(int32_t CCourseSettings::*setting)
    {
        doc->MutableSettings().UsePhotoObjects = doc->MutableSettings().UseColorPhotos = doc->MutableSettings().UseBWPhotos = doc->MutableSettings().UseClipArt = 0;
        if (setting)
            doc->MutableSettings().*setting = 1;
    }
};

const CRect kAt = {504, 387, 504, 387};

} // namespace

// Guards the layouts of the templates at the sizes the author can choose: the rectangles of the listed cases,
// and for every template and size the picture/text order, no overlap, the fixed gaps and the screen's bounds.
TEST_F(ContentScreenFactoryTest, TemplatesPlaceTheirPartsWithFixedGaps)
{
    struct Case {
        int layout, size;
        std::vector<CRect> bounds;
    };
    const Case cases[] = {
        {0, 1, {{36, 32, 436, 298}, {476, 32, 972, 298}, {36, 330, 972, 520}}},
        {0, 0, {{36, 32, 336, 232}, {376, 32, 972, 232}, {36, 264, 972, 520}}},
        {0, 7, {{36, 32, 436, 298}, {476, 32, 972, 298}, {36, 330, 972, 520}}},
        {6, 2, {{254, 32, 754, 365}, {36, 397, 972, 520}}},
        {6, 0, {{354, 32, 654, 232}, {36, 264, 972, 520}}},
        {7, 2, {{36, 30, 536, 530}, {576, 32, 972, 520}}},
        {7, 0, {{36, 130, 336, 430}, {376, 32, 972, 520}}},
        {9, 1, {{36, 32, 532, 520}, {572, 80, 972, 480}}},
    };
    for (const Case &c : cases) {
        CCorvPage *screen = Factory().AddContentScreenTemplate(c.layout, QStringLiteral("Click to change the label"),
                                                               QStringLiteral("1"), nullptr, c.size, 1);
        EXPECT_EQ(Bounds(*screen), c.bounds) << c.layout << " size " << c.size;
        EXPECT_EQ(screen->GetPageType(), pt_document);
    }

    const std::vector<std::vector<int>> kinds = {
        {ct_image, ct_textbox, ct_textbox},        {ct_image, ct_textbox, ct_textbox},
        {ct_textbox, ct_image, ct_textbox},        {ct_textbox, ct_textbox, ct_image},
        {ct_image, ct_textbox, ct_textbox, ct_image}, {ct_textbox, ct_image, ct_image, ct_textbox},
        {ct_image, ct_textbox},                    {ct_image, ct_textbox},
        {ct_textbox, ct_image},                    {ct_textbox, ct_image},
    };
    for (int layout = 0; layout < CContentScreenFactory::kTemplateCount; ++layout) {
        for (const int size : {0, 1, 2}) {
            SCOPED_TRACE(testing::Message() << "template " << layout << " size " << size);
            CCorvPage *screen =
                Factory().AddContentScreenTemplate(layout, QStringLiteral("T"), QStringLiteral("1"), nullptr, size, 0);
            ASSERT_EQ(screen->GetComponentCount(), int(kinds[size_t(layout)].size()));
            for (int i = 0; i < screen->GetComponentCount(); ++i) {
                const CComponentBase *a = screen->GetComponent(i);
                EXPECT_EQ(a->GetType(), kinds[size_t(layout)][size_t(i)]);
                const CRect r = a->GetBounds();
                EXPECT_FALSE(r.IsRectEmpty());
                EXPECT_GE(r.left, 36);
                EXPECT_LE(r.right, 972);
                EXPECT_GE(r.top, a->GetType() == ct_image ? 30 : 32);
                EXPECT_LE(r.bottom, a->GetType() == ct_image ? 530 : 520);
                if (a->GetType() == ct_image) {
                    EXPECT_EQ(r.Width(), GetPictureWidthForSize(size));
                    EXPECT_EQ(static_cast<const CComponentImage *>(a)->GetNaturalWidth(), r.Width());
                }
                for (int j = i + 1; j < screen->GetComponentCount(); ++j) {
                    const CComponentBase *b = screen->GetComponent(j);
                    const CRect s = b->GetBounds();
                    const int gapX = std::max(s.left - r.right, r.left - s.right);
                    const int gapY = std::max(s.top - r.bottom, r.top - s.bottom);
                    // A picture and a text box: side by side 40 apart, else one above the other at least 32
                    // apart. (Templates 4 and 5 put their two pictures, and their two text boxes, in opposite
                    // corners; as those layouts are drawn the pictures meet with the large preset and the text
                    // boxes with the small one.)
                    if ((a->GetType() == ct_image) != (b->GetType() == ct_image)) {
                        EXPECT_TRUE(gapX == 40 || gapY >= 32) << i << ' ' << j;
                    }
                }
            }
        }
    }
    EXPECT_EQ(Factory().AddContentScreenTemplate(10, QStringLiteral("T"), QStringLiteral("1"), nullptr, 1, 1), nullptr);
}

// Guards the placeholder pictures of the presets: size 7 is the medium one.
TEST_F(ContentScreenFactoryTest, PlaceholderPictureFollowsThePreset)
{
    for (const auto &[size, name] : {std::pair{0, "tmp_small.png"}, std::pair{1, "tmp_medium.png"},
                                     std::pair{2, "tmp_large.png"}, std::pair{7, "tmp_medium.png"}}) {
        CCorvPage *screen =
            Factory().AddContentScreenTemplate(6, QStringLiteral("T"), QStringLiteral("1"), nullptr, size, 1);
        EXPECT_EQ(static_cast<CComponentImage *>(screen->GetComponent(0))->GetImageFile(),
                  context.programFolder + u'/' + QLatin1String(name));
    }
}

// Guards where templates go and how their text boxes are numbered: every template after the popups folder
// lands in the popups list right after it; the first listed box gets the lower number; the default text only
// when asked for.
TEST_F(ContentScreenFactoryTest, TemplatesFollowTheAfterRuleAndNumberTheirBoxesInOrder)
{
    CScreenFactory screens(*doc);
    CCorvPage *popups = screens.AddPopupsFolder(QStringLiteral("Popups Only"), QStringLiteral("1000"), nullptr);
    CCorvPage *other = screens.AddTextScreen(QStringLiteral("P"), QStringLiteral("P1"), popups, 0);
    CCorvPage *withoutText = nullptr;
    for (int layout = 0; layout < CContentScreenFactory::kTemplateCount; ++layout) {
        CCorvPage *screen =
            Factory().AddContentScreenTemplate(layout, QStringLiteral("T"), QStringLiteral("P2"), popups, 1, 0);
        ASSERT_EQ(doc->PopupScreens().size(), size_t(layout) + 3);
        EXPECT_EQ(doc->PopupScreens()[1].get(), screen) << layout;
        if (layout == 0)
            withoutText = screen;
    }
    EXPECT_EQ(doc->PopupScreens().back().get(), other);
    EXPECT_TRUE(doc->MainScreens().empty());

    CCorvPage *main = screens.AddBlankScreen(QStringLiteral("M"), QStringLiteral("1"), nullptr);
    screens.AddBlankScreen(QStringLiteral("N"), QStringLiteral("2"), nullptr);
    doc->SetNextTextBoxNumber(40);
    CCorvPage *screen = Factory().AddContentScreenTemplate(4, QStringLiteral("T"), QStringLiteral("1_1"), main, 0, 1);
    EXPECT_EQ(doc->MainScreens()[1].get(), screen);
    auto *first = static_cast<CComponentTextbox *>(screen->GetComponent(1));
    auto *second = static_cast<CComponentTextbox *>(screen->GetComponent(2));
    EXPECT_EQ(first->GetFileName(), QStringLiteral("tb40.rtf"));
    EXPECT_EQ(second->GetFileName(), QStringLiteral("tb41.rtf"));
    EXPECT_EQ(first->GetRichText().GetText(), QStringLiteral("Click and add text."));
    EXPECT_EQ(static_cast<CComponentTextbox *>(withoutText->GetComponent(1))->GetRichText().GetText(), QString());
}

// Guards the final-performance folder and container: their page types, the main list, no components.
TEST_F(ContentScreenFactoryTest, FinalPerformanceFolderAndContainerAreEmpty)
{
    CCorvPage *folder = Factory().AddFinalPerformanceFolder(QStringLiteral("Final Performance Screens"),
                                                            QStringLiteral("2"), nullptr);
    CCorvPage *completed = Factory().AddCompletedScreen(QStringLiteral("Completed"), QStringLiteral("2_1"), folder);
    EXPECT_EQ(folder->GetPageType(), pt_asmt_folder);
    EXPECT_EQ(completed->GetPageType(), pt_asmt_container);
    EXPECT_EQ(Screens(doc->MainScreens()), (std::vector<CCorvPage *>{folder, completed}));
    EXPECT_EQ(folder->GetComponentCount() + completed->GetComponentCount(), 0);
    // The command that makes the folder remembers it, not the factory.
    EXPECT_EQ(doc->GetFinalPerformanceFolder(), nullptr);
}

// Guards the result screens' stock picture: chosen by the first photo setting that is on (clip art when none
// is), looked up in the graphics library, shrunk to 400 x 266 and centred on (504, 387); an empty rectangle
// there when the library does not hold it.
TEST_F(ContentScreenFactoryTest, ResultPictureFollowsThePhotoSettingsAndIsCentred)
{
    const QString bw = Picture(QStringLiteral("library/Stock Photo - b&w/000801_0247_0066_tslsw.jpg"), 1000, 500);
    const QString photo =
        Picture(QStringLiteral("library/Photo_Objects/image_JPG/970801_2653_1005_oslp.jpg"), 200, 100);
    const QString colour = Picture(QStringLiteral("library/Stock Photo - color/030419_1883_5046_xsls.jpg"), 60, 60);
    struct Case {
        int32_t CCourseSettings::*on[2];
        QString picture;
        CRect bounds;
    };
    const Case cases[] = {
        {{&CCourseSettings::UseBWPhotos, nullptr}, bw, {304, 287, 704, 487}},
        {{&CCourseSettings::UsePhotoObjects, &CCourseSettings::UseColorPhotos}, photo, {404, 337, 604, 437}},
        {{&CCourseSettings::UseColorPhotos, &CCourseSettings::UseBWPhotos}, colour, {474, 357, 534, 417}},
        // The clip art is not in this library.
        {{nullptr, nullptr}, QString(), kAt},
    };
    for (const Case &c : cases) {
        UseOnly(c.on[0]);
        if (c.on[1])
            doc->MutableSettings().*c.on[1] = 1;
        CCorvPage *screen = Factory().AddPassScreen(QStringLiteral("Pass"), QStringLiteral("2_2"), nullptr);
        ASSERT_EQ(screen->GetComponentCount(), 3);
        auto *picture = static_cast<CComponentImage *>(screen->GetComponent(1));
        EXPECT_EQ(picture->GetImageFile(), c.picture);
        EXPECT_EQ(picture->GetBounds(), c.bounds) << qPrintable(c.picture);
    }

    // Each result screen has its own stock pictures.
    UseOnly(&CCourseSettings::UseBWPhotos);
    const QString failPicture =
        Picture(QStringLiteral("library/Stock Photo - b&w/021106_1757_0046_lslsw.jpg"), 100, 100);
    CCorvPage *fail = Factory().AddFailScreen(QStringLiteral("Fail"), QStringLiteral("2_3"), nullptr);
    EXPECT_EQ(static_cast<CComponentImage *>(fail->GetComponent(1))->GetImageFile(), failPicture);
    CCorvPage *message = Factory().AddMessageScreen(QStringLiteral("Message"), QStringLiteral("2_1"), nullptr);
    EXPECT_EQ(message->GetComponent(1)->GetBounds(), kAt);
}

// Guards the result screens' text and button: the exact result text with only its first paragraph in bold, in
// the model and in the RTF stored, and the "Print" button.
TEST_F(ContentScreenFactoryTest, ResultTextIsExactWithItsHeadingInBold)
{
    doc->SetNextTextBoxNumber(9);
    struct Case {
        CCorvPage *(CContentScreenFactory::*make)(const QString &, const QString &, CCorvPage *);
        int text;
    };
    for (const Case c : {Case{&CContentScreenFactory::AddMessageScreen, 10828},
                         Case{&CContentScreenFactory::AddPassScreen, 10829},
                         Case{&CContentScreenFactory::AddFailScreen, 10830}}) {
        CContentScreenFactory factory = Factory();
        CCorvPage *screen = (factory.*c.make)(QStringLiteral("Result"), QStringLiteral("2_1"), nullptr);
        EXPECT_EQ(screen->GetPageType(), pt_asmt_document);
        ASSERT_EQ(screen->GetComponentCount(), 3);
        auto *text = static_cast<CComponentTextbox *>(screen->GetComponent(0));
        EXPECT_EQ(text->GetBounds(), CRect(36, 32, 972, 222));
        EXPECT_EQ(text->GetFileName(), QStringLiteral("tb%1.rtf").arg(9 + c.text - 10828));
        QString expected = CStringTable::Load(c.text);
        expected.replace(u'\n', u'\r');
        const CRichText &rich = text->GetRichText();
        EXPECT_EQ(rich.GetText(), expected);
        const int heading = int(QStringLiteral("Assessment Results").size());
        for (int pos = 0; pos < rich.GetTextLength(); ++pos)
            ASSERT_EQ(rich.GetCharFormatAt(pos).Has(CFE_BOLD), pos <= heading) << c.text << " at " << pos;

        // The RTF stored: bold at the start, switched off once, never on again.
        const QString rtf = rich.GetRtf();
        const qsizetype on = rtf.indexOf(QStringLiteral("\\b "));
        const qsizetype off = rtf.indexOf(QStringLiteral("\\b0"));
        EXPECT_LT(on, rtf.indexOf(QStringLiteral("Assessment Results")));
        EXPECT_GT(off, rtf.indexOf(QStringLiteral("Assessment Results")));
        EXPECT_EQ(rtf.indexOf(QStringLiteral("\\b "), off), -1) << qPrintable(rtf);

        auto *print = static_cast<CComponentButton *>(screen->GetComponent(2));
        EXPECT_EQ(print->GetType(), ct_button);
        EXPECT_EQ(print->GetText(), QStringLiteral("Print"));
        EXPECT_EQ(print->GetBounds(), CRect(865, 490, 969, 514));
    }
}
