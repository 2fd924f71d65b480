#pragma once

#include "spell/SpellUi.h"

#include <QList>
#include <functional>
#include <QStringList>

// Answers the spelling check from a script (ignore once the script is used up) and records what it was
// asked and told.
class ScriptedSpellUi : public CSpellUi
{
public:
    QList<Answer> script;
    QStringList asked;
    QStringList contexts;
    QStringList told;
    std::function<void(const Query &)> onAsk;

    Answer Ask(const Query &query) override
    {
        asked.append(query.word);
        contexts.append(query.context);
        if (onAsk)
            onAsk(query);
        return script.isEmpty() ? Answer{} : script.takeFirst();
    }
    void Tell(const QString &text) override { told.append(text); }
};
