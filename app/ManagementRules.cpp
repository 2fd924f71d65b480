#include "app/ManagementRules.h"

#include "document/CourseSettings.h"
#include "platform/PathUtil.h"
#include "platform/StringTable.h"

namespace CorvManagementRules {

namespace {

// The database types' display names and driver keys are string-table entries, paired by position.
constexpr int kFirstDbTypeName = 11500;
constexpr int kFirstDbTypeKey = 11530;

bool ValidDbType(int index) { return index >= 0 && index < kDbTypeCount; }

} // namespace

void ResetManagement(CCourseSettings &s)
{
    s.RecordData = 0;
    s.SignIn = 0;
    s.MaySelfRegister = 0;
    s.UseSignInName = 1;
    s.SignInName = QStringLiteral("Name");
    s.UseSignInID = 1;
    s.SignInID = QStringLiteral("ID");
    s.UseSignInPassword = 1;
    s.SignInPassword = QStringLiteral("Password");
    s.UseSendEmail = 0;
    s.EmailAddress = QStringLiteral("Enter email address here");
}

bool ResumeOffered(const CCourseSettings &s) { return s.MenuBasedCourse == 1 || s.LastAssessmentTopic == 0; }

ResumeState ApplyResumeRule(CCourseSettings &s)
{
    // A linear course that ends in its assessment starts again from the beginning.
    if (!ResumeOffered(s)) {
        s.AllowResume = 0;
        return {};
    }
    return {s.RecordData != 0, s.AllowResume != 0};
}

SignInState SignInStates(const CCourseSettings &s)
{
    const bool on = s.SignIn != 0;
    return {on, on && s.UseSignInName != 0, on && s.UseSignInID != 0, on && s.UseSignInPassword != 0};
}

void ResetLan(CCourseSettings &s)
{
    s.LANDbTableName = QStringLiteral("Table1");
    s.UseLANDbDSN = 1;
    s.LANDbDSN.clear();
    s.LANDbUID = QStringLiteral("Admin");
    s.LANDbPassword.clear();
    s.LANDbProvider.clear();
    s.LANDbDataSource.clear();
    s.LANDbSundry.clear();
}

void ResetWeb(CCourseSettings &s)
{
    s.UseASP = 1;
    s.WebASPDbTableName = QStringLiteral("Table1");
    s.WebPHPDbTableName = QStringLiteral("Table1");
    s.WebDbTableName2 = QStringLiteral("Table2");
    s.UseWebDbASPDSN = 1;
    s.UseWebPHPStandardParameters = 1;
    s.WebASPDbDSN.clear();
    s.WebASPDbUID = QStringLiteral("Admin");
    s.WebASPDbPassword.clear();
    s.WebASPDbProvider.clear();
    s.WebASPDbDataSource.clear();
    s.UseWebASPDbRelativePath = 0;
    s.WebASPDbSundry.clear();
    s.WebPHPDbType.clear();
    s.WebPHPDbType4Publish.clear();
    s.WebPHPServer.clear();
    s.WebPHPDatabase.clear();
    s.UseWebPHPPersistence = 0;
    s.WebPHPUserID.clear();
    s.WebPHPPassword.clear();
    s.WebPHPConnectionString.clear();
}

QString DbTypeName(int index) { return ValidDbType(index) ? CStringTable::Load(kFirstDbTypeName + index) : QString(); }

QString DbTypeKey(int index) { return ValidDbType(index) ? CStringTable::Load(kFirstDbTypeKey + index) : QString(); }

int FindDbType(const QString &text)
{
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < kDbTypeCount; ++i)
        if (DbTypeName(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

DbTypeChoice ResolveDbType(const QString &typed)
{
    const int index = FindDbType(typed);
    return {typed, index >= 0 ? DbTypeKey(index) : typed, index};
}

void ResetLms(CCourseSettings &s)
{
    s.SCORM12 = 1;
    s.CreateZip = 0;
}

QString LessonFolderText(const QString &typed) { return typed.toLower(); }

bool IsValidLessonFolderName(const QString &name)
{
    if (name.isEmpty())
        return true;
    // Characters no folder name on the learner's or the LMS's system may hold.
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : name)
        if (kForbidden.contains(c))
            return false;
    return CorvPath::IsSafeBareName(name);
}

QString LessonFolderNameMessage()
{
    return QStringLiteral("The lesson folder name must be the name of one folder.\nIt cannot be \".\" or \"..\", "
                          "nor contain any of these characters: / \\ : * ? \" < > |");
}

} // namespace CorvManagementRules
