#include "ScreenTestSupport.h"

#include "model/ComponentAudio.h"
#include "model/ComponentButton.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentFreeFormText.h"
#include "model/ComponentHTMLEditor.h"
#include "model/ComponentLikert.h"
#include "model/ComponentLink.h"
#include "model/ComponentMultipleChoice.h"
#include "model/ComponentRectangle.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentVideo.h"
#include "model/ComponentYouTube.h"
#include "publish/ScreenScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>

using namespace ScreenTest;

namespace {

// A publisher whose other steps succeed without doing anything, so that a driver runs the screen files
// step for its target.
class ContentsOnlyPublisher : public CCoursePublisher
{
public:
    using CCoursePublisher::CCoursePublisher;

protected:
    int RunStep(PublishStep step, int lessonMode) override
    {
        if (step == PublishStep::BuildContents)
            return CCoursePublisher::RunStep(step, lessonMode);
        return 1;
    }
};

template <class Kind>
Kind *Put(Fixture &, CCorvPage &screen, const CRect &bounds = CRect(10, 10, 100, 100))
{
    auto component = std::make_unique<Kind>();
    Kind *raw = component.get();
    component->SetBounds(bounds, false);
    EXPECT_TRUE(screen.AddComponent(std::move(component)));
    return raw;
}

QStringList ContentFiles(const Fixture &f)
{
    return QDir(f.output + QStringLiteral("/content")).entryList(QDir::Files, QDir::Name);
}

} // namespace

class ScreenScriptWriterTest : public ::testing::Test
{
protected:
    CCorvPage *Screen(const QString &label, int type = pt_document, const QString &title = {})
    {
        return f.Add(f.doc->MainScreens(), label, type, title);
    }
    QString Header(CCorvPage &screen)
    {
        f.Outline();
        return CScreenScriptWriter(f.Publisher()->Context()).ScreenHeader(screen);
    }
    QString Contents(CCorvPage &screen)
    {
        f.Outline();
        return CScreenScriptWriter(f.Publisher()->Context()).ScreenContents(screen);
    }
    Fixture f;
};

// Guards which screens get a file: a learner lands on folders, content, question and final performance
// screens, also below containers, assessment folders and the popups folder, never on glossary entries.
TEST_F(ScreenScriptWriterTest, FilesOfTheCourse)
{
    BuildSampleCourse(f, SampleTexts::Ordinary());
    const auto publisher = f.Publisher();
    CScreenScriptWriter(publisher->Context()).WriteScreenFiles();
    QStringList expected;
    for (const auto *list : {&f.doc->MainScreens(), &f.doc->PopupScreens()})
        for (const auto &screen : *list)
            if (CScreenScriptWriter::HasScreenFile(screen->GetPageType()))
                expected << QStringLiteral("demo_") + screen->GetPublishId() + QStringLiteral(".js");
    expected.sort();
    EXPECT_EQ(ContentFiles(f), expected);
    EXPECT_EQ(expected.size(), 9);
    for (const char *noFile : {"1_1", "4", "P5", "G6", "G6_1"}) {
        const CCorvPage *screen = f.doc->FindScreenByLabel(QLatin1String(noFile));
        ASSERT_NE(screen, nullptr) << noFile;
        EXPECT_FALSE(QFile::exists(f.ScreenFilePath(*screen))) << noFile;
    }
}

// Guards the walk of an empty outline and of a publisher without one: nothing is written and the step
// succeeds.
TEST_F(ScreenScriptWriterTest, EmptyOutline)
{
    f.Outline();
    EXPECT_TRUE(f.Publisher()->BuildContents());
    CCoursePublisher withoutTree(*f.doc, f.output, QStringLiteral("demo"), nullptr);
    EXPECT_TRUE(withoutTree.BuildContents());
    EXPECT_TRUE(ContentFiles(f).isEmpty());
}

