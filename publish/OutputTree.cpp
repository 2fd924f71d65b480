#include "publish/OutputTree.h"

#include "document/CorvessaDoc.h"
#include "document/PicturePreparation.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/OutputCopier.h"
#include "publish/OutputFolder.h"
#include "publish/ProgramData.h"
#include "publish/PublishContext.h"

#include <QDir>
#include <QFileInfo>

namespace {

constexpr int kFolderHoldsFiles = 35008;

// Folders of the project copied into the course, all without the file names a page cannot link to.
struct ProjectCopy {
    const char *source; // under the project folder
    const char *destination;
};

constexpr ProjectCopy kProjectPictures[] = {
    {"Images/Resized", "content/images"}, {"Images/MM", "content/images"}, {"Images/M", "content/images"},
    {"Sounds", "content/media"},          {"Movies", "content/media"},     {"Questions", "content/media/questions"},
};
// Copied in the preview too: the question pictures.
constexpr ProjectCopy kQuestionPictures = {"Images/Questions", "content/images/questions"};

} // namespace

QStringList COutputTree::Folders() const
{
    const CCourseSettings &settings = m_context.Settings();
    QStringList folders = {
        QStringLiteral("content"),        QStringLiteral("content/media"),   QStringLiteral("content/media/questions"),
        QStringLiteral("content/images"), QStringLiteral("content/images/questions"), QStringLiteral("content/scripts"),
        QStringLiteral("content/scripts/pics"), QStringLiteral("content/scripts/pics/tree"), QStringLiteral("content/glossary"),
    };
    if (m_context.GetTarget() == PublishTargetWeb) {
        folders.append(QStringLiteral("content/include"));
        if (!settings.UseASP)
            folders.append({QStringLiteral("content/adodb"), QStringLiteral("content/adodb/drivers"),
                            QStringLiteral("content/adodb/lang")});
    }
    if (m_context.GetTarget() == PublishTargetLms && !settings.SCORM12)
        folders.append({QStringLiteral("common"), QStringLiteral("extend"), QStringLiteral("unique"), QStringLiteral("vocab")});
    return folders;
}

int COutputTree::Build(const QString &folder, int confirm)
{
    const CCorvessaDoc &document = m_context.GetDocument();
    CPrompt &prompt = m_context.Prompt();
    if (CountFolderFiles(folder, true) > 0) {
        // Emptying the folder must never take the project, the program or the author's home with it.
        if (!CorvOutputFolder::MayWipe(folder, document.GetPathName(), m_context.GetContext())) {
            prompt.Error(QStringLiteral("The folder %1 holds the project, the program or other files that must "
                                        "not be removed, so it cannot be emptied for publishing.\n"
                                        "Please choose another folder.")
                             .arg(folder));
            return kRefused;
        }
        if (confirm == 1 && !prompt.YesNo(CStringTable::Load(kFolderHoldsFiles).arg(folder)))
            return -1;
        DeleteFolderFiles(folder, true, true);
    }
    if (const CStatus made = CreateFolderPath(folder); !made) {
        prompt.Error(made.Error());
        return 0;
    }
    for (const QString &sub : Folders()) {
        const QString path = CorvPath::Join(folder, sub);
        if (const CStatus made = CreateFolderPath(path); !made) {
            prompt.Error(made.Error());
            return 0;
        }
        // A link left in a folder that held no files could lead every later copy elsewhere.
        if (QFileInfo(path).isSymLink() || !CorvOutputFolder::StaysInside(folder, path)) {
            prompt.Error(QStringLiteral("The folder %1 lies outside the output folder %2.").arg(path, folder));
            return 0;
        }
    }
    return 1;
}

QString COutputTree::BackgroundPictureSource() const
{
    const CCorvessaDoc &document = m_context.GetDocument();
    const QString stored = CorvPath::ToSlashes(m_context.Settings().BgImage);
    if (stored.startsWith(u'/')) {
        const QString path = CorvPath::ResolveNoCase(stored);
        if (QFileInfo(path).isFile())
            return path;
    }
    // A path of another machine or system (a project moved here, a drive letter): the copy that saving the
    // project keeps in its pictures folder.
    const QString name = PreparedPictureName(stored);
    if (document.GetPathName().isEmpty() || name.isEmpty())
        return {};
    return CorvPath::ResolveNoCase(CorvPath::Join(
        {CCorvessaDoc::ProjectFolderOf(document.GetPathName()), QStringLiteral("Images/Resized"), name}));
}

