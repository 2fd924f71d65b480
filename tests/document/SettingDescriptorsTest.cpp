#include "DistinctSettings.h"

#include "document/CourseSettings.h"
#include "document/ProjectArchive.h"
#include "document/SettingsFields.h"
#include "document/SettingsFile.h"
#include "document/UserSettingsStore.h"
#include "platform/Archive.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

constexpr int64_t kNow = 1700000000;
const QString kProgramFolder = QStringLiteral("/opt/corvessa");

CCourseSettings Defaults()
{
    CCourseSettings s;
    s.ApplyDefaults(true, kNow, kProgramFolder);
    return s;
}

// How many fields of the layout no setting, or more than one, answers to (the obsolete strings aside).
int FieldsWithoutOneSetting(const std::vector<SettingsFields::Field> &layout)
{
    int wrong = 0;
    for (const SettingsFields::Field &f : layout) {
        if (std::holds_alternative<std::monostate>(f.member))
            continue;
        int owners = 0;
        for (const CourseSettingDescriptor &d : CourseSettingTable())
            owners += SettingsFields::Holds(f, d) ? 1 : 0;
        wrong += owners == 1 ? 0 : 1;
    }
    return wrong;
}

} // namespace

// Guards against a setting added to the table but forgotten in a store (or kept by a store its row does not
// name): the project file, setting.bin and kvx.ini keep exactly the settings whose descriptors name them,
// and every field of the binary stores belongs to exactly one descriptor.
TEST(SettingDescriptors, EachStoreCoversEveryDescriptorThatNamesIt)
{
    const std::vector<SettingsFields::Field> project = CProjectArchive::SettingsLayout();
    const std::vector<SettingsFields::Field> bin = CSettingsFile::Layout();
    const QStringList &keys = CUserSettingsStore::IniKeys();
    const QSet<QString> iniKeys(keys.begin(), keys.end());

    int inProject = 0, inBin = 0, inIni = 0;
    for (const CourseSettingDescriptor &d : CourseSettingTable()) {
        const QString name = d.DisplayName();
        const auto projectPlaces = SettingsFields::PlacesOf(project, d);
        // Both binary stores write the PHP flag twice; every other setting once.
        const size_t expected = name == "UseWebPHPStandardParameters" ? 2u : 1u;
        EXPECT_EQ(projectPlaces.size(), (d.stores & projectFileStore) ? expected : 0u) << qPrintable(name);
        EXPECT_EQ(SettingsFields::PlacesOf(bin, d).size(), (d.stores & settingsFileStore) ? expected : 0u)
            << qPrintable(name);
        EXPECT_EQ(d.iniKey && iniKeys.contains(QLatin1String(d.iniKey)), bool(d.stores & iniFileStore))
            << qPrintable(name);
        inProject += (d.stores & projectFileStore) ? 1 : 0;
        inBin += (d.stores & settingsFileStore) ? 1 : 0;
        inIni += (d.stores & iniFileStore) ? 1 : 0;
    }
    EXPECT_EQ(FieldsWithoutOneSetting(project), 0);
    EXPECT_EQ(FieldsWithoutOneSetting(bin), 0);
    EXPECT_EQ(inIni, keys.size());
    // Nearly every setting goes into the project file and the saved defaults.
    EXPECT_GT(inProject, int(CourseSettingTable().size()) - 10);
    EXPECT_GT(inBin, int(CourseSettingTable().size()) - 20);
}

// Guards the descriptors' store bits against the stores' behaviour: what setting.bin writes and reads back
// is exactly the settings marked as kept there; the others keep what the reader had.
TEST(SettingDescriptors, SettingsFileRoundTripKeepsExactlyItsSettings)
{
    CCourseSettings written = Defaults();
    MakeDistinctive(written, kNow, kProgramFolder, true);
    CArchive out;
    CSettingsFile::StoreSettings(out, written);
    CArchive in(out.GetBuffer());
    CCourseSettings read = Defaults();
    CSettingsFile::LoadSettings(in, read);

    const CCourseSettings defaults = Defaults();
    for (const CourseSettingDescriptor &d : CourseSettingTable()) {
        // A read takes the linear source's assessable flag from the last assessment topic.
        if (QLatin1String(d.name) == QLatin1String("LinearSourceAssessable"))
            continue;
        const CCourseSettings &expected = (d.stores & settingsFileStore) ? written : defaults;
        EXPECT_EQ(d.Get(read), d.Get(expected)) << qPrintable(d.DisplayName());
    }
}

// Guards the place a setting has in the project file: its position follows the file's order and its gate
// is the one the reader applies (the glossary font, slot 3, came with the glossary schema).
TEST(SettingDescriptors, ProjectFilePlacesFollowTheFileOrder)
{
    const std::vector<SettingsFields::Field> project = CProjectArchive::SettingsLayout();
    const auto first = SettingsFields::PlacesOf(project, *FindCourseSetting("DictionaryLanguage"));
    const auto last = SettingsFields::PlacesOf(project, *FindCourseSetting("LinearSourceAssessable"));
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_LT(first[0].position, last[0].position);
    const auto glossaryFont = SettingsFields::PlacesOf(project, *FindCourseSetting("FontName[3]"));
    ASSERT_EQ(glossaryFont.size(), 1u);
    EXPECT_NE(glossaryFont[0].gate, SettingsFields::Gate::always);
}
