#include "PanelsCourse.h"

#include "publish/ScreenScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ScreenTest;

namespace {

const QString kGoldenFolder = QStringLiteral(CORV_SOURCE_DIR "/tests/publish/golden/panels");

// Publishes what the course's scripts and pages need of it: the international texts, the glossary, the
// screen files and the outline page. The files written, with their full paths.
QStringList PublishPanels(Fixture &f, const SampleTexts &texts)
{
    BuildPanelsCourse(f, texts);
    for (const char *folder : {"content/scripts/pics/tree", "content/glossary", "content/media"})
        QDir().mkpath(f.output + u'/' + QLatin1String(folder));
    const auto publisher = f.Publisher();
    publisher->SetTarget(PublishTargetStandalone);
    EXPECT_TRUE(publisher->WriteInternationalisationVariables());
    EXPECT_TRUE(publisher->WriteGlossaryItems());
    CScreenScriptWriter writer(publisher->Context());
    EXPECT_TRUE(writer.WriteScreenFiles());
    publisher->BuildOutline();
    QStringList files;
    for (const QString &name : QDir(f.output + "/content").entryList({"*.js", "*.htm"}, QDir::Files, QDir::Name))
        files.append(f.output + "/content/" + name);
    files << f.output + "/content/scripts/internationalisation.js" << f.output + "/content/glossary/glossary_items.js";
    return files;
}

QStringList ScreenFiles(const QStringList &files) { return files.filter("/content/demo_"); }

QString OneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

// The outline the course shows, as (name, children) in order: its menu with the topics, the last topic as
// the assessment link, and the remediation folder; no final performance screens, popups or glossary.
QString ExpectedOutline(const SampleTexts &t)
{
    const auto node = [](const QString &name, QJsonArray children = {}) {
        return QJsonObject{{"name", name}, {"children", children}};
    };
    QString assessment = "Take the " + t.caption;
    assessment.replace("\r\n", "\n");
    const QJsonArray outline{
        node("Sea birds",
             {node("Questions", {node(OneLine(t.title)), node("Blanks"), node("Choices"), node("True or false"), node("Pairs"),
                                 node("Parts"), node("Slider")}),
              node("Pictures", {node("Effects"), node("Linked pictures")}), node("Media", {node("Sounds"), node("Movies")}),
              node("Final test", {node(assessment)})}),
        node("Remediation", {node("Revise the birds")}),
    };
    return QString::fromUtf8(QJsonDocument(outline).toJson(QJsonDocument::Compact));
}

// Where each entry of the outline leads: the publish id of its screen, "" for folders, "menu" for the
// assessment link.
QString ExpectedLinks(const Fixture &f, const SampleTexts &t)
{
    QJsonArray links;
    for (const auto &screen : f.doc->MainScreens()) {
        const QString label = screen->GetLabel();
        if (label.startsWith("2") || label == "1_4_1")
            continue;
        const int type = screen->GetPageType();
        const bool linked = type == pt_folder || type == pt_document || type == pt_question;
        links.append(QJsonArray{OneLine(screen->GetTitle()), linked ? screen->GetPublishId() : QString()});
        if (label == "1_4") {
            QString assessment = "Take the " + t.caption;
            links.append(QJsonArray{assessment.replace("\r\n", "\n"), "menu"});
        }
    }
    return QString::fromUtf8(QJsonDocument(links).toJson(QJsonDocument::Compact));
}

QString Links(const QJsonArray &nodes, const char *screenKey)
{
    QJsonArray links;
    for (const QJsonValue &value : nodes) {
        const QJsonObject n = value.toObject();
        const QString url = n.value("url").toString();
        const QString screen = url == "javascript:fMenu();" ? "menu" : n.value(screenKey).toString();
        links.append(QJsonArray{n.value("name").toString(), screen});
    }
    return QString::fromUtf8(QJsonDocument(links).toJson(QJsonDocument::Compact));
}

QString Node()
{
    return QStandardPaths::findExecutable(QStringLiteral("node"));
}

} // namespace

