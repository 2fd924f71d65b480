#include "document/UserSettingsStore.h"

#include "document/CourseSettings.h"
#include "platform/IniFile.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"

#include <QRegularExpression>

namespace {

const QString kUseCustomised = QStringLiteral("UseCustomised");
const QString kTrue = QStringLiteral("TRUE");
const QString kFalse = QStringLiteral("FALSE");

QString Section() { return QString::fromLatin1(CUserSettingsStore::kSection); }

// The setting a key stands for: the plain setting of that name, or slot 0 of the font arrays.
const CourseSettingDescriptor &SettingOfKey(const QString &key)
{
    const CourseSettingDescriptor *d = FindCourseSetting(key);
    if (!d)
        d = FindCourseSetting(key + QStringLiteral("[0]"));
    Q_ASSERT(d);
    return *d;
}

bool IsTrue(const QString &text) { return text.compare(kTrue, Qt::CaseInsensitive) == 0; }

} // namespace

CUserSettingsStore::CUserSettingsStore(QString appDataFolder) : m_folder(std::move(appDataFolder)) {}

QString CUserSettingsStore::IniPath() const { return CorvPath::Join(m_folder, QStringLiteral("kvx.ini")); }

QString CUserSettingsStore::SettingsFilePath() const
{
    return CorvPath::Join(m_folder, QStringLiteral("setting.bin"));
}

bool CUserSettingsStore::IsCustomised() const
{
    return !m_folder.isEmpty() && IsTrue(CIniFile(IniPath()).ReadString(Section(), kUseCustomised));
}

void CUserSettingsStore::Apply(CCourseSettings &s) const
{
    if (!IsCustomised())
        return;
    ReadIniSettings(CIniFile(IniPath()), s);
    // What the file held before it ended is kept; the rest keeps the ini's values.
    CSettingsFile::Load(SettingsFilePath(), s);
}

const QStringList &CUserSettingsStore::IniKeys()
{
    static const QStringList keys = {
        "CourseName", "ShowCourseName", "CourseCode", "ShowCourseCode", "CourseAuthor", "ShowCourseAuthor",
        "Theme", "UseCustomBackground", "BgColor", "BgImage", "UseBgImgTile", "LogoImage",
        "SwapTopAndNavigationBars", "HideTopBar", "RemoveTopBarSpace", "HideNavigationBar",
        "RemoveNavigationBarSpace", "TemplateType", "FontName", "FontSize", "FontSizePoints", "FontColor",
        "FontFamily", "UseSourceDocumentFonts", "FastPowerpointImport", "ImportPowerpointAsImages", "GraphicSize",
        "IncludeSourceDocGraphics", "AddBorderToImages", "ImageBorderType", "AutoGenerateGraphics",
        "UseColorPhotos", "UseBWPhotos", "UsePhotoObjects", "UseClipArt", "UseRandomlyDisplayMatchingGraphics",
        "UsePrioritiseGraphicsCategories", "UseBtnNext", "UseBtnBack", "UseBtnMenu", "UseBtnQuit", "LblNext",
        "LblBack", "LblMenu", "LblQuit", "LblDone", "LblPlay", "LblStop", "UseProgressBar", "TimeBetweenScreens",
        "McToggleType", "QuestResponse", "UseQuestFeedback", "FeedBackCorrect", "FeedBackWrong", "DisableNextBtn",
        "IncEvalBtn", "AutoCreateDragDropQuest", "DragDropQuestInterval", "DragDropQuestWordCount",
        "UseRandScreensQuest", "LastAssessmentTopic", "ShowCorrectAnswer", "ProvideFeedback",
        "AssmntFeedBackCorrect", "AssmntFeedBackWrong", "SetTimeLimitPerQuestion", "ShowTimer", "TimeLimitType",
        "TimeLimitEachQuestion", "TimeLimitAllQuestions", "SetQuestionCountFromPool", "QuestionCountFromPool",
        "SetPercentagePassMark", "PercentagePassMark", "IncEvalBtn4Assessment", "PresentRandomQuestions",
        "PresentRandomMultiChoice", "CreateFinalFeedbackScreen", "DisableNextBtn2", "DisableBackBtn2",
        "DisableMenuBtn2", "CreateObjectivePages", "WarnInteractTooLow", "ContentScreenCount", "ForceNewPage",
        "UseSrcPageBreaks", "UseSrcWordHeadings", "LeftAlignBulletedLists", "LeftAlignNumberedLists",
        "RecordData", "SignIn", "MaySelfRegister", "UseSignInName", "SignInName", "UseSignInID", "SignInID",
        "UseSignInPassword", "SignInPassword", "UseSendEmail", "EmailAddress", "LANDbTableName", "UseLANDbDSN",
        "LANDbDSN", "LANDbUID", "LANDbPassword", "LANDbProvider", "LANDbDataSource", "LANDbSundry", "UseASP",
        "WebASPDbTableName", "UseWebDbASPDSN", "WebASPDbDSN", "WebASPDbUID", "WebASPDbPassword",
        "WebASPDbProvider", "WebASPDbDataSource", "UseWebASPDbRelativePath", "WebASPDbSundry",
        "WebPHPDbTableName", "WebPHPDbType", "WebPHPDbType4Publish", "UseWebPHPStandardParameters",
        "WebPHPServer", "WebPHPDatabase", "UseWebPHPPersistence", "WebPHPUserID", "WebPHPPassword",
        "WebPHPConnectionString", "SCORM12", "CreateZip", "InternationalProfileFilename", "PreviewUsingHTM",
        "PublishImagesAtStandardResolution"};
    return keys;
}

