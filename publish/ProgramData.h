#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CCourseSettings;

// The program-folder data that publishing reads: templates, the course run-time, themes and the outline
// pictures. Paths are relative to the program folder and spelt as they lie on disk; they are looked up
// without regard to case, as the system has always named them in several spellings.
namespace CorvProgramData {

inline const QString kIndexTemplate = QStringLiteral("source/publish/index.htm");
inline const QString kIndexHtaTemplate = QStringLiteral("source/publish/index.hta");
inline const QString kContentTemplates = QStringLiteral("source/publish/content");
inline const QString kMessageTemplate = QStringLiteral("source/PlaceHolderText/msg.txt");
inline const QString kOutlineTemplate = QStringLiteral("source/PlaceHolderText/outline.htm.txt");
inline const QString kThemesFolder = QStringLiteral("Themes");
inline const QString kFallbackTheme = QStringLiteral("Classical");
inline const QString kTreePictures = QStringLiteral("source/tree");
inline const QString kDefaultProfile = QStringLiteral("kv_profile.kvp");

// relative under programFolder, each existing part spelt as on disk.
QString Resolve(const QString &programFolder, const QString &relative);

// One copy of the course run-time: a file, or every file of a folder under lower-cased names.
struct RunTimeCopy {
    QString source;      // relative to the program folder
    QString destination; // relative to the output folder; for a folder, "" is the output folder itself
    bool folder = false;
    // A folder whose files keep their names as they are (the schema files, which name one another): the
    // others are published lower-cased.
    bool keepNames = false;
};

// The run-time copies of a publish for the target kind (PublishTarget) and settings, in copy order. The
// lesson mode is 1 only for the web-database half of a lesson-folder publish.
std::vector<RunTimeCopy> RunTimeCopies(const CCourseSettings &settings, int target, int lessonMode);

// A navigation button of the themes: the label setting it follows, the picture for each label text
// (string-table entries) and for an empty label, and the name the published course loads it under.
struct ThemeButton {
    QString CCourseSettings::*label;
    QString emptyLabelPicture;
    std::vector<std::pair<int, QString>> pictures; // string-table id of the label text, picture
    QString publishedName;
};
const std::vector<ThemeButton> &ThemeButtons();
// The close button of popups, the same whatever the labels.
inline const QString kPopupButtonPicture = QStringLiteral("btn_popup.png");
// Every picture a theme's Buttons folder holds.
QStringList ThemeButtonPictures();

// A theme name that names one folder of the themes and nothing else: not empty, no separator, not "." or
// "..", no control character.
bool IsPlainThemeName(const QString &theme);

} // namespace CorvProgramData
