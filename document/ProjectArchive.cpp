#include "document/ProjectArchive.h"

#include "document/CorvessaDoc.h"
#include "document/CourseSettings.h"
#include "model/ComponentBase.h"
#include "model/ComponentFactory.h"
#include "model/ComponentLink.h"
#include "model/ComponentQuestion.h"
#include "model/ComponentRemediation.h"
#include "model/ComponentTable.h"
#include "model/ComponentTextbox.h"
#include "model/ComponentTopicButton.h"
#include "model/ComponentType.h"
#include "model/CorvPage.h"
#include "model/EditCanvas.h"
#include "model/GlobalHelpers.h"
#include "model/PictureSaveSession.h"
#include "model/Topic.h"
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

} // namespace

QString CProjectArchive::LogoPathFromStoredName(const QString &projectFolder, const QString &stored)
{
    // Only the bare name counts: a name taken from a file never leaves its folder.
    const QString name = CorvPath::SafeBareName(CorvPath::FileName(stored));
    if (name.isEmpty())
        return QString();
    // A project copied from Windows may spell the folders or the name in another case.
    return CorvPath::ResolveNoCase(CorvPath::Join({projectFolder, QStringLiteral("Images/Resized"), name}));
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
    s.EncodingLabel = QString::fromLatin1(CCourseSettings::kUtf8EncodingLabel);
    if (context.schema >= 1000005)
        s.OutlineEncodingLabel = QString::fromLatin1(CCourseSettings::kUtf8EncodingLabel);
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
        // Taken as it stands, like the other counts of the file: 0 or less means none, and nothing is
        // reserved by it, so a count larger than the file ends at the end of the file.
        const int32_t count = ar.ReadInt();
        for (int32_t i = 0; i < count; ++i)
            glossaryDocuments.append(ar.ReadString());
    }
    LoadFields(ar, PostTopicBlockTail(), s, context);
}

// ---- Topics, screens and components ----

