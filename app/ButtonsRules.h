#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class CCourseSettings;

// What the Buttons page decides without a window: its reset values, the label lists of the buttons, which
// controls are available, and the list of popups-only screens that may serve as the Help screen.
namespace CorvButtonsRules {

// Writes the page's reset values: the four navigation buttons, Glossary and both "Hide during assessment"
// options on, the seven labels, the progress bar, 6 seconds between screens and the check-mark toggle. The
// Next delay, the last-screen option and the Help screen are left.
void ResetButtons(CCourseSettings &settings);

// The buttons whose label is chosen, in the page's order.
enum Button { Next, Back, Menu, Quit, Done, Play, Stop, kButtonCount };
// A label list as the page shows it: an empty entry first, then the button's labels sorted.
QStringList LabelEntries(Button button);
// The entry that shows a stored label: the first that begins with it, ignoring case; -1 when none does.
int FindLabel(const QStringList &entries, const QString &label);

struct ButtonStates
{
    bool nextLabel = false;
    bool backLabel = false;
    bool menuLabel = false;
    bool quitLabel = false;
    bool timeBetweenScreens = false; // automatic advance only for a course without a Next button
    bool nextDelay = false;          // "Delay the display of the Next button" and the last-screen option
    bool nextDelaySeconds = false;
    bool hideGlossary = false;
};
ButtonStates States(const CCourseSettings &settings);

// A popup screen as the Help list sees it. An empty label means the screen has no entry in the Edit window's
// list of screens (it is not shown to the author there).
struct PopupScreen
{
    int number = 0;
    int pageType = 0;
    QString label;
    QString title;
};
struct HelpEntry
{
    QString text;
    int screen = 0; // 0 for "(clear selection)"
};
struct HelpList
{
    std::vector<HelpEntry> entries;
    int selected = -1; // the entry of the stored Help screen, -1 when it is not listed
};
// The Help list: each folder or content screen of the popup list as "<label> : <title>", in list order,
// then "(clear selection)". A screen without a label is skipped; a stored screen that is gone selects
// nothing (and stays stored).
HelpList BuildHelpEntries(const std::vector<PopupScreen> &popups, int helpScreen);

} // namespace CorvButtonsRules
