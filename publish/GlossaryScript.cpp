#include "publish/GlossaryScript.h"

#include "document/CorvessaDoc.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Escape.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"

namespace {

// The glossary's slot of the font settings.
constexpr int kGlossaryFont = 3;

// The text a learner sees in the text box: hidden text (the link markers) left out.
QString VisibleText(const CRichText &text)
{
    const QString &all = text.GetText();
    QString visible;
    visible.reserve(all.size());
    for (int i = 0; i < int(all.size()); ++i)
        if (!text.GetCharFormatAt(i).Has(CFE_HIDDEN))
            visible += all[i];
    return visible;
}

// One line's worth of a glossary text inside the push line's script string: paragraph ends and line breaks
// are all removed.
QString GlossaryText(QString text)
{
    text.remove(u'\r');
    text.remove(u'\n');
    text.remove(CRichText::kLineBreak);
    return CorvEscape::ScriptLiteral(text);
}

} // namespace

bool CGlossaryScript::Write()
{
    const CCourseSettings &settings = m_context.Settings();
    CPublishFile file;
    if (!file.Open(m_context.GetTargetFolder(), QStringLiteral("content/glossary/glossary_items.js"),
                   CPublishFile::WithByteOrderMark)) {
        m_context.AddFileError(file);
        return false;
    }
    file.WriteString(
        QStringLiteral("var fontsize = \"%1pt\";\n").arg(LeadingInteger(settings.FontSizePoints[kGlossaryFont])));
    file.WriteString(QStringLiteral("var fontfamily = \"") +
                     CorvEscape::ScriptLiteral(settings.FontName[kGlossaryFont]) + QStringLiteral(", ") +
                     CorvEscape::ScriptLiteral(settings.FontFamily[kGlossaryFont]) + QStringLiteral("\";\n"));
    // One entry per screen that holds anything: the term (its title) and the text of its text boxes.
    for (const auto &screen : m_context.GetDocument().GlossaryScreens()) {
        if (screen->GetComponentList().empty())
            continue;
        QString line = QStringLiteral("kvxGlossary.push(\"") + GlossaryText(screen->GetTitle()) + QStringLiteral(":::");
        for (const auto &component : screen->GetComponentList())
            if (const auto *textbox = dynamic_cast<const CComponentTextbox *>(component.get()))
                line += GlossaryText(VisibleText(textbox->GetRichText())) + u' ';
        file.WriteString(line + QStringLiteral("\");\n"));
    }
    if (!file.Close()) {
        m_context.AddFileError(file);
        return false;
    }
    return true;
}
