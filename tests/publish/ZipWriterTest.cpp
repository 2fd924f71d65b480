#include "ZipRecords.h"

#include "publish/CoursePublisher.h"
#include "publish/ZipArchiveWriter.h"
#include "publish/ZipWriter.h"
#include "support/TempTree.h"

#include <QCryptographicHash>
#include <QFile>

#include <gtest/gtest.h>

#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ZipRecords;

namespace {

// Text that compresses as a course's pages and scripts do.
QByteArray PageText(int size, int seed)
{
    static const char *const words[] = {"screen", "course", "var", "function", "<div class=\"panel\">", "</div>",
                                        "kvxPrefs", "=", ";", "\n", "question", "answer", "1_2q", "\"text\""};
    QByteArray out;
    uint32_t state = uint32_t(seed) * 2654435761u + 1;
    while (out.size() < size) {
        state = state * 1103515245u + 12345u;
        out += words[(state >> 16) % std::size(words)];
        out += ' ';
    }
    out.truncate(size);
    return out;
}

QByteArray Noise(int size, int seed)
{
    QByteArray out(size, Qt::Uninitialized);
    uint32_t state = uint32_t(seed) + 7;
    for (char &c : out) {
        state = state * 1664525u + 1013904223u;
        c = char(state >> 24);
    }
    return out;
}

QString Sha(const QByteArray &data) { return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex()); }

// Checks what every entry must show whatever its target: the fixed header fields, the "UT" extras and
// data that reads back as the source.
void ExpectSoundEntries(const QByteArray &zip, const Archive &a, const QList<QByteArray> &sources)
{
    ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    ASSERT_EQ(a.central.size(), sources.size());
    EXPECT_EQ(a.entriesOnDisk, a.totalEntries);
    for (int i = 0; i < a.central.size(); ++i) {
        const Central &c = a.central[i];
        const Local &l = a.local[i];
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(c.madeBy, 0x0B17);
        EXPECT_EQ(c.versionNeeded, 20);
        EXPECT_EQ(l.versionNeeded, 20);
        EXPECT_EQ(c.name, l.name);
        EXPECT_EQ(c.method, l.method);
        EXPECT_EQ(c.dosStamp, l.dosStamp);
        EXPECT_EQ(c.commentLength, 0);
        EXPECT_EQ(c.diskStart, 0);
        EXPECT_EQ(c.internalAttributes, 0);
        ASSERT_EQ(l.extra.size(), 17);
        ASSERT_EQ(c.extra.size(), 9);
        EXPECT_EQ(l.extra.left(5), QByteArray("UT\x0D\x00\x07", 5));
        EXPECT_EQ(c.extra.left(5), QByteArray("UT\x05\x00\x07", 5));
        // The central field holds the modification time, the first of the local field's three.
        EXPECT_EQ(c.extra.mid(5, 4), l.extra.mid(5, 4));
        const QByteArray stored = Data(zip, a, i);
        QByteArray data = stored;
        if (c.method == 8) {
            bool ok = false;
            data = Inflate(stored, &ok);
            EXPECT_TRUE(ok);
        } else {
            EXPECT_EQ(c.method, 0);
        }
        EXPECT_EQ(data, sources[i]);
        EXPECT_EQ(c.crc, Crc(sources[i]));
        EXPECT_EQ(c.uncompressedSize, uint32_t(sources[i].size()));
    }
}

// The stream a writer sends down a pipe, collected by a reader on its own thread.
class PipeCapture
{
public:
    PipeCapture()
    {
        if (pipe(m_fds) == 0)
            m_reader = std::thread([this] {
                char buffer[8192];
                ssize_t n;
                while ((n = read(m_fds[0], buffer, sizeof buffer)) > 0)
                    m_bytes.append(buffer, n);
            });
    }
    int WriteEnd() const { return m_fds[1]; }
    QByteArray Finish()
    {
        close(m_fds[1]);
        m_reader.join();
        close(m_fds[0]);
        return m_bytes;
    }

private:
    int m_fds[2] = {-1, -1};
    std::thread m_reader;
    QByteArray m_bytes;
};

} // namespace