void COutputTree::CopyProjectFolders(COutputCopier &copier)
{
    const CCorvessaDoc &document = m_context.GetDocument();
    if (document.GetPathName().isEmpty())
        return;
    const QString project = CCorvessaDoc::ProjectFolderOf(document.GetPathName());
    const auto copy = [&](const ProjectCopy &c) {
        copier.CopyFolderFilesLowerCase(CorvPath::ResolveNoCase(CorvPath::Join(project, QString::fromLatin1(c.source))),
                                        QString::fromLatin1(c.destination), true);
    };
    if (!m_context.GetPreviewFlag())
        for (const ProjectCopy &c : kProjectPictures)
            copy(c);
    copy(kQuestionPictures);
}

bool COutputTree::CopySourceFiles(int lessonMode)
{
    const CCourseSettings &settings = m_context.Settings();
    const QString program = m_context.ProgramFolder();
    COutputCopier copier(m_context.GetTargetFolder());
    for (const CorvProgramData::RunTimeCopy &c : CorvProgramData::RunTimeCopies(settings, m_context.GetTarget(), lessonMode)) {
        const QString source = CorvProgramData::Resolve(program, c.source);
        if (c.folder && c.keepNames) {
            // The schema files name one another ("XMLSchema.dtd"): a lower-cased copy would name nothing.
            for (const QString &name : QDir(source).entryList(QDir::Files, QDir::Name))
                copier.CopyFile(CorvPath::Join(source, name), CorvPath::Join(c.destination, name));
        } else if (c.folder)
            copier.CopyFolderFilesLowerCase(source, c.destination, false);
        else
            copier.CopyFile(source, c.destination);
    }
    // The background picture, under its lower-cased file name.
    const QString backgroundName = CorvPath::SafeBareName(CorvPath::ToSlashes(settings.BgImage)).toLower();
    if (!backgroundName.isEmpty())
        copier.CopyFile(BackgroundPictureSource(), QStringLiteral("content/scripts/pics/") + backgroundName);

    CopyProjectFolders(copier);
    copier.CopyFolderFilesLowerCase(CorvProgramData::Resolve(program, QStringLiteral("source/publish/content/glossary")),
                                    QStringLiteral("content/glossary"), false);
    if (copier.Failed())
        m_context.AddError(copier.GetErrorText());
    return CopyThemeButtons() && !copier.Failed();
}

bool COutputTree::CopyThemeButtons()
{
    const CCourseSettings &settings = m_context.Settings();
    const QString themes = CorvProgramData::Resolve(m_context.ProgramFolder(), CorvProgramData::kThemesFolder);
    QString theme = CorvPath::ResolveNoCase(CorvPath::Join(themes, m_context.Theme()));
    if (!CorvProgramData::IsPlainThemeName(m_context.Theme()) || !QFileInfo(theme).isDir()) {
        theme = CorvPath::ResolveNoCase(CorvPath::Join(themes, CorvProgramData::kFallbackTheme));
        m_context.UseFallbackTheme();
    }
    const QString pics = QStringLiteral("content/scripts/pics");
    COutputCopier copier(m_context.GetTargetFolder());
    copier.CopyFolderFilesLowerCase(theme, pics, false);

    const QString buttons = CorvPath::ResolveNoCase(CorvPath::Join(theme, QStringLiteral("Buttons")));
    const auto copyButton = [&](const QString &picture, const QString &publishedName) {
        copier.CopyFile(CorvPath::ResolveNoCase(CorvPath::Join(buttons, picture)), CorvPath::Join(pics, publishedName));
    };
    for (const CorvProgramData::ThemeButton &button : CorvProgramData::ThemeButtons()) {
        // A label that is none of the row's texts (a hand-edited settings file) gets the picture without
        // words, never another button's picture.
        QString picture = button.emptyLabelPicture;
        const QString &label = settings.*button.label;
        for (const auto &[textId, labelPicture] : button.pictures)
            if (label == CStringTable::Load(textId))
                picture = labelPicture;
        copyButton(picture, button.publishedName);
    }
    copyButton(CorvProgramData::kPopupButtonPicture, CorvProgramData::kPopupButtonPicture);
    if (copier.Failed())
        m_context.AddError(copier.GetErrorText());
    return !copier.Failed();
}
