#pragma once

#include "app/ui/controls/DragTracker.h"

#include <QRect>

class QPainter;

// A rectangle on the canvas with eight handles: dragging a handle resizes it, dragging inside moves it; a
// cancelled drag puts the rectangle back. Kinds of tracker narrow the handles offered and adjust each
// proposed rectangle.
class CRectTracker : public CDragTracker
{
    Q_OBJECT
public:
    explicit CRectTracker(const QRect &rect = {}, QObject *parent = nullptr);

    QRect Rect() const { return m_rect; }
    void SetRect(const QRect &rect) { m_rect = rect; }

    // The rectangle's dotted outline and the handles offered.
    void Draw(QPainter &painter) const;
    // A handle number (0-3 corners, 4-7 sides), 8 inside, -1 outside.
    int HitTest(const QPoint &point) const;
    // Starts a drag of what lies under point; false when nothing does or another widget has the mouse.
    bool Track(QWidget *host, const QPoint &point);

    // Bit n set: handle n is offered.
    virtual unsigned GetHandleMask() const;
    // Called with every rectangle a drag of handle proposes; may change it.
    virtual void AdjustRect(int handle, QRect &rect);

protected:
    void DragTo(const QPoint &point) override;
    void DragCancelled() override { m_rect = m_start; }

private:
    QRect m_rect;
    QRect m_start;
    QPoint m_pressed;
    int m_handle = -1;
};
