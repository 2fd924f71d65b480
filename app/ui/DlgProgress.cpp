#include "app/ui/DlgProgress.h"

#include <QApplication>

CDlgProgress::CDlgProgress(QWidget *parent) : m_parent(parent) {}

CDlgProgress::~CDlgProgress() { delete m_dialog.data(); }

QProgressDialog &CDlgProgress::Dialog()
{
    if (!m_dialog) {
        m_dialog = new QProgressDialog(m_parent);
        m_dialog->setWindowTitle(QStringLiteral("Corvessa"));
        m_dialog->setWindowModality(Qt::ApplicationModal);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumDuration(0);
    }
    if (!m_dialog->isVisible())
        m_dialog->show();
    return *m_dialog;
}

void CDlgProgress::Pump() { QApplication::processEvents(); }

void CDlgProgress::SetText(const QString &text)
{
    Dialog().setLabelText(text);
    Pump();
}

void CDlgProgress::SetRange(int lower, int upper)
{
    Dialog().setRange(lower, upper);
    m_dialog->setValue(lower);
    Pump();
}

void CDlgProgress::SetPos(int pos)
{
    Dialog().setValue(pos);
    Pump();
}

void CDlgProgress::StepIt()
{
    QProgressDialog &dialog = Dialog();
    dialog.setValue(std::min(dialog.value() + 1, dialog.maximum()));
    Pump();
}

bool CDlgProgress::IsCancelled() const { return m_cancelled || (m_dialog && m_dialog->wasCanceled()); }

void CDlgProgress::Finish()
{
    m_cancelled = false;
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->reset();
    }
}

bool CDlgProgress::IsShown() const { return m_dialog && m_dialog->isVisible(); }

void CDlgProgress::BeginCommand() { ++m_depth; }

// Hiding resets the window, which also forgets a press of Cancel.
void CDlgProgress::EndCommand()
{
    if (--m_depth == 0)
        Finish();
}

CDlgProgress::Scope::Scope(CDlgProgress *progress) : m_progress(progress)
{
    if (m_progress)
        m_progress->BeginCommand();
}

CDlgProgress::Scope::~Scope()
{
    if (m_progress)
        m_progress->EndCommand();
}
