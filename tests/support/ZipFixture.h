#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <utility>
#include <vector>

#include <zip.h>

// Writes a ZIP archive of the given entries (name, bytes), for package fixtures made by the test.
// store keeps the entries uncompressed, so a test can find and damage their bytes.
inline bool WriteZip(const QString &path, const std::vector<std::pair<QString, QByteArray>> &entries,
                     bool store = false)
{
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    for (const auto &[name, bytes] : entries) {
        // libzip reads the buffer when the archive is closed; it keeps a copy of its own.
        void *copy = malloc(size_t(std::max<qsizetype>(bytes.size(), 1)));
        memcpy(copy, bytes.constData(), size_t(bytes.size()));
        zip_source_t *src = zip_source_buffer(archive, copy, zip_uint64_t(bytes.size()), 1);
        const zip_int64_t index = zip_file_add(archive, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(src);
            zip_discard(archive);
            return false;
        }
        if (store)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    return zip_close(archive) == 0;
}
