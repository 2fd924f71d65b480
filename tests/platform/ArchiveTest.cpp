#include "platform/Archive.h"
#include "platform/CodePage.h"

#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

QByteArray Stored(const QString &s)
{
    CArchive ar;
    ar.WriteString(s);
    return ar.GetBuffer();
}

} // namespace

// Guards the exact string encoding that projects written by older versions depend on.
TEST(Archive, StringLengthFormsAreByteExact)
{
    EXPECT_EQ(Stored(QString()), Bytes({0xFF, 0xFE, 0xFF, 0x00}));
    EXPECT_EQ(Stored(QStringLiteral("Ab")), Bytes({0xFF, 0xFE, 0xFF, 0x02, 'A', 0, 'b', 0}));

    const QByteArray s254 = Stored(QString(254, u'x'));
    EXPECT_EQ(s254.left(4), Bytes({0xFF, 0xFE, 0xFF, 254}));
    EXPECT_EQ(s254.size(), 4 + 508);

    const QByteArray s255 = Stored(QString(255, u'x'));
    EXPECT_EQ(s255.left(6), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}));
    EXPECT_EQ(s255.size(), 6 + 510);

    const QByteArray sBig = Stored(QString(0xFFFE, u'x'));
    EXPECT_EQ(sBig.left(10), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(sBig.size(), 10 + 2 * 0xFFFE);
}

// Guards that every length form written is read back, including characters outside the BMP.
TEST(Archive, StringsRoundTrip)
{
    const QList<QString> cases = {QString(), QStringLiteral("x"), QString(254, u'a'), QString(255, u'b'),
                                  QString(0xFFFD, u'c'), QString(0xFFFE, u'd'), QString(70000, u'e'),
                                  QStringLiteral("caf\u00e9 \u03A9 \U0001F600")};
    CArchive out;
    for (const QString &s : cases)
        out.WriteString(s);
    CArchive in(out.GetBuffer());
    for (const QString &s : cases)
        EXPECT_EQ(in.ReadString(), s);
    EXPECT_TRUE(in.AtEnd());
}

// Guards the cost of reading and writing a whole project: reading a byte must not copy the file's bytes the
// archive shares with whoever read them, and a storing archive takes strings of every length form in turn,
// large and small, without losing or reordering a byte.
TEST(Archive, ReadsWithoutCopyingAndWritesInOrder)
{
    const QByteArray file = Stored(QStringLiteral("project")) + Bytes({7, 8, 9});
    CArchive in(file);
    EXPECT_EQ(in.ReadString(), QStringLiteral("project"));
    EXPECT_EQ(in.ReadByte(), 7);
    EXPECT_EQ(in.GetBuffer().constData(), file.constData());

    CArchive out;
    QByteArray expected;
    for (int i = 0; i < 2000; ++i) {
        const QString s(i * 37 % 300, QChar(u'a' + i % 26));
        out.WriteByte(uint8_t(i));
        out.WriteString(s);
        expected += char(i);
        expected += Stored(s);
    }
    EXPECT_EQ(out.GetBuffer(), expected);
}

// Guards the older marker-less form: ANSI bytes in the legacy code page, with byte and word lengths.
TEST(Archive, ReadsMarkerlessAnsiStrings)
{
    CArchive in(Bytes({3, 'c', 'a', 0xE9, 0xFF, 0x01, 0x00, 0x80}) + QByteArray());
    EXPECT_EQ(in.ReadString(), QStringLiteral("ca\u00e9"));
    EXPECT_EQ(in.ReadString(), QStringLiteral("\u20AC"));
    EXPECT_TRUE(in.AtEnd());

    QByteArray longForm = Bytes({0xFF, 0x2C, 0x01});
    longForm.append(QByteArray(300, 'z'));
    CArchive in2(longForm);
    EXPECT_EQ(in2.ReadString(), QString(300, u'z'));

    // The 32-bit length form: 0xFF, 0xFFFF, then a dword.
    QByteArray dwordForm = Bytes({0xFF, 0xFF, 0xFF, 0x03, 0x00, 0x00, 0x00});
    dwordForm.append("abc");
    CArchive in3(dwordForm);
    EXPECT_EQ(in3.ReadString(), QStringLiteral("abc"));
    EXPECT_TRUE(in3.AtEnd());
}

// Guards the UTF-16 form read from bytes as older versions wrote them, word length included, and that a
// marked string is never taken through the code page.
TEST(Archive, ReadsMarkedStringsFromBytes)
{
    QByteArray bytes = Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xA9, 0x03, 0x41, 0x00});
    bytes.append(Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x01}));
    for (int i = 0; i < 256; ++i)
        bytes.append(Bytes({'q', 0}));
    CArchive in(bytes);
    EXPECT_EQ(in.ReadString(), QStringLiteral("\u03A9A"));
    EXPECT_EQ(in.ReadString(), QString(256, u'q'));
    EXPECT_TRUE(in.AtEnd());
}

