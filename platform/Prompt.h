#pragma once

#include <QString>

// Message boxes. Headless code asks the prompt held by the context its caller gives it; the window side
// gives one that shows message boxes, tests give a recording one. Texts are the system's own.
class CPrompt
{
public:
    enum Kind { information, warning, error, yesNo, yesNoCancel, okCancel };
    enum Answer { ok = 1, cancel = 2, yes = 6, no = 7 };

    virtual ~CPrompt() = default;
    virtual Answer Ask(Kind kind, const QString &text, const QString &caption) = 0;

    // The calls the system makes.
    void Information(const QString &text, const QString &caption = {}) { Ask(information, text, caption); }
    void Warning(const QString &text, const QString &caption = {}) { Ask(warning, text, caption); }
    void Error(const QString &text, const QString &caption = {}) { Ask(error, text, caption); }
    bool YesNo(const QString &text, const QString &caption = {}) { return Ask(yesNo, text, caption) == yes; }
    Answer YesNoCancel(const QString &text, const QString &caption = {}) { return Ask(yesNoCancel, text, caption); }
    bool OkCancel(const QString &text, const QString &caption = {}) { return Ask(okCancel, text, caption) == ok; }

    // A sink that writes to standard error and gives the safe answer of each kind ("no" to yes/no, "cancel"
    // to the others), so an unattended run never destroys anything on a question. It holds no state.
    static CPrompt &Plain();
};
