#include "support/TempTree.h"

#include "model/AutoBackupSetting.h"
#include "model/URLLink.h"

#include <gtest/gtest.h>

TEST(URLLink, DefaultsAndFullSizePopups)
{
    CURLLink link;
    EXPECT_EQ(link.GetText(), QString());
    EXPECT_EQ(link.GetNumber(), -1);
    EXPECT_EQ(link.GetPosition(), -1);
    EXPECT_EQ(link.IsScreenLink(), 1);
    EXPECT_EQ(link.GetTargetScreen(), -1);
    EXPECT_EQ(link.GetPopup(), 0);
    EXPECT_EQ(link.IsScript(), 0);
    EXPECT_EQ(link.GetPopupHeight(), 100);
    EXPECT_EQ(link.GetPopupWidth(), 250);
    link.SetFullSize(1);
    EXPECT_EQ(link.GetPopupHeight(), 560);
    EXPECT_EQ(link.GetPopupWidth(), 1008);
    EXPECT_EQ(link.GetStoredPopupHeight(), 100);

    const CURLLink full(QStringLiteral("here"), 3, 7, 0, -1, QStringLiteral("http://x"), 1, 0, 0, 300, 400);
    EXPECT_EQ(full.GetPopupHeight(), 300);
    EXPECT_EQ(full.GetPopupWidth(), 400);
    EXPECT_EQ(CURLLink::OpeningMarker(2), QStringLiteral("[0002#"));
    EXPECT_EQ(CURLLink::ClosingMarker(12), QStringLiteral("#0012]"));
}

// Guards against garbage settings from a damaged or truncated dovar.txt.
TEST(AutoBackupSetting, ReadsWhatTheFileHoldsAndKeepsDefaultsForTheRest)
{
    TempTree tree;
    struct Case {
        const char *name;
        const char *content;  // null: no file
        int onSave, limit, count;
    } cases[] = {
        {"none", nullptr, 1, 1, 5},          {"full", "0\n1\n9", 0, 1, 9},
        {"truncated", "1\n", 1, 1, 5},       {"text", "x\n0\n7", 1, 1, 5},
        {"low limit", "0\n0\n2", 0, 0, 5},   {"crlf", "0\r\n0\r\n12\r\n", 0, 0, 12},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = tree / QString::fromLatin1(c.name);
        if (c.content)
            tree.Write(QString::fromLatin1(c.name), c.content);
        CAutoBackupSetting s;
        s.Load(path);
        EXPECT_EQ(s.BackupOnSave, c.onSave);
        EXPECT_EQ(s.LimitBackups, c.limit);
        EXPECT_EQ(s.BackupLimit, c.count);
    }
}

TEST(AutoBackupSetting, ConfirmRaisesTheLimitAndWritesTheThreeValues)
{
    TempTree tree;
    CAutoBackupSetting s;
    s.BackupOnSave = 0;
    s.LimitBackups = 1;
    s.BackupLimit = 2;
    const QString path = tree / QStringLiteral("dovar.txt");
    ASSERT_TRUE(s.Confirm(path));
    EXPECT_EQ(s.BackupLimit, 5);
    EXPECT_EQ(TempTree::ReadAll(path), QByteArray("0\n1\n5"));
    EXPECT_FALSE(s.Confirm(tree / QStringLiteral("no/such/dovar.txt")));
}
