#include "editor/ui/EditingComponentWindow.h"

#include "model/ComponentBase.h"

#include <QCoreApplication>
#include <QMouseEvent>

CEditingComponentWindow::CEditingComponentWindow(CComponentBase &component, QWidget *canvas)
    : QWidget(canvas), m_base(component), m_canvas(canvas)
{
    SetBounds(component.GetBounds());
    hide();
}

void CEditingComponentWindow::Show()
{
    raise();
    show();
}

void CEditingComponentWindow::Hide() { hide(); }

void CEditingComponentWindow::SetBounds(const CRect &rect)
{
    setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
}

void CEditingComponentWindow::SelectOwnComponent()
{
    if (selectComponent)
        selectComponent(m_base);
}

void CEditingComponentWindow::RunComponentCommand(int command)
{
    if (componentCommand)
        componentCommand(m_base, command);
}

void CEditingComponentWindow::ReportFont(const QString &face, int points)
{
    if (selectFontInToolbar)
        selectFontInToolbar(face, points);
}

void CEditingComponentWindow::RelayToCanvas(QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
                                            Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    if (!m_canvas)
        return;
    const QPoint at = mapTo(m_canvas, pos);
    QMouseEvent relayed(type, at, m_canvas->mapToGlobal(at), button, buttons, modifiers);
    QCoreApplication::sendEvent(m_canvas, &relayed);
}
