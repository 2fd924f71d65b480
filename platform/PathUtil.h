#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Paths as the system stores and builds them. Stored texts may use "\" or "/" (projects made on Windows);
// paths built here use "/". The project's own folders have one spelling; existing names are found without
// regard to case, since projects copied from Windows spell them every way.
namespace CorvPath {

// True for "\" and "/".
bool IsSeparator(QChar c);
// The part after the last separator of either kind.
QString FileName(const QString &path);
// The part before the last separator (without it); "" when there is none.
QString FolderOf(const QString &path);
// Every "\" turned into "/".
QString ToSlashes(const QString &storedPath);
// a + "/" + b, with exactly one separator between them; either may be empty.
QString Join(const QString &a, const QString &b);
QString Join(std::initializer_list<QString> parts);

// The canonical spelling of one of the project's own folder names ("images" -> "Images",
// "images/resized" -> "Images/Resized"); other names come back unchanged.
QString CanonicalFolderName(const QString &name);
// The folder names the system creates, canonically spelt.
const QStringList &KnownFolderNames();

// path with each existing component spelt as it is on disk, matched without regard to case; the
// components from the first one that does not exist in any case are kept as given.
QString ResolveNoCase(const QString &path);

// ResolveNoCase for many paths in the same folders: each folder is listed once and each path prefix looked
// up once, for the life of the object (one load). What changes on disk meanwhile is not seen, so it is
// never kept across a save.
class CNoCaseResolver
{
public:
    QString Resolve(const QString &path);
    // How many folders it has listed: however many paths it resolves, each folder only once.
    int FoldersListed() const { return int(m_listings.size()); }

private:
    struct Listing
    {
        QHash<QString, QString> byFoldedName; // the first entry, in listing order, of each case-folded name
    };
    bool Exists(const QString &path);
    const Listing &ListingOf(const QString &folder);

    QHash<QString, bool> m_exists;
    QHash<QString, Listing> m_listings;
};
// Paths compared as the file systems projects come from compare them: separators alike, case ignored.
bool SamePathNoCase(const QString &a, const QString &b);

// A name taken from a file or from the author reduced to a bare file name that cannot leave its folder:
// the part after the last separator, with "", "." and ".." refused (returned empty) and control
// characters removed.
QString SafeBareName(const QString &name);
// True when name is already a safe bare name.
bool IsSafeBareName(const QString &name);

} // namespace CorvPath
