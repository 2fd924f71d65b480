#include "ScreenTestSupport.h"

#include "model/ComponentAudio.h"
#include "model/ComponentImage.h"
#include "model/ComponentMatchPairs.h"
#include "model/ComponentPartIdentification.h"
#include "model/ComponentSmallTopic.h"
#include "model/ComponentVideo.h"
#include "publish/ScreenPreview.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>

#include <functional>

namespace {

using ScreenTest::Place;

// A project "Demo.kvx" with its media folder, a per-user folder, and a preview that records what it opens.
struct PreviewFixture {
    ScreenTest::Fixture f;
    QString project;
    QString media;
    QStringList opened;

    PreviewFixture()
    {
        project = f.tmp / QStringLiteral("Demo.kvx");
        media = f.tmp.MakeFolder(QStringLiteral("Demo"));
        f.doc->SetPathName(project);
        f.doc->CourseName = QStringLiteral("Fire <Safety> & Work");
        f.doc->Theme = QStringLiteral("Classical");
        f.context.appDataFolder = f.tmp.MakeFolder(QStringLiteral("appdata/Zerandt/Corvessa4"));
    }

    QString Media(const QString &relative, const QByteArray &bytes = "clip")
    {
        return f.tmp.Write(QStringLiteral("Demo/") + relative, bytes);
    }
    QString Picture(const QString &relative, int width = 60, int height = 40)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        const QString path = f.tmp / (QStringLiteral("Demo/") + relative);
        QDir().mkpath(CorvPath::FolderOf(path));
        EXPECT_TRUE(image.save(path, "PNG")) << path.toStdString();
        return path;
    }

    QString Folder() const { return CScreenPreview::PreviewFolderOf(f.context); }
    QString Content(const QString &relative) const { return Folder() + QStringLiteral("/content/") + relative; }

    bool Preview(CCorvPage &screen)
    {
        f.Outline();
        CCoursePublisher publisher(*f.doc, Folder(), QStringLiteral("demo"), &f.tree);
        CScreenPreview preview(publisher, f.context.appDataFolder + QStringLiteral("/temp42"),
                               [this](const QString &page) { opened.append(page); });
        return preview.PreviewScreen(screen);
    }

    // The files of a folder of the preview, by name.
    QStringList Files(const QString &relative) const
    {
        return QDir(Content(relative)).entryList(QDir::Files, QDir::Name);
    }
    // The media files the screen brought, beside those of the run-time itself.
    QStringList ScreenMedia() const
    {
        QStringList files = Files(QStringLiteral("media"));
        const QDir runTime(f.context.programFolder + QStringLiteral("/source/publish/content/media"));
        for (const QString &own : runTime.entryList(QDir::Files))
            files.removeAll(own.toLower());
        return files;
    }
};

