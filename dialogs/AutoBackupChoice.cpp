#include "dialogs/AutoBackupChoice.h"

#include <algorithm>

namespace CorvAutoBackupChoice {

Controls Update(bool backupOn, bool limitOn, int limit)
{
    Controls c;
    c.limitBackupsEnabled = backupOn;
    c.limitEnabled = backupOn && limitOn;
    c.limit = c.limitEnabled ? std::max(limit, kMinimumLimit) : kMinimumLimit;
    return c;
}

} // namespace CorvAutoBackupChoice
