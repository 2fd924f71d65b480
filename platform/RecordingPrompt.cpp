#include "platform/RecordingPrompt.h"

CPrompt::Answer CRecordingPrompt::Ask(Kind kind, const QString &text, const QString &caption)
{
    m_entries.append({kind, text, caption});
    if (kind == information || kind == warning || kind == error)
        return ok;
    if (!m_script.isEmpty())
        return m_script.takeFirst();
    if (m_fallback)
        return *m_fallback;
    return kind == yesNo ? no : cancel;
}

QStringList CRecordingPrompt::Texts() const
{
    QStringList out;
    for (const Entry &e : m_entries)
        out.append(e.text);
    return out;
}
