#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/LomMetadata.h"
#include "publish/OutputFolder.h"
#include "publish/ProgramData.h"
#include "publish/PublishFile.h"
#include "publish/ScormManifest.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr int kPublishCompleted = 35009;

const QString kManifest = QStringLiteral("imsmanifest.xml");
const QString kMetadata = QStringLiteral("kv_metadata.xml");
const QString kStyleSheetFolder = QStringLiteral("content/scripts/pics");

// What an LMS that opens the course in its own window must not find: the course's own start, sign-in and
// frame pages and the files of its start page. The file (relative to the output folder) and the folder and
// name of its manifest line; nav.htm keeps its file and loses only its line.
struct Stripped {
    const char *file;
    const char *lineFolder;
    const char *lineName;
};

constexpr Stripped kStripped[] = {
    {"end.htm", "", "end.htm"},
    {"content/signin.htm", "content", "signin.htm"},
    {"content/nav_bg.htm", "content", "nav_bg.htm"},
    {"content/register.htm", "content", "register.htm"},
    {"content/scripts/pics/screendump.jpg", "content/scripts/pics", "screendump.jpg"},
    {"content/scripts/pics/kvx.ico", "content/scripts/pics", "kvx.ico"},
    {"content/scripts/pics/description.txt", "content/scripts/pics", "description.txt"},
    {nullptr, "content", "nav.htm"},
};

bool Exists(const QString &path) { return QFileInfo(path).exists() || QFileInfo(path).isSymLink(); }

} // namespace

bool CCoursePublisher::CreateManifestXML()
{
    const QString text = CScormManifest::Build(CScormManifest::FromCourse(m_document.Settings()), m_targetFolder);
    return CPublishFile::WriteFile(m_targetFolder, kManifest, text, CPublishFile::NoByteOrderMark, &m_lastErrorText);
}

bool CCoursePublisher::CreateMetadataManifestXML()
{
    const bool scorm12 = m_document.Settings().SCORM12 == 1;
    const QString templatePath = CorvProgramData::Resolve(ProgramFolder(), CLomMetadata::TemplatePath(scorm12));
    QString text;
    if (!ReadAnsiTextFile(templatePath, text)) {
        // The manifest names the record, so a package without it is no package: the step fails.
        m_document.Prompt().Error(
            QStringLiteral("Error: Fail to open file %1\nwhile publishing LMS Metadata.").arg(templatePath));
        return false;
    }
    const QDate today = QDateTime::fromSecsSinceEpoch(m_document.Now()).date();
    text = CLomMetadata::Fill(text, m_document.Settings(), scorm12, today);
    return CPublishFile::WriteFile(m_targetFolder, kMetadata, text, CPublishFile::NoByteOrderMark, &m_lastErrorText);
}

bool CCoursePublisher::StripAutoOpenFiles()
{
    // Without a folder every path below would be taken from the root.
    if (m_targetFolder.trimmed().isEmpty())
        return false;
    // The manifest loses the line of each file that is gone, so that it names exactly what the package holds.
    QStringList lines;
    for (const Stripped &s : kStripped) {
        if (s.file) {
            const QString path = CorvOutputFolder::Resolve(m_targetFolder, QLatin1String(s.file));
            DeleteFileViaBatch(path);
            if (Exists(path))
                continue;
        }
        lines.append(CScormManifest::FileLine(QLatin1String(s.lineFolder), QLatin1String(s.lineName)));
    }
    // The theme's style sheets of the picture folder, named in any case.
    const QString styleFolder = CorvOutputFolder::Resolve(m_targetFolder, kStyleSheetFolder);
    const QStringList styleSheets = CScormManifest::FolderFiles(styleFolder, QStringLiteral("*.css"));
    DeleteFileViaBatch(styleFolder + QStringLiteral("/*.css"));
    for (const QString &name : styleSheets)
        if (!Exists(styleFolder + u'/' + name))
            lines.append(CScormManifest::FileLine(kStyleSheetFolder, name));

    const QString manifestPath = CorvOutputFolder::Resolve(m_targetFolder, kManifest);
    QFile manifest(manifestPath);
    if (!manifest.open(QIODevice::ReadOnly)) {
        m_document.Prompt().Error(
            QStringLiteral("Error: Fail to open file %1\nwhile publishing LMS(with auto open window).").arg(manifestPath));
        return false;
    }
    QString text = QString::fromUtf8(manifest.readAll());
    manifest.close();
    for (const QString &line : lines)
        text.replace(line, QString());
    // Trailing blanks go and the emptied lines with them.
    return WriteUtf8TextFile(text, manifestPath) && TidyTextFile(manifestPath);
}

namespace {

// Whether either folder lies inside the other (or they are one).
bool Overlap(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty()
        && (CorvOutputFolder::StaysInside(a, b) || CorvOutputFolder::StaysInside(b, a) || CorvPath::SamePathNoCase(a, b));
}

} // namespace

void CCoursePublisher::PublishLessonFolder(const QString &webFolder)
{
    CPrompt &prompt = m_document.Prompt();
    const QString name = m_document.Settings().OstrelleLessonFolder;
    if (name.isEmpty()) {
        prompt.Information(QStringLiteral(
            "Cannot publish.\nPlease first enter a Ostrelle folder name on the management setting tab"));
        return;
    }
    // The folder is emptied and filled: it must be one new folder beside the LMS folder, never the LMS or
    // web output, nor anything of the author's or of the program's.
    const QString parent = CorvPath::FolderOf(m_targetFolder);
    const QString lesson = parent + u'/' + name;
    const QString web = webFolder.trimmed().isEmpty() ? QString() : webFolder;
    if (parent.isEmpty() || !CorvPath::IsSafeBareName(name) || Overlap(lesson, m_targetFolder) || Overlap(lesson, web)
        || !CorvOutputFolder::MayWipe(lesson, m_document.GetPathName(), m_document.GetContext())) {
        prompt.Error(QStringLiteral("Cannot publish.\nThe lesson folder name \"%1\" on the management setting tab "
                                    "must name a folder of its own beside the LMS folder.")
                         .arg(name));
        return;
    }
    const QString content = CorvPath::Join(web, QStringLiteral("content"));
    if (web.isEmpty() || !QFileInfo(content).isDir()) {
        prompt.Error(QStringLiteral("Cannot publish.\nThe web course for the Ostrelle lesson was not published."));
        return;
    }
    if (CountFolderFiles(lesson, true) > 0) {
        if (!prompt.YesNo(QStringLiteral("A folder with the same name as the nominated lesson folder name already "
                                         "exists.\nIf you continue its contents will be deleted. Do you want to "
                                         "continue?")))
            return;
        RemoveFolderViaBatch(lesson);
    }
    if (CountFolderFiles(lesson, true) > 0 || !CreateFolderPath(lesson, prompt) || !QFileInfo(lesson).isDir()) {
        prompt.Error(QStringLiteral("ERROR: Failed to create lesson folder for Ostrelle."));
        return;
    }
    // The web course's server configuration (content/include) stays with the lesson: its pages need it.
    if (!XCopyFolder(content, lesson)) {
        prompt.Error(QStringLiteral("ERROR: Failed to copy the course into the lesson folder for Ostrelle."));
        return;
    }
    prompt.Information(CStringTable::Load(kPublishCompleted).arg(lesson));
}
