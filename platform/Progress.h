#pragma once

#include <QString>

// The modeless progress or wait window of long commands, updated by direct calls. The dialogs implement
// it; headless runs use the silent one; tests record the calls.
class CProgress
{
public:
    virtual ~CProgress() = default;
    virtual void SetText(const QString &text) = 0;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetPos(int pos) = 0;
    virtual void StepIt() = 0;
    // True once the author asked to stop; long work checks it between steps.
    virtual bool IsCancelled() const { return false; }
    // The author stopped the work elsewhere (a wait box of its own): the rest of the command stops too.
    virtual void Cancel() {}
    // A command that may show the window starts and ends. When the outermost one ends, by any path, the
    // window goes and the author's request to stop is forgotten, so it never stops the next command.
    virtual void BeginCommand() {}
    virtual void EndCommand() {}

    // Begins a command for as long as it lives.
    class Scope
    {
    public:
        explicit Scope(CProgress &progress) : m_progress(progress) { m_progress.BeginCommand(); }
        ~Scope() { m_progress.EndCommand(); }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        CProgress &m_progress;
    };
};

class CSilentProgress : public CProgress
{
public:
    void SetText(const QString &) override {}
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void StepIt() override {}
};
