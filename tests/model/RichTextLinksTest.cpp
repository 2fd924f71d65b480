#include "LinkTestSupport.h"

#include "model/ProjectSchema.h"
#include "platform/Archive.h"
#include "platform/RecordingPrompt.h"

#include <gtest/gtest.h>

#include <climits>

using namespace LinkTest;

namespace {

CStatus AddWebLink(CRichTextLinks &links, const QString &text, int position)
{
    return links.AddLink(text, position, 0, -1, QStringLiteral("https://example.org/"), 0, 0, 0, 100, 250);
}

std::vector<int> Numbers(const CRichTextLinks &links)
{
    std::vector<int> numbers;
    for (const auto &link : links.GetLinks())
        numbers.push_back(link->GetNumber());
    return numbers;
}

} // namespace

// Guards the numbering the publisher and old projects rely on: the first link is 2, later ones follow the
// highest number or the count, whichever is larger.
TEST(RichTextLinksTest, NewLinkNumberFollowsCountAndHighest)
{
    struct Case {
        std::vector<int> numbers;
        int expected;
    };
    const Case cases[] = {
        {{}, 2}, {{2, 3}, 4}, {{2, 5}, 6}, {{0, 1, 2}, 4}, {{-1, -1}, 3}, {{7, -1, 3}, 8},
    };
    for (const Case &c : cases) {
        CRichTextLinks links;
        for (int number : c.numbers)
            links.AppendLink(Record(QStringLiteral("x"), number, 0));
        EXPECT_EQ(links.NewLinkNumber(), c.expected) << c.numbers.size();
    }
}

// Guards the offsets of a new link: markers hidden on both sides, visible text selected, record at the
// marker's place.
TEST(RichTextLinksTest, AddLinkWrapsTextInHiddenMarkers)
{
    CRichTextLinks links;
    SetText(links.GetRichText(), QStringLiteral("0123456789Hello world"));
    ASSERT_TRUE(AddWebLink(links, QStringLiteral("Hello"), 10));

    const CRichText &text = links.GetRichText();
    EXPECT_EQ(text.GetText(), QStringLiteral("0123456789[0002#Hello#0002] world"));
    EXPECT_TRUE(IsHidden(text, 10, 16));
    EXPECT_TRUE(IsHidden(text, 21, 27));
    EXPECT_FALSE(IsHidden(text, 16, 17));
    EXPECT_FALSE(IsHidden(text, 27, 28));
    int start = 0;
    int end = 0;
    text.GetSel(start, end);
    EXPECT_EQ(start, 16);
    EXPECT_EQ(end, 21);
    ASSERT_EQ(links.GetLinkCount(), 1);
    EXPECT_EQ(links.GetLinks()[0]->GetNumber(), 2);
    EXPECT_EQ(links.GetLinks()[0]->GetPosition(), 10);
    EXPECT_EQ(links.GetNextLinkNumber(), 3);

    // The link effect is the caller's step.
    links.ToggleLinkEffect();
    EXPECT_TRUE(IsLinked(text, 16, 21));
    EXPECT_TRUE(IsUnlinked(text, 0, 10));

    ASSERT_TRUE(AddWebLink(links, QStringLiteral("world"), 28));
    EXPECT_EQ(links.GetLinks()[1]->GetNumber(), 3);
    EXPECT_EQ(VisibleText(text), QStringLiteral("0123456789Hello world"));
}

// Guards against overwriting the author's text: a link is only made where its text stands.
TEST(RichTextLinksTest, AddLinkRefusesTextThatIsNotThere)
{
    struct Case {
        QString text;
        int position;
    };
    const Case cases[] = {
        {QStringLiteral("Hello"), -1}, {QStringLiteral("Hello"), 20}, {QStringLiteral("world"), 0},
        {QStringLiteral("Hello"), 11}, {QString(), 3},
    };
    for (const Case &c : cases) {
        CRichTextLinks links;
        SetText(links.GetRichText(), QStringLiteral("Hello world"));
        const CStatus added = AddWebLink(links, c.text, c.position);
        EXPECT_FALSE(added) << c.text.toStdString() << c.position;
        EXPECT_TRUE(added.Error().contains(QStringLiteral("no link was made"))) << added.Error().toStdString();
        EXPECT_EQ(links.GetRichText().GetText(), QStringLiteral("Hello world"));
        EXPECT_EQ(links.GetLinkCount(), 0);
    }
}

