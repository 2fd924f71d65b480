#include "document/ProjectArchive.h"

#include "document/CourseSettings.h"
#include "platform/Archive.h"
#include "platform/PathUtil.h"

#include <stdexcept>
#include <vector>

namespace {

using D = CourseSettingDescriptor;

// When a field is read, by the schema number of the file.
enum class Gate {
    always,
    atLeast,        // schema >= n
    above,          // schema > n
    atLeastOrRetry, // schema >= n, or the retry pass
    noSchemaOnly,   // a file without a schema number, outside the retry pass
};

// One field of a settings block: a setting, or the two obsolete strings that are read and dropped.
struct Field
{
    Field(const QString &name, Gate g = Gate::always, int32_t number = 0, QVariant valueWhenNotRead = {})
        : gate(g), n(number), notRead(std::move(valueWhenNotRead)), descriptor(FindCourseSetting(name))
    {
        if (!descriptor)
            throw std::logic_error("project archive names an unknown setting: " + name.toStdString());
    }
    static Field Obsolete()
    {
        Field f;
        f.gate = Gate::noSchemaOnly;
        return f;
    }

    Gate gate = Gate::always;
    int32_t n = 0;
    // The value a field takes when its gate keeps it out; invalid means it keeps what it had.
    QVariant notRead;
    const D *descriptor = nullptr; // nullptr: the obsolete strings

private:
    Field() = default;
};

Field Always(const char *name) { return Field(QString::fromLatin1(name)); }
Field AtLeast(const char *name, int32_t n, QVariant notRead = {})
{
    return Field(QString::fromLatin1(name), Gate::atLeast, n, std::move(notRead));
}
Field Above(const char *name, int32_t n) { return Field(QString::fromLatin1(name), Gate::above, n); }
Field AtLeastOrRetry(const char *name, int32_t n, QVariant notRead)
{
    return Field(QString::fromLatin1(name), Gate::atLeastOrRetry, n, std::move(notRead));
}

// The six fields of one slot of the font arrays, in file order.
std::vector<Field> FontSlot(int slot, Gate gate, int32_t n)
{
    std::vector<Field> out;
    for (const char *name : {"FontName", "FontSize", "FontColor", "FontFamily", "FontSizePoints", "FontWeight"})
        out.emplace_back(QStringLiteral("%1[%2]").arg(QLatin1String(name)).arg(slot), gate, n);
    return out;
}

void Append(std::vector<Field> &to, std::vector<Field> more) { to.insert(to.end(), more.begin(), more.end()); }

// The settings block after the four header values, in file order.
const std::vector<Field> &SettingsBlock()
{
    static const std::vector<Field> fields = [] {
        const int32_t lom = 10000029;
        std::vector<Field> f = {
            AtLeast("DictionaryLanguage", 1000007),
            Always("CourseName"),
            AtLeastOrRetry("ShowCourseName", 1000001, 1),
            Always("CourseCode"),
            AtLeastOrRetry("ShowCourseCode", 1000001, 1),
            AtLeastOrRetry("CourseAuthor", 1000001, QString()),
            AtLeastOrRetry("ShowCourseAuthor", 1000001, 1),
            AtLeastOrRetry("CourseDate", 1000001, QString()),
            AtLeastOrRetry("ShowCourseDate", 1000001, 1),
            Always("CourseDescription"),
            AtLeastOrRetry("ShowCourseDescription", 1000001, 1),
            Always("LomKeywords"),
            Above("LomOrganization", lom), Above("LomAddress", lom), Above("LomTelephone", lom),
            Above("LomEmail", lom), Above("LomCatalog", lom), Above("LomEntry", lom),
            Above("LomCost", lom), Above("LomCopyright", lom),
            Above("LomRightsDescription", lom), Above("LomVersion", lom), Above("LomOrganizationTitle", lom),
            Above("LomItemTitle", lom),
            Above("LomLanguage", lom), Above("LomStatus", lom), Above("LomPurpose", lom),
            Above("LomResourceType", lom),
            Field::Obsolete(),
            Always("Theme"),
            Always("UseCustomBackground"),
            Always("BgColor"),
            Always("BgImage"),
            Always("UseBgImgTile"),
            Always("LogoImage"),
            AtLeast("SwapTopAndNavigationBars", 10000040), AtLeast("HideTopBar", 10000040),
            AtLeast("RemoveTopBarSpace", 10000040), AtLeast("HideNavigationBar", 10000040),
            AtLeast("RemoveNavigationBarSpace", 10000040),
            Always("TemplateType"),
            Always("FontName[0]"), Always("FontSize[0]"), Always("FontColor[0]"), Always("FontFamily[0]"),
            AtLeast("FontSizePoints[0]", 10000038, QStringLiteral("12")),
            AtLeast("FontWeight[0]", 10000038, QStringLiteral("normal")),
        };
        Append(f, FontSlot(1, Gate::atLeast, 1000006));
        Append(f, FontSlot(2, Gate::atLeast, 1000006));
        Append(f, FontSlot(3, Gate::atLeast, 10000038));
        Append(f, {
            AtLeast("EncodingLabel", 1000006),
            AtLeast("RightToLeft", 10000032),
            Always("GraphicSize"), Always("IncludeSourceDocGraphics"), Always("AddBorderToImages"),
            Always("ImageBorderType"), Always("AutoGenerateGraphics"), Always("UseColorPhotos"),
            Always("UseBWPhotos"), Always("UsePhotoObjects"), Always("UseClipArt"),
            Always("UseRandomlyDisplayMatchingGraphics"), Always("UsePrioritiseGraphicsCategories"),
            Always("GraphicsCategories"),
            Always("PriorityCategories"),
            Always("UseBtnNext"), Always("UseBtnBack"), Always("UseBtnMenu"), Always("UseBtnQuit"),
            Always("LblNext"), Always("LblBack"), Always("LblMenu"), Always("LblQuit"), Always("LblDone"),
            Always("LblPlay"), Always("LblStop"),
            Always("UseProgressBar"), Always("TimeBetweenScreens"), Always("McToggleType"),
            AtLeast("DelayNextButton", 1000006),
            AtLeast("NextButtonDelay", 1000006),
            AtLeast("CompleteTopicsInOrder", 1000006), AtLeast("AutoProgress", 1000006),
            AtLeast("MainMenuOnlyListMenu", 10000020), AtLeast("MainMenuNoImages", 10000020),
            Above("NoNextAtTopicEnd", 10000013),
            AtLeast("ShowGlossary", 10000038), AtLeast("HideGlossaryInAssessment", 10000038),
            AtLeast("HideHelpInAssessment", 10000038), AtLeast("HelpScreen", 10000038),
            Always("QuestResponse"), Always("UseQuestFeedback"),
            Always("FeedBackCorrect"), Always("FeedBackWrong"),
            Always("DisableNextBtn"), Always("IncEvalBtn"),
            AtLeast("CreateOutline", 1000005), AtLeast("OutlineCloseOnSelect", 1000005),
            AtLeast("OutlineLabel", 1000005), AtLeast("OutlineFontName", 1000005),
            AtLeast("OutlineFontWeight", 1000005),
            AtLeast("OutlineFontSize", 1000005), AtLeast("OutlineFontColor", 1000005),
            AtLeast("OutlineFontFamily", 1000005), AtLeast("OutlineEncodingLabel", 1000005),
            AtLeast("OutlineLeft", 1000005), AtLeast("OutlineTop", 1000005), AtLeast("OutlineWidth", 1000005),
            AtLeast("OutlineHeight", 1000005),
            AtLeast("OutlineLinkColor", 10000029, 0u),
            AtLeast("OutlineUseButton", 10000034, 0), AtLeast("OutlineHideInAssessment", 10000034, 0),
            Always("AutoCreateDragDropQuest"), Always("DragDropQuestInterval"), Always("DragDropQuestWordCount"),
            Always("UseRandScreensQuest"), Always("LastAssessmentTopic"), Always("ShowCorrectAnswer"),
            Always("ProvideFeedback"),
            Always("AssmntFeedBackCorrect"), Always("AssmntFeedBackWrong"),
            Always("SetTimeLimitPerQuestion"), Always("ShowTimer"), Always("TimeLimitType"),
            Always("TimeLimitEachQuestion"), Always("TimeLimitAllQuestions"), Always("SetQuestionCountFromPool"),
            Always("QuestionCountFromPool"), Always("SetPercentagePassMark"), Always("PercentagePassMark"),
            Always("IncEvalBtn4Assessment"), Always("PresentRandomQuestions"), Always("PresentRandomMultiChoice"),
            Always("CreateFinalFeedbackScreen"), Always("DisableNextBtn2"), Always("DisableBackBtn2"),
            Always("DisableMenuBtn2"),
            AtLeast("AutoProgressInAssessment", 10000036),
            Always("CreateObjectivePages"), Always("WarnInteractTooLow"), Always("ContentScreenCount"),
            Always("ForceNewPage"), Always("UseSrcPageBreaks"), Always("UseSrcWordHeadings"),
            AtLeast("LeftAlignBulletedLists", 10000027, 1), AtLeast("LeftAlignNumberedLists", 10000027, 1),
            AtLeast("SetExpiry", 10000010),
            AtLeast("ExpiryDate", 10000010),
            AtLeast("ExpiryMessage", 10000010),
            Always("RecordData"), Always("SignIn"), Always("MaySelfRegister"), Always("UseSignInName"),
            Always("SignInName"),
            Always("UseSignInID"),
            Always("SignInID"),
            Always("UseSignInPassword"),
            Always("SignInPassword"),
            Always("UseSendEmail"),
            Always("EmailAddress"),
            Above("AllowResume", 1000008),
            Always("LANDbTableName"),
            Always("UseLANDbDSN"),
            Always("LANDbDSN"), Always("LANDbUID"), Always("LANDbPassword"), Always("LANDbProvider"),
            Always("LANDbDataSource"), Always("LANDbSundry"),
            AtLeast("LANDbTableName2", 10000012),
            Always("UseASP"),
            Always("WebASPDbTableName"),
            Always("UseWebDbASPDSN"),
            Always("WebASPDbDSN"), Always("WebASPDbUID"), Always("WebASPDbPassword"), Always("WebASPDbProvider"),
            Always("WebASPDbDataSource"),
            Always("UseWebASPDbRelativePath"),
            Always("WebASPDbSundry"), Always("WebPHPDbTableName"),
            // The flag is stored twice; on reading, the second copy is the one that stays.
            Always("UseWebPHPStandardParameters"),
            Always("WebPHPDbType"), Always("WebPHPDbType4Publish"),
            Always("UseWebPHPStandardParameters"),
            Always("WebPHPServer"), Always("WebPHPDatabase"),
            Always("UseWebPHPPersistence"),
            Always("WebPHPUserID"), Always("WebPHPPassword"), Always("WebPHPConnectionString"),
            AtLeast("WebDbTableName2", 10000012),
            Always("SCORM12"), Always("CreateZip"),
            AtLeast("ScormExit12", 10000018), AtLeast("ScormExit2004", 10000018),
            AtLeast("LmsCompatibility", 10000046),
            AtLeast("UseScorm", 10000011), AtLeast("UseOstrelle", 10000011),
            AtLeast("OstrelleLessonFolder", 10000011),
            Always("UseDefaultOutputFolder[0]"), Always("OutputFolder[0]"),
            Always("UseDefaultOutputFolder[1]"), Always("OutputFolder[1]"),
            Always("UseDefaultOutputFolder[2]"), Always("OutputFolder[2]"),
            Always("UseDefaultOutputFolder[3]"), Always("OutputFolder[3]"),
            AtLeast("LmsOpensNewWindow", 10000013),
            Always("MenuBasedCourse"),
            Always("LinearSourceDocument"),
            Always("LinearSourceAssessable"),
        });
        return f;
    }();
    return fields;
}

// The settings after the topic list; the glossary documents sit between LmsProtectPassedStatus and
// EmulateIE7 and are handled in place.
const std::vector<Field> &PostTopicBlockHead()
{
    static const std::vector<Field> fields = [] {
        std::vector<Field> f = {
            AtLeast("AutoProgressOnEvaluate", 10000033),
            AtLeast("AutoProgressOnEvaluateInAssessment", 10000033),
            AtLeast("LmsProtectPassedStatus", 10000035),
        };
        return f;
    }();
    return fields;
}

const std::vector<Field> &PostTopicBlockTail()
{
    static const std::vector<Field> fields = [] {
        std::vector<Field> f = {AtLeast("EmulateIE7", 10000042)};
        for (const char *name : {"RandomKenBurns", "KenBurnsInterval", "KenBurnsZoomIn", "KenBurnsZoomOut",
                                 "KenBurnsPan", "KenBurnsFadeIn", "KenBurnsGrow"})
            f.push_back(AtLeast(name, 10000044));
        return f;
    }();
    return fields;
}

constexpr int32_t kGlossaryDocumentsSchema = 10000038;

bool IsOpen(const Field &f, const CProjectArchive::ReadContext &c)
{
    switch (f.gate) {
    case Gate::always:
        return true;
    case Gate::atLeast:
        return c.schema >= f.n;
    case Gate::above:
        return c.schema > f.n;
    case Gate::atLeastOrRetry:
        return c.schema >= f.n || c.retry;
    case Gate::noSchemaOnly:
        return !c.hasSchemaNumber && !c.retry;
    }
    return false;
}

void WriteValue(CArchive &ar, const D &d, const CCourseSettings &s)
{
    const QVariant v = d.Get(s);
    switch (d.kind) {
    case SettingKind::text:
        // The logo is stored as its bare name; the reader rebuilds its folder.
        if (d.textMember == &CCourseSettings::LogoImage)
            ar.WriteString(CorvPath::FileName(v.toString()));
        else
            ar.WriteString(v.toString());
        break;
    case SettingKind::textList:
        ar.WriteStringList(v.toStringList());
        break;
    case SettingKind::date:
        ar.WriteInt64(v.toLongLong());
        break;
    case SettingKind::colour:
        ar.WriteColor(v.toUInt());
        break;
    default:
        ar.WriteInt(v.toInt());
        break;
    }
}

QVariant ReadValue(CArchive &ar, const D &d)
{
    switch (d.kind) {
    case SettingKind::text:
        return ar.ReadString();
    case SettingKind::textList:
        return ar.ReadStringList();
    case SettingKind::date:
        return qint64(ar.ReadInt64());
    case SettingKind::colour:
        return uint(ar.ReadColor());
    default:
        return int(ar.ReadInt());
    }
}

void StoreFields(CArchive &ar, const std::vector<Field> &fields, const CCourseSettings &s)
{
    for (const Field &f : fields)
        if (f.descriptor) // the obsolete strings are never written
            WriteValue(ar, *f.descriptor, s);
}

void LoadFields(CArchive &ar, const std::vector<Field> &fields, CCourseSettings &s,
                const CProjectArchive::ReadContext &c)
{
    for (const Field &f : fields) {
        if (!IsOpen(f, c)) {
            if (f.descriptor && f.notRead.isValid())
                f.descriptor->Set(s, f.notRead);
            continue;
        }
        if (!f.descriptor) {
            ar.ReadString();
            ar.ReadString();
            continue;
        }
        f.descriptor->Set(s, ReadValue(ar, *f.descriptor));
    }
}

const QString kUtf8Label = QStringLiteral("Unicode (UTF-8) - [utf-8]");

} // namespace

