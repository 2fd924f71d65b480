#include "app/ManagementRules.h"
#include "document/CourseSettings.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace CorvManagementRules;

// Guards the resume option: a linear course that ends in its assessment can never resume, whatever else is
// set, and its stored option is cleared; elsewhere the option is kept and offered only while results are
// recorded.
TEST(ManagementRules, ResumeRuleTable)
{
    struct Case
    {
        int menuBased, lastAssessment, recordData;
        bool enabled;
        int stored;
    };
    const Case cases[] = {
        {0, 1, 1, false, 0}, {0, 1, 0, false, 0}, {1, 1, 1, true, 1}, {0, 0, 1, true, 1}, {1, 0, 0, false, 1},
    };
    for (const Case &c : cases) {
        CCourseSettings s;
        s.MenuBasedCourse = c.menuBased;
        s.LastAssessmentTopic = c.lastAssessment;
        s.RecordData = c.recordData;
        s.AllowResume = 1;
        const ResumeState state = ApplyResumeRule(s);
        EXPECT_EQ(state.enabled, c.enabled) << c.menuBased << c.lastAssessment << c.recordData;
        EXPECT_EQ(s.AllowResume, c.stored) << c.menuBased << c.lastAssessment << c.recordData;
        EXPECT_EQ(state.checked, c.stored == 1);
    }
}

// Guards the sign-in fields: nothing is available without sign-in, and with it only the labels of the
// fields asked for.
TEST(ManagementRules, SignInStates)
{
    CCourseSettings s;
    s.UseSignInName = s.UseSignInPassword = 1;
    s.UseSignInID = 0;
    SignInState off = SignInStates(s);
    EXPECT_FALSE(off.fields || off.nameLabel || off.idLabel || off.passwordLabel);
    s.SignIn = 1;
    const SignInState on = SignInStates(s);
    EXPECT_TRUE(on.fields);
    EXPECT_TRUE(on.nameLabel);
    EXPECT_FALSE(on.idLabel);
    EXPECT_TRUE(on.passwordLabel);
}

// Guards the resets of the page and its tabs: the LAN tab keeps the second table name and the LMS tab
// touches only the version and the package, while the web tab resets its second table too.
TEST(ManagementRules, ResetsLeaveWhatTheyDoNotOwn)
{
    CCourseSettings s;
    s.LANDbTableName2 = "Results";
    s.WebDbTableName2 = "Results";
    s.AllowResume = 1;
    s.UseOstrelle = 1;
    s.ScormExit12 = "\"logout\"";
    s.SCORM12 = 0;
    s.CreateZip = 1;
    s.WebPHPDbType = "MySQL";
    ResetManagement(s);
    ResetLan(s);
    ResetWeb(s);
    ResetLms(s);
    EXPECT_EQ(s.LANDbTableName2, "Results");
    EXPECT_EQ(s.WebDbTableName2, "Table2");
    EXPECT_EQ(s.AllowResume, 1);
    EXPECT_EQ(s.UseOstrelle, 1);
    EXPECT_EQ(s.ScormExit12, "\"logout\"");
    EXPECT_EQ(std::tie(s.SCORM12, s.CreateZip), std::make_tuple(1, 0));
    EXPECT_EQ(s.LANDbUID, "Admin");
    EXPECT_EQ(s.WebASPDbUID, "Admin");
    EXPECT_EQ(s.WebPHPDbType, "");
    EXPECT_EQ(s.EmailAddress, "Enter email address here");
    EXPECT_EQ(std::tie(s.UseASP, s.UseLANDbDSN, s.UseWebDbASPDSN, s.UseWebPHPStandardParameters),
              std::make_tuple(1, 1, 1, 1));
}

// Guards the database types the PHP configuration receives: thirty pairs in order, the misspelt display
// name kept, and a typed text resolved to the first type it begins (its key, the typed name) or, when it
// begins none, kept as both name and key.
TEST(ManagementRules, DbTypesAndTypedText)
{
    EXPECT_EQ(DbTypeName(0), "ADO - Generic");
    EXPECT_EQ(DbTypeKey(0), "ado");
    EXPECT_EQ(DbTypeName(6), "Microsoft SQL Server - ADO");
    EXPECT_EQ(DbTypeKey(6), "ado_mssql");
    EXPECT_EQ(DbTypeName(21), "Oracel 8/9");
    EXPECT_EQ(DbTypeKey(21), "oci8");
    EXPECT_EQ(DbTypeName(29), "Sybase");
    EXPECT_EQ(DbTypeKey(29), "sybase");
    for (int i = 0; i < kDbTypeCount; ++i)
        EXPECT_FALSE(DbTypeName(i).isEmpty() || DbTypeKey(i).isEmpty()) << i;
    EXPECT_EQ(DbTypeName(30), "");
    EXPECT_EQ(DbTypeKey(-1), "");

    struct Case
    {
        QString typed, name, key;
        int index;
    };
    const Case cases[] = {
        {"mysql", "mysql", "mysql", 14},
        {"PostgreSQL 8", "PostgreSQL 8", "postgre8", 27},
        {"postgresql", "postgresql", "postgre", 24},
        {"sqlite3", "sqlite3", "sqlite3", -1},
        {"", "", "", -1},
    };
    for (const Case &c : cases) {
        const DbTypeChoice choice = ResolveDbType(c.typed);
        EXPECT_EQ(choice.name, c.name) << qPrintable(c.typed);
        EXPECT_EQ(choice.key, c.key) << qPrintable(c.typed);
        EXPECT_EQ(choice.index, c.index) << qPrintable(c.typed);
    }
}

// Guards the lesson folder: it is typed in lower case, and a name that would leave the folder it is put in
// ("..", a separator) or that no folder can bear is refused.
TEST(ManagementRules, LessonFolderNames)
{
    EXPECT_EQ(LessonFolderText("MyLesson"), "mylesson");
    for (const QString name : {"", "mylesson", "lesson 2", "a.b"})
        EXPECT_TRUE(IsValidLessonFolderName(name)) << qPrintable(name);
    for (const QString name : {"..", ".", "../x", "a/b", "a\\b", "c:", "x*", "tab\there"})
        EXPECT_FALSE(IsValidLessonFolderName(name)) << qPrintable(name);
}
