#include "publish/CoursePublisher.h"

#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "model/ComponentTextbox.h"
#include "model/CorvPage.h"
#include "model/GlobalHelpers.h"
#include "platform/Escape.h"
#include "publish/PublishFile.h"
#include "publish/PublishText.h"

#include <QRegularExpression>

#include <set>

namespace {

// The glossary's slot of the font settings.
constexpr int kGlossaryFont = 3;

// Words a script cannot take as the name of a variable.
bool IsReservedWord(const QString &word)
{
    static const std::set<QString> kReserved = {
        "break",  "case",   "catch",  "class",      "const",     "continue", "debugger", "default",   "delete",
        "do",     "else",   "enum",   "export",     "extends",   "false",    "finally",  "for",       "function",
        "if",     "import", "in",     "instanceof", "let",       "new",      "null",     "return",    "super",
        "switch", "this",   "throw",  "true",       "try",       "typeof",   "var",      "void",      "while",
        "with",   "yield",  "static", "implements", "interface", "package",  "private",  "protected", "public",
    };
    return kReserved.count(word) != 0;
}

// A script object a profile can name: "name" or "name.name...", its first name not a reserved word.
bool IsObjectPath(const QString &path)
{
    static const QRegularExpression kPath(QStringLiteral("^[A-Za-z_$][A-Za-z0-9_$]*(\\.[A-Za-z_$][A-Za-z0-9_$]*)*$"));
    return kPath.match(path).hasMatch() && !IsReservedWord(path.section(u'.', 0, 0));
}

bool IsPropertyName(const QString &name)
{
    static const QRegularExpression kName(QStringLiteral("^[A-Za-z_$][A-Za-z0-9_$]*$"));
    return kName.match(name).hasMatch();
}

// "O.name", or O["name"] for a name that is not one word of a script.
QString Property(const QString &object, const QString &name)
{
    if (IsPropertyName(name))
        return object + u'.' + name;
    return object + QStringLiteral("[\"") + CorvEscape::ScriptLiteral(name) + QStringLiteral("\"]");
}

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

bool CCoursePublisher::WriteInternationalisationVariables()
{
    CPublishFile file;
    if (!file.Open(m_targetFolder, QStringLiteral("content/scripts/internationalisation.js"),
                   CPublishFile::WithByteOrderMark)) {
        NoteFileError(file);
        return false;
    }
    // Each object is declared at its first item only, so that items of an object that come back after
    // another object's items join it rather than empty it.
    std::set<QString> declared;
    if (m_profile)
        for (const InternationalProfileItemFromXML &item : m_profile->items) {
            // A name that is no script object cannot be written as one.
            if (!IsObjectPath(item.baseVariable))
                continue;
            if (declared.insert(item.baseVariable).second)
                file.WriteString(item.baseVariable + QStringLiteral(" = {};\n"));
            file.WriteString(Property(item.baseVariable, item.GetVariable()) + QStringLiteral(" = \"") +
                             ProfileScriptText(item, ProfileLineEnds::AllEscaped) + QStringLiteral("\";\n"));
        }
    if (!file.Close()) {
        NoteFileError(file);
        return false;
    }
    return true;
}

bool CCoursePublisher::WriteGlossaryItems()
{
    CPublishFile file;
    if (!file.Open(m_targetFolder, QStringLiteral("content/glossary/glossary_items.js"),
                   CPublishFile::WithByteOrderMark)) {
        NoteFileError(file);
        return false;
    }
    file.WriteString(
        QStringLiteral("var fontsize = \"%1pt\";\n").arg(LeadingInteger(m_document.Settings().FontSizePoints[kGlossaryFont])));
    file.WriteString(QStringLiteral("var fontfamily = \"") +
                     CorvEscape::ScriptLiteral(m_document.Settings().FontName[kGlossaryFont]) + QStringLiteral(", ") +
                     CorvEscape::ScriptLiteral(m_document.Settings().FontFamily[kGlossaryFont]) + QStringLiteral("\";\n"));
    // One entry per screen that holds anything: the term (its title) and the text of its text boxes.
    for (const auto &screen : m_document.GlossaryScreens()) {
        if (screen->GetComponentList().empty())
            continue;
        QString line = QStringLiteral("kvxGlossary.push(\"") + GlossaryText(screen->GetTitle()) + QStringLiteral(":::");
        for (const auto &component : screen->GetComponentList())
            if (const auto *textbox = dynamic_cast<const CComponentTextbox *>(component.get()))
                line += GlossaryText(VisibleText(textbox->GetRichText())) + u' ';
        file.WriteString(line + QStringLiteral("\");\n"));
    }
    if (!file.Close()) {
        NoteFileError(file);
        return false;
    }
    return true;
}
