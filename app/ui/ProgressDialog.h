#pragma once

#include "platform/Progress.h"

#include <QPointer>
#include <QProgressDialog>

// The progress window of long commands: shown over the main window while the work runs on the interface
// thread, kept painted and able to take a click on Cancel because every update lets waiting events through.
class CProgressDialog : public CProgress
{
public:
    explicit CProgressDialog(QWidget *parent = nullptr);
    ~CProgressDialog() override;

    void SetText(const QString &text) override;
    void SetRange(int lower, int upper) override;
    void SetPos(int pos) override;
    void StepIt() override;
    bool IsCancelled() const override;

    // Hides the window once the command is over.
    void Finish();

private:
    void Pump();
    QProgressDialog &Dialog();

    QPointer<QWidget> m_parent;
    QPointer<QProgressDialog> m_dialog;
};
