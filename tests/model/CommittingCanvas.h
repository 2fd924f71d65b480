#pragma once

#include "FakeCanvas.h"

#include <functional>

// A window that, when the component takes the author's edits from it, runs what the test says the author
// typed; and a canvas that makes such windows.
class CommittingWindow : public FakeWindow
{
public:
    using FakeWindow::FakeWindow;
    void UpdateComponent() override
    {
        FakeWindow::UpdateComponent();
        if (onCommit)
            onCommit();
    }
    std::function<void()> onCommit;
};

class CommittingCanvas : public FakeCanvas
{
public:
    std::unique_ptr<CComponentWindow> CreateComponentWindow(CComponentBase &) override
    {
        return std::make_unique<CommittingWindow>(&log);
    }
    // What the author types into the component's window, taken when the component next reads its window.
    static void OnCommit(const CComponentBase &c, std::function<void()> edit)
    {
        static_cast<CommittingWindow *>(c.GetComponentWindow())->onCommit = std::move(edit);
    }
};
