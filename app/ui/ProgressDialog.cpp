#include "app/ui/ProgressDialog.h"

#include <QApplication>

CProgressDialog::CProgressDialog(QWidget *parent) : m_parent(parent) {}

CProgressDialog::~CProgressDialog() { delete m_dialog.data(); }

QProgressDialog &CProgressDialog::Dialog()
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

void CProgressDialog::Pump() { QApplication::processEvents(); }

void CProgressDialog::SetText(const QString &text)
{
    Dialog().setLabelText(text);
    Pump();
}

void CProgressDialog::SetRange(int lower, int upper)
{
    Dialog().setRange(lower, upper);
    m_dialog->setValue(lower);
    Pump();
}

void CProgressDialog::SetPos(int pos)
{
    Dialog().setValue(pos);
    Pump();
}

void CProgressDialog::StepIt()
{
    QProgressDialog &dialog = Dialog();
    dialog.setValue(std::min(dialog.value() + 1, dialog.maximum()));
    Pump();
}

bool CProgressDialog::IsCancelled() const { return m_cancelled || (m_dialog && m_dialog->wasCanceled()); }

void CProgressDialog::Finish()
{
    m_cancelled = false;
    if (m_dialog) {
        m_dialog->hide();
        m_dialog->reset();
    }
}

bool CProgressDialog::IsShown() const { return m_dialog && m_dialog->isVisible(); }

void CProgressDialog::BeginCommand() { ++m_depth; }

// Hiding resets the window, which also forgets a press of Cancel.
void CProgressDialog::EndCommand()
{
    if (--m_depth == 0)
        Finish();
}

CProgressDialog::Scope::Scope(CProgressDialog *progress) : m_progress(progress)
{
    if (m_progress)
        m_progress->BeginCommand();
}

CProgressDialog::Scope::~Scope()
{
    if (m_progress)
        m_progress->EndCommand();
}
