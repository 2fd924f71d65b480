#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

// Every course-wide setting, as plain public members. The document owns one of these as a value
// (CCorvessaDoc::Settings), so a Settings window can edit a copy and apply it or drop it; copies compare
// as a whole. The descriptor table below names each setting with its kind, built-in default, kvx.ini key,
// place in the binary stores and schema gate; the new-document defaults and every store walk that table
// instead of repeating the list. The members start at zero or empty; ApplyDefaults gives
// them their built-in values from the table, so the defaults are written down once.
class CCourseSettings
{
public:
    // The encoding label of UTF-8, the encoding of every page published now.
    static constexpr char kUtf8EncodingLabel[] = "Unicode (UTF-8) - [utf-8]";

    using Slots4Int = std::array<int32_t, 4>;
    using Slots4Text = std::array<QString, 4>;

    // General and course metadata.
    int32_t DictionaryLanguage = 0;
    QString CourseName;
    int32_t ShowCourseName = 0;
    QString CourseCode;
    int32_t ShowCourseCode = 0;
    QString CourseAuthor;
    int32_t ShowCourseAuthor = 0;
    QString CourseDate;
    int32_t ShowCourseDate = 0;
    QString CourseDescription;
    int32_t ShowCourseDescription = 0;
    int32_t UseSourceDocumentFonts = 0;
    int32_t FastPowerpointImport = 0;
    int32_t ImportPowerpointAsImages = 0;
    QString LomKeywords;
    QString LomOrganization;
    QString LomAddress;
    QString LomTelephone;
    QString LomEmail;
    QString LomCatalog;
    QString LomEntry;
    int32_t LomCost = 0;
    int32_t LomCopyright = 0;
    QString LomRightsDescription;
    QString LomVersion;
    QString LomOrganizationTitle;
    QString LomItemTitle;
    int32_t LomLanguage = 0;
    int32_t LomStatus = 0;
    int32_t LomPurpose = 0;
    int32_t LomResourceType = 0;

    // Appearance.
    QString Theme;
    int32_t UseCustomBackground = 0;
    uint32_t BgColor = 0;
    QString BgImage;
    int32_t UseBgImgTile = 0;
    QString LogoImage;
    int32_t SwapTopAndNavigationBars = 0;
    int32_t HideTopBar = 0;
    int32_t RemoveTopBarSpace = 0;
    int32_t HideNavigationBar = 0;
    int32_t RemoveNavigationBarSpace = 0;
    int32_t TemplateType = 0;

    // Fonts, four slots: 0 main body, 1 course name, 2 outline, 3 glossary.
    Slots4Text FontName;
    Slots4Int FontSize{};
    Slots4Text FontSizePoints;
    std::array<uint32_t, 4> FontColor{};
    Slots4Text FontFamily;
    Slots4Text FontWeight;
    QString EncodingLabel;
    int32_t RightToLeft = 0;

    // Graphics.
    int32_t GraphicSize = 0;
    int32_t IncludeSourceDocGraphics = 0;
    int32_t AddBorderToImages = 0;
    int32_t ImageBorderType = 0;
    int32_t AutoGenerateGraphics = 0;
    int32_t UseColorPhotos = 0;
    int32_t UseBWPhotos = 0;
    int32_t UsePhotoObjects = 0;
    int32_t UseClipArt = 0;
    int32_t UseRandomlyDisplayMatchingGraphics = 0;
    int32_t UsePrioritiseGraphicsCategories = 0;
    QStringList GraphicsCategories;
    QStringList PriorityCategories;
    int32_t RandomKenBurns = 0;
    int32_t KenBurnsInterval = 0;
    int32_t KenBurnsZoomIn = 0;
    int32_t KenBurnsZoomOut = 0;
    int32_t KenBurnsPan = 0;
    int32_t KenBurnsFadeIn = 0;
    int32_t KenBurnsGrow = 0;