void CUserSettingsStore::ReadIniSettings(const CIniFile &ini, CCourseSettings &s)
{
    const QString section = Section();
    for (const QString &key : IniKeys()) {
        const CourseSettingDescriptor &d = SettingOfKey(key);
        switch (d.kind) {
        case SettingKind::text: {
            const bool points = key == QLatin1String("FontSizePoints");
            const QString value = ini.ReadString(section, key, points ? QStringLiteral("12") : QString());
            if (key == QLatin1String("InternationalProfileFilename") && value.isEmpty())
                break;
            d.Set(s, value);
            break;
        }
        case SettingKind::flag:
            d.Set(s, IsTrue(ini.ReadString(section, key)) ? 1 : 0);
            break;
        case SettingKind::colour:
            d.Set(s, uint(ini.ReadInt(section, key, 0)));
            break;
        default:
            d.Set(s, ini.ReadInt(section, key, 0));
            break;
        }
    }
}

QList<std::pair<QString, QString>> CUserSettingsStore::IniEntries(const CCourseSettings &s)
{
    QList<std::pair<QString, QString>> entries;
    for (const QString &key : IniKeys()) {
        const CourseSettingDescriptor &d = SettingOfKey(key);
        const QVariant value = d.Get(s);
        QString text;
        switch (d.kind) {
        case SettingKind::text:
            // A line of the file ends the value; the whole text is kept in setting.bin.
            text = value.toString().section(QRegularExpression(QStringLiteral("[\r\n]")), 0, 0);
            break;
        case SettingKind::flag:
            text = value.toInt() == 1 ? kTrue : kFalse;
            break;
        case SettingKind::colour:
            text = QString::number(int32_t(value.toUInt()));
            break;
        default:
            text = QString::number(value.toInt());
            break;
        }
        entries.append({key, text});
    }
    return entries;
}

bool CUserSettingsStore::SaveAsDefault(const CCourseSettings *settings, CPrompt &prompt) const
{
    const auto report = [&prompt](const QString &path) {
        prompt.Error(QStringLiteral("ERROR:\nFail to open file %1\nTo save current setting as a default").arg(path));
        return false;
    };
    QList<std::pair<QString, QString>> entries = {{kUseCustomised, kTrue}};
    if (settings)
        entries += IniEntries(*settings);
    CIniFile ini(IniPath());
    if (m_folder.isEmpty() || !ini.WriteStrings(Section(), entries))
        return report(IniPath());
    if (settings && !CSettingsFile::Save(SettingsFilePath(), *settings))
        return report(SettingsFilePath());
    return true;
}

bool CUserSettingsStore::Reset() const
{
    return !m_folder.isEmpty() && CIniFile(IniPath()).WriteString(Section(), kUseCustomised, kFalse);
}
