#include "ScreenTestSupport.h"

#include "model/ComponentButton.h"
#include "model/ComponentEllipse.h"
#include "model/ComponentTextbox.h"
#include "publish/LinkScripts.h"
#include "publish/ScreenScriptWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUrl>

#include <gtest/gtest.h>

#include <map>

using namespace ScreenTest;

namespace {

const QString kGoldenFolder = QStringLiteral(CORV_SOURCE_DIR "/tests/publish/golden/screens");

// Writes the sample course's screen files; their names.
QStringList PublishSample(Fixture &f, const SampleTexts &texts)
{
    BuildSampleCourse(f, texts);
    const auto publisher = f.Publisher();
    CScreenScriptWriter writer(publisher->Context());
    writer.WriteScreenFiles();
    CLinkScripts(publisher->Context()).Write();
    return QDir(f.output + QStringLiteral("/content")).entryList(QDir::Files, QDir::Name);
}

QString ContentFile(const Fixture &f, const char *label)
{
    const CCorvPage *screen = f.doc->FindScreenByLabel(QLatin1String(label));
    return screen ? f.ScreenFilePath(*screen) : QString();
}

QJsonObject ByFile(const QJsonArray &results, const QString &file)
{
    for (const QJsonValue &r : results)
        if (r.toObject().value(QStringLiteral("file")).toString() == file)
            return r.toObject();
    return QJsonObject();
}

QStringList Strings(const QJsonValue &array)
{
    QStringList list;
    for (const QJsonValue &v : array.toArray())
        list << v.toString();
    return list;
}

} // namespace

// Guards every byte of the screen files of a course that holds each component kind, on screens of every
// page type. The golden files change only on purpose: CORV_UPDATE_GOLDEN=1 writes them anew.
TEST(ScreenFiles, MatchGoldenFiles)
{
    Fixture f;
    QStringList files = PublishSample(f, SampleTexts::Ordinary());
    ASSERT_FALSE(files.isEmpty());
    for (QString &name : files)
        name = f.output + QStringLiteral("/content/") + name;
    ExpectGoldenFiles(kGoldenFolder, files);
}

// Guards that every screen file is a script the course can run, whatever the author typed: each passes
// node --check, hands the run-time one object, every start-up entry compiles, and titles and labels read
// back exactly as written.
TEST(ScreenFiles, RunInNode)
{
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty())
        GTEST_SKIP() << "node is not installed (scripts/deps.sh installs it)";
    for (const SampleTexts &texts : {SampleTexts::Ordinary(), SampleTexts::Hostile()}) {
        Fixture f;
        QStringList files = PublishSample(f, texts);
        ASSERT_EQ(files.size(), 9);
        for (QString &name : files) {
            name = f.output + QStringLiteral("/content/") + name;
            int status = -1;
            RunProgram(node, {QStringLiteral("--check"), name}, status);
            EXPECT_EQ(status, 0) << "node --check " << name.toStdString();
        }
        const QJsonArray results = RunScreenChecks(node, files);
        ASSERT_EQ(results.size(), files.size());
        for (const QJsonValue &r : results) {
            const QJsonObject result = r.toObject();
            EXPECT_TRUE(result.value(QStringLiteral("ok")).toBool())
                << QJsonDocument(result).toJson(QJsonDocument::Compact).left(2000).toStdString();
        }

        QString title = texts.title;
        title.remove(u'\r').remove(u'\n');
        const QJsonObject content = ByFile(results, ContentFile(f, "1_1_1")).value(QStringLiteral("page")).toObject();
        EXPECT_EQ(content.value(QStringLiteral("pagename")).toString(), title);
        const QJsonObject quiz = ByFile(results, ContentFile(f, "1_1_2")).value(QStringLiteral("page")).toObject();
        EXPECT_EQ(Strings(quiz.value(QStringLiteral("argues")).toObject().value(QStringLiteral("labels"))),
                  QStringList({texts.label, QStringLiteral("Daily")}));
    }
}

