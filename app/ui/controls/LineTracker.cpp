#include "app/ui/controls/LineTracker.h"

#include "app/TrackerGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

using namespace CorvTrackerGeometry;

CLineTracker::CLineTracker(const QPoint &first, const QPoint &second, QObject *parent)
    : QObject(parent), m_first(first), m_second(second)
{
}

void CLineTracker::Draw(QPainter &painter) const
{
    painter.save();
    painter.setBrush(Qt::black);
    for (const QPoint &end : {m_first, m_second})
        painter.drawRect(EndHandle(end).adjusted(0, 0, -1, -1));
    painter.restore();
}

void CLineTracker::DrawRubberLine(QPainter &painter) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.drawLine(m_first, m_second);
    painter.restore();
}

int CLineTracker::HitTest(const QPoint &point) const { return CorvTrackerGeometry::HitTest(m_first, m_second, point); }

bool CLineTracker::Track(QWidget *host, const QPoint &point)
{
    const int part = HitTest(point);
    if (!host || part == LineMiss || IsTracking() || QWidget::mouseGrabber())
        return false;
    m_part = part;
    m_last = point;
    m_host = host;
    host->installEventFilter(this);
    host->grabMouse(part == WholeLine ? Qt::SizeAllCursor : Qt::CrossCursor);
    host->grabKeyboard();
    return true;
}

void CLineTracker::MoveTo(const QPoint &point)
{
    if (m_part == FirstEnd) {
        m_first = point;
    } else if (m_part == SecondEnd) {
        m_second = point;
    } else {
        const QPoint delta = point - m_last;
        m_first += delta;
        m_second += delta;
    }
    m_last = point;
    if (m_host)
        m_host->update();
}

void CLineTracker::End(bool completed)
{
    if (m_host) {
        m_host->removeEventFilter(this);
        m_host->releaseMouse();
        m_host->releaseKeyboard();
        m_host->update();
    }
    m_part = -1;
    m_host = nullptr;
    emit trackFinished(completed);
}

bool CLineTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_host || !IsTracking())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        MoveTo(static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return true;
        MoveTo(mouse->position().toPoint());
        End(true);
        return true;
    }
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            End(false);
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            End(false);
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
