#pragma once

// Writes a fixed package with one part replaced by the fuzzer's bytes, so that mutations reach the readers
// of that part instead of dying in the ZIP layer.
#include <QByteArray>
#include <QFile>
#include <QString>

#include <utility>
#include <vector>

#include <zip.h>

namespace FuzzPackage {

using Parts = std::vector<std::pair<QByteArray, QByteArray>>;

// The entries of a package on disk; empty when it cannot be read.
inline Parts ReadAll(const QString &path)
{
    Parts parts;
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return parts;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0)
            continue;
        zip_file_t *file = zip_fopen_index(archive, zip_uint64_t(i), 0);
        if (!file)
            continue;
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(file, bytes.data(), st.size);
        zip_fclose(file);
        if (got == zip_int64_t(st.size))
            parts.emplace_back(QByteArray(st.name), bytes);
    }
    zip_discard(archive);
    return parts;
}

// The parts, stored uncompressed, with the named one's bytes replaced (or added).
inline bool Write(const QString &path, const Parts &parts, const QByteArray &name, const uint8_t *data, size_t size)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    bool replaced = false;
    auto add = [&](const QByteArray &entry, const void *bytes, size_t length) {
        zip_source_t *src = zip_source_buffer(archive, bytes, length, 0);
        const zip_int64_t index = zip_file_add(archive, entry.constData(), src, ZIP_FL_OVERWRITE);
        if (index < 0) {
            zip_source_free(src);
            return;
        }
        zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    };
    for (const auto &[entry, bytes] : parts) {
        if (entry == name) {
            add(entry, data, size);
            replaced = true;
        } else {
            add(entry, bytes.constData(), size_t(bytes.size()));
        }
    }
    if (!replaced)
        add(name, data, size);
    return zip_close(archive) == 0;
}

} // namespace FuzzPackage
