#pragma once

#include "platform/Rect.h"

#include <QSize>
#include <QString>

class CComponentBase;

// The on-canvas window of a component, as the model sees it. A component owns its window; the Edit canvas
// makes it (CEditCanvas::CreateComponentWindow) with a pointer back to the component. The component keeps
// every value in its own fields: the window shows them and hands back what the author edited. Destroying
// the object destroys the widget.
class CComponentWindow
{
public:
    virtual ~CComponentWindow() = default;

    // Bring to the top of its siblings and show / hide.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Move over the rectangle (canvas coordinates) and repaint.
    virtual void MoveWindow(const CRect &rect) = 0;
    // Repaint with erasing.
    virtual void Invalidate() = 0;
    // Show the component's current values (ExchangeData with save FALSE).
    virtual void UpdateFromComponent() = 0;
    // Hand what the author edited in the window back to the component (ExchangeData with save TRUE).
    virtual void UpdateComponent() = 0;

    // Editing windows (text boxes, tables, HTML text): enabled only while their component is selected.
    virtual void EnableEditing(bool /*enable*/) {}
    // Editing windows: caret and selection back to the start.
    virtual void ResetCaret() {}
    // The size of one line of text in the window's font (links size themselves to their caption).
    virtual QSize GetTextExtent(const QString & /*text*/) const { return QSize(); }
};

// A font height in pixels as the windows build it from points: -MulDiv(points, dpi, 72), rounded half
// away from zero; negative means a character height.
inline int FontHeightFromPoints(int points, int dpi = 96)
{
    const long long product = (long long)points * dpi;
    const long long rounded = product >= 0 ? (product + 36) / 72 : (product - 36) / 72;
    return -int(rounded);
}
