#include "platform/Archive.h"

#include <gtest/gtest.h>

// Guards the length forms the project file's strings and lists take, at each boundary.
TEST(ArchiveForms, StringAndListPrefixesAtEveryBoundary)
{
    const struct {
        int length;
        const char *prefixHex;
    } strings[] = {
        {0, "fffeff00"},           {1, "fffeff01"},
        {254, "fffefffe"},         {255, "fffeffffff00"},
        {300, "fffeffff2c01"},     {65534, "fffeffffffff"},
        {65535, "fffeffffffff"},
    };
    for (const auto &c : strings) {
        SCOPED_TRACE(c.length);
        CArchive out;
        out.WriteString(QString(c.length, u'q'));
        const QByteArray prefix = QByteArray::fromHex(c.prefixHex);
        const qsizetype prefixSize = c.length >= 0xFFFE ? prefix.size() + 4 : prefix.size();
        EXPECT_EQ(out.GetBuffer().left(prefix.size()), prefix);
        EXPECT_EQ(out.GetBuffer().size(), prefixSize + 2 * c.length);
        if (c.length >= 0xFFFE) {
            CArchive len(out.GetBuffer().mid(prefix.size(), 4));
            EXPECT_EQ(len.ReadDWord(), uint32_t(c.length));
        }
        CArchive in(out.GetBuffer());
        EXPECT_EQ(in.ReadString(), QString(c.length, u'q'));
        EXPECT_TRUE(in.AtEnd());
    }

    for (int count : {0, 70000}) {
        SCOPED_TRACE(count);
        QStringList list;
        for (int i = 0; i < count; ++i)
            list.append(QString());
        CArchive out;
        out.WriteStringList(list);
        const QByteArray expectedCount = count < 0xFFFF ? QByteArray::fromHex("0000") : QByteArray::fromHex("ffff70110100");
        EXPECT_EQ(out.GetBuffer().left(expectedCount.size()), expectedCount);
        CArchive in(out.GetBuffer());
        EXPECT_EQ(in.ReadStringList(), list);
    }

    CArchive ansi(QByteArray::fromHex("036162e9"));
    EXPECT_EQ(ansi.ReadString(), QStringLiteral("ab\u00e9"));
}