// Guards every byte of what the course's question panels, pictures, media players, international texts,
// glossary and outline page publish as, for a course that holds each of them. The golden files change only
// on purpose: CORV_UPDATE_GOLDEN=1 writes them anew.
TEST(PanelsCourse, MatchGoldenFiles)
{
    Fixture f;
    const QStringList files = PublishPanels(f, SampleTexts::Ordinary());
    ASSERT_EQ(files.size(), 20);
    ExpectGoldenFiles(kGoldenFolder, files);
    EXPECT_TRUE(f.prompt.Texts().isEmpty()) << f.prompt.Texts().join('|').toStdString();
    // The Flash video's files beside the screens' media, a missing one passed over.
    EXPECT_EQ(QDir(f.output + "/content/media").entryList(QDir::Files, QDir::Name),
              QStringList({"Harbour Tour.flv", "Harbour.jpg"}));
}

// Guards that everything the course runs is a script whatever the author and the profile hold: every
// screen file, the international texts and the glossary pass node --check and give back their texts
// exactly, and the outline page's script defines its nodes and their screens in order.
TEST(PanelsCourse, ScriptsRunInNode)
{
    const QString node = Node();
    if (node.isEmpty())
        GTEST_SKIP() << "node is not installed (scripts/deps.sh installs it)";
    for (const SampleTexts &t : {SampleTexts::Ordinary(), SampleTexts::Hostile()}) {
        Fixture f;
        const QStringList files = PublishPanels(f, t);
        // The checks below compile every script as well; node --check itself runs on the hostile texts.
        for (const QString &file : files) {
            if (!file.endsWith(".js") || !t.title.contains('"'))
                continue;
            int status = -1;
            RunProgram(node, {"--check", file}, status);
            EXPECT_EQ(status, 0) << "node --check " << file.toStdString();
        }
        for (const QJsonValue &r : RunScreenChecks(node, ScreenFiles(files)))
            EXPECT_TRUE(r.toObject().value("ok").toBool()) << QJsonDocument(r.toObject()).toJson().left(2000).toStdString();

        int status = -1;
        const QByteArray out = RunProgram(node,
                                          {CORV_SOURCE_DIR "/tests/publish/course_scripts_check.js",
                                           f.output + "/content/scripts/internationalisation.js",
                                           f.output + "/content/glossary/glossary_items.js", f.output + "/content/outline.htm"},
                                          status);
        ASSERT_EQ(status, 0);
        const QJsonObject result = QJsonDocument::fromJson(out).object();
        for (const char *part : {"international", "glossary", "outline"})
            EXPECT_TRUE(result.value(part).toObject().value("ok").toBool()) << out.left(3000).toStdString();

        const QJsonObject objects = result.value("international").toObject().value("objects").toObject();
        EXPECT_EQ(objects.value("kvxPrefs.str").toObject().value("quit").toString(),
                  "Leave the \"" + QString(t.title).replace("\r\n", "\n") + "\" course?");
        EXPECT_EQ(objects.value("kvxPrefs.str").toObject().value("short").toString(), "ab\"c");
        EXPECT_EQ(objects.value("kvxHelp").toObject().value("wrap").toString(), "Line one\nline two ] ]> done");

        const QJsonObject glossary = result.value("glossary").toObject();
        EXPECT_EQ(glossary.value("fontfamily").toString(), "Verdana, sans-serif");
        EXPECT_EQ(glossary.value("fontsize").toString(), "11pt");
        const QJsonArray entries = glossary.value("entries").toArray();
        ASSERT_EQ(entries.size(), 2);
        QString body = t.body;
        body.remove('\r').remove('\n');
        EXPECT_EQ(entries[0].toObject().value("term").toString(), QString(t.term).remove('\r').remove('\n'));
        EXPECT_EQ(entries[0].toObject().value("text").toString(), "Alpha Beta, see the cliffsand " + body + " ");
        EXPECT_EQ(entries[1].toObject(), QJsonObject({{"term", "Egg"}, {"text", ""}}));

        const QJsonObject outline = result.value("outline").toObject();
        EXPECT_EQ(outline.value("title").toString(), "Outline of " + t.title);
        EXPECT_EQ(outline.value("nodes").toArray().first().toObject().value("pid").toInt(), -1);
        QJsonArray nodes = outline.value("nodes").toArray();
        nodes.removeFirst();
        const QJsonArray pg = outline.value("pg").toArray();
        for (QJsonValueRef n : nodes) {
            QJsonObject o = n.toObject();
            const QString url = o.value("url").toString();
            if (url.startsWith("javascript:fPage(pg["))
                o.insert("screen", pg[url.mid(20, url.indexOf(']') - 20).toInt()]);
            n = o;
        }
        EXPECT_EQ(Links(nodes, "screen"), ExpectedLinks(f, t));
    }
}