// Guards the package of an empty folder: the end record alone, which every reader takes as an empty
// archive.
TEST(ZipWriter, EmptyArchiveIsTheEndRecord)
{
    TempTree tmp;
    tmp.MakeFolder("empty");
    ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(tmp / "empty.zip"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(CCoursePublisher::AddFolderToZip(zip, tmp / "empty", tmp / "empty/"), ZipOk);
    EXPECT_EQ(CloseZipArchive(zip), ZipOk);
    const QByteArray expected = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
    EXPECT_EQ(TempTree::ReadAll(tmp / "empty.zip"), expected);
}

// Guards the package of a published folder written to a file: the records every reader relies on, stored
// and deflated entries told apart by suffix, headers patched in place (no descriptors), names relative
// with "/", and what the walk leaves out (empty folders, links, pipes). unzip, zipinfo and Python's
// zipfile must all read it back as the files.
TEST(ZipWriter, FolderPackageToFile)
{
    TempTree tmp;
    const QString root = tmp.MakeFolder("LMS");
    struct File { QString name; QByteArray data; uint16_t method; };
    const QList<File> files = {
        {"archive.zipx", PageText(5000, 1), 8},
        {"content/media/movie.ZIP", Noise(3000, 2), 0},
        {"content/notes.Gz", PageText(100, 3), 0},
        {"content/scripts/kvx.js", PageText(70000, 4), 8},
        {"content/zero.txt", QByteArray(), 8},
        {"imsmanifest.xml", PageText(2000, 5), 8},
    };
    for (const File &f : files)
        tmp.Write("LMS/" + f.name, f.data);
    tmp.MakeFolder("LMS/content/emptyfolder");
    ASSERT_EQ(symlink("/etc", QFile::encodeName(tmp / "LMS/link").constData()), 0);
    ASSERT_EQ(mkfifo(QFile::encodeName(tmp / "LMS/fifo").constData(), 0600), 0);

    ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(tmp / "LMS.zip"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(CCoursePublisher::AddFolderToZip(zip, root, root + "/"), ZipOk);
    EXPECT_EQ(CloseZipArchive(zip), ZipOk);

    const QByteArray bytes = TempTree::ReadAll(tmp / "LMS.zip");
    const Archive a = Read(bytes);
    QList<QByteArray> sources;
    for (const File &f : files)
        sources.append(f.data);
    ExpectSoundEntries(bytes, a, sources);
    QStringList expectedListing;
    for (int i = 0; i < files.size(); ++i) {
        const File &f = files[i];
        SCOPED_TRACE(f.name.toStdString());
        EXPECT_EQ(a.central[i].name, f.name.toUtf8());
        EXPECT_EQ(a.central[i].method, f.method);
        EXPECT_EQ(a.central[i].flags, f.method == 8 ? 0x0002 : 0x0000);
        EXPECT_EQ(a.local[i].flags, a.central[i].flags);
        EXPECT_FALSE(a.local[i].hasDescriptor);
        EXPECT_EQ(a.local[i].crc, a.central[i].crc);
        EXPECT_EQ(a.local[i].compressedSize, a.central[i].compressedSize);
        EXPECT_EQ(a.local[i].uncompressedSize, a.central[i].uncompressedSize);
        // A writable file: archive bit, Unix regular file with owner read and write.
        EXPECT_EQ(a.central[i].externalAttributes, 0x81800020u);
        expectedListing.append(f.name + " " + Sha(f.data));
    }

    const CProcessResult test = Tool("unzip", {"-t", tmp / "LMS.zip"});
    EXPECT_TRUE(test.Succeeded()) << test.standardOutput.toStdString() << test.standardError.toStdString();
    const CProcessResult info = Tool("zipinfo", {"-v", tmp / "LMS.zip"});
    EXPECT_TRUE(info.Succeeded()) << info.standardError.toStdString();
    for (const File &f : files)
        EXPECT_TRUE(info.standardOutput.contains(f.name.toUtf8())) << f.name.toStdString();
    const CProcessResult python = PythonListing(tmp / "LMS.zip");
    ASSERT_TRUE(python.Succeeded()) << python.standardError.toStdString();
    EXPECT_EQ(QString::fromUtf8(python.standardOutput).trimmed().split(u'\n'), expectedListing);
}

// Guards the level an archive is made with: its entries are exactly zlib's raw deflate of that level (8
// when none is given) and their option bits say which, so a package asked for at level 6 is not level 8.
TEST(ZipWriter, EntriesAreDeflatedAtTheArchiveLevel)
{
    TempTree tmp;
    const QByteArray text = PageText(90000, 11);
    const struct
    {
        int level; // 0: none given
        int deflatedAt;
        uint16_t flags;
    } cases[] = {{0, 8, 0x0002}, {8, 8, 0x0002}, {9, 9, 0x0002}, {6, 6, 0x0000}, {3, 3, 0x0000}, {1, 1, 0x0004}};
    ASSERT_NE(RawDeflate(text, 6), RawDeflate(text, 8));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.level);
        const QString name = tmp / QStringLiteral("level%1.zip").arg(c.level);
        ZipHandle zip = c.level ? CreateZipArchive(ZipTarget::FromFileName(name), c.level)
                                : CreateZipArchive(ZipTarget::FromFileName(name));
        ASSERT_NE(zip, nullptr);
        EXPECT_EQ(AddZipEntry(zip, "content/page.htm", ZipSource::FromMemory(text.constData(), text.size())), ZipOk);
        EXPECT_EQ(CloseZipArchive(zip), ZipOk);
        const QByteArray bytes = TempTree::ReadAll(name);
        const Archive a = Read(bytes);
        ExpectSoundEntries(bytes, a, {text});
        ASSERT_EQ(a.central.size(), 1);
        EXPECT_EQ(Data(bytes, a, 0), RawDeflate(text, c.deflatedAt));
        EXPECT_EQ(a.central[0].flags, c.flags);
        EXPECT_EQ(a.local[0].flags, c.flags);
    }
}

