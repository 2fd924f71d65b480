#pragma once

#include <QDialog>
#include <QPointer>

#include <functional>

// What an update handler may set on the control it is asked about.
class CCmdUI
{
public:
    CCmdUI(QWidget *control, int index) : m_control(control), m_index(index) {}
    void Enable(bool on = true);
    void SetCheck(int check);
    void SetText(const QString &text);
    QWidget *Control() const { return m_control; }
    int Index() const { return m_index; }

private:
    QWidget *m_control;
    int m_index;
};

// A dialog whose controls take their enabled and checked states from update handlers, as menu items do:
// after the dialog opens and after each action of the author, every child control with a handler is asked
// in turn. A control without a handler keeps its state.
class CCmdUIDialog : public QDialog
{
    Q_OBJECT
public:
    using UpdateHandler = std::function<void(CCmdUI &)>;

    explicit CCmdUIDialog(QWidget *parent = nullptr);

    void SetUpdateHandler(QWidget *control, UpdateHandler handler);
    // Runs the handlers of the child controls now, in the order of the children.
    void UpdateDialogControls();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void ScheduleUpdate();

    // Controls may go before the dialog: a handler whose control has gone is passed over.
    QList<QPair<QPointer<QWidget>, UpdateHandler>> m_handlers;
    bool m_updatePending = false;
};
