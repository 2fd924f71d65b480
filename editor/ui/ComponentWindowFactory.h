#pragma once

#include <memory>

class CComponentBase;
class CComponentWindow;
class CScrollViewEx;

// The one place where the canvas's component windows are made and wired. A component gets its window when
// its screen goes on show (CComponentBase::Show asks the canvas, the canvas asks here) and loses it when the
// screen leaves the canvas, so the number of windows follows the screen on show and not the project. Every
// callback through which a window reaches the canvas (selection, the formatting bar, Cut, Copy, Paste,
// Bring to top, Send to back, Properties, Update table) is set here, and nowhere else.
namespace CComponentWindowFactory {

// The window of the component's kind on the canvas, hidden, over its bounds; null for the kinds the canvas
// paints itself (the line) and those without a picture (remediation, free-form text's media...).
std::unique_ptr<CComponentWindow> Make(CComponentBase &component, CScrollViewEx &canvas);

} // namespace CComponentWindowFactory
