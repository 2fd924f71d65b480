#pragma once

#include <QString>

#include <memory>

// Message boxes. Headless code asks the current prompt sink; the window side installs one that shows
// message boxes, tests install a recording one. Texts are the system's own.
class CPrompt
{
public:
    enum Kind { information, warning, error, yesNo, yesNoCancel, okCancel };
    enum Answer { ok = 1, cancel = 2, yes = 6, no = 7 };

    virtual ~CPrompt() = default;
    virtual Answer Ask(Kind kind, const QString &text, const QString &caption) = 0;

    // The sink in use; a plain one that writes to standard error and answers "no" / "cancel" when none is
    // installed, so an unattended run never destroys anything on a question.
    static CPrompt &Current();
    // Installs a sink (not owned) and returns the previous one; nullptr restores the plain sink.
    static CPrompt *Install(CPrompt *sink);

    // The calls the system makes.
    static void Information(const QString &text, const QString &caption = {});
    static void Warning(const QString &text, const QString &caption = {});
    static void Error(const QString &text, const QString &caption = {});
    static bool YesNo(const QString &text, const QString &caption = {});
    static Answer YesNoCancel(const QString &text, const QString &caption = {});
    static bool OkCancel(const QString &text, const QString &caption = {});
};

// Installs a sink for the length of a scope.
class CPromptScope
{
public:
    explicit CPromptScope(CPrompt *sink) : m_previous(CPrompt::Install(sink)) {}
    ~CPromptScope() { CPrompt::Install(m_previous); }
    CPromptScope(const CPromptScope &) = delete;
    CPromptScope &operator=(const CPromptScope &) = delete;

private:
    CPrompt *m_previous;
};
