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
};

class CSilentProgress : public CProgress
{
public:
    void SetText(const QString &) override {}
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void StepIt() override {}
};
