// Publishes the courses that the run-time's browser tests walk, with the program-folder data of the build:
//
//   publish_runtime_course <program folder> <work folder> tour|quiz|word|wordmedia|dialogs|container|hostile standalone|web|scorm12|scorm2004
//
// The project is <work folder>/Course.kvx with its media in <work folder>/Course; the course is published to
// <work folder>/out. The tour is a course of two topics under a main menu: links of every kind, pictures with
// a pan-and-zoom effect, a table, shapes, a print button, a question, sounds, a video, plug-in media and a
// Flash question, a popup that is the help screen, two glossary terms and the outline. The quiz is a course
// without menus that asks one question of every kind, has a remediation group after its second question and
// two final performance screens. The word course is the Word fixture document imported into topics and
// screens, with its glossary term linked from the text as the author links it. The Word media course is a
// document written here with a PNG, a JPEG and a metafile picture, a 3 x 4 table of formatted cells, the
// question styles and the text of a generated complete-the-paragraph question; the words that question
// blanked are written to <work folder>/answers.json for the browser test. The dialogs course
// is a linear quiz whose multiple-choice, fill-in-the-blanks, match-pairs and slider questions are made from
// the values their dialogs hand over, saved, and published from the project opened again. The exit status
// is 0 when the publish reported success.

#include "dialogs/QuestionDialogApply.h"
#include "document/CorvessaDoc.h"
#include "document/ProjectFile.h"
#include "document/ScreenFactory.h"
#include "import/HeadlessImportHost.h"
#include "image/qt/MetafilePlayer.h"
#include "import/WordDocImporter.h"
#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentImage.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "model/Topic.h"
#include "model/URLLink.h"
#include "publish/CoursePublisher.h"
#include "tests/import/WordMediaFixture.h"
#include "tests/support/PublishHarness.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

CCharFormat Body(uint32_t effects = 0)
{
    CCharFormat f;
    f.mask = CFM_ALL;
    f.face = QStringLiteral("Arial");
    f.height = 240;
    f.colour = 0;
    f.effects = effects;
    return f;
}

void Text(CRichTextLinks &content, const QString &text, uint32_t effects = 0)
{
    content.GetRichText().AppendRaw(text, Body(effects));
}

void Link(CRichTextLinks &content, int number, const QString &text)
{
    Text(content, CURLLink::OpeningMarker(number), CFE_HIDDEN);
    Text(content, text, CFE_LINK);
    Text(content, CURLLink::ClosingMarker(number), CFE_HIDDEN);
}

template <class Kind>
Kind *Place(CCorvPage &screen, CRecordingPrompt &, std::unique_ptr<Kind> component, const CRect &bounds)
{
    Kind *raw = component.get();
    component->SetBounds(bounds, false);
    screen.AddComponent(std::move(component));
    return raw;
}

template <class Kind>
Kind *Place(CCorvPage &screen, CRecordingPrompt &prompt, const CRect &bounds)
{
    return Place(screen, prompt, std::make_unique<Kind>(), bounds);
}

CComponentTextbox *TextBox(CCorvPage &screen, CRecordingPrompt &prompt, const CRect &bounds, const QString &text)
{
    auto *box = Place<CComponentTextbox>(screen, prompt, bounds);
    Text(box->GetContent(), text);
    return box;
}

// The media files of the project; a file that cannot be written ends the program.
void Written(bool ok, const QString &path)
{
    if (ok)
        return;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    std::exit(2);
}

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    Written(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), path);
}

// Half a second of a tone as 8 kHz mono 16-bit PCM.
QByteArray Tone()
{
    const int rate = 8000, samples = rate / 2;
    QByteArray data(samples * 2, '\0');
    for (int i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(qint16(std::lround(8000 * std::sin(2 * M_PI * 440 * i / rate))), data.data() + 2 * i);
    QByteArray head(44, '\0');
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, head.data() + at); };
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, head.data() + at); };
    head.replace(0, 4, "RIFF");
    put32(4, quint32(36 + data.size()));
    head.replace(8, 8, "WAVEfmt ");
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    head.replace(36, 4, "data");
    put32(40, quint32(data.size()));
    return head + data;
}

void WritePicture(const QString &path, int width, int height, QRgb colour)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    Written(picture.save(path), path);
}

// The course being built: its document, the prompt its components report to and its media folder.
struct Course
{
    CCorvessaDoc &doc;
    CRecordingPrompt &prompt;
    QString media;

    CCorvPage *Add(const CCorvessaDoc::ScreenList &list, const QString &label, int type, const QString &title)
    {
        const int id = int(doc.MainScreens().size() + doc.PopupScreens().size() + doc.GlossaryScreens().size()) + 1;
        return doc.AddScreen(std::make_unique<CCorvPage>(id, title, QString(), QString(), 0, label, type, -1), nullptr,
                             &list == &doc.PopupScreens(), &list == &doc.GlossaryScreens());
    }
    CCorvPage *Main(const QString &label, int type, const QString &title) { return Add(doc.MainScreens(), label, type, title); }

    template <class Kind>
    Kind *Put(CCorvPage &screen, const CRect &bounds)
    {
        return Place<Kind>(screen, prompt, bounds);
    }

    // The popup that is the course's help screen, with a table and a link onwards; two glossary terms.
    CCorvPage *PopupsAndGlossary(const CCorvPage *onward)
    {
        Add(doc.PopupScreens(), QStringLiteral("P8"), pt_popups_only, QStringLiteral("Popups"));
        CCorvPage *help = Add(doc.PopupScreens(), QStringLiteral("P8_1"), pt_document, QStringLiteral("Help"));
        TextBox(*help, prompt, CRect(10, 10, 380, 60), QStringLiteral("Popup text"));
        Table(*help, CRect(10, 70, 300, 140));
        if (onward) {
            auto *link = Put<CComponentLink>(*help, CRect(10, 160, 300, 184));
            link->SetText(QStringLiteral("On to the end of the topic"));
            link->SetTargetLabel(onward->GetLabel());
            link->SetTargetPage(onward);
        }
        doc.MutableSettings().HelpScreen = help->GetId();
        Add(doc.GlossaryScreens(), QStringLiteral("G9"), pt_glossary, QStringLiteral("Glossary"));
        TextBox(*Add(doc.GlossaryScreens(), QStringLiteral("G9_1"), pt_document, QStringLiteral("Fledgling")), prompt,
                CRect(10, 10, 380, 100), QStringLiteral("A young bird that has just left its nest."));
        TextBox(*Add(doc.GlossaryScreens(), QStringLiteral("G9_2"), pt_document, QStringLiteral("Gull")), prompt,
                CRect(10, 10, 380, 100), QStringLiteral("A sea bird with a \"loud\" call."));
        return help;
    }

