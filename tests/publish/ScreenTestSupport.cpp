#include "ScreenTestSupport.h"

#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentCompleteParagraph.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentFillBlanks.h"
#include "model/ComponentFlashQuestion.h"
#include "model/ComponentFlashVideo.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentImage.h"
#include "model/ComponentLargeTopic.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

#include <gtest/gtest.h>

namespace ScreenTest {

CCharFormat Body()
{
    CCharFormat f;
    f.mask = CFM_ALL;
    f.face = QStringLiteral("Arial");
    f.height = 240;
    f.colour = 0;
    return f;
}

CCharFormat With(uint32_t effects, CCharFormat format)
{
    format.effects |= effects;
    return format;
}

CCharFormat Sized(int points, CCharFormat format)
{
    format.height = points * 20;
    return format;
}

CCharFormat Face(const QString &face, CCharFormat format)
{
    format.face = face;
    return format;
}

CCharFormat Coloured(uint32_t colour, CCharFormat format)
{
    format.colour = colour;
    return format;
}

CCharFormat Raised(int twips, CCharFormat format)
{
    format.offset = twips;
    return format;
}

Rich &Rich::Add(const QString &text, const CCharFormat &format)
{
    m_content.GetRichText().AppendRaw(text, format);
    return *this;
}

Rich &Rich::Link(int number, const QString &text, const CCharFormat &format)
{
    Hidden(CURLLink::OpeningMarker(number));
    Add(text, With(CFE_LINK, format));
    return Hidden(CURLLink::ClosingMarker(number));
}

Rich &Rich::Hidden(const QString &text) { return Add(text, With(CFE_HIDDEN)); }

Rich &Rich::Para(int alignment, int indent, int numbering, int numberingStyle)
{
    CRichText &text = m_content.GetRichText();
    CParaFormat para;
    para.mask = PFM_ALL;
    para.alignment = alignment;
    para.startIndent = indent;
    para.numbering = numbering;
    para.numberingStyle = numberingStyle;
    text.SetParagraphFormatRaw(text.GetParagraphCount() - 1, para);
    return *this;
}

CComponentTable::Settings StyledTable(int rows, int columns)
{
    CComponentTable::Settings settings;
    settings.rows = rows;
    settings.columns = columns;
    settings.tableBackground = 0xEEEEEE;
    settings.headerBackground = kGreen;
    settings.tableBorderColour = kBlue;
    settings.cellBorderColour = kRed;
    settings.tableBorder = 2;
    settings.cellBorderThickness = 3;
    settings.cellPadding = 4;
    return settings;
}

void ScreenLinkRecord(CRichTextLinks &content, int number, int targetScreen, int popup, int fullSize)
{
    content.AppendLink(std::make_unique<CURLLink>(QString(), number, -1, 1, targetScreen, QString(), popup, 0, fullSize,
                                                  300, 400));
}

void AddressLinkRecord(CRichTextLinks &content, int number, const QString &address, int script)
{
    content.AppendLink(std::make_unique<CURLLink>(QString(), number, -1, 0, -1, address, 0, script, 0, 100, 250));
}

Fixture::Fixture()
{
    context.prompt = &prompt;
    context.programFolder = QStringLiteral(CORV_SOURCE_DIR "/data");
    doc = std::make_unique<CCorvessaDoc>(context);
    doc->MutableSettings().FontName[0] = QStringLiteral("Arial");
    doc->MutableSettings().FontSizePoints[0] = QStringLiteral("12");
    doc->MutableSettings().FontColor[0] = 0;
    doc->MutableSettings().RightToLeft = 0;
    doc->MutableSettings().LeftAlignBulletedLists = 0;
    doc->MutableSettings().LeftAlignNumberedLists = 0;
    output = tmp.MakeFolder(QStringLiteral("Out"));
    tmp.MakeFolder(QStringLiteral("Out/content"));
}

CCorvPage *Fixture::Add(const CCorvessaDoc::ScreenList &list, const QString &label, int pageType, const QString &title)
{
    const int id = int(doc->MainScreens().size() + doc->PopupScreens().size() + doc->GlossaryScreens().size()) + 1;
    return doc->AddScreen(std::make_unique<CCorvPage>(id, title.isEmpty() ? QStringLiteral("Screen ") + label : title,
                                                      QString(), QString(), 0, label, pageType, -1),
                          nullptr, &list == &doc->PopupScreens(), &list == &doc->GlossaryScreens());
}

void Fixture::Outline()
{
    tree.RebuildFromScreenLists(doc->MainScreens(), doc->PopupScreens(), doc->GlossaryScreens());
    tree.NumberPublishIds(doc->PopupScreens(), doc->GlossaryScreens());
}

std::unique_ptr<CCoursePublisher> Fixture::Publisher()
{
    return std::make_unique<CCoursePublisher>(*doc, output, QStringLiteral("Demo"), &tree);
}

QString Fixture::ScreenFilePath(const CCorvPage &screen) const
{
    return output + QStringLiteral("/content/demo_") + screen.GetPublishId() + QStringLiteral(".js");
}

QString Fixture::ScreenFile(const CCorvPage &screen) const
{
    QFile file(ScreenFilePath(screen));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

SampleTexts SampleTexts::Ordinary()
{
    SampleTexts t;
    t.title = QStringLiteral("Sea birds");
    t.body = QStringLiteral("Gulls nest on cliffs");
    t.caption = QStringLiteral("Go to the quiz");
    t.summary = QStringLiteral("Birds and their eggs");
    t.address = QStringLiteral("https://example.org/birds");
    t.script = QStringLiteral("kvx.hint('gulls')");
    t.term = QStringLiteral("Fledgling");
    t.label = QStringLiteral("Never");
    t.questionId = QStringLiteral("AB");
    t.embed = QStringLiteral("<iframe width=\"420\" height=\"315\" src=\"https://video.example/embed/x1\"></iframe>");
    return t;
}

SampleTexts SampleTexts::Hostile()
{
    const QString nasty = QStringLiteral("it's \"quoted\" \\ back\\slash </script><script>alert(1)</script> <b>&amp;\r\nnext");
    SampleTexts t;
    t.title = QStringLiteral("Title ") + nasty;
    t.body = QStringLiteral("Body ") + nasty;
    t.caption = QStringLiteral("Caption ") + nasty;
    t.summary = QStringLiteral("Summary ") + nasty;
    t.address = QStringLiteral("https://example.org/?q='x'&y=\"z\"\\</script>");
    t.script = QStringLiteral("kvx.hint('it\\'s \"here\" \\\\ </script>')");
    t.term = QStringLiteral("Term ") + nasty;
    t.label = QStringLiteral("Label ") + nasty;
    t.questionId = QStringLiteral("A'\\");
    t.embed = QStringLiteral("<iframe title=\"a \\ b\"\r\n src=\"x\"></iframe></script>");
    return t;
}

namespace {

// The first content screen: text boxes, tables, shapes, a link, a print button and a video of a site.
void FillContentScreen(Fixture &f, CCorvPage &screen, const SampleTexts &t, const CCorvPage &next, const CCorvPage &popup,
                       const CCorvPage &term, const CCorvPage &quiz)
{
    auto *box = Place<CComponentTextbox>(screen, f.prompt, CRect(36, 32, 520, 330));
    Rich(box->GetContent())
        .Para(PFA_CENTER)
        .Add(QStringLiteral("Gulls and terns\r"), With(CFE_BOLD, Sized(14)))
        .Para(PFA_LEFT)
        .Add(t.body + QStringLiteral(", "))
        .Add(QStringLiteral("bold"), With(CFE_BOLD))
        .Add(QStringLiteral(" and "))
        .Add(QStringLiteral("italic"), With(CFE_ITALIC))
        .Add(QStringLiteral(", "))
        .Add(QStringLiteral("struck"), With(CFE_UNDERLINE | CFE_STRIKEOUT))
        .Add(QStringLiteral(" in red"), Coloured(kRed))
        .Add(QStringLiteral(" and m"))
        .Add(QStringLiteral("2"), Raised(60))
        .Add(QStringLiteral(" in Courier\r"), Face(QStringLiteral("Courier New")))
        .Para(PFA_LEFT, 360, PFN_BULLET)
        .Add(QStringLiteral("Nests\rEggs\r"))
        .Para(PFA_LEFT, 360, PFN_ARABIC)
        .Add(QStringLiteral("Hatch\rFledge\r"))
        .Para(PFA_LEFT)
        .Add(QStringLiteral("See "))
        .Link(2, QStringLiteral("the next screen"))
        .Add(QStringLiteral(", a "))
        .Link(3, QStringLiteral("popup"))
        .Add(QStringLiteral(", the "))
        .Link(4, QStringLiteral("web"), With(CFE_ITALIC))
        .Add(QStringLiteral(", a "))
        .Link(5, QStringLiteral("term"))
        .Add(QStringLiteral(" or "))
        .Link(6, QStringLiteral("a hint"));
    ScreenLinkRecord(box->GetContent(), 2, next.GetId());
    ScreenLinkRecord(box->GetContent(), 3, popup.GetId(), 1);
    AddressLinkRecord(box->GetContent(), 4, t.address);
    ScreenLinkRecord(box->GetContent(), 5, term.GetId());
    AddressLinkRecord(box->GetContent(), 6, t.script, 1);

    auto *rtl = Place<CComponentTextbox>(screen, f.prompt, CRect(540, 32, 980, 100));
    rtl->SetRightToLeft(1);
    Rich(rtl->GetContent()).Para(PFA_RIGHT).Add(QStringLiteral("Right to left"));

    CComponentTable::Settings settings = StyledTable(3, 3);
    settings.headerKind = CComponentTable::headerBoth;
    settings.summary = t.summary;
    settings.setColours = 1;
    auto *table = Place(screen, f.prompt, std::make_unique<CComponentTable>(nullptr, settings), CRect(36, 340, 536, 500));
    table->SetDefaultFont(QStringLiteral("Arial"), 12, 0);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            Rich(*table->GetCell(i, j)).Add(QStringLiteral("r%1c%2").arg(i).arg(j));
    Rich(*table->GetCell(1, 1)).Add(QStringLiteral(" "), Body()).Link(0, QStringLiteral("next"));
    ScreenLinkRecord(*table->GetCell(1, 1), 0, next.GetId());
    table->SetSplitterPositions({150, 320, 150, 320, 60, 150, 320, 110});

    CComponentTable::Settings plain;
    plain.rows = 1;
    plain.columns = 2;
    plain.oldStyleBorders = 1;
    auto *second = Place(screen, f.prompt, std::make_unique<CComponentTable>(nullptr, plain), CRect(560, 340, 860, 420));
    Rich(*second->GetCell(0, 0)).Para(PFA_CENTER, 200).Add(QStringLiteral("Old style"));

    auto *rectangle = Place<CComponentRectangle>(screen, f.prompt, CRect(600, 120, 700, 200));
    rectangle->SetFilled(1);
    rectangle->SetFillColor(kRed);
    rectangle->SetOutlineColor(kBlue);
    rectangle->SetLineWidth(3);
    auto *ellipse = Place<CComponentEllipse>(screen, f.prompt, CRect(720, 120, 800, 200));
    ellipse->SetOutlined(0);
    auto *line = Place<CComponentLine>(screen, f.prompt, CRect(0, 0, 0, 0));
    line->SetPoints(QPoint(600, 220), QPoint(900, 230));
    line->SetColor(kGreen);
    line->SetWidth(2);

    auto *link = Place<CComponentLink>(screen, f.prompt, CRect(36, 510, 236, 530));
    link->SetText(t.caption);
    link->SetTargetLabel(quiz.GetLabel());
    link->SetTargetPage(&quiz);
    Place<CComponentButton>(screen, f.prompt, CRect(900, 500, 980, 530))->SetText(QStringLiteral("Print"));
    Place<CComponentYouTube>(screen, f.prompt, CRect(820, 120, 980, 240))->m_embedCode = t.embed;
}

void FillQuizScreen(Fixture &f, CCorvPage &screen, const SampleTexts &t)
{
    auto *choice = Place<CComponentMultipleChoice>(screen, f.prompt, CRect(10, 10, 1000, 200));
    choice->SetQuestionText(QStringLiteral("Gulls are birds."));
    choice->SetTrueFalse(1);
    auto *freeForm = Place<CComponentFreeFormText>(screen, f.prompt, CRect(10, 210, 1000, 350));
    freeForm->m_questionId = t.questionId;
    freeForm->m_numberToMatch = 2;
    freeForm->m_storeResponse = 1;
    auto *slider = Place<CComponentLikert>(screen, f.prompt, CRect(10, 360, 1000, 550));
    slider->SetQuestionText(QStringLiteral("How often do you see gulls?"));
    slider->SetStartValue(1.0f);
    slider->SetEndValue(5.0f);
    slider->SetTolerance(0.5f);
    slider->SetDecimalPlaces(2);
    slider->SetSnap(0);
    slider->SetStartLabel(t.label);
    slider->SetEndLabel(QStringLiteral("Daily"));
}

void FillBlanksScreen(Fixture &f, CCorvPage &screen)
{
    auto *choice = Place<CComponentMultipleChoice>(screen, f.prompt, CRect(10, 10, 1000, 150));
    choice->m_singleAnswer = 1;
    auto *paragraph = Place<CComponentCompleteParagraph>(screen, f.prompt, CRect(10, 160, 1000, 350));
    paragraph->SetQuestionText(QStringLiteral("Gulls **** on cliffs."));
    Place<CComponentFillBlanks>(screen, f.prompt, CRect(10, 360, 1000, 550))->SetQuestionText(QStringLiteral("Terns ****."));
}

// Pictures and the picture questions.
void FillPictureScreen(Fixture &f, CCorvPage &screen)
{
    Place<CComponentImage>(screen, f.prompt, CRect(10, 10, 200, 150));
    Place<CComponentMatchPairs>(screen, f.prompt, CRect(10, 160, 1000, 350));
    auto *parts = Place<CComponentPartIdentification>(screen, f.prompt, CRect(10, 360, 1000, 550));
    parts->SetTargetCount(3);
    parts->m_targetsToMatch = 2;
    Place<CComponentImage>(screen, f.prompt, CRect(800, 10, 1000, 150));
}

void FillMediaScreen(Fixture &f, CCorvPage &screen)
{
    auto audio = [&](const QString &file, int play, int buttons, const CRect &bounds) {
        auto *a = Place<CComponentAudio>(screen, f.prompt, bounds);
        a->SetFilePath(file);
        a->SetPlayButton(play);
        a->m_buttonControls = buttons;
    };
    audio(QStringLiteral("/media/sea.mp3"), 1, 1, CRect(10, 10, 60, 40));
    audio(QStringLiteral("/media/sea.mp3"), 0, 1, CRect(70, 10, 120, 40));
    audio(QStringLiteral("/media/gull.wav"), 0, 0, CRect(130, 10, 180, 40));
    Place<CComponentVideo>(screen, f.prompt, CRect(10, 60, 330, 300))->SetFilePath(QStringLiteral("/media/waves.mpg"));
    Place<CComponentFlashQuestion>(screen, f.prompt, CRect(340, 60, 660, 300))->SetFilePath(QStringLiteral("/media/quiz.swf"));
    Place<CComponentHTMLEditor>(screen, f.prompt, CRect(10, 310, 330, 400))->SetHtml(QStringLiteral("<p>Not published</p>"));
}

} // namespace

void BuildSampleCourse(Fixture &f, const SampleTexts &t)
{
    CCorvessaDoc &doc = *f.doc;
    CCorvPage *menu = f.Add(doc.MainScreens(), QStringLiteral("1"), pt_folder, QStringLiteral("Course menu"));
    menu->SetMenuKind(apt_multi_topic_menu);
    auto *welcome = Place<CComponentTextbox>(*menu, f.prompt, CRect(36, 32, 500, 100));
    Rich(welcome->GetContent()).Add(QStringLiteral("Welcome"));
    Place<CComponentSmallTopic>(*menu, f.prompt, CRect(36, 120, 236, 170));
    Place<CComponentLargeTopic>(*menu, f.prompt, CRect(36, 180, 336, 380));
    f.Add(doc.MainScreens(), QStringLiteral("1_1"), pt_container, QStringLiteral("Sea birds topic"));
    CCorvPage *content = f.Add(doc.MainScreens(), QStringLiteral("1_1_1"), pt_document, t.title);
    CCorvPage *quiz = f.Add(doc.MainScreens(), QStringLiteral("1_1_2"), pt_question, QStringLiteral("Quiz"));
    CCorvPage *blanks = f.Add(doc.MainScreens(), QStringLiteral("1_1_3"), pt_question, QStringLiteral("Blanks"));
    CCorvPage *media = f.Add(doc.MainScreens(), QStringLiteral("2"), pt_document, QStringLiteral("Sounds and movies"));
    CCorvPage *shapes = f.Add(doc.MainScreens(), QStringLiteral("3"), pt_document, QStringLiteral("Shapes only"));
    Place<CComponentRectangle>(*shapes, f.prompt, CRect(10, 10, 100, 100));
    CCorvPage *pictures = f.Add(doc.MainScreens(), QStringLiteral("3_1"), pt_question, QStringLiteral("Pictures"));
    f.Add(doc.MainScreens(), QStringLiteral("4"), pt_asmt_folder, QStringLiteral("Assessment"));
    CCorvPage *done = f.Add(doc.MainScreens(), QStringLiteral("4_1"), pt_asmt_document, QStringLiteral("Well done"));
    Place<CComponentButton>(*done, f.prompt, CRect(900, 500, 980, 530));
    f.Add(doc.PopupScreens(), QStringLiteral("P5"), pt_popups_only, QStringLiteral("Popups"));
    CCorvPage *popup = f.Add(doc.PopupScreens(), QStringLiteral("P5_1"), pt_document, QStringLiteral("A popup"));
    Rich(Place<CComponentTextbox>(*popup, f.prompt, CRect(10, 10, 300, 100))->GetContent()).Add(QStringLiteral("Popup text"));
    f.Add(doc.GlossaryScreens(), QStringLiteral("G6"), pt_glossary, QStringLiteral("Glossary"));
    CCorvPage *term = f.Add(doc.GlossaryScreens(), QStringLiteral("G6_1"), pt_document, t.term);

    FillContentScreen(f, *content, t, *media, *popup, *term, *quiz);
    FillQuizScreen(f, *quiz, t);
    FillBlanksScreen(f, *blanks);
    FillMediaScreen(f, *media);
    FillPictureScreen(f, *pictures);
    f.Outline();
}

QString FirstDifference(const QByteArray &actual, const QByteArray &expected)
{
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    for (qsizetype i = 0; i < std::max(a.size(), e.size()); ++i) {
        const QByteArray x = i < a.size() ? a[i] : QByteArray("<none>");
        const QByteArray y = i < e.size() ? e[i] : QByteArray("<none>");
        if (x != y)
            return QStringLiteral("line %1:\n  written:  %2\n  expected: %3")
                .arg(i + 1)
                .arg(QString::fromUtf8(x), QString::fromUtf8(y));
    }
    return QString();
}

QByteArray RunProgram(const QString &program, const QStringList &arguments, int &exitCode, int timeoutMs)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start();
    exitCode = -1;
    if (!process.waitForStarted(timeoutMs) || !process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return QByteArray();
    }
    if (process.exitStatus() == QProcess::NormalExit)
        exitCode = process.exitCode();
    return process.readAllStandardOutput();
}

QJsonDocument ChromiumResult(const QString &chromium, const QString &pagePath, const QString &profileFolder)
{
    // A profile of its own keeps the browser away from the user's; the sandbox needs privileges a test
    // run may not have.
    const QStringList arguments = {
        QStringLiteral("--headless"),
        QStringLiteral("--no-sandbox"),
        QStringLiteral("--disable-gpu"),
        QStringLiteral("--disable-dev-shm-usage"),
        QStringLiteral("--no-first-run"),
        QStringLiteral("--disable-extensions"),
        QStringLiteral("--user-data-dir=") + profileFolder,
        QStringLiteral("--dump-dom"),
        QUrl::fromLocalFile(pagePath).toString(),
    };
    int status = -1;
    const QByteArray dom = RunProgram(chromium, arguments, status, 120000);
    EXPECT_EQ(status, 0);
    const QRegularExpressionMatch result =
        QRegularExpression(QStringLiteral("<pre id=\"result\">([A-Za-z0-9+/=]+)</pre>")).match(QString::fromUtf8(dom));
    EXPECT_TRUE(result.hasMatch()) << dom.left(3000).toStdString();
    if (!result.hasMatch())
        return QJsonDocument();
    return QJsonDocument::fromJson(QByteArray::fromBase64(result.captured(1).toLatin1()));
}

void ExpectGoldenFiles(const QString &goldenFolder, const QStringList &files)
{
    QStringList names;
    for (const QString &file : files)
        names.append(QFileInfo(file).fileName());
    if (qEnvironmentVariableIsSet("CORV_UPDATE_GOLDEN")) {
        QDir(goldenFolder).removeRecursively();
        QDir().mkpath(goldenFolder);
        for (const QString &file : files)
            QFile::copy(file, goldenFolder + u'/' + QFileInfo(file).fileName());
    }
    QStringList sorted = names;
    sorted.sort();
    EXPECT_EQ(QDir(goldenFolder).entryList(QDir::Files, QDir::Name), sorted);
    for (const QString &file : files) {
        const QByteArray written = TempTree::ReadAll(file);
        const QByteArray expected = TempTree::ReadAll(goldenFolder + u'/' + QFileInfo(file).fileName());
        EXPECT_TRUE(written == expected) << QFileInfo(file).fileName().toStdString() << " differs at "
                                         << FirstDifference(written, expected).toStdString();
    }
}

QJsonArray RunScreenChecks(const QString &node, const QStringList &files)
{
    int status = -1;
    const QByteArray out =
        RunProgram(node, QStringList{QStringLiteral(CORV_SOURCE_DIR "/tests/publish/screen_check.js")} + files, status);
    EXPECT_EQ(status, 0);
    return QJsonDocument::fromJson(out).array();
}

} // namespace ScreenTest
