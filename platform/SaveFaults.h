#pragma once

#include <functional>

// The steps of a save that touch files the author already has. Tests make any of them fail to show that a
// failed save leaves the project file, its folder and its backups as they were; the program installs none.
enum class SaveStep {
    backupFolder, // copying the media folder into the new backup
    backupFile,   // copying the project file into the new backup
    tempFile,     // writing the new project file beside the old one
    flush,        // forcing it to the disk
    rename,       // putting it in the old one's place
    folderSync,   // forcing the folder, which holds the new name, to the disk
};

// Asked before each step; true makes that step fail as a full disk would.
using SaveFaultHook = std::function<bool(SaveStep)>;