// Guards the three header forms byte for byte: the run-time reads them as they are.
TEST_F(ScreenScriptWriterTest, HeaderForms)
{
    CCorvPage *menu = Screen("1", pt_folder, "Menu");
    menu->SetMenuKind(apt_multi_topic_menu);
    Put<CComponentRectangle>(f, *menu);
    CCorvPage *folder = Screen("2", pt_folder, "Plain folder");
    CCorvPage *done = Screen("3", pt_asmt_document, "Done");
    Put<CComponentFreeFormText>(f, *done);
    f.Outline();
    EXPECT_EQ(Header(*menu), "\"nonordinary\": false,\n\"currentpage\": \"" + menu->GetPublishId() +
                                 "\",\n\"pagename\": \"Menu\",\n\"scriptstorun\": [\"kvx.createMenu()\"],\n");
    EXPECT_EQ(Header(*folder), "\"nonordinary\": false,\n\"currentpage\": \"" + folder->GetPublishId() +
                                   "\",\n\"pagename\": \"Plain folder\",\n\"scriptstorun\": [],\n");
    EXPECT_EQ(Header(*done), "\"fps\": true,\n\"currentpage\": \"" + done->GetPublishId() +
                                 "\",\n\"pagename\": \"Done\",\n\"scriptstorun\": [],\n");
    EXPECT_EQ(menu->GetPublishId(), QStringLiteral("0_0m"));
}