    void Table(CCorvPage &screen, const CRect &bounds)
    {
        CComponentTable::Settings settings;
        settings.rows = 2;
        settings.columns = 2;
        settings.setColours = 1;
        settings.headerKind = CComponentTable::headerTop;
        settings.tableBackground = 0xFFFFFF;
        settings.headerBackground = 0xFFC0C0;
        settings.tableBorderColour = 0x800000;
        settings.cellBorderColour = 0x800000;
        settings.tableBorder = 2;
        settings.cellBorderThickness = 1;
        settings.cellPadding = 4;
        settings.summary = QStringLiteral("Birds");
        auto *table = Place(screen, prompt, std::make_unique<CComponentTable>(nullptr, settings), bounds);
        table->SetDefaultFont(QStringLiteral("Arial"), 12, 0);
        const QString cells[2][2] = {{QStringLiteral("Bird"), QStringLiteral("Nest")}, {QStringLiteral("Gull"), QStringLiteral("Cliff")}};
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                Text(*table->GetCell(i, j), cells[i][j]);
    }
};

void FillLinks(Course &c, CCorvPage &screen, const CCorvPage &pictures, const CCorvPage &question, const CCorvPage &popup,
               const CCorvPage &term)
{
    auto *box = c.Put<CComponentTextbox>(screen, CRect(36, 32, 900, 300));
    CRichTextLinks &t = box->GetContent();
    Text(t, QStringLiteral("Gulls nest on "));
    Text(t, QStringLiteral("cliffs"), CFE_BOLD);
    Text(t, QStringLiteral(". See "));
    Link(t, 1, QStringLiteral("the pictures screen"));
    Text(t, QStringLiteral(", a "));
    Link(t, 2, QStringLiteral("popup"));
    Text(t, QStringLiteral(", the "));
    Link(t, 3, QStringLiteral("start page"));
    Text(t, QStringLiteral(", a "));
    Link(t, 4, QStringLiteral("fledgling"));
    Text(t, QStringLiteral(" or "));
    Link(t, 5, QStringLiteral("a script"));
    Text(t, QStringLiteral("."));
    t.AppendLink(std::make_unique<CURLLink>(QString(), 1, -1, 1, pictures.GetId(), QString(), 0, 0, 0, 300, 400));
    t.AppendLink(std::make_unique<CURLLink>(QString(), 2, -1, 1, popup.GetId(), QString(), 1, 0, 0, 300, 400));
    t.AppendLink(std::make_unique<CURLLink>(QString(), 3, -1, 0, -1, QStringLiteral("../index.htm"), 0, 0, 0, 100, 250));
    t.AppendLink(std::make_unique<CURLLink>(QString(), 4, -1, 1, term.GetId(), QString(), 0, 0, 0, 300, 400));
    t.AppendLink(std::make_unique<CURLLink>(QString(), 5, -1, 0, -1, QStringLiteral("window.kvxScriptRan = true"), 0, 1, 0,
                                            100, 250));
    auto *link = c.Put<CComponentLink>(screen, CRect(36, 400, 336, 424));
    link->SetText(QStringLiteral("Go to the question"));
    link->SetTargetLabel(question.GetLabel());
    link->SetTargetPage(&question);
}

void FillPictures(Course &c, CCorvPage &screen, const CCorvPage &back)
{
    const QString folder = c.media + QStringLiteral("/Images/Resized/");
    WritePicture(folder + QStringLiteral("Cliff.png"), 320, 240, qRgb(40, 90, 200));
    WritePicture(folder + QStringLiteral("Gull.png"), 200, 150, qRgb(250, 220, 40));
    // A zoom into the picture's top-left quarter, over a second.
    auto *zoom = c.Put<CComponentImage>(screen, CRect(36, 300, 356, 540));
    zoom->SetImageFile(folder + QStringLiteral("Cliff.png"), CCorvContext());
    zoom->SetAltText(QStringLiteral("A cliff"));
    zoom->SetAnimationEffect(CComponentImage::effectZoomIn);
    zoom->SetStartRect(CRect(0, 0, 160, 120));
    zoom->m_timeToComplete = 1.0f;
    zoom->m_waitBeforeStart = 0.0f;
    auto *linked = c.Put<CComponentImage>(screen, CRect(400, 300, 600, 450));
    linked->SetImageFile(folder + QStringLiteral("Gull.png"), CCorvContext());
    linked->SetAltText(QStringLiteral("A gull: back to the welcome"));
    linked->SetLink(1, back.GetId(), QString(), 0, 0, 0, 300, 400);

    c.Table(screen, CRect(36, 32, 436, 132));
    auto *rectangle = c.Put<CComponentRectangle>(screen, CRect(600, 40, 760, 130));
    rectangle->SetFilled(1);
    rectangle->SetFillColor(0xE0E0FF);
    rectangle->SetOutlineColor(0x0000C0);
    rectangle->SetLineWidth(2);
    c.Put<CComponentEllipse>(screen, CRect(780, 40, 940, 130));
    auto *line = c.Put<CComponentLine>(screen, CRect(0, 0, 0, 0));
    line->SetPoints(QPoint(36, 280), QPoint(960, 280));
    line->SetColor(0xC00000);
    line->SetWidth(3);
    c.Put<CComponentButton>(screen, CRect(900, 500, 980, 530))->SetText(QStringLiteral("Print"));
}

