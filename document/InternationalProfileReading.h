#pragma once

#include <QString>

class CCorvessaDoc;
class InternationalProfileFromXML;

// Reading a profile file into the document: the reading routine of the Internationalisation page, and of the
// document when it opens a project that keeps its own copy of the profile.
namespace CorvProfileReading {

// The extension profile in the program folder, read after a profile made for another version.
inline const QString kExtensionProfile = QStringLiteral("kv_profile_ext.kvp");

// A profile matches the program when its version begins with the whole of the program's version text
// (letter case counts).
bool VersionMatches(const QString &programVersion, const QString &profileVersion);

// Adds the items of `extension` that `profile` does not hold yet (same base variable and variable, letter
// case ignored), in their order, and takes the extension's version.
void MergeExtension(InternationalProfileFromXML &profile, const InternationalProfileFromXML &extension);

// Frees the document's profile and reads the file at path in its place. A profile of another version is
// completed from the program folder's extension profile when there is one. False, after telling the author
// "Unable to read International Profile sundry text" with the file and the reason, when a file cannot be
// read: the document then keeps no profile (or, when only the extension failed, the profile read first).
bool ParseInternationalProfile(CCorvessaDoc &doc, const QString &path);

// The document's profile as the page edits it; null when none is loaded.
InternationalProfileFromXML *LoadedProfile(const CCorvessaDoc &doc);

} // namespace CorvProfileReading