// Guards the preview's promise: only the screen's own script and media go into the per-user folder, the
// page opens on that screen with every placeholder filled, and the project's components keep their paths.
TEST(ScreenPreview, PublishesOneScreenWithItsOwnMediaAndOpensItsPage)
{
    PreviewFixture p;
    CCorvPage *shown = p.f.Add(p.f.doc->MainScreenList, QStringLiteral("1_1"), pt_document, QStringLiteral("Shown"));
    CCorvPage *other = p.f.Add(p.f.doc->MainScreenList, QStringLiteral("1_2"), pt_document, QStringLiteral("Other"));
    auto *song = Place<CComponentAudio>(*shown, p.f.prompt, CRect(10, 10, 60, 40));
    song->SetFilePath(p.Media(QStringLiteral("Sounds/my song.mp3")));
    auto *image = Place(*shown, p.f.prompt, std::make_unique<CComponentImage>(), CRect(100, 100, 160, 140));
    const QString picture = p.Picture(QStringLiteral("Images/Resized/Photo.PNG"));
    image->SetImageFile(picture, p.f.context);
    Place<CComponentAudio>(*other, p.f.prompt, CRect(10, 10, 60, 40))->SetFilePath(p.Media(QStringLiteral("Sounds/other.mp3")));
    p.Media(QStringLiteral("Sounds/unused.mp3"));
    p.Picture(QStringLiteral("Images/Resized/unused.png"));
    p.f.tmp.Write(QStringLiteral("appdata/Zerandt/Corvessa4/preview/content/stale.js"), "old preview");

    ASSERT_TRUE(p.Preview(*shown)) << p.f.prompt.Texts().join(" | ").toStdString();

    EXPECT_EQ(p.f.prompt.Texts(), QStringList());
    const QString id = shown->GetPublishId();
    EXPECT_TRUE(QFileInfo::exists(p.Content(QStringLiteral("demo_%1.js").arg(id))));
    EXPECT_FALSE(QFileInfo::exists(p.Content(QStringLiteral("demo_%1.js").arg(other->GetPublishId()))));
    EXPECT_FALSE(QFileInfo::exists(p.Content(QStringLiteral("stale.js"))));
    EXPECT_FALSE(QFileInfo::exists(p.Content(QStringLiteral("outline.htm"))));
    EXPECT_FALSE(QFileInfo::exists(p.Content(QStringLiteral("scripts/glossary_items.js"))));
    EXPECT_TRUE(QFileInfo::exists(p.Content(QStringLiteral("scripts/demo_pages.js"))));
    EXPECT_EQ(p.ScreenMedia(), QStringList{"my song.mp3"});
    EXPECT_EQ(p.Files(QStringLiteral("images")), QStringList{"photo.png"});

    ASSERT_EQ(p.opened, QStringList{p.Content(QStringLiteral("preview.htm"))});
    const QString page = QString::fromUtf8(TempTree::ReadAll(p.opened[0]));
    EXPECT_FALSE(page.contains(QStringLiteral("<~"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("src=\"demo_%1.js\"").arg(id)));
    EXPECT_TRUE(page.contains(QStringLiteral("scripts/demo_prefs.js")));
    EXPECT_TRUE(page.contains(QStringLiteral("Fire &lt;Safety&gt; &amp; Work")));
    EXPECT_TRUE(page.contains(p.Folder() + QStringLiteral("/content/")));
    EXPECT_FALSE(page.contains(QStringLiteral("logoImg")));

    // The project is as it was: its picture keeps the letters the author's file has.
    EXPECT_EQ(image->GetImageFile(), picture);
    EXPECT_EQ(song->GetFilePath(), p.media + QStringLiteral("/Sounds/my song.mp3"));
    EXPECT_FALSE(p.f.doc->IsModified());
}

// Guards the Windows Media companions: a playlist brings its clip, a clip gets its playlist, and video
// names lose their blanks as the screen file names them.
TEST(ScreenPreview, MediaCopiesAndPlaylists)
{
    struct Case {
        const char *name;
        const char *file;
        bool video;
        QStringList expected;
        const char *playlist;  // the playlist written, "" for none
        const char *reference; // the line it refers with
    };
    const Case cases[] = {
        {"a playlist brings its clip", "intro.wax", false, {"intro.wax", "intro.wma"}, "", ""},
        {"a clip gets its playlist", "intro.WMA", false, {"intro.WMA", "intro.wax"}, "intro.wax", "intro.WMA"},
        {"a video loses its blank", "my clip.wmv", true, {"myclip.wmv", "myclip.wvx"}, "myclip.wvx", "myclip.wmv"},
        {"an audio clip keeps its blank", "my song.mp3", false, {"my song.mp3"}, "", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PreviewFixture p;
        CCorvPage *screen = p.f.Add(p.f.doc->MainScreenList, QStringLiteral("1_1"), pt_document);
        const QString folder = c.video ? QStringLiteral("Movies/") : QStringLiteral("Sounds/");
        const QString path = p.Media(folder + QString::fromLatin1(c.file));
        if (QString::fromLatin1(c.file).endsWith(QStringLiteral(".wax")))
            p.Media(folder + QStringLiteral("intro.wma"));
        if (c.video)
            Place<CComponentVideo>(*screen, p.f.prompt, CRect(10, 10, 330, 250))->SetFilePath(path);
        else
            Place<CComponentAudio>(*screen, p.f.prompt, CRect(10, 10, 60, 40))->SetFilePath(path);

        ASSERT_TRUE(p.Preview(*screen));
        QStringList expected = c.expected;
        expected.sort();
        EXPECT_EQ(p.ScreenMedia(), expected);
        if (*c.playlist) {
            const QByteArray text = TempTree::ReadAll(p.Content(QStringLiteral("media/") + QLatin1String(c.playlist)));
            EXPECT_EQ(text, QByteArray("\xEF\xBB\xBF<ASX version = \"3.0\">\n    <Entry>\n   <Ref href = \"") + c.reference +
                                "\" />\n    </Entry>\n</ASX>\n");
        }
    }
}

// Guards the pictures that the screen file names by position or by label: topic buttons become m0.png,
// m1.png whatever their own pictures are called, and pair pictures take the screen's label in lower case.
TEST(ScreenPreview, TopicAndPairPicturesAreNamedAsTheScreenFileNamesThem)
{
    PreviewFixture p;
    CCorvPage *screen = p.f.Add(p.f.doc->MainScreenList, QStringLiteral("1_2"), pt_question);
    for (const char *name : {"Fire.png", "water.png"}) {
        auto *topic = Place<CComponentSmallTopic>(*screen, p.f.prompt, CRect(10, 10, 200, 50));
        topic->SetPicture(p.Picture(QStringLiteral("Pictures/") + QLatin1String(name)), p.f.context);
    }
    auto *pairs = Place<CComponentMatchPairs>(*screen, p.f.prompt, CRect(10, 60, 600, 400));
    CComponentMatchPairs::Slots left;
    left[0] = p.Picture(QStringLiteral("Pictures/a.png"));
    left[3] = p.Picture(QStringLiteral("Pictures/b.png"));
    pairs->SetLeftImages(left);
    const CComponentMatchPairs::Slots before = pairs->GetLeftImages();

    ASSERT_TRUE(p.Preview(*screen)) << p.f.prompt.Texts().join(" | ").toStdString();

    EXPECT_EQ(p.Files(QStringLiteral("images")), (QStringList{"m0.png", "m1.png"}));
    EXPECT_EQ(p.Files(QStringLiteral("images/questions")),
              (QStringList{"1_2l0.png", "1_2l0large.png", "1_2l3.png", "1_2l3large.png"}));
    EXPECT_EQ(pairs->GetLeftImages(), before);
    EXPECT_FALSE(QImage(p.Content(QStringLiteral("images/m1.png"))).isNull());
}

// Guards the question picture of a part identification: copied under its lower-cased name into the
// lower-case folder the tree step made, while the component keeps its own spelling.
TEST(ScreenPreview, PartIdentificationPictureKeepsTheComponentsPath)
{
    PreviewFixture p;
    CCorvPage *screen = p.f.Add(p.f.doc->MainScreenList, QStringLiteral("2_1"), pt_question);
    auto *question = Place<CComponentPartIdentification>(*screen, p.f.prompt, CRect(10, 10, 600, 400));
    const QString picture = p.Picture(QStringLiteral("Images/Questions/Engine Parts.PNG"));
    question->SetImageFile(picture);

    ASSERT_TRUE(p.Preview(*screen));
    EXPECT_TRUE(QFileInfo::exists(p.Content(QStringLiteral("images/questions/engine parts.png"))));
    EXPECT_EQ(question->GetImageFile(), picture);
}

// Guards the logo: shrunk into the preview's pictures under the lower-cased name the page gives it.
TEST(ScreenPreview, LogoIsCopiedUnderTheNameThePageGivesIt)
{
    PreviewFixture p;
    p.f.doc->LogoImage = p.Picture(QStringLiteral("Art/My Logo.PNG"), 800, 100);
    CCorvPage *screen = p.f.Add(p.f.doc->MainScreenList, QStringLiteral("1_1"), pt_document);

    ASSERT_TRUE(p.Preview(*screen));
    const QImage logo(p.Content(QStringLiteral("images/mylogo.png")));
    EXPECT_EQ(logo.height(), 50);
    const QString page = QString::fromUtf8(TempTree::ReadAll(p.opened.value(0)));
    EXPECT_TRUE(page.contains(QStringLiteral("src=\"images/mylogo.png\"")));
}

// Guards the failures the author must hear of: a run-time step that fails is named and the page still
// opens over what was written; a missing page template is named and nothing opens; a preview folder that
// cannot be made stops everything.
TEST(ScreenPreview, FailuresAreToldAndOpenOnlyAWholePage)
{
    struct Case {
        const char *name;
        std::function<void(PreviewFixture &, const QString &program)> spoil;
        QString message;
        bool opens;
    };
    const Case cases[] = {
        {"the theme's style sheet is missing",
         [](PreviewFixture &, const QString &program) {
             QFile::remove(program + QStringLiteral("/Themes/Classical/Classical.css"));
         },
         QStringLiteral("Fail while publishing.\nError occurs at CreateKvxCss."), true},
        {"the page template is missing",
         [](PreviewFixture &, const QString &program) {
             QFile::remove(program + QStringLiteral("/source/PlaceHolderText/preview.txt"));
         },
         QStringLiteral("Preview Error:\nCould not open file\n%1/source/PlaceHolderText/preview.txt"), false},
        {"the preview folder cannot be made",
         [](PreviewFixture &p, const QString &) {
             // A file stands where the preview folder belongs.
             p.f.tmp.Write(QStringLiteral("appdata/Zerandt/Corvessa4/preview"), "in the way");
         },
         QStringLiteral("Error:\nFail to to build preview folder path\nwhile trying to preview "), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        PreviewFixture p;
        const QString program = p.f.tmp / QStringLiteral("program");
        ASSERT_EQ(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-R"), QStringLiteral(CORV_SOURCE_DIR "/data"),
                                                            program}),
                  0);
        p.f.context.programFolder = program;
        c.spoil(p, program);
        CCorvPage *screen = p.f.Add(p.f.doc->MainScreenList, QStringLiteral("1_1"), pt_document);

        EXPECT_EQ(p.Preview(*screen), c.opens);
        EXPECT_TRUE(p.f.prompt.Texts().contains(c.message.contains(u'%') ? c.message.arg(program) : c.message))
            << p.f.prompt.Texts().join(" | ").toStdString();
        EXPECT_EQ(p.opened.size(), c.opens ? 1 : 0);
    }
}

} // namespace