    // Buttons and navigation.
    int32_t UseBtnNext = 0;
    int32_t UseBtnBack = 0;
    int32_t UseBtnMenu = 0;
    int32_t UseBtnQuit = 0;
    QString LblNext;
    QString LblBack;
    QString LblMenu;
    QString LblQuit;
    QString LblDone;
    QString LblPlay;
    QString LblStop;
    int32_t UseProgressBar = 0;
    int32_t TimeBetweenScreens = 0;
    int32_t McToggleType = 0;
    QString NextButtonDelay;
    int32_t DelayNextButton = 0;
    int32_t NoNextAtTopicEnd = 0;
    int32_t ShowGlossary = 0;
    int32_t HideGlossaryInAssessment = 0;
    int32_t HideHelpInAssessment = 0;
    // The number of the popup-only screen used as the course's help; 0 means none.
    int32_t HelpScreen = 0;

    // Questions and assessment.
    int32_t QuestResponse = 0;
    int32_t UseQuestFeedback = 0;
    QString FeedBackCorrect;
    QString FeedBackWrong;
    int32_t DisableNextBtn = 0;
    int32_t IncEvalBtn = 0;
    int32_t AutoProgress = 0;
    int32_t AutoProgressOnEvaluate = 0;
    int32_t AutoCreateDragDropQuest = 0;
    int32_t DragDropQuestInterval = 0;
    int32_t DragDropQuestWordCount = 0;
    int32_t UseRandScreensQuest = 0;
    int32_t LastAssessmentTopic = 0;
    int32_t ShowCorrectAnswer = 0;
    int32_t ProvideFeedback = 0;
    QString AssmntFeedBackCorrect;
    QString AssmntFeedBackWrong;
    int32_t SetTimeLimitPerQuestion = 0;
    int32_t ShowTimer = 0;
    int32_t TimeLimitType = 0;
    int32_t TimeLimitEachQuestion = 0;
    int32_t TimeLimitAllQuestions = 0;
    int32_t SetQuestionCountFromPool = 0;
    int32_t QuestionCountFromPool = 0;
    int32_t SetPercentagePassMark = 0;
    int32_t PercentagePassMark = 0;
    int32_t IncEvalBtn4Assessment = 0;
    int32_t PresentRandomQuestions = 0;
    int32_t PresentRandomMultiChoice = 0;
    int32_t CreateFinalFeedbackScreen = 0;
    int32_t DisableNextBtn2 = 0;
    int32_t DisableBackBtn2 = 0;
    int32_t DisableMenuBtn2 = 0;
    int32_t AutoProgressOnEvaluateInAssessment = 0;
    int32_t AutoProgressInAssessment = 0;

    // Construction, outline and expiry.
    int32_t CreateObjectivePages = 0;
    int32_t WarnInteractTooLow = 0;
    int32_t ContentScreenCount = 0;
    int32_t ForceNewPage = 0;
    int32_t UseSrcPageBreaks = 0;
    int32_t UseSrcWordHeadings = 0;
    int32_t LeftAlignBulletedLists = 0;
    int32_t LeftAlignNumberedLists = 0;
    int32_t CreateOutline = 0;
    int32_t OutlineCloseOnSelect = 0;
    QString OutlineLabel;
    QString OutlineFontName;
    QString OutlineFontWeight;
    int32_t OutlineFontSize = 0;
    uint32_t OutlineFontColor = 0;
    QString OutlineFontFamily;
    QString OutlineEncodingLabel;
    int32_t OutlineLeft = 0;
    int32_t OutlineTop = 0;
    int32_t OutlineWidth = 0;
    int32_t OutlineHeight = 0;
    uint32_t OutlineLinkColor = 0;
    int32_t OutlineUseButton = 0;
    int32_t OutlineHideInAssessment = 0;
    int32_t SetExpiry = 0;
    // Seconds since 1970-01-01 00:00 UTC.
    int64_t ExpiryDate = 0;
    QString ExpiryMessage;

