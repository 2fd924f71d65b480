#include "document/CourseSettings.h"

#include "model/ProjectSchema.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/StringTable.h"

#include <QHash>

namespace {

using D = CourseSettingDescriptor;
using Src = D::DefaultSource;
using S = CCourseSettings;
using G = SettingGate;
namespace PS = ProjectSchema;

enum Ini { none, key };
enum Made { always, constructed };

D Row(const char *name, SettingKind kind, int slot, Ini ini, Made made, Src source, int64_t number,
      const char *text = nullptr, int rangeLast = 0)
{
    D d{name, kind, slot, ini == key ? name : nullptr, made == constructed, source, number, text, rangeLast, 0u, {}};
    d.stores = ini == key ? iniFileStore : 0u;
    return d;
}

// The row with its places in the binary stores.
template <class... Places>
D Kept(D d, Places... places)
{
    d.places = {places...};
    return d;
}
// A place in the project file.
SettingPlace Kvx(SettingProjectBlock block, int position, SettingGate gate = SettingGate::always, int32_t n = 0,
                 SettingNotRead notRead = {})
{
    return {projectFileStore, block, position, gate, n, std::move(notRead)};
}
// A place in setting.bin, the defaults the author saved.
SettingPlace Bin(SettingFilePart part, int position, SettingGate gate = SettingGate::always, int32_t n = 0,
                 SettingNotRead notRead = {})
{
    return {settingsFileStore, part, position, gate, n, std::move(notRead)};
}

// A run of rows whose places follow one another: each row made through the run takes the next position in
// the project file and in setting.bin, under the run's gates.
class Run
{
public:
    Run(SettingPlace kvx, SettingPlace bin) : m_kvx(std::move(kvx)), m_bin(std::move(bin)) {}
    D operator()(D d)
    {
        d = Kept(std::move(d), m_kvx, m_bin);
        ++m_kvx.position;
        ++m_bin.position;
        return d;
    }

private:
    SettingPlace m_kvx;
    SettingPlace m_bin;
};

D Int(const char *name, SettingKind kind, int32_t S::*m, int32_t def, Ini ini = none, Made made = always)
{
    D d = Row(name, kind, -1, ini, made, Src::literal, def);
    d.intMember = m;
    return d;
}
D Flag(const char *name, int32_t S::*m, int32_t def, Ini ini = none, Made made = always)
{
    return Int(name, SettingKind::flag, m, def, ini, made);
}
D Number(const char *name, int32_t S::*m, int32_t def, Ini ini = none)
{
    return Int(name, SettingKind::number, m, def, ini);
}
D Colour(const char *name, uint32_t S::*m, uint32_t def, Ini ini = none)
{
    D d = Row(name, SettingKind::colour, -1, ini, always, Src::literal, def);
    d.colourMember = m;
    return d;
}
D Text(const char *name, QString S::*m, const char *def, Ini ini = none, Made made = always)
{
    D d = Row(name, SettingKind::text, -1, ini, made, Src::literal, 0, def);
    d.textMember = m;
    return d;
}
D TextId(const char *name, QString S::*m, int id, Ini ini = none)
{
    D d = Row(name, SettingKind::text, -1, ini, always, Src::stringEntry, id);
    d.textMember = m;
    return d;
}
// Array slots: only slot 0 of the font arrays has an ini key.
D TextSlot(const char *name, S::Slots4Text S::*m, int slot, const char *def, Ini ini = none)
{
    D d = Row(name, SettingKind::text, slot, ini, always, Src::literal, 0, def);
    d.textSlots = m;
    return d;
}
D TextSlotId(const char *name, S::Slots4Text S::*m, int slot, int id, Ini ini = none)
{
    D d = Row(name, SettingKind::text, slot, ini, always, Src::stringEntry, id);
    d.textSlots = m;
    return d;
}
D IntSlot(const char *name, SettingKind kind, S::Slots4Int S::*m, int slot, int32_t def, Ini ini = none)
{
    D d = Row(name, kind, slot, ini, always, Src::literal, def);
    d.intSlots = m;
    return d;
}
D ColourSlot(const char *name, std::array<uint32_t, 4> S::*m, int slot, uint32_t def, Ini ini = none)
{
    D d = Row(name, SettingKind::colour, slot, ini, always, Src::literal, def);
    d.colourSlots = m;
    return d;
}
D List(const char *name, QStringList S::*m, int firstId = 0, int lastId = -1)
{
    D d = Row(name, SettingKind::textList, -1, none, always, firstId ? Src::stringRange : Src::literal, firstId,
              nullptr, lastId);
    d.listMember = m;
    return d;
}
D Date(const char *name, int64_t S::*m)
{
    D d = Row(name, SettingKind::date, -1, none, always, Src::clockNow, 0);
    d.dateMember = m;
    return d;
}
D ProgramFile(const char *name, QString S::*m, const char *file, Ini ini, Made made)
{
    D d = Row(name, SettingKind::text, -1, ini, made, Src::programFile, 0, file);
    d.textMember = m;
    return d;
}

constexpr auto flag = SettingKind::flag;
constexpr auto number = SettingKind::number;

const char *const kArialFamily = "Arial, Helvetica, sans-serif";
// The SCORM exit value is written into the run-time's script as it stands, quotes included.
const char *const kSuspendQuoted = "\"suspend\"";

// Each row: the setting, then its places in the binary stores: Kvx in the project file, Bin in setting.bin,
// each with its part of the file, its position there and the gate a reader applies. The program's own
// options (the import switches, the profile, the preview and picture-resolution options, the last content
// library) have no place in the project file; the course's own layout and run-time choices have none in
// setting.bin. The PHP flag is written twice in both; on reading, the second copy is the one that stays.
std::vector<D> BuildTable()
{
    // Runs of rows whose places follow one another: the learning-object metadata, the pan-and-zoom choices, the
    // outline window. Their rows below are made in the order they stand.
    Run lom(Kvx(settingsBlock, 12, G::above, PS::kLom), Bin(beforeSchema, 12));
    Run kenBurns(Kvx(afterGlossary, 1, G::atLeast, PS::kKenBurns),
                 Bin(afterSchema, 20, G::atLeast, PS::kSettingsKenBurns));
    Run outline(Kvx(settingsBlock, 111, G::atLeast, PS::kOutline), Bin(beforeSchema, 89));
    return {
        // General and course metadata.
        Kept(Number("DictionaryLanguage", &S::DictionaryLanguage, 32960),
             Kvx(settingsBlock, 0, G::atLeast, PS::kDictionaryLanguage), Bin(beforeSchema, 0)),
        Kept(Text("CourseName", &S::CourseName, "", key), Kvx(settingsBlock, 1), Bin(beforeSchema, 1)),
        Kept(Flag("ShowCourseName", &S::ShowCourseName, 1, key),
             Kvx(settingsBlock, 2, G::atLeastOrRetry, PS::kCourseShowFlags, 1), Bin(beforeSchema, 2)),
        Kept(Text("CourseCode", &S::CourseCode, "", key), Kvx(settingsBlock, 3), Bin(beforeSchema, 3)),
        Kept(Flag("ShowCourseCode", &S::ShowCourseCode, 1, key),
             Kvx(settingsBlock, 4, G::atLeastOrRetry, PS::kCourseShowFlags, 1), Bin(beforeSchema, 4)),
        Kept(Text("CourseAuthor", &S::CourseAuthor, "", key),
             Kvx(settingsBlock, 5, G::atLeastOrRetry, PS::kCourseShowFlags, QString()), Bin(beforeSchema, 5)),
        Kept(Flag("ShowCourseAuthor", &S::ShowCourseAuthor, 1, key),
             Kvx(settingsBlock, 6, G::atLeastOrRetry, PS::kCourseShowFlags, 1), Bin(beforeSchema, 6)),
        Kept(Text("CourseDate", &S::CourseDate, ""),
             Kvx(settingsBlock, 7, G::atLeastOrRetry, PS::kCourseShowFlags, QString()), Bin(beforeSchema, 7)),
        Kept(Flag("ShowCourseDate", &S::ShowCourseDate, 1),
             Kvx(settingsBlock, 8, G::atLeastOrRetry, PS::kCourseShowFlags, 1), Bin(beforeSchema, 8)),
        Kept(Text("CourseDescription", &S::CourseDescription, ""), Kvx(settingsBlock, 9), Bin(beforeSchema, 9)),
        Kept(Flag("ShowCourseDescription", &S::ShowCourseDescription, 1),
             Kvx(settingsBlock, 10, G::atLeastOrRetry, PS::kCourseShowFlags, 1), Bin(beforeSchema, 10)),
        Flag("UseSourceDocumentFonts", &S::UseSourceDocumentFonts, 0, key),
        Flag("FastPowerpointImport", &S::FastPowerpointImport, 1, key),
        Flag("ImportPowerpointAsImages", &S::ImportPowerpointAsImages, 0, key),
        Kept(Text("LomKeywords", &S::LomKeywords, ""), Kvx(settingsBlock, 11), Bin(beforeSchema, 11)),
        lom(Text("LomOrganization", &S::LomOrganization, "")),
        lom(Text("LomAddress", &S::LomAddress, "")),
        lom(Text("LomTelephone", &S::LomTelephone, "")),
        lom(Text("LomEmail", &S::LomEmail, "")),
        lom(Text("LomCatalog", &S::LomCatalog, "")),
        lom(Text("LomEntry", &S::LomEntry, "")),
        lom(Flag("LomCost", &S::LomCost, 0)),
        lom(Flag("LomCopyright", &S::LomCopyright, 0)),
        lom(Text("LomRightsDescription", &S::LomRightsDescription, "")),
        lom(Text("LomVersion", &S::LomVersion, "")),
        lom(Text("LomOrganizationTitle", &S::LomOrganizationTitle, "")),
        lom(Text("LomItemTitle", &S::LomItemTitle, "")),
        lom(Number("LomLanguage", &S::LomLanguage, 1)),
        lom(Number("LomStatus", &S::LomStatus, 0)),
        lom(Number("LomPurpose", &S::LomPurpose, 0)),
        lom(Number("LomResourceType", &S::LomResourceType, 0)),

        // Appearance.
        Kept(Text("Theme", &S::Theme, "", key), Kvx(settingsBlock, 29), Bin(beforeSchema, 28)),
        Kept(Flag("UseCustomBackground", &S::UseCustomBackground, 0, key),
             Kvx(settingsBlock, 30), Bin(beforeSchema, 29)),
        Kept(Colour("BgColor", &S::BgColor, 16777215, key), Kvx(settingsBlock, 31), Bin(beforeSchema, 30)),
        Kept(Text("BgImage", &S::BgImage, "", key), Kvx(settingsBlock, 32), Bin(beforeSchema, 31)),
        Kept(Flag("UseBgImgTile", &S::UseBgImgTile, 0, key), Kvx(settingsBlock, 33), Bin(beforeSchema, 32)),
        Kept(Text("LogoImage", &S::LogoImage, "", key), Kvx(settingsBlock, 34), Bin(beforeSchema, 33)),
        Kept(Flag("SwapTopAndNavigationBars", &S::SwapTopAndNavigationBars, 0, key),
             Kvx(settingsBlock, 35, G::atLeast, PS::kBarsLayout)),
        Kept(Flag("HideTopBar", &S::HideTopBar, 0, key), Kvx(settingsBlock, 36, G::atLeast, PS::kBarsLayout)),
        Kept(Flag("RemoveTopBarSpace", &S::RemoveTopBarSpace, 0, key),
             Kvx(settingsBlock, 37, G::atLeast, PS::kBarsLayout)),
        Kept(Flag("HideNavigationBar", &S::HideNavigationBar, 0, key),
             Kvx(settingsBlock, 38, G::atLeast, PS::kBarsLayout)),
        Kept(Flag("RemoveNavigationBarSpace", &S::RemoveNavigationBarSpace, 0, key),
             Kvx(settingsBlock, 39, G::atLeast, PS::kBarsLayout)),
        Kept(Number("TemplateType", &S::TemplateType, 10, key), Kvx(settingsBlock, 40), Bin(beforeSchema, 34)),

        // Fonts: 0 main body, 1 course name, 2 outline, 3 glossary.
        Kept(TextSlotId("FontName", &S::FontName, 0, 10560, key), Kvx(settingsBlock, 41), Bin(beforeSchema, 35)),
        Kept(TextSlotId("FontName", &S::FontName, 1, 10560),
             Kvx(settingsBlock, 47, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 39)),
        Kept(TextSlotId("FontName", &S::FontName, 2, 10560),
             Kvx(settingsBlock, 53, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 45)),
        Kept(TextSlotId("FontName", &S::FontName, 3, 10562),
             Kvx(settingsBlock, 59, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 12, G::atLeast, PS::kSettingsGlossary)),
        Kept(IntSlot("FontSize", number, &S::FontSize, 0, 3, key), Kvx(settingsBlock, 42), Bin(beforeSchema, 36)),
        Kept(IntSlot("FontSize", number, &S::FontSize, 1, 3),
             Kvx(settingsBlock, 48, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 40)),
        Kept(IntSlot("FontSize", number, &S::FontSize, 2, 3),
             Kvx(settingsBlock, 54, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 46)),
        Kept(IntSlot("FontSize", number, &S::FontSize, 3, 3),
             Kvx(settingsBlock, 60, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 13, G::atLeast, PS::kSettingsGlossary)),
        Kept(TextSlot("FontSizePoints", &S::FontSizePoints, 0, "12", key),
             Kvx(settingsBlock, 45, G::atLeast, PS::kGlossary, QStringLiteral("12")),
             Bin(afterSchema, 10, G::atLeast, PS::kSettingsGlossary, QStringLiteral("12"))),
        Kept(TextSlot("FontSizePoints", &S::FontSizePoints, 1, "36"),
             Kvx(settingsBlock, 51, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 43)),
        Kept(TextSlot("FontSizePoints", &S::FontSizePoints, 2, "10"),
             Kvx(settingsBlock, 57, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 49)),
        Kept(TextSlot("FontSizePoints", &S::FontSizePoints, 3, "12"),
             Kvx(settingsBlock, 63, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 16, G::atLeast, PS::kSettingsGlossary)),
        Kept(ColourSlot("FontColor", &S::FontColor, 0, 0, key), Kvx(settingsBlock, 43), Bin(beforeSchema, 37)),
        Kept(ColourSlot("FontColor", &S::FontColor, 1, 0),
             Kvx(settingsBlock, 49, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 41)),
        Kept(ColourSlot("FontColor", &S::FontColor, 2, 0),
             Kvx(settingsBlock, 55, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 47)),
        Kept(ColourSlot("FontColor", &S::FontColor, 3, 0),
             Kvx(settingsBlock, 61, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 14, G::atLeast, PS::kSettingsGlossary)),
        Kept(TextSlotId("FontFamily", &S::FontFamily, 0, 10561, key), Kvx(settingsBlock, 44), Bin(beforeSchema, 38)),
        Kept(TextSlotId("FontFamily", &S::FontFamily, 1, 10561),
             Kvx(settingsBlock, 50, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 42)),
        Kept(TextSlotId("FontFamily", &S::FontFamily, 2, 10561),
             Kvx(settingsBlock, 56, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 48)),
        Kept(TextSlotId("FontFamily", &S::FontFamily, 3, 10561),
             Kvx(settingsBlock, 62, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 15, G::atLeast, PS::kSettingsGlossary)),
        Kept(TextSlot("FontWeight", &S::FontWeight, 0, "normal"),
             Kvx(settingsBlock, 46, G::atLeast, PS::kGlossary, QStringLiteral("normal")),
             Bin(afterSchema, 11, G::atLeast, PS::kSettingsGlossary, QStringLiteral("normal"))),
        Kept(TextSlot("FontWeight", &S::FontWeight, 1, "bold"),
             Kvx(settingsBlock, 52, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 44)),
        Kept(TextSlot("FontWeight", &S::FontWeight, 2, "bold"),
             Kvx(settingsBlock, 58, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 50)),
        Kept(TextSlot("FontWeight", &S::FontWeight, 3, "normal"),
             Kvx(settingsBlock, 64, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 17, G::atLeast, PS::kSettingsGlossary)),
        Kept(Text("EncodingLabel", &S::EncodingLabel, S::kUtf8EncodingLabel),
             Kvx(settingsBlock, 65, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 51)),
        Kept(Flag("RightToLeft", &S::RightToLeft, 0),
             Kvx(settingsBlock, 66, G::atLeast, PS::kRightToLeft),
             Bin(afterSchema, 0, G::atLeast, PS::kSettingsDirection)),

        // Graphics.
        Kept(Number("GraphicSize", &S::GraphicSize, 1, key), Kvx(settingsBlock, 67), Bin(beforeSchema, 52)),
        Kept(Flag("IncludeSourceDocGraphics", &S::IncludeSourceDocGraphics, 1, key),
             Kvx(settingsBlock, 68), Bin(beforeSchema, 53)),
        Kept(Flag("AddBorderToImages", &S::AddBorderToImages, 0, key), Kvx(settingsBlock, 69), Bin(beforeSchema, 54)),
        Kept(Number("ImageBorderType", &S::ImageBorderType, 0, key), Kvx(settingsBlock, 70), Bin(beforeSchema, 55)),
        Kept(Flag("AutoGenerateGraphics", &S::AutoGenerateGraphics, 1, key),
             Kvx(settingsBlock, 71), Bin(beforeSchema, 56)),
        Kept(Flag("UseColorPhotos", &S::UseColorPhotos, 1, key), Kvx(settingsBlock, 72), Bin(beforeSchema, 57)),
        Kept(Flag("UseBWPhotos", &S::UseBWPhotos, 1, key), Kvx(settingsBlock, 73), Bin(beforeSchema, 58)),
        Kept(Flag("UsePhotoObjects", &S::UsePhotoObjects, 1, key), Kvx(settingsBlock, 74), Bin(beforeSchema, 59)),
        Kept(Flag("UseClipArt", &S::UseClipArt, 0, key), Kvx(settingsBlock, 75), Bin(beforeSchema, 60)),
        Kept(Flag("UseRandomlyDisplayMatchingGraphics", &S::UseRandomlyDisplayMatchingGraphics, 1, key),
             Kvx(settingsBlock, 76), Bin(beforeSchema, 61)),
        Kept(Flag("UsePrioritiseGraphicsCategories", &S::UsePrioritiseGraphicsCategories, 0, key),
             Kvx(settingsBlock, 77), Bin(beforeSchema, 62)),
        Kept(List("GraphicsCategories", &S::GraphicsCategories, 15019, 15038),
             Kvx(settingsBlock, 78), Bin(beforeSchema, 63)),
        Kept(List("PriorityCategories", &S::PriorityCategories), Kvx(settingsBlock, 79), Bin(beforeSchema, 64)),
        kenBurns(Flag("RandomKenBurns", &S::RandomKenBurns, 0)),
        kenBurns(Number("KenBurnsInterval", &S::KenBurnsInterval, 3)),
        kenBurns(Flag("KenBurnsZoomIn", &S::KenBurnsZoomIn, 1)),
        kenBurns(Flag("KenBurnsZoomOut", &S::KenBurnsZoomOut, 1)),
        kenBurns(Flag("KenBurnsPan", &S::KenBurnsPan, 1)),
        kenBurns(Flag("KenBurnsFadeIn", &S::KenBurnsFadeIn, 1)),
        kenBurns(Flag("KenBurnsGrow", &S::KenBurnsGrow, 1)),

        // Buttons and navigation.
        Kept(Flag("UseBtnNext", &S::UseBtnNext, 1, key), Kvx(settingsBlock, 80), Bin(beforeSchema, 65)),
        Kept(Flag("UseBtnBack", &S::UseBtnBack, 1, key), Kvx(settingsBlock, 81), Bin(beforeSchema, 66)),
        Kept(Flag("UseBtnMenu", &S::UseBtnMenu, 1, key), Kvx(settingsBlock, 82), Bin(beforeSchema, 67)),
        Kept(Flag("UseBtnQuit", &S::UseBtnQuit, 1, key), Kvx(settingsBlock, 83), Bin(beforeSchema, 68)),
        Kept(TextId("LblNext", &S::LblNext, 10681, key), Kvx(settingsBlock, 84), Bin(beforeSchema, 69)),
        Kept(TextId("LblBack", &S::LblBack, 10682, key), Kvx(settingsBlock, 85), Bin(beforeSchema, 70)),
        Kept(TextId("LblMenu", &S::LblMenu, 10683, key), Kvx(settingsBlock, 86), Bin(beforeSchema, 71)),
        Kept(TextId("LblQuit", &S::LblQuit, 10684, key), Kvx(settingsBlock, 87), Bin(beforeSchema, 72)),
        Kept(TextId("LblDone", &S::LblDone, 10685, key), Kvx(settingsBlock, 88), Bin(beforeSchema, 73)),
        Kept(TextId("LblPlay", &S::LblPlay, 10686, key), Kvx(settingsBlock, 89), Bin(beforeSchema, 74)),
        Kept(TextId("LblStop", &S::LblStop, 10687, key), Kvx(settingsBlock, 90), Bin(beforeSchema, 75)),
        Kept(Flag("UseProgressBar", &S::UseProgressBar, 1, key), Kvx(settingsBlock, 91), Bin(beforeSchema, 76)),
        Kept(Number("TimeBetweenScreens", &S::TimeBetweenScreens, 6, key),
             Kvx(settingsBlock, 92), Bin(beforeSchema, 77)),
        Kept(Number("McToggleType", &S::McToggleType, 0, key), Kvx(settingsBlock, 93), Bin(beforeSchema, 78)),
        Kept(Text("NextButtonDelay", &S::NextButtonDelay, "7"),
             Kvx(settingsBlock, 95, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 80)),
        Kept(Flag("DelayNextButton", &S::DelayNextButton, 0),
             Kvx(settingsBlock, 94, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 79)),
        Kept(Flag("NoNextAtTopicEnd", &S::NoNextAtTopicEnd, 0),
             Kvx(settingsBlock, 100, G::above, PS::kNoNextAtTopicEnd), Bin(beforeSchema, 197)),
        Kept(Flag("ShowGlossary", &S::ShowGlossary, 1, none, constructed),
             Kvx(settingsBlock, 101, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 7, G::atLeast, PS::kSettingsGlossary)),
        Kept(Flag("HideGlossaryInAssessment", &S::HideGlossaryInAssessment, 1, none, constructed),
             Kvx(settingsBlock, 102, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 8, G::atLeast, PS::kSettingsGlossary)),
        Kept(Flag("HideHelpInAssessment", &S::HideHelpInAssessment, 1, none, constructed),
             Kvx(settingsBlock, 103, G::atLeast, PS::kGlossary),
             Bin(afterSchema, 9, G::atLeast, PS::kSettingsGlossary)),
        Kept(Int("HelpScreen", SettingKind::screen, &S::HelpScreen, 0, none, constructed),
             Kvx(settingsBlock, 104, G::atLeast, PS::kGlossary)),

        // Questions and assessment.
        Kept(Number("QuestResponse", &S::QuestResponse, 0, key), Kvx(settingsBlock, 105), Bin(beforeSchema, 83)),
        Kept(Flag("UseQuestFeedback", &S::UseQuestFeedback, 1, key), Kvx(settingsBlock, 106), Bin(beforeSchema, 84)),
        Kept(TextId("FeedBackCorrect", &S::FeedBackCorrect, 30002, key),
             Kvx(settingsBlock, 107), Bin(beforeSchema, 85)),
        Kept(TextId("FeedBackWrong", &S::FeedBackWrong, 30004, key), Kvx(settingsBlock, 108), Bin(beforeSchema, 86)),
        Kept(Flag("DisableNextBtn", &S::DisableNextBtn, 1, key), Kvx(settingsBlock, 109), Bin(beforeSchema, 87)),
        Kept(Flag("IncEvalBtn", &S::IncEvalBtn, 1, key), Kvx(settingsBlock, 110), Bin(beforeSchema, 88)),
        Kept(Flag("AutoProgress", &S::AutoProgress, 0),
             Kvx(settingsBlock, 97, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 82)),
        Kept(Flag("AutoProgressOnEvaluate", &S::AutoProgressOnEvaluate, 0),
             Kvx(afterTopics, 0, G::atLeast, PS::kAutoProgressOnEvaluate),
             Bin(afterSchema, 3, G::atLeast, PS::kSettingsDirection)),
        Kept(Flag("AutoCreateDragDropQuest", &S::AutoCreateDragDropQuest, 0, key),
             Kvx(settingsBlock, 127), Bin(beforeSchema, 103)),
        Kept(Number("DragDropQuestInterval", &S::DragDropQuestInterval, 10, key),
             Kvx(settingsBlock, 128), Bin(beforeSchema, 104)),
        Kept(Number("DragDropQuestWordCount", &S::DragDropQuestWordCount, 6, key),
             Kvx(settingsBlock, 129), Bin(beforeSchema, 105)),
        Kept(Flag("UseRandScreensQuest", &S::UseRandScreensQuest, 0, key),
             Kvx(settingsBlock, 130), Bin(beforeSchema, 106)),
        Kept(Flag("LastAssessmentTopic", &S::LastAssessmentTopic, 0, key),
             Kvx(settingsBlock, 131), Bin(beforeSchema, 107)),
        Kept(Flag("ShowCorrectAnswer", &S::ShowCorrectAnswer, 0, key),
             Kvx(settingsBlock, 132), Bin(beforeSchema, 108)),
        Kept(Flag("ProvideFeedback", &S::ProvideFeedback, 0, key), Kvx(settingsBlock, 133), Bin(beforeSchema, 109)),
        Kept(TextId("AssmntFeedBackCorrect", &S::AssmntFeedBackCorrect, 30002, key),
             Kvx(settingsBlock, 134), Bin(beforeSchema, 110)),
        Kept(TextId("AssmntFeedBackWrong", &S::AssmntFeedBackWrong, 30004, key),
             Kvx(settingsBlock, 135), Bin(beforeSchema, 111)),
        Kept(Flag("SetTimeLimitPerQuestion", &S::SetTimeLimitPerQuestion, 0, key),
             Kvx(settingsBlock, 136), Bin(beforeSchema, 112)),
        Kept(Flag("ShowTimer", &S::ShowTimer, 1, key), Kvx(settingsBlock, 137), Bin(beforeSchema, 113)),
        Kept(Number("TimeLimitType", &S::TimeLimitType, 0, key), Kvx(settingsBlock, 138), Bin(beforeSchema, 114)),
        Kept(Number("TimeLimitEachQuestion", &S::TimeLimitEachQuestion, 60, key),
             Kvx(settingsBlock, 139), Bin(beforeSchema, 115)),
        Kept(Number("TimeLimitAllQuestions", &S::TimeLimitAllQuestions, 600, key),
             Kvx(settingsBlock, 140), Bin(beforeSchema, 116)),
        Kept(Flag("SetQuestionCountFromPool", &S::SetQuestionCountFromPool, 0, key),
             Kvx(settingsBlock, 141), Bin(beforeSchema, 117)),
        Kept(Number("QuestionCountFromPool", &S::QuestionCountFromPool, 80, key),
             Kvx(settingsBlock, 142), Bin(beforeSchema, 118)),
        Kept(Flag("SetPercentagePassMark", &S::SetPercentagePassMark, 1, key),
             Kvx(settingsBlock, 143), Bin(beforeSchema, 119)),
        Kept(Number("PercentagePassMark", &S::PercentagePassMark, 80, key),
             Kvx(settingsBlock, 144), Bin(beforeSchema, 120)),
        Kept(Flag("IncEvalBtn4Assessment", &S::IncEvalBtn4Assessment, 1, key),
             Kvx(settingsBlock, 145), Bin(beforeSchema, 121)),
        Kept(Flag("PresentRandomQuestions", &S::PresentRandomQuestions, 1, key),
             Kvx(settingsBlock, 146), Bin(beforeSchema, 122)),
        Kept(Flag("PresentRandomMultiChoice", &S::PresentRandomMultiChoice, 1, key),
             Kvx(settingsBlock, 147), Bin(beforeSchema, 123)),
        Kept(Flag("CreateFinalFeedbackScreen", &S::CreateFinalFeedbackScreen, 1, key),
             Kvx(settingsBlock, 148), Bin(beforeSchema, 124)),
        Kept(Flag("DisableNextBtn2", &S::DisableNextBtn2, 0, key), Kvx(settingsBlock, 149), Bin(beforeSchema, 125)),
        Kept(Flag("DisableBackBtn2", &S::DisableBackBtn2, 1, key), Kvx(settingsBlock, 150), Bin(beforeSchema, 126)),
        Kept(Flag("DisableMenuBtn2", &S::DisableMenuBtn2, 0, key), Kvx(settingsBlock, 151), Bin(beforeSchema, 127)),
        Kept(Flag("AutoProgressOnEvaluateInAssessment", &S::AutoProgressOnEvaluateInAssessment, 0),
             Kvx(afterTopics, 1, G::atLeast, PS::kAutoProgressOnEvaluate),
             Bin(afterSchema, 1, G::atLeast, PS::kSettingsDirection)),
        Kept(Flag("AutoProgressInAssessment", &S::AutoProgressInAssessment, 0),
             Kvx(settingsBlock, 152, G::atLeast, PS::kAutoProgressInAssessment),
             Bin(afterSchema, 2, G::atLeast, PS::kSettingsDirection)),

        // Construction, outline and expiry.
        Kept(Flag("CreateObjectivePages", &S::CreateObjectivePages, 0, key),
             Kvx(settingsBlock, 153), Bin(beforeSchema, 128)),
        Kept(Flag("WarnInteractTooLow", &S::WarnInteractTooLow, 1, key),
             Kvx(settingsBlock, 154), Bin(beforeSchema, 129)),
        Kept(Number("ContentScreenCount", &S::ContentScreenCount, 4, key),
             Kvx(settingsBlock, 155), Bin(beforeSchema, 130)),
        Kept(Flag("ForceNewPage", &S::ForceNewPage, 0, key), Kvx(settingsBlock, 156), Bin(beforeSchema, 131)),
        Kept(Flag("UseSrcPageBreaks", &S::UseSrcPageBreaks, 1, key), Kvx(settingsBlock, 157), Bin(beforeSchema, 132)),
        Kept(Flag("UseSrcWordHeadings", &S::UseSrcWordHeadings, 1, key),
             Kvx(settingsBlock, 158), Bin(beforeSchema, 133)),
        Kept(Flag("LeftAlignBulletedLists", &S::LeftAlignBulletedLists, 1, key),
             Kvx(settingsBlock, 159, G::atLeast, PS::kLeftAlignLists, 1)),
        Kept(Flag("LeftAlignNumberedLists", &S::LeftAlignNumberedLists, 1, key),
             Kvx(settingsBlock, 160, G::atLeast, PS::kLeftAlignLists, 1)),
        outline(Flag("CreateOutline", &S::CreateOutline, 0)),
        outline(Flag("OutlineCloseOnSelect", &S::OutlineCloseOnSelect, 0)),
        outline(Text("OutlineLabel", &S::OutlineLabel, "OUTLINE")),
        outline(Text("OutlineFontName", &S::OutlineFontName, "Arial")),
        outline(Text("OutlineFontWeight", &S::OutlineFontWeight, "bold")),
        outline(Number("OutlineFontSize", &S::OutlineFontSize, 8)),
        outline(Colour("OutlineFontColor", &S::OutlineFontColor, 0)),
        outline(Text("OutlineFontFamily", &S::OutlineFontFamily, kArialFamily)),
        outline(Text("OutlineEncodingLabel", &S::OutlineEncodingLabel, S::kUtf8EncodingLabel)),
        outline(Number("OutlineLeft", &S::OutlineLeft, 12)),
        outline(Number("OutlineTop", &S::OutlineTop, 4)),
        outline(Number("OutlineWidth", &S::OutlineWidth, 300)),
        outline(Number("OutlineHeight", &S::OutlineHeight, 560)),
        Kept(Colour("OutlineLinkColor", &S::OutlineLinkColor, 0),
             Kvx(settingsBlock, 124, G::atLeast, PS::kOutlineLinkColor, 0u), Bin(beforeSchema, 102)),
        Kept(Flag("OutlineUseButton", &S::OutlineUseButton, 0),
             Kvx(settingsBlock, 125, G::atLeast, PS::kOutlineButton, 0),
             Bin(afterSchema, 4, G::atLeast, PS::kSettingsOutlineButton)),
        Kept(Flag("OutlineHideInAssessment", &S::OutlineHideInAssessment, 0),
             Kvx(settingsBlock, 126, G::atLeast, PS::kOutlineButton, 0),
             Bin(afterSchema, 5, G::atLeast, PS::kSettingsOutlineButton)),
        Kept(Flag("SetExpiry", &S::SetExpiry, 0),
             Kvx(settingsBlock, 161, G::atLeast, PS::kExpiry), Bin(beforeSchema, 134)),
        Kept(Date("ExpiryDate", &S::ExpiryDate),
             Kvx(settingsBlock, 162, G::atLeast, PS::kExpiry), Bin(beforeSchema, 135)),
        Kept(Text("ExpiryMessage", &S::ExpiryMessage, "This course has now expired"),
             Kvx(settingsBlock, 163, G::atLeast, PS::kExpiry), Bin(beforeSchema, 136)),

        // Management: sign-in and data.
        Kept(Flag("RecordData", &S::RecordData, 0, key), Kvx(settingsBlock, 164), Bin(beforeSchema, 137)),
        Kept(Flag("SignIn", &S::SignIn, 0, key), Kvx(settingsBlock, 165), Bin(beforeSchema, 138)),
        Kept(Flag("MaySelfRegister", &S::MaySelfRegister, 0, key), Kvx(settingsBlock, 166), Bin(beforeSchema, 139)),
        Kept(Flag("UseSignInName", &S::UseSignInName, 1, key), Kvx(settingsBlock, 167), Bin(beforeSchema, 140)),
        Kept(Text("SignInName", &S::SignInName, "Name", key), Kvx(settingsBlock, 168), Bin(beforeSchema, 141)),
        Kept(Flag("UseSignInID", &S::UseSignInID, 1, key), Kvx(settingsBlock, 169), Bin(beforeSchema, 142)),
        Kept(Text("SignInID", &S::SignInID, "ID", key), Kvx(settingsBlock, 170), Bin(beforeSchema, 143)),
        Kept(Flag("UseSignInPassword", &S::UseSignInPassword, 1, key),
             Kvx(settingsBlock, 171), Bin(beforeSchema, 144)),
        Kept(Text("SignInPassword", &S::SignInPassword, "Password", key),
             Kvx(settingsBlock, 172), Bin(beforeSchema, 145)),
        Kept(Flag("UseSendEmail", &S::UseSendEmail, 0, key), Kvx(settingsBlock, 173), Bin(beforeSchema, 146)),
        Kept(Text("EmailAddress", &S::EmailAddress, "Enter email address here", key),
             Kvx(settingsBlock, 174), Bin(beforeSchema, 147)),
        Kept(Flag("AllowResume", &S::AllowResume, 0),
             Kvx(settingsBlock, 175, G::above, PS::kAllowResume), Bin(beforeSchema, 148)),

        // Databases of the LAN and web targets.
        Kept(Text("LANDbTableName", &S::LANDbTableName, "Table1", key),
             Kvx(settingsBlock, 176), Bin(beforeSchema, 149)),
        Kept(Flag("UseLANDbDSN", &S::UseLANDbDSN, 1, key), Kvx(settingsBlock, 177), Bin(beforeSchema, 150)),
        Kept(Text("LANDbDSN", &S::LANDbDSN, "", key), Kvx(settingsBlock, 178), Bin(beforeSchema, 151)),
        Kept(Text("LANDbUID", &S::LANDbUID, "Admin", key), Kvx(settingsBlock, 179), Bin(beforeSchema, 152)),
        Kept(Text("LANDbPassword", &S::LANDbPassword, "", key), Kvx(settingsBlock, 180), Bin(beforeSchema, 153)),
        Kept(Text("LANDbProvider", &S::LANDbProvider, "", key), Kvx(settingsBlock, 181), Bin(beforeSchema, 154)),
        Kept(Text("LANDbDataSource", &S::LANDbDataSource, "", key), Kvx(settingsBlock, 182), Bin(beforeSchema, 155)),
        Kept(Text("LANDbSundry", &S::LANDbSundry, "", key), Kvx(settingsBlock, 183), Bin(beforeSchema, 156)),
        Kept(Text("LANDbTableName2", &S::LANDbTableName2, "Table2"),
             Kvx(settingsBlock, 184, G::atLeast, PS::kSecondTables), Bin(beforeSchema, 157)),
        Kept(Flag("UseASP", &S::UseASP, 1, key), Kvx(settingsBlock, 185), Bin(beforeSchema, 158)),
        Kept(Text("WebASPDbTableName", &S::WebASPDbTableName, "Table1", key),
             Kvx(settingsBlock, 186), Bin(beforeSchema, 159)),
        Kept(Flag("UseWebDbASPDSN", &S::UseWebDbASPDSN, 1, key), Kvx(settingsBlock, 187), Bin(beforeSchema, 160)),
        Kept(Text("WebASPDbDSN", &S::WebASPDbDSN, "", key), Kvx(settingsBlock, 188), Bin(beforeSchema, 161)),
        Kept(Text("WebASPDbUID", &S::WebASPDbUID, "Admin", key), Kvx(settingsBlock, 189), Bin(beforeSchema, 162)),
        Kept(Text("WebASPDbPassword", &S::WebASPDbPassword, "", key),
             Kvx(settingsBlock, 190), Bin(beforeSchema, 163)),
        Kept(Text("WebASPDbProvider", &S::WebASPDbProvider, "", key),
             Kvx(settingsBlock, 191), Bin(beforeSchema, 164)),
        Kept(Text("WebASPDbDataSource", &S::WebASPDbDataSource, "", key),
             Kvx(settingsBlock, 192), Bin(beforeSchema, 165)),
        Kept(Flag("UseWebASPDbRelativePath", &S::UseWebASPDbRelativePath, 0, key),
             Kvx(settingsBlock, 193), Bin(beforeSchema, 166)),
        Kept(Text("WebASPDbSundry", &S::WebASPDbSundry, "", key), Kvx(settingsBlock, 194), Bin(beforeSchema, 167)),
        Kept(Text("WebPHPDbTableName", &S::WebPHPDbTableName, "Table1", key),
             Kvx(settingsBlock, 195), Bin(beforeSchema, 168)),
        Kept(Text("WebPHPDbType", &S::WebPHPDbType, "", key), Kvx(settingsBlock, 197), Bin(beforeSchema, 170)),
        Kept(Text("WebPHPDbType4Publish", &S::WebPHPDbType4Publish, "", key),
             Kvx(settingsBlock, 198), Bin(beforeSchema, 171)),
        Kept(Flag("UseWebPHPStandardParameters", &S::UseWebPHPStandardParameters, 1, key),
             Kvx(settingsBlock, 196), Kvx(settingsBlock, 199), Bin(beforeSchema, 169), Bin(beforeSchema, 172)),
        Kept(Text("WebPHPServer", &S::WebPHPServer, "", key), Kvx(settingsBlock, 200), Bin(beforeSchema, 173)),
        Kept(Text("WebPHPDatabase", &S::WebPHPDatabase, "", key), Kvx(settingsBlock, 201), Bin(beforeSchema, 174)),
        Kept(Flag("UseWebPHPPersistence", &S::UseWebPHPPersistence, 0, key),
             Kvx(settingsBlock, 202), Bin(beforeSchema, 175)),
        Kept(Text("WebPHPUserID", &S::WebPHPUserID, "", key), Kvx(settingsBlock, 203), Bin(beforeSchema, 176)),
        Kept(Text("WebPHPPassword", &S::WebPHPPassword, "", key), Kvx(settingsBlock, 204), Bin(beforeSchema, 177)),
        Kept(Text("WebPHPConnectionString", &S::WebPHPConnectionString, "", key),
             Kvx(settingsBlock, 205), Bin(beforeSchema, 178)),
        Kept(Text("WebDbTableName2", &S::WebDbTableName2, "Table2"),
             Kvx(settingsBlock, 206, G::atLeast, PS::kSecondTables), Bin(beforeSchema, 179)),

        // Learning management system.
        Kept(Flag("UseScorm", &S::UseScorm, 1),
             Kvx(settingsBlock, 212, G::atLeast, PS::kLms), Bin(beforeSchema, 182)),
        Kept(Flag("UseOstrelle", &S::UseOstrelle, 0),
             Kvx(settingsBlock, 213, G::atLeast, PS::kLms), Bin(beforeSchema, 183)),
        Kept(Text("OstrelleLessonFolder", &S::OstrelleLessonFolder, ""),
             Kvx(settingsBlock, 214, G::atLeast, PS::kLms), Bin(beforeSchema, 184)),
        Kept(Flag("SCORM12", &S::SCORM12, 1, key), Kvx(settingsBlock, 207), Bin(beforeSchema, 180)),
        Kept(Flag("CreateZip", &S::CreateZip, 0, key), Kvx(settingsBlock, 208), Bin(beforeSchema, 181)),
        Kept(Text("ScormExit12", &S::ScormExit12, kSuspendQuoted),
             Kvx(settingsBlock, 209, G::atLeast, PS::kScormExit)),
        Kept(Text("ScormExit2004", &S::ScormExit2004, kSuspendQuoted),
             Kvx(settingsBlock, 210, G::atLeast, PS::kScormExit)),
        Kept(Text("LmsCompatibility", &S::LmsCompatibility, "Default"),
             Kvx(settingsBlock, 211, G::atLeast, PS::kLmsCompatibility),
             Bin(afterSchema, 27, G::atLeast, PS::kSettingsLmsCompatibility)),
        Kept(Flag("LmsOpensNewWindow", &S::LmsOpensNewWindow, 0),
             Kvx(settingsBlock, 223, G::atLeast, PS::kLmsNewWindow), Bin(beforeSchema, 196)),
        Kept(Flag("LmsProtectPassedStatus", &S::LmsProtectPassedStatus, 0),
             Kvx(afterTopics, 2, G::atLeast, PS::kLmsProtectPassed),
             Bin(afterSchema, 6, G::atLeast, PS::kSettingsProtectPassed)),

        // Publishing and internationalisation.
        ProgramFile("InternationalProfileFilename", &S::InternationalProfileFilename, "kv_profile.kvp", key, constructed),
        Kept(IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 0, 1),
             Kvx(settingsBlock, 215), Bin(beforeSchema, 185)),
        Kept(IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 1, 1),
             Kvx(settingsBlock, 217), Bin(beforeSchema, 187)),
        Kept(IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 2, 1),
             Kvx(settingsBlock, 219), Bin(beforeSchema, 189)),
        Kept(IntSlot("UseDefaultOutputFolder", flag, &S::UseDefaultOutputFolder, 3, 1),
             Kvx(settingsBlock, 221), Bin(beforeSchema, 191)),
        Kept(TextSlot("OutputFolder", &S::OutputFolder, 0, ""), Kvx(settingsBlock, 216), Bin(beforeSchema, 186)),
        Kept(TextSlot("OutputFolder", &S::OutputFolder, 1, ""), Kvx(settingsBlock, 218), Bin(beforeSchema, 188)),
        Kept(TextSlot("OutputFolder", &S::OutputFolder, 2, ""), Kvx(settingsBlock, 220), Bin(beforeSchema, 190)),
        Kept(TextSlot("OutputFolder", &S::OutputFolder, 3, ""), Kvx(settingsBlock, 222), Bin(beforeSchema, 192)),
        Kept(Flag("EmulateIE7", &S::EmulateIE7, 1),
             Kvx(afterGlossary, 0, G::atLeast, PS::kEmulateIE7),
             Bin(afterSchema, 19, G::atLeast, PS::kSettingsEmulateIE7)),
        Flag("PreviewUsingHTM", &S::PreviewUsingHTM, 0, key),
        Flag("PublishImagesAtStandardResolution", &S::PublishImagesAtStandardResolution, 0, key),
        Kept(Text("LastContentLibrary", &S::LastContentLibrary, "", none, constructed),
             Bin(afterSchema, 18, G::atLeast, PS::kSettingsLastContentLibrary)),

        // Course structure.
        Kept(Flag("CompleteTopicsInOrder", &S::CompleteTopicsInOrder, 0),
             Kvx(settingsBlock, 96, G::atLeast, PS::kFontSlots), Bin(beforeSchema, 81)),
        Kept(Flag("MainMenuOnlyListMenu", &S::MainMenuOnlyListMenu, 0),
             Kvx(settingsBlock, 98, G::atLeast, PS::kMainMenuOptions)),
        Kept(Flag("MainMenuNoImages", &S::MainMenuNoImages, 0),
             Kvx(settingsBlock, 99, G::atLeast, PS::kMainMenuOptions)),
        Kept(Flag("MenuBasedCourse", &S::MenuBasedCourse, 0), Kvx(settingsBlock, 224), Bin(beforeSchema, 193)),
        Kept(Text("LinearSourceDocument", &S::LinearSourceDocument, ""),
             Kvx(settingsBlock, 225), Bin(beforeSchema, 194)),
        Kept(Flag("LinearSourceAssessable", &S::LinearSourceAssessable, 0),
             Kvx(settingsBlock, 226), Bin(beforeSchema, 195)),
    };
}