// Guards a target that cannot seek (a pipe): the headers cannot be patched, so both carry flag 0x0008 and
// a data descriptor follows each entry's data; the captured stream is still a sound archive.
TEST(ZipWriter, PipeTargetUsesDescriptors)
{
    TempTree tmp;
    const QByteArray text = PageText(40000, 7);
    const QByteArray packed = Noise(500, 8);
    tmp.Write("page.htm", text);
    PipeCapture capture;
    ZipHandle zip = CreateZipArchive(ZipTarget::FromHandle(capture.WriteEnd()));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddZipEntry(zip, "content\\page.htm", ZipSource::FromFileName(tmp / "page.htm")), ZipOk);
    EXPECT_EQ(AddZipEntry(zip, "content\\media\\a.gz", ZipSource::FromMemory(packed.constData(), packed.size())), ZipOk);
    EXPECT_EQ(AddZipEntry(zip, "content\\media", ZipSource::FolderEntry()), ZipOk);
    EXPECT_EQ(CloseZipArchive(zip), ZipOk);
    const QByteArray stream = capture.Finish();

    const Archive a = Read(stream);
    ExpectSoundEntries(stream, a, {text, packed, QByteArray()});
    EXPECT_EQ(a.central[0].name, "content/page.htm");
    EXPECT_EQ(a.central[1].name, "content/media/a.gz");
    EXPECT_EQ(a.central[2].name, "content/media/");
    EXPECT_EQ(a.central[1].externalAttributes, 0x80000000u);
    EXPECT_EQ(a.central[2].externalAttributes, 0x41C00010u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.central[i].flags, 0x0008);
        EXPECT_EQ(a.local[i].flags, 0x0008);
        ASSERT_TRUE(a.local[i].hasDescriptor);
        EXPECT_EQ(a.local[i].descriptorCrc, a.central[i].crc);
        EXPECT_EQ(a.local[i].descriptorCompressed, a.central[i].compressedSize);
        EXPECT_EQ(a.local[i].descriptorUncompressed, a.central[i].uncompressedSize);
    }
    // The stored entry's size was known from the start and stands in its local header.
    EXPECT_EQ(a.local[1].compressedSize, uint32_t(packed.size()));

    QFile out(tmp / "stream.zip");
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(stream);
    out.close();
    const CProcessResult test = Tool("unzip", {"-t", tmp / "stream.zip"});
    EXPECT_TRUE(test.Succeeded()) << test.standardOutput.toStdString();
    EXPECT_TRUE(PythonListing(tmp / "stream.zip").Succeeded());
}

