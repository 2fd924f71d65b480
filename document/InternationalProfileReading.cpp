#include "document/InternationalProfileReading.h"

#include "document/CorvessaDoc.h"
#include "document/InternationalProfileFromXML.h"
#include "platform/PathUtil.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QFileInfo>

namespace CorvProfileReading {

namespace {

const QString kUnreadable = QStringLiteral("Unable to read International Profile sundry text");

void TellUnreadable(const CCorvessaDoc &doc, const QString &path, const QString &reason)
{
    doc.Prompt().Error(kUnreadable + QStringLiteral("\n\n") + QDir::toNativeSeparators(path)
                       + (reason.isEmpty() ? QString() : QStringLiteral("\n") + reason));
}

} // namespace

bool VersionMatches(const QString &programVersion, const QString &profileVersion)
{
    return profileVersion.startsWith(programVersion, Qt::CaseSensitive);
}

void MergeExtension(InternationalProfileFromXML &profile, const InternationalProfileFromXML &extension)
{
    const auto held = [&](const InternationalProfileItemFromXML &item) {
        for (const InternationalProfileItemFromXML &own : profile.items)
            if (own.baseVariable.compare(item.baseVariable, Qt::CaseInsensitive) == 0
                && own.variable.compare(item.variable, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    for (const InternationalProfileItemFromXML &item : extension.items)
        if (!held(item))
            profile.items.push_back(item);
    profile.version = extension.version;
}

bool ParseInternationalProfile(CCorvessaDoc &doc, const QString &path)
{
    // The file is read into a profile of its own, taken only once all of it (and its extension) reads: a
    // damaged file never costs the project the texts it has.
    QString reason;
    std::unique_ptr<InternationalProfileFromXML> profile = InternationalProfileFromXML::ReadFile(path, &reason);
    if (!profile) {
        TellUnreadable(doc, path, reason);
        return false;
    }
    if (!VersionMatches(doc.GetContext().versionText, profile->GetVersion())) {
        const QString extensionPath =
            CorvPath::ResolveNoCase(CorvPath::Join(doc.GetContext().programFolder, kExtensionProfile));
        if (QFileInfo(extensionPath).isFile()) {
            const auto extension = InternationalProfileFromXML::ReadFile(extensionPath, &reason);
            if (!extension) {
                TellUnreadable(doc, extensionPath, reason);
                return false;
            }
            MergeExtension(*profile, *extension);
        }
    }
    doc.FreeInternationalProfile();
    doc.SetInternationalProfile(std::move(profile));
    return true;
}

InternationalProfileFromXML *LoadedProfile(const CCorvessaDoc &doc)
{
    return dynamic_cast<InternationalProfileFromXML *>(doc.GetInternationalProfile());
}

} // namespace CorvProfileReading