// Guards what a learner sees: the content screen's text box rendered by Chromium shows its text, its bold,
// italic, struck, coloured and raised runs, its bulleted and numbered lists, and links that lead where the
// author set them, for ordinary and for hostile texts alike.
TEST(ScreenFiles, RenderInChromium)
{
    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        GTEST_SKIP() << "chromium is not installed (scripts/deps.sh installs it)";
    Fixture ordinary;
    Fixture hostile;
    PublishSample(ordinary, SampleTexts::Ordinary());
    PublishSample(hostile, SampleTexts::Hostile());
    QString scripts;
    QStringList files = {ContentFile(ordinary, "1_1_1"), ContentFile(hostile, "1_1_1")};
    for (const Fixture *f : {&ordinary, &hostile})
        for (const QString &link : QDir(f->output + QStringLiteral("/content/scripts")).entryList({QStringLiteral("link_*.js")}))
            files.append(f->output + QStringLiteral("/content/scripts/") + link);
    for (const QString &file : files)
        scripts += QStringLiteral("<script src=\"%1\"></script>\n").arg(QUrl::fromLocalFile(file).toString());
    QString page = QString::fromUtf8(TempTree::ReadAll(QStringLiteral(CORV_SOURCE_DIR "/tests/publish/screen_page.html")));
    page.replace(QStringLiteral("<!--SCREENS-->"), scripts);
    const QString pagePath = ordinary.tmp.Write(QStringLiteral("page.html"), page.toUtf8());

    const QJsonArray pages =
        ChromiumResult(chromium, pagePath, ordinary.tmp.MakeFolder(QStringLiteral("profile"))).array();
    ASSERT_EQ(pages.size(), 2);

    struct Expect {
        const SampleTexts texts;
        const Fixture &f;
    };
    const Expect expects[] = {{SampleTexts::Ordinary(), ordinary}, {SampleTexts::Hostile(), hostile}};
    for (int p = 0; p < 2; ++p) {
        const SampleTexts &t = expects[p].texts;
        const Fixture &f = expects[p].f;
        const QJsonObject shown = pages[p].toObject();
        SCOPED_TRACE(p == 0 ? "ordinary texts" : "hostile texts");

        // Text: the author's characters as they were typed, no markup of theirs taking effect.
        const QString text = shown.value(QStringLiteral("text")).toString();
        QString body = t.body;
        body = body.left(body.indexOf(u'\r'));
        EXPECT_TRUE(text.startsWith(QStringLiteral("Gulls and terns") + body)) << text.toStdString();
        EXPECT_EQ(shown.value(QStringLiteral("elements")).toInt(), 0);

        // Runs and their look.
        QJsonObject runs;
        for (const QJsonValue &run : shown.value(QStringLiteral("runs")).toArray())
            runs.insert(run.toObject().value(QStringLiteral("text")).toString(), run);
        const auto run = [&](const char *t) { return runs.value(QLatin1String(t)).toObject(); };
        EXPECT_TRUE(run("Gulls and terns").value(QStringLiteral("bold")).toBool());
        EXPECT_TRUE(run("bold").value(QStringLiteral("bold")).toBool());
        EXPECT_FALSE(run(" and ").value(QStringLiteral("bold")).toBool());
        EXPECT_TRUE(run("italic").value(QStringLiteral("italic")).toBool());
        EXPECT_EQ(run("struck").value(QStringLiteral("decoration")).toString(), QStringLiteral("underline line-through"));
        EXPECT_EQ(run(" in red").value(QStringLiteral("colour")).toString(), QStringLiteral("rgb(255, 0, 0)"));
        EXPECT_EQ(run("2").value(QStringLiteral("align")).toString(), QStringLiteral("super"));
        EXPECT_TRUE(run("web").value(QStringLiteral("italic")).toBool());

        // Lists.
        const QJsonArray lists = shown.value(QStringLiteral("lists")).toArray();
        ASSERT_EQ(lists.size(), 2);
        EXPECT_EQ(lists[0].toObject().value(QStringLiteral("tag")).toString(), QStringLiteral("UL"));
        EXPECT_EQ(Strings(lists[0].toObject().value(QStringLiteral("items"))), QStringList({"Nests", "Eggs"}));
        EXPECT_EQ(lists[1].toObject().value(QStringLiteral("tag")).toString(), QStringLiteral("OL"));
        EXPECT_EQ(Strings(lists[1].toObject().value(QStringLiteral("items"))), QStringList({"Hatch", "Fledge"}));

        // Links: where each leads when a learner clicks it.
        const QJsonArray links = shown.value(QStringLiteral("links")).toArray();
        ASSERT_EQ(links.size(), 5);
        const auto calls = [&](int i) { return QJsonDocument(links[i].toObject().value(QStringLiteral("calls")).toArray()); };
        // The list of one call. Not QJsonArray{QJsonArray(values)}: with one element of its own type GCC
        // makes that a list holding the array and clang a copy of the array.
        const auto call = [](std::initializer_list<QJsonValue> values) {
            QJsonArray one;
            one.append(QJsonArray(values));
            return QJsonDocument(one);
        };
        const QString next = f.doc->FindScreenByLabel(QStringLiteral("2"))->GetPublishId();
        const QString popup = f.doc->FindScreenByLabel(QStringLiteral("P5_1"))->GetPublishId();
        EXPECT_EQ(links[0].toObject().value(QStringLiteral("text")).toString(), QStringLiteral("the next screen"));
        EXPECT_EQ(calls(0), call({"page", next}));
        EXPECT_EQ(calls(1), call({"popup", popup, 400, 300}));
        EXPECT_EQ(links[2].toObject().value(QStringLiteral("href")).toString(), t.address);
        EXPECT_EQ(links[2].toObject().value(QStringLiteral("target")).toString(), QStringLiteral("_blank;"));
        // The glossary list names a term without its line ends, and so does the link to it.
        EXPECT_EQ(calls(3), call({"glossary", QString(t.term).remove(u'\r').remove(u'\n')}));
        const QString hint = p == 0 ? QStringLiteral("gulls") : QStringLiteral("it's \"here\" \\ </script>");
        EXPECT_EQ(calls(4), call({"hint", hint}));
    }
}