    // Management: sign-in and data.
    int32_t RecordData = 0;
    int32_t SignIn = 0;
    int32_t MaySelfRegister = 0;
    int32_t UseSignInName = 0;
    QString SignInName;
    int32_t UseSignInID = 0;
    QString SignInID;
    int32_t UseSignInPassword = 0;
    QString SignInPassword;
    int32_t UseSendEmail = 0;
    QString EmailAddress;
    int32_t AllowResume = 0;

    // Databases of the LAN and web targets.
    QString LANDbTableName;
    int32_t UseLANDbDSN = 0;
    QString LANDbDSN;
    QString LANDbUID;
    QString LANDbPassword;
    QString LANDbProvider;
    QString LANDbDataSource;
    QString LANDbSundry;
    QString LANDbTableName2;
    int32_t UseASP = 0;
    QString WebASPDbTableName;
    int32_t UseWebDbASPDSN = 0;
    QString WebASPDbDSN;
    QString WebASPDbUID;
    QString WebASPDbPassword;
    QString WebASPDbProvider;
    QString WebASPDbDataSource;
    int32_t UseWebASPDbRelativePath = 0;
    QString WebASPDbSundry;
    QString WebPHPDbTableName;
    QString WebPHPDbType;
    QString WebPHPDbType4Publish;
    int32_t UseWebPHPStandardParameters = 0;
    QString WebPHPServer;
    QString WebPHPDatabase;
    int32_t UseWebPHPPersistence = 0;
    QString WebPHPUserID;
    QString WebPHPPassword;
    QString WebPHPConnectionString;
    QString WebDbTableName2;

    // Learning management system.
    int32_t UseScorm = 0;
    int32_t UseOstrelle = 0;
    QString OstrelleLessonFolder;
    int32_t SCORM12 = 0;
    int32_t CreateZip = 0;
    QString ScormExit12;
    QString ScormExit2004;
    QString LmsCompatibility;
    int32_t LmsOpensNewWindow = 0;
    int32_t LmsProtectPassedStatus = 0;

    // Publishing and internationalisation.
    QString InternationalProfileFilename;
    Slots4Int UseDefaultOutputFolder{};
    Slots4Text OutputFolder;
    int32_t EmulateIE7 = 0;
    int32_t PreviewUsingHTM = 0;
    int32_t PublishImagesAtStandardResolution = 0;
    QString LastContentLibrary;

    // Course structure, set by the Import window.
    int32_t CompleteTopicsInOrder = 0;
    int32_t MainMenuOnlyListMenu = 0;
    int32_t MainMenuNoImages = 0;
    int32_t MenuBasedCourse = 0;
    QString LinearSourceDocument;
    int32_t LinearSourceAssessable = 0;

    // Sets every setting to its built-in default. The settings only a new document object receives (the
    // glossary and help options, the profile path, the last content library) are set only when
    // includeConstructed is true, so a later new course keeps what the author chose for them. now is the
    // moment the defaults are taken, in seconds since 1970 (the expiry date's default).
    void ApplyDefaults(bool includeConstructed, int64_t now, const QString &programFolder);

    bool operator==(const CCourseSettings &) const = default;

    // The character-set name of the published pages: the text between the first "[" and the first "]" of
    // EncodingLabel, or "utf-8" when the label has not both.
    QString GetCharset() const;
};

// The kinds of setting value.
enum class SettingKind { flag, number, colour, text, date, textList, screen };

// The stores that keep a setting besides the document, as bits of CourseSettingDescriptor::stores. Where in
// a binary store a setting lies, and from which schema a reader finds it there, is written in its row
// (CourseSettingDescriptor::places); the stores build their field layouts from those places.
enum SettingStore : unsigned {
    projectFileStore = 1u << 0,  // the ".kvx" project file
    settingsFileStore = 1u << 1, // setting.bin, the defaults the author saved
    iniFileStore = 1u << 2,      // kvx.ini, under the setting's ini key
    optionsScriptStore = 1u << 3, // the published options script (content/scripts/<prefix>_prefs.js)
};

