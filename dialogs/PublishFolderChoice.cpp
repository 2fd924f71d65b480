#include "dialogs/PublishFolderChoice.h"

#include "document/CourseSettings.h"

void CPublishFolderChoice::LoadFrom(const CCourseSettings &settings)
{
    for (int i = 0; i < kKinds; ++i)
        rows[size_t(i)] = {settings.OutputFolder[size_t(i)], settings.UseDefaultOutputFolder[size_t(i)]};
}

void CPublishFolderChoice::StoreTo(CCourseSettings &settings) const
{
    for (int i = 0; i < kKinds; ++i) {
        settings.OutputFolder[size_t(i)] = rows[size_t(i)].folder;
        settings.UseDefaultOutputFolder[size_t(i)] = rows[size_t(i)].useDefault;
    }
}

QString CPublishFolderChoice::BrowseStart(int kind, const QString &lastFolder) const
{
    const QString &folder = rows[size_t(kind)].folder;
    return folder.isEmpty() ? lastFolder : folder;
}

void CPublishFolderChoice::Chosen(int kind, const QString &folder, QString &lastFolder)
{
    rows[size_t(kind)].folder = folder;
    lastFolder = folder;
}
