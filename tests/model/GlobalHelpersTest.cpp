#include "model/GlobalHelpers.h"

#include "platform/CorvContext.h"
#include "platform/FileSystemUtil.h"
#include "platform/ProcessRunner.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QImage>

#include <gtest/gtest.h>

namespace {

QString FileName(const QString &path, bool keep)
{
    QString name = QStringLiteral("<untouched>");
    GetFileNameFromPath(path, name, keep);
    return name;
}

QString Extension(const QString &path)
{
    QString ext = QStringLiteral("<untouched>");
    GetFileExtension(path, ext);
    return ext;
}

QStringList Split(const QString &text, const QString &separator)
{
    QStringList list;
    SplitString(text, list, separator);
    return list;
}

QStringList FilesUnder(const QString &folder)
{
    QStringList files;
    QDir dir(folder);
    for (const QFileInfo &info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
        if (info.isDir()) {
            files.append(info.fileName() + "/");
            for (const QString &inner : FilesUnder(info.filePath()))
                files.append(info.fileName() + "/" + inner);
        } else {
            files.append(info.fileName());
        }
    }
    return files;
}


} // namespace

// Guards the path pieces that every save and publish builds names from, with stored Windows paths and
// built "/" paths alike. A name without a dot used to come back empty.
TEST(GlobalHelpers, PathPieces)
{
    struct Case {
        QString path;
        QString name, nameWithExtension, extension;
        int imageFormat;
    };
    const QList<Case> cases = {
        {"D:\\a\\b.txt", "b", "b.txt", "txt", 0},
        {"/home/u/b.txt", "b", "b.txt", "txt", 0},
        {"name.txt", "name", "name.txt", "txt", 0},
        {"archive", "archive", "archive", "archive", 0},
        {"a.b.c", "a.b", "a.b.c", "c", 0},
        {"D:\\pics\\photo.JPEG", "photo", "photo.JPEG", "JPEG", 3},
        {"/lib/x.tif", "x", "x.tif", "tif", 0},
        {"C:\\dir.d\\noext", "noext", "noext", "d\\noext", 0},
        {"/a/b/", "", "", "/a/b/", 0},
        {"", "", "", "", 0},
        {"p.bmp", "p", "p.bmp", "bmp", 1},
        {"p.Gif", "p", "p.Gif", "Gif", 2},
        {"p.jpg", "p", "p.jpg", "jpg", 3},
        {"p.png", "p", "p.png", "png", 4},
        {"p.WMF", "p", "p.WMF", "WMF", 10},
        {"png", "png", "png", "png", 4},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FileName(c.path, false), c.name) << qPrintable(c.path);
        EXPECT_EQ(FileName(c.path, true), c.nameWithExtension) << qPrintable(c.path);
        EXPECT_EQ(Extension(c.path), c.extension) << qPrintable(c.path);
        EXPECT_EQ(GetImageFormatFromExt(c.path), c.imageFormat) << qPrintable(c.path);
    }
}

