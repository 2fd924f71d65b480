#include "platform/ooxml/OoxmlPackage.h"

#include "platform/ooxml/OoxmlXml.h"

#include <QFileInfo>

#include <libxml/tree.h>
#include <zip.h>

namespace {

QString ZipErrorText(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("it is not a ZIP archive");
    case ZIP_ER_INCONS:
        return QStringLiteral("its ZIP directory is inconsistent (the file may be truncated)");
    case ZIP_ER_NOENT:
        return QStringLiteral("it does not exist");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
        return QStringLiteral("it cannot be read");
    case ZIP_ER_MEMORY:
        return QStringLiteral("there is not enough memory");
    default:
        break;
    }
    zip_error_t err;
    zip_error_init_with_code(&err, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&err));
    zip_error_fini(&err);
    return text;
}

// Compression methods of ZIP archives that libzip may lack, by name.
struct MethodName
{
    int32_t method;
    const char *name;
};
constexpr MethodName kMethodNames[] = {
    {ZIP_CM_IMPLODE, "Implode"}, {ZIP_CM_DEFLATE64, "Deflate64"}, {ZIP_CM_BZIP2, "bzip2"}, {ZIP_CM_LZMA, "LZMA"},
    {ZIP_CM_LZMA2, "LZMA2"},     {ZIP_CM_XZ, "XZ"},               {93, "Zstandard"}, {ZIP_CM_PPMD, "PPMd"},
};

// Why libzip cannot give a part's bytes; empty when it can.
QString UnreadableReason(const zip_stat_t &st)
{
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
        return QStringLiteral("it is encrypted");
    if (!(st.valid & ZIP_STAT_COMP_METHOD) || zip_compression_method_supported(st.comp_method, 0))
        return {};
    for (const MethodName &m : kMethodNames) {
        if (m.method == st.comp_method)
            return QStringLiteral("it is compressed with %1, a method that is not supported").arg(QLatin1String(m.name));
    }
    return QStringLiteral("it is compressed with a method that is not supported (number %1)").arg(st.comp_method);
}

} // namespace

COoxmlPackage::~COoxmlPackage()
{
    if (m_zip)
        zip_discard(m_zip);
}

std::unique_ptr<COoxmlPackage> COoxmlPackage::Open(const QString &path, QString *error)
{
    return Open(path, Limits{}, error);
}

std::unique_ptr<COoxmlPackage> COoxmlPackage::Open(const QString &path, const Limits &limits, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("The file \"%1\" cannot be opened: %2.").arg(path, reason);
        return std::unique_ptr<COoxmlPackage>();
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("it does not exist"));
    if (!info.isFile())
        return fail(QStringLiteral("it is not a file"));

    int code = 0;
    // No consistency check of local headers against the directory: writers differ in fields that do not
    // matter (times, versions), and a damaged part is caught by its size and checksum when it is read.
    zip *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!archive)
        return fail(ZipErrorText(code));
    std::unique_ptr<COoxmlPackage> package(new COoxmlPackage);
    package->m_zip = archive;
    package->m_path = path;
    package->m_limits = limits;

    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > limits.maxEntries)
        return fail(QStringLiteral("it holds too many parts"));
    int64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(archive, zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME)
            || !(st.valid & ZIP_STAT_SIZE))
            return fail(QStringLiteral("its ZIP directory is damaged"));
        QString name = QString::fromUtf8(st.name);
        if (name.endsWith(u'/'))
            continue; // a folder entry
        if (st.size > uint64_t(limits.maxPartSize))
            return fail(QStringLiteral("the part \"%1\" is too large").arg(name));
        if ((st.valid & ZIP_STAT_COMP_SIZE) && st.size > 4096
            && st.size / std::max<uint64_t>(st.comp_size, 1) > uint64_t(limits.maxCompressionRatio))
            return fail(QStringLiteral("the part \"%1\" is compressed beyond any real document").arg(name));
        total += int64_t(st.size);
        if (total > limits.maxTotalSize)
            return fail(QStringLiteral("its parts are too large together"));
        if (name.startsWith(u'/'))
            name.remove(0, 1);
        if (!package->m_entries.contains(name)) {
            package->m_entries.insert(name, Entry{uint64_t(i), int64_t(st.size), UnreadableReason(st)});
            package->m_names.append(name);
        }
    }
    return package;
}

QStringList COoxmlPackage::PartNames() const
{
    return m_names;
}

bool COoxmlPackage::HasPart(const QString &partName) const
{
    return m_entries.contains(partName);
}

int64_t COoxmlPackage::PartSize(const QString &partName) const
{
    const auto it = m_entries.constFind(partName);
    return it == m_entries.cend() ? -1 : it->size;
}

