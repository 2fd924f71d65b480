#pragma once

#include <QString>

class CIniFile;
class CPrompt;
class CRegistry;

// Where the graphics library lies, and the product key of the registry that may name it.
namespace CorvLibraryLocation {

// The library's default place: the program folder's "Library" folder (programFolder ends in "/").
QString DefaultRoot(const QString &programFolder);

// Checks the product key of the registry at start-up: present in the machine's hive, or created where the
// installation left only the maker's key, or present (or created) in the user's hive, where an empty or
// unreadable "Image Root Path" is set to the default root (which then becomes root). When the key is in
// neither hive and cannot be made, the author is told (once) and start-up goes on. Nothing is written when
// the machine's hive holds the key.
void CheckProductRegistryKey(CRegistry &registry, CPrompt &prompt, QString &root, const QString &defaultRoot);

// The graphics-library root: kvx.ini's [Library] "Image Root Path" when pictures lie in its
// "Photo_Objects/image_JPG" folder (taken as it is written); otherwise the user's registry value, or what
// root held before, or the default root; these last three end in a separator afterwards.
void GetGraphicsLibraryRoot(const CIniFile &kvxIni, const CRegistry &registry, const QString &defaultRoot,
                            QString &root);

// Whether the folder (joined with the probe as written, without a separator in between) holds a photo
// object picture.
bool HoldsLibraryPictures(const QString &folder);

} // namespace CorvLibraryLocation
