#pragma once

#include <QString>

class CCourseSettings;

// What the Management page and its three tabs (LAN database, web database, LMS) decide without a window:
// their reset values, which controls are available, the resume rule, the database types of the PHP
// technology and the lesson folder name an author may give.
namespace CorvManagementRules {

// ---- Management page ----

// Writes the page's reset values (record data, sign-in and e-mail options); AllowResume is left alone.
void ResetManagement(CCourseSettings &settings);

// Resuming is offered only in a menu course or a course whose last topic is no assessment.
bool ResumeOffered(const CCourseSettings &settings);
struct ResumeState
{
    bool enabled = false;
    bool checked = false;
};
// The resume box for the stored settings. Where resuming is not offered, AllowResume is cleared in the
// settings (without marking anything modified: the course could not use it); otherwise it is kept and the
// box is available exactly when results are recorded.
ResumeState ApplyResumeRule(CCourseSettings &settings);

struct SignInState
{
    bool fields = false;   // the heading, "Users may self register" and the three field boxes
    bool nameLabel = false;
    bool idLabel = false;
    bool passwordLabel = false;
};
SignInState SignInStates(const CCourseSettings &settings);

// ---- LAN database tab ----

// Writes the tab's reset values; the second table name is not one of them.
void ResetLan(CCourseSettings &settings);

// ---- Web database tab ----

// Writes the tab's reset values, the second table name included.
void ResetWeb(CCourseSettings &settings);

constexpr int kDbTypeCount = 30;
// The display name and the driver key of a database type of the PHP technology, by position.
QString DbTypeName(int index);
QString DbTypeKey(int index);
// The first type whose display name begins with text (ignoring case); -1 when none does or text is empty.
int FindDbType(const QString &text);

struct DbTypeChoice
{
    QString name;  // WebPHPDbType
    QString key;   // WebPHPDbType4Publish
    int index = -1; // the list entry to select, -1 for none
};
// What a DB type typed into the box stores: the typed text with the key of the first type it begins, or,
// when it begins none, the typed text as both name and key (a driver the list does not know).
DbTypeChoice ResolveDbType(const QString &typed);

// ---- LMS tab ----

// Writes the tab's reset values: SCORM version 1.2 and no separate package; nothing else.
void ResetLms(CCourseSettings &settings);

// The lesson folder name as the edit shows it: every letter in lower case.
QString LessonFolderText(const QString &typed);
// A lesson folder name names one folder beside the LMS output: no separator, no "." or "..", no
// character a folder name cannot hold. The empty name is allowed here (publishing asks for one).
bool IsValidLessonFolderName(const QString &name);
QString LessonFolderNameMessage();

} // namespace CorvManagementRules