// Guards the result codes callers tell failures apart by, and that a refused entry leaves the archive
// sound: the central directory still lists what was accepted.
TEST(ZipWriter, ResultCodes)
{
    TempTree tmp;
    const QByteArray data = PageText(300, 9);
    EXPECT_EQ(AddZipEntry(nullptr, "a.txt", ZipSource::FromMemory(data.constData(), data.size())), ZipBadArgs);
    EXPECT_EQ(CloseZipArchive(nullptr), ZipBadArgs);
    EXPECT_EQ(CreateZipArchive(ZipTarget::FromFileName(tmp / "missing/folder/x.zip")), nullptr);
    EXPECT_EQ(CreateZipArchive(ZipTarget{}), nullptr);

    ZipArchiveWriter memory;
    EXPECT_EQ(memory.Create(ZipTarget::FromMemory(nullptr, 0)), ZipMemSize);

    ZipArchiveWriter writer;
    ASSERT_EQ(writer.Create(ZipTarget::FromMemory(nullptr, 4096)), ZipOk);
    EXPECT_EQ(writer.Create(ZipTarget::FromMemory(nullptr, 4096)), ZipNotInited);
    struct Case { QByteArray name; ZipSource source; ZipResult result; };
    ZipSource unknown;
    unknown.kind = 9;
    const Case cases[] = {
        {"", ZipSource::FromMemory(data.constData(), data.size()), ZipBadArgs},
        {"a.txt", ZipSource::FromMemory(nullptr, 5), ZipBadArgs},
        {"a.txt", ZipSource::FromMemory(data.constData(), 0), ZipBadArgs},
        {"a.txt", ZipSource::FromHandle(-1), ZipBadArgs},
        {"a.txt", unknown, ZipBadArgs},
        {"a.txt", ZipSource::FromFileName(tmp / "no such file"), ZipNoFile},
        {"a.txt", ZipSource::FromFileName(tmp.Path()), ZipNoFile},
    };
    for (const Case &c : cases)
        EXPECT_EQ(writer.Add(c.name, false, c.source), c.result) << c.name.toStdString();
    EXPECT_EQ(writer.Add("kept.txt", false, ZipSource::FromMemory(data.constData(), data.size())), ZipOk);
    EXPECT_EQ(writer.Close(), ZipOk);
    EXPECT_EQ(writer.Add("late.txt", false, ZipSource::FromMemory(data.constData(), data.size())), ZipEnded);

    // A name with an unpaired surrogate cannot be stored.
    ZipHandle zip = CreateZipArchive(ZipTarget::FromMemory(nullptr, 4096));
    EXPECT_EQ(AddZipEntry(zip, QString(QChar(0xD800)) + "x", ZipSource::FolderEntry()), ZipBadArgs);
    EXPECT_EQ(CloseZipArchive(zip), ZipOk);

    // A device that takes no bytes: the first add fails, later ones are refused, the close cannot write.
    zip = CreateZipArchive(ZipTarget::FromFileName("/dev/full"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddZipEntry(zip, "a.txt", ZipSource::FromMemory(data.constData(), data.size())), ZipWriteFailed);
    EXPECT_EQ(AddZipEntry(zip, "b.txt", ZipSource::FromMemory(data.constData(), data.size())), ZipFailedBefore);
    EXPECT_EQ(CloseZipArchive(zip), ZipWriteFailed);
}

// Guards a memory target: it may be filled to its last byte, an entry that does not fit is refused (and
// every later one), and the close still writes a sound archive of the entries accepted before.
TEST(ZipWriter, MemoryTargetLimits)
{
    TempTree tmp;
    const QByteArray data = PageText(2000, 10);
    // The size of an archive holding only "a.txt".
    QByteArray probe(1 << 16, '\0');
    ZipArchiveWriter sizing;
    ASSERT_EQ(sizing.Create(ZipTarget::FromMemory(probe.data(), probe.size())), ZipOk);
    ASSERT_EQ(sizing.Add("a.txt", false, ZipSource::FromMemory(data.constData(), data.size())), ZipOk);
    ASSERT_EQ(sizing.Close(), ZipOk);
    const qsizetype exact = probe.lastIndexOf(QByteArray("PK\x05\x06", 4)) + 22;
    ASSERT_GT(exact, 0);

    QByteArray buffer(exact, '\0');
    ZipArchiveWriter writer;
    ASSERT_EQ(writer.Create(ZipTarget::FromMemory(buffer.data(), buffer.size())), ZipOk);
    ASSERT_EQ(writer.Add("a.txt", false, ZipSource::FromMemory(data.constData(), data.size())), ZipOk);
    // Its local header alone is larger than what is left for the central directory.
    const QByteArray longName = QByteArray(80, 'n') + ".txt";
    EXPECT_EQ(writer.Add(longName, false, ZipSource::FromMemory(data.constData(), data.size())), ZipWriteFailed);
    EXPECT_EQ(writer.Add("c.txt", false, ZipSource::FromMemory(data.constData(), data.size())), ZipFailedBefore);
    EXPECT_EQ(writer.Close(), ZipOk);
    ExpectSoundEntries(buffer, Read(buffer), {data});
    QFile out(tmp / "memory.zip");
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(buffer);
    out.close();
    EXPECT_TRUE(Tool("unzip", {"-t", tmp / "memory.zip"}).Succeeded());
}

// Guards an archive written into an open file after other bytes: every offset counts from the start of
// the file, so readers find the entries.
TEST(ZipWriter, HandleTargetAfterOtherBytes)
{
    TempTree tmp;
    const QByteArray head = "#!/bin/sh\necho not an archive\nexit 0\n";
    const QString path = tmp.Write("joined.zip", head);
    const int fd = open(QFile::encodeName(path).constData(), O_WRONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(lseek(fd, 0, SEEK_END), head.size());
    const QByteArray data = PageText(5000, 11);
    ZipHandle zip = CreateZipArchive(ZipTarget::FromHandle(fd));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddZipEntry(zip, "one.txt", ZipSource::FromMemory(data.constData(), data.size())), ZipOk);
    EXPECT_EQ(AddZipEntry(zip, "two.txt", ZipSource::FromMemory(data.constData(), 100)), ZipOk);
    EXPECT_EQ(CloseZipArchive(zip), ZipOk);
    close(fd);
    const QByteArray bytes = TempTree::ReadAll(path);
    ASSERT_TRUE(bytes.startsWith(head));
    const Archive a = Read(bytes);
    ExpectSoundEntries(bytes, a, {data, data.left(100)});
    EXPECT_EQ(a.central[0].localOffset, uint32_t(head.size()));
    const CProcessResult python = PythonListing(path);
    EXPECT_TRUE(python.Succeeded()) << python.standardError.toStdString();
}

// Guards the times and attribute bits taken from disk files: times before 1970 or after 2037 keep their
// time of day, the DOS stamp stays within 1980-2107, and a read-only file is marked so.
TEST(ZipWriter, TimesAndAttributesFromDisk)
{
    TempTree tmp;
    struct Case {
        const char *name;
        int64_t mtime;
        mode_t mode;
        uint32_t utTime;
        uint32_t dosStamp;
        uint32_t attributes;
    };
    // 1965-03-01 10:11:12, 2001-02-03 04:05:06 and 2040-07-01 12:00:00 UTC.
    const Case cases[] = {
        {"old.txt", -152632128, 0644, 36672, 0x00210000, 0x81800020},
        {"plain.txt", 981173106, 0444, 981173106, (uint32_t((21 << 9) | (2 << 5) | 3) << 16) | ((4 << 11) | (5 << 5) | 3), 0x81000021},
        {"late.txt", 2224756800, 0600, 2145830400 + 43200, (uint32_t((60 << 9) | (7 << 5) | 1) << 16) | (12 << 11), 0x81800020},
    };
    ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(tmp / "times.zip"));
    ASSERT_NE(zip, nullptr);
    QList<QByteArray> sources;
    for (const Case &c : cases) {
        const QString path = tmp.Write(c.name, c.name);
        const struct timespec times[2] = {{c.mtime, 0}, {c.mtime, 0}};
        ASSERT_EQ(utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        ASSERT_EQ(chmod(QFile::encodeName(path).constData(), c.mode), 0);
        EXPECT_EQ(AddZipEntry(zip, c.name, ZipSource::FromFileName(path)), ZipOk);
        sources.append(c.name);
    }
    ASSERT_EQ(CloseZipArchive(zip), ZipOk);
    const QByteArray bytes = TempTree::ReadAll(tmp / "times.zip");
    const Archive a = Read(bytes);
    ExpectSoundEntries(bytes, a, sources);
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(U32(a.local[i].extra, 5), cases[i].utTime);  // modification
        EXPECT_EQ(U32(a.local[i].extra, 9), cases[i].utTime);  // access
        EXPECT_EQ(U32(a.central[i].extra, 5), cases[i].utTime);
        EXPECT_EQ(a.central[i].dosStamp, cases[i].dosStamp);
        EXPECT_EQ(a.central[i].externalAttributes, cases[i].attributes);
    }

    EXPECT_EQ(ClampZipTime(0), 0u);
    EXPECT_EQ(ClampZipTime(-1), 86399u);
    EXPECT_EQ(ClampZipTime(2145916799), 2145916799u);
    std::tm far{};
    far.tm_year = 2200 - 1900;
    EXPECT_EQ(DosStamp(far), (uint32_t((127 << 9) | (12 << 5) | 31) << 16) | ((23 << 11) | (59 << 5) | 29));
}

