#pragma once

#include "dialogs/DialogCheck.h"
#include "model/ComponentTable.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <vector>

class CCorvPage;
class CCorvessaDoc;

// The screen template picker of the new-screen command: twelve entries, each with a preview and the
// template code the Edit window turns into a screen (0 to 9 the picture layouts, 13 text only, 14 blank).
namespace AddScreenChoice {

constexpr int kEntries = 12;
// The entry texts (two blanks before the dash that leads to the key).
QStringList EntryTexts();
// The template code of an entry; the first entry's for a number out of range.
int TemplateCode(int entry);

} // namespace AddScreenChoice

// "Import new document": the document to import after the current screen, into a new topic or into the
// glossary only.
struct CImportNewDocumentValues {
    // Inputs: whether the course is menu-based, and the page type of the current screen (-1 for none).
    int menuBased = 1;
    int currentPageType = -1;

    QString path;
    int glossaryOnly = 0;
    int createTopic = 0;
    QString topicTitle;
    QString bannerName;

    // "Create a new topic" exists only in menu-based courses.
    bool CreateTopicEnabled() const { return menuBased != 0; }
    // The title and banner boxes follow "Create a new topic", unless the import goes to the glossary.
    bool TopicFieldsEnabled() const { return createTopic != 0 && glossaryOnly == 0; }
    // A document lands after a topic or a content screen, or in a new topic, or in the glossary.
    bool OkEnabled() const;
};

// The table dialog's values, with the colour rules the dialog applies on opening and after each click on
// "Set colors" or "'Old' style borders".
struct CInsertTableValues {
    // More cells than the table window can edit at once.
    static constexpr int kMaxCells = 500;
    static inline const QString kRowsColumnsMessage =
        QStringLiteral("A table needs at least one row and one column, and at most 500 cells.");
    static inline const QString kNegativeMessage =
        QStringLiteral("Borders and cell padding cannot be negative.");
    // Controls the checks move the focus to.
    static constexpr int kRowsBox = 1222;
    static constexpr int kBorderBox = 1224;

    QString caption = QStringLiteral("Add table");
    int rows = 2;
    int columns = 2;
    int tableBorder = 1;
    int oldStyleBorders = 1;
    int cellBorderThickness = 1;
    int cellPadding = 5;
    int headerKind = 0;
    int setColours = 1;
    uint32_t tableBorderColour = 0;
    uint32_t cellBorderColour = 0;
    uint32_t tableBackground = 0xFFFFFF;
    uint32_t headerBackground = 0xFFFFFF;
    QString summary;

    // Without "Set colors" the backgrounds are white and the borders black; with old-style borders the
    // border colours are black.
    void ApplyColourRules();
    bool BackgroundButtonsEnabled() const { return setColours != 0; }
    bool BorderButtonsEnabled() const { return setColours != 0 && oldStyleBorders == 0; }
    bool CellBorderEnabled() const { return oldStyleBorders == 0; }
    // A table has at least one row and one column and at most 500 cells; no number is negative.
    CDialogCheck Check() const;

    // To and from the table's record (the caption is the dialog's own).
    static CInsertTableValues FromSettings(const CComponentTable::Settings &settings);
    CComponentTable::Settings ToSettings() const;
};

// The settings of a remediation folder: the question screens that count towards it, the pass mark, and
// where the learner goes after completing it and after reversing out of it (-1: the entry that stands
// for "next screen after remediation" or "last screen viewed before remediation").
struct CRemediationValues {
    static constexpr int kDefaultPassMark = 80;
    static inline const QString kNextScreen = QStringLiteral("Next screen after remediation");
    static inline const QString kLastScreen = QStringLiteral("Last screen viewed before remediation");

    struct Entry {
        QString text;
        int number = -1;
        bool operator==(const Entry &) const = default;
    };
    // What an entry shows of a screen before " : " and its title (the navigator's thumbnail caption).
    using Caption = std::function<QString(const CCorvPage &)>;

    std::vector<int> counted;
    int passMark = kDefaultPassMark;
    int reverseOutTarget = -1;
    int completionTarget = -1;

    // Drops counted numbers whose screen no longer exists.
    void DropMissing(const CCorvessaDoc &doc);
    // The counted questions as entries, in their order.
    std::vector<Entry> CountedEntries(const CCorvessaDoc &doc, const Caption &caption) const;
    // The question screens of the main list that are not counted yet, in list order.
    std::vector<Entry> Candidates(const CCorvessaDoc &doc, const Caption &caption) const;
    // The target list: its first entry (firstText, -1), then every screen of the main list that is not a
    // folder of topics, an assessment folder, container or screen, or a remediation folder, and does not
    // lie below a remediation folder in the outline.
    static std::vector<Entry> Targets(const CCorvessaDoc &doc, const Caption &caption, const QString &firstText);
    // The entry of a list to select for a target: the one with its number, else the first.
    static int IndexOf(const std::vector<Entry> &entries, int number);
    // A pass mark outside 0 to 100 becomes 80, without a word.
    void Correct();
    static QString EntryText(const CCorvPage &screen, const Caption &caption);
};
