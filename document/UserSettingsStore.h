#pragma once

#include "document/SettingsFile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

class CCourseSettings;
class CIniFile;
class CPrompt;

// The author's default settings for new projects, kept in the per-user folder: kvx.ini (section
// "Settings", the settings that have a key, the font settings of slot 0 only) and setting.bin (nearly
// every setting). Both are written by "Set the current settings as default"; "Reset settings" switches
// them off without deleting them. A new project reads kvx.ini over the built-in defaults and setting.bin
// over that, but only while the ini's "UseCustomised" holds "TRUE".
class CUserSettingsStore
{
public:
    explicit CUserSettingsStore(QString appDataFolder);

    QString IniPath() const;
    QString SettingsFilePath() const;

    // "UseCustomised" equal to "TRUE" without regard to case.
    bool IsCustomised() const;
    // The stored defaults over what s holds: kvx.ini, then setting.bin, when they are switched on. Nothing
    // is shown: a missing file or key reads as empty, 0 or FALSE, a setting.bin that cannot be opened is
    // passed over, and one that ends early leaves what it held up to there.
    void Apply(CCourseSettings &s) const;

    // "Set the current settings as default": "UseCustomised" = "TRUE", then (with settings) every key and
    // setting.bin. A file that cannot be written is reported with "ERROR:\nFail to open file %s\nTo save
    // current setting as a default" and gives false.
    bool SaveAsDefault(const CCourseSettings *settings, CPrompt &prompt) const;
    // "Reset settings": "UseCustomised" = "FALSE"; nothing else is removed.
    bool Reset() const;

    // The 134 keys of section "Settings", in the order they are written.
    static const QStringList &IniKeys();
    // The settings from the keys: texts as they stand (an absent key gives empty text, an absent
    // "FontSizePoints" "12", and "InternationalProfileFilename" replaces the path only when not empty),
    // flags 1 only for "TRUE" in any case, numbers and colours as decimal integers, 0 when absent or not
    // a number.
    static void ReadIniSettings(const CIniFile &ini, CCourseSettings &s);
    // The keys and their values as written: flags "TRUE" for 1 and "FALSE" otherwise, numbers and colours
    // in signed decimal, texts unchanged.
    static QList<std::pair<QString, QString>> IniEntries(const CCourseSettings &s);

    static constexpr char kSection[] = "Settings";

private:
    QString m_folder;
};
