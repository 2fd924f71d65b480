#include "publish/LmsPackage.h"

#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"
#include "platform/Prompt.h"
#include "publish/LomMetadata.h"
#include "publish/OutputFolder.h"
#include "publish/ProgramData.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"
#include "publish/ScormManifest.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace {

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

bool CLmsPackage::WriteManifest()
{
    const QString &folder = m_context.GetTargetFolder();
    const QString text = CScormManifest::Build(CScormManifest::FromCourse(m_context.Settings()), folder);
    QString error;
    const bool written = CPublishFile::WriteFile(folder, kManifest, text, CPublishFile::NoByteOrderMark, &error);
    m_context.AddError(error);
    return written;
}

bool CLmsPackage::WriteMetadata()
{
    const CCourseSettings &settings = m_context.Settings();
    const bool scorm12 = settings.SCORM12 == 1;
    const QString templatePath = CorvProgramData::Resolve(m_context.ProgramFolder(), CLomMetadata::TemplatePath(scorm12));
    QString text;
    if (!ReadAnsiTextFile(templatePath, text)) {
        // The manifest names the record, so a package without it is no package: the step fails.
        m_context.Prompt().Error(
            QStringLiteral("Error: Fail to open file %1\nwhile publishing LMS Metadata.").arg(templatePath));
        return false;
    }
    const QDate today = QDateTime::fromSecsSinceEpoch(m_context.GetDocument().Now()).date();
    text = CLomMetadata::Fill(text, settings, scorm12, today);
    QString error;
    const bool written =
        CPublishFile::WriteFile(m_context.GetTargetFolder(), kMetadata, text, CPublishFile::NoByteOrderMark, &error);
    m_context.AddError(error);
    return written;
}

bool CLmsPackage::StripAutoOpenFiles()
{
    const QString &targetFolder = m_context.GetTargetFolder();
    // Without a folder every path below would be taken from the root.
    if (targetFolder.trimmed().isEmpty())
        return false;
    // The manifest loses the line of each file that is gone, so that it names exactly what the package holds.
    QStringList lines;
    for (const Stripped &s : kStripped) {
        if (s.file) {
            const QString path = CorvOutputFolder::Resolve(targetFolder, QLatin1String(s.file));
            DeleteFileViaBatch(path);
            if (Exists(path))
                continue;
        }
        lines.append(CScormManifest::FileLine(QLatin1String(s.lineFolder), QLatin1String(s.lineName)));
    }
    // The theme's style sheets of the picture folder, named in any case.
    const QString styleFolder = CorvOutputFolder::Resolve(targetFolder, kStyleSheetFolder);
    const QStringList styleSheets = CScormManifest::FolderFiles(styleFolder, QStringLiteral("*.css"));
    DeleteFileViaBatch(styleFolder + QStringLiteral("/*.css"));
    for (const QString &name : styleSheets)
        if (!Exists(styleFolder + u'/' + name))
            lines.append(CScormManifest::FileLine(kStyleSheetFolder, name));

    const QString manifestPath = CorvOutputFolder::Resolve(targetFolder, kManifest);
    QFile manifest(manifestPath);
    if (!manifest.open(QIODevice::ReadOnly)) {
        m_context.Prompt().Error(
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

