#include "publish/TemplatePages.h"

#include "document/CourseSettings.h"
#include "platform/PathUtil.h"
#include "publish/ProgramData.h"
#include "publish/PublishContext.h"
#include "publish/TemplateExpander.h"

#include <QDir>
#include <QFileInfo>

bool CTemplatePages::WriteIndexPage()
{
    const QString program = m_context.ProgramFolder();
    CTemplateExpander::Job page;
    page.templatePath = CorvProgramData::Resolve(program, CorvProgramData::kIndexTemplate);
    page.output = QStringLiteral("index.htm");
    if (m_expander.Expand(page) != CTemplateExpander::Result::Done)
        return false;
    const int target = m_context.GetTarget();
    if (target != PublishTargetPreview && target != PublishTargetLan && target != PublishTargetStandalone)
        return true;
    page.templatePath = CorvProgramData::Resolve(program, CorvProgramData::kIndexHtaTemplate);
    page.output = QStringLiteral("index.hta");
    return m_expander.Expand(page) == CTemplateExpander::Result::Done;
}

bool CTemplatePages::WriteStyleSheet()
{
    // A theme name is one folder of the themes, never a path that leads elsewhere.
    const QString &theme = m_context.Theme();
    if (!CorvProgramData::IsPlainThemeName(theme))
        return false;
    CTemplateExpander::Job sheet;
    sheet.templatePath = CorvProgramData::Resolve(
        m_context.ProgramFolder(), CorvPath::Join({CorvProgramData::kThemesFolder, theme, theme + QStringLiteral(".css")}));
    sheet.output = QStringLiteral("content/scripts/%1.css").arg(m_context.GetProjectPrefix());
    sheet.byteOrderMark = true;
    sheet.tokens = false;
    return m_expander.Expand(sheet) == CTemplateExpander::Result::Done;
}

void CTemplatePages::WriteContentPages()
{
    const CCourseSettings &settings = m_context.Settings();
    const QString program = m_context.ProgramFolder();
    const QDir content(CorvProgramData::Resolve(program, CorvProgramData::kContentTemplates));
    // In name order, so every publish writes them alike.
    const QStringList pages = content.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
    const bool skipEnd = m_context.GetTarget() == PublishTargetLms && settings.LmsOpensNewWindow == 1;
    for (const QString &name : pages) {
        if (skipEnd && name == u"end.htm")
            continue;
        CTemplateExpander::Job page;
        page.templatePath = content.filePath(name);
        page.output = QStringLiteral("content/") + name;
        page.ansi = true;
        // A page that cannot be read or written is passed over; the others still come.
        m_expander.Expand(page);
    }
    if (m_context.GetTarget() == PublishTargetWeb && !settings.UseASP) {
        CTemplateExpander::Job messages;
        messages.templatePath = CorvProgramData::Resolve(program, CorvProgramData::kMessageTemplate);
        messages.output = QStringLiteral("content/include/msg.php");
        messages.triggers = false;
        if (QFileInfo(messages.templatePath).isFile())
            m_expander.Expand(messages);
    }
}
