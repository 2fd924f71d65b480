#pragma once

// Writes a fixed package with one part replaced by the fuzzer's bytes, so that mutations reach the readers
// of that part instead of dying in the ZIP layer. The ZIP reading and writing are the tests' own.
#include "support/ZipFixture.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace FuzzPackage {

using Parts = std::vector<std::pair<QString, QByteArray>>;

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// The entries of a package on disk; empty when it cannot be read.
inline Parts ReadAll(const QString &path) { return ReadZip(path); }

// The parts, stored uncompressed, with the named one's bytes replaced (or added).
inline bool Write(const QString &path, Parts parts, const QString &name, const uint8_t *data, size_t size)
{
    bool replaced = false;
    for (auto &[entry, bytes] : parts) {
        if (entry == name) {
            bytes = Bytes(data, size);
            replaced = true;
        }
    }
    if (!replaced)
        parts.emplace_back(name, Bytes(data, size));
    return WriteZip(path, parts, true);
}

// The fuzzer's bytes as the whole file.
inline bool WriteFile(const QString &path, const uint8_t *data, size_t size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size);
    file.close();
    return written;
}

} // namespace FuzzPackage
