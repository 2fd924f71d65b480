#include "model/StdioFileEx.h"

#include "support/TempTree.h"

#include <QFile>

#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

QByteArray Utf16(const QString &text)
{
    QByteArray out;
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

struct WriteCase {
    const char *what;
    int codePage;
    bool writeBom;
    unsigned extraFlags;
    QStringList writes;
    QByteArray expected;
};

QStringList ReadAllLines(const QString &path, int codePage, bool *endReached = nullptr)
{
    CStdioFileEx file;
    file.SetCodePage(codePage);
    QStringList lines;
    if (!file.Open(path, CStdioFileEx::modeRead))
        return {QStringLiteral("<cannot open>")};
    QString line;
    while (file.ReadString(line))
        lines.append(line);
    if (endReached)
        *endReached = line.isEmpty();
    return lines;
}

} // namespace

// Guards the byte-order-mark rules, the "#" for what a code page cannot hold and the absence of line-end
// translation: every published page and script is written through these rules.
TEST(StdioFileEx, WritesBytesByCodePageAndMark)
{
    const QList<WriteCase> cases = {
        {"UTF-8 starts with its mark by default", 65001, true, 0, {"a\n"}, Bytes({0xEF, 0xBB, 0xBF, 'a', 0x0A})},
        {"no mark when switched off", 65001, false, 0, {"a\n"}, Bytes({'a', 0x0A})},
        {"a second write adds no mark", 65001, true, 0, {"a", "b"}, Bytes({0xEF, 0xBB, 0xBF, 'a', 'b'})},
        {"LF stays one byte, CR LF is not made", 65001, false, 0, {"x\ny\r\n"}, QByteArray("x\ny\r\n")},
        {"1252 writes # for omega", 1252, true, 0, {QStringLiteral("a\u03A9b")}, QByteArray("a#b")},
        {"UTF-8 writes omega's bytes", 65001, false, 0, {QStringLiteral("a\u03A9b")},
         Bytes({'a', 0xCE, 0xA9, 'b'})},
        {"1252 holds e acute", 1252, true, 0, {QStringLiteral("caf\u00e9")}, Bytes({'c', 'a', 'f', 0xE9})},
        {"legacy code page is 1252", -1, true, 0, {QStringLiteral("\u00e9\u20AC")}, Bytes({0xE9, 0x80})},
        {"letter and combining accent become one", 1252, true, 0, {QStringLiteral("e\u0301")}, Bytes({0xE9})},
        {"unpaired surrogate in 1252 is #", 1252, true, 0, {QStringLiteral("a") + QChar(0xD800) + "b"},
         QByteArray("a#b")},
        {"unpaired surrogate in UTF-8 is U+FFFD", 65001, false, 0, {QStringLiteral("a") + QChar(0xDC00)},
         Bytes({'a', 0xEF, 0xBF, 0xBD})},
        {"UTF-16 starts with FF FE", 65001, true, CStdioFileEx::modeWriteUnicode, {"x\n"},
         Bytes({0xFF, 0xFE, 'x', 0, 0x0A, 0})},
        {"UTF-16 without mark", 1252, false, CStdioFileEx::modeWriteUnicode, {QStringLiteral("\u03A9")},
         Bytes({0xA9, 0x03})},
    };
    TempTree tree;
    int n = 0;
    for (const WriteCase &c : cases) {
        const QString path = tree / QString("w%1.txt").arg(n++);
        CStdioFileEx file;
        file.SetCodePage(c.codePage);
        file.SetWriteBOM(c.writeBom);
        ASSERT_TRUE(file.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite | c.extraFlags)) << c.what;
        for (const QString &text : c.writes)
            EXPECT_TRUE(file.WriteString(text)) << c.what;
        EXPECT_TRUE(file.Close()) << c.what;
        EXPECT_EQ(TempTree::ReadAll(path), c.expected) << c.what;
    }
}

struct ReadCase {
    const char *what;
    QByteArray bytes;
    int codePage;
    QStringList lines;
};