// The settings the published options script writes, for the run-time to read when a course starts: every
// slot of an array setting by its bare name, a single slot as "Name[n]".
const char *const kInOptionsScript[] = {
    "AllowResume", "AssmntFeedBackCorrect", "AssmntFeedBackWrong", "AutoProgress", "AutoProgressInAssessment",
    "AutoProgressOnEvaluate", "AutoProgressOnEvaluateInAssessment", "CompleteTopicsInOrder", "CourseAuthor",
    "CourseCode", "CourseDate", "CourseDescription", "CourseName", "CreateOutline", "DelayNextButton",
    "DisableBackBtn2", "DisableMenuBtn2", "DisableNextBtn", "DisableNextBtn2", "EmailAddress", "ExpiryDate",
    "ExpiryMessage", "FeedBackCorrect", "FeedBackWrong", "FontName[2]", "FontSizePoints[0]", "FontSizePoints[2]",
    "FontWeight[2]", "HelpScreen", "HideGlossaryInAssessment", "HideHelpInAssessment", "HideNavigationBar",
    "HideTopBar", "IncEvalBtn", "IncEvalBtn4Assessment", "LANDbDSN", "LANDbDataSource", "LANDbPassword",
    "LANDbProvider", "LANDbSundry", "LANDbTableName", "LANDbTableName2", "LANDbUID", "LastAssessmentTopic",
    "LinearSourceAssessable", "LmsOpensNewWindow", "LmsProtectPassedStatus", "MainMenuNoImages",
    "MainMenuOnlyListMenu", "MaySelfRegister", "McToggleType", "MenuBasedCourse", "NextButtonDelay",
    "NoNextAtTopicEnd", "OutlineCloseOnSelect", "OutlineHeight", "OutlineHideInAssessment", "OutlineLabel",
    "OutlineLeft", "OutlineLinkColor", "OutlineTop", "OutlineUseButton", "OutlineWidth", "PercentagePassMark",
    "PresentRandomMultiChoice", "PresentRandomQuestions", "ProvideFeedback", "QuestResponse",
    "QuestionCountFromPool", "RecordData", "RemoveNavigationBarSpace", "RemoveTopBarSpace", "RightToLeft",
    "SCORM12", "ScormExit12", "ScormExit2004", "SetExpiry", "SetPercentagePassMark", "SetQuestionCountFromPool",
    "SetTimeLimitPerQuestion", "ShowCorrectAnswer", "ShowCourseAuthor", "ShowCourseCode", "ShowCourseDate",
    "ShowCourseDescription", "ShowCourseName", "ShowGlossary", "ShowTimer", "SignIn", "SignInID", "SignInName",
    "SignInPassword", "SwapTopAndNavigationBars", "Theme", "TimeBetweenScreens", "TimeLimitEachQuestion",
    "TimeLimitType", "UseASP", "UseBtnBack", "UseBtnMenu", "UseBtnNext", "UseBtnQuit", "UseLANDbDSN",
    "UseProgressBar", "UseQuestFeedback", "UseSendEmail", "UseSignInID", "UseSignInName", "UseSignInPassword",
    "WebASPDbTableName", "WebDbTableName2", "WebPHPDbTableName",
};

