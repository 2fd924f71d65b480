#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "publish/CoursePublisher.h"
#include "publish/ProgramData.h"
#include "publish/TemplateTriggers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// The program-folder data as it lies in the sources and as the build lays it out beside the programs.
const QStringList &Roots()
{
    static const QStringList roots = {QStringLiteral(CORV_SOURCE_DIR "/data/"), QStringLiteral(CORV_PROGRAM_FOLDER)};
    return roots;
}

// The names missing in the sources or the built program folder, one line each ("" when none is).
std::string Missing(const QStringList &relatives, bool folders = false)
{
    QStringList missing;
    for (const QString &relative : relatives) {
        QStringList where;
        for (const QString &root : Roots()) {
            const QFileInfo info(CorvProgramData::Resolve(root, relative));
            if (folders ? !info.isDir() : !info.isFile())
                where.append(root);
        }
        if (!where.isEmpty())
            missing.append(relative + " (missing in " + where.join(", ") + ")");
    }
    return missing.join('\n').toStdString();
}

QStringList ThemeNames(const QString &root)
{
    return QDir(CorvProgramData::Resolve(root, CorvProgramData::kThemesFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

// The page templates and theme style sheets under a root, with whether profile tokens apply to them.
std::vector<std::pair<QString, bool>> Templates(const QString &root)
{
    std::vector<std::pair<QString, bool>> templates = {
        {CorvProgramData::Resolve(root, CorvProgramData::kIndexTemplate), true},
        {CorvProgramData::Resolve(root, CorvProgramData::kIndexHtaTemplate), true},
        {CorvProgramData::Resolve(root, CorvProgramData::kMessageTemplate), true},
    };
    const QDir content(CorvProgramData::Resolve(root, CorvProgramData::kContentTemplates));
    for (const QString &page : content.entryList({QStringLiteral("*.htm")}, QDir::Files))
        templates.emplace_back(content.filePath(page), true);
    for (const QString &theme : ThemeNames(root))
        templates.emplace_back(CorvProgramData::Resolve(root, CorvProgramData::kThemesFolder + "/" + theme + "/" + theme + ".css"), false);
    // The remediation texts of the pages script carry tokens of their own.
    for (const char *remediation : {"rem_instance.txt", "rem_utility.txt", "rem_cleanup.txt"})
        templates.emplace_back(CorvProgramData::Resolve(root, QStringLiteral("source/PlaceHolderText/remediation/") + remediation), false);
    return templates;
}

// Guards that every template, theme file and picture the publisher reads ships, in the sources and in the
// built program folder: the start and content pages, the PHP message file, the default profile, the
// remediation texts of the pages script, the outline pictures the outline names, the course pictures, and
// each theme (Classical, which stands in for a missing one, among them) with its style sheet, preview,
// description, pictures and every button picture the labels can choose, each a picture that loads.
TEST(Installation, TemplatesThemesAndPicturesOfThePublisher)
{
    EXPECT_EQ(Missing({CorvProgramData::kIndexTemplate, CorvProgramData::kIndexHtaTemplate,
                       CorvProgramData::kMessageTemplate, CorvProgramData::kDefaultProfile,
                       "source/publish/content/ind.htm", "source/publish/content/done.htm",
                       "source/publish/content/nav.htm", "source/publish/content/end.htm",
                       "source/publish/content/signin.htm", "source/publish/content/register.htm",
                       "source/publishAsp/content/done.htm", "source/publish/x.gif", "source/publish/kvx.ico",
                       "source/publish/content/media/x.gif", "source/tree/question.gif", "source/tree/remediation.gif",
                       "source/tree/remediationopen.gif", "source/PlaceHolderText/remediation/rem_instance.txt",
                       "source/PlaceHolderText/remediation/rem_utility.txt",
                       "source/PlaceHolderText/remediation/rem_cleanup.txt"}),
              "");

    for (const QString &root : Roots()) {
        const QStringList themes = ThemeNames(root);
        EXPECT_TRUE(themes.contains(CorvProgramData::kFallbackTheme)) << root.toStdString();
        EXPECT_GE(themes.size(), 3) << root.toStdString();
        for (const QString &theme : themes) {
            const QString folder = CorvProgramData::kThemesFolder + "/" + theme + "/";
            QStringList files = {folder + theme + ".css", folder + "description.txt"};
            QStringList pictures = {folder + "screendump.jpg", folder + "kv_text.png", folder + "bg.jpg"};
            for (const QString &button : CorvProgramData::ThemeButtonPictures())
                pictures.append(folder + "Buttons/" + button);
            EXPECT_EQ(Missing(files + pictures), "") << theme.toStdString();
            for (const QString &picture : pictures)
                EXPECT_FALSE(QImage(CorvProgramData::Resolve(root, picture)).isNull()) << (root + picture).toStdString();
        }
    }
    const QDir tree(CorvProgramData::Resolve(Roots().front(), CorvProgramData::kTreePictures));
    for (const QString &picture : tree.entryList(QDir::Files))
        EXPECT_FALSE(QImage(tree.filePath(picture)).isNull()) << picture.toStdString();
}

// Guards the templates against what would spoil a published page without any error: a character beyond
// ASCII (templates are read one byte per character, so it would come out garbled), a carriage return, a
// trigger line whose key is not a trigger (it would vanish), and a profile token that the default profile
// does not define (it would stay in the page as written).
TEST(Installation, TemplatesArePlainAsciiWithKnownTriggersAndTokens)
{
    CCorvContext context;
    CCorvessaDoc doc(context);
    std::set<QString> keys;
    for (const auto &trigger : MakeTemplateTriggers(doc))
        keys.insert(trigger.first);

    for (const QString &root : Roots()) {
        QString error;
        const auto profile = InternationalProfileFromXML::ReadFile(CorvProgramData::Resolve(root, CorvProgramData::kDefaultProfile), &error);
        ASSERT_NE(profile, nullptr) << error.toStdString();
        std::set<QString> tokens;
        for (const InternationalProfileItemFromXML &item : profile->items)
            for (const InternationalItemFileFromXML &file : item.files)
                tokens.insert(file.GetReplaceString());

        const auto templates = Templates(root);
        EXPECT_GE(templates.size(), 10u);
        for (const auto &[path, takesTokens] : templates) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            const QByteArray bytes = file.readAll();
            for (char c : bytes)
                ASSERT_TRUE(c > 0 && c != '\r') << path.toStdString() << " holds byte " << int(uchar(c));
            const bool triggers = !path.endsWith(CorvProgramData::kMessageTemplate.section('/', -1));
            for (const QString &line : QString::fromLatin1(bytes).split('\n')) {
                if (triggers && line.startsWith(":::")) {
                    const QString key = line.mid(3).trimmed().section(QRegularExpression("\\s"), 0, 0).toLower();
                    EXPECT_TRUE(keys.count(key)) << path.toStdString() << ": " << line.toStdString();
                }
                if (!takesTokens)
                    continue;
                const QRegularExpression token("<~[^~]*~>");
                for (auto match = token.globalMatch(line); match.hasNext();) {
                    const QString found = match.next().captured();
                    EXPECT_TRUE(tokens.count(found)) << path.toStdString() << ": " << found.toStdString();
                }
            }
        }
    }
}

// Guards the outline page's template: it ships in the sources and the built program folder, is plain ASCII
// without carriage returns, holds the page's own tokens, and takes from the default profile only tokens
// that the profile gives the outline page; the profile has the outline's assessment text.
TEST(Installation, OutlineTemplate)
{
    const QStringList own = {"<~charset~>", "<~prefix~>", "<~outlinetitle~>", "<~screens~>", "<~dtree~>"};
    EXPECT_EQ(Missing({CorvProgramData::kOutlineTemplate}), "");
    for (const QString &root : Roots()) {
        const auto profile = InternationalProfileFromXML::ReadFile(CorvProgramData::Resolve(root, CorvProgramData::kDefaultProfile));
        ASSERT_NE(profile, nullptr);
        std::set<QString> tokens(own.begin(), own.end());
        bool assessment = false;
        for (const InternationalProfileItemFromXML &item : profile->items) {
            assessment = assessment || item.variable == "outlineassessment";
            for (const InternationalItemFileFromXML &file : item.files)
                if (file.fileName == "outline.htm.txt")
                    tokens.insert(file.GetReplaceString());
        }
        EXPECT_TRUE(assessment) << root.toStdString();

        QFile file(CorvProgramData::Resolve(root, CorvProgramData::kOutlineTemplate));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << root.toStdString();
        const QByteArray bytes = file.readAll();
        for (char c : bytes)
            ASSERT_TRUE(c > 0 && c != '\r') << "byte " << int(uchar(c));
        const QString text = QString::fromLatin1(bytes);
        for (const QString &token : own)
            EXPECT_TRUE(text.contains(token)) << token.toStdString();
        const QRegularExpression token("<~[^~]*~>");
        for (auto match = token.globalMatch(text); match.hasNext();) {
            const QString found = match.next().captured();
            EXPECT_TRUE(tokens.count(found)) << found.toStdString();
        }
    }
}

// Copy sources that do not ship, each for a reason of this platform; the copy step passes over a missing
// source, so the published course simply lacks the file.
const std::map<QString, const char *> &NotShipped()
{
    static const std::map<QString, const char *> notShipped = {
        {"source/publish/content/kvx.mdb",
         "an Access database: no current browser reaches it (LAN) and the ASP pages name their database in kv_config.asp"},
        {"source/publish/content/media/flvplayer.swf", "no Flash player plays here; Flash video plays as HTML5 video"},
        {"source/publish/content/glossary", "the glossary script is written by the publisher; the folder has nothing else"},
        {"source/publishLMS/scorm2004/common", "the IEEE LOM schema folders are not carried by SCORM 2004 packages"},
        {"source/publishLMS/scorm2004/extend", "the IEEE LOM schema folders are not carried by SCORM 2004 packages"},
        {"source/publishLMS/scorm2004/unique", "the IEEE LOM schema folders are not carried by SCORM 2004 packages"},
        {"source/publishLMS/scorm2004/vocab", "the IEEE LOM schema folders are not carried by SCORM 2004 packages"},
    };
    return notShipped;
}

// Third-party files the build takes from their npm packages (scripts/vendor-runtime.sh): they are in the
// built program folder only, never in the sources.
bool Vendored(const QString &relative)
{
    static const QStringList vendored = {"source/publish/content/scripts/swfobject.js", "source/publish/content/media/expressInstall.swf",
                                         "source/publishLMS/scorm12", "source/publishLMS/scorm2004"};
    return vendored.contains(relative);
}

std::string MissingShipped(const std::set<QString> &relatives, bool folders)
{
    QStringList sources, built;
    for (const QString &relative : relatives) {
        if (NotShipped().count(relative))
            continue;
        (Vendored(relative) ? built : sources).append(relative);
    }
    QStringList missing;
    if (const std::string m = Missing(sources, folders); !m.empty())
        missing.append(QString::fromStdString(m));
    for (const QString &relative : built) {
        const QFileInfo info(CorvProgramData::Resolve(QStringLiteral(CORV_PROGRAM_FOLDER), relative));
        if (folders ? !info.isDir() : !info.isFile())
            missing.append(relative + " (missing in the built program folder)");
    }
    return missing.join('\n').toStdString();
}

// Guards that every run-time file and folder the copy step names ships, for every target and every
// setting that changes the list: the course scripts and style sheets, the sign-in scripts, the ASP and
// PHP server pages and the SCORM schema folders; the files that cannot ship here are the listed ones.
TEST(Installation, RunTimeFilesTheCopyNames)
{
    CCorvContext context;
    CCorvessaDoc doc(context);
    std::set<QString> files, folders;
    for (int target = PublishTargetPreview; target <= PublishTargetStandalone; ++target)
        for (int flags = 0; flags < 16; ++flags)
            for (int lessonMode : {0, 1}) {
                doc.MutableSettings().UseASP = flags & 1;
                doc.MutableSettings().SCORM12 = (flags >> 1) & 1;
                doc.MutableSettings().SignIn = (flags >> 2) & 1;
                doc.MutableSettings().MaySelfRegister = (flags >> 3) & 1;
                for (const CorvProgramData::RunTimeCopy &copy : CorvProgramData::RunTimeCopies(doc.Settings(), target, lessonMode))
                    (copy.folder ? folders : files).insert(copy.source);
            }
    folders.insert("source/publish/content/glossary");
    EXPECT_EQ(MissingShipped(files, false), "");
    EXPECT_EQ(MissingShipped(folders, true), "");
    // A source that ships after all is taken off the list.
    for (const auto &[relative, reason] : NotShipped())
        for (const QString &root : Roots())
            EXPECT_FALSE(QFileInfo::exists(CorvProgramData::Resolve(root, relative))) << relative.toStdString() << ": " << reason;
    // The folder copies take every file of their folder: the server pages are there.
    for (const char *page : {"source/publishPhp/content/include/common.php", "source/publishPhp/content/include/kqdb.php",
                             "source/publishAsp/content/include/checksignin.asp", "source/publishAsp/content/include/kvdb.asp"})
        EXPECT_EQ(Missing({QString::fromLatin1(page)}), "");
}

} // namespace