// Guards picture placement: sizes stored in projects come from these fits.
TEST(GlobalHelpers, FitSizeInBox)
{
    struct Case {
        int boxW, boxH, w, h, force;
        int result, outW, outH;
        double scale;
    };
    const QList<Case> cases = {
        {400, 300, 800, 400, 0, 1, 400, 200, 0.5},
        {400, 300, 200, 100, 0, 1, 200, 100, 1.0},
        {400, 300, 200, 100, 1, 1, 400, 200, 2.0},
        {400, 300, 200, 100, 2, 1, 200, 100, 1.0},
        {400, 266, 1000, 1000, 0, 1, 266, 266, double(266.0f / 1000.0f)},
        {400, 266, 401, 10, 0, 1, 400, 9, double(400.0f / 401.0f)},
        // Single-precision ratio, truncated: one pixel short, as stored projects have it.
        {500, 1000, 15, 15, 1, 1, 499, 499, double(500.0f / 15.0f)},
        {0, 300, 200, 100, 1, 0, 0, 0, 1.0},
        {400, -1, 200, 100, 0, 0, 0, 0, 1.0},
        {400, 300, 0, 100, 0, 0, 0, 0, 1.0},
        {400, 300, 200, -5, 0, 0, 0, 0, 1.0},
    };
    for (const Case &c : cases) {
        int w = -7, h = -7;
        double scale = -7;
        EXPECT_EQ(FitSizeInBox(c.boxW, c.boxH, c.w, c.h, w, h, scale, c.force), c.result);
        EXPECT_EQ(w, c.outW) << c.boxW << "x" << c.boxH << " " << c.w << "x" << c.h;
        EXPECT_EQ(h, c.outH) << c.boxW << "x" << c.boxH << " " << c.w << "x" << c.h;
        EXPECT_DOUBLE_EQ(scale, c.scale);
    }
    EXPECT_EQ(GetPictureWidthForSize(0), 300);
    EXPECT_EQ(GetPictureHeightForSize(0), 200);
    EXPECT_EQ(GetPictureWidthForSize(1), 400);
    EXPECT_EQ(GetPictureHeightForSize(1), 266);
    EXPECT_EQ(GetPictureWidthForSize(2), 500);
    EXPECT_EQ(GetPictureHeightForSize(2), 333);
    EXPECT_EQ(GetPictureWidthForSize(-3), 400);
    EXPECT_EQ(GetPictureHeightForSize(7), 266);
}

// Guards the words stored in project files and shown in the outline: exact, case-sensitive, with the
// fallbacks that old files rely on.
TEST(GlobalHelpers, PageTypeWords)
{
    const QStringList words = {"pt_folder",        "pt_container",   "pt_document",    "pt_question",
                               "pt_asmt_folder",   "pt_asmt_container", "pt_asmt_document",
                               "pt_popups_only",   "pt_remediation", "pt_glossary"};
    const QStringList names = {"folder",           "container",      "screen",         "question",
                               "assessment folder", "container",     "assessment screen",
                               "popups folder",    "remediation folder", "glossary folder"};
    const QList<int> images = {0, 1, 2, 3, 4, 5, 6, 7, 8, 10};
    for (int code = 0; code < 10; ++code) {
        EXPECT_EQ(PageTypeToString(code), words[code]);
        EXPECT_EQ(PageTypeFromString(words[code]), code);
        EXPECT_EQ(PageTypeDisplayName(words[code]), names[code]);
        EXPECT_EQ(GetPageTypeImageIndex(code, 0), images[code]);
        EXPECT_EQ(GetPageTypeImageIndex(code, 1), 9);
    }
    EXPECT_EQ(PageTypeFromString("PT_FOLDER"), pt_document);
    EXPECT_EQ(PageTypeFromString(""), pt_document);
    EXPECT_EQ(PageTypeToString(-1), "unknown");
    EXPECT_EQ(PageTypeToString(10), "unknown");
    EXPECT_EQ(PageTypeDisplayName("pt_other"), "unkown");
    EXPECT_EQ(GetPageTypeImageIndex(11, 0), 2);
    EXPECT_EQ(GetPageTypeImageIndex(-1, 2), 2);

    const QStringList aux = {"apt_normal", "apt_multi_topic_menu", "apt_topic"};
    for (int code = 0; code < 3; ++code) {
        EXPECT_EQ(AuxPageTypeToString(code), aux[code]);
        EXPECT_EQ(AuxPageTypeFromString(aux[code]), code);
    }
    EXPECT_EQ(AuxPageTypeToString(3), "unknown");
    EXPECT_EQ(AuxPageTypeToString(-1), "unknown");
    EXPECT_EQ(AuxPageTypeFromString("APT_TOPIC"), apt_normal);
}

