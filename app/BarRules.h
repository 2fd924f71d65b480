#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The rules of the main frame's bars that need no window: the font boxes' entries and selection, when the
// edit and formatting bars show, and the text of the status bar's position and size panes.
namespace CorvBarRules {

// The entries of the font size box: "2" to "100" in numeric order.
QStringList FontSizeEntries();

// The entry a font box selects for a text: an entry equal to it without regard to case; otherwise the
// first entry that begins with it, searching from the second entry and going on at the first after the
// last; -1 when none does (the box then keeps its selection).
int FindComboEntry(const QStringList &entries, const QString &text);

// One installed font family as the font system describes it.
struct FontFamily {
    QString name;
    bool scalable = false;
    bool hidden = false; // a family the system keeps for itself
};
// The names the font-name box lists: the scalable, visible families, each once, sorted without regard to
// case.
QStringList FontBoxNames(const QList<FontFamily> &families);

// The edit bar and the formatting bar show only while the Edit view is the visible one and the author
// wants them.
bool BarShouldBeVisible(int currentViewIndex, bool wanted);

// What the View menu shows for one of those two bars, and the author's wish afterwards. Outside the Edit
// view the bar is hidden by the rule above, not by the author: the check shows the wish and keeps it.
struct BarMenuState {
    bool checked = false;
    bool wanted = false;
};
BarMenuState BarMenuUpdate(int currentViewIndex, bool barVisible, bool wanted);

// "x, y" as the position and size panes show it.
QString ItemPairText(int first, int second);

} // namespace CorvBarRules