// Guards names beyond ASCII: stored as UTF-8 with the language-encoding flag, so that extracting keeps them;
// ASCII names stay as they were.
TEST(ZipWriter, NonAsciiNamesAreFlaggedUtf8)
{
    TempTree tmp;
    const QString name = QString::fromUtf8("m\xC3\xA9" "dia/\xE4\xB8\xAD\xF0\x9F\x98\x80.txt");
    const QByteArray data = PageText(50, 12);
    ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(tmp / "names.zip"));
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(AddZipEntry(zip, name, ZipSource::FromMemory(data.constData(), data.size())), ZipOk);
    EXPECT_EQ(AddZipEntry(zip, "plain.txt", ZipSource::FromMemory(data.constData(), data.size())), ZipOk);
    ASSERT_EQ(CloseZipArchive(zip), ZipOk);
    const Archive a = Read(TempTree::ReadAll(tmp / "names.zip"));
    ASSERT_TRUE(a.error.isEmpty());
    EXPECT_EQ(a.central[0].name, name.toUtf8());
    EXPECT_EQ(a.central[0].flags, 0x0802);
    EXPECT_EQ(a.local[0].flags, 0x0802);
    EXPECT_EQ(a.central[1].flags, 0x0002);
    const CProcessResult python = PythonListing(tmp / "names.zip");
    ASSERT_TRUE(python.Succeeded()) << python.standardError.toStdString();
    EXPECT_TRUE(QString::fromUtf8(python.standardOutput).startsWith(name + " " + Sha(data)));
}

