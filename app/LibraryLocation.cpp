#include "app/LibraryLocation.h"

#include "app/Registry.h"
#include "model/GlobalHelpers.h"
#include "platform/IniFile.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

namespace CorvLibraryLocation {

using namespace CorvRegistryKeys;

namespace {

constexpr int kRegistryMessage = 61466;

void UseDefaultRootInUserKey(CRegistry &registry, QString &root, const QString &defaultRoot)
{
    root = defaultRoot;
    registry.WriteString(RegistryHive::CurrentUser, kProductKey, kImageRootPath, root);
}

} // namespace

QString DefaultRoot(const QString &programFolder) { return CorvPath::Join(programFolder, QStringLiteral("Library/")); }

void CheckProductRegistryKey(CRegistry &registry, CPrompt &prompt, QString &root, const QString &defaultRoot)
{
    const auto tell = [&prompt] { prompt.Error(CStringTable::Load(kRegistryMessage)); };
    if (registry.OpenKey(RegistryHive::LocalMachine, kProductKey))
        return;
    if (registry.OpenKey(RegistryHive::LocalMachine, kMakerKey)) {
        if (registry.CreateSubKey(RegistryHive::LocalMachine, kMakerKey, kProductName))
            return;
        if (registry.OpenKey(RegistryHive::CurrentUser, kProductKey))
            return;
        if (registry.OpenKey(RegistryHive::CurrentUser, kMakerKey)
            && registry.CreateSubKey(RegistryHive::CurrentUser, kMakerKey, kProductName)) {
            UseDefaultRootInUserKey(registry, root, defaultRoot);
            return;
        }
        tell();
        return;
    }
    if (!registry.OpenKey(RegistryHive::CurrentUser, kProductKey)) {
        tell();
        return;
    }
    QString value;
    if (!registry.ReadString(RegistryHive::CurrentUser, kProductKey, kImageRootPath, value) || value.isEmpty())
        UseDefaultRootInUserKey(registry, root, defaultRoot);
}

bool HoldsLibraryPictures(const QString &folder)
{
    // Joined as written: a value without a final separator names no library.
    const QString probeFolder = CorvPath::ToSlashes(folder + QStringLiteral("Photo_Objects/image_JPG"));
    return FileExists(CorvPath::ResolveNoCase(probeFolder) + QStringLiteral("/*.jpg"));
}

void GetGraphicsLibraryRoot(const CIniFile &kvxIni, const CRegistry &registry, const QString &defaultRoot, QString &root)
{
    const QString chosen = kvxIni.ReadString(QStringLiteral("Library"), kImageRootPath);
    if (!chosen.isEmpty() && HoldsLibraryPictures(chosen)) {
        root = chosen;
        return;
    }
    QString value;
    if (registry.ReadString(RegistryHive::CurrentUser, kProductKey, kImageRootPath, value))
        root = value;
    if (root.isEmpty())
        root = defaultRoot;
    if (!CorvPath::IsSeparator(root.back()))
        root += u'/';
}

} // namespace CorvLibraryLocation