std::vector<D> BuildTableWithStores()
{
    std::vector<D> table = BuildTable();
    for (D &d : table) {
        const QLatin1String name(d.name);
        for (const char *in : kInOptionsScript)
            if (name == QLatin1String(in) || d.DisplayName() == QLatin1String(in))
                d.stores |= unsigned(optionsScriptStore);
        for (const SettingPlace &place : d.places)
            d.stores |= unsigned(place.store);
    }
    return table;
}

} // namespace

const std::vector<CourseSettingDescriptor> &CourseSettingTable()
{
    static const std::vector<D> table = BuildTableWithStores();
    return table;
}


const CourseSettingDescriptor *FindCourseSetting(const QString &displayName)
{
    static const QHash<QString, const D *> byName = [] {
        QHash<QString, const D *> map;
        for (const D &d : CourseSettingTable())
            map.insert(d.DisplayName(), &d);
        return map;
    }();
    return byName.value(displayName, nullptr);
}

namespace {

template <class T>
const D *FindByMember(T S::*member, T S::*D::*field)
{
    for (const D &d : CourseSettingTable())
        if (d.*field == member)
            return &d;
    return nullptr;
}

} // namespace

const CourseSettingDescriptor *FindCourseSetting(int32_t S::*member) { return FindByMember(member, &D::intMember); }
const CourseSettingDescriptor *FindCourseSetting(uint32_t S::*member) { return FindByMember(member, &D::colourMember); }
const CourseSettingDescriptor *FindCourseSetting(int64_t S::*member) { return FindByMember(member, &D::dateMember); }
const CourseSettingDescriptor *FindCourseSetting(QString S::*member) { return FindByMember(member, &D::textMember); }
const CourseSettingDescriptor *FindCourseSetting(QStringList S::*member) { return FindByMember(member, &D::listMember); }