// Guards the four-digit markers: a text whose numbers ran up to 9999 is renumbered instead of getting
// seven-character markers that would shift every offset.
TEST(RichTextLinksTest, AddLinkPastLastNumberRenumbersCompactly)
{
    CRichTextLinks links;
    const QString plain = QStringLiteral("[9998#one#9998] and [9999#two#9999] three");
    SetText(links.GetRichText(), plain, {{0, 6}, {9, 15}, {20, 26}, {29, 35}});
    links.AppendLink(Record(QStringLiteral("one"), 9998, 6));
    links.AppendLink(Record(QStringLiteral("two"), 9999, 26));

    ASSERT_TRUE(AddWebLink(links, QStringLiteral("three"), 36));
    EXPECT_EQ(links.GetRichText().GetText(), QStringLiteral("[0000#one#0000] and [0001#two#0001] [0003#three#0003]"));
    EXPECT_EQ(Numbers(links), (std::vector<int>{0, 1, 3}));
    EXPECT_TRUE(IsHidden(links.GetRichText(), 0, 6));
    EXPECT_TRUE(IsHidden(links.GetRichText(), 29, 35));
    EXPECT_EQ(VisibleText(links.GetRichText()), QStringLiteral("one and two three"));
}

// Guards the numbering and shifting of links read from files that stored no numbers.
TEST(RichTextLinksTest, MarkPendingLinksNumbersAndShifts)
{
    CRichTextLinks links;
    QString plain(60, u'.');
    plain.replace(5, 5, QStringLiteral("alpha"));
    plain.replace(20, 4, QStringLiteral("beta"));
    plain.replace(40, 5, QStringLiteral("gamma"));
    SetText(links.GetRichText(), plain);
    links.AppendLink(Record(QStringLiteral("alpha"), -1, 5));
    links.AppendLink(Record(QStringLiteral("beta"), -1, 20));
    links.AppendLink(Record(QStringLiteral("gamma"), -1, 40));

    links.MarkPendingLinks();

    const CRichText &text = links.GetRichText();
    EXPECT_EQ(Numbers(links), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(text.GetTextRange(5, 11), QStringLiteral("[0000#"));
    EXPECT_EQ(text.GetTextRange(32, 38), QStringLiteral("[0001#"));
    EXPECT_EQ(text.GetTextRange(64, 70), QStringLiteral("[0002#"));
    EXPECT_TRUE(IsHidden(text, 64, 70));
    EXPECT_TRUE(IsLinked(text, 70, 75));
    EXPECT_EQ(VisibleText(text), plain);
    EXPECT_EQ(links.GetNextLinkNumber(), 4);
    EXPECT_EQ(links.NewLinkNumber(), 4);
}

// Guards the load-time rules for records that do not match the text: a pending record whose text moved
// stays until the next repair; a known record whose opening marker is gone is deleted with its leftover
// closing marker; a lost closing marker is put back.
TEST(RichTextLinksTest, MarkPendingLinksHandlesMissingText)
{
    CRichTextLinks links;
    SetText(links.GetRichText(), QStringLiteral("xx[0004#word yy word#0005] zz"), {{2, 8}, {20, 26}});
    links.AppendLink(Record(QStringLiteral("moved"), -1, 0));
    links.AppendLink(Record(QStringLiteral("word"), 4, 8));
    links.AppendLink(Record(QStringLiteral("word"), 5, 16));

    links.MarkPendingLinks();

    const CRichText &text = links.GetRichText();
    EXPECT_EQ(Numbers(links), (std::vector<int>{0, 4}));
    EXPECT_EQ(text.GetText(), QStringLiteral("xx[0004#word#0004] yy word zz"));
    EXPECT_TRUE(IsHidden(text, 12, 18));
    EXPECT_TRUE(IsLinked(text, 8, 12));

    links.RepairLinks();
    EXPECT_EQ(Numbers(links), (std::vector<int>{4}));
    EXPECT_EQ(links.GetLinks()[0]->GetPosition(), 8);
}

// Guards single screens brought into another course: links without an address go, markers and all.
TEST(RichTextLinksTest, MarkPendingLinksDropsAddresslessLinks)
{
    CRichTextLinks links;
    SetText(links.GetRichText(), QStringLiteral("[0002#one#0002] [0003#two#0003]"), {{0, 6}, {9, 15}, {16, 22}, {25, 31}});
    links.AppendLink(Record(QStringLiteral("one"), 2, 6, QString()));
    links.AppendLink(Record(QStringLiteral("two"), 3, 22));

    links.MarkPendingLinks(true);

    EXPECT_EQ(Numbers(links), (std::vector<int>{3}));
    EXPECT_EQ(links.GetRichText().GetText(), QStringLiteral("one [0003#two#0003]"));
    EXPECT_EQ(links.GetLinks()[0]->GetPosition(), 10);
    EXPECT_EQ(links.GetNextLinkNumber(), 2);
}

// Guards unlinking from the context menu: only a whole, properly marked link is taken apart.
TEST(RichTextLinksTest, DeleteLinkAtCaret)
{
    struct Case {
        int caret;
        bool deleted;
    };
    const Case cases[] = {{12, true}, {10, true}, {19, true}, {1, false}, {22, false}};
    for (const Case &c : cases) {
        CRichTextLinks links;
        SetText(links.GetRichText(), QStringLiteral("See [0002#this link#0002] now"), {{4, 10}, {19, 25}});
        links.GetRichText().SetSel(10, 19);
        links.ToggleLinkEffect();
        links.AppendLink(Record(QStringLiteral("This Link"), 2, 10));
        links.GetRichText().SetSel(c.caret, c.caret);

        EXPECT_EQ(links.DeleteLinkAtCaret(), c.deleted) << c.caret;
        if (c.deleted) {
            EXPECT_EQ(links.GetRichText().GetText(), QStringLiteral("See this link now"));
            EXPECT_EQ(links.GetLinkCount(), 0);
            EXPECT_TRUE(IsUnlinked(links.GetRichText(), 0, 17));
        } else {
            EXPECT_EQ(links.GetRichText().GetText(), QStringLiteral("See [0002#this link#0002] now"));
            EXPECT_EQ(links.GetLinkCount(), 1);
        }
    }
}

// Guards the repair before every store: each broken state ends without the record and without any
// marker of it, and an intact link is re-read with the author's edits. Markers the author typed (not
// hidden) are never taken for a link's.
TEST(RichTextLinksTest, RepairLinksCases)
{
    struct Case {
        const char *name;
        QString text;
        std::vector<std::pair<int, int>> hidden;
        QString after;
        bool kept;
    };
    const Case cases[] = {
        {"closing only", QStringLiteral("ab word#0002] cd"), {{7, 13}}, QStringLiteral("ab word cd"), false},
        {"neither", QStringLiteral("ab word cd"), {}, QStringLiteral("ab word cd"), false},
        {"opening only", QStringLiteral("ab [0002#word cd"), {{3, 9}}, QStringLiteral("ab word cd"), false},
        {"empty", QStringLiteral("ab [0002##0002] cd"), {{3, 15}}, QStringLiteral("ab  cd"), false},
        {"empty at start", QStringLiteral("[0002##0002]ab"), {{0, 12}}, QStringLiteral("ab"), false},
        {"closing first", QStringLiteral("ab #0002]word[0002# cd"), {{3, 9}, {13, 19}}, QStringLiteral("ab word cd"), false},
        {"typed markers", QStringLiteral("ab [0002#word#0002] cd"), {}, QStringLiteral("ab [0002#word#0002] cd"), false},
        {"edited", QStringLiteral("ab [0002#words#0002] cd"), {{3, 9}, {14, 20}}, QStringLiteral("ab [0002#words#0002] cd"), true},
    };
    for (const Case &c : cases) {
        CRichTextLinks links;
        SetText(links.GetRichText(), c.text, c.hidden);
        links.GetRichText().SetSel(0, -1);
        links.ToggleLinkEffect();
        links.AppendLink(Record(QStringLiteral("word"), 2, 9));

        links.RepairLinks();

        EXPECT_EQ(links.GetRichText().GetText(), c.after) << c.name;
        EXPECT_EQ(links.GetLinkCount(), c.kept ? 1 : 0) << c.name;
        if (c.kept) {
            EXPECT_EQ(links.GetLinks()[0]->GetText(), QStringLiteral("words"));
            EXPECT_EQ(links.GetLinks()[0]->GetPosition(), 9);
            EXPECT_TRUE(IsLinked(links.GetRichText(), 9, 14));
        }
    }
}

// Guards the second pass: markers deleted for one link move the links after it, whose positions must
// follow.
TEST(RichTextLinksTest, RepairLinksRereadsLinksMovedByEarlierDeletions)
{
    CRichTextLinks links;
    SetText(links.GetRichText(), QStringLiteral("[0002#aa [0003#bb#0003]"), {{0, 6}, {9, 15}, {17, 23}});
    links.AppendLink(Record(QStringLiteral("bb"), 3, 15));
    links.AppendLink(Record(QStringLiteral("aa"), 2, 6));

    links.RepairLinks();

    EXPECT_EQ(links.GetRichText().GetText(), QStringLiteral("aa [0003#bb#0003]"));
    ASSERT_EQ(Numbers(links), (std::vector<int>{3}));
    EXPECT_EQ(links.GetLinks()[0]->GetPosition(), 9);
    EXPECT_TRUE(IsLinked(links.GetRichText(), 9, 11));
}

TEST(RichTextLinksTest, RemoveLinkComparesTextWithoutCase)
{
    struct Case {
        QString text;
        int number;
        int removed;
    };
    const Case cases[] = {
        {QStringLiteral("CLICK here"), 2, 1}, {QStringLiteral("click there"), 2, 0}, {QStringLiteral("click here"), 3, 0},
    };
    for (const Case &c : cases) {
        CRichTextLinks links;
        links.AppendLink(Record(QStringLiteral("click here"), 2, 0));
        EXPECT_EQ(links.RemoveLink(c.text, c.number), c.removed) << c.text.toStdString();
        EXPECT_EQ(links.GetLinkCount(), 1 - c.removed);
    }
}

// Guards the publisher's questions and their defaults for numbers no record has.
TEST(RichTextLinksTest, QueriesByNumber)
{
    Screens screens;
    screens.Add(7, QStringLiteral("page7"));
    CRichTextLinks links;
    links.AppendLink(std::make_unique<CURLLink>(QStringLiteral("a"), 2, 0, 1, 7, QString(), 1, 0, 1, 300, 400));
    links.AppendLink(std::make_unique<CURLLink>(QStringLiteral("b"), 3, 0, 1, 8, QString(), 0, 0, 0, 300, 400));
    links.AppendLink(std::make_unique<CURLLink>(QStringLiteral("c"), 4, 0, 0, -1, QStringLiteral("https://x.org/"), 0, 0, 0, 100, 250));
    links.AppendLink(std::make_unique<CURLLink>(QStringLiteral("d"), 5, 0, 0, -1, QStringLiteral("go();"), 0, 1, 0, 100, 250));

    EXPECT_EQ(links.GetLinkTarget(2, &screens), QStringLiteral("page7"));
    EXPECT_EQ(links.GetLinkTarget(3, &screens), QString());
    EXPECT_EQ(links.GetLinkTarget(4, &screens), QStringLiteral("https://x.org/"));
    EXPECT_EQ(links.GetLinkTarget(5, &screens), QStringLiteral("go();"));
    EXPECT_EQ(links.IsScreenLink(2), 1);
    EXPECT_EQ(links.IsScriptLink(5), 1);
    EXPECT_EQ(links.IsPopupLink(2), 1);
    EXPECT_EQ(links.GetLinkPopupHeight(2), 560);
    EXPECT_EQ(links.GetLinkPopupWidth(2), 1008);
    EXPECT_EQ(links.GetLinkPopupHeight(3), 300);
    EXPECT_EQ(links.GetLinkPopupWidth(3), 400);

    EXPECT_EQ(links.IsScreenLink(99), 0);
    EXPECT_EQ(links.IsScriptLink(99), 0);
    EXPECT_EQ(links.IsPopupLink(99), 0);
    EXPECT_EQ(links.GetLinkPopupHeight(99), 100);
    EXPECT_EQ(links.GetLinkPopupWidth(99), 250);
    EXPECT_EQ(links.GetLinkTarget(99, &screens), QString());
}

// Guards the link record's schema gates: each older file leaves the later fields at their defaults and
// the stream in step.
TEST(RichTextLinksTest, LinkRecordSchemaGates)
{
    struct Case {
        int schema;
        int number, position, popup, script, fullSize, height, width;
    };
    const Case cases[] = {
        {ProjectSchema::kCurrent, 5, 16, 1, 1, 0, 300, 400},
        {10000040, 5, 16, 1, 0, 0, 300, 400},
        {10000036, -1, 16, 1, 0, 0, 300, 400},
        {10000024, -1, 16, 1, 0, 1, 100, 250},
        {10000018, -1, 16, 0, 0, 1, 100, 250},
        {1000001, -1, -1, 0, 0, 1, 100, 250},
    };
    for (const Case &c : cases) {
        CArchive out;
        if (c.schema > 10000036)
            out.WriteInt(5);
        out.WriteString(QStringLiteral("text"));
        if (c.schema > 1000001)
            out.WriteInt(16);
        out.WriteInt(0);
        out.WriteInt(3);
        out.WriteString(QStringLiteral("addr"));
        if (c.schema > 10000018)
            out.WriteInt(1);
        if (c.schema > 10000040)
            out.WriteInt(1);
        if (c.schema > 10000024) {
            out.WriteInt(0);
            out.WriteInt(300);
            out.WriteInt(400);
        }
        out.WriteInt(0x5EED);

        CArchive in(out.GetBuffer());
        const auto link = CRichTextLinks::LoadLinkRecord(in, c.schema);
        EXPECT_EQ(in.ReadInt(), 0x5EED) << c.schema;
        const CURLLink expected(QStringLiteral("text"), c.number, c.position, 0, 3, QStringLiteral("addr"), c.popup,
                                c.script, c.fullSize, c.height, c.width);
        EXPECT_EQ(*link, expected) << c.schema;
    }
}

// Guards the stored size of full-size popups and the refusal of impossible link counts.
TEST(RichTextLinksTest, LinkRecordsStoreFullSizeAndRefuseHugeCounts)
{
    CRichTextLinks links;
    links.AppendLink(std::make_unique<CURLLink>(QStringLiteral("a"), 2, 6, 1, 7, QString(), 1, 0, 1, 300, 400));
    CArchive out;
    links.StoreLinks(out);
    CArchive in(out.GetBuffer());
    CRichTextLinks read;
    read.LoadLinks(in, ProjectSchema::kCurrent);
    ASSERT_EQ(read.GetLinkCount(), 1);
    EXPECT_EQ(read.GetLinks()[0]->GetStoredPopupHeight(), 560);
    EXPECT_EQ(read.GetLinks()[0]->GetStoredPopupWidth(), 1008);

    CArchive huge;
    huge.WriteInt(50000000);
    CArchive hugeIn(huge.GetBuffer());
    EXPECT_THROW(read.LoadLinks(hugeIn, ProjectSchema::kCurrent), CArchiveException);
}

// Guards the marking of one record: a new record is wrapped only where its text really stands (a stale or
// damaged position, however large, changes nothing), and a known record without its opening marker is
// reported so that the load drops it.
TEST(RichTextLinksTest, MarkLinkOnlyWhereTheTextStands)
{
    struct Case {
        const char *name;
        QString linkText;
        int position;
        bool isNew;
        int result;
        QString after;
    };
    const QString plain = QStringLiteral("see click here now");
    const Case cases[] = {
        {"first occurrence", QStringLiteral("click here"), -1, true, 12, QStringLiteral("see [0002#click here#0002] now")},
        {"at its position", QStringLiteral("here"), 10, true, 12, QStringLiteral("see click [0002#here#0002] now")},
        {"other case", QStringLiteral("CLICK here"), -1, true, 0, plain},
        {"not in the text", QStringLiteral("elsewhere"), -1, true, 0, plain},
        {"moved", QStringLiteral("here"), 4, true, 0, plain},
        {"past the end", QStringLiteral("now"), 17, true, 0, plain},
        {"far past the end", QStringLiteral("now"), INT_MAX - 1, true, 0, plain},
        {"below the start", QStringLiteral("see"), -7, true, 0, plain},
        {"known without markers", QStringLiteral("click here"), 10, false, -1, plain},
    };
    for (const Case &c : cases) {
        CRichTextLinks links;
        SetText(links.GetRichText(), plain);
        auto record = Record(c.linkText, 2, c.position);
        EXPECT_EQ(links.MarkLink(record.get(), c.isNew), c.result) << c.name;
        EXPECT_EQ(links.GetRichText().GetText(), c.after) << c.name;
        if (c.result == 12) {
            const int open = int(c.after.indexOf(u'['));
            EXPECT_TRUE(IsHidden(links.GetRichText(), open, open + 6)) << c.name;
            EXPECT_TRUE(IsLinked(links.GetRichText(), open + 6, open + 6 + int(c.linkText.size()))) << c.name;
        }
    }

    // Pending records far along stay out of reach when the shift of earlier links is added.
    CRichTextLinks links;
    SetText(links.GetRichText(), plain);
    links.AppendLink(Record(QStringLiteral("see"), -1, 0));
    links.AppendLink(Record(QStringLiteral("now"), -1, INT_MAX - 4));
    links.MarkPendingLinks();
    EXPECT_EQ(links.GetRichText().GetText(), QStringLiteral("[0000#see#0000] click here now"));
    EXPECT_EQ(links.GetLinks()[1]->GetPosition(), INT_MAX);
}

// Guards the load of a text whose links lost their closing markers: putting thousands back one at a time
// cost seconds, so many are put back in one pass, which must give exactly what one at a time gives: the
// same text, the same hidden and link effects, the same records.
TEST(RichTextLinksTest, LostClosingMarkersPutBackAtOnceAsOneAtATime)
{
    struct Case {
        const char *name;
        int links;
        int keepClosingEvery;  // 0: every closing marker lost
        bool paragraphs;       // a paragraph end after each link's words
        bool lastRunsToTheEnd; // the last link's text reaches past the end of the text
    };
    const Case cases[] = {
        {"few", 3, 0, false, false},
        {"many", 40, 0, false, false},
        {"many, some whole", 40, 3, false, false},
        {"many over paragraphs", 25, 0, true, false},
        {"many, the last cut short", 20, 0, false, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QString plain;
        std::vector<std::pair<int, int>> hidden;
        for (int i = 0; i < c.links; ++i) {
            const bool whole = c.keepClosingEvery > 0 && i % c.keepClosingEvery == 0;
            hidden.emplace_back(int(plain.size()), int(plain.size()) + 6);
            plain += CURLLink::OpeningMarker(i) + QStringLiteral("link %1").arg(i);
            if (whole) {
                hidden.emplace_back(int(plain.size()), int(plain.size()) + 6);
                plain += CURLLink::ClosingMarker(i);
            }
            if (!(c.lastRunsToTheEnd && i == c.links - 1))
                plain += c.paragraphs ? QStringLiteral(" words\r") : QStringLiteral(" and words between. ");
        }
        CRichTextLinks damaged;
        SetText(damaged.GetRichText(), plain, hidden);
        damaged.GetRichText().SetCharFormat(0, 3, [] {
            CCharFormat bold;
            bold.mask = CFM_BOLD;
            bold.effects = CFE_BOLD;
            return bold;
        }());
        for (int i = 0; i < c.links; ++i)
            damaged.AppendLink(Record(QStringLiteral("link %1").arg(i) + (c.lastRunsToTheEnd && i == c.links - 1
                                                                                ? QStringLiteral(" and more")
                                                                                : QString()),
                                      i, -1));
        CRichTextLinks oneAtATime(damaged);
        for (const auto &link : oneAtATime.GetLinks())
            oneAtATime.MarkLink(link.get(), false);

        damaged.MarkPendingLinks();

        const CRichText &got = damaged.GetRichText();
        const CRichText &want = oneAtATime.GetRichText();
        ASSERT_EQ(got.GetText(), want.GetText());
        for (int i = 0; i < got.GetTextLength(); ++i)
            ASSERT_EQ(got.GetCharFormatAt(i).effects, want.GetCharFormatAt(i).effects) << "character " << i;
        ASSERT_EQ(damaged.GetLinkCount(), oneAtATime.GetLinkCount());
        for (int i = 0; i < damaged.GetLinkCount(); ++i) {
            EXPECT_EQ(damaged.GetLinks()[size_t(i)]->GetText(), oneAtATime.GetLinks()[size_t(i)]->GetText());
            EXPECT_EQ(damaged.GetLinks()[size_t(i)]->GetPosition(), oneAtATime.GetLinks()[size_t(i)]->GetPosition());
        }
        EXPECT_EQ(int(got.GetText().count(QStringLiteral("#0001]"))), c.links > 1 ? 1 : 0);
    }
}