void FillMedia(Course &c, CCorvPage &screen)
{
    WriteFile(c.media + QStringLiteral("/Sounds/tone.wav"), Tone());
    // The video request must succeed; what the file holds does not matter to the run-time.
    WriteFile(c.media + QStringLiteral("/Movies/clip.mpg"), QByteArray(2048, '\0'));
    WriteFile(c.media + QStringLiteral("/Movies/intro.swf"), QByteArrayLiteral("FWS\x09"));
    WriteFile(c.media + QStringLiteral("/Questions/quiz.swf"), QByteArrayLiteral("FWS\x09"));
    for (int play = 1; play >= 0; --play) {
        auto *audio = c.Put<CComponentAudio>(screen, play ? CRect(36, 32, 146, 79) : CRect(160, 32, 270, 79));
        audio->SetFilePath(c.media + QStringLiteral("/Sounds/tone.wav"));
        audio->SetPlayButton(play);
        audio->m_autoStart = 0;
        audio->m_buttonControls = 1;
    }
    auto *video = c.Put<CComponentVideo>(screen, CRect(36, 100, 356, 340));
    video->SetFilePath(c.media + QStringLiteral("/Movies/clip.mpg"));
    video->m_controller = 1;
    c.Put<CComponentVideo>(screen, CRect(400, 100, 720, 340))->SetFilePath(c.media + QStringLiteral("/Movies/intro.swf"));
    c.Put<CComponentFlashQuestion>(screen, CRect(740, 100, 980, 340))->SetFilePath(c.media + QStringLiteral("/Questions/quiz.swf"));
}

void BuildTour(Course &c)
{
    CCorvessaDoc &doc = c.doc;
    doc.MutableSettings().MenuBasedCourse = 1;
    doc.MutableSettings().CreateOutline = 1;
    doc.MutableSettings().CompleteTopicsInOrder = 1;
    CCorvPage *menu = c.Main(QStringLiteral("1"), pt_folder, QStringLiteral("Main menu"));
    menu->SetMenuKind(apt_multi_topic_menu);
    const QString topics[2] = {QStringLiteral("Getting started"), QStringLiteral("Sound and vision")};
    for (int k = 0; k < 2; ++k) {
        c.Put<CComponentLargeTopic>(*menu, CRect(36 + 260 * k, 60, 276 + 260 * k, 260))->SetTitle(topics[k]);
        doc.AddTopic(std::make_unique<CTopic>(QString::number(k + 1), topics[k],
                                                      QStringLiteral("Topic %1: %2").arg(k + 1).arg(topics[k]), QString(),
                                                      QStringLiteral("FALSE")));
        WritePicture(c.media + QStringLiteral("/Images/MM/mm%1.png").arg(k), 200, 145, k ? qRgb(40, 160, 120) : qRgb(200, 120, 40));
    }
    c.Main(QStringLiteral("1_1"), pt_container, topics[0]);
    CCorvPage *welcome = c.Main(QStringLiteral("1_1_1"), pt_document, QStringLiteral("Welcome \"friends\""));
    CCorvPage *pictures = c.Main(QStringLiteral("1_1_2"), pt_document, QStringLiteral("Pictures, tables and shapes"));
    CCorvPage *question = c.Main(QStringLiteral("1_1_3"), pt_question, QStringLiteral("A question"));
    c.Main(QStringLiteral("1_2"), pt_container, topics[1]);
    CCorvPage *media = c.Main(QStringLiteral("1_2_1"), pt_document, QStringLiteral("Sound and video"));
    CCorvPage *end = c.Main(QStringLiteral("1_2_2"), pt_document, QStringLiteral("The end of the topic"));
    CCorvPage *popup = c.PopupsAndGlossary(end);

    FillLinks(c, *welcome, *pictures, *question, *popup, *doc.GlossaryScreens()[1]);
    FillPictures(c, *pictures, *welcome);
    auto *mc = c.Put<CComponentMultipleChoice>(*question, CRect(10, 10, 1000, 500));
    mc->SetQuestionText(QStringLiteral("Which of these is a sea bird?"));
    mc->SetOptions({QStringLiteral("Gull"), QStringLiteral("Robin"), {}, {}, {}}, {1, 0, 0, 0, 0});
    mc->m_singleAnswer = 1;
    FillMedia(c, *media);
    TextBox(*end, c.prompt, CRect(36, 32, 900, 120), QStringLiteral("The end of the course."));
}

