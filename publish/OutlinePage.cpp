#include "publish/OutlinePage.h"

#include "document/CorvessaDoc.h"
#include "publish/OutlineWriter.h"
#include "publish/OutputCopier.h"
#include "publish/ProgramData.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"

void COutlinePage::Write()
{
    CPublishFile file;
    if (!file.Open(m_context.GetTargetFolder(), QStringLiteral("content/outline.htm"), CPublishFile::WithByteOrderMark)
        || !file.WriteString(Text()) || !file.Close()) {
        m_context.AddFileError(file);
        return;
    }
    COutputCopier(m_context.GetTargetFolder())
        .CopyFolderFilesLowerCase(CorvProgramData::Resolve(m_context.ProgramFolder(), CorvProgramData::kTreePictures),
                                  QStringLiteral("content/scripts/pics/tree"), false);
}

QString COutlinePage::Text() const
{
    const CCourseSettings &settings = m_context.Settings();
    const CCorvessaDoc &document = m_context.GetDocument();
    // A menu-based course whose last topic is its assessment lists that topic as one link to the menu.
    const int lastTopic = settings.LastAssessmentTopic == 1 && settings.MenuBasedCourse == 1 ? 1 : 0;
    COutlineWriter writer(m_context.GetCourseTree(), m_context.GetProjectPrefix(), document.Settings().GetCharset(), lastTopic,
                          document, m_context.GetInternationalProfile());
    QString page;
    writer.Write(page);
    return page;
}
