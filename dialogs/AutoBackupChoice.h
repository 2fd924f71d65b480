#pragma once

// What the "Auto-backup settings" dialog enables: the limit box only while backups are on, the number only
// while both are ticked; a number that cannot be edited shows the minimum.
namespace CorvAutoBackupChoice {

constexpr int kMinimumLimit = 5;

struct Controls {
    bool limitBackupsEnabled = false;
    bool limitEnabled = false;
    int limit = kMinimumLimit;
};

Controls Update(bool backupOn, bool limitOn, int limit);

} // namespace CorvAutoBackupChoice
