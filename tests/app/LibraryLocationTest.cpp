#include "FakeRegistry.h"
#include "app/LibraryLocation.h"
#include "app/Registry.h"
#include "platform/IniFile.h"
#include "platform/RecordingPrompt.h"
#include "platform/StringTable.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

using namespace CorvRegistryKeys;

namespace {

const QString kDefaultRoot = QStringLiteral("/opt/corvessa/Library/");

struct RegistryCase {
    const char *name;
    bool productInMachine, makerInMachine, machineWritable, productInUser, makerInUser;
    QString userRootValue; // "" with productInUser: an empty value
    bool expectMessage;
    QStringList expectChanges;
    QString expectRoot;
};

} // namespace

// Guards the start-up's registry check: where the installation left the product key nothing is written, a
// key that can be made is made, an empty library value in the user's key gets the default, and a missing
// key is told once without stopping start-up.
TEST(LibraryLocation, RegistryCheckFollowsWhereTheKeysAre)
{
    const RegistryCase cases[] = {
        {"product key installed", true, true, false, false, false, {}, false, {}, "previous"},
        {"maker key installed, product key creatable", false, true, true, false, false, {}, false,
         {"HKLM create Software\\Zerandt\\Corvessa 4"}, "previous"},
        {"maker key read-only, product key in user hive", false, true, false, true, true, "/lib/", false, {}, "previous"},
        {"maker key read-only, maker key in user hive", false, true, false, false, true, {}, false,
         {"HKCU create Software\\Zerandt\\Corvessa 4", "HKCU set Software\\Zerandt\\Corvessa 4 Image Root Path=" + kDefaultRoot},
         kDefaultRoot},
        {"maker key read-only, nothing for the user", false, true, false, false, false, {}, true, {}, "previous"},
        {"no maker key, user key with an empty library value", false, false, false, true, true, "", false,
         {"HKCU set Software\\Zerandt\\Corvessa 4 Image Root Path=" + kDefaultRoot}, kDefaultRoot},
        {"no maker key, user key with a library value", false, false, false, true, true, "/srv/lib/", false, {}, "previous"},
        {"no key anywhere", false, false, false, false, false, {}, true, {}, "previous"},
    };
    for (const RegistryCase &c : cases) {
        CFakeRegistry registry;
        registry.writable[0] = c.machineWritable;
        if (c.productInMachine)
            registry.AddKey(RegistryHive::LocalMachine, kProductKey);
        else if (c.makerInMachine)
            registry.AddKey(RegistryHive::LocalMachine, kMakerKey);
        if (c.productInUser) {
            registry.AddKey(RegistryHive::CurrentUser, kProductKey);
            registry.values[1].insert(kProductKey.toLower() + QStringLiteral("|image root path"), c.userRootValue);
        } else if (c.makerInUser) {
            registry.AddKey(RegistryHive::CurrentUser, kMakerKey);
        }
        CRecordingPrompt prompt;
        QString root = QStringLiteral("previous");
        CorvLibraryLocation::CheckProductRegistryKey(registry, prompt, root, kDefaultRoot);
        EXPECT_EQ(registry.changes, c.expectChanges) << c.name;
        EXPECT_EQ(root, c.expectRoot) << c.name;
        EXPECT_EQ(prompt.Texts(), c.expectMessage ? QStringList{CStringTable::Load(61466)} : QStringList{}) << c.name;
    }
}