QString CourseSettingDescriptor::DisplayName() const
{
    const QString bare = QString::fromLatin1(name);
    return slot < 0 ? bare : bare + u'[' + QString::number(slot) + u']';
}

QVariant CourseSettingDescriptor::Get(const CCourseSettings &s) const
{
    if (intMember)
        return QVariant(int(s.*intMember));
    if (colourMember)
        return QVariant(uint(s.*colourMember));
    if (textMember)
        return QVariant(s.*textMember);
    if (listMember)
        return QVariant(s.*listMember);
    if (dateMember)
        return QVariant(qint64(s.*dateMember));
    if (intSlots)
        return QVariant(int((s.*intSlots)[size_t(slot)]));
    if (colourSlots)
        return QVariant(uint((s.*colourSlots)[size_t(slot)]));
    return QVariant((s.*textSlots)[size_t(slot)]);
}

void CourseSettingDescriptor::Set(CCourseSettings &s, const QVariant &value) const
{
    if (intMember)
        s.*intMember = int32_t(value.toInt());
    else if (colourMember)
        s.*colourMember = uint32_t(value.toUInt());
    else if (textMember)
        s.*textMember = value.toString();
    else if (listMember)
        s.*listMember = value.toStringList();
    else if (dateMember)
        s.*dateMember = value.toLongLong();
    else if (intSlots)
        (s.*intSlots)[size_t(slot)] = int32_t(value.toInt());
    else if (colourSlots)
        (s.*colourSlots)[size_t(slot)] = uint32_t(value.toUInt());
    else
        (s.*textSlots)[size_t(slot)] = value.toString();
}