namespace {

// The question point size of a load: the leading decimal digits of the main font's point size, 0 when
// there are none.
int LeadingNumber(const QString &text)
{
    int value = 0;
    for (const QChar c : text) {
        if (!c.isDigit() || value > 100000)
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

void StoreTopics(CArchive &ar, const CCorvessaDoc &doc)
{
    ar.WriteInt(int32_t(doc.Topics.size()));
    for (const auto &topic : doc.Topics)
        topic->Serialize(ar);
}

void LoadTopics(CArchive &ar, CCorvessaDoc &doc, const CProjectArchive::ReadContext &context)
{
    int32_t count;
    if (context.schema >= CProjectArchive::kTopicCountSchema) {
        count = ar.ReadInt();
    } else {
        // Two bytes, of which only the first counts, as a signed number.
        count = int8_t(ar.ReadByte());
        ar.ReadByte();
    }
    if (count > 1)
        doc.MenuBasedCourse = 1;
    // Counts are taken as they stand; nothing is reserved, so a damaged count ends at the end of the file.
    for (int32_t i = 0; i < count; ++i) {
        auto topic = std::make_unique<CTopic>();
        topic->Serialize(ar);
        doc.Topics.push_back(std::move(topic));
    }
}

// Reads one component entry. Returns null for a kind that the list does not hold (the media kind, and
// remediation outside the main list): its record is read all the same, so the stream stays in step.
std::unique_ptr<CComponentBase> LoadComponentEntry(CArchive &ar, CCorvessaDoc &doc,
                                                   const CProjectArchive::ReadContext &context, bool mainList,
                                                   int points)
{
    CComponentFactory::LoadOptions options{context.schema};
    options.mainList = mainList;
    options.parent = CEditCanvas::Current();
    // The course's body font: before the record for links and text boxes; for tables before it on popup
    // and glossary screens and after it on main screens, so that cells read there keep their own.
    options.beforeRead = [&](CComponentBase &component) {
        if (auto *link = dynamic_cast<CComponentLink *>(&component))
            link->SetFont(doc.FontName[0], points);
        else if (auto *textbox = dynamic_cast<CComponentTextbox *>(&component)) {
            textbox->SetDefaultFont(doc.FontName[0], points, doc.FontColor[0]);
            // Boxes of files that do not store a direction take the one of the course being read.
            textbox->SetRightToLeft(doc.RightToLeft);
        }
        else if (auto *table = dynamic_cast<CComponentTable *>(&component); table && !mainList)
            table->SetDefaultFont(doc.FontName[0], points, doc.FontColor[0]);
    };
    options.afterRead = [&](CComponentBase &component, CArchive &in) {
        if (auto *topic = dynamic_cast<CComponentTopicButton *>(&component))
            topic->SetShowPicture(doc.MainMenuNoImages == 0 ? 1 : 0);
        else if (auto *question = dynamic_cast<CComponentQuestion *>(&component))
            question->SetFont(doc.FontName[0], points);
        if (auto *table = dynamic_cast<CComponentTable *>(&component); table && mainList)
            table->SetDefaultFont(doc.FontName[0], points, doc.FontColor[0]);
        if (auto *textbox = dynamic_cast<CComponentTextbox *>(&component)) {
            textbox->LoadRichText(in, context.schema);
            textbox->RenumberLinks(0);
        }
    };
    std::unique_ptr<CComponentBase> component = CComponentFactory::LoadComponent(ar, options);
    if (auto *remediation = dynamic_cast<CComponentRemediation *>(component.get()))
        remediation->SetScreenLookup(&doc);
    return component;
}

void ResolveLinks(CCorvessaDoc &doc)
{
    for (const auto &screen : doc.MainScreenList) {
        if (screen->GetPageType() != pt_folder)
            continue;
        for (const auto &component : screen->GetComponentList())
            if (auto *link = dynamic_cast<CComponentLink *>(component.get()); link && !link->GetTargetLabel().isEmpty())
                link->SetTargetPage(doc.FindMainScreenByLabel(link->GetTargetLabel()));
    }
}

void StoreList(CArchive &ar, const CCorvessaDoc::ScreenList &list, bool mainList, CPictureSaveSession &pictures)
{
    ar.WriteInt(int32_t(list.size()));
    for (const auto &screen : list)
        CProjectArchive::StoreScreen(ar, *screen, mainList, &pictures);
}

void LoadList(CArchive &ar, CCorvessaDoc &doc, const CProjectArchive::ReadContext &context,
              CCorvessaDoc::ScreenList &list, bool mainList)
{
    const int32_t count = ar.ReadInt();
    const bool numbered = context.schema >= CProjectArchive::kScreenNumberSchema || context.retry;
    for (int32_t i = 0; i < count; ++i) {
        auto screen = CProjectArchive::LoadScreen(ar, doc, context, mainList, numbered ? -1 : int(i));
        CCorvPage *page = screen.get();
        list.push_back(std::move(screen));
        // The folders the importers and the outline look for. The popups and glossary folders are taken
        // only from their own lists, so a damaged file cannot point them into another list.
        if (page->GetPageType() == pt_asmt_folder)
            doc.FinalPerformanceFolder = page;
        else if (page->GetPageType() == pt_popups_only && &list == &doc.PopupScreenList)
            doc.PopupsFolder = page;
        else if (page->GetPageType() == pt_glossary && &list == &doc.GlossaryScreenList)
            doc.GlossaryFolder = page;
    }
}

} // namespace

const QStringList &CProjectArchive::ProjectSubFolders()
{
    static const QStringList folders = {
        QStringLiteral("Images"),          QStringLiteral("Images/MM"), QStringLiteral("Images/M"),
        QStringLiteral("Images/Resized"),  QStringLiteral("Images/Questions"),
        QStringLiteral("Movies"),          QStringLiteral("Questions"), QStringLiteral("Sounds"),
        QStringLiteral("Rtfs"),
    };
    return folders;
}

void CProjectArchive::CreateProjectFolders(const QString &projectFolder, CPrompt &prompt)
{
    if (projectFolder.isEmpty())
        return;
    const QString root = CorvPath::ResolveNoCase(projectFolder);
    CreateFolderPath(root, prompt);
    for (const QString &sub : ProjectSubFolders()) {
        // Step by step, so "images/Resized" is made inside an existing "images", not beside it.
        QString path = root;
        for (const QString &part : sub.split(u'/'))
            path = CorvPath::ResolveNoCase(CorvPath::Join(path, part));
        CreateFolderPath(path, prompt);
    }
}

const QString &CProjectArchive::PopupsMarker()
{
    static const QString marker = QStringLiteral("<popups>");
    return marker;
}

const QString &CProjectArchive::GlossaryMarker()
{
    static const QString marker = QStringLiteral("<glossary>");
    return marker;
}

void CProjectArchive::StoreScreen(CArchive &ar, CCorvPage &screen, bool mainList, CPictureSaveSession *pictures)
{
    ar.WriteInt(screen.GetId());
    ar.WriteString(screen.GetTitle());
    ar.WriteString(screen.GetBanner());
    ar.WriteString(screen.GetSourceDocument());
    ar.WriteInt(screen.GetAssessable());
    ar.WriteString(screen.GetLabel());
    ar.WriteInt(screen.GetPageType());
    if (mainList)
        ar.WriteInt(screen.GetMenuKind());
    ar.WriteInt(screen.GetComponentCount());
    for (const auto &component : screen.GetComponentList()) {
        component->SetStandAlone(0);
        if (pictures)
            pictures->StoreComponent(*component, ar);
        else
            component->SerializeComponent(ar);
        // The text box's rich text follows its record as one RTF string.
        if (auto *textbox = dynamic_cast<CComponentTextbox *>(component.get()))
            textbox->StoreRichText(ar);
    }
}

std::unique_ptr<CCorvPage> CProjectArchive::LoadScreen(CArchive &ar, CCorvessaDoc &doc, const ReadContext &context,
                                                       bool mainList, int number)
{
    if (number < 0)
        number = ar.ReadInt();
    const QString title = ar.ReadString();
    const QString banner = ar.ReadString();
    const QString sourceDocument = ar.ReadString();
    const int32_t assessable = ar.ReadInt();
    const QString label = ar.ReadString();
    const int32_t pageType = ar.ReadInt();
    auto screen = std::make_unique<CCorvPage>(number, title, banner, sourceDocument, assessable, label, pageType, -1);
    if (mainList && context.schema >= kMenuKindSchema)
        screen->SetMenuKind(ar.ReadInt());

    const int points = LeadingNumber(doc.FontSizePoints[0]);
    const int32_t count = ar.ReadInt();
    for (int32_t i = 0; i < count; ++i) {
        auto component = LoadComponentEntry(ar, doc, context, mainList, points);
        // A duplicate audio button is refused by the screen and goes with the handed-back pointer.
        if (component)
            screen->AddComponent(std::move(component), ar.Context().Prompt());
    }
    return screen;
}

void CProjectArchive::StoreProject(CArchive &ar, CCorvessaDoc &doc)
{
    doc.ResetTopicButtonPictureCounter();
    CPictureSaveSession pictures([&doc] { return doc.TakeTopicButtonPictureNumber(); },
                                 doc.PublishImagesAtStandardResolution);
    Header header;
    header.nextScreenNumber = doc.GetNextScreenNumber();
    header.nextTextBoxNumber = doc.GetNextTextBoxNumber();
    header.importPending = doc.GetImportPending();
    StoreSettingsBlock(ar, doc, header);
    StoreTopics(ar, doc);
    StorePostTopicBlock(ar, doc, doc.GlossaryDocuments);
    StoreList(ar, doc.MainScreenList, true, pictures);
    ar.WriteString(PopupsMarker());
    StoreList(ar, doc.PopupScreenList, false, pictures);
    ar.WriteString(GlossaryMarker());
    StoreList(ar, doc.GlossaryScreenList, false, pictures);
}

void CProjectArchive::LoadProjectPass(CArchive &ar, CCorvessaDoc &doc, ReadContext &context)
{
    doc.ResetTopicButtonPictureCounter();
    doc.ClearMainScreens();
    doc.ClearPopupScreens();
    doc.ClearGlossaryScreens();
    doc.ClearTopics();
    doc.ClearGlossaryDocuments();
    doc.ResetToNewProjectSettings();

    const Header header = LoadSettingsBlock(ar, doc, context);
    doc.SetFileSchema(header.schema);
    doc.SetNextScreenNumber(header.nextScreenNumber);
    doc.SetNextTextBoxNumber(header.nextTextBoxNumber);
    doc.SetImportPending(header.importPending);
    LoadTopics(ar, doc, context);
    LoadPostTopicBlock(ar, doc, doc.GlossaryDocuments, context);

    LoadList(ar, doc, context, doc.MainScreenList, true);
    ResolveLinks(doc);
    // The widened gates serve the old main list only; later sections are read by the file's own schema.
    context.retry = false;
    doc.m_loadRetry = 0;
    if (context.schema >= kPopupsSchema) {
        ar.ReadString();
        LoadList(ar, doc, context, doc.PopupScreenList, false);
    }
    if (context.schema >= kGlossarySchema) {
        ar.ReadString();
        LoadList(ar, doc, context, doc.GlossaryScreenList, false);
    }
}
