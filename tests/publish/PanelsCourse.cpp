#include "PanelsCourse.h"

#include "document/InternationalProfileFromXML.h"
#include "model/ComponentAudio.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentImage.h"
#include "model/ComponentLikert.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"

#include <QImage>

namespace ScreenTest {

namespace {

void FillQuestionScreens(Fixture &f, const SampleTexts &t, CCorvPage &paragraph, CCorvPage &blanks, CCorvPage &choice,
                         CCorvPage &trueFalse, CCorvPage &pairs, CCorvPage &parts, CCorvPage &slider)
{
    auto *cp = Place<CComponentCompleteParagraph>(paragraph, f.prompt, CRect(10, 10, 1000, 500));
    cp->SetInstruction(QStringLiteral("Drag the words into the gaps. ") + t.body);
    cp->SetQuestionText(QStringLiteral("Gulls **** on cliffs\r\nand terns **** on ****"));
    cp->SetMissingWords({QStringLiteral("nest"), QStringLiteral("fish"), t.caption});

    auto *fb = Place<CComponentFillBlanks>(blanks, f.prompt, CRect(10, 10, 1000, 500));
    fb->SetInstruction(QStringLiteral("Type the missing words."));
    fb->SetQuestionText(QStringLiteral("A young bird is a ****.\r\n\r\n\r\nIt leaves the nest when it can ****\r\nThe end: ") + t.body);
    fb->SetWords({QStringLiteral("chick;nestling"), QStringLiteral("fly")});

    auto *mc = Place<CComponentMultipleChoice>(choice, f.prompt, CRect(10, 10, 1000, 500));
    mc->SetQuestionText(QStringLiteral("Which of these are sea birds?\r\n") + t.body);
    mc->SetOptions({QStringLiteral("Gull"), QStringLiteral("  "), t.caption, QStringLiteral("Puffin  "), QStringLiteral(" ")},
                   {1, 0, 0, 1, 0});

    auto *tf = Place<CComponentMultipleChoice>(trueFalse, f.prompt, CRect(10, 10, 1000, 500));
    tf->SetTrueFalse(1);
    tf->SetInstruction(QStringLiteral("True or false?"));
    tf->SetQuestionText(QStringLiteral("Terns fly south in winter."));
    tf->SetOptions({QStringLiteral("True"), QStringLiteral("False"), {}, {}, {}}, {1, 0, 0, 0, 0});

    auto *mp = Place<CComponentMatchPairs>(pairs, f.prompt, CRect(10, 10, 1000, 500));
    mp->SetQuestionText(QStringLiteral("Match each bird to its egg. ") + t.body);
    const QString picture = f.tmp / QStringLiteral("Pictures/Engine.PNG");
    // Slot 1 lies empty: the pairs after it are still published.
    using Slots = CComponentMatchPairs::Slots;
    mp->SetLeftTexts(Slots{QStringLiteral("Gull"), QString(), t.caption, QString(), QStringLiteral("Tern")});
    mp->SetLeftImages(Slots{picture, QString(), QString(), picture, QString()});
    mp->SetRightTexts(Slots{QStringLiteral("Speckled"), QString(), QString(), QStringLiteral("White"), QStringLiteral("Blue")});
    mp->SetRightImages(Slots{QString(), QString(), picture, picture, QString()});

    auto *pi = Place<CComponentPartIdentification>(parts, f.prompt, CRect(10, 10, 1000, 500));
    pi->SetQuestionText(QStringLiteral("Find the engine's two valves."));
    pi->SetImageFile(picture);
    pi->SetTargetCount(2);
    pi->m_targetsToMatch = 2;
    const CRect image = pi->GetImageRect();
    pi->SetTargetRect(image.left + 20, 30, image.left + 60, 70, 0);
    pi->SetTargetRect(image.left + 100, 120, image.left + 140, 190, 1);

    auto *sr = Place<CComponentLikert>(slider, f.prompt, CRect(10, 10, 1000, 500));
    sr->SetQuestionText(QStringLiteral("How many eggs does a gull lay?"));
    sr->SetStartValue(1.0f);
    sr->SetEndValue(4.0f);
    sr->SetCorrectValue(3.0f);
    sr->SetStartLabel(t.label);
    sr->SetEndLabel(QStringLiteral("Four"));
}

// A 200 x 100 picture whose marquee, at half the editor's size, is the middle quarter of the picture.
CComponentImage *EffectPicture(Fixture &f, CCorvPage &screen, int effect, const CRect &bounds, const SampleTexts &t)
{
    auto *image = Place<CComponentImage>(screen, f.prompt, bounds);
    image->SetImageFile(f.tmp / QStringLiteral("Images/Resized/Cliff%1.JPG").arg(effect), f.context);
    image->SetAltText(t.caption);
    image->SetTitleText(QStringLiteral("Effect %1").arg(effect));
    image->SetAnimationEffect(effect);
    image->SetStartRect(CRect(100, 50, 300, 150));
    image->m_scale = 0.5f;
    image->m_timeToComplete = 4.5f;
    image->m_waitBeforeStart = 0.25f;
    image->m_acceleration = effect % 4;
    image->m_clickStart = effect % 2;
    return image;
}

void FillPictureScreens(Fixture &f, const SampleTexts &t, CCorvPage &effects, CCorvPage &links, const CCorvPage &target,
                        const CCorvPage &popup)
{
    auto *plain = Place<CComponentImage>(effects, f.prompt, CRect(10, 10, 210, 110));
    plain->SetImageFile(f.tmp / QStringLiteral("Images/Resized/Plain.png"), f.context);
    plain->SetAltText(QStringLiteral("A plain picture"));
    int column = 0;
    for (int effect = CComponentImage::effectZoomIn; effect <= CComponentImage::effectFadeOut; ++effect) {
        const int left = 10 + (column % 4) * 240;
        const int top = 130 + (column / 4) * 120;
        ++column;
        CComponentImage *image = EffectPicture(f, effects, effect, CRect(left, top, left + 200, top + 100), t);
        if (effect != CComponentImage::effectPan)
            continue;
        // Automated panning along three markers; then the same picture panned by scroll bars and by hand.
        image->m_panningMode = 2;
        image->m_markerCount = 3;
        image->m_markers[0] = CRect(0, 0, 28, 28);
        image->m_markers[1] = CRect(186, 86, 214, 114);
        image->m_markers[2] = CRect(372, 172, 400, 200);
        image->m_timeToEachMarker = 1.5f;
        image->m_waitAtEachMarker = 0.5f;
        for (int mode : {1, 0}) {
            const int l = 10 + (column % 4) * 240;
            const int tp = 130 + (column / 4) * 120;
            ++column;
            EffectPicture(f, effects, effect, CRect(l, tp, l + 200, tp + 100), t)->m_panningMode = mode;
        }
    }

    struct Link {
        int screenLink, targetScreen;
        QString address;
        int popup, script, fullSize;
    };
    const Link kinds[] = {
        {1, target.GetId(), {}, 0, 0, 0}, {1, popup.GetId(), {}, 1, 0, 0}, {1, popup.GetId(), {}, 1, 0, 1},
        {0, -1, t.script, 0, 1, 0},       {0, -1, t.address, 0, 0, 0},     {1, 9999, {}, 0, 0, 0},
    };
    int left = 10;
    for (const Link &link : kinds) {
        auto *image = Place<CComponentImage>(links, f.prompt, CRect(left, 10, left + 150, 110));
        image->SetImageFile(f.tmp / QStringLiteral("Images/Resized/Link%1.png").arg(left), f.context);
        image->SetLink(link.screenLink, link.targetScreen, link.address, link.popup, link.script, link.fullSize, 300, 400);
        left += 160;
    }
}

void FillMediaScreens(Fixture &f, CCorvPage &sounds, CCorvPage &movies)
{
    auto audio = [&](const QString &file, int play, int buttons, const CRect &bounds) {
        auto *a = Place<CComponentAudio>(sounds, f.prompt, bounds);
        a->SetFilePath(f.tmp / file);
        a->SetPlayButton(play);
        a->m_buttonControls = buttons;
    };
    audio(QStringLiteral("Sounds/Waves.mp3"), 1, 1, CRect(10, 10, 60, 40));
    audio(QStringLiteral("Sounds/Waves.mp3"), 0, 1, CRect(70, 10, 120, 40));
    audio(QStringLiteral("Sounds/Gull.wav"), 0, 0, CRect(130, 10, 180, 40));
    audio(QStringLiteral("Sounds/Call.ra"), 0, 0, CRect(190, 10, 240, 40));

    int index = 0;
    for (const char *file : {"Movies/Sea.mpg", "Movies/Sea.avi", "Movies/Sea.mov", "Movies/Sea.wmv", "Movies/Sea.rm",
                             "Movies/Guide.pdf", "Movies/Flap.gif", "Movies/Intro.swf"}) {
        const int left = 10 + (index % 4) * 245;
        const int top = 10 + (index / 4) * 130;
        ++index;
        auto *video = Place<CComponentVideo>(movies, f.prompt, CRect(left, top, left + 235, top + 120));
        video->SetFilePath(f.tmp / QLatin1String(file));
    }
    Place<CComponentFlashQuestion>(movies, f.prompt, CRect(10, 270, 245, 390))->SetFilePath(f.tmp / QStringLiteral("Movies/Quiz.swf"));
    auto *flv = Place<CComponentFlashVideo>(movies, f.prompt, CRect(255, 270, 575, 510));
    flv->SetFilePath(f.tmp.Write(QStringLiteral("Movies/Harbour Tour.flv"), "FLV\x01"));
    flv->m_stillImagePath = f.tmp.Write(QStringLiteral("Images/Harbour.jpg"), "JPEG still");
    // A Flash video whose file is gone still gets its player.
    Place<CComponentFlashVideo>(movies, f.prompt, CRect(585, 270, 905, 510))->SetFilePath(f.tmp / QStringLiteral("Movies/Gone.flv"));
    Place<CComponentYouTube>(movies, f.prompt, CRect(10, 400, 245, 550))->m_embedCode =
        QStringLiteral("<iframe width=\"235\" height=\"150\" src=\"https://video.example/embed/x2\"></iframe>");
}

void FillGlossary(Fixture &f, const SampleTexts &t)
{
    CCorvessaDoc &doc = *f.doc;
    f.Add(doc.GlossaryScreens(), QStringLiteral("G6"), pt_glossary, QStringLiteral("Glossary"));
    CCorvPage *term = f.Add(doc.GlossaryScreens(), QStringLiteral("G6_1"), pt_document, t.term);
    Rich(Place<CComponentTextbox>(*term, f.prompt, CRect(10, 10, 300, 100))->GetContent()).Add(QStringLiteral("Alpha"));
    Rich(Place<CComponentTextbox>(*term, f.prompt, CRect(10, 110, 300, 200))->GetContent())
        .Add(QStringLiteral("Beta, see "))
        .Link(1, QStringLiteral("the cliffs"))
        .Add(QStringLiteral("\rand ") + t.body);
    CCorvPage *pictureOnly = f.Add(doc.GlossaryScreens(), QStringLiteral("G6_2"), pt_document, QStringLiteral("Egg"));
    Place<CComponentImage>(*pictureOnly, f.prompt, CRect(10, 10, 100, 100));
    // A term without anything on its screen has no entry.
    f.Add(doc.GlossaryScreens(), QStringLiteral("G6_3"), pt_document, QStringLiteral("Empty"));
}

InternationalProfileItemFromXML Item(const QString &base, const QString &variable, const QString &text,
                                     const QString &outlineToken = {}, int limit = 0)
{
    InternationalProfileItemFromXML item;
    item.baseVariable = base;
    item.variable = variable;
    item.text = text;
    item.limit = limit;
    if (!outlineToken.isEmpty())
        item.files.push_back({QStringLiteral("outline.htm.txt"), QStringLiteral("html"), outlineToken});
    return item;
}

} // namespace

void SetPanelsProfile(Fixture &f, const SampleTexts &t)
{
    auto profile = std::make_unique<InternationalProfileFromXML>();
    const QString str = QStringLiteral("kvxPrefs.str");
    const QString help = QStringLiteral("kvxHelp");
    profile->items = {
        Item(str, QStringLiteral("pagelanguage"), QStringLiteral("en"), QStringLiteral("<~pagelanguage~>")),
        Item(str, QStringLiteral("next"), QStringLiteral("Next")),
        Item(help, QStringLiteral("intro"), QStringLiteral("Press F1 for help")),
        Item(str, QStringLiteral("quit"), QStringLiteral("Leave the \"") + t.title + QStringLiteral("\" course?")),
        Item(str, QStringLiteral("short"), QStringLiteral("ab\"cd"), {}, 5),
        Item(str, QStringLiteral("outlineassessment"), QStringLiteral("Take the ") + t.caption),
        Item(help, QStringLiteral("wrap"), QStringLiteral("Line one\r\nline two ]]> done")),
    };
    f.doc->SetInternationalProfile(std::move(profile));
}

void BuildPanelsCourse(Fixture &f, const SampleTexts &t)
{
    CCorvessaDoc &doc = *f.doc;
    doc.MutableSettings().OutlineLabel = QStringLiteral("Outline of ") + t.title;
    doc.MutableSettings().LastAssessmentTopic = 1;
    doc.MutableSettings().MenuBasedCourse = 1;
    doc.MutableSettings().FontName[3] = QStringLiteral("Verdana");
    doc.MutableSettings().FontFamily[3] = QStringLiteral("sans-serif");
    doc.MutableSettings().FontSizePoints[3] = QStringLiteral("11pt");
    QImage engine(300, 200, QImage::Format_RGB32);
    engine.fill(Qt::darkCyan);
    engine.save(f.tmp.MakeFolder(QStringLiteral("Pictures")) + QStringLiteral("/Engine.PNG"));

    const auto add = [&](const char *label, int type, const QString &title) {
        return f.Add(doc.MainScreens(), QLatin1String(label), type, title);
    };
    add("1", pt_folder, QStringLiteral("Sea birds"))->SetMenuKind(apt_multi_topic_menu);
    add("1_1", pt_container, QStringLiteral("Questions"));
    CCorvPage *paragraph = add("1_1_1", pt_question, t.title);
    CCorvPage *blanks = add("1_1_2", pt_question, QStringLiteral("Blanks"));
    CCorvPage *choice = add("1_1_3", pt_question, QStringLiteral("Choices"));
    CCorvPage *trueFalse = add("1_1_4", pt_question, QStringLiteral("True or false"));
    CCorvPage *pairs = add("1_1_5", pt_question, QStringLiteral("Pairs"));
    CCorvPage *parts = add("1_1_6", pt_question, QStringLiteral("Parts"));
    CCorvPage *slider = add("1_1_7", pt_question, QStringLiteral("Slider"));
    add("1_2", pt_container, QStringLiteral("Pictures"));
    CCorvPage *effects = add("1_2_1", pt_document, QStringLiteral("Effects"));
    CCorvPage *links = add("1_2_2", pt_document, QStringLiteral("Linked pictures"));
    add("1_3", pt_container, QStringLiteral("Media"));
    CCorvPage *sounds = add("1_3_1", pt_document, QStringLiteral("Sounds"));
    CCorvPage *movies = add("1_3_2", pt_document, QStringLiteral("Movies"));
    add("1_4", pt_container, QStringLiteral("Final test"));
    add("1_4_1", pt_question, QStringLiteral("Never listed"));
    add("2", pt_asmt_folder, QStringLiteral("final PERFORMANCE screens"));
    add("2_1", pt_asmt_document, QStringLiteral("Well done"));
    add("3", pt_remediation, QStringLiteral("Remediation"));
    add("3_1", pt_document, QStringLiteral("Revise the birds"));
    f.Add(doc.PopupScreens(), QStringLiteral("P5"), pt_popups_only, QStringLiteral("Popups"));
    CCorvPage *popup = f.Add(doc.PopupScreens(), QStringLiteral("P5_1"), pt_document, QStringLiteral("A popup"));
    FillGlossary(f, t);

    FillQuestionScreens(f, t, *paragraph, *blanks, *choice, *trueFalse, *pairs, *parts, *slider);
    FillPictureScreens(f, t, *effects, *links, *sounds, *popup);
    FillMediaScreens(f, *sounds, *movies);
    SetPanelsProfile(f, t);
    f.Outline();
}

} // namespace ScreenTest
