#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

struct zip;

// One relationship of a part: its id, its type URI and its target, resolved to a part name of the package
// ("ppt/slides/slide1.xml") unless the target is external.
struct COoxmlRelationship
{
    QString id;
    QString type;
    QString target;
    bool external = false;
};

// An Office Open XML package (.docx, .pptx) opened read-only. Sizes claimed by the ZIP directory are checked
// against limits before anything is read, so a damaged or hostile file ends in a message, not in a crash or an
// allocation of what it claims.
class COoxmlPackage
{
public:
    struct Limits
    {
        int64_t maxPartSize = 256ll << 20;        // one part, uncompressed
        int64_t maxTotalSize = 1024ll << 20;      // all parts together, uncompressed
        int64_t maxEntries = 20000;
        int64_t maxCompressionRatio = 1000;       // uncompressed / compressed of one part (ZIP bombs)
    };

    ~COoxmlPackage();
    COoxmlPackage(const COoxmlPackage &) = delete;
    COoxmlPackage &operator=(const COoxmlPackage &) = delete;

    // nullptr and a message in *error when the file is missing, not a ZIP archive, truncated or beyond the limits.
    static std::unique_ptr<COoxmlPackage> Open(const QString &path, QString *error);
    static std::unique_ptr<COoxmlPackage> Open(const QString &path, const Limits &limits, QString *error);

    const QString &Path() const { return m_path; }
    // Part names without a leading "/", as stored in the archive.
    QStringList PartNames() const;
    bool HasPart(const QString &partName) const;
    int64_t PartSize(const QString &partName) const;

    // The bytes of a part; false and *error when it is missing, too large or damaged.
    bool ReadPart(const QString &partName, QByteArray *bytes, QString *error) const;

    // The relationships of a part ("" for the package's own), from its "_rels/<name>.rels" part; none when
    // that part is missing, and none with the reason in *error when it cannot be read. Targets are resolved
    // against the part's folder; Strict relationship types are given by their transitional names.
    std::vector<COoxmlRelationship> Relationships(const QString &partName, QString *error = nullptr) const;
    // The first relationship of the given type (the type URI's last segment is enough: "officeDocument").
    const COoxmlRelationship *FindRelationship(const std::vector<COoxmlRelationship> &rels,
                                               const QString &typeSuffix) const;
    static const COoxmlRelationship *FindById(const std::vector<COoxmlRelationship> &rels, const QString &id);
    // The part the package's main relationship names ("word/document.xml", "ppt/presentation.xml"); empty,
    // with the reason in *error when the package's relationships cannot be read.
    QString MainPartName(QString *error = nullptr) const;

    // "a/b/../c.xml" against the folder of fromPart; a leading "/" is from the package root.
    static QString ResolveTarget(const QString &fromPart, const QString &target);
    static QString RelationshipsPartName(const QString &partName);

private:
    COoxmlPackage() = default;

    QString m_path;
    Limits m_limits;
    zip *m_zip = nullptr;
    struct Entry
    {
        uint64_t index = 0;
        int64_t size = 0;
        QString unreadable;   // why the part cannot be decompressed (method, encryption); empty when it can
    };
    QHash<QString, Entry> m_entries;
    QStringList m_names;
};