// Guards line splitting, mark detection and skipping. A UTF-8 file without a mark used to lose its first
// three bytes; it must keep them.
TEST(StdioFileEx, ReadsLinesByMarkAndCodePage)
{
    const QByteArray utf16 = Bytes({0xFF, 0xFE}) + Utf16(QStringLiteral("x\r\ny"));
    const QList<ReadCase> cases = {
        {"UTF-16 under 1252", utf16, 1252, {"x", "y"}},
        {"UTF-16 under UTF-8", utf16, 65001, {"x", "y"}},
        {"UTF-16 with a non-Latin line", Bytes({0xFF, 0xFE}) + Utf16(QStringLiteral("\u03A9\n")), -1,
         {QStringLiteral("\u03A9")}},
        {"UTF-8 mark skipped", Bytes({0xEF, 0xBB, 0xBF}) + "abc\r\nd", 65001, {"abc", "d"}},
        {"UTF-8 without mark keeps its start", QByteArray("abcdef\n"), 65001, {"abcdef"}},
        {"UTF-8 short file without mark", QByteArray("ab"), 65001, {"ab"}},
        {"UTF-8 multi-byte start", Bytes({0xCE, 0xA9, 'z'}), 65001, {QStringLiteral("\u03A9z")}},
        {"1252 bytes", Bytes({'c', 0xE9, '\r', '\n', 0x80}), 1252, {QStringLiteral("c\u00e9"), QStringLiteral("\u20AC")}},
        {"1252 does not skip a UTF-8 mark", Bytes({0xEF, 0xBB, 0xBF, 'a'}), 1252, {QStringLiteral("\u00EF\u00BB\u00BFa")}},
        {"empty lines", QByteArray("\n\na\n"), 65001, {"", "", "a"}},
        {"only CR LF", QByteArray("\r\n"), -1, {""}},
        {"empty file", QByteArray(), 65001, {}},
        {"only a UTF-8 mark", Bytes({0xEF, 0xBB, 0xBF}), 65001, {}},
        {"only a UTF-16 mark", Bytes({0xFF, 0xFE}), 1252, {}},
    };
    TempTree tree;
    int n = 0;
    for (const ReadCase &c : cases) {
        const QString path = tree.Write(QString("r%1.txt").arg(n++), c.bytes);
        bool endEmpty = false;
        EXPECT_EQ(ReadAllLines(path, c.codePage, &endEmpty), c.lines) << c.what;
        EXPECT_TRUE(endEmpty) << c.what;
    }
}

// Guards lines far beyond the first line buffer, in both kinds of text.
TEST(StdioFileEx, LongLinesRoundTripWhole)
{
    QString longLine;
    for (int i = 0; i < 10000; ++i)
        longLine.append(QChar(i % 3 == 0 ? 0x03A9 : 'a' + i % 26));
    TempTree tree;
    for (unsigned wide : {0u, unsigned(CStdioFileEx::modeWriteUnicode)}) {
        const QString path = tree / QString("long%1.txt").arg(wide);
        CStdioFileEx out;
        out.SetCodePage(65001);
        ASSERT_TRUE(out.Open(path, CStdioFileEx::modeCreate | CStdioFileEx::modeWrite | wide));
        ASSERT_TRUE(out.WriteString(longLine + "\r\n" + longLine));
        ASSERT_TRUE(out.Close());
        EXPECT_EQ(ReadAllLines(path, 65001), QStringList({longLine, longLine})) << wide;
    }
}

// Guards that a seek back to the start skips the mark again instead of returning it as text.
TEST(StdioFileEx, SeekToStartSkipsTheMarkAgain)
{
    TempTree tree;
    const QString path = tree.Write("bom.txt", Bytes({0xEF, 0xBB, 0xBF}) + "first\nsecond\n");
    CStdioFileEx file;
    file.SetCodePage(65001);
    ASSERT_TRUE(file.Open(path, CStdioFileEx::modeRead));
    QString line;
    ASSERT_TRUE(file.ReadString(line));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "second");
    EXPECT_EQ(file.Seek(0, CStdioFileEx::begin), 0);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "first");
    EXPECT_FALSE(file.IsUnicode());
}