// Guards the list count forms: 16 bits below 0xFFFF, else 0xFFFF and 32 bits.
TEST(Archive, CountForms)
{
    CArchive out;
    out.WriteCount(0);
    out.WriteCount(0xFFFE);
    out.WriteCount(0xFFFF);
    out.WriteCount(0x12345);
    EXPECT_EQ(out.GetBuffer(), Bytes({0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0}));

    CArchive list;
    list.WriteStringList({QStringLiteral("a"), QString()});
    EXPECT_EQ(list.GetBuffer(), Bytes({2, 0, 0xFF, 0xFE, 0xFF, 1, 'a', 0, 0xFF, 0xFE, 0xFF, 0}));
    CArchive back(list.GetBuffer());
    EXPECT_EQ(back.ReadStringList(), QStringList({QStringLiteral("a"), QString()}));

    // The 32-bit form is read as well, whatever count it holds.
    CArchive wide(Bytes({0xFF, 0xFF, 0x02, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0, 0xFF, 0xFE, 0xFF, 1, 'z', 0}));
    EXPECT_EQ(wide.ReadStringList(), QStringList({QString(), QStringLiteral("z")}));
    EXPECT_TRUE(wide.AtEnd());
}

// Guards the fixed-width values: little-endian ints, COLORREF colours, rectangles, 64-bit times.
TEST(Archive, FixedWidthValues)
{
    CArchive out;
    out.WriteInt(-2);
    out.WriteColor(0x00FF8000);
    out.WriteRect(CRect(1, -1, 1008, 560));
    out.WriteInt64(0x0102030405060708LL);
    out.WriteFlag(true);
    EXPECT_EQ(out.GetBuffer().left(8), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x00}));
    EXPECT_EQ(out.GetBuffer().size(), 4 + 4 + 16 + 8 + 4);

    CArchive in(out.GetBuffer());
    EXPECT_EQ(in.ReadInt(), -2);
    EXPECT_EQ(in.ReadColor(), 0x00FF8000u);
    EXPECT_EQ(in.ReadRect(), CRect(1, -1, 1008, 560));
    EXPECT_EQ(in.ReadInt64(), 0x0102030405060708LL);
    EXPECT_TRUE(in.ReadFlag());
}

// Guards against reading past the end of a damaged or cut-off file: one exception type, no crash.
TEST(Archive, ShortReadsThrow)
{
    struct Case {
        const char *what;
        QByteArray bytes;
        std::function<void(CArchive &)> read;
        CArchiveException::Cause cause;
    };
    const Case cases[] = {
        {"int from 3 bytes", Bytes({1, 2, 3}), [](CArchive &a) { a.ReadInt(); }, CArchiveException::endOfFile},
        {"rect from 12 bytes", QByteArray(12, 0), [](CArchive &a) { a.ReadRect(); }, CArchiveException::endOfFile},
        {"string longer than data", Bytes({0xFF, 0xFE, 0xFF, 5, 'a', 0}), [](CArchive &a) { a.ReadString(); },
         CArchiveException::badCount},
        {"huge 32-bit string length", Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}),
         [](CArchive &a) { a.ReadString(); }, CArchiveException::badCount},
        {"string marker cut off", Bytes({0xFF, 0xFE}), [](CArchive &a) { a.ReadString(); },
         CArchiveException::endOfFile},
        {"list count beyond data", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}), [](CArchive &a) { a.ReadStringList(); },
         CArchiveException::badCount},
        {"negative int count", Bytes({0xFF, 0xFF, 0xFF, 0xFF}), [](CArchive &a) { a.ReadCheckedInt(100); },
         CArchiveException::badCount},
        {"ANSI string longer than data", Bytes({0xFF, 0x10, 0x00, 'a'}), [](CArchive &a) { a.ReadString(); },
         CArchiveException::badCount},
        {"list count above the maximum", Bytes({0x05, 0x00, 0, 0, 0, 0, 0}),
         [](CArchive &a) { a.ReadStringList(4); }, CArchiveException::badCount},
        {"list cut short", Bytes({0x02, 0x00, 0xFF, 0xFE}), [](CArchive &a) { a.ReadStringList(); },
         CArchiveException::endOfFile},
        {"bytes from a store", QByteArray(), [](CArchive &) { CArchive store; store.ReadByte(); },
         CArchiveException::generic},
        {"negative write", QByteArray(), [](CArchive &) { CArchive store; store.Write("abc", -1); },
         CArchiveException::writeFailed},
    };
    for (const Case &c : cases) {
        CArchive in(c.bytes);
        try {
            c.read(in);
            ADD_FAILURE() << c.what << ": no exception";
        } catch (const CArchiveException &e) {
            EXPECT_EQ(e.GetCause(), c.cause) << c.what;
        }
    }
}

// Guards the "#" rule for characters the legacy code page cannot hold.
TEST(CodePage, ConversionsAndReplacement)
{
    bool lossy = false;
    EXPECT_EQ(CCodePage::FromUnicode(QStringLiteral("a\u03A9b"), 1252, &lossy), QByteArray("a#b"));
    EXPECT_TRUE(lossy);
    EXPECT_EQ(CCodePage::FromUnicode(QStringLiteral("\u20AC\u00e9"), 1252, &lossy), Bytes({0x80, 0xE9}));
    EXPECT_FALSE(lossy);
    EXPECT_EQ(CCodePage::FromUnicode(QStringLiteral("\U0001F600x"), 1252), QByteArray("#x"));
    EXPECT_EQ(CCodePage::FromUnicode(QString(QChar(0xD800)) + u'x', 1252), QByteArray("#x"));
    EXPECT_EQ(CCodePage::FromUnicode(QStringLiteral("\u03A9"), CCodePage::kUtf8), Bytes({0xCE, 0xA9}));
    EXPECT_EQ(CCodePage::ToUnicode(Bytes({0x80, 0x81, 'x'}), 1252), QStringLiteral("\u20AC\u0081x"));
    EXPECT_EQ(CCodePage::ToUnicode(Bytes({0xC1}), 1251), QStringLiteral("\u0411"));
}
