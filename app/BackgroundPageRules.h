#pragma once

#include <QString>

class CCourseSettings;

// What the Background page decides without a window: its pickers' filters, its help text and the rule that
// ties each bar's "Remove the space" box to its "Hide" box.
namespace CorvBackgroundPage {

enum Bar { TopBar, NavigationBar };

// File filters of the two pickers; only the logo takes PNG pictures.
QString BackgroundFilter();
QString LogoFilter();
// The text of the "?" button.
QString HelpText();

// Stores a click on a bar's "Hide" box: hiding it keeps its "Remove the space" value, showing it again
// clears that value, since space cannot be removed for a bar that shows.
void SetBarHidden(CCourseSettings &settings, Bar bar, bool hidden);

} // namespace CorvBackgroundPage
