#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "document/PicturePreparation.h"
#include "model/GlobalHelpers.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/OutputCopier.h"
#include "publish/OutputFolder.h"
#include "publish/ProgramData.h"

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

QString CCoursePublisher::ProgramFolder() const
{
    QString folder;
    GetAppFolder(m_document.GetContext(), folder);
    return folder;
}

QStringList CCoursePublisher::OutputTreeFolders() const
{
    QStringList folders = {
        QStringLiteral("content"),        QStringLiteral("content/media"),   QStringLiteral("content/media/questions"),
        QStringLiteral("content/images"), QStringLiteral("content/images/questions"), QStringLiteral("content/scripts"),
        QStringLiteral("content/scripts/pics"), QStringLiteral("content/scripts/pics/tree"), QStringLiteral("content/glossary"),
    };
    if (m_target == PublishTargetWeb) {
        folders.append(QStringLiteral("content/include"));
        if (!m_document.Settings().UseASP)
            folders.append({QStringLiteral("content/adodb"), QStringLiteral("content/adodb/drivers"),
                            QStringLiteral("content/adodb/lang")});
    }
    if (m_target == PublishTargetLms && !m_document.Settings().SCORM12)
        folders.append({QStringLiteral("common"), QStringLiteral("extend"), QStringLiteral("unique"), QStringLiteral("vocab")});
    return folders;
}

int CCoursePublisher::BuildTargetDirectoryAndSubDirectories(const QString &folder, int confirm)
{
    CPrompt &prompt = m_document.Prompt();
    if (CountFolderFiles(folder, true) > 0) {
        // Emptying the folder must never take the project, the program or the author's home with it.
        if (!CorvOutputFolder::MayWipe(folder, m_document.GetPathName(), m_document.GetContext())) {
            prompt.Error(QStringLiteral("The folder %1 holds the project, the program or other files that must "
                                        "not be removed, so it cannot be emptied for publishing.\n"
                                        "Please choose another folder.")
                             .arg(folder));
            return 0;
        }
        if (confirm == 1 && !prompt.YesNo(CStringTable::Load(kFolderHoldsFiles).arg(folder)))
            return -1;
        DeleteFolderFiles(folder, true, true);
    }
    if (!CreateFolderPath(folder, prompt))
        return 0;
    for (const QString &sub : OutputTreeFolders()) {
        const QString path = CorvPath::Join(folder, sub);
        if (!CreateFolderPath(path, prompt))
            return 0;
        // A link left in a folder that held no files could lead every later copy elsewhere.
        if (QFileInfo(path).isSymLink() || !CorvOutputFolder::StaysInside(folder, path)) {
            prompt.Error(QStringLiteral("The folder %1 lies outside the output folder %2.").arg(path, folder));
            return 0;
        }
    }
    return 1;
}

QString CCoursePublisher::BackgroundPictureSource() const
{
    const QString stored = CorvPath::ToSlashes(m_document.Settings().BgImage);
    if (stored.startsWith(u'/')) {
        const QString path = CorvPath::ResolveNoCase(stored);
        if (QFileInfo(path).isFile())
            return path;
    }
    // A path of another machine or system (a project moved here, a drive letter): the copy that saving the
    // project keeps in its pictures folder.
    const QString name = PreparedPictureName(stored);
    if (m_document.GetPathName().isEmpty() || name.isEmpty())
        return {};
    return CorvPath::ResolveNoCase(CorvPath::Join(
        {CCorvessaDoc::ProjectFolderOf(m_document.GetPathName()), QStringLiteral("Images/Resized"), name}));
}

void CCoursePublisher::CopyProjectFolders(COutputCopier &copier)
{
    if (m_document.GetPathName().isEmpty())
        return;
    const QString project = CCorvessaDoc::ProjectFolderOf(m_document.GetPathName());
    const auto copy = [&](const ProjectCopy &c) {
        copier.CopyFolderFilesLowerCase(CorvPath::ResolveNoCase(CorvPath::Join(project, QString::fromLatin1(c.source))),
                                        QString::fromLatin1(c.destination), true);
    };
    if (!m_previewFlag)
        for (const ProjectCopy &c : kProjectPictures)
            copy(c);
    copy(kQuestionPictures);
}

bool CCoursePublisher::CopySourceFiles2Target(int lessonMode)
{
    const QString program = ProgramFolder();
    COutputCopier copier(m_targetFolder);
    for (const CorvProgramData::RunTimeCopy &c : CorvProgramData::RunTimeCopies(m_document.Settings(), m_target, lessonMode)) {
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
    const QString backgroundName = CorvPath::SafeBareName(CorvPath::ToSlashes(m_document.Settings().BgImage)).toLower();
    if (!backgroundName.isEmpty())
        copier.CopyFile(BackgroundPictureSource(), QStringLiteral("content/scripts/pics/") + backgroundName);

    CopyProjectFolders(copier);
    copier.CopyFolderFilesLowerCase(CorvProgramData::Resolve(program, QStringLiteral("source/publish/content/glossary")),
                                    QStringLiteral("content/glossary"), false);
    if (copier.Failed())
        m_lastErrorText = copier.GetErrorText();
    return CopyThemeButtons() && !copier.Failed();
}

bool CCoursePublisher::CopyThemeButtons()
{
    const QString themes = CorvProgramData::Resolve(ProgramFolder(), CorvProgramData::kThemesFolder);
    QString theme = CorvPath::ResolveNoCase(CorvPath::Join(themes, m_document.Settings().Theme));
    if (!CorvProgramData::IsPlainThemeName(m_document.Settings().Theme) || !QFileInfo(theme).isDir()) {
        theme = CorvPath::ResolveNoCase(CorvPath::Join(themes, CorvProgramData::kFallbackTheme));
        m_document.MutableSettings().Theme = CorvProgramData::kFallbackTheme;
    }
    const QString pics = QStringLiteral("content/scripts/pics");
    COutputCopier copier(m_targetFolder);
    copier.CopyFolderFilesLowerCase(theme, pics, false);

    const QString buttons = CorvPath::ResolveNoCase(CorvPath::Join(theme, QStringLiteral("Buttons")));
    const auto copyButton = [&](const QString &picture, const QString &publishedName) {
        copier.CopyFile(CorvPath::ResolveNoCase(CorvPath::Join(buttons, picture)), CorvPath::Join(pics, publishedName));
    };
    for (const CorvProgramData::ThemeButton &button : CorvProgramData::ThemeButtons()) {
        // A label that is none of the row's texts (a hand-edited settings file) gets the picture without
        // words, never another button's picture.
        QString picture = button.emptyLabelPicture;
        const QString &label = m_document.Settings().*button.label;
        for (const auto &[textId, labelPicture] : button.pictures)
            if (label == CStringTable::Load(textId))
                picture = labelPicture;
        copyButton(picture, button.publishedName);
    }
    copyButton(CorvProgramData::kPopupButtonPicture, CorvProgramData::kPopupButtonPicture);
    if (copier.Failed() && m_lastErrorText.isEmpty())
        m_lastErrorText = copier.GetErrorText();
    return !copier.Failed();
}
