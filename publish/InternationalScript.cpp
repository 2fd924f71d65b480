#include "publish/InternationalScript.h"

#include "document/InternationalProfileFromXML.h"
#include "platform/Escape.h"
#include "publish/PublishContext.h"
#include "publish/PublishFile.h"
#include "publish/PublishText.h"

#include <QRegularExpression>

#include <set>

namespace {

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

} // namespace

bool CInternationalScript::Write()
{
    CPublishFile file;
    if (!file.Open(m_context.GetTargetFolder(), QStringLiteral("content/scripts/internationalisation.js"),
                   CPublishFile::WithByteOrderMark)) {
        m_context.AddFileError(file);
        return false;
    }
    // Each object is declared at its first item only, so that items of an object that come back after
    // another object's items join it rather than empty it.
    std::set<QString> declared;
    if (const InternationalProfileFromXML *profile = m_context.GetInternationalProfile())
        for (const InternationalProfileItemFromXML &item : profile->items) {
            // A name that is no script object cannot be written as one.
            if (!IsObjectPath(item.baseVariable))
                continue;
            if (declared.insert(item.baseVariable).second)
                file.WriteString(item.baseVariable + QStringLiteral(" = {};\n"));
            file.WriteString(Property(item.baseVariable, item.GetVariable()) + QStringLiteral(" = \"") +
                             ProfileScriptText(item, ProfileLineEnds::AllEscaped) + QStringLiteral("\";\n"));
        }
    if (!file.Close()) {
        m_context.AddFileError(file);
        return false;
    }
    return true;
}

