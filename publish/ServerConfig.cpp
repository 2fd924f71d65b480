#include "publish/ServerConfig.h"

#include "document/CourseSettings.h"
#include "platform/Escape.h"

const QString CServerConfig::kAspTemplate = QStringLiteral("source/PlaceHolderText/kv_config_asp.txt");
const QString CServerConfig::kPhpTemplate = QStringLiteral("source/publishPhp/content/include/kqconfig.php");

namespace {

QString FlagWord(int flag) { return flag != 0 ? QStringLiteral("true") : QStringLiteral("false"); }

QString Required(const CCourseSettings &c, int field)
{
    return c.SignIn == 1 && field == 1 ? QStringLiteral("~required~") : QString();
}

QString Js(const QString &text) { return CorvEscape::AspScriptLiteral(text); }

// A profile text carries its line breaks as backslash and "n"; in the literal they are line breaks again.
QString JsProfile(QString text) { return Js(text.replace(QStringLiteral("\\n"), QStringLiteral("\n"))); }

QString Php(const QString &text) { return CorvEscape::PhpLiteral(text); }

QString WithoutQuotes(QString text) { return text.remove(u'"'); }

} // namespace

QString CServerConfig::CleanCourseName(const QString &courseName)
{
    QString clean = courseName;
    clean.remove(u'\\').remove(u'"').remove(u'\'');
    return clean;
}

QString CServerConfig::Terminated(const QString &text)
{
    return text.isEmpty() || text.endsWith(u';') ? text : text + u';';
}

CServerConfig::Placeholders CServerConfig::AspPlaceholders(const CCourseSettings &c, const ProfileTexts &profile)
{
    const bool dsn = c.UseWebDbASPDSN != 0;
    return {
        {"<~name_required~>", Required(c, c.UseSignInName)},
        {"<~id_required~>", Required(c, c.UseSignInID)},
        {"<~pwd_required~>", Required(c, c.UseSignInPassword)},
        {"<~course~>", Js(CleanCourseName(c.CourseName))},
        {"<~code~>", Js(c.CourseCode)},
        {"<~table1~>", Js(WithoutQuotes(c.WebASPDbTableName))},
        {"<~table2~>", Js(WithoutQuotes(c.WebDbTableName2))},
        {"<~signin~>", FlagWord(c.SignIn)},
        {"<~namerequired~>", FlagWord(c.UseSignInName)},
        {"<~idrequired~>", FlagWord(c.UseSignInID)},
        {"<~pwdrequired~>", FlagWord(c.UseSignInPassword)},
        {"<~database_relative~>", c.UseWebASPDbRelativePath == 1 ? QStringLiteral("1") : QStringLiteral("0")},
        {"<~database_provider~>", Js(dsn ? "DSN=" + Terminated(c.WebASPDbDSN) : Terminated(c.WebASPDbProvider))},
        {"<~database_path~>", Js(dsn ? "UID=" + Terminated(c.WebASPDbUID) : Terminated(c.WebASPDbDataSource))},
        {"<~database_sundry~>", Js(dsn ? "Pwd=" + Terminated(c.WebASPDbPassword) : Terminated(c.WebASPDbSundry))},
        {"<~dberrorsignin~>", JsProfile(profile.signInError)},
        {"<~dberrorregister~>", JsProfile(profile.registerError)},
    };
}

CServerConfig::Placeholders CServerConfig::PhpPlaceholders(const CCourseSettings &c, const ProfileTexts &profile)
{
    // Only 1 takes the single settings; 0 takes the connection string, and any other value neither.
    const int standard = c.UseWebPHPStandardParameters;
    const QString null = QStringLiteral("NULL");
    return {
        {"{database_DSN}", standard == 0 ? "\"" + CorvEscape::PhpDoubleQuotedLiteral(c.WebPHPConnectionString) + "\"" : null},
        {"{database_type}", Php(c.WebPHPDbType4Publish)},
        {"{database_host}", standard == 1 ? Php(c.WebPHPServer) : null},
        {"{database_user}", standard == 1 ? Php(c.WebPHPUserID) : null},
        {"{database_password}", standard == 1 ? Php(c.WebPHPPassword) : null},
        {"{database_database}", standard == 1 ? Php(c.WebPHPDatabase) : null},
        {"{database_persistent}", standard == 1 ? FlagWord(c.UseWebPHPPersistence) : null},
        {"{table1}", Php(c.WebPHPDbTableName)},
        {"{table2}", Php(c.WebDbTableName2)},
        {"{name_required}", FlagWord(c.UseSignInName)},
        {"{id_required}", FlagWord(c.UseSignInID)},
        {"{pwd_required}", FlagWord(c.UseSignInPassword)},
        {"{course_code}", Php(c.CourseCode)},
        {"{course_name}", Php(CleanCourseName(c.CourseName))},
        {"{DBERRORSIGNIN}", Php(profile.signInError)},
        {"{DBERRORREGISTER}", Php(profile.registerError)},
    };
}

QString CServerConfig::FillAsp(const QString &templateText, const Placeholders &placeholders)
{
    QString text = templateText;
    for (const auto &[placeholder, value] : placeholders)
        text.replace(placeholder, value);
    return text;
}

QString CServerConfig::FillPhpLine(const QString &line, const Placeholders &placeholders)
{
    for (const auto &[placeholder, value] : placeholders)
        if (line.contains(placeholder))
            return QString(line).replace(placeholder, value);
    return line;
}
