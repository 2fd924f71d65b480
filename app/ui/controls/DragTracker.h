#pragma once

#include <QObject>
#include <QPointer>

class QPoint;
class QWidget;

// The drag of a canvas tracker, run inside the host's own event loop: once begun it takes the host's mouse
// and keyboard, hands every position of the held button to the tracker, and ends with one trackFinished
// signal: completed on the button's release, cancelled by Escape or the right button.
class CDragTracker : public QObject
{
    Q_OBJECT
public:
    bool IsTracking() const { return !m_host.isNull(); }

signals:
    void trackFinished(bool completed);

protected:
    explicit CDragTracker(QObject *parent = nullptr);

    // False when there is no host, a drag runs already, or another widget holds the mouse.
    bool BeginDrag(QWidget *host, Qt::CursorShape cursor);
    // The button is held at point (or released there, just before the drag completes).
    virtual void DragTo(const QPoint &point) = 0;
    // Escape or the right button ended the drag.
    virtual void DragCancelled() {}

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Finish(bool completed);

    QPointer<QWidget> m_host;
};
