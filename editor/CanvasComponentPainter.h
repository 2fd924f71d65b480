#pragma once

#include <QFont>
#include <QImage>
#include <QRect>

struct CCharFormat;
class CComponentBase;
class CRichText;
class QPainter;

// Paints a component from its own values, at its bounds in canvas coordinates: the canvas's windows and
// the thumbnails both paint through here, so a screen looks the same on the canvas and in its pictures.
// Kinds that draw themselves (shapes, pictures, topic buttons, some questions) do; the others are drawn
// here as their windows show them.
namespace CanvasComponentPainter {

// The 19 kinds a screen's pictures show; buttons, links, media and remediation are left out.
bool IsDrawnKind(int type);
// Paints one component of a drawn kind; nothing for the others.
void Paint(QPainter &painter, CComponentBase &component);
// The slider question's picture: 344 x 30 horizontal, 30 x 344 vertical.
QImage SliderPicture(bool horizontal);
// The rich text laid into the rectangle, clipped to it; hidden characters are not shown.
// How far a text box's text stands inside its frame.
constexpr int kTextInset = 5;
// The font a run of text is shown in: its face with the fallback families the published page names too.
QFont FontOf(const CCharFormat &format);
void PaintRichText(QPainter &painter, const CRichText &text, const QRect &rect);

} // namespace CanvasComponentPainter
