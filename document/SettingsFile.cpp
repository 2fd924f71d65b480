#include "document/SettingsFile.h"

#include "document/CourseSettings.h"
#include "document/SettingsFields.h"
#include "model/ProjectSchema.h"
#include "platform/Archive.h"
#include "platform/SafeFileWriter.h"

#include <QFile>

namespace {

using namespace SettingsFields;
namespace PS = ProjectSchema;

// The settings every version of the file holds, before its schema number.
const std::vector<Field> &Head()
{
    static const std::vector<Field> fields = [] {
        std::vector<Field> f = {
            Always(&S::DictionaryLanguage),
            Always(&S::CourseName), Always(&S::ShowCourseName), Always(&S::CourseCode), Always(&S::ShowCourseCode),
            Always(&S::CourseAuthor), Always(&S::ShowCourseAuthor), Always(&S::CourseDate),
            Always(&S::ShowCourseDate), Always(&S::CourseDescription), Always(&S::ShowCourseDescription),
            Always(&S::LomKeywords), Always(&S::LomOrganization), Always(&S::LomAddress), Always(&S::LomTelephone),
            Always(&S::LomEmail), Always(&S::LomCatalog), Always(&S::LomEntry),
            Always(&S::LomCost), Always(&S::LomCopyright),
            Always(&S::LomRightsDescription), Always(&S::LomVersion), Always(&S::LomOrganizationTitle),
            Always(&S::LomItemTitle),
            Always(&S::LomLanguage), Always(&S::LomStatus), Always(&S::LomPurpose), Always(&S::LomResourceType),
            Always(&S::Theme), Always(&S::UseCustomBackground), Always(&S::BgColor), Always(&S::BgImage),
            Always(&S::UseBgImgTile), Always(&S::LogoImage),
            Always(&S::TemplateType),
            Always(At(&S::FontName, 0)), Always(At(&S::FontSize, 0)), Always(At(&S::FontColor, 0)),
            Always(At(&S::FontFamily, 0)),
        };
        Append(f, FontSlot(1, Gate::always, 0));
        Append(f, FontSlot(2, Gate::always, 0));
        Append(f, {
            Always(&S::EncodingLabel),
            Always(&S::GraphicSize), Always(&S::IncludeSourceDocGraphics), Always(&S::AddBorderToImages),
            Always(&S::ImageBorderType), Always(&S::AutoGenerateGraphics), Always(&S::UseColorPhotos),
            Always(&S::UseBWPhotos), Always(&S::UsePhotoObjects), Always(&S::UseClipArt),
            Always(&S::UseRandomlyDisplayMatchingGraphics), Always(&S::UsePrioritiseGraphicsCategories),
            Always(&S::GraphicsCategories), Always(&S::PriorityCategories),
            Always(&S::UseBtnNext), Always(&S::UseBtnBack), Always(&S::UseBtnMenu), Always(&S::UseBtnQuit),
            Always(&S::LblNext), Always(&S::LblBack), Always(&S::LblMenu), Always(&S::LblQuit),
            Always(&S::LblDone), Always(&S::LblPlay), Always(&S::LblStop),
            Always(&S::UseProgressBar), Always(&S::TimeBetweenScreens), Always(&S::McToggleType),
            Always(&S::DelayNextButton), Always(&S::NextButtonDelay),
            Always(&S::CompleteTopicsInOrder), Always(&S::AutoProgress), Always(&S::QuestResponse),
            Always(&S::UseQuestFeedback), Always(&S::FeedBackCorrect), Always(&S::FeedBackWrong),
            Always(&S::DisableNextBtn), Always(&S::IncEvalBtn), Always(&S::CreateOutline),
            Always(&S::OutlineCloseOnSelect),
            Always(&S::OutlineLabel), Always(&S::OutlineFontName), Always(&S::OutlineFontWeight),
            Always(&S::OutlineFontSize), Always(&S::OutlineFontColor), Always(&S::OutlineFontFamily),
            Always(&S::OutlineEncodingLabel),
            Always(&S::OutlineLeft), Always(&S::OutlineTop), Always(&S::OutlineWidth), Always(&S::OutlineHeight),
            Always(&S::OutlineLinkColor),
        });
        Append(f, AssessmentFields());
        Append(f, {
            Always(&S::CreateObjectivePages), Always(&S::WarnInteractTooLow),
            Always(&S::ContentScreenCount), Always(&S::ForceNewPage), Always(&S::UseSrcPageBreaks),
            Always(&S::UseSrcWordHeadings),
            Always(&S::SetExpiry), Always(&S::ExpiryDate), Always(&S::ExpiryMessage),
            Always(&S::RecordData), Always(&S::SignIn), Always(&S::MaySelfRegister), Always(&S::UseSignInName),
            Always(&S::SignInName), Always(&S::UseSignInID), Always(&S::SignInID), Always(&S::UseSignInPassword),
            Always(&S::SignInPassword), Always(&S::UseSendEmail), Always(&S::EmailAddress), Always(&S::AllowResume),
            Always(&S::LANDbTableName), Always(&S::UseLANDbDSN), Always(&S::LANDbDSN), Always(&S::LANDbUID),
            Always(&S::LANDbPassword), Always(&S::LANDbProvider), Always(&S::LANDbDataSource),
            Always(&S::LANDbSundry), Always(&S::LANDbTableName2),
            Always(&S::UseASP), Always(&S::WebASPDbTableName), Always(&S::UseWebDbASPDSN), Always(&S::WebASPDbDSN),
            Always(&S::WebASPDbUID), Always(&S::WebASPDbPassword), Always(&S::WebASPDbProvider),
            Always(&S::WebASPDbDataSource), Always(&S::UseWebASPDbRelativePath), Always(&S::WebASPDbSundry),
            Always(&S::WebPHPDbTableName),
            // The flag is stored twice; on reading, the second copy is the one that stays.
            Always(&S::UseWebPHPStandardParameters), Always(&S::WebPHPDbType), Always(&S::WebPHPDbType4Publish),
            Always(&S::UseWebPHPStandardParameters), Always(&S::WebPHPServer), Always(&S::WebPHPDatabase),
            Always(&S::UseWebPHPPersistence), Always(&S::WebPHPUserID), Always(&S::WebPHPPassword),
            Always(&S::WebPHPConnectionString), Always(&S::WebDbTableName2),
            Always(&S::SCORM12), Always(&S::CreateZip), Always(&S::UseScorm), Always(&S::UseOstrelle),
            Always(&S::OstrelleLessonFolder),
            Always(At(&S::UseDefaultOutputFolder, 0)), Always(At(&S::OutputFolder, 0)),
            Always(At(&S::UseDefaultOutputFolder, 1)), Always(At(&S::OutputFolder, 1)),
            Always(At(&S::UseDefaultOutputFolder, 2)), Always(At(&S::OutputFolder, 2)),
            Always(At(&S::UseDefaultOutputFolder, 3)), Always(At(&S::OutputFolder, 3)),
            Always(&S::MenuBasedCourse), Always(&S::LinearSourceDocument), Always(&S::LinearSourceAssessable),
            Always(&S::LmsOpensNewWindow), Always(&S::NoNextAtTopicEnd),
        });
        return f;
    }();
    return fields;
}

// The settings after the schema number, each group behind its gate.
const std::vector<Field> &Tail()
{
    static const std::vector<Field> fields = [] {
        std::vector<Field> f = {
            AtLeast(&S::RightToLeft, PS::kSettingsDirection),
            AtLeast(&S::AutoProgressOnEvaluateInAssessment, PS::kSettingsDirection),
            AtLeast(&S::AutoProgressInAssessment, PS::kSettingsDirection),
            AtLeast(&S::AutoProgressOnEvaluate, PS::kSettingsDirection),
            AtLeast(&S::OutlineUseButton, PS::kSettingsOutlineButton),
            AtLeast(&S::OutlineHideInAssessment, PS::kSettingsOutlineButton),
            AtLeast(&S::LmsProtectPassedStatus, PS::kSettingsProtectPassed),
            AtLeast(&S::ShowGlossary, PS::kSettingsGlossary),
            AtLeast(&S::HideGlossaryInAssessment, PS::kSettingsGlossary),
            AtLeast(&S::HideHelpInAssessment, PS::kSettingsGlossary),
            AtLeast(At(&S::FontSizePoints, 0), PS::kSettingsGlossary, QStringLiteral("12")),
            AtLeast(At(&S::FontWeight, 0), PS::kSettingsGlossary, QStringLiteral("normal")),
        };
        Append(f, FontSlot(3, Gate::atLeast, PS::kSettingsGlossary));
        Append(f, {
            AtLeast(&S::LastContentLibrary, PS::kSettingsLastContentLibrary),
            AtLeast(&S::EmulateIE7, PS::kSettingsEmulateIE7),
            AtLeast(&S::RandomKenBurns, PS::kSettingsKenBurns), AtLeast(&S::KenBurnsInterval, PS::kSettingsKenBurns),
            AtLeast(&S::KenBurnsZoomIn, PS::kSettingsKenBurns), AtLeast(&S::KenBurnsZoomOut, PS::kSettingsKenBurns),
            AtLeast(&S::KenBurnsPan, PS::kSettingsKenBurns), AtLeast(&S::KenBurnsFadeIn, PS::kSettingsKenBurns),
            AtLeast(&S::KenBurnsGrow, PS::kSettingsKenBurns),
            AtLeast(&S::LmsCompatibility, PS::kSettingsLmsCompatibility),
        });
        return f;
    }();
    return fields;
}

} // namespace

