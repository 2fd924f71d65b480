#pragma once

#include "platform/Progress.h"

#include <QStringList>

// Records what a long command shows, for tests.
class CRecordingProgress : public CProgress
{
public:
    void SetText(const QString &text) override { texts.append(text); }
    void SetRange(int lower, int upper) override { this->lower = lower; this->upper = upper; pos = lower; }
    void SetPos(int p) override { pos = p; }
    void StepIt() override { ++pos; ++steps; }
    bool IsCancelled() const override { return cancelled; }
    void Cancel() override { cancelled = true; }
    void BeginCommand() override { ++depth; ++commands; }
    void EndCommand() override
    {
        if (--depth == 0)
            cancelled = false;
    }

    QStringList texts;
    int lower = 0;
    int upper = 100;
    int pos = 0;
    int steps = 0;
    bool cancelled = false;
    int depth = 0;      // commands running now
    int commands = 0;   // commands begun
};
