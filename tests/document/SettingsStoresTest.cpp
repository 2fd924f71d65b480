#include "DistinctSettings.h"

#include "document/CorvessaDoc.h"
#include "document/CourseSettings.h"
#include "document/SettingsFile.h"
#include "document/UserSettingsStore.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"
#include "platform/IniFile.h"
#include "platform/RecordingPrompt.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr qint64 kNow = 1700000000;

CCorvessaDoc::Clock FixedClock() { return [] { return int64_t(kNow); }; }

// A per-user folder of its own for each test, and the context that names it.
struct UserFolder
{
    TempTree tree;
    CRecordingPrompt prompt;
    CCorvContext context;
    UserFolder()
    {
        context.appDataFolder = tree.Path();
        context.programFolder = "/opt/corvessa";
        context.prompt = &prompt;
    }
    QString Ini() const { return tree / "kvx.ini"; }
    QString Bin() const { return tree / "setting.bin"; }
    void WriteIni(const QByteArray &text) const { tree.Write("kvx.ini", text); }
};

// A new project made in the folder's context.
std::unique_ptr<CCorvessaDoc> NewProject(const UserFolder &user)
{
    auto doc = std::make_unique<CCorvessaDoc>(user.context, FixedClock());
    doc->OnNewDocument();
    return doc;
}

QVariant DefaultOf(const CourseSettingDescriptor &d) { return d.DefaultValue(kNow, "/opt/corvessa"); }

void MakeDistinctive(CCourseSettings &s) { MakeDistinctive(s, kNow, "/opt/corvessa", false); }

// The settings neither store keeps, and those only the ini keeps.
const QStringList kInNeitherStore = {"ScormExit12", "ScormExit2004", "MainMenuOnlyListMenu", "MainMenuNoImages",
                                     "HelpScreen"};
const QStringList kOnlyInTheIni = {"UseSourceDocumentFonts",   "FastPowerpointImport",   "ImportPowerpointAsImages",
                                   "SwapTopAndNavigationBars", "HideTopBar",             "RemoveTopBarSpace",
                                   "HideNavigationBar",        "RemoveNavigationBarSpace", "LeftAlignBulletedLists",
                                   "LeftAlignNumberedLists",   "InternationalProfileFilename", "PreviewUsingHTM",
                                   "PublishImagesAtStandardResolution"};

QByteArray Int32(int32_t v)
{
    CArchive ar;
    ar.WriteInt(v);
    return ar.GetBuffer();
}

} // namespace

// Guards the first layer: without an ini file a new project has exactly the built-in defaults, the 20
// built-in categories and no priority categories.
TEST(SettingsStores, WithoutAnIniFileANewProjectHasTheBuiltInDefaults)
{
    UserFolder user;
    auto doc = NewProject(user);
    for (const auto &d : CourseSettingTable())
        EXPECT_EQ(d.Get(doc->Settings()), DefaultOf(d)) << d.DisplayName().toStdString();
    EXPECT_EQ(doc->Settings().GraphicsCategories.size(), 20);
    EXPECT_TRUE(doc->Settings().PriorityCategories.isEmpty());
    EXPECT_TRUE(user.prompt.Texts().isEmpty());
}