// Guards the 16-bit entry count of an archive without ZIP64: the entry after the 65535th is refused
// instead of wrapping the count, and the archive of the first 65535 stays sound.
TEST(ZipWriter, EntryCountLimit)
{
    ZipArchiveWriter writer;
    ASSERT_EQ(writer.Create(ZipTarget::FromMemory(nullptr, 16 << 20)), ZipOk);
    const char byte = 'x';
    for (int i = 0; i < 0xFFFF; ++i)
        ASSERT_EQ(writer.Add(QByteArray::number(i) + ".gz", false, ZipSource::FromMemory(&byte, 1)), ZipOk) << i;
    EXPECT_EQ(writer.Add("over.gz", false, ZipSource::FromMemory(&byte, 1)), ZipWriteFailed);
    EXPECT_EQ(writer.Close(), ZipOk);
}

TEST(ZipWriter, StoredSuffixes)
{
    struct Case { const char *name; bool stored; };
    const Case cases[] = {{"movie.ZIP", true}, {"notes.Gz", true},  {"a.z", true},      {"x.tgz", true},
                          {"y.LZH", true},     {"z.arj", true},     {"b.arc", true},    {"c.zoo", true},
                          {"archive.zipx", false}, {"zip", false},  {"page.htm", false}, {"a.zip.txt", false}};
    for (const Case &c : cases)
        EXPECT_EQ(IsStoredSuffix(c.name), c.stored) << c.name;
}

