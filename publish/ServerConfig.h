#pragma once

#include <QString>

#include <utility>
#include <vector>

class CCourseSettings;

// The configuration file of the web-database pages: kv_config.asp for ASP (JScript) pages, kqconfig.php for
// PHP pages, each filled from a template of the program folder with the course's database and sign-in
// settings. Every text goes in escaped for the string literal its template puts it in, so that no setting
// can break or extend the server code; ordinary texts go in as they are.
class CServerConfig
{
public:
    // The two texts of the international profile that the server pages show.
    struct ProfileTexts {
        QString signInError;   // "dberrorsignin"
        QString registerError; // "dberrorregister"
    };
    // Placeholders and their values, in the order they are replaced.
    using Placeholders = std::vector<std::pair<QString, QString>>;

    // The templates, relative to the program folder.
    static const QString kAspTemplate;
    static const QString kPhpTemplate;

    // The course name without backslashes, quotation marks and apostrophes.
    static QString CleanCourseName(const QString &courseName);
    // The text with ";" appended unless it is empty or already ends in one.
    static QString Terminated(const QString &text);

    // The "<~name~>" placeholders of the ASP template, values in JScript string form.
    static Placeholders AspPlaceholders(const CCourseSettings &course, const ProfileTexts &profile);
    // The "{name}" placeholders of the PHP template, texts in PHP single-quoted string form.
    static Placeholders PhpPlaceholders(const CCourseSettings &course, const ProfileTexts &profile);

    // Every occurrence of each placeholder in the whole text, in order (a value holding a later
    // placeholder has that one replaced too).
    static QString FillAsp(const QString &templateText, const Placeholders &placeholders);
    // Only the first placeholder found in the line is filled (every occurrence of that one in the line).
    static QString FillPhpLine(const QString &line, const Placeholders &placeholders);
};
