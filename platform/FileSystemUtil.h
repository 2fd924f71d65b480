#pragma once

#include <QString>

#include <filesystem>

// How the file-system helpers reach the file system: stored paths (either separator) as file-system
// paths, DOS-style wildcards, and the folders that no helper may empty or remove.
namespace CorvFs {

// A stored or built path as a file-system path: "\" read as "/", the name in the file system's encoding.
std::filesystem::path ToFsPath(const QString &path);
QString FromFsPath(const std::filesystem::path &path);
// The entry's file name as text.
QString NameOf(const std::filesystem::path &path);

// True when the name holds "*" or "?".
bool HasWildcard(const QString &name);
// "*" any run of characters, "?" any one character; without regard to case, as a directory search does,
// and, as there, a name without a dot matches a pattern ending in ".*" or "." (so "*.*" matches all).
bool MatchesWildcard(const QString &name, const QString &pattern);

// A root folder or the user's home folder: destructive folder operations refuse them.
bool IsProtectedFolder(const std::filesystem::path &folder);

} // namespace CorvFs