namespace {

// A published folder of a few hundred files in nested folders: deflated and stored suffixes, an empty
// file, a name outside ASCII and one file large enough to be packed as it is added.
QStringList MakeCourseFolder(TempTree &tmp, const QString &root)
{
    QStringList names;
    for (int i = 0; i < 300; ++i)
        names.append(QStringLiteral("content/demo_%1.js").arg(i, 4, 10, QChar(u'0')));
    for (int i = 0; i < 40; ++i)
        names.append(QStringLiteral("content/images/picture%1.png").arg(i));
    names += {"content/media/clip.gz", "content/empty.txt", QStringLiteral("content/caf\u00e9.htm"), "content/media/large.js",
              "imsmanifest.xml", "index.htm"};
    for (const QString &name : names) {
        QByteArray data;
        if (name.endsWith(".png") || name.endsWith(".gz"))
            data = Noise(2000 + names.indexOf(name) * 13, names.indexOf(name));
        else if (name.endsWith("large.js"))
            data = PageText(5 * 1024 * 1024, 3);
        else if (!name.endsWith("empty.txt"))
            data = PageText(3000 + names.indexOf(name) * 7, names.indexOf(name));
        tmp.Write(root + u'/' + name, data);
    }
    names.sort();
    return names;
}

} // namespace

