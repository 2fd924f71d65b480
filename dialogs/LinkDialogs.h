#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CCorvessaDoc;
class CCorvPage;
class CURLLink;

// The values and rules of the "Add link" dialog: where a link leads (a screen of the course, possibly in a
// popup window of a given size, a web address, or JavaScript), which screens the list offers, which controls
// are enabled and when OK is. The dialog's window shows them; the caller presets selectedText and reads the
// values back after OK.
class CAddLinkValues
{
public:
    enum Mode { ScreenMode, UrlMode, ScriptMode };
    // Entries of the "Show:" list, in its order.
    enum Show { ShowCourse, ShowCourseAndPopups, ShowPopups, ShowGlossary, ShowCreateGlossary };
    static const QStringList &ShowTexts();

    static constexpr int kMinWidth = 250;
    static constexpr int kMaxWidth = 1008;
    static constexpr int kMinHeight = 100;
    static constexpr int kMaxHeight = 560;
    // A glossary screen opens at least this large.
    static constexpr int kGlossaryWidth = 650;
    static constexpr int kGlossaryHeight = 475;

    // The values the caller reads (a link record's fields but its text, number and place).
    int screenLink = 1;
    int targetScreen = -1;
    int popup = 1;
    int fullSize = 1;
    int popupWidth = kMinWidth;
    int popupHeight = kMinHeight;
    int script = 0;
    QString address;
    QString scriptText;
    // The text being linked: the term of a new glossary item.
    QString selectedText;

    // The list filters.
    int showCourse = 1;
    int showPopups = 0;
    int showGlossary = 0;
    int createGlossaryItem = 0;
    int selectNewest = 0;

    struct Entry {
        QString text; // "<caption> : <title>"
        int screen;   // the screen's unique number
    };
    // The caption of a screen in the navigator's thumbnails; by default its place in its list counted from 1,
    // with "P" or "G" before it for popup and glossary screens.
    using CaptionFunction = std::function<QString(const CCorvPage &screen, int listIndex, char list)>;
    static QString DefaultCaption(const CCorvPage &screen, int listIndex, char list);

    // Which controls are enabled, and the popup box's tick.
    struct Enabling {
        bool showList = true;
        bool screenList = true;
        bool popupBox = true;
        bool popupTicked = true;
        bool sizeRadios = true;
        bool sizeFields = false;
        bool address = false;
        bool script = false;
    };

    Mode GetMode() const { return m_mode; }
    int GetShowIndex() const { return m_show; }
    // The radio buttons: screen mode refills the list and empties the web address; the other two clear the
    // target.
    void SetMode(Mode mode);
    // A "Show:" entry chosen: the lists it shows, the glossary popup size; true when it asks for a new
    // glossary item (the caller runs that dialog, then GlossaryItemAdded or nothing on cancel).
    bool ChooseShow(int index);
    void GlossaryItemAdded();
    void SetPopup(bool on);
    void SetFullSize(bool on);
    void SetAddress(const QString &text);
    void SetScriptText(const QString &text);

    // The screen list from the document's main, popup and glossary lists as the filters say; the target is
    // cleared, or with select-newest set to the last glossary screen.
    std::vector<Entry> FillScreenList(const CCorvessaDoc &document, const CaptionFunction &caption = {});
    // A screen chosen in the list (-1: none).
    void SelectScreen(int screen);

    Enabling GetEnabling() const;
    bool IsOkEnabled() const;

    // The target fields given to a link record (its text, number and place are the caller's).
    void ApplyTo(CURLLink &link) const;
    // The address or script the record keeps in its url field.
    QString Url() const { return script ? scriptText : address; }

private:
    Mode m_mode = ScreenMode;
    int m_show = ShowCourse;
};