// Guards that failures reach the caller: a file that cannot be opened or written is never reported as
// written.
TEST(StdioFileEx, ReportsOpenAndWriteFailures)
{
    TempTree tree;
    const QString blocker = tree.Write("plain", "x");

    CStdioFileEx file;
    EXPECT_FALSE(file.Open(blocker + "/inside.txt", CStdioFileEx::modeCreate | CStdioFileEx::modeWrite));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.GetErrorText().isEmpty());
    EXPECT_FALSE(file.WriteString("lost"));
    EXPECT_FALSE(file.Open(tree / "missing.txt", CStdioFileEx::modeRead));
    // Without the create flag a missing file is not made.
    EXPECT_FALSE(file.Open(tree / "missing.txt", CStdioFileEx::modeWrite));
    EXPECT_FALSE(QFile::exists(tree / "missing.txt"));

    CStdioFileEx opened(tree / "missing.txt", CStdioFileEx::modeRead);
    EXPECT_FALSE(opened.IsOpen());

    if (QFile::exists("/dev/full")) {
        CStdioFileEx full;
        ASSERT_TRUE(full.Open("/dev/full", CStdioFileEx::modeWrite));
        const bool written = full.WriteString(QString(100000, u'x'));
        const bool closed = full.Close();
        EXPECT_FALSE(written && closed);
    }
}

// Guards the opening constructor: it takes the flags as they are and detects no mark.
TEST(StdioFileEx, OpeningConstructorReadsEightBitText)
{
    TempTree tree;
    const QString path = tree.Write("u.txt", Bytes({0xFF, 0xFE, 'a', 0}));
    CStdioFileEx file(path, CStdioFileEx::modeRead | CStdioFileEx::typeText);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_FALSE(file.IsUnicode());
    QString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line.size(), 4);
}

// Guards that opening without truncation keeps what the file holds: an existing file opened to be added
// to, or written over in place, never loses its bytes, and a write after its start adds no mark.
TEST(StdioFileEx, OpeningWithoutTruncationKeepsTheFile)
{
    TempTree tree;
    struct Case {
        const char *what;
        unsigned flags;
        bool toEnd;
        QByteArray expected;
    };
    const Case cases[] = {
        {"create, no truncation, appended", CStdioFileEx::modeCreate | CStdioFileEx::modeNoTruncate | CStdioFileEx::modeWrite,
         true, "old text\nmore"},
        {"write without create, appended", CStdioFileEx::modeWrite, true, "old text\nmore"},
        {"write without create, over the start", CStdioFileEx::modeWrite, false, "moretext\n"},
        {"read-write, appended", CStdioFileEx::modeReadWrite, true, "old text\nmore"},
        {"create truncates", CStdioFileEx::modeCreate | CStdioFileEx::modeWrite, false, "more"},
        {"create, no truncation, missing file", CStdioFileEx::modeCreate | CStdioFileEx::modeNoTruncate | CStdioFileEx::modeWrite,
         false, "more"},
    };
    int n = 0;
    for (const Case &c : cases) {
        const QString path = tree / QString("t%1.txt").arg(n++);
        if (!QByteArray(c.what).contains("missing"))
            tree.Write(QString("t%1.txt").arg(n - 1), "old text\n");
        CStdioFileEx file;
        file.SetCodePage(65001);
        file.SetWriteBOM(false);
        ASSERT_TRUE(file.Open(path, c.flags)) << c.what;
        if (c.toEnd)
            file.SeekToEnd();
        EXPECT_TRUE(file.WriteString("more")) << c.what;
        EXPECT_TRUE(file.Close()) << c.what;
        EXPECT_EQ(TempTree::ReadAll(path), c.expected) << c.what;
    }

    // With the mark on, an append after the start still writes none.
    const QString marked = tree.Write("marked.txt", "\xEF\xBB\xBF" "first\n");
    CStdioFileEx file;
    file.SetCodePage(65001);
    ASSERT_TRUE(file.Open(marked, CStdioFileEx::modeCreate | CStdioFileEx::modeNoTruncate | CStdioFileEx::modeWrite));
    file.SeekToEnd();
    EXPECT_TRUE(file.WriteString("second\n"));
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(TempTree::ReadAll(marked), "\xEF\xBB\xBF" "first\nsecond\n");
}