// The quiz's questions, one screen each, in the order of the course.
void FillQuestions(Course &c, const std::vector<CCorvPage *> &q)
{
    auto *one = c.Put<CComponentMultipleChoice>(*q[0], CRect(10, 10, 1000, 500));
    one->SetQuestionText(QStringLiteral("Which colour is the sky?"));
    one->SetOptions({QStringLiteral("Green"), QStringLiteral("Blue"), QStringLiteral("Red"), {}, {}}, {0, 1, 0, 0, 0});
    one->m_singleAnswer = 1;

    auto *several = c.Put<CComponentMultipleChoice>(*q[1], CRect(10, 10, 1000, 500));
    several->SetQuestionText(QStringLiteral("Which of these are sea birds?"));
    several->SetOptions({QStringLiteral("Gull"), QStringLiteral("Cat"), QStringLiteral("Puffin"), {}, {}}, {1, 0, 1, 0, 0});

    auto *trueFalse = c.Put<CComponentMultipleChoice>(*q[2], CRect(10, 10, 1000, 500));
    trueFalse->SetTrueFalse(1);
    trueFalse->SetInstruction(QStringLiteral("True or false?"));
    trueFalse->SetQuestionText(QStringLiteral("Terns fly south in winter."));
    trueFalse->SetOptions({QStringLiteral("True"), QStringLiteral("False"), {}, {}, {}}, {1, 0, 0, 0, 0});

    auto *blanks = c.Put<CComponentFillBlanks>(*q[3], CRect(10, 10, 1000, 500));
    blanks->SetInstruction(QStringLiteral("Type the missing words."));
    blanks->SetQuestionText(QStringLiteral("A young bird is a ****\r\nIt leaves the nest when it can ****"));
    // The first blank takes either of two words.
    blanks->SetWords({QStringLiteral("fledgling;chick"), QStringLiteral("fly")});
    blanks->SetWrongFeedback(QStringLiteral("Think of a bird that has just left its nest."));
    blanks->SetCorrectFeedback(QStringLiteral("Well typed!"));

    auto *paragraph = c.Put<CComponentCompleteParagraph>(*q[4], CRect(10, 10, 1000, 500));
    paragraph->SetInstruction(QStringLiteral("Drag the words into the gaps."));
    paragraph->SetQuestionText(QStringLiteral("Gulls nest on **** and eat **** on the ****"));
    paragraph->SetMissingWords({QStringLiteral("cliffs"), QStringLiteral("fish"), QStringLiteral("sand")});

    auto *pairs = c.Put<CComponentMatchPairs>(*q[5], CRect(10, 10, 1000, 500));
    pairs->SetQuestionText(QStringLiteral("Match each bird to its food."));
    using Slots = CComponentMatchPairs::Slots;
    pairs->SetLeftTexts(Slots{QStringLiteral("Gull"), QStringLiteral("Puffin"), QStringLiteral("Heron"), {}, {}});
    pairs->SetRightTexts(Slots{QStringLiteral("Chips"), QStringLiteral("Sand eels"), QStringLiteral("Frogs"), {}, {}});

    const QString engine = c.media + QStringLiteral("/Images/Questions/engine.png");
    WritePicture(engine, 300, 200, qRgb(120, 120, 130));
    auto *parts = c.Put<CComponentPartIdentification>(*q[6], CRect(10, 10, 1000, 500));
    parts->SetQuestionText(QStringLiteral("Find the engine's two valves."));
    parts->SetImageFile(engine);
    parts->SetTargetCount(2);
    parts->m_targetsToMatch = 2;
    const CRect image = parts->GetImageRect();
    parts->SetTargetRect(image.left + 20, image.top + 30, image.left + 60, image.top + 70, 0);
    parts->SetTargetRect(image.left + 100, image.top + 120, image.left + 140, image.top + 190, 1);

    auto *slider = c.Put<CComponentLikert>(*q[7], CRect(10, 10, 1000, 500));
    slider->SetQuestionText(QStringLiteral("How many eggs does a guillemot lay in ten years?"));
    slider->SetStartValue(0.0f);
    slider->SetEndValue(10.0f);
    slider->SetCorrectValue(7.0f);
    slider->SetStartLabel(QStringLiteral("None"));
    slider->SetEndLabel(QStringLiteral("Ten"));
    slider->SetMarkers(11);

    auto *words = c.Put<CComponentFreeFormText>(*q[8], CRect(10, 10, 1000, 500));
    words->m_questionId = QStringLiteral("AA");
    words->m_instruction = QStringLiteral("How does a gull feed its chicks?");
    words->m_keywords[0] = QStringLiteral("beak");
    words->m_keywords[1] = QStringLiteral("regurgitates;brings up");
    words->m_numberToMatch = 2;
    words->m_storeResponse = 1;
    words->m_maxCharacters = 200;
}

void BuildQuiz(Course &c)
{
    CCorvessaDoc &doc = c.doc;
    doc.MutableSettings().MenuBasedCourse = 0;
    doc.MutableSettings().SetPercentagePassMark = 1;
    doc.MutableSettings().PercentagePassMark = 80;
    doc.MutableSettings().AllowResume = 1;
    doc.MutableSettings().AssmntFeedBackCorrect = QStringLiteral("Correct.");
    doc.MutableSettings().AssmntFeedBackWrong = QStringLiteral("Incorrect.");
    CCorvPage *welcome = c.Main(QStringLiteral("1"), pt_folder, QStringLiteral("Welcome"));
    TextBox(*welcome, c.prompt, CRect(36, 30, 936, 90), QStringLiteral("Welcome to the sea bird quiz."));
    const QString titles[9] = {QStringLiteral("One choice"), QStringLiteral("Several choices"), QStringLiteral("True or false"),
                               QStringLiteral("Blanks"),     QStringLiteral("Paragraph"),       QStringLiteral("Pairs"),
                               QStringLiteral("Parts"),      QStringLiteral("Slider"),          QStringLiteral("In your words")};
    std::vector<CCorvPage *> questions;
    CComponentRemediation *remediation = nullptr;
    for (int k = 0; k < 9; ++k) {
        questions.push_back(c.Main(QStringLiteral("1_%1").arg(questions.size() + (remediation ? 2 : 1)), pt_question, titles[k]));
        if (k != 1)
            continue;
        // Offered after the second question while the first two stay below the pass mark.
        CCorvPage *folder = c.Main(QStringLiteral("1_3"), pt_remediation, QStringLiteral("Remediation"));
        TextBox(*c.Main(QStringLiteral("1_3_1"), pt_document, QStringLiteral("Birds again")), c.prompt, CRect(36, 30, 936, 90),
                QStringLiteral("Gulls and puffins are sea birds."));
        TextBox(*c.Main(QStringLiteral("1_3_2"), pt_document, QStringLiteral("Colours again")), c.prompt, CRect(36, 30, 936, 90),
                QStringLiteral("The sky is blue."));
        remediation = c.Put<CComponentRemediation>(*folder, CRect(0, 0, 0, 0));
        remediation->SetQuestionPageIds({questions[0]->GetId(), questions[1]->GetId()});
        remediation->m_passMark = 100;
        remediation->m_completionPageId = -1;
        remediation->m_reverseOutPageId = -1;
    }
    TextBox(*c.Main(QStringLiteral("1_11"), pt_document, QStringLiteral("The end")), c.prompt, CRect(36, 30, 936, 90),
            QStringLiteral("That was the last question."));
    c.Main(QStringLiteral("2"), pt_asmt_folder, QStringLiteral("Final Performance Screens"));
    TextBox(*c.Main(QStringLiteral("2_1"), pt_asmt_document, QStringLiteral("Passed")), c.prompt, CRect(36, 30, 936, 90),
            QStringLiteral("Well done: you passed."));
    TextBox(*c.Main(QStringLiteral("2_2"), pt_asmt_document, QStringLiteral("Not passed")), c.prompt, CRect(36, 30, 936, 90),
            QStringLiteral("You have not passed this time."));
    FillQuestions(c, questions);
    c.PopupsAndGlossary(nullptr);
}

