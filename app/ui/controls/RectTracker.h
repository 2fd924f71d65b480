#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>

class QPainter;
class QWidget;

// A rectangle on the canvas with eight handles: dragging a handle resizes it, dragging inside moves it. The
// drag runs inside the host's own event loop (Track grabs the host's mouse and keyboard) and ends with one
// trackFinished signal: completed on the button's release, cancelled by Escape or the right button with the
// rectangle put back. Kinds of tracker narrow the handles offered and adjust each proposed rectangle.
class CRectTracker : public QObject
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
    bool IsTracking() const { return m_handle >= 0; }

    // Bit n set: handle n is offered.
    virtual unsigned GetHandleMask() const;
    // Called with every rectangle a drag of handle proposes; may change it.
    virtual void AdjustRect(int handle, QRect &rect);

signals:
    void trackFinished(bool completed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void End(bool completed);

    QRect m_rect;
    QRect m_start;
    QPoint m_pressed;
    int m_handle = -1;
    QPointer<QWidget> m_host;
};
