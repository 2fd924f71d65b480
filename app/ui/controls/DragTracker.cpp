#include "app/ui/controls/DragTracker.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

CDragTracker::CDragTracker(QObject *parent) : QObject(parent) {}

bool CDragTracker::BeginDrag(QWidget *host, Qt::CursorShape cursor)
{
    if (!host || IsTracking() || QWidget::mouseGrabber())
        return false;
    m_host = host;
    host->installEventFilter(this);
    host->grabMouse(cursor);
    host->grabKeyboard();
    return true;
}

void CDragTracker::Finish(bool completed)
{
    if (!completed)
        DragCancelled();
    if (QWidget *host = m_host) {
        host->removeEventFilter(this);
        host->releaseMouse();
        host->releaseKeyboard();
        host->update();
    }
    m_host = nullptr;
    emit trackFinished(completed);
}

bool CDragTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_host || !IsTracking())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        DragTo(static_cast<QMouseEvent *>(event)->position().toPoint());
        m_host->update();
        return true;
    case QEvent::MouseButtonRelease: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            DragTo(mouse->position().toPoint());
            Finish(true);
        }
        return true;
    }
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::RightButton)
            Finish(false);
        return true;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape)
            Finish(false);
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}