// The Word fixture imported as one topic; the author then links "Helmets" to the imported glossary term.
void BuildWord(Course &c)
{
    CCorvessaDoc &doc = c.doc;
    doc.MutableSettings().TemplateType = 13;
    doc.MutableSettings().CreateFinalFeedbackScreen = 0;
    doc.MutableSettings().ForceNewPage = doc.MutableSettings().UseSrcWordHeadings = 1;
    // Imported without a graphics library, the topic buttons have no pictures to show.
    doc.MutableSettings().MainMenuNoImages = 1;
    CHeadlessImportHost host(doc);
    CWordDocImporter importer(doc, nullptr, host);
    CTopic topic(QString(), QStringLiteral("Workplace safety"), QString(), QStringLiteral(CORV_WORD_FIXTURE),
                 QStringLiteral("FALSE"));
    // The Import window keeps its topic table in the document.
    doc.AddTopic(std::make_unique<CTopic>(topic));
    if (!importer.ConvertDocuments({&topic}, true, true, QStringLiteral("1")) || doc.GlossaryScreens().size() < 2) {
        std::fprintf(stderr, "the Word fixture did not import\n");
        std::exit(2);
    }
    const CCorvPage *term = doc.GlossaryScreens().back().get();
    for (const auto &screen : doc.MainScreens())
        for (const auto &component : screen->GetComponentList())
            if (auto *box = dynamic_cast<CComponentTextbox *>(component.get())) {
                const int at = int(box->GetRichText().GetText().indexOf(QStringLiteral("Helmets")));
                if (at >= 0 && box->GetContent().AddLink(QStringLiteral("Helmets"), at, 1, term->GetId(), QString(), 0, 0,
                                                         0, 300, 400)) {
                    box->GetContent().ToggleLinkEffect();
                    return;
                }
            }
    std::fprintf(stderr, "no text to link to the glossary\n");
    std::exit(2);
}

// A Word document with pictures, a table and questions, written and imported as one topic.
void BuildWordMedia(Course &c, const QString &work)
{
    using namespace WordMediaFixture;
    CCorvessaDoc &doc = c.doc;
    CCourseSettings &settings = doc.MutableSettings();
    settings.TemplateType = 13;
    settings.CreateFinalFeedbackScreen = 0;
    settings.AutoGenerateGraphics = 0;
    settings.IncludeSourceDocGraphics = 1;
    settings.ForceNewPage = settings.UseSrcWordHeadings = 1;
    settings.AutoCreateDragDropQuest = 1;
    settings.DragDropQuestInterval = 5;
    settings.DragDropQuestWordCount = 3;
    settings.MainMenuNoImages = 1;
    RegisterMetafilePlayer();
    const QString path = work + QStringLiteral("/site.docx");
    if (!WriteSafetyCourse(path, 2)) {
        std::fprintf(stderr, "the Word media document was not written\n");
        std::exit(2);
    }
    CHeadlessImportHost host(doc);
    CWordDocImporter importer(doc, nullptr, host);
    CTopic topic(QString(), QStringLiteral("Site safety"), QString(), path, QStringLiteral("FALSE"));
    const CStatus status = importer.ConvertDocuments({&topic}, true, true, QStringLiteral("1"));
    if (!status || !importer.GetLeftOut().empty()) {
        std::fprintf(stderr, "the Word media document did not import: %s\n",
                     qPrintable(status ? importer.GetLeftOut()[0].reason : status.Error()));
        std::exit(2);
    }
    QJsonArray words;
    for (const auto &screen : doc.MainScreens())
        for (const auto &component : screen->GetComponentList())
            if (auto *paragraph = dynamic_cast<CComponentCompleteParagraph *>(component.get()))
                for (const QString &word : paragraph->GetMissingWords())
                    if (!word.isEmpty())
                        words.append(word);
    QFile answers(work + QStringLiteral("/answers.json"));
    if (words.isEmpty() || !answers.open(QIODevice::WriteOnly)
        || answers.write(QJsonDocument(QJsonObject{{QStringLiteral("paragraph"), words}}).toJson()) < 0) {
        std::fprintf(stderr, "no generated question to answer\n");
        std::exit(2);
    }
}

// The author saves the imported course before publishing it: the theme's title picture of the main menu is
// copied into the project then.
void SaveWord(Course &c)
{
    if (!CProjectFile::Save(c.doc, c.doc.GetPathName())) {
        std::fprintf(stderr, "the imported course was not saved\n");
        std::exit(2);
    }
}

