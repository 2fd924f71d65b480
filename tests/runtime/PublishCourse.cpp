// Publishes a small course for the standalone target with the program-folder data of the build, for the
// run-time's browser walk (published.test.js).
//
//   publish_runtime_course <program folder> <work folder>
//
// The project is <work folder>/Course.kvx with its media in <work folder>/Course; the course is published to
// <work folder>/out. The course: a folder screen with three screens below it (links of every kind, a table,
// shapes, a link, a print button and a sound with Play and Stop buttons), a popup screen and a glossary
// term. Publish steps that the program cannot perform yet are stood in for with scripts written here for
// this course, and each such case is printed; the exit status is 0 when the rest of the publish succeeded.

#include "document/CorvessaDoc.h"
#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentLine.h"
#include "model/ComponentLink.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "model/OutlineTree.h"
#include "model/URLLink.h"
#include "platform/CorvContext.h"
#include "platform/RecordingPrompt.h"
#include "publish/CoursePublisher.h"
#include "publish/PublishFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QtEndian>

#include <cmath>
#include <cstdio>
#include <map>

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
Kind *Place(CCorvPage &screen, CRecordingPrompt &prompt, std::unique_ptr<Kind> component, const CRect &bounds)
{
    Kind *raw = component.get();
    component->SetBounds(bounds, false);
    screen.AddComponent(std::move(component), prompt);
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

// The scripts of steps the program cannot write yet, for this course: the options script of a course
// without menus, the pages script of its one folder, the international texts and the glossary.
QString StandInScript(PublishStep step, const CCorvessaDoc &doc, const QString &prefix)
{
    const auto id = [&](const CCorvessaDoc::ScreenList &list, size_t i) { return list[i]->GetPublishId(); };
    switch (step) {
    case PublishStep::CreatePrefsJS:
        return QStringLiteral(
                   "var kvx = {};\nvar kvxAssessScore = {};\nvar kvxFdbck = {};\nvar kvxMem = {};\nvar kvxObj = {};\n"
                   "var kvxPrefs = {};\nvar kvxRandom = {};\nvar kvxTopBg, kvxTop, kvxMain, kvxNavBg, kvxNav, kvxUser;\n"
                   "kvxObj.progBarWidth = 398;\nkvxPrefs.winSize = [1008, 680];\nkvxPrefs.menuTitles = [];\n"
                   "kvxPrefs.menuTitlesTopDisplay = [];\nkvxObj.projectPrefix = \"%1\";\nkvxObj.projectSuf = \".htm\";\n"
                   "kvxObj.projectType = \"standalone\";\nkvxObj.imgExt = \".png\";\nkvxPrefs.indexDisplay = [1,0,0,0,0];\n"
                   "kvxPrefs.nextVisible = true;\nkvxPrefs.nextTime = null;\nkvxPrefs.backVisible = true;\n"
                   "kvxPrefs.menuVisible = true;\nkvxPrefs.quitVisible = true;\nkvxPrefs.progressVisible = true;\n"
                   "kvxPrefs.nextEnabled = true;\nkvxPrefs.signin = false;\nkvxPrefs.LMS = false;\n"
                   "kvxPrefs.allowResume = false;\nkvxPrefs.outline = {};\nkvxPrefs.outline.activate = false;\n"
                   "kvxPrefs.nextBtnDelay = 0;\nkvxPrefs.expiry = {};\nkvxPrefs.expiry.isSet = false;\n"
                   "kvxPrefs.hasGlossary = true;\nkvxPrefs.glossaryLabel = \"Glossary\";\nkvxPrefs.hasHelp = true;\n"
                   "kvxPrefs.helpLabel = \"Help\";\nkvxPrefs.helpScreen = \"%2\";\nkvxPrefs.rtl = false;\n")
            .arg(prefix, id(doc.PopupScreenList, 1));
    case PublishStep::BuildPagesJS: {
        QString text = QStringLiteral("var p = [];\np[0] = [];\np[0][0] = [\"%1\"];\n").arg(id(doc.MainScreenList, 0));
        for (size_t i = 1; i < doc.MainScreenList.size(); ++i)
            text += QStringLiteral("p[0][%1] = [\"%2\",\"%3\"];\n").arg(i).arg(id(doc.MainScreenList, 0), id(doc.MainScreenList, i));
        return text + QStringLiteral("var quest = {};\n");
    }
    case PublishStep::WriteInternationalisationVariables:
        return QStringLiteral("kvxPrefs.str = {};\nkvxPrefs.str.next = \"Next\";\n");
    case PublishStep::WriteGlossaryItems:
        return QStringLiteral("var fontsize = \"12pt\";\nvar fontfamily = \"Verdana, Arial\";\n"
                              "kvxGlossary.push(\"%1:::A young bird that has just left its nest. \");\n")
            .arg(doc.GlossaryScreenList[1]->GetTitle());
    default:
        return QString();
    }
}

const std::map<PublishStep, QString> kStandInFiles = {
    {PublishStep::CreatePrefsJS, QStringLiteral("content/scripts/%1_prefs.js")},
    {PublishStep::BuildPagesJS, QStringLiteral("content/scripts/%1_pages.js")},
    {PublishStep::WriteInternationalisationVariables, QStringLiteral("content/scripts/internationalisation.js")},
    {PublishStep::WriteGlossaryItems, QStringLiteral("content/glossary/glossary_items.js")},
};

class CoursePublisher : public CCoursePublisher
{
public:
    CoursePublisher(CCorvessaDoc &doc, const QString &folder, const QString &prefix, COutlineTree *tree)
        : CCoursePublisher(doc, folder, prefix, tree), m_doc(doc)
    {
    }

protected:
    int RunStep(PublishStep step, int lessonMode) override
    {
        const int result = CCoursePublisher::RunStep(step, lessonMode);
        const auto standIn = kStandInFiles.find(step);
        if (result == 1 || standIn == kStandInFiles.end())
            return result;
        std::printf("NOTE: %s reported failure; a script written for this course stands in\n",
                    qPrintable(PublishStepName(step)));
        const QString file = standIn->second.contains(QStringLiteral("%1")) ? standIn->second.arg(GetProjectPrefix())
                                                                           : standIn->second;
        CPublishFile::WriteFile(GetTargetFolder(), file,
                                StandInScript(step, m_doc, GetProjectPrefix()), CPublishFile::WithByteOrderMark);
        return 1;
    }

private:
    const CCorvessaDoc &m_doc;
};

CCorvPage *AddScreen(CCorvessaDoc &doc, CCorvessaDoc::ScreenList &list, const QString &label, int type, const QString &title)
{
    const int id = int(doc.MainScreenList.size() + doc.PopupScreenList.size() + doc.GlossaryScreenList.size()) + 1;
    list.push_back(std::make_unique<CCorvPage>(id, title, QString(), QString(), 0, label, type, -1));
    return list.back().get();
}

void BuildCourse(CCorvessaDoc &doc, CRecordingPrompt &prompt, const QString &media)
{
    CCorvPage *welcome = AddScreen(doc, doc.MainScreenList, QStringLiteral("1"), pt_folder, QStringLiteral("Welcome"));
    CCorvPage *links = AddScreen(doc, doc.MainScreenList, QStringLiteral("1_1"), pt_document, QStringLiteral("Links"));
    CCorvPage *tables = AddScreen(doc, doc.MainScreenList, QStringLiteral("1_2"), pt_document, QStringLiteral("Tables and shapes"));
    CCorvPage *end = AddScreen(doc, doc.MainScreenList, QStringLiteral("1_3"), pt_document, QStringLiteral("The end"));
    AddScreen(doc, doc.PopupScreenList, QStringLiteral("P2"), pt_popups_only, QStringLiteral("Popups"));
    CCorvPage *popup = AddScreen(doc, doc.PopupScreenList, QStringLiteral("P2_1"), pt_document, QStringLiteral("A popup"));
    AddScreen(doc, doc.GlossaryScreenList, QStringLiteral("G3"), pt_glossary, QStringLiteral("Glossary"));
    CCorvPage *term = AddScreen(doc, doc.GlossaryScreenList, QStringLiteral("G3_1"), pt_document, QStringLiteral("Fledgling"));

    TextBox(*welcome, prompt, CRect(36, 32, 900, 120), QStringLiteral("Welcome to the sea birds course."));
    TextBox(*popup, prompt, CRect(10, 10, 380, 100), QStringLiteral("Popup text"));
    TextBox(*term, prompt, CRect(10, 10, 380, 100), QStringLiteral("A young bird that has just left its nest."));
    TextBox(*end, prompt, CRect(36, 32, 900, 120), QStringLiteral("The end of the course."));

    auto *box = Place<CComponentTextbox>(*links, prompt, CRect(36, 32, 900, 300));
    CRichTextLinks &c = box->GetContent();
    Text(c, QStringLiteral("Gulls nest on "));
    Text(c, QStringLiteral("cliffs"), CFE_BOLD);
    Text(c, QStringLiteral(". See "));
    Link(c, 1, QStringLiteral("the next screen"));
    Text(c, QStringLiteral(", a "));
    Link(c, 2, QStringLiteral("popup"));
    Text(c, QStringLiteral(", the "));
    Link(c, 3, QStringLiteral("start page"));
    Text(c, QStringLiteral(", a "));
    Link(c, 4, QStringLiteral("fledgling"));
    Text(c, QStringLiteral(" or "));
    Link(c, 5, QStringLiteral("a script"));
    Text(c, QStringLiteral("."));
    c.AppendLink(std::make_unique<CURLLink>(QString(), 1, -1, 1, tables->GetId(), QString(), 0, 0, 0, 300, 400));
    c.AppendLink(std::make_unique<CURLLink>(QString(), 2, -1, 1, popup->GetId(), QString(), 1, 0, 0, 300, 400));
    c.AppendLink(std::make_unique<CURLLink>(QString(), 3, -1, 0, -1, QStringLiteral("../index.htm"), 0, 0, 0, 100, 250));
    c.AppendLink(std::make_unique<CURLLink>(QString(), 4, -1, 1, term->GetId(), QString(), 0, 0, 0, 300, 400));
    c.AppendLink(std::make_unique<CURLLink>(QString(), 5, -1, 0, -1, QStringLiteral("window.kvxScriptRan = true"), 0, 1, 0,
                                            100, 250));

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
    auto *table = Place(*tables, prompt, std::make_unique<CComponentTable>(nullptr, settings), CRect(36, 32, 436, 132));
    table->SetDefaultFont(QStringLiteral("Arial"), 12, 0);
    const QString cells[2][2] = {{QStringLiteral("Bird"), QStringLiteral("Nest")}, {QStringLiteral("Gull"), QStringLiteral("Cliff")}};
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            Text(*table->GetCell(i, j), cells[i][j]);
    auto *rectangle = Place<CComponentRectangle>(*tables, prompt, CRect(600, 40, 760, 130));
    rectangle->SetFilled(1);
    rectangle->SetFillColor(0xE0E0FF);
    rectangle->SetOutlineColor(0x0000C0);
    rectangle->SetLineWidth(2);
    Place<CComponentEllipse>(*tables, prompt, CRect(780, 40, 940, 130));
    auto *line = Place<CComponentLine>(*tables, prompt, CRect(0, 0, 0, 0));
    line->SetPoints(QPoint(36, 520), QPoint(960, 520));
    line->SetColor(0xC00000);
    line->SetWidth(3);
    auto *back = Place<CComponentLink>(*tables, prompt, CRect(36, 460, 336, 484));
    back->SetText(QStringLiteral("Back to the welcome"));
    back->SetTargetLabel(welcome->GetLabel());
    back->SetTargetPage(welcome);
    Place<CComponentButton>(*tables, prompt, CRect(900, 500, 980, 530))->SetText(QStringLiteral("Print"));
    for (int play = 1; play >= 0; --play) {
        auto *audio = Place<CComponentAudio>(*tables, prompt, play ? CRect(36, 200, 146, 247) : CRect(160, 200, 270, 247));
        audio->SetFilePath(media + QStringLiteral("/Sounds/tone.wav"));
        audio->SetPlayButton(play);
        audio->m_autoStart = 0;
        audio->m_buttonControls = 1;
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    if (argc != 3) {
        std::fprintf(stderr, "usage: publish_runtime_course <program folder> <work folder>\n");
        return 2;
    }
    const QString work = QString::fromLocal8Bit(argv[2]);
    const QString media = work + QStringLiteral("/Course");
    QDir().mkpath(media + QStringLiteral("/Sounds"));
    QFile tone(media + QStringLiteral("/Sounds/tone.wav"));
    if (!tone.open(QIODevice::WriteOnly) || tone.write(Tone()) < 0)
        return 2;
    tone.close();

    CRecordingPrompt prompt;
    prompt.SetFallback(CPrompt::yes);
    CCorvContext context;
    context.prompt = &prompt;
    context.programFolder = QString::fromLocal8Bit(argv[1]);
    context.appDataFolder = work + QStringLiteral("/appdata");

    CCorvessaDoc doc(context);
    // A course starts with the settings of a new one: its buttons, glossary and options as the author finds them.
    doc.OnNewDocument();
    doc.SetPathName(work + QStringLiteral("/Course.kvx"));
    doc.CourseName = QStringLiteral("Sea birds");
    doc.Theme = QStringLiteral("Classical");
    doc.FontName[0] = QStringLiteral("Arial");
    doc.FontSizePoints[0] = QStringLiteral("12");
    doc.FontColor[0] = 0;
    BuildCourse(doc, prompt, media);
    // The popup is the course's help screen.
    doc.HelpScreen = doc.PopupScreenList[1]->GetId();
    COutlineTree tree;
    tree.RebuildFromScreenLists(doc.MainScreenList, doc.PopupScreenList, doc.GlossaryScreenList);

    CoursePublisher publisher(doc, work + QStringLiteral("/out"), QStringLiteral("Course"), &tree);
    publisher.PublishStandalone();
    bool completed = false;
    for (const QString &text : prompt.Texts()) {
        std::printf("message: %s\n", qPrintable(QString(text).replace(u'\n', QStringLiteral(" | "))));
        completed = completed || text.startsWith(QStringLiteral("Publish has completed successfully"));
    }
    return completed ? 0 : 1;
}