// Guards what a learner sees in the browser: the outline page of the course, drawn by the tree script,
// lists every folder and screen in the course's order and nesting (the last topic as the assessment link)
// with each link leading to its screen; and every glossary entry the glossary script defines shows its
// term and text. The course's texts are the hostile ones (quotes, backslashes, "</script>", markup, line
// breaks), which the structure and the texts read back must survive.
TEST(PanelsCourse, OutlineAndGlossaryInChromium)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed (scripts/deps.sh installs it)";
    {
        const SampleTexts t = SampleTexts::Hostile();
        Fixture f;
        PublishPanels(f, t);
        // The run-time's tree script when the program folder holds it, else a small stand-in.
        QString tree = QStringLiteral(CORV_SOURCE_DIR "/data/source/publish/content/scripts/kvx_tree.js");
        if (!QFile::exists(tree))
            tree = QStringLiteral(CORV_SOURCE_DIR "/tests/publish/outline_tree_stub.js");
        ASSERT_TRUE(QFile::copy(tree, f.output + "/content/scripts/kvx_tree.js"));
        QByteArray page = TempTree::ReadAll(f.output + "/content/outline.htm");
        // The page's content policy allows no inline script, so the checks come as files.
        f.tmp.Write("Out/content/glossary_start.js", "var kvxGlossary = [];\n");
        const QByteArray checks = "<script src=\"glossary_start.js\"></script>\n"
                                  "<script src=\"glossary/glossary_items.js\"></script>\n"
                                  "<script src=\"" +
                                  QUrl::fromLocalFile(CORV_SOURCE_DIR "/tests/publish/outline_check.js").toEncoded() +
                                  "\"></script>\n";
        ASSERT_TRUE(page.contains("</body>"));
        page.replace("</body>", checks + "</body>");
        const QString checkPage = f.tmp.Write("Out/content/outline_check.htm", page);
        const QJsonObject shown = ChromiumResult(chromium, checkPage, f.tmp.MakeFolder("profile")).object();
        // A page's title reads back with its white space collapsed.
        EXPECT_EQ(shown.value("title").toString(), ("Outline of " + t.title).simplified());
        EXPECT_EQ(shown.value("lang").toString(), "en");
        EXPECT_EQ(QString::fromUtf8(QJsonDocument(shown.value("tree").toArray()).toJson(QJsonDocument::Compact)),
                  ExpectedOutline(t));
        EXPECT_EQ(Links(shown.value("links").toArray(), "screen"), ExpectedLinks(f, t));
        // With no screen current, every branch's toggle still says plainly whether it is open: a screen
        // reader reads "null" as no state at all.
        const QJsonArray expanded = shown.value("expanded").toArray();
        EXPECT_GT(expanded.size(), 1);
        for (const QJsonValue &state : expanded)
            EXPECT_TRUE(state == "true" || state == "false") << state.toString().toStdString();

        QString body = t.body;
        body.remove('\r').remove('\n');
        EXPECT_EQ(shown.value("glossary").toArray(),
                  QJsonArray({QJsonObject{{"term", QString(t.term).remove('\r').remove('\n')},
                                          {"text", "Alpha Beta, see the cliffsand " + body + " "}},
                              QJsonObject{{"term", "Egg"}, {"text", ""}}}));
        EXPECT_EQ(shown.value("fontfamily").toString(), "Verdana, sans-serif");
    }
}