QString CProjectArchive::LogoPathFromStoredName(const QString &projectFolder, const QString &stored)
{
    // Only the bare name counts: a name taken from a file never leaves its folder.
    const QString name = CorvPath::SafeBareName(CorvPath::FileName(stored));
    if (name.isEmpty())
        return QString();
    return CorvPath::Join({projectFolder, QStringLiteral("Images/Resized"), name});
}

QString CProjectArchive::CutBeforePt(const QString &points)
{
    const qsizetype at = points.indexOf(QLatin1String("pt"));
    return at < 0 ? points : points.left(at);
}

void CProjectArchive::StoreSettingsBlock(CArchive &ar, const CCourseSettings &s, const Header &header)
{
    ar.WriteInt(kCurrentSchema);
    ar.WriteInt(header.nextScreenNumber);
    ar.WriteInt(header.nextTextBoxNumber);
    ar.WriteInt(header.importPending);
    StoreFields(ar, SettingsBlock(), s);
}

CProjectArchive::Header CProjectArchive::LoadSettingsBlock(CArchive &ar, CCourseSettings &s, ReadContext &context)
{
    Header h;
    const int32_t first = ar.ReadInt();
    if (first > kNoSchema) {
        h.schema = first;
        h.hasSchemaNumber = true;
        h.nextScreenNumber = ar.ReadInt();
    } else {
        h.schema = kNoSchema;
        h.hasSchemaNumber = false;
        h.nextScreenNumber = first;
    }
    h.nextTextBoxNumber = ar.ReadInt();
    h.importPending = ar.ReadInt();
    context.schema = h.schema;
    context.hasSchemaNumber = h.hasSchemaNumber;

    LoadFields(ar, SettingsBlock(), s, context);

    // The published pages are always UTF-8 now, whatever the course was made with.
    s.EncodingLabel = kUtf8Label;
    if (context.schema >= 1000005)
        s.OutlineEncodingLabel = kUtf8Label;
    s.FontSizePoints[0] = CutBeforePt(s.FontSizePoints[0]);
    s.LogoImage = LogoPathFromStoredName(context.projectFolder, s.LogoImage);
    if (s.LastAssessmentTopic != 0)
        s.LinearSourceAssessable = 0;
    return h;
}

void CProjectArchive::StorePostTopicBlock(CArchive &ar, const CCourseSettings &s,
                                          const QStringList &glossaryDocuments)
{
    StoreFields(ar, PostTopicBlockHead(), s);
    ar.WriteInt(int32_t(glossaryDocuments.size()));
    for (const QString &path : glossaryDocuments)
        ar.WriteString(path);
    StoreFields(ar, PostTopicBlockTail(), s);
}

void CProjectArchive::LoadPostTopicBlock(CArchive &ar, CCourseSettings &s, QStringList &glossaryDocuments,
                                         const ReadContext &context)
{
    LoadFields(ar, PostTopicBlockHead(), s, context);
    glossaryDocuments.clear();
    if (context.schema >= kGlossaryDocumentsSchema) {
        // Each path takes at least its one length byte: a count the rest of the file cannot hold is damage.
        const int32_t count = ar.ReadCheckedInt(INT32_MAX, 1);
        for (int32_t i = 0; i < count; ++i)
            glossaryDocuments.append(ar.ReadString());
    }
    LoadFields(ar, PostTopicBlockTail(), s, context);
}
