#pragma once

#include "app/ui/controls/DragTracker.h"

#include <QPoint>

class QPainter;

// The two end handles of a selected line on the canvas and the drag that moves one end or the whole line.
// A cancelled drag leaves the ends where the last move put them; while a drag runs the host paints the
// rubber line with DrawRubberLine.
class CLineTracker : public CDragTracker
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

    QPoint First() const { return m_first; }
    QPoint Second() const { return m_second; }

protected:
    void DragTo(const QPoint &point) override;

private:
    QPoint m_first;
    QPoint m_second;
    int m_part = -1;
    QPoint m_last;
};