namespace {

// The sample course and, after it, enough plain screens (text, a table, shapes) for their files to be
// shared out among threads.
void BuildLargeCourse(Fixture &f)
{
    BuildSampleCourse(f, SampleTexts::Ordinary());
    for (int i = 0; i < 90; ++i) {
        CCorvPage *screen = f.Add(f.doc->MainScreens(), QStringLiteral("%1").arg(5 + i), pt_document,
                                  QStringLiteral("Plain screen %1").arg(i));
        for (int n = 0; n < 3; ++n)
            Rich(Place<CComponentTextbox>(*screen, f.prompt, CRect(20, 20 + n * 60, 400, 70 + n * 60))->GetContent())
                .Add(QStringLiteral("Screen %1, box %2: ").arg(i).arg(n))
                .Add(QStringLiteral("bold words"), With(CFE_BOLD));
        Place<CComponentEllipse>(*screen, f.prompt, CRect(420, 20, 520, 120));
        Place<CComponentButton>(*screen, f.prompt, CRect(420, 140, 520, 170));
    }
    f.Outline();
}

std::map<QString, QByteArray> ContentFiles(const Fixture &f)
{
    std::map<QString, QByteArray> files;
    const QDir content(f.output + QStringLiteral("/content"));
    for (const QString &name : content.entryList(QDir::Files, QDir::Name))
        files[name] = TempTree::ReadAll(content.filePath(name));
    return files;
}

void EmptyContent(const Fixture &f)
{
    QDir(f.output + QStringLiteral("/content")).removeRecursively();
    QDir().mkpath(f.output + QStringLiteral("/content"));
}

} // namespace

// Guards the publish step that writes the screen files of a large course on several threads: every file
// is byte for byte what one writer walking the outline writes, and no screen is left out.
TEST(ScreenFiles, SharedWritingGivesTheSameFiles)
{
    Fixture f;
    BuildLargeCourse(f);
    const auto publisher = f.Publisher();
    ASSERT_TRUE(publisher->BuildContents()) << publisher->GetLastErrorText().toStdString();
    const std::map<QString, QByteArray> shared = ContentFiles(f);

    EmptyContent(f);
    CScreenScriptWriter writer(publisher->Context());
    ASSERT_TRUE(writer.WriteScreenFiles());
    const std::map<QString, QByteArray> alone = ContentFiles(f);

    EXPECT_GT(alone.size(), 90u);
    ASSERT_EQ(shared.size(), alone.size());
    for (const auto &[name, bytes] : alone) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(shared.count(name));
        EXPECT_EQ(FirstDifference(shared.at(name), bytes), QString());
    }
}

// Guards failures while the files are shared out: the step fails, the other screens are still written,
// and the error named is the one a single writer names (the failure last in the outline's order).
TEST(ScreenFiles, SharedWritingNamesTheLastFailure)
{
    Fixture f;
    BuildLargeCourse(f);
    // Folders in the way of two plain screens' files and of the quiz's, which its own thread writes.
    const QStringList blocked = {QStringLiteral("10"), QStringLiteral("60"), QStringLiteral("1_1_2")};
    for (const QString &label : blocked) {
        const CCorvPage *screen = f.doc->FindScreenByLabel(label);
        ASSERT_NE(screen, nullptr);
        ASSERT_TRUE(QDir().mkpath(f.ScreenFilePath(*screen)));
    }
    const auto first = f.Publisher();
    CScreenScriptWriter alone(first->Context());
    EXPECT_FALSE(alone.WriteScreenFiles());
    ASSERT_FALSE(alone.GetFileErrorText().isEmpty());
    EmptyContent(f);
    for (const QString &label : blocked)
        ASSERT_TRUE(QDir().mkpath(f.ScreenFilePath(*f.doc->FindScreenByLabel(label))));

    const auto publisher = f.Publisher();
    EXPECT_FALSE(publisher->BuildContents());
    EXPECT_EQ(publisher->GetLastErrorText(), alone.GetFileErrorText());
    // Every other screen has its file.
    const CCorvPage *after = f.doc->FindScreenByLabel(QStringLiteral("94"));
    ASSERT_NE(after, nullptr);
    EXPECT_FALSE(f.ScreenFile(*after).isEmpty());
    EXPECT_FALSE(f.ScreenFile(*f.doc->FindScreenByLabel(QStringLiteral("11"))).isEmpty());
}
