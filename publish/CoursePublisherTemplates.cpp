#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "platform/CodePage.h"
#include "platform/FileSystemUtil.h"
#include "platform/PathUtil.h"
#include "publish/GenerateTriggerBase.h"
#include "publish/ProgramData.h"
#include "publish/PublishFile.h"
#include "publish/PublishText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A UTF-8 byte-order mark read one byte per character.
const QString kByteOrderMarkAsBytes = QStringLiteral(u"\u00EF\u00BB\u00BF");
const QString kTriggerMark = QStringLiteral(":::");

// The lines of a template: text up to each LF, a CR before it dropped; a last line without LF counts.
QStringList TemplateLines(const QByteArray &bytes, bool ansi)
{
    const QString text = ansi ? CCodePage::ToUnicode(bytes, CCodePage::kAnsi) : QString::fromLatin1(bytes);
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    for (QString &line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

bool IsTokenSeparator(QChar c) { return c == u'\n' || c == u'\r' || c == u' ' || c == u'\t'; }

// The trigger key of a ":::" line: its first token after the mark, lower-cased.
QString TriggerKey(const QString &line)
{
    qsizetype start = kTriggerMark.size();
    while (start < line.size() && IsTokenSeparator(line[start]))
        ++start;
    qsizetype end = start;
    while (end < line.size() && !IsTokenSeparator(line[end]))
        ++end;
    return line.mid(start, end - start).toLower();
}

QString TriggerDefault(const QString &line)
{
    static const QString kDefault = QStringLiteral("default:");
    const qsizetype at = line.indexOf(kDefault);
    return at < 0 ? QString() : line.mid(at + kDefault.size()).trimmed();
}

} // namespace

CCoursePublisher::ExpandResult CCoursePublisher::ExpandTemplate(const TemplateJob &job)
{
    QFile in(job.templatePath);
    if (!QFileInfo(job.templatePath).isFile() || !in.open(QIODevice::ReadOnly))
        return ExpandResult::TemplateUnreadable;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return ExpandResult::TemplateUnreadable;

    CPublishFile out;
    if (!out.Open(m_targetFolder, job.output,
                  job.byteOrderMark ? CPublishFile::WithByteOrderMark : CPublishFile::NoByteOrderMark)) {
        NoteFileError(out);
        return ExpandResult::OutputFailed;
    }
    QStringList lines = TemplateLines(bytes, job.ansi);
    if (!lines.isEmpty() && lines.front().startsWith(kByteOrderMarkAsBytes))
        lines.front().remove(kByteOrderMarkAsBytes);
    for (QString &line : lines) {
        if (job.triggers && line.startsWith(kTriggerMark)) {
            const auto trigger = m_triggers.find(TriggerKey(line));
            if (trigger != m_triggers.end())
                trigger->second->Generate(out, m_projectPrefix, m_target, TriggerDefault(line));
            continue;
        }
        if (job.tokens)
            ApplyProfileTokens(line);
        out.WriteString(line + u'\n');
    }
    if (!out.Close()) {
        NoteFileError(out);
        return ExpandResult::OutputFailed;
    }
    return ExpandResult::Done;
}

bool CCoursePublisher::CreateIndexWebPage()
{
    const QString program = ProgramFolder();
    TemplateJob page;
    page.templatePath = CorvProgramData::Resolve(program, CorvProgramData::kIndexTemplate);
    page.output = QStringLiteral("index.htm");
    if (ExpandTemplate(page) != ExpandResult::Done)
        return false;
    if (m_target != PublishTargetPreview && m_target != PublishTargetLan && m_target != PublishTargetStandalone)
        return true;
    page.templatePath = CorvProgramData::Resolve(program, CorvProgramData::kIndexHtaTemplate);
    page.output = QStringLiteral("index.hta");
    return ExpandTemplate(page) == ExpandResult::Done;
}

bool CCoursePublisher::CreateKvxCss()
{
    // A theme name is one folder of the themes, never a path that leads elsewhere.
    const QString &theme = m_document.Settings().Theme;
    if (!CorvProgramData::IsPlainThemeName(theme))
        return false;
    TemplateJob sheet;
    sheet.templatePath = CorvProgramData::Resolve(
        ProgramFolder(), CorvPath::Join({CorvProgramData::kThemesFolder, theme, theme + QStringLiteral(".css")}));
    sheet.output = QStringLiteral("content/scripts/%1.css").arg(m_projectPrefix);
    sheet.byteOrderMark = true;
    sheet.tokens = false;
    return ExpandTemplate(sheet) == ExpandResult::Done;
}

void CCoursePublisher::ProcessSourceFiles()
{
    const QString program = ProgramFolder();
    const QDir content(CorvProgramData::Resolve(program, CorvProgramData::kContentTemplates));
    // In name order, so every publish writes them alike.
    const QStringList pages = content.entryList({QStringLiteral("*.htm")}, QDir::Files, QDir::Name);
    const bool skipEnd = m_target == PublishTargetLms && m_document.Settings().LmsOpensNewWindow == 1;
    for (const QString &name : pages) {
        if (skipEnd && name == u"end.htm")
            continue;
        TemplateJob page;
        page.templatePath = content.filePath(name);
        page.output = QStringLiteral("content/") + name;
        page.ansi = true;
        // A page that cannot be read or written is passed over; the others still come.
        ExpandTemplate(page);
    }
    if (m_target == PublishTargetWeb && !m_document.Settings().UseASP) {
        TemplateJob messages;
        messages.templatePath = CorvProgramData::Resolve(program, CorvProgramData::kMessageTemplate);
        messages.output = QStringLiteral("content/include/msg.php");
        messages.triggers = false;
        if (QFileInfo(messages.templatePath).isFile())
            ExpandTemplate(messages);
    }
}

void CCoursePublisher::BuildProfileTokenMap()
{
    m_profile = dynamic_cast<const InternationalProfileFromXML *>(m_document.GetInternationalProfile());
    if (!m_profile && !m_document.Settings().InternationalProfileFilename.isEmpty()) {
        m_ownProfile = InternationalProfileFromXML::ReadFile(CorvPath::ResolveNoCase(m_document.Settings().InternationalProfileFilename));
        m_profile = m_ownProfile.get();
    }
    if (!m_profile)
        return;
    for (const InternationalProfileItemFromXML &item : m_profile->items) {
        const QString value = ProfileScriptText(item);
        for (const InternationalItemFileFromXML &file : item.files) {
            // The outline page replaces its own tokens.
            if (file.fileName == u"outline.htm.txt")
                continue;
            m_tokens.try_emplace(file.GetReplaceString(), value);
        }
    }
}

void CCoursePublisher::ApplyProfileTokens(QString &line) const
{
    static const QString kTokenStart = QStringLiteral("<~");
    for (const auto &[token, value] : m_tokens) {
        if (!token.isEmpty())
            line.replace(token, value);
        if (!line.contains(kTokenStart))
            break;
    }
}

QString CCoursePublisher::GetProfileText(const QString &baseVariable, const QString &variable) const
{
    if (!m_profile)
        return {};
    for (const InternationalProfileItemFromXML &item : m_profile->items)
        if (item.baseVariable.compare(baseVariable, Qt::CaseInsensitive) == 0
            && item.variable.compare(variable, Qt::CaseInsensitive) == 0)
            return item.GetText();
    return {};
}
