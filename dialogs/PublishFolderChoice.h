#pragma once

#include <QString>

#include <array>

class CCourseSettings;

// The eight values of the "Publish settings" dialog: for each kind of course (standalone, LAN-based
// database, web-based database, LMS) its publish folder and whether it keeps the default location. The
// folder and its Browse button can be used only while the default location is not chosen.
class CPublishFolderChoice
{
public:
    static constexpr int kKinds = 4;
    struct Row {
        QString folder;
        int useDefault = 0;
    };
    std::array<Row, kKinds> rows;

    static bool RowEditable(const Row &row) { return row.useDefault != 1; }

    // The document's publish-folder settings.
    void LoadFrom(const CCourseSettings &settings);
    // Copies the eight values into the document's settings.
    void StoreTo(CCourseSettings &settings) const;

    // Where the folder picker of a row starts: the row's folder, else the folder chosen last this run.
    QString BrowseStart(int kind, const QString &lastFolder) const;
    // A folder chosen for the row: it becomes the row's folder and the folder chosen last.
    void Chosen(int kind, const QString &folder, QString &lastFolder);
};