QVariant CourseSettingDescriptor::DefaultValue(int64_t now, const QString &programFolder) const
{
    switch (source) {
    case DefaultSource::stringEntry:
        return QVariant(CStringTable::Load(int(defaultNumber)));
    case DefaultSource::stringRange: {
        QStringList list;
        for (int id = int(defaultNumber); id <= rangeLast; ++id)
            list.append(CStringTable::Load(id));
        return QVariant(list);
    }
    case DefaultSource::clockNow:
        return QVariant(qint64(now));
    case DefaultSource::programFile:
        return QVariant(CorvPath::Join(programFolder, QString::fromLatin1(defaultText)));
    case DefaultSource::literal:
        break;
    }
    switch (kind) {
    case SettingKind::text:
        return QVariant(QString::fromUtf8(defaultText));
    case SettingKind::textList:
        return QVariant(QStringList());
    case SettingKind::colour:
        return QVariant(uint(defaultNumber));
    case SettingKind::date:
        return QVariant(qint64(defaultNumber));
    default:
        return QVariant(int(defaultNumber));
    }
}

void CCourseSettings::ApplyDefaults(bool includeConstructed, int64_t now, const QString &programFolder)
{
    for (const D &d : CourseSettingTable())
        if (includeConstructed || !d.constructed)
            d.Set(*this, d.DefaultValue(now, programFolder));
}

QString CCourseSettings::GetCharset() const
{
    // An empty charset would publish "charset=" on every page; the label's own default is the safe answer.
    const qsizetype open = EncodingLabel.indexOf(u'[');
    const qsizetype close = EncodingLabel.indexOf(u']');
    if (open < 0 || close < open)
        return QStringLiteral("utf-8");
    return EncodingLabel.mid(open + 1, close - open - 1);
}
