#pragma once

#include "platform/Progress.h"

#include <QPointer>
#include <QProgressDialog>

// The progress window of long commands: shown over the main window while the work runs on the interface
// thread, kept painted and able to take a click on Cancel because every update lets waiting events through.
class CDlgProgress : public CProgress
{
public:
    explicit CDlgProgress(QWidget *parent = nullptr);
    ~CDlgProgress() override;

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
        explicit Scope(CDlgProgress *progress);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        CDlgProgress *m_progress;
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