// A quiz made as the author makes it: each question from the values its dialog hands over, through the
// step the Edit window runs after OK; the project is saved before it is published.
void BuildDialogs(Course &c, const QString &work)
{
    using namespace QuestionDialogApply;
    CCorvessaDoc &doc = c.doc;
    doc.MutableSettings().MenuBasedCourse = 0;
    doc.MutableSettings().SetPercentagePassMark = 1;
    doc.MutableSettings().PercentagePassMark = 80;
    CScreenFactory f(doc);
    const auto screen = [&](const QString &label, int type, const QString &title, CCorvPage *after) {
        return CScreenFactory::InsertScreen(doc, f.NewScreen(title, label, type), after, CScreenFactory::List::main);
    };
    CCorvPage *welcome = screen(QStringLiteral("1"), pt_folder, QStringLiteral("Welcome"), nullptr);
    TextBox(*welcome, c.prompt, CRect(36, 30, 936, 90), QStringLiteral("Welcome to the dialog quiz."));

    CMultipleChoiceValues choice;
    choice.stem = QStringLiteral("Which birds nest on cliffs?");
    choice.options = {QStringLiteral("Gulls"), QStringLiteral("Owls"), QStringLiteral("Puffins"), {}, {}};
    choice.correct = {1, 0, 1, 0, 0};
    CBlankQuestionValues blanks = CBlankQuestionValues::FillBlanks();
    blanks.questionText = QStringLiteral("A young gull is a **** and it **** fish.");
    // Words in the second and seventh boxes: the boxes need not be the first ones.
    blanks.words[1] = QStringLiteral("chick;fledgling");
    blanks.words[6] = QStringLiteral("eats");
    const QString owl = work + QStringLiteral("/pictures/owl.png");
    WritePicture(owl, 120, 80, qRgb(150, 110, 60));
    CMatchPairsValues pairs = CMatchPairsValues::Defaults();
    pairs.leftTexts = {QStringLiteral("Gull"), QStringLiteral("Owl"), QStringLiteral("Heron"), {}, {}};
    pairs.leftImages[1] = owl;
    pairs.rightTexts = {QStringLiteral("Fish"), QStringLiteral("Mice"), QStringLiteral("Frogs"), {}, {}};
    CLikertValues slider;
    slider.questionText = QStringLiteral("How many eggs does a gull lay?");
    slider.correctValue = 3;
    slider.markers = 11;
    CCorvPage *after = welcome;
    const QString right = QStringLiteral("Right."), wrong = QStringLiteral("Wrong.");
    for (auto *v : {&choice.correctFeedback, &blanks.correctFeedback, &pairs.correctFeedback, &slider.correctFeedback})
        *v = right;
    for (auto *v : {&choice.wrongFeedback, &blanks.wrongFeedback, &pairs.wrongFeedback, &slider.wrongFeedback})
        *v = wrong;
    const bool checked = choice.Check().Passed() && blanks.Check().Passed() && pairs.Check().Passed()
                         && slider.Check().Passed();
    after = AddMultipleChoice(f, choice, QStringLiteral("1_1"), after);
    after = AddFillBlanks(f, blanks, QStringLiteral("1_2"), after);
    after = AddMatchPairs(f, pairs, QStringLiteral("1_3"), after);
    after = AddLikert(f, slider, QStringLiteral("1_4"), after);
    if (!checked || !after) {
        std::fprintf(stderr, "the dialog values were refused\n");
        std::exit(2);
    }
    CCorvPage *end = screen(QStringLiteral("1_5"), pt_document, QStringLiteral("The end"), after);
    TextBox(*end, c.prompt, CRect(36, 30, 936, 90), QStringLiteral("That was the last question."));
    CCorvPage *final = screen(QStringLiteral("2"), pt_asmt_folder, QStringLiteral("Final Performance Screens"), end);
    CCorvPage *passed = screen(QStringLiteral("2_1"), pt_asmt_document, QStringLiteral("Passed"), final);
    TextBox(*passed, c.prompt, CRect(36, 30, 936, 90), QStringLiteral("Well done: you passed."));
    CCorvPage *failed = screen(QStringLiteral("2_2"), pt_asmt_document, QStringLiteral("Not passed"), passed);
    TextBox(*failed, c.prompt, CRect(36, 30, 936, 90), QStringLiteral("You have not passed this time."));
    if (!CProjectFile::Save(doc, doc.GetPathName())) {
        std::fprintf(stderr, "the dialog quiz was not saved\n");
        std::exit(2);
    }
}

// A course without menus whose outline begins with a container, followed by an empty container and a
// folder with a screen of its own: the learner meets the screens in the outline's order.
void BuildContainerFirst(Course &c)
{
    c.doc.MutableSettings().MenuBasedCourse = 0;
    c.doc.MutableSettings().CreateOutline = 1;
    c.Main(QStringLiteral("1"), pt_container, QStringLiteral("Part one"));
    for (const char *label : {"1_1", "1_2"})
        TextBox(*c.Main(QString::fromLatin1(label), pt_document, QStringLiteral("Screen %1").arg(QLatin1String(label))), c.prompt,
                CRect(36, 30, 936, 90), QStringLiteral("This is screen %1.").arg(QLatin1String(label)));
    c.Main(QStringLiteral("2"), pt_container, QStringLiteral("Nothing yet"));
    TextBox(*c.Main(QStringLiteral("3"), pt_folder, QStringLiteral("Part three")), c.prompt, CRect(36, 30, 936, 90),
            QStringLiteral("This is screen 3."));
    TextBox(*c.Main(QStringLiteral("3_1"), pt_document, QStringLiteral("Screen 3_1")), c.prompt, CRect(36, 30, 936, 90),
            QStringLiteral("This is screen 3_1."));
}

// A text of the hostile course: markup that would run a handler, quotes of both kinds, an ampersand and a
// backslash around the label that tells the texts apart.
QString Hostile(const char *label)
{
    return QStringLiteral("<img src=x onerror=window.kvxHacked=1>%1 \"q\" 'a' & \\ </p>").arg(QLatin1String(label));
}

// What each screen of the hostile course shows of the author's texts, by label.
std::vector<std::pair<const CCorvPage *, QStringList>> g_hostileShown;

