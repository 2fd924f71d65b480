#include "publish/LessonFolder.h"

#include "document/CorvessaDoc.h"
#include "model/GlobalHelpers.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"
#include "publish/OutputFolder.h"
#include "publish/PublishContext.h"

#include <QFileInfo>

namespace {

constexpr int kPublishCompleted = 35009;

// Whether either folder lies inside the other (or they are one).
bool Overlap(const QString &a, const QString &b)
{
    return !a.isEmpty() && !b.isEmpty()
        && (CorvOutputFolder::StaysInside(a, b) || CorvOutputFolder::StaysInside(b, a) || CorvPath::SamePathNoCase(a, b));
}

} // namespace

void CLessonFolder::Publish(const QString &webFolder)
{
    const CCorvessaDoc &document = m_context.GetDocument();
    CPrompt &prompt = m_context.Prompt();
    const QString &targetFolder = m_context.GetTargetFolder();
    const QString name = m_context.Settings().OstrelleLessonFolder;
    if (name.isEmpty()) {
        prompt.Information(QStringLiteral(
            "Cannot publish.\nPlease first enter a Ostrelle folder name on the management setting tab"));
        return;
    }
    // The folder is emptied and filled: it must be one new folder beside the LMS folder, never the LMS or
    // web output, nor anything of the author's or of the program's.
    const QString parent = CorvPath::FolderOf(targetFolder);
    const QString lesson = parent + u'/' + name;
    const QString web = webFolder.trimmed().isEmpty() ? QString() : webFolder;
    if (parent.isEmpty() || !CorvPath::IsSafeBareName(name) || Overlap(lesson, targetFolder) || Overlap(lesson, web)
        || !CorvOutputFolder::MayWipe(lesson, document.GetPathName(), m_context.GetContext())) {
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
    bool made = false;
    if (CountFolderFiles(lesson, true) == 0) {
        const CStatus status = CreateFolderPath(lesson);
        if (!status)
            prompt.Error(status.Error());
        made = status.Ok();
    }
    if (!made || !QFileInfo(lesson).isDir()) {
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