std::vector<SettingsFields::Field> CSettingsFile::Layout()
{
    std::vector<Field> layout = Head();
    Append(layout, Tail());
    return layout;
}

void CSettingsFile::StoreSettings(CArchive &ar, const CCourseSettings &s)
{
    StoreFields(ar, Head(), s);
    ar.WriteInt(PS::kCurrent);
    StoreFields(ar, Tail(), s);
}

void CSettingsFile::LoadSettings(CArchive &ar, CCourseSettings &s)
{
    // However the read ends, the linear source's assessable flag follows the assessment option.
    struct CleanUp
    {
        CCourseSettings &s;
        ~CleanUp() { s.LinearSourceAssessable = s.LastAssessmentTopic; }
    } cleanUp{s};
    LoadFields(ar, Head(), s, GateState{PS::kCurrent});
    const int32_t schema = ar.ReadInt();
    LoadFields(ar, Tail(), s, GateState{schema});
}

bool CSettingsFile::Save(const QString &path, const CCourseSettings &s)
{
    CArchive ar;
    StoreSettings(ar, s);
    return !path.isEmpty() && CSafeFileWriter::WriteFile(path, ar.GetBuffer()).Ok();
}

CSettingsFile::LoadResult CSettingsFile::Load(const QString &path, CCourseSettings &s, QString *errorText)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return LoadResult::notOpened;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return LoadResult::notOpened;
    CArchive ar(bytes);
    ar.SetFilePath(path);
    try {
        LoadSettings(ar, s);
    } catch (const CArchiveException &e) {
        if (errorText)
            *errorText = e.GetText();
        return LoadResult::damaged;
    }
    return LoadResult::read;
}
