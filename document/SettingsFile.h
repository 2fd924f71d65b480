#pragma once

#include "document/SettingsFields.h"

#include <QString>

#include <vector>

class CArchive;
class CCourseSettings;

// setting.bin, the binary half of the per-user default settings: nearly every course setting, in the
// archive encoding of project files, with no header. A schema number stands after the settings every
// version holds; the settings added later follow it, each group read only when that number reaches its
// gate. Written by "Set the current settings as default", read by every new project after kvx.ini.
class CSettingsFile
{
public:
    enum class LoadResult {
        notOpened, // no file, or one that cannot be read: nothing changed
        read,      // read whole
        damaged,   // ended early or held what cannot be: the settings read before that point are kept
    };

    static void StoreSettings(CArchive &ar, const CCourseSettings &s);
    // Every field of the file in file order.
    static std::vector<SettingsFields::Field> Layout();
    // Reads into s; fields a gate keeps out keep their values, except the main font's point size and weight,
    // which a file older than the glossary options sets to "12" and "normal". LinearSourceAssessable
    // takes the value of LastAssessmentTopic whatever the file holds, also when the read ends early.
    // Throws CArchiveException where the file ends early.
    static void LoadSettings(CArchive &ar, CCourseSettings &s);

    // Writes the file, replacing an existing one only once the new one is complete. False when it cannot be
    // written.
    static bool Save(const QString &path, const CCourseSettings &s);
    // Reads the file into s. errorText receives why a damaged file could not be read whole.
    static LoadResult Load(const QString &path, CCourseSettings &s, QString *errorText = nullptr);
};
