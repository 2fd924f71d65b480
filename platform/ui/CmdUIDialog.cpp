#include "platform/ui/CmdUIDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

void CCmdUI::Enable(bool on) { m_control->setEnabled(on); }

void CCmdUI::SetCheck(int check)
{
    if (auto *button = qobject_cast<QAbstractButton *>(m_control))
        button->setChecked(check != 0);
}

void CCmdUI::SetText(const QString &text)
{
    if (auto *button = qobject_cast<QAbstractButton *>(m_control))
        button->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(m_control))
        label->setText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(m_control))
        edit->setText(text);
}

CCmdUIDialog::CCmdUIDialog(QWidget *parent) : QDialog(parent) {}

void CCmdUIDialog::SetUpdateHandler(QWidget *control, UpdateHandler handler)
{
    if (!control)
        return;
    for (auto &entry : m_handlers)
        if (entry.first == control) {
            entry.second = std::move(handler);
            return;
        }
    m_handlers.append({control, std::move(handler)});
}

void CCmdUIDialog::UpdateDialogControls()
{
    m_updatePending = false;
    int index = 0;
    for (QWidget *child : findChildren<QWidget *>()) {
        for (const auto &[control, handler] : m_handlers)
            if (control == child) {
                CCmdUI ui(child, index);
                handler(ui);
            }
        ++index;
    }
}

void CCmdUIDialog::ScheduleUpdate()
{
    if (m_updatePending)
        return;
    m_updatePending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_updatePending)
            UpdateDialogControls();
    });
}

bool CCmdUIDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Every action of the author inside the dialog may change what its controls should show.
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
    case QEvent::KeyRelease:
    case QEvent::FocusIn:
        if (auto *widget = qobject_cast<QWidget *>(watched); widget && widget->window() == this)
            ScheduleUpdate();
        break;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

void CCmdUIDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    qApp->installEventFilter(this);
    UpdateDialogControls();
}

void CCmdUIDialog::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QDialog::hideEvent(event);
}
