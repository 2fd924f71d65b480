#include "dialogs/ScormExitChoice.h"

namespace CorvScormExitChoice {

QStringList Values(int scorm12Flag)
{
    if (scorm12Flag == 1)
        return {"\"logout\"", "\"suspend\"", "\"time-out\"", "\"\""};
    return {"\"logout\"", "\"normal\"", "\"suspend\"", "\"time-out\"", "\"\""};
}

int SelectedIndex(const QStringList &values, const QString &value)
{
    const qsizetype exact = values.indexOf(value);
    if (exact >= 0)
        return int(exact);
    for (int i = 0; i < values.size(); ++i)
        if (values[i].startsWith(value))
            return i;
    return -1;
}

} // namespace CorvScormExitChoice
