#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QPainter;
class QWidget;

// The two end handles of a selected line on the canvas and the drag that moves one end or the whole line.
// The drag runs inside the host's own event loop: Track grabs the mouse and the keyboard of the host, follows
// its events and ends with one trackFinished signal (completed on the button's release; cancelled by Escape
// or the right button, the ends then staying where the last move put them). While it runs the host paints
// the rubber line with DrawRubberLine.
class CLineTracker : public QObject
{
    Q_OBJECT
public:
    CLineTracker(const QPoint &first, const QPoint &second, QObject *parent = nullptr);

    // The two 6 x 6 end squares, black.
    void Draw(QPainter &painter) const;
    void DrawRubberLine(QPainter &painter) const;
    // 0 or 1 on an end's square, 2 on the line, -1 elsewhere.
    int HitTest(const QPoint &point) const;
    // Starts a drag of what lies under point; false when nothing does or another widget has the mouse.
    bool Track(QWidget *host, const QPoint &point);

    bool IsTracking() const { return m_part >= 0; }
    QPoint First() const { return m_first; }
    QPoint Second() const { return m_second; }

signals:
    void trackFinished(bool completed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void MoveTo(const QPoint &point);
    void End(bool completed);

    QPoint m_first;
    QPoint m_second;
    int m_part = -1;
    QPoint m_last;
    QPointer<QWidget> m_host;
};
