#include "publish/TemplateExpander.h"

#include "document/TriggerLine.h"
#include "platform/CodePage.h"
#include "publish/GenerateTriggerBase.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"
#include "publish/TemplateTriggers.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// A UTF-8 byte-order mark read one byte per character.
const QString kByteOrderMarkAsBytes = QStringLiteral(u"\u00EF\u00BB\u00BF");

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

} // namespace

CTemplateExpander::CTemplateExpander(CPublishContext &context) : m_context(context)
{
    for (auto &[key, trigger] : MakeTemplateTriggers(context.GetDocument()))
        m_triggers.emplace(key, std::move(trigger));
}

CTemplateExpander::~CTemplateExpander() = default;

CTemplateExpander::Result CTemplateExpander::Expand(const Job &job)
{
    QFile in(job.templatePath);
    if (!QFileInfo(job.templatePath).isFile() || !in.open(QIODevice::ReadOnly))
        return Result::TemplateUnreadable;
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return Result::TemplateUnreadable;

    CPublishFile out;
    if (!out.Open(m_context.GetTargetFolder(), job.output,
                  job.byteOrderMark ? CPublishFile::WithByteOrderMark : CPublishFile::NoByteOrderMark)) {
        m_context.AddFileError(out);
        return Result::OutputFailed;
    }
    QStringList lines = TemplateLines(bytes, job.ansi);
    if (!lines.isEmpty() && lines.front().startsWith(kByteOrderMarkAsBytes))
        lines.front().remove(kByteOrderMarkAsBytes);
    for (QString &line : lines) {
        if (job.triggers && line.startsWith(CorvTriggerLine::kMark)) {
            const auto trigger = m_triggers.find(CorvTriggerLine::Key(line));
            if (trigger != m_triggers.end())
                trigger->second->Generate(out, m_context.GetProjectPrefix(), m_context.GetTarget(), CorvTriggerLine::Default(line));
            continue;
        }
        if (job.tokens)
            m_context.ApplyProfileTokens(line);
        out.WriteString(line + u'\n');
    }
    if (!out.Close()) {
        m_context.AddFileError(out);
        return Result::OutputFailed;
    }
    return Result::Done;
}
