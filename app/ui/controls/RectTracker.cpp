#include "app/ui/controls/RectTracker.h"

#include "app/TrackerGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

using namespace CorvTrackerGeometry;

CRectTracker::CRectTracker(const QRect &rect, QObject *parent) : QObject(parent), m_rect(rect) {}

unsigned CRectTracker::GetHandleMask() const { return 0xFF; }

void CRectTracker::AdjustRect(int, QRect &) {}

void CRectTracker::Draw(QPainter &painter) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_rect.adjusted(0, 0, -1, -1));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const unsigned mask = GetHandleMask();
    for (int handle = TopLeft; handle <= Left; ++handle)
        if (mask & (1u << handle))
            painter.drawRect(HandleRect(m_rect, handle));
    painter.restore();
}

int CRectTracker::HitTest(const QPoint &point) const { return RectHitTest(m_rect, GetHandleMask(), point); }

bool CRectTracker::Track(QWidget *host, const QPoint &point)
{
    const int handle = HitTest(point);
    if (!host || handle == NoHandle || IsTracking() || QWidget::mouseGrabber())
        return false;
    m_handle = handle;
    m_start = m_rect;
    m_pressed = point;
    m_host = host;
    host->installEventFilter(this);
    host->grabMouse(handle == Middle ? Qt::SizeAllCursor : Qt::CrossCursor);
    host->grabKeyboard();
    return true;
}

void CRectTracker::End(bool completed)
{
    if (!completed)
        m_rect = m_start;
    if (m_host) {
        m_host->removeEventFilter(this);
        m_host->releaseMouse();
        m_host->releaseKeyboard();
        m_host->update();
    }
    m_handle = -1;
    m_host = nullptr;
    emit trackFinished(completed);
}

bool CRectTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_host || !IsTracking())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonRelease && mouse->button() != Qt::LeftButton)
            return true;
        QRect proposed = ResizeByHandle(m_start, m_handle, mouse->position().toPoint() - m_pressed);
        AdjustRect(m_handle, proposed);
        m_rect = proposed;
        m_host->update();
        if (event->type() == QEvent::MouseButtonRelease)
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
