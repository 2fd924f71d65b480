#include "app/ui/controls/RolloverButton.h"

#include <QEvent>

CRolloverButton::CRolloverButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    setAttribute(Qt::WA_Hover);
}

bool CRolloverButton::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn:
        Hover();
        break;
    case QEvent::Leave:
        // The pointer leaves while the button keeps the focus: the host's description stays with the focus.
        if (!hasFocus())
            Leave();
        break;
    case QEvent::FocusOut:
        if (!underMouse())
            Leave();
        break;
    default:
        break;
    }
    return QPushButton::event(event);
}

void CRolloverButton::Hover()
{
    if (m_hovering)
        return;
    m_hovering = true;
    emit rolloverHover(m_controlId);
}

void CRolloverButton::Leave()
{
    if (!m_hovering)
        return;
    m_hovering = false;
    emit rolloverLeave();
}