// A course without menus in which every author text of every component kind holds markup, quotes and
// backslashes: the course name, screen titles, text, a table's cells and summary, a picture's alternative
// text and title, a link, each question kind's texts and a glossary term. The browser test checks that no
// handler of theirs runs and that each shows as typed.
void BuildHostile(Course &c)
{
    CCorvessaDoc &doc = c.doc;
    doc.MutableSettings().MenuBasedCourse = 0;
    doc.MutableSettings().CourseName = Hostile("course");
    const auto shown = [](const CCorvPage *screen, std::initializer_list<const char *> labels) {
        QStringList list;
        for (const char *label : labels)
            list.append(QLatin1String(label));
        g_hostileShown.emplace_back(screen, list);
    };
    CCorvPage *first = c.Main(QStringLiteral("1"), pt_folder, Hostile("title"));
    c.Add(doc.GlossaryScreens(), QStringLiteral("G9"), pt_glossary, QStringLiteral("Glossary"));
    CCorvPage *term = c.Add(doc.GlossaryScreens(), QStringLiteral("G9_1"), pt_document, Hostile("term"));
    TextBox(*term, c.prompt, CRect(10, 10, 380, 100), Hostile("termtext"));
    CComponentTextbox *box = TextBox(*first, c.prompt, CRect(36, 30, 600, 90), Hostile("textbox"));
    Text(box->GetContent(), QStringLiteral(" See "));
    Link(box->GetContent(), 1, QStringLiteral("the term"));
    box->GetContent().AppendLink(std::make_unique<CURLLink>(QString(), 1, -1, 1, term->GetId(), QString(), 0, 0, 0, 300, 400));
    CComponentTable::Settings settings;
    settings.rows = 1;
    settings.columns = 2;
    settings.summary = Hostile("summary");
    auto *table = Place(*first, c.prompt, std::make_unique<CComponentTable>(nullptr, settings), CRect(36, 100, 600, 160));
    table->SetDefaultFont(QStringLiteral("Arial"), 12, 0);
    Text(*table->GetCell(0, 0), Hostile("cell"));
    Text(*table->GetCell(0, 1), QStringLiteral("plain"));
    const QString picture = c.media + QStringLiteral("/Images/Resized/sea.png");
    WritePicture(picture, 80, 60, qRgb(40, 90, 200));
    auto *image = c.Put<CComponentImage>(*first, CRect(620, 100, 700, 160));
    image->SetImageFile(picture, CCorvContext());
    image->SetAltText(Hostile("alt"));
    image->SetTitleText(Hostile("imagetitle"));
    auto *link = c.Put<CComponentLink>(*first, CRect(36, 200, 600, 224));
    link->SetText(Hostile("link"));
    shown(first, {"title", "textbox", "cell", "summary", "alt", "imagetitle", "link"});

    CCorvPage *choice = c.Main(QStringLiteral("1_1"), pt_question, Hostile("choicetitle"));
    auto *mc = c.Put<CComponentMultipleChoice>(*choice, CRect(10, 10, 1000, 500));
    mc->SetInstruction(Hostile("choiceinstruction"));
    mc->SetQuestionText(Hostile("choicequestion"));
    mc->SetOptions({Hostile("option1"), Hostile("option2"), {}, {}, {}}, {1, 0, 0, 0, 0});
    mc->SetWrongFeedback(Hostile("wrong"));
    mc->SetCorrectFeedback(Hostile("right"));
    shown(choice, {"choicetitle", "choicequestion", "option1", "option2"});

    CCorvPage *blanksScreen = c.Main(QStringLiteral("1_2"), pt_question, Hostile("blankstitle"));
    auto *blanks = c.Put<CComponentFillBlanks>(*blanksScreen, CRect(10, 10, 1000, 500));
    blanks->SetInstruction(Hostile("blanksinstruction"));
    blanks->SetQuestionText(Hostile("blankstext") + QStringLiteral(" ****"));
    blanks->SetWords({QStringLiteral("gull")});
    shown(blanksScreen, {"blankstitle", "blanksinstruction", "blankstext"});

    CCorvPage *paragraphScreen = c.Main(QStringLiteral("1_3"), pt_question, Hostile("paragraphtitle"));
    auto *paragraph = c.Put<CComponentCompleteParagraph>(*paragraphScreen, CRect(10, 10, 1000, 500));
    paragraph->SetInstruction(Hostile("paragraphinstruction"));
    paragraph->SetQuestionText(Hostile("paragraphtext") + QStringLiteral(" **** and ****"));
    paragraph->SetMissingWords({QStringLiteral("cliffs"), QStringLiteral("fish")});
    shown(paragraphScreen, {"paragraphtitle", "paragraphinstruction", "paragraphtext"});

    CCorvPage *pairsScreen = c.Main(QStringLiteral("1_4"), pt_question, Hostile("pairstitle"));
    auto *pairs = c.Put<CComponentMatchPairs>(*pairsScreen, CRect(10, 10, 1000, 500));
    pairs->SetQuestionText(Hostile("pairsquestion"));
    using Slots = CComponentMatchPairs::Slots;
    pairs->SetLeftTexts(Slots{Hostile("left1"), Hostile("left2"), {}, {}, {}});
    pairs->SetRightTexts(Slots{Hostile("right1"), Hostile("right2"), {}, {}, {}});
    shown(pairsScreen, {"pairstitle", "pairsquestion", "left1", "left2", "right1", "right2"});

    CCorvPage *partsScreen = c.Main(QStringLiteral("1_5"), pt_question, Hostile("partstitle"));
    const QString engine = c.media + QStringLiteral("/Images/Questions/engine.png");
    WritePicture(engine, 300, 200, qRgb(120, 120, 130));
    auto *parts = c.Put<CComponentPartIdentification>(*partsScreen, CRect(10, 10, 1000, 500));
    parts->SetQuestionText(Hostile("partsquestion"));
    parts->SetImageFile(engine);
    parts->SetTargetCount(1);
    const CRect area = parts->GetImageRect();
    parts->SetTargetRect(area.left + 20, area.top + 30, area.left + 60, area.top + 70, 0);
    shown(partsScreen, {"partstitle", "partsquestion"});

    CCorvPage *sliderScreen = c.Main(QStringLiteral("1_6"), pt_question, Hostile("slidertitle"));
    auto *slider = c.Put<CComponentLikert>(*sliderScreen, CRect(10, 10, 1000, 500));
    slider->SetQuestionText(Hostile("sliderquestion"));
    slider->SetStartValue(0.0f);
    slider->SetEndValue(10.0f);
    slider->SetCorrectValue(7.0f);
    slider->SetStartLabel(Hostile("start"));
    slider->SetEndLabel(Hostile("end"));
    slider->SetMarkers(11);
    shown(sliderScreen, {"slidertitle", "sliderquestion", "start", "end"});

    CCorvPage *wordsScreen = c.Main(QStringLiteral("1_7"), pt_question, Hostile("freeformtitle"));
    auto *words = c.Put<CComponentFreeFormText>(*wordsScreen, CRect(10, 10, 1000, 500));
    words->m_questionId = QStringLiteral("AA");
    words->m_instruction = Hostile("freeform");
    words->m_keywords[0] = QStringLiteral("beak");
    words->m_maxCharacters = 200;
    shown(wordsScreen, {"freeformtitle", "freeform"});
}