// Guards the package of a large folder, whose files are packed on several threads ahead of their turn: it
// is byte for byte the archive that adding each file in turn gives, on a file target (headers written
// final, the file written in blocks), on an appending descriptor (data descriptors) and in memory.
TEST(ZipWriter, PackingAheadGivesTheSameArchive)
{
    TempTree tmp;
    const QString root = tmp.MakeFolder("LMS");
    const QStringList names = MakeCourseFolder(tmp, "LMS");

    const auto oneByOne = [&](ZipHandle zip) {
        for (const QString &name : names)
            EXPECT_EQ(AddZipEntry(zip, name, ZipSource::FromFileName(root + u'/' + name)), ZipOk) << name.toStdString();
    };
    const auto folder = [&](ZipHandle zip) { EXPECT_EQ(CCoursePublisher::AddFolderToZip(zip, root, root + u'/'), ZipOk); };

    const auto toFile = [&](const QString &name, auto fill) {
        ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(tmp / name), 6);
        fill(zip);
        EXPECT_EQ(CloseZipArchive(zip), ZipOk);
        return TempTree::ReadAll(tmp / name);
    };
    const auto toAppending = [&](const QString &name, auto fill) {
        const int fd = ::open(QFile::encodeName(tmp / name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
        ZipHandle zip = CreateZipArchive(ZipTarget::FromHandle(fd), 6);
        ::close(fd);
        fill(zip);
        EXPECT_EQ(CloseZipArchive(zip), ZipOk);
        return TempTree::ReadAll(tmp / name);
    };
    const auto toMemory = [&](const QString &, auto fill) {
        std::vector<char> block(16 * 1024 * 1024);
        ZipHandle zip = CreateZipArchive(ZipTarget::FromMemory(block.data(), block.size()), 6);
        fill(zip);
        EXPECT_EQ(CloseZipArchive(zip), ZipOk);
        // The end record closes the archive: its size follows from the central directory's place and size.
        const QByteArray all(block.data(), qsizetype(block.size()));
        const qsizetype end = all.lastIndexOf(QByteArray("PK\x05\x06", 4));
        return all.left(end + 22);
    };

    // The archives hold each file's access time, which the first reading of a new file moves on.
    toFile("first.zip", oneByOne);
    const QByteArray expectedFile = toFile("one.zip", oneByOne);
    const QByteArray packedFile = toFile("folder.zip", folder);
    EXPECT_EQ(packedFile.size(), expectedFile.size());
    EXPECT_TRUE(packedFile == expectedFile);
    const Archive a = Read(packedFile);
    ASSERT_TRUE(a.error.isEmpty()) << a.error.toStdString();
    ASSERT_EQ(a.central.size(), names.size());
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(QString::fromUtf8(a.central[i].name), names[i]);
    const CProcessResult test = Tool("unzip", {"-t", tmp / "folder.zip"});
    EXPECT_TRUE(test.Succeeded()) << test.standardOutput.toStdString();

    const QByteArray expectedStream = toAppending("one-append.zip", oneByOne);
    const QByteArray packedStream = toAppending("folder-append.zip", folder);
    EXPECT_TRUE(packedStream == expectedStream);
    ASSERT_TRUE(Read(packedStream).error.isEmpty());
    EXPECT_TRUE(Read(packedStream).local[0].hasDescriptor);

    // Written in memory, where nothing waits to be written in blocks, it is the same archive again.
    const QByteArray inMemory = toMemory("", folder);
    EXPECT_TRUE(inMemory == toMemory("", oneByOne));
    EXPECT_TRUE(inMemory == expectedFile);
}

// Guards entries packed away from the archive: each gives the result its source would have given added
// directly, and a refused one leaves the archive sound.
TEST(ZipWriter, PackedEntriesKeepTheirResults)
{
    TempTree tmp;
    const QByteArray text = PageText(5000, 21);
    tmp.Write("page.htm", text);
    ZipEntryPacker packer(6);
    ZipEntryPacker otherLevel(8);
    ZipHandle zip = CreateZipArchive(ZipTarget::FromFileName(tmp / "out.zip"), 6);
    ASSERT_NE(zip, nullptr);
    const struct
    {
        const char *what;
        std::unique_ptr<ZipPackedEntry> entry;
        ZipResult result;
    } cases[] = {
        {"missing source", packer.Pack("gone.htm", ZipSource::FromFileName(tmp / "gone.htm")), ZipNoFile},
        {"empty name", packer.Pack("", ZipSource::FromFileName(tmp / "page.htm")), ZipBadArgs},
        {"unpaired surrogate", packer.Pack(QString(QChar(0xD800)), ZipSource::FromFileName(tmp / "page.htm")), ZipBadArgs},
        {"a folder as file", packer.Pack("folder", ZipSource::FromFileName(tmp.Path())), ZipNoFile},
        {"another level", otherLevel.Pack("page8.htm", ZipSource::FromFileName(tmp / "page.htm")), ZipBadArgs},
        {"left unread", packer.Pack("big.htm", ZipSource::FromFileName(tmp / "page.htm"), 4999), ZipBadArgs},
        {"file", packer.Pack("content\\page.htm", ZipSource::FromFileName(tmp / "page.htm")), ZipOk},
        {"memory", packer.Pack("content/memory.htm", ZipSource::FromMemory(text.constData(), text.size())), ZipOk},
        {"folder entry", packer.Pack("content/media", ZipSource::FolderEntry()), ZipOk},
    };
    for (const auto &c : cases)
        EXPECT_EQ(AddPackedZipEntry(zip, *c.entry), c.result) << c.what;
    EXPECT_TRUE(cases[5].entry->tooLarge);
    EXPECT_EQ(AddPackedZipEntry(nullptr, *cases[6].entry), ZipBadArgs);
    EXPECT_EQ(CloseZipArchive(zip), ZipOk);

    const QByteArray bytes = TempTree::ReadAll(tmp / "out.zip");
    const Archive a = Read(bytes);
    ExpectSoundEntries(bytes, a, {text, text, QByteArray()});
    EXPECT_EQ(a.central[0].name, "content/page.htm");
    EXPECT_EQ(a.central[1].name, "content/memory.htm");
    EXPECT_EQ(a.central[2].name, "content/media/");
    EXPECT_EQ(Data(bytes, a, 0), RawDeflate(text, 6));
    EXPECT_TRUE(Tool("unzip", {"-t", tmp / "out.zip"}).Succeeded());
}
