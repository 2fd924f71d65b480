#include "app/ButtonsRules.h"

#include "document/CourseSettings.h"
#include "model/GlobalHelpers.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <array>

namespace CorvButtonsRules {

namespace {

struct LabelRange
{
    int first;
    int last;
};
// The string-table entries of each button's labels.
constexpr std::array<LabelRange, kButtonCount> kLabels = {{
    {10640, 10643}, {10645, 10648}, {10650, 10651}, {10653, 10656}, {10658, 10662}, {10664, 10665}, {10667, 10668},
}};

} // namespace

void ResetButtons(CCourseSettings &s)
{
    s.UseBtnNext = s.UseBtnBack = s.UseBtnMenu = s.UseBtnQuit = 1;
    s.ShowGlossary = 1;
    s.HideGlossaryInAssessment = 1;
    s.HideHelpInAssessment = 1;
    s.LblNext = CStringTable::Load(10681);
    s.LblBack = CStringTable::Load(10682);
    s.LblMenu = CStringTable::Load(10683);
    s.LblQuit = CStringTable::Load(10684);
    s.LblDone = CStringTable::Load(10685);
    s.LblPlay = CStringTable::Load(10686);
    s.LblStop = CStringTable::Load(10687);
    s.UseProgressBar = 1;
    s.TimeBetweenScreens = 6;
    s.McToggleType = 0;
}

QStringList LabelEntries(Button button)
{
    QStringList labels;
    if (button < 0 || button >= kButtonCount)
        return labels;
    for (int id = kLabels[size_t(button)].first; id <= kLabels[size_t(button)].last; ++id)
        labels.append(CStringTable::Load(id));
    std::sort(labels.begin(), labels.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    labels.prepend(QString());
    return labels;
}

int FindLabel(const QStringList &entries, const QString &label)
{
    // Every text begins with the empty label, but a null text says it does not.
    if (label.isEmpty())
        return entries.isEmpty() ? -1 : 0;
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].startsWith(label, Qt::CaseInsensitive))
            return i;
    return -1;
}

ButtonStates States(const CCourseSettings &s)
{
    const bool next = s.UseBtnNext != 0;
    ButtonStates states;
    states.nextLabel = next;
    states.backLabel = s.UseBtnBack != 0;
    states.menuLabel = s.UseBtnMenu != 0;
    states.quitLabel = s.UseBtnQuit != 0;
    states.timeBetweenScreens = !next;
    states.nextDelay = s.UseBtnNext == 1;
    states.nextDelaySeconds = s.UseBtnNext == 1 && s.DelayNextButton == 1;
    states.hideGlossary = s.ShowGlossary != 0;
    return states;
}

HelpList BuildHelpEntries(const std::vector<PopupScreen> &popups, int helpScreen)
{
    HelpList list;
    for (const PopupScreen &screen : popups) {
        if (screen.pageType != pt_folder && screen.pageType != pt_document)
            continue;
        // A screen the author cannot see in the Edit window is left out; the ones after it are still offered.
        if (screen.label.isEmpty())
            continue;
        if (screen.number == helpScreen && helpScreen != 0)
            list.selected = int(list.entries.size());
        list.entries.push_back({screen.label + QStringLiteral(" : ") + screen.title, screen.number});
    }
    list.entries.push_back({QStringLiteral("(clear selection)"), 0});
    return list;
}

} // namespace CorvButtonsRules
