#pragma once

#include "platform/Prompt.h"

#include <QList>

#include <optional>

// A prompt sink that records every text it is shown and answers questions from a script (then with the
// fallback answer). For tests, and for unattended runs that must report what they would have asked.
class CRecordingPrompt : public CPrompt
{
public:
    struct Entry {
        Kind kind;
        QString text;
        QString caption;
    };

    Answer Ask(Kind kind, const QString &text, const QString &caption) override;

    void Script(std::initializer_list<Answer> answers) { m_script.append(answers); }
    void SetFallback(Answer a) { m_fallback = a; }
    const QList<Entry> &Entries() const { return m_entries; }
    QStringList Texts() const;
    void Clear() { m_entries.clear(); m_script.clear(); }

private:
    QList<Entry> m_entries;
    QList<Answer> m_script;
    // Unset: the safe answer of each kind ("no" to yes/no, "cancel" to the others).
    std::optional<Answer> m_fallback;
};