// Guards the title in the header: one line, substituted, and read back as itself however it is quoted.
TEST_F(ScreenScriptWriterTest, Title)
{
    CCorvPage *screen = Screen("1", pt_document, "Say \"hi\"\r\n to C:\\birds </script>");
    EXPECT_TRUE(Header(*screen).contains(R"("pagename": "Say \"hi\" to C:\\birds <\/script>",)"));
}

// Guards the entries of one screen in component order, the later argues block winning, and the shapes
// entry with only the shapes' parts.
TEST_F(ScreenScriptWriterTest, ScriptList)
{
    CCorvPage *screen = Screen("1", pt_question);
    Put<CComponentEllipse>(f, *screen)->SetOutlined(0);
    Put<CComponentFreeFormText>(f, *screen)->m_questionId = QStringLiteral("AC");
    Put<CComponentMultipleChoice>(f, *screen)->m_singleAnswer = 1;
    Put<CComponentLikert>(f, *screen)->SetDecimalPlaces(1);
    Put<CComponentRectangle>(f, *screen, CRect(1, 2, 11, 22));
    const QString header = Header(*screen);
    EXPECT_TRUE(header.startsWith("\"nonordinary\": false,\n\"currentpage\": \"" + screen->GetPublishId() +
                                  "\",\n\"pagename\": \"Screen 1\",\n\"argues\": {\n\t\"start\""))
        << header.toStdString();
    const qsizetype list = header.indexOf(QStringLiteral("\"scriptstorun\": ["));
    ASSERT_GT(list, 0);
    const QString entries = header.mid(list);
    const qsizetype freeForm = entries.indexOf(QStringLiteral("\"o.argues.obj"));
    const qsizetype choice = entries.indexOf(QStringLiteral("\"mcObj.question(true)\""));
    const qsizetype slider = entries.indexOf(QStringLiteral("\"kvxObj.sliderQ = new srObj("));
    EXPECT_TRUE(freeForm > 0 && freeForm < choice && choice < slider) << entries.toStdString();
    EXPECT_TRUE(entries.endsWith(QStringLiteral("\"kvxObj.sliderQ.init()\", \"kvx.drawShapes([['rect','#000000',1,1,2,10,20]])\"],\n")))
        << entries.toStdString();
}

// Guards a screen of shapes only: its markup is the empty string and its header still draws the shapes.
TEST_F(ScreenScriptWriterTest, ShapesOnly)
{
    CCorvPage *screen = Screen("1");
    Put<CComponentRectangle>(f, *screen, CRect(1, 2, 11, 22));
    Put<CComponentEllipse>(f, *screen)->SetOutlined(0);
    EXPECT_EQ(Contents(*screen), "\"contents\":\t\"\"");
    EXPECT_TRUE(Header(*screen).endsWith("\"scriptstorun\": [\"kvx.drawShapes([['rect','#000000',1,1,2,10,20]])\"],\n"));
}

// Guards how pieces are joined: components without markup leave no separator, so an HTML text before a
// text box does not start the contents with " + ".
TEST_F(ScreenScriptWriterTest, PiecesJoined)
{
    CCorvPage *screen = Screen("1");
    Put<CComponentHTMLEditor>(f, *screen)->SetHtml(QStringLiteral("<p>x</p>"));
    Rich(Put<CComponentTextbox>(f, *screen, CRect(1, 2, 3, 4))->GetContent()).Add(QStringLiteral("A"));
    Put<CComponentButton>(f, *screen);
    EXPECT_EQ(Contents(*screen),
              "\"contents\":\t\"<div style='position:absolute; left:1px; top:2px; width:2px; height:2px; overflow:auto;'>"
              "<p style='text-align:left; margin-left:0px;'>A</p></div>\" + \n"
              "\"<div id='print' style='position:absolute; right:24px; bottom:24px; overflow: visible; cursor:pointer;'>\" + \n"
              "\"<input class='print' style='cursor:pointer;' type='submit' value='{print}' data-kvx-click='window.print()'>\" + \n"
              "\"</div>\"");
}

// Guards the numbering of tables: the class in the markup and in the style rules names the same table.
TEST_F(ScreenScriptWriterTest, TablesNumbered)
{
    CCorvPage *screen = Screen("1");
    CComponentTable::Settings settings;
    settings.rows = settings.columns = 1;
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(screen->AddComponent(std::make_unique<CComponentTable>(nullptr, settings)));
    const QString header = Header(*screen);
    const QString contents = Contents(*screen);
    for (const char *n : {"1", "2"}) {
        EXPECT_TRUE(header.contains(QStringLiteral("'.table%1 td'").arg(QLatin1String(n))));
        EXPECT_TRUE(contents.contains(QStringLiteral("<table class='table%1'").arg(QLatin1String(n))));
    }
    EXPECT_LT(contents.indexOf("table1"), contents.indexOf("table2"));
}

// Guards the clip numbers of audio buttons: both buttons of a pair name the same clip, whichever comes
// first on the screen, and every pair or single clip has its own number.
TEST_F(ScreenScriptWriterTest, AudioNumbers)
{
    CCorvPage *screen = Screen("1");
    const auto audio = [&](const char *file, int play, int buttons) {
        auto *a = Put<CComponentAudio>(f, *screen, CRect(5, 6, 50, 50));
        a->SetFilePath(QLatin1String(file));
        a->SetPlayButton(play);
        a->m_buttonControls = buttons;
    };
    audio("/m/a.mp3", 1, 1);
    audio("/m/a.mp3", 0, 1);
    audio("/m/b.mp3", 0, 1); // a Stop button listed before its Play partner
    audio("/m/c.wav", 0, 0);
    audio("/m/b.mp3", 1, 1);
    const QString contents = Contents(*screen);
    const QStringList ids = [&] {
        QStringList found;
        static const QRegularExpression id(QStringLiteral("id='(play\\d+|stop\\d+|kvxAudio\\d+)'"));
        for (auto it = id.globalMatch(contents); it.hasNext();)
            found << it.next().captured(1);
        return found;
    }();
    EXPECT_EQ(ids, QStringList({"play0", "kvxAudio0", "stop0", "stop1", "kvxAudio2", "play1", "kvxAudio1"}));
    EXPECT_TRUE(contents.contains("\"<a id='play0' class='play' style='left:5px; top:6px;' title='play audio'></a>\" + \n\"<audio"));
}

// Guards the text link component: its target screen's publish id, nothing for a screen that is gone, its
// stored id when it names no label, and a caption that cannot break out of its markup.
TEST_F(ScreenScriptWriterTest, TextLink)
{
    CCorvPage *screen = Screen("1");
    CCorvPage *target = Screen("2");
    auto *toScreen = Put<CComponentLink>(f, *screen, CRect(1, 2, 101, 22));
    toScreen->SetText(QStringLiteral("Next <b>\"one\"</b>"));
    toScreen->SetTargetLabel(QStringLiteral("2"));
    toScreen->SetTargetPage(target);
    auto *gone = Put<CComponentLink>(f, *screen, CRect(1, 2, 101, 22));
    gone->SetText(QStringLiteral("Gone"));
    gone->SetTargetLabel(QStringLiteral("9"));
    gone->SetTargetPageId(999);
    auto *fixed = Put<CComponentLink>(f, *screen, CRect(1, 2, 101, 22));
    fixed->SetText(QStringLiteral("Fixed"));
    fixed->SetFixedTargetId(QStringLiteral("x'\"y"));
    const QString contents = Contents(*screen);
    const QString head = QStringLiteral("\"<div style='position:absolute; left:1px; top:2px; width:100px; height:20px;'>");
    EXPECT_TRUE(contents.contains(head + R"(<a href='#' data-kvx-click='kvx.gotoNewPage(\")" + target->GetPublishId() +
                                  R"(\")'>Next &lt;b&gt;\"one\"&lt;/b&gt;</a></div>")"));
    EXPECT_TRUE(contents.contains(head + R"(<a href='#' data-kvx-click='kvx.gotoNewPage(\"\")'>Gone</a></div>")"));
    EXPECT_TRUE(contents.contains(R"(kvx.gotoNewPage(\"x&#39;\\\"y\")'>Fixed)"));
}

// Guards the embed code of a video site: its markup goes in whole, on one line, unable to end the script.
TEST_F(ScreenScriptWriterTest, YouTube)
{
    CCorvPage *screen = Screen("1");
    Put<CComponentYouTube>(f, *screen, CRect(7, 8, 50, 50))->m_embedCode =
        QStringLiteral("<iframe src=\"a\\b\"\r\n></iframe></script>");
    EXPECT_EQ(Contents(*screen), "\"contents\":\t" R"("<div style='position:absolute; left:7px; top:8px;'><iframe src='a\\b'></iframe><\/script></div>")");
}

// Guards the byte-order mark: web pages run by PHP read the files without one, every other target with.
TEST_F(ScreenScriptWriterTest, ByteOrderMarkByTarget)
{
    CCorvPage *screen = Screen("1");
    f.Outline();
    struct Case {
        const char *name;
        int useAsp;
        std::function<void(CCoursePublisher &)> run;
        bool mark;
    };
    const Case cases[] = {
        {"standalone", 0, [](CCoursePublisher &p) { p.PublishStandalone(); }, true},
        {"LAN", 0, [](CCoursePublisher &p) { p.PublishLanDatabase(); }, true},
        {"web ASP", 1, [](CCoursePublisher &p) { p.PublishWebDatabaseAsp(0); }, true},
        {"web PHP", 0, [](CCoursePublisher &p) { p.PublishWebDatabasePhp(); }, false},
        {"LMS", 0, [](CCoursePublisher &p) { p.PublishLms(); }, true},
    };
    for (const Case &c : cases) {
        f.doc->MutableSettings().UseASP = c.useAsp;
        ContentsOnlyPublisher publisher(*f.doc, f.output, QStringLiteral("demo"), &f.tree);
        c.run(publisher);
        const QByteArray bytes = TempTree::ReadAll(f.ScreenFilePath(*screen));
        EXPECT_EQ(bytes.startsWith("\xEF\xBB\xBFkvx.updatePage({\n"), c.mark) << c.name;
        EXPECT_TRUE(bytes.endsWith("\n});\n")) << c.name;
        EXPECT_FALSE(f.prompt.Texts().join(u'\n').contains(QStringLiteral("BuildContents"))) << c.name;
    }
}

// Guards a screen file that cannot be written: the other screens are still written, and the step fails
// with its name rather than reporting a course with a missing screen as published.
TEST_F(ScreenScriptWriterTest, FileThatCannotBeWritten)
{
    const CCorvPage *first = Screen("1");
    const CCorvPage *blocked = Screen("2");
    const CCorvPage *last = Screen("3");
    f.Outline();
    ASSERT_TRUE(QDir().mkpath(f.ScreenFilePath(*blocked)));
    ContentsOnlyPublisher publisher(*f.doc, f.output, QStringLiteral("demo"), &f.tree);
    publisher.PublishStandalone();
    EXPECT_TRUE(QFile::exists(f.ScreenFilePath(*first)));
    EXPECT_TRUE(QFile::exists(f.ScreenFilePath(*last)));
    EXPECT_TRUE(f.prompt.Texts().contains(QStringLiteral("Fail while publishing.\nError occurs at BuildContents.")))
        << f.prompt.Texts().join(u'|').toStdString();
}

// Guards clips whose markup cannot be built (a kind without a template): the screen file is still written
// without them, the publish succeeds, and the author hears of every such clip in one message.
TEST_F(ScreenScriptWriterTest, ClipsWithoutMarkupAreReportedTogether)
{
    CCorvPage *screen = Screen("1");
    for (const char *clip : {"/v/first.mkv", "/v/second.ogv"})
        Put<CComponentVideo>(f, *screen)->SetFilePath(QString::fromLatin1(clip));
    f.Outline();
    ContentsOnlyPublisher publisher(*f.doc, f.output, QStringLiteral("demo"), &f.tree);
    EXPECT_TRUE(publisher.PublishStandalone());
    EXPECT_TRUE(QFile::exists(f.ScreenFilePath(*screen)));
    const QString unknown = QStringLiteral("FATAL Error:\nCComponentMedia don't know how to generate file type\n");
    const QString both = unknown + QStringLiteral("/v/first.mkv\n") + unknown + QStringLiteral("/v/second.ogv");
    EXPECT_EQ(f.prompt.Texts().count(both), 1) << f.prompt.Texts().join(u'|').toStdString();
    EXPECT_FALSE(f.prompt.Texts().join(u'\n').contains(QStringLiteral("BuildContents")));
}
