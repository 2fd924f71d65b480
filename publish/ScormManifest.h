#pragma once

#include <QString>
#include <QStringList>

class CCourseSettings;

// imsmanifest.xml of an LMS package: the content-package manifest through which a learning management
// system imports the course. The whole course is one SCO ("resource01") that depends on one asset
// ("sharedfiles") listing the course's files as they lie in the output folder. Two editions: SCORM 1.2
// (IMS CP 1.1.2 with IMS MD 1.2.1) and SCORM 2004 4th Edition (IMS CP 1.1 with IEEE LOM), optionally with
// the package extension of one LMS vendor.
class CScormManifest
{
public:
    struct Settings {
        QString courseCode;
        bool scorm12 = false;
        bool vendorExtension = false;
        bool opensNewWindow = false;
        QString organizationTitle;
        QString itemTitle;
        QString courseName;   // the titles' stand-in when they are empty
    };

    // SCORM12 exactly 1 gives 1.2; the vendor extension only when the LMS compatibility names that vendor
    // exactly (string 10689).
    static Settings FromCourse(const CCourseSettings &course);

    // The manifest identifier: the course code's ASCII letters and digits, "M" in front when it does not
    // start with a letter; "M" (1.2) or "ManifestID" (2004) when nothing is left.
    static QString Identifier(const QString &courseCode, bool scorm12);

    // The whole manifest for the package in outputFolder, LF line ends.
    static QString Build(const Settings &settings, const QString &outputFolder);

    // `<file href="<folderHref>/<name>" />` without its indentation; folderHref without a trailing "/".
    static QString FileLine(const QString &folderHref, const QString &name);

    // Names of the regular files (links and folders left out) directly in the folder that match the
    // wildcard pattern without regard to case, sorted by name without regard to case (then with it), so
    // that the same folder always gives the same list. A missing folder gives none.
    static QStringList FolderFiles(const QString &folder, const QString &pattern);
};