// Guards the ini's reading rules, one file per case: the switch, flags, the absent keys' values, the
// profile path, whole long values, and a file written by hand with keys in any order, in any case,
// unknown keys and values that are no numbers.
TEST(SettingsStores, IniValuesAreReadByTheStoresRules)
{
    const QString longText(300, u'x');
    const struct {
        const char *what;
        QByteArray ini;
        std::function<void(const CCorvessaDoc &)> check;
    } cases[] = {
        {"switch in lower case", "[Settings]\nUseCustomised=true\nTheme=Meadow\n",
         [](const CCorvessaDoc &d) { EXPECT_EQ(d.Settings().Theme, "Meadow"); }},
        {"switch as 1 is off", "[Settings]\nUseCustomised=1\nTheme=Meadow\n",
         [](const CCorvessaDoc &d) { EXPECT_EQ(d.Settings().Theme, ""); EXPECT_EQ(d.Settings().BgColor, 16777215u); }},
        {"flags",
         "[Settings]\nUseCustomised=TRUE\nShowCourseName=True\nUseBtnNext=1\nUseBtnBack=yes\nRecordData=tRuE\n",
         [](const CCorvessaDoc &d) {
             EXPECT_EQ(d.Settings().ShowCourseName, 1);
             EXPECT_EQ(d.Settings().UseBtnNext, 0);
             EXPECT_EQ(d.Settings().UseBtnBack, 0);
             EXPECT_EQ(d.Settings().RecordData, 1);
             EXPECT_EQ(d.Settings().UseBtnMenu, 0); // absent
         }},
        {"absent keys", "[Settings]\nUseCustomised=TRUE\n",
         [](const CCorvessaDoc &d) {
             EXPECT_EQ(d.Settings().FontSizePoints[0], "12");
             EXPECT_EQ(d.Settings().BgColor, 0u);
             EXPECT_EQ(d.Settings().LblNext, "");
             EXPECT_EQ(d.Settings().TimeBetweenScreens, 0);
             EXPECT_EQ(d.Settings().InternationalProfileFilename, "/opt/corvessa/kv_profile.kvp");
             EXPECT_EQ(d.Settings().FontSizePoints[1], "36"); // other slots are not the ini's
         }},
        {"empty profile path", "[Settings]\nUseCustomised=TRUE\nInternationalProfileFilename=\n",
         [](const CCorvessaDoc &d) { EXPECT_EQ(d.Settings().InternationalProfileFilename, "/opt/corvessa/kv_profile.kvp"); }},
        {"long value", "[Settings]\nUseCustomised=TRUE\nBgImage=" + longText.toUtf8() + "\n",
         [&](const CCorvessaDoc &d) { EXPECT_EQ(d.Settings().BgImage, longText); }},
        {"written by hand",
         "; defaults\n[settings]\nfontcolor = 255\nTimeBetweenScreens=soon\nNoSuchKey=3\nuseCUSTOMISED = TRUE\n"
         "PercentagePassMark=75%\nCourseName = Sea birds \nFontName=Georgia\n[Other]\nTheme=Wrong\n",
         [](const CCorvessaDoc &d) {
             EXPECT_EQ(d.Settings().FontColor[0], 255u);
             EXPECT_EQ(d.Settings().TimeBetweenScreens, 0);
             EXPECT_EQ(d.Settings().PercentagePassMark, 75);
             EXPECT_EQ(d.Settings().CourseName, "Sea birds");
             EXPECT_EQ(d.Settings().FontName[0], "Georgia");
             EXPECT_EQ(d.Settings().FontName[1], "Arial");
             EXPECT_EQ(d.Settings().Theme, "");
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        UserFolder user;
        user.WriteIni(c.ini);
        c.check(*NewProject(user));
    }
}

// Guards the two stores' reach and the binary file's layout: the settings the program saves as defaults
// come back in every new project; then, with every ini key gone, setting.bin alone gives back every setting
// it holds, so a field its table lacks or misplaces shows.
TEST(SettingsStores, SavedDefaultsComeBackInANewProject)
{
    UserFolder user;
    auto source = NewProject(user);
    MakeDistinctive(source->MutableSettings());
    ASSERT_TRUE(CUserSettingsStore(user.tree.Path()).SaveAsDefault(&source->Settings(), user.prompt));
    ASSERT_TRUE(user.prompt.Texts().isEmpty());
    const CIniFile ini(user.Ini());
    EXPECT_EQ(ini.KeyNames("Settings").size(), 135);

    const auto check = [&](bool withIniKeys) {
        auto doc = NewProject(user);
        for (const auto &d : CourseSettingTable()) {
            const QString name = d.DisplayName();
            SCOPED_TRACE(name.toStdString());
            if (name == "GraphicsCategories" || name == "PriorityCategories")
                EXPECT_EQ(d.Get(doc->Settings()), DefaultOf(d));
            else if (name == "LinearSourceAssessable")
                EXPECT_EQ(doc->Settings().LinearSourceAssessable, doc->Settings().LastAssessmentTopic);
            else if (kInNeitherStore.contains(name))
                EXPECT_EQ(d.Get(doc->Settings()), DefaultOf(d));
            else if (!withIniKeys && kOnlyInTheIni.contains(name))
                EXPECT_EQ(d.Get(doc->Settings()), name == "InternationalProfileFilename" ? DefaultOf(d) : QVariant(0));
            else
                EXPECT_EQ(d.Get(doc->Settings()), d.Get(source->Settings()));
        }
    };
    check(true);
    user.WriteIni("[Settings]\nUseCustomised=TRUE\n");
    check(false);
}

// Guards the order of the layers: built-in defaults, then the ini, then setting.bin, whose values win.
TEST(SettingsStores, TheBinaryFileWinsOverTheIniWhichWinsOverTheDefaults)
{
    UserFolder user;
    CCourseSettings bin;
    bin.ApplyDefaults(true, kNow, "/opt/corvessa");
    bin.Theme = "FromBin";
    bin.CourseName = "From bin";
    bin.LastAssessmentTopic = 1;
    bin.LinearSourceAssessable = 0;
    ASSERT_TRUE(CSettingsFile::Save(user.Bin(), bin));
    user.WriteIni("[Settings]\nUseCustomised=TRUE\nTheme=FromIni\nPreviewUsingHTM=TRUE\nTemplateType=3\n");

    auto doc = NewProject(user);
    EXPECT_EQ(doc->Settings().Theme, "FromBin");
    EXPECT_EQ(doc->Settings().CourseName, "From bin");
    EXPECT_EQ(doc->Settings().PreviewUsingHTM, 1); // not in setting.bin
    EXPECT_EQ(doc->Settings().TemplateType, 10);   // the binary file's default wins over the ini's 3
    EXPECT_EQ(doc->Settings().LinearSourceAssessable, 1);

    // Switched off: neither store is read, though both are still there.
    ASSERT_TRUE(CUserSettingsStore(user.tree.Path()).Reset());
    auto plain = NewProject(user);
    EXPECT_EQ(plain->Settings().Theme, "");
    EXPECT_EQ(CIniFile(user.Ini()).ReadString("Settings", "Theme"), "FromIni");
}

// Guards the gates of setting.bin, which are its own: a file of schema 10000037 gives the direction and
// the outline flags, sets the main font's point size and weight to "12" and "normal", and leaves font slot
// 3, the glossary and help flags, the last library, EmulateIE7, Ken Burns and LmsCompatibility alone.
TEST(SettingsStores, BinaryFileOfSchema10000037ReadsOnlyItsGroups)
{
    CCourseSettings written;
    written.ApplyDefaults(true, kNow, "/opt/corvessa");
    MakeDistinctive(written);
    CArchive full;
    CSettingsFile::StoreSettings(full, written);
    const QByteArray bytes = full.GetBuffer();
    const QByteArray current = Int32(10000047);
    const qsizetype at = bytes.indexOf(current);
    ASSERT_GT(at, 0);
    ASSERT_EQ(bytes.indexOf(current, at + 1), -1);
    // The header groups, the older schema and the seven values of the groups it has.
    const QByteArray old = bytes.left(at) + Int32(10000037) + bytes.mid(at + 4, 7 * 4);

    CCourseSettings before;
    before.ApplyDefaults(true, kNow, "/opt/corvessa");
    CCourseSettings read = before;
    CArchive ar(old);
    CSettingsFile::LoadSettings(ar, read);
    EXPECT_TRUE(ar.AtEnd());
    EXPECT_EQ(read.RightToLeft, written.RightToLeft);
    EXPECT_EQ(read.AutoProgressOnEvaluate, written.AutoProgressOnEvaluate);
    EXPECT_EQ(read.OutlineUseButton, written.OutlineUseButton);
    EXPECT_EQ(read.OutlineHideInAssessment, written.OutlineHideInAssessment);
    EXPECT_EQ(read.LmsProtectPassedStatus, written.LmsProtectPassedStatus);
    EXPECT_EQ(read.FontName[2], written.FontName[2]);
    EXPECT_EQ(read.FontSizePoints[0], "12");
    EXPECT_EQ(read.FontWeight[0], "normal");
    for (const auto &d : CourseSettingTable()) {
        const QString name = d.DisplayName();
        const bool beyond = (name.startsWith("Font") && name.endsWith("[3]")) || name == "ShowGlossary"
            || name == "HideGlossaryInAssessment" || name == "HideHelpInAssessment" || name == "LastContentLibrary"
            || name == "EmulateIE7"
            || name.startsWith("RandomKenBurns") || name.startsWith("KenBurns") || name == "LmsCompatibility";
        if (beyond) {
            EXPECT_EQ(d.Get(read), d.Get(before)) << name.toStdString();
        }
    }
    EXPECT_EQ(read.LinearSourceAssessable, read.LastAssessmentTopic);
}

// Guards a damaged setting.bin: the new project is still made, with what the file held up to the damage
// and the earlier layers' values after it.
TEST(SettingsStores, TruncatedBinaryFileKeepsWhatItHeld)
{
    UserFolder user;
    CCourseSettings written;
    written.ApplyDefaults(true, kNow, "/opt/corvessa");
    MakeDistinctive(written);
    CArchive full;
    CSettingsFile::StoreSettings(full, written);
    user.tree.Write("setting.bin", full.GetBuffer().left(full.GetBuffer().size() / 2));
    user.WriteIni("[Settings]\nUseCustomised=TRUE\nLANDbUID=FromIni\n");

    auto doc = NewProject(user);
    EXPECT_EQ(doc->Settings().DictionaryLanguage, written.DictionaryLanguage);
    EXPECT_EQ(doc->Settings().CourseName, written.CourseName);
    EXPECT_EQ(doc->Settings().LANDbUID, "FromIni");
    EXPECT_EQ(doc->Settings().LmsCompatibility, "Default");
    EXPECT_EQ(doc->Settings().LinearSourceAssessable, doc->Settings().LastAssessmentTopic);

    CCourseSettings damaged;
    QString reason;
    EXPECT_EQ(CSettingsFile::Load(user.Bin(), damaged, &reason), CSettingsFile::LoadResult::damaged);
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_EQ(CSettingsFile::Load(user.tree / "none.bin", damaged), CSettingsFile::LoadResult::notOpened);
}

// Guards the ini's value forms: a flag is "TRUE" only when it is exactly 1, numbers keep their sign,
// colours are written as the signed decimal of their bits, texts as they are (up to a line break).
TEST(SettingsStores, IniValuesAreWrittenInTheirForms)
{
    CCourseSettings s;
    s.ApplyDefaults(true, kNow, "/opt/corvessa");
    s.ShowCourseName = 2;
    s.UseBtnNext = 1;
    s.TimeLimitType = -5;
    s.BgColor = 0xFFFFFFFFu;
    s.FeedBackCorrect = "Well done.\nOn to the next.";
    QMap<QString, QString> values;
    for (const auto &[key, value] : CUserSettingsStore::IniEntries(s))
        values.insert(key, value);
    EXPECT_EQ(values.size(), 134);
    EXPECT_EQ(values["ShowCourseName"], "FALSE");
    EXPECT_EQ(values["UseBtnNext"], "TRUE");
    EXPECT_EQ(values["TimeLimitType"], "-5");
    EXPECT_EQ(values["BgColor"], "-1");
    EXPECT_EQ(values["FeedBackCorrect"], "Well done.");
    EXPECT_EQ(CUserSettingsStore::IniEntries(s).first().first, "CourseName");
    EXPECT_EQ(CUserSettingsStore::IniEntries(s).last().first, "PublishImagesAtStandardResolution");
}

// Guards the save command's failure: a per-user folder that is not there is reported with the system's
// text, not passed over as if the defaults had been saved.
TEST(SettingsStores, DefaultsThatCannotBeWrittenAreReported)
{
    TempTree tree;
    CRecordingPrompt prompt;
    CCourseSettings s;
    s.ApplyDefaults(true, kNow, {});
    EXPECT_FALSE(CUserSettingsStore(tree / "missing").SaveAsDefault(&s, prompt));
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_EQ(prompt.Texts()[0], "ERROR:\nFail to open file " + tree / "missing/kvx.ini"
                                     + "\nTo save current setting as a default");

    // The ini written, setting.bin refused (a folder stands in its place).
    prompt.Clear();
    tree.MakeFolder("user/setting.bin");
    EXPECT_FALSE(CUserSettingsStore(tree / "user").SaveAsDefault(&s, prompt));
    ASSERT_EQ(prompt.Texts().size(), 1);
    EXPECT_TRUE(prompt.Texts()[0].contains("setting.bin"));
    EXPECT_TRUE(CUserSettingsStore(tree / "user").IsCustomised());
}