// The hostile course's texts and what each screen shows of them, for the browser test.
void WriteHostileShown(const QString &work)
{
    QJsonObject texts;
    QJsonObject screens;
    for (const auto &[screen, labels] : g_hostileShown) {
        QJsonArray list;
        for (const QString &label : labels) {
            list.append(label);
            texts.insert(label, Hostile(label.toLatin1().constData()));
        }
        screens.insert(screen->GetPublishId(), list);
    }
    for (const char *label : {"course", "term", "termtext", "wrong", "right"})
        texts.insert(QLatin1String(label), Hostile(label));
    QFile file(work + QStringLiteral("/hostile.json"));
    Written(file.open(QIODevice::WriteOnly) &&
                file.write(QJsonDocument(QJsonObject{{QStringLiteral("texts"), texts}, {QStringLiteral("screens"), screens}}).toJson()) > 0,
            file.fileName());
}

} // namespace

int main(int argc, char **argv)
{
    // The Word import lays text out to split it between boxes, which needs the fonts of a GUI application.
    const bool word = argc == 5 && (QByteArray(argv[3]) == "word" || QByteArray(argv[3]) == "wordmedia");
    if (word && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app =
        word ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList targets = {QStringLiteral("standalone"), QStringLiteral("web"), QStringLiteral("scorm12"),
                                 QStringLiteral("scorm2004")};
    const QString kind = argc == 5 ? QString::fromLocal8Bit(argv[3]) : QString();
    const int target = argc == 5 ? int(targets.indexOf(QString::fromLocal8Bit(argv[4]))) : -1;
    const QStringList kinds = {QStringLiteral("tour"),    QStringLiteral("quiz"),      QStringLiteral("word"),
                               QStringLiteral("wordmedia"), QStringLiteral("dialogs"), QStringLiteral("container"),
                               QStringLiteral("hostile")};
    if (!kinds.contains(kind) || target < 0) {
        std::fprintf(stderr, "usage: publish_runtime_course <program folder> <work folder> tour|quiz|word|wordmedia|dialogs|container|hostile standalone|web|scorm12|scorm2004\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[2]);
    CPublishHarness harness(argv[1], work);
    CRecordingPrompt &prompt = harness.prompt;

    CCorvessaDoc doc(harness.context);
    // A course starts with the settings of a new one: its buttons, glossary and options as the author finds them.
    doc.OnNewDocument();
    doc.SetPathName(work + QStringLiteral("/Course.kvx"));
    doc.MutableSettings().CourseName = QStringLiteral("Sea birds");
    doc.MutableSettings().CourseCode = QStringLiteral("SB-1");
    doc.MutableSettings().Theme = QStringLiteral("Classical");
    doc.MutableSettings().FontName[0] = QStringLiteral("Arial");
    doc.MutableSettings().FontSizePoints[0] = QStringLiteral("12");
    doc.MutableSettings().FontColor[0] = 0;
    if (target == 1) {
        doc.MutableSettings().UseASP = 0;
        doc.MutableSettings().SignIn = 1;
        doc.MutableSettings().MaySelfRegister = 1;
        doc.MutableSettings().UseSignInName = 1;
        doc.MutableSettings().UseSignInID = 0;
        doc.MutableSettings().UseSignInPassword = 1;
        doc.MutableSettings().RecordData = 1;
    } else if (target >= 2) {
        doc.MutableSettings().UseScorm = 1;
        doc.MutableSettings().SCORM12 = target == 2 ? 1 : 0;
        doc.MutableSettings().CreateZip = 0;
        doc.MutableSettings().RecordData = 1;
    }
    Course course{doc, prompt, work + QStringLiteral("/Course")};
    if (kind == QStringLiteral("tour"))
        BuildTour(course);
    else if (kind == QStringLiteral("word"))
        BuildWord(course);
    else if (kind == QStringLiteral("wordmedia"))
        BuildWordMedia(course, work);
    else if (kind == QStringLiteral("dialogs"))
        BuildDialogs(course, work);
    else if (kind == QStringLiteral("container"))
        BuildContainerFirst(course);
    else if (kind == QStringLiteral("hostile"))
        BuildHostile(course);
    else
        BuildQuiz(course);
    if (word)
        SaveWord(course);
    // The dialog quiz is published as the saved project opens again.
    CCorvessaDoc reopened(harness.context);
    if (kind == QStringLiteral("dialogs") && !CProjectFile::Open(reopened, doc.GetPathName())) {
        std::fprintf(stderr, "the saved dialog quiz did not open\n");
        return 2;
    }
    CCorvessaDoc &published = kind == QStringLiteral("dialogs") ? reopened : doc;
    COutlineTree tree;
    tree.RebuildFromScreenLists(published.MainScreens(), published.PopupScreens(), published.GlossaryScreens());

    CCoursePublisher publisher(published, work + QStringLiteral("/out"), QStringLiteral("Course"), &tree);
    switch (target) {
    case 0:
        publisher.PublishStandalone();
        break;
    case 1:
        publisher.PublishWebDatabasePhp();
        break;
    default:
        publisher.PublishLms();
        break;
    }
    if (kind == QStringLiteral("hostile"))
        WriteHostileShown(work);
    return harness.ReportPublish() ? 0 : 1;
}
