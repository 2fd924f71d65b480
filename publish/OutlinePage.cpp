#include "publish/OutlinePage.h"

#include "document/CorvessaDoc.h"
#include "publish/OutlineWriter.h"
#include "publish/OutputCopier.h"
#include "publish/ProgramData.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"

namespace {

// The line of the outline template after which its script stands; the page loads it as outline.js.
const QString kScriptLine = QStringLiteral("\n:::outlinescript\n");

bool WriteFile(CPublishContext &context, const QString &relative, const QString &text)
{
    CPublishFile file;
    if (!file.Open(context.GetTargetFolder(), relative, CPublishFile::WithByteOrderMark) || !file.WriteString(text)
        || !file.Close()) {
        context.AddFileError(file);
        return false;
    }
    return true;
}

} // namespace

void COutlinePage::Write()
{
    const QString text = Text();
    const qsizetype split = text.indexOf(kScriptLine);
    const QString page = split < 0 ? text : text.left(split + 1);
    if (!WriteFile(m_context, QStringLiteral("content/outline.htm"), page))
        return;
    if (split >= 0 && !WriteFile(m_context, QStringLiteral("content/outline.js"), text.mid(split + kScriptLine.size())))
        return;
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