// Guards the metadata written into course packages, including the entries SCORM 1.2 does not offer.
TEST(GlobalHelpers, MetadataVocabularies)
{
    struct Case {
        unsigned index;
        bool scorm12;
        QString language, status, purpose, type;
    };
    const QList<Case> cases = {
        {0, false, "de", "Draft", "Accessibility Restrictions", "Exercise"},
        {1, false, "en", "Final", "Competency*", "Simulation"},
        {1, true, "en", "Final", "Accessibility Restrictions", "Simulation"},
        {3, false, "en-CA", "Unavailable", "Educational Level", "Diagram"},
        {4, false, "en-UK", "Draft", "Educational Objective", "Figure"},
        {8, true, "fr-CA", "Draft", "Skill Level", "Table"},
        {9, false, "it", "Draft", "Accessibility Restrictions", "Narrative Text"},
        {10, false, "nl", "Draft", "Accessibility Restrictions", "Exam"},
        {11, false, "en", "Draft", "Accessibility Restrictions", "Experiment"},
        {13, true, "en", "Draft", "Accessibility Restrictions", "Self Assessment"},
        {14, false, "en", "Draft", "Accessibility Restrictions", "Lecture*"},
        {14, true, "en", "Draft", "Accessibility Restrictions", "Exercise"},
        {15, false, "en", "Draft", "Accessibility Restrictions", "Exercise"},
        {99, false, "en", "Draft", "Accessibility Restrictions", "Exercise"},
        {unsigned(-1), false, "en", "Draft", "Accessibility Restrictions", "Exercise"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(GetMetadataLanguageCode(c.index), c.language) << c.index;
        EXPECT_EQ(GetMetadataStatusText(c.index), c.status) << c.index;
        EXPECT_EQ(GetMetadataPurposeText(c.index, c.scorm12), c.purpose) << c.index << c.scorm12;
        EXPECT_EQ(GetMetadataResourceTypeText(c.index, c.scorm12), c.type) << c.index << c.scorm12;
    }
}

// Guards the lexicon pairs, the version text and the answer scrambler, whose output published courses
// compare answers against. An empty key used to divide by zero.
TEST(GlobalHelpers, ApplicationTextsAndAnswerScrambler)
{
    EXPECT_EQ(GetSpellLexiconFiles(kDictionaryEnglishCanadian), QByteArray("ssceca.tlx,ssceca2.clx"));
    EXPECT_EQ(GetSpellLexiconFiles(kDictionaryEnglishUk), QByteArray("sscebr.tlx,sscebr2.clx"));
    EXPECT_EQ(GetSpellLexiconFiles(kDictionaryEnglishAmerican), QByteArray("ssceam.tlx,ssceam2.clx"));
    EXPECT_EQ(GetSpellLexiconFiles(0), QByteArray("ssceam.tlx,ssceam2.clx"));
    EXPECT_EQ(GetExeVersionString(), "4.009");

    EXPECT_EQ(EncodeAnswerText("AB", "k"), "172-173-");
    EXPECT_EQ(EncodeAnswerText("", "k"), "");
    EXPECT_EQ(EncodeAnswerText("AB", "klmnop"), "172-174-");
    EXPECT_EQ(EncodeAnswerText("ABC", "kl"), "172-174-174-");
    EXPECT_EQ(EncodeAnswerText(QStringLiteral("\u03A9"), "a"), "1034-");
#ifdef QT_NO_DEBUG
    EXPECT_EQ(EncodeAnswerText("AB", ""), "65-66-");
#endif
}

// Guards the string helpers the publisher and the media copies use. An empty separator used to loop for
// ever.
TEST(GlobalHelpers, Strings)
{
    EXPECT_EQ(Split("a; ;b;", ";"), QStringList({"a", "", "b"}));
    EXPECT_EQ(Split(" a ;;b ; c ", ";"), QStringList({"a", "", "b", "c"}));
    EXPECT_EQ(Split("a;  ", ";"), QStringList({"a", ""}));
    EXPECT_EQ(Split("a<>b<>", "<>"), QStringList({"a", "b"}));
    EXPECT_EQ(Split("", ";"), QStringList());
    QStringList appended = {"kept"};
    SplitString("x", appended, ";");
    EXPECT_EQ(appended, QStringList({"kept", "x"}));
#ifdef QT_NO_DEBUG
    EXPECT_EQ(Split(" a;b ", ""), QStringList({"a;b"}));
#endif

    struct StripCase {
        QString text, suffix, expected;
    };
    for (const StripCase &c : QList<StripCase>{{"x\n\n\n", "\n", "x"},
                                               {"x<br><br>", "<br>", "x"},
                                               {"x\n", "", "x\n"},
                                               {"", "\n", ""},
                                               {"\n\n", "\n", ""},
                                               {"ab", "b\n", "ab"}}) {
        QString s = c.text;
        StripTrailingSuffix(s, c.suffix);
        EXPECT_EQ(s, c.expected);
    }

    QString unsafe = "Intro & <Theme>.mp3";
    RemoveUnsafeChars(unsafe);
    EXPECT_EQ(unsafe, "IntroTheme.mp3");

    struct ClassCase {
        QString text;
        int hasNoDigits, isAllLetters;
    };
    for (const ClassCase &c : QList<ClassCase>{{"abc1", 0, 0},
                                               {"ab-c", 1, 0},
                                               {"", 1, 1},
                                               {QStringLiteral("caf\u00e9"), 1, 1},
                                               {QStringLiteral("\u03A9\u0416"), 1, 1},
                                               {QStringLiteral("x\u0663"), 0, 0},
                                               {"a b", 1, 0}}) {
        EXPECT_EQ(HasNoDigits(c.text), c.hasNoDigits) << qPrintable(c.text);
        EXPECT_EQ(IsAllLetters(c.text), c.isAllLetters) << qPrintable(c.text);
    }
    EXPECT_EQ(IntToString(-42), "-42");
}

// Guards file existence with wildcards, as the publisher asks before deleting style sheets.
TEST(GlobalHelpers, FileExistsAndCanOpenFile)
{
    TempTree tree;
    tree.Write("pics/Style.CSS", "x");
    tree.MakeFolder("pics/sub");
    EXPECT_TRUE(FileExists(tree / "pics/Style.CSS"));
    EXPECT_TRUE(FileExists(tree / "pics\\Style.CSS"));
    EXPECT_TRUE(FileExists(tree / "pics/sub"));
    EXPECT_FALSE(FileExists(tree / "pics/style.css"));
    EXPECT_TRUE(FileExists(tree / "pics/*.css"));
    EXPECT_TRUE(FileExists(tree / "pics/St?le.*"));
    EXPECT_FALSE(FileExists(tree / "pics/*.js"));
    EXPECT_FALSE(FileExists(tree / "nowhere/*.css"));
    EXPECT_FALSE(FileExists(""));

    // As a directory search: "*.*" finds names without a dot, and a folder's own "." entry, so an empty
    // folder is found by "*.*" (the question callers ask to learn whether a folder is there).
    tree.Write("bare/LICENSE", "l");
    tree.MakeFolder("emptied");
    EXPECT_TRUE(FileExists(tree / "bare/*.*"));
    EXPECT_TRUE(FileExists(tree / "bare/LICENSE.*"));
    EXPECT_TRUE(FileExists(tree / "bare\\*."));
    EXPECT_FALSE(FileExists(tree / "bare/*.txt"));
    EXPECT_TRUE(FileExists(tree / "emptied/*.*"));
    EXPECT_TRUE(FileExists(tree / "emptied/*"));
    EXPECT_FALSE(FileExists(tree / "emptied/*.css"));
    EXPECT_FALSE(FileExists(tree / "nowhere/*.*"));

    EXPECT_EQ(CanOpenFile(tree / "pics/Style.CSS"), 1);
    EXPECT_EQ(CanOpenFile(tree / "pics/none.txt"), 0);

    CCorvContext context;
    context.programFolder = "/opt/corvessa";
    QString folder;
    GetAppFolder(context, folder);
    EXPECT_EQ(folder, "/opt/corvessa/");
    // Not filled yet: still the folder of the running program, never "" (which would read the program's
    // templates from whatever the current folder is).
    context.programFolder.clear();
    GetAppFolder(context, folder);
    EXPECT_EQ(folder, QCoreApplication::applicationDirPath() + "/");
}

// Guards the small text-file helpers. TidyTextFile used to drop a last line without a line end and the
// tails of lines longer than 2047 characters; WriteUtf8TextFile used to report success for a file it
// could not write.
TEST(GlobalHelpers, TextFiles)
{
    TempTree tree;
    const QString longLine(5000, u'w');
    const QString manifest = tree.Write("imsmanifest.xml", "<a>  \r\n\t\n   \n" + longLine.toUtf8() + " \n\xCE\xA9 x\t");
    EXPECT_EQ(CountFileLines(manifest), 4);
    EXPECT_EQ(TidyTextFile(manifest), 1);
    EXPECT_EQ(TempTree::ReadAll(manifest), "<a>\n" + longLine.toUtf8() + "\n\xCE\xA9 x\n");
    EXPECT_EQ(TidyTextFile(tree / "missing.xml"), 0);

    EXPECT_EQ(CountFileLines(tree.Write("crlf.txt", "a\r\nb\rc\n")), 2);
    EXPECT_EQ(CountFileLines(tree / "missing.txt"), 0);

    QString text;
    EXPECT_EQ(ReadAnsiTextFile(tree.Write("t.htm", "caf\xE9\r\nx\r\r\n"), text), 1);
    EXPECT_EQ(text, QStringLiteral("caf\u00e9\nx\r\n"));
    EXPECT_EQ(ReadAnsiTextFile(tree / "missing.htm", text), 0);

    const QString out = tree / "out.js";
    EXPECT_EQ(WriteUtf8TextFile(QStringLiteral("var s = \"\u03A9\";\n"), out), 1);
    EXPECT_EQ(TempTree::ReadAll(out), "var s = \"\xCE\xA9\";\n");
    EXPECT_EQ(WriteUtf8TextFile("again", out), 1);
    EXPECT_EQ(TempTree::ReadAll(out), "again");

    const QString blocker = tree.Write("blocker", "keep");
    EXPECT_EQ(WriteUtf8TextFile("x", blocker + "/inside.js"), 0);
    const QString folder = tree.MakeFolder("a-folder");
    EXPECT_EQ(WriteUtf8TextFile("x", folder), 0);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

// Guards the folder operations on a real tree, including the refusals that keep a deletion inside what
// it was given.
TEST(GlobalHelpers, DeleteAndCountFolderFiles)
{
    TempTree tree;
    auto layOut = [&](const QString &root) {
        tree.Write(root + "/a.txt", "a");
        tree.Write(root + "/.hidden", "h");
        tree.Write(root + "/sub/b.txt", "b");
        tree.Write(root + "/sub/deeper/c.txt", "c");
        tree.MakeFolder(root + "/empty");
        return tree / root;
    };

    const QString one = layOut("one");
    EXPECT_EQ(CountFolderFiles(one, false), 2);
    EXPECT_EQ(CountFolderFiles(one, true), 4);
    EXPECT_EQ(CountFolderFiles("", true), 0);
    EXPECT_EQ(CountFolderFiles(tree / "none", true), 0);

    // Without recursion the files go, the sub-folders stay, and so the folder cannot be removed.
    EXPECT_EQ(DeleteFolderFiles(one, false, true), 0);
    EXPECT_EQ(FilesUnder(one), QStringList({"empty/", "sub/", "sub/b.txt", "sub/deeper/", "sub/deeper/c.txt"}));
    const QString two = layOut("two");
    EXPECT_EQ(DeleteFolderFiles(two, false, false), 1);
    EXPECT_EQ(CountFolderFiles(two, true), 2);

    EXPECT_EQ(DeleteFolderFiles(one, true, true), 1);
    EXPECT_FALSE(QFileInfo::exists(one));
    EXPECT_EQ(DeleteFolderFiles(two, true, false), 1);
    EXPECT_TRUE(QFileInfo(two).isDir());
    EXPECT_EQ(FilesUnder(two), QStringList());

    EXPECT_EQ(DeleteFolderFiles(tree / "none", false, false), 1);
    EXPECT_EQ(DeleteFolderFiles(tree / "none", false, true), 0);

    // A folder copied from read-only media is emptied all the same, as read-only files always were.
    const QString locked = layOut("locked");
    tree.Write("locked/sub/ro.txt", "r");
    for (const QString &folder : {locked, locked + "/sub"})
        ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    QFile::setPermissions(locked + "/a.txt", QFile::ReadOwner);
    EXPECT_EQ(DeleteFolderFiles(locked, true, true), 1);
    EXPECT_FALSE(QFileInfo::exists(locked));

    // A link inside the tree is removed as a link; what it points at is left alone.
    const QString outside = layOut("outside");
    const QString linked = tree.MakeFolder("linked");
    ASSERT_TRUE(QFile::link(outside, linked + "/to-outside"));
    EXPECT_EQ(CountFolderFiles(linked, true), 0);
    EXPECT_EQ(DeleteFolderFiles(linked, true, true), 1);
    EXPECT_EQ(CountFolderFiles(outside, true), 4);
}

// Guards the refusals of destructive folder operations: the home folder and a root are never emptied.
TEST(GlobalHelpers, ProtectedFoldersAreRefused)
{
    TempTree tree;
    const QString home = tree.MakeFolder("home");
    tree.Write("home/precious.txt", "p");
    const QByteArray savedHome = qgetenv("HOME");
    qputenv("HOME", home.toLocal8Bit());
    EXPECT_TRUE(CorvFs::IsProtectedFolder(CorvFs::ToFsPath(home)));
    EXPECT_TRUE(CorvFs::IsProtectedFolder(CorvFs::ToFsPath(home + "/")));
    EXPECT_EQ(DeleteFolderFiles(home, true, true), 0);
    EXPECT_EQ(RemoveFolderViaBatch(home + "/"), 0);
    qputenv("HOME", savedHome);
    EXPECT_TRUE(QFileInfo::exists(home + "/precious.txt"));

    EXPECT_TRUE(CorvFs::IsProtectedFolder("/"));
    EXPECT_TRUE(CorvFs::IsProtectedFolder("/tmp/.."));
    EXPECT_FALSE(CorvFs::IsProtectedFolder(CorvFs::ToFsPath(tree / "home/sub")));
    EXPECT_EQ(DeleteFolderFiles("", false, false), 0);
    EXPECT_EQ(RemoveFolderViaBatch(""), 0);
}

// Guards what stood in for the batch files and xcopy: real results, no shell, wildcards as the publisher
// passes them.
TEST(GlobalHelpers, DeletionsAndTreeCopy)
{
    TempTree tree;
    tree.Write("pics/a.css", "a");
    tree.Write("pics/B.CSS", "b");
    tree.Write("pics/keep.js", "k");
    tree.Write("pics/x.css/inner.txt", "folder named like a style sheet");
    tree.Write("odd/it's & \"quoted\".txt", "q");
    EXPECT_EQ(DeleteFileViaBatch(tree / "pics/*.css"), 1);
    EXPECT_EQ(FilesUnder(tree / "pics"), QStringList({"keep.js", "x.css/", "x.css/inner.txt"}));
    EXPECT_EQ(DeleteFileViaBatch(tree / "pics/*.css"), 1);
    EXPECT_EQ(DeleteFileViaBatch(tree / "odd\\it's & \"quoted\".txt"), 1);
    EXPECT_FALSE(QFileInfo::exists(tree / "odd/it's & \"quoted\".txt"));
    EXPECT_EQ(DeleteFileViaBatch(tree / "odd/never.txt"), 1);
    EXPECT_EQ(DeleteFileViaBatch(tree / "pics/x.css"), 0);
    EXPECT_TRUE(QFileInfo::exists(tree / "pics/x.css/inner.txt"));
    // "*.*" means every file, those without a dot too; folders stay.
    tree.Write("pics/README", "r");
    EXPECT_EQ(DeleteFileViaBatch(tree / "pics\\*.*"), 1);
    EXPECT_EQ(FilesUnder(tree / "pics"), QStringList({"x.css/", "x.css/inner.txt"}));

    tree.Write("src/top.htm", "new top");
    tree.Write("src/content/scripts/s.js", "script");
    tree.MakeFolder("src/content/empty");
    tree.Write("dst/top.htm", "old top");
    tree.Write("dst/mine.txt", "kept");
    EXPECT_EQ(XCopyFolder(tree / "src", tree / "dst"), 1);
    EXPECT_EQ(FilesUnder(tree / "dst"), QStringList({"content/", "content/empty/", "content/scripts/",
                                                     "content/scripts/s.js", "mine.txt", "top.htm"}));
    EXPECT_EQ(TempTree::ReadAll(tree / "dst/top.htm"), "new top");
    EXPECT_EQ(XCopyFolder(tree / "src", tree / "fresh/lesson"), 1);
    EXPECT_EQ(CountFolderFiles(tree / "fresh/lesson", true), 2);
    EXPECT_EQ(XCopyFolder(tree / "none", tree / "dst2"), 0);
    EXPECT_EQ(XCopyFolder(tree / "src", tree / "src/content/inside"), 0);
    EXPECT_FALSE(QFileInfo::exists(tree / "src/content/inside"));

    EXPECT_EQ(RemoveFolderViaBatch(tree / "dst"), 1);
    EXPECT_FALSE(QFileInfo::exists(tree / "dst"));
    EXPECT_EQ(RemoveFolderViaBatch(tree / "dst"), 1);
    EXPECT_EQ(RemoveFolderViaBatch(tree / "src/top.htm"), 0);
}

// Guards the media copy: lower-cased names, overwriting, and a file with an unsafe name left in place
// (it used to be deleted from the author's own folder).
TEST(GlobalHelpers, CopyFolderFilesLowerCase)
{
    TempTree tree;
    tree.Write("src/Clip.MP3", "clip");
    tree.Write("src/My Song.mp3", "song");
    tree.Write("src/a&b.wav", "ab");
    tree.Write("src/sub/inner.mp3", "inner");
    tree.Write("dst/clip.mp3", "old");
    CopyFolderFilesLowerCase(tree / "src", tree / "dst", true);
    EXPECT_EQ(FilesUnder(tree / "dst"), QStringList({"clip.mp3"}));
    EXPECT_EQ(TempTree::ReadAll(tree / "dst/clip.mp3"), "clip");
    EXPECT_EQ(FilesUnder(tree / "src"), QStringList({"Clip.MP3", "My Song.mp3", "a&b.wav", "sub/", "sub/inner.mp3"}));

    tree.MakeFolder("all");
    CopyFolderFilesLowerCase(tree / "src", tree / "all", false);
    EXPECT_EQ(FilesUnder(tree / "all"), QStringList({"a&b.wav", "clip.mp3", "my song.mp3"}));
    CopyFolderFilesLowerCase(tree / "src", tree / "missing", false);
    EXPECT_FALSE(QFileInfo::exists(tree / "missing"));
}

// Guards folder creation and its one failure text: the system's text, a line break and the folder.
TEST(GlobalHelpers, CreateFolderPath)
{
    TempTree tree;
    EXPECT_TRUE(CreateFolderPath(tree / "a/b\\c/").Ok());
    EXPECT_TRUE(QFileInfo(tree / "a/b/c").isDir());
    EXPECT_TRUE(CreateFolderPath(tree / "a/b/c").Ok());
    EXPECT_TRUE(CreateFolderPath("").Ok());
    EXPECT_TRUE(CreateFolderPath("abc").Ok());
    EXPECT_FALSE(QFileInfo::exists("abc"));

    tree.Write("file", "x");
    const CStatus below = CreateFolderPath(tree / "file/sub/deeper");
    ASSERT_FALSE(below.Ok());
    const QStringList message = below.Error().split(u'\n');
    ASSERT_EQ(message.size(), 2);
    EXPECT_FALSE(message[0].isEmpty());
    EXPECT_EQ(message[1], tree / "file");

    // A file where the folder itself should be is no folder made.
    const CStatus itself = CreateFolderPath(tree / "file");
    ASSERT_FALSE(itself.Ok());
    EXPECT_EQ(itself.Error().split(u'\n').value(1), tree / "file");
}

// Guards the helper-process runner: no shell, a real start result, and a time-out for a helper that hangs.
TEST(GlobalHelpers, RunProcessHidden)
{
    CProcessResult result;
    EXPECT_EQ(RunProcessHidden("sh", {"-c", "exit 3"}, -1, &result), 1);
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(RunProcessHidden("echo", {"a & b; rm -rf x"}, -1, &result), 1);
    EXPECT_EQ(result.standardOutput, "a & b; rm -rf x\n");
    EXPECT_EQ(RunProcessHidden("/no/such/program", {}), 0);
    EXPECT_EQ(RunProcessHidden("sleep", {"10"}, 200, &result), 1);
    EXPECT_TRUE(result.timedOut);
}

// Guards the graphics-library look-up: the folder order, names spelt otherwise on disk, names that would
// leave the library, and the photo-object test.
TEST(GlobalHelpers, GraphicsLibrary)
{
    TempTree tree;
    CCorvContext context;
    tree.Write("lib/stock photo - COLOR/tree.jpg", "colour");
    tree.Write("lib/Photo_Objects/image_JPG/tree.jpg", "object");
    tree.Write("lib/Photo_Objects/image_JPG/Cup.JPG", "cup");
    tree.Write("lib/Vector/Sun.wmf", "sun");
    tree.Write("secret.jpg", "s");
    context.graphicsLibraryRoot = tree / "lib/";

    QString path;
    EXPECT_EQ(FindLibraryImage(context, "tree.jpg", path), 1);
    EXPECT_EQ(path, tree / "lib/stock photo - COLOR/tree.jpg");
    EXPECT_FALSE(IsLibraryPhotoObject(context, path));
    QString inOut = "cup.jpg";
    EXPECT_EQ(FindLibraryImage(context, inOut, inOut), 1);
    EXPECT_EQ(inOut, tree / "lib/Photo_Objects/image_JPG/Cup.JPG");
    EXPECT_TRUE(IsLibraryPhotoObject(context, inOut));
    EXPECT_EQ(FindLibraryImage(context, "SUN.WMF", path), 1);
    EXPECT_EQ(TempTree::ReadAll(path), "sun");

    for (const QString &bad : {QString("moon.wmf"), QString("../../secret.jpg"), QString(), QString("..")}) {
        path = "was here";
        EXPECT_EQ(FindLibraryImage(context, bad, path), 0) << qPrintable(bad);
        EXPECT_TRUE(path.isEmpty());
    }

    EXPECT_TRUE(IsLibraryPhotoObject(context, tree / "lib\\Photo_Objects\\image_JPG\\x.jpg"));
    EXPECT_FALSE(IsLibraryPhotoObject(context, tree / "lib/Photo_Objects/image_JPG/deeper/x.jpg"));
    EXPECT_FALSE(IsLibraryPhotoObject(context, tree / "lib/Photo_Objects/x.jpg"));
    EXPECT_FALSE(IsLibraryPhotoObject(context, "x.jpg"));

    context.graphicsLibraryRoot.clear();
    EXPECT_EQ(FindLibraryImage(context, "tree.jpg", path), 0);
    EXPECT_FALSE(IsLibraryPhotoObject(context, tree / "lib/Photo_Objects/image_JPG/x.jpg"));
}

// Guards picture measuring: real sizes for files Qt wrote, (0, 0) for what does not load, and names spelt in
// another case than on disk.
TEST(GlobalHelpers, GetImageFileSize)
{
    TempTree tree;
    QImage png(37, 21, QImage::Format_RGB32);
    png.fill(Qt::red);
    ASSERT_TRUE(png.save(tree / "Shot.png"));
    QImage jpg(64, 48, QImage::Format_RGB32);
    jpg.fill(Qt::blue);
    ASSERT_TRUE(jpg.save(tree / "photo.jpg"));
    tree.Write("broken.png", "not a picture");

    struct Case { QString path; int width, height; };
    const Case cases[] = {
        {tree / "Shot.png", 37, 21}, {tree / "shot.PNG", 37, 21}, {tree / "photo.jpg", 64, 48},
        {tree / "broken.png", 0, 0}, {tree / "missing.png", 0, 0}, {QString(), 0, 0},
    };
    for (const Case &c : cases) {
        int width = -1, height = -1;
        GetImageFileSize(width, height, c.path);
        EXPECT_EQ(width, c.width) << c.path.toStdString();
        EXPECT_EQ(height, c.height) << c.path.toStdString();
    }
}
