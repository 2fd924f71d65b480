#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <cstring>
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

// The entries of an archive in their order (name, bytes); empty when it cannot be read.
inline std::vector<std::pair<QString, QByteArray>> ReadZip(const QString &path)
{
    std::vector<std::pair<QString, QByteArray>> entries;
    int code = 0;
    zip_t *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return entries;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_file_t *file = zip_stat_index(archive, zip_uint64_t(i), 0, &st) == 0 ? zip_fopen_index(archive, zip_uint64_t(i), 0)
                                                                                : nullptr;
        if (!file)
            continue;
        QByteArray bytes(qsizetype(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(file, bytes.data(), st.size);
        zip_fclose(file);
        if (got == zip_int64_t(st.size))
            entries.emplace_back(QString::fromUtf8(st.name), bytes);
    }
    zip_discard(archive);
    return entries;
}

// The entries with the Office namespaces and relationship types renamed as Strict Office Open XML names them.
inline std::vector<std::pair<QString, QByteArray>> ToStrict(std::vector<std::pair<QString, QByteArray>> entries)
{
    const std::pair<QByteArray, QByteArray> names[] = {
        {"http://schemas.openxmlformats.org/wordprocessingml/2006/main", "http://purl.oclc.org/ooxml/wordprocessingml/main"},
        {"http://schemas.openxmlformats.org/presentationml/2006/main", "http://purl.oclc.org/ooxml/presentationml/main"},
        {"http://schemas.openxmlformats.org/drawingml/2006/main", "http://purl.oclc.org/ooxml/drawingml/main"},
        {"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing",
         "http://purl.oclc.org/ooxml/drawingml/wordprocessingDrawing"},
        {"http://schemas.openxmlformats.org/drawingml/2006/picture", "http://purl.oclc.org/ooxml/drawingml/picture"},
        {"http://schemas.openxmlformats.org/officeDocument/2006/relationships",
         "http://purl.oclc.org/ooxml/officeDocument/relationships"},
    };
    for (auto &[name, bytes] : entries)
        for (const auto &[transitional, strict] : names)
            bytes.replace(transitional, strict);
    return entries;
}