bool COoxmlPackage::ReadPart(const QString &partName, QByteArray *bytes, QString *error) const
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = QStringLiteral("The part \"%1\" of \"%2\" cannot be read: %3.").arg(partName, m_path, reason);
        return false;
    };
    const auto it = m_entries.constFind(partName);
    if (it == m_entries.cend())
        return fail(QStringLiteral("it is missing"));
    if (!it->unreadable.isEmpty())
        return fail(it->unreadable);
    zip_file_t *file = zip_fopen_index(m_zip, it->index, 0);
    if (!file)
        return fail(QString::fromUtf8(zip_strerror(m_zip)));
    // The directory's size was checked against the limits; reading one byte more shows a part that lies.
    QByteArray data(qsizetype(it->size) + 1, Qt::Uninitialized);
    int64_t got = 0;
    bool ok = true;
    while (got < data.size()) {
        const zip_int64_t n = zip_fread(file, data.data() + got, zip_uint64_t(data.size() - got));
        if (n < 0) {
            ok = false;
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    const QString reason = ok ? QString() : QString::fromUtf8(zip_file_strerror(file));
    zip_fclose(file);
    if (!ok)
        return fail(reason.isEmpty() ? QStringLiteral("the data is damaged") : reason);
    if (got != it->size)
        return fail(QStringLiteral("its size differs from the one the archive states"));
    data.truncate(qsizetype(got));
    *bytes = std::move(data);
    return true;
}

QString COoxmlPackage::RelationshipsPartName(const QString &partName)
{
    const int slash = int(partName.lastIndexOf(u'/'));
    const QString folder = slash < 0 ? QString() : partName.left(slash + 1);
    const QString file = partName.mid(slash + 1);
    return folder + QStringLiteral("_rels/") + file + QStringLiteral(".rels");
}

QString COoxmlPackage::ResolveTarget(const QString &fromPart, const QString &target)
{
    QString t = target;
    t.replace(u'\\', u'/');
    QStringList parts;
    if (!t.startsWith(u'/')) {
        const int slash = int(fromPart.lastIndexOf(u'/'));
        if (slash >= 0)
            parts = fromPart.left(slash).split(u'/', Qt::SkipEmptyParts);
    }
    for (const QString &seg : t.split(u'/', Qt::SkipEmptyParts)) {
        if (seg == QLatin1String("."))
            continue;
        if (seg == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(seg);
    }
    QString joined = parts.join(u'/');
    // Targets are URIs: "%20" in a name stands for a blank.
    if (joined.contains(u'%'))
        joined = QString::fromUtf8(QByteArray::fromPercentEncoding(joined.toUtf8()));
    return joined;
}

std::vector<COoxmlRelationship> COoxmlPackage::Relationships(const QString &partName, QString *error) const
{
    std::vector<COoxmlRelationship> rels;
    const QString relsName = RelationshipsPartName(partName);
    if (!HasPart(relsName))
        return rels;
    QString reason;
    const auto xml = COoxmlXml::ReadPart(*this, relsName, &reason);
    if (!xml) {
        if (error)
            *error = reason;
        return rels;
    }
    for (xmlNodePtr node : COoxmlXml::Children(xml->Root(), nullptr, "Relationship")) {
        COoxmlRelationship rel;
        rel.id = COoxmlXml::Attr(node, "Id");
        rel.type = OoxmlStrict::Transitional(COoxmlXml::Attr(node, "Type"));
        rel.external = COoxmlXml::Attr(node, "TargetMode").compare(QLatin1String("External"),
                                                                  Qt::CaseInsensitive) == 0;
        const QString target = COoxmlXml::Attr(node, "Target");
        rel.target = rel.external ? target : ResolveTarget(partName, target);
        rels.push_back(rel);
    }
    return rels;
}

const COoxmlRelationship *COoxmlPackage::FindRelationship(const std::vector<COoxmlRelationship> &rels,
                                                          const QString &typeSuffix) const
{
    for (const COoxmlRelationship &rel : rels) {
        if (rel.type.endsWith(u'/' + typeSuffix) || rel.type == typeSuffix)
            return &rel;
    }
    return nullptr;
}

const COoxmlRelationship *COoxmlPackage::FindById(const std::vector<COoxmlRelationship> &rels, const QString &id)
{
    for (const COoxmlRelationship &rel : rels) {
        if (rel.id == id)
            return &rel;
    }
    return nullptr;
}

QString COoxmlPackage::MainPartName(QString *error) const
{
    const auto rels = Relationships(QString(), error);
    const COoxmlRelationship *main = FindRelationship(rels, QStringLiteral("officeDocument"));
    return main && !main->external ? main->target : QString();
}
