#pragma once

#include "platform/ArchiveException.h"
#include "platform/CorvContext.h"
#include "platform/PathUtil.h"
#include "platform/Rect.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The binary archive of projects, single screens, component records and setting.bin. Values are
// little-endian, one after another with no padding. Strings are UTF-16 behind the FF FE FF marker, with a
// one-, three- or seven-byte length; the older marker-less form (ANSI text in the legacy code page) is
// still read. A loading archive reads from memory and checks every read against what is left; a short read
// or an impossible count throws CArchiveException before anything is allocated.
class CArchive
{
public:
    enum Mode { load, store };

    // A loading archive over bytes already read from a file.
    explicit CArchive(QByteArray data);
    // A storing archive; GetBuffer() holds what was written.
    CArchive();

    bool IsLoading() const { return m_mode == load; }
    bool IsStoring() const { return m_mode == store; }

    // The file this archive belongs to (for messages and for finding the project's folder).
    void SetFilePath(const QString &path) { m_filePath = path; }
    const QString &GetFilePath() const { return m_filePath; }
    // The context of whoever reads or writes the archive (not owned): what its objects need of the program
    // and the sink for their messages. Without one, the empty context.
    void SetContext(const CCorvContext *context) { m_context = context; }
    const CCorvContext &Context() const { return m_context ? *m_context : CCorvContext::Empty(); }
    // How the names the records hold are found on disk without regard to case: while loading, each folder
    // is listed once for the life of the archive, or of the resolver given (both passes of one load); while
    // storing, which writes files, every lookup is fresh.
    CorvPath::CNoCaseResolver &Paths() const;
    void SetPaths(CorvPath::CNoCaseResolver *paths) { m_paths = paths; }
    // Storing: a media file that a record names could not be copied next to the archive. Whoever writes the
    // archive tells the author of them all at once and decides what that means for the save.
    void NoteFailedCopy(const QString &file) const { m_failedCopyFiles.append(file); }
    int GetFailedCopies() const { return int(m_failedCopyFiles.size()); }
    const QStringList &GetFailedCopyFiles() const { return m_failedCopyFiles; }
    // Storing: a record that changed its object while it was stored (a picture now named by its copy in the
    // project folder) leaves how to change it back, for a save that fails after the record was written.
    void NoteUndo(std::function<void()> undo) const { m_undo.push_back(std::move(undo)); }
    // Changes the objects back, the latest change first.
    void UndoStoreChanges() const
    {
        for (auto it = m_undo.rbegin(); it != m_undo.rend(); ++it)
            (*it)();
        m_undo.clear();
    }

    // Loading.
    qint64 GetPosition() const { return m_pos; }
    qint64 BytesLeft() const { return m_data.size() - m_pos; }
    bool AtEnd() const { return m_pos >= m_data.size(); }
    void Read(void *dest, qint64 count);
    QByteArray ReadBytes(qint64 count);
    uint8_t ReadByte();
    uint16_t ReadWord();
    uint32_t ReadDWord();
    int32_t ReadInt();
    int64_t ReadInt64();
    double ReadDouble();
    float ReadFloat();
    bool ReadFlag();           // an int32 stored as 0 or 1; any other non-zero value reads as true
    uint32_t ReadColor();      // COLORREF 0x00BBGGRR as stored
    CRect ReadRect();          // left, top, right, bottom as signed int32
    QString ReadString();
    QStringList ReadStringList(uint32_t maxCount = kMaxListCount);
    // A list or array count: 16 bits, or 0xFFFF and 32 bits. Refused above maxCount, or when even
    // minBytesEach per element could not fit in what is left.
    uint32_t ReadCount(uint32_t maxCount = kMaxListCount, uint32_t minBytesEach = 1);
    // A plain int32 count (the form most records use), checked the same way.
    int32_t ReadCheckedInt(int32_t maxValue, uint32_t minBytesEach = 1);

    // Storing.
    void Write(const void *src, qint64 count);
    void WriteByte(uint8_t v);
    void WriteWord(uint16_t v);
    void WriteDWord(uint32_t v);
    void WriteInt(int32_t v);
    void WriteInt64(int64_t v);
    void WriteDouble(double v);
    void WriteFloat(float v);
    void WriteFlag(bool v) { WriteInt(v ? 1 : 0); }
    void WriteColor(uint32_t v) { WriteDWord(v); }
    void WriteRect(const CRect &r);
    void WriteString(const QString &s);
    void WriteStringList(const QStringList &list);
    void WriteCount(uint32_t count);
    const QByteArray &GetBuffer() const { return m_data; }

    // The largest count any list of a real archive reaches; protects allocation from damaged files.
    static constexpr uint32_t kMaxListCount = 1u << 20;

    // Stream-style use, as the records are written: ar << value; ar >> value.
    CArchive &operator<<(int32_t v) { WriteInt(v); return *this; }
    CArchive &operator<<(uint32_t v) { WriteDWord(v); return *this; }
    CArchive &operator<<(const QString &s) { WriteString(s); return *this; }
    CArchive &operator<<(const CRect &r) { WriteRect(r); return *this; }
    CArchive &operator>>(int32_t &v) { v = ReadInt(); return *this; }
    CArchive &operator>>(uint32_t &v) { v = ReadDWord(); return *this; }
    CArchive &operator>>(QString &s) { s = ReadString(); return *this; }
    CArchive &operator>>(CRect &r) { r = ReadRect(); return *this; }

private:
    void RequireLoading() const;
    void RequireStoring() const;
    void Need(qint64 count) const;
    [[noreturn]] void ThrowBadCount(qint64 count) const;

    Mode m_mode;
    QByteArray m_data;
    qint64 m_pos = 0;
    QString m_filePath;
    const CCorvContext *m_context = nullptr;
    CorvPath::CNoCaseResolver *m_paths = nullptr;
    mutable std::unique_ptr<CorvPath::CNoCaseResolver> m_ownPaths;
    mutable QStringList m_failedCopyFiles;
    mutable std::vector<std::function<void()>> m_undo;
};
