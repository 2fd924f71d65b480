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
    void Cancel() override { m_cancelled = true; }
    void BeginCommand() override;
    void EndCommand() override;

    // Hides the window once the command is over.
    void Finish();

    // One command that may show the window: when the outermost one ends, by any path (done, failed,
    // cancelled, refused), the window goes, so it never stays over the main window after the work.
    class Scope
    {
    public:
        explicit Scope(CProgressDialog *progress);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        CProgressDialog *m_progress;
    };

    // Whether the window is up now.
    bool IsShown() const;

private:
    void Pump();
    QProgressDialog &Dialog();

    QPointer<QWidget> m_parent;
    QPointer<QProgressDialog> m_dialog;
    int m_depth = 0;
    bool m_cancelled = false;
};