// Guards the library the author chose: taken as written when its photo-object folder holds pictures (even
// without a final separator, when the joined name happens to exist), else the user's registry value or the
// default, which always end in a separator.
TEST(LibraryLocation, GraphicsLibraryRootPrefersAValidChoice)
{
    TempTree tree;
    tree.Write("good/Photo_Objects/image_JPG/apple.JPG", "x");
    tree.Write("joinedPhoto_Objects/image_JPG/a.jpg", "x");
    tree.MakeFolder("empty/Photo_Objects/image_JPG");
    tree.Write("other/Photo_Objects/image_JPG/notes.txt", "x");

    struct Case { const char *name; QString iniValue; QString registryValue; bool hasRegistryValue; QString before, expected; };
    const Case cases[] = {
        {"valid choice, unchanged", tree / "good/", {}, false, {}, tree / "good/"},
        {"valid only as written", tree / "joined", {}, false, {}, tree / "joined"},
        {"choice without pictures: registry", tree / "empty/", "/srv/library", true, {}, "/srv/library/"},
        {"choice without jpg files: default", tree / "other/", {}, false, {}, kDefaultRoot},
        {"no choice, registry with separator", {}, "/srv/library/", true, {}, "/srv/library/"},
        {"no choice, no registry: previous kept", {}, {}, false, "/kept/root", "/kept/root/"},
        {"no choice, empty registry value: default", {}, "", true, "/kept", kDefaultRoot},
    };
    for (const Case &c : cases) {
        const QString iniPath = tree.Write("kvx.ini", c.iniValue.isEmpty() ? QByteArray("[Settings]\n")
                                                                          : ("[Library]\nImage Root Path=" + c.iniValue.toUtf8() + "\n"));
        const CIniFile ini(iniPath);
        CFakeRegistry registry;
        if (c.hasRegistryValue) {
            registry.AddKey(RegistryHive::CurrentUser, kProductKey);
            registry.values[1].insert(kProductKey.toLower() + QStringLiteral("|image root path"), c.registryValue);
        }
        QString root = c.before;
        CorvLibraryLocation::GetGraphicsLibraryRoot(ini, registry, kDefaultRoot, root);
        EXPECT_EQ(root, c.expected) << c.name;
    }
}

// Guards the registry files: a key opens through its sub-keys, names match without regard to case, and the
// installation's file is never written.
TEST(LibraryLocation, FileRegistryKeepsTheMachineFileReadOnly)
{
    TempTree tree;
    const QString machine = tree.Write("registry.ini", "[Software\\Zerandt\\Corvessa 4]\nImage Root Path=/opt/lib/\n");
    const QString user = tree / "user.ini";
    CFileRegistry registry(machine, user);
    QString value;
    EXPECT_TRUE(registry.OpenKey(RegistryHive::LocalMachine, "software\\zerandt"));
    EXPECT_TRUE(registry.OpenKey(RegistryHive::LocalMachine, "Software\\Zerandt\\Corvessa 4\\"));
    EXPECT_FALSE(registry.OpenKey(RegistryHive::LocalMachine, "Software\\Zeran"));
    EXPECT_TRUE(registry.ReadString(RegistryHive::LocalMachine, kProductKey, "image root path", value));
    EXPECT_EQ(value, "/opt/lib/");
    EXPECT_FALSE(registry.CreateSubKey(RegistryHive::LocalMachine, kMakerKey, "Other"));
    EXPECT_FALSE(registry.WriteString(RegistryHive::LocalMachine, kProductKey, "Image Root Path", "/x/"));
    EXPECT_EQ(TempTree::ReadAll(machine), QByteArray("[Software\\Zerandt\\Corvessa 4]\nImage Root Path=/opt/lib/\n"));

    EXPECT_FALSE(registry.OpenKey(RegistryHive::CurrentUser, kMakerKey));
    EXPECT_FALSE(registry.CreateSubKey(RegistryHive::CurrentUser, kMakerKey, kProductName)); // no parent
    EXPECT_FALSE(registry.WriteString(RegistryHive::CurrentUser, kProductKey, "Image Root Path", "/x/"));
    ASSERT_TRUE(registry.UserFile().AddSection(kMakerKey));
    ASSERT_TRUE(registry.CreateSubKey(RegistryHive::CurrentUser, kMakerKey, kProductName));
    ASSERT_TRUE(registry.WriteString(RegistryHive::CurrentUser, kProductKey, "Image Root Path", "/home/a/lib/"));
    EXPECT_FALSE(registry.ReadString(RegistryHive::CurrentUser, kProductKey, "Other Value", value));
    EXPECT_TRUE(registry.ReadString(RegistryHive::CurrentUser, "SOFTWARE\\ZERANDT\\CORVESSA 4", "Image Root Path", value));
    EXPECT_EQ(value, "/home/a/lib/");
}