// When a reader finds a field of a binary store, by the schema number of the file it reads.
enum class SettingGate {
    always,
    atLeast,        // schema >= n
    above,          // schema > n
    atLeastOrRetry, // schema >= n, or the retry pass of a project load
    noSchemaOnly,   // a project file without a schema number, outside the retry pass
};
// The value a field takes when its gate keeps it out; monostate: it keeps what it had.
using SettingNotRead = std::variant<std::monostate, int32_t, uint32_t, QString>;

// The parts of the project file that hold settings: the block after the file's header, the one after the
// topic list, and the one after the glossary documents.
enum SettingProjectBlock { settingsBlock, afterTopics, afterGlossary };
// The parts of setting.bin: before its schema number and after it.
enum SettingFilePart { beforeSchema, afterSchema };

// Where a binary store keeps a setting: the part of the file (a SettingProjectBlock or a SettingFilePart),
// the position among that part's fields, and when a reader finds it there.
struct SettingPlace
{
    SettingStore store;
    int part;
    int position;
    SettingGate gate = SettingGate::always;
    int32_t n = 0;
    SettingNotRead notRead;
};

// One row of the settings table. Array settings have one row per slot.
struct CourseSettingDescriptor
{
    enum class DefaultSource {
        literal,        // defaultNumber or defaultText
        stringEntry,    // string-table entry defaultNumber
        stringRange,    // string-table entries defaultNumber .. rangeLast, as a list
        clockNow,       // the moment the defaults are applied
        programFile,    // the program folder followed by defaultText
    };

    const char *name;
    SettingKind kind;
    int slot;             // 0-3 for array settings, -1 otherwise
    const char *iniKey;   // the kvx.ini key, or nullptr when the setting has none
    bool constructed;     // set only when the document object is made
    DefaultSource source;
    int64_t defaultNumber;
    const char *defaultText;
    int rangeLast;
    // The stores that keep the setting (SettingStore bits).
    unsigned stores = 0;
    // Its places in the project file and setting.bin, in file order; the PHP flag has two in each.
    std::vector<SettingPlace> places;

    // Member access. Exactly one of these is set, matching the kind.
    int32_t CCourseSettings::*intMember = nullptr;
    uint32_t CCourseSettings::*colourMember = nullptr;
    QString CCourseSettings::*textMember = nullptr;
    QStringList CCourseSettings::*listMember = nullptr;
    int64_t CCourseSettings::*dateMember = nullptr;
    CCourseSettings::Slots4Int CCourseSettings::*intSlots = nullptr;
    std::array<uint32_t, 4> CCourseSettings::*colourSlots = nullptr;
    CCourseSettings::Slots4Text CCourseSettings::*textSlots = nullptr;

    // The setting's current value in s: an int for flags, numbers and screens, a uint for colours, a
    // QString, a QStringList or a qint64 for dates.
    QVariant Get(const CCourseSettings &s) const;
    // Stores value (of the form Get returns) into s.
    void Set(CCourseSettings &s, const QVariant &value) const;
    // The built-in default, taken now.
    QVariant DefaultValue(int64_t now, const QString &programFolder) const;
    // The name with its slot, as "FontName[2]"; the bare name for plain settings.
    QString DisplayName() const;
};

// Every course setting, in declaration order.
const std::vector<CourseSettingDescriptor> &CourseSettingTable();
// The row of a setting by name (with "[n]" for a slot of an array), or nullptr: for the stores, which name
// settings in their files.
const CourseSettingDescriptor *FindCourseSetting(const QString &displayName);
// The row of a plain setting by its member, or nullptr.
const CourseSettingDescriptor *FindCourseSetting(int32_t CCourseSettings::*member);
const CourseSettingDescriptor *FindCourseSetting(uint32_t CCourseSettings::*member);
const CourseSettingDescriptor *FindCourseSetting(int64_t CCourseSettings::*member);
const CourseSettingDescriptor *FindCourseSetting(QString CCourseSettings::*member);
const CourseSettingDescriptor *FindCourseSetting(QStringList CCourseSettings::*member);
