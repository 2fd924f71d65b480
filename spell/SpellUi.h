#pragma once

#include <QString>
#include <QStringList>

// What the spelling check asks of the author for each word it does not know: the spelling dialog in the
// program, a script in tests.
class CSpellUi
{
public:
    enum class Action { ignore, ignoreAll, change, changeAll, add, cancel };
    struct Query {
        QString word;
        QStringList suggestions;
        QString context; // the paragraph the word stands in, hidden characters left out
    };
    struct Answer {
        Action action = Action::ignore;
        QString replacement; // for change and changeAll
    };

    virtual ~CSpellUi() = default;
    virtual Answer Ask(const Query &query) = 0;
    // The author is told something (the end of the check, a failure).
    virtual void Tell(const QString &text) = 0;
};
