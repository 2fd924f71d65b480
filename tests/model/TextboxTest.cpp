#include "LinkTestSupport.h"
#include "support/TempTree.h"

#include "model/ComponentFactory.h"
#include "model/ComponentTextbox.h"
#include "model/ProjectSchema.h"
#include "platform/Archive.h"
#include "platform/CorvContext.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include "platform/Prompt.h"

#include <gtest/gtest.h>

using namespace LinkTest;

namespace {

CStatus AddWebLink(CComponentTextbox &box, const QString &text, int position, const QString &address = QStringLiteral("https://example.org/"))
{
    return box.AddLink(text, position, 0, -1, address, 0, 0, 0, 100, 250);
}

// The box's entry as the document writes it: the record followed by the rich text.
QByteArray StoreBox(CComponentTextbox &box)
{
    CArchive ar;
    box.SerializeEntry(ar);
    return ar.GetBuffer();
}

// Reads a text box's entry as the loaders do: record, rich text, then the links find their markers (links
// without an address dropped for a box from a single-screen archive).
std::unique_ptr<CComponentTextbox> LoadBox(CArchive &ar, int schema, int dropAddressless = 0)
{
    CComponentFactory::LoadOptions options(schema);
    options.standAlone = dropAddressless != 0;
    auto component = CComponentFactory::LoadComponent(ar, options);
    auto *box = dynamic_cast<CComponentTextbox *>(component.get());
    if (!box)
        return nullptr;
    component.release();
    return std::unique_ptr<CComponentTextbox>(box);
}

std::unique_ptr<CComponentTextbox> LoadBox(const QByteArray &bytes, int schema = ProjectSchema::kCurrent, int drop = 0)
{
    CArchive ar(bytes);
    return LoadBox(ar, schema, drop);
}

// Every record's text stands between its two hidden markers, and no other marker is left in the text.
void ExpectRecordsMatchMarkers(const CRichTextLinks &content)
{
    const CRichText &text = content.GetRichText();
    int markers = 0;
    for (int i = 0; i < text.GetTextLength(); ++i)
        markers += (text.GetText().at(i) == u'[' || text.GetText().at(i) == u']') && text.GetCharFormatAt(i).Has(CFE_HIDDEN);
    EXPECT_EQ(markers, 2 * content.GetLinkCount());
    for (const auto &link : content.GetLinks()) {
        const int position = link->GetPosition();
        const int end = position + int(link->GetText().size());
        EXPECT_EQ(text.GetTextRange(position - 6, position), CURLLink::OpeningMarker(link->GetNumber()));
        EXPECT_EQ(text.GetTextRange(end, end + 6), CURLLink::ClosingMarker(link->GetNumber()));
        EXPECT_TRUE(IsHidden(text, position - 6, position));
        EXPECT_TRUE(IsHidden(text, end, end + 6));
    }
}

// Equal as the publisher sees them (a full-size popup is stored with the full size).
void ExpectSameLink(const CURLLink &a, const CURLLink &b)
{
    EXPECT_EQ(std::tuple(a.GetText(), a.GetNumber(), a.GetPosition(), a.IsScreenLink(), a.GetTargetScreen(),
                         a.GetUrl(), a.GetPopup(), a.IsScript(), a.GetFullSize(), a.GetPopupHeight(),
                         a.GetPopupWidth()),
              std::tuple(b.GetText(), b.GetNumber(), b.GetPosition(), b.IsScreenLink(), b.GetTargetScreen(),
                         b.GetUrl(), b.GetPopup(), b.IsScript(), b.GetFullSize(), b.GetPopupHeight(),
                         b.GetPopupWidth()));
}

// Writes a text box record of an older schema by hand, each link as (text, position), no numbers below
// their gate, then the RTF string.
QByteArray OldRecord(int schema, const std::vector<std::pair<QString, int>> &links, const QString &rtf, int reserved)
{
    CArchive ar;
    ar.WriteInt(ct_textbox);
    ar.WriteRect(CRect(36, 32, 520, 332));
    ar.WriteString(QStringLiteral("tb4.rtf"));
    ar.WriteInt(int(links.size()));
    int number = 2;
    for (const auto &[text, position] : links) {
        if (schema > 10000036)
            ar.WriteInt(number++);
        ar.WriteString(text);
        ar.WriteInt(position);
        ar.WriteInt(0);
        ar.WriteInt(-1);
        ar.WriteString(QStringLiteral("https://example.org/"));
        ar.WriteInt(1);
        if (schema > 10000040)
            ar.WriteInt(0);
        if (schema > 10000024) {
            ar.WriteInt(0);
            ar.WriteInt(300);
            ar.WriteInt(400);
        }
    }
    if (schema > 10000031)
        ar.WriteInt(reserved);
    ar.WriteString(rtf);
    ar.WriteInt(0x5EED);
    return ar.GetBuffer();
}

QString RtfOf(const QString &plain)
{
    CRichText text;
    text.ReplaceAll(plain);
    return text.GetRtf();
}

} // namespace

// Guards the first link of a box: number 2, hidden markers around the words, the link effect on them, and
// the record's position moving behind the marker at the next store.
TEST(TextboxTest, AddLinkNumbersMarksAndRepositions)
{
    CComponentTextbox box;
    box.GetRichText().ReplaceAll(QStringLiteral("0123456789click here and more"));
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("click here"), 10));

    const CRichText &text = box.GetRichText();
    EXPECT_EQ(text.GetTextRange(10, 16), QStringLiteral("[0002#"));
    EXPECT_EQ(text.GetTextRange(26, 32), QStringLiteral("#0002]"));
    EXPECT_TRUE(IsHidden(text, 10, 16));
    EXPECT_TRUE(IsHidden(text, 26, 32));
    EXPECT_TRUE(IsLinked(text, 16, 26));
    EXPECT_TRUE(IsUnlinked(text, 32, text.GetTextLength()));
    EXPECT_EQ(box.GetNextLinkNumber(), 3);
    ASSERT_NE(box.FindLink(2), nullptr);
    EXPECT_EQ(box.FindLink(2)->GetPosition(), 10);

    StoreBox(box);
    EXPECT_EQ(box.FindLink(2)->GetPosition(), 16);

    ASSERT_TRUE(AddWebLink(box, QStringLiteral("more"), 37));
    EXPECT_NE(box.FindLink(3), nullptr);
    EXPECT_EQ(VisibleText(text), QStringLiteral("0123456789click here and more"));
}

// Guards the record and the text after it: a box stored at the current schema reads back the same and
// stores again to the very same bytes.
TEST(TextboxTest, StoresAndReloadsToIdenticalBytes)
{
    CComponentTextbox box;
    box.SetBounds(CRect(36, 32, 520, 332), false);
    box.SetFileName(QStringLiteral("tb7.rtf"));
    box.SetRightToLeft(1);
    box.SetDefaultFont(QStringLiteral("Arial"), 12, 0x000080);
    CRichText &text = box.GetRichText();
    text.ReplaceAll(QStringLiteral("Bold start, then a link and another one.\nSecond paragraph."));
    text.SetSel(0, 4);
    text.ToggleBold();
    text.SetSel(41, 47);
    text.AlignCenter();
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("a link"), 17));
    ASSERT_TRUE(box.AddLink(QStringLiteral("another"), 40, 1, 12, QString(), 1, 0, 1, 200, 300));

    const QByteArray first = StoreBox(box);
    auto read = LoadBox(first);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->GetBounds().ToQRect(), QRect(36, 32, 484, 300));
    EXPECT_EQ(read->GetFileName(), QStringLiteral("tb7.rtf"));
    EXPECT_EQ(read->GetRightToLeft(), 1);
    EXPECT_EQ(read->GetRichText().GetText(), box.GetRichText().GetText());
    ASSERT_EQ(read->GetLinkCount(), 2);
    for (size_t i = 0; i < 2; ++i)
        ExpectSameLink(*read->GetContent().GetLinks()[i], *box.GetContent().GetLinks()[i]);
    EXPECT_TRUE(read->GetRichText().GetCharFormatAt(0).Has(CFE_BOLD));
    EXPECT_TRUE(IsLinked(read->GetRichText(), 23, 29));

    EXPECT_EQ(StoreBox(*read), first);
}

// Guards the schema gates of the record: older files give the popup-size defaults, no direction, or no
// link numbers, and in the last case the links are numbered from 0 and wrapped as they load.
TEST(TextboxTest, ReadsOlderSchemas)
{
    const QString plain = QStringLiteral("alpha beta gamma");
    const std::vector<std::pair<QString, int>> links = {{QStringLiteral("alpha"), 0}, {QStringLiteral("beta"), 6},
                                                        {QStringLiteral("gamma"), 11}};
    struct Case {
        int schema;
        int fullSize, height, width;
        int rightToLeft;
        std::vector<int> numbers;
        std::vector<int> markers;
    };
    const Case cases[] = {
        {ProjectSchema::kCurrent, 0, 300, 400, 0, {2, 3, 4}, {}},
        {10000040, 0, 300, 400, 0, {2, 3, 4}, {}},
        {10000036, 0, 300, 400, 0, {0, 1, 2}, {0, 18, 35}},
        // No direction stored: the box keeps what it had (the loader gives it the course's).
        {10000031, 0, 300, 400, 0, {0, 1, 2}, {0, 18, 35}},
        {10000024, 1, 560, 1008, 0, {0, 1, 2}, {0, 18, 35}},
    };
    for (const Case &c : cases) {
        // Numbered links already stand in markers in the text they were stored with.
        CComponentTextbox source;
        source.GetRichText().ReplaceAll(plain);
        QString rtf;
        if (c.markers.empty()) {
            for (const auto &[text, position] : links) {
                const int at = source.GetRichText().GetText().indexOf(text);
                source.GetContent().AddLink(text, at, 0, -1, QString(), 0, 0, 0, 100, 250);
            }
            rtf = source.GetRichText().GetRtf();
        } else {
            rtf = RtfOf(plain);
        }

        CArchive ar(OldRecord(c.schema, links, rtf, 0));
        auto box = LoadBox(ar, c.schema);
        ASSERT_TRUE(box) << c.schema;
        EXPECT_EQ(ar.ReadInt(), 0x5EED) << c.schema;
        EXPECT_EQ(box->GetRightToLeft(), c.rightToLeft) << c.schema;
        ASSERT_EQ(box->GetLinkCount(), 3) << c.schema;
        for (int i = 0; i < 3; ++i) {
            const CURLLink &link = *box->GetContent().GetLinks()[size_t(i)];
            EXPECT_EQ(link.GetNumber(), c.numbers[size_t(i)]) << c.schema;
            EXPECT_EQ(link.GetFullSize(), c.fullSize) << c.schema;
            EXPECT_EQ(box->GetLinkPopupHeight(link.GetNumber()), c.height) << c.schema;
            EXPECT_EQ(box->GetLinkPopupWidth(link.GetNumber()), c.width) << c.schema;
            if (!c.markers.empty()) {
                EXPECT_EQ(box->GetRichText().GetTextRange(c.markers[size_t(i)], c.markers[size_t(i)] + 6),
                          CURLLink::OpeningMarker(i))
                    << c.schema;
            }
        }
        EXPECT_EQ(VisibleText(box->GetRichText()), plain);
        EXPECT_EQ(box->GetNextLinkNumber(), 4) << c.schema;
    }
}

// Guards the reserved int that carries the direction: any value but 0 reads as right to left, and the value
// read is written back as it was (a file of another program's making keeps its bytes).
TEST(TextboxTest, DirectionIsKeptAsStored)
{
    const struct Case {
        int32_t stored;
        int rightToLeft;
    } cases[] = {{0, 0}, {1, 1}, {5, 1}, {-1, 1}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored);
        QByteArray record = OldRecord(ProjectSchema::kCurrent, {}, RtfOf(QStringLiteral("text")), c.stored);
        record.chop(4); // the test marker after the entry
        auto box = LoadBox(record);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->GetRightToLeft(), c.rightToLeft);
        EXPECT_EQ(StoreBox(*box), record);
    }
}

// Guards a box at the link limit, whose markers are found through one index of the whole text rather than a
// search from the start for each link: every link keeps its record and its position, and the box saves to
// the bytes it was read from. (What it costs, archive_bench prints.)
TEST(TextboxTest, BoxAtTheLinkLimitReadsAndSavesWhole)
{
    constexpr int kLinks = CRichTextLinks::kMaxLinkNumber;
    QString plain;
    std::vector<std::pair<int, int>> hidden;
    for (int i = 0; i < kLinks; ++i) {
        hidden.emplace_back(int(plain.size()), int(plain.size()) + 6);
        plain += CURLLink::OpeningMarker(i) + QStringLiteral("link");
        hidden.emplace_back(int(plain.size()), int(plain.size()) + 6);
        plain += CURLLink::ClosingMarker(i) + QStringLiteral(" and some words between links. ");
    }
    CComponentTextbox source;
    SetText(source.GetRichText(), plain, hidden);
    for (int i = 0; i < kLinks; ++i)
        source.GetContent().AppendLink(Record(QStringLiteral("link"), i, -1));
    const QByteArray bytes = StoreBox(source);

    auto box = LoadBox(bytes);
    ASSERT_TRUE(box);
    const QByteArray again = StoreBox(*box);
    EXPECT_EQ(box->GetLinkCount(), kLinks);
    EXPECT_EQ(box->GetContent().GetLinks().back()->GetPosition(), int(plain.size()) - 41);
    EXPECT_EQ(again, bytes);
}

// Guards a single screen brought in from another course: links without an address are dropped with their
// markers, the others kept.
TEST(TextboxTest, SingleScreenLoadDropsAddresslessLinks)
{
    CComponentTextbox box;
    box.GetRichText().ReplaceAll(QStringLiteral("one two three"));
    ASSERT_TRUE(box.AddLink(QStringLiteral("one"), 0, 1, 5, QString(), 0, 0, 0, 100, 250));
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("two"), 16));
    ASSERT_TRUE(box.AddLink(QStringLiteral("three"), 32, 1, 6, QString(), 0, 0, 0, 100, 250));

    auto read = LoadBox(StoreBox(box), ProjectSchema::kCurrent, 1);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->GetLinkCount(), 1);
    EXPECT_EQ(read->GetContent().GetLinks()[0]->GetText(), QStringLiteral("two"));
    EXPECT_EQ(read->GetNextLinkNumber(), 2);
    EXPECT_EQ(read->GetRichText().GetText(), QStringLiteral("one [0003#two#0003] three"));
    ExpectRecordsMatchMarkers(read->GetContent());
}

// Guards the repair before a store: after the author edits a link, deletes one whole and breaks another,
// the records written are exactly those whose markers the written text holds.
TEST(TextboxTest, StoredRecordsMatchStoredMarkers)
{
    CComponentTextbox box;
    box.GetRichText().ReplaceAll(QStringLiteral("keep gone half edit"));
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("keep"), 0));    // [0,6) keep [10,16)
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("gone"), 17));   // [17,23) gone [27,33)
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("half"), 34));   // [34,40) half [44,50)
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("edit"), 51));   // [51,57) edit [61,67)
    CRichText &text = box.GetRichText();
    text.SetSel(57, 61);
    text.ReplaceSel(QStringLiteral("edited"));
    text.SetSel(40, 50); // "half" with its closing marker
    text.ReplaceSel(QString());
    text.SetSel(23, 27);
    text.ReplaceSel(QString());

    auto read = LoadBox(StoreBox(box));
    ASSERT_TRUE(read);
    std::vector<QString> texts;
    for (const auto &link : read->GetContent().GetLinks())
        texts.push_back(link->GetText());
    EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("keep"), QStringLiteral("edited")}));
    EXPECT_EQ(VisibleText(read->GetRichText()), QStringLiteral("keep   edited"));
    ExpectRecordsMatchMarkers(read->GetContent());
}

// Guards the publisher's questions on a text box.
TEST(TextboxTest, LinkAccessors)
{
    Screens screens;
    screens.Add(5, QStringLiteral("p5"));
    CComponentTextbox box;
    box.GetRichText().ReplaceAll(QStringLiteral("full gone"));
    ASSERT_TRUE(box.AddLink(QStringLiteral("full"), 0, 1, 5, QString(), 1, 0, 1, 300, 400));
    ASSERT_TRUE(box.AddLink(QStringLiteral("gone"), 17, 1, 9, QString(), 0, 0, 0, 300, 400));

    EXPECT_EQ(box.GetLinkPopupWidth(2), 1008);
    EXPECT_EQ(box.GetLinkPopupHeight(2), 560);
    EXPECT_EQ(box.GetLinkOption(2), 1);
    EXPECT_TRUE(box.IsScreenLink(2));
    EXPECT_EQ(box.GetLinkTarget(2, &screens), QStringLiteral("p5"));
    EXPECT_EQ(box.GetLinkTarget(3, &screens), QString());
    EXPECT_EQ(box.GetLinkPopupWidth(3), 400);

    EXPECT_EQ(box.GetLinkOption(42), 0);
    EXPECT_FALSE(box.IsScreenLink(42));
    EXPECT_FALSE(box.IsScriptLink(42));
    EXPECT_EQ(box.GetLinkPopupHeight(42), 100);
    EXPECT_EQ(box.GetLinkPopupWidth(42), 250);
    EXPECT_EQ(box.GetLinkTarget(42, &screens), QString());
}

// Guards copy and paste of text boxes: the copy keeps its links (markers alone would be dead) and the
// author's clipboard is left alone.
TEST(TextboxTest, CloneCopiesTextAndLinksWithoutClipboard)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("the author's own"));
    CComponentTextbox box;
    box.SetBounds(CRect(500, 300, 600, 350), false);
    box.SetDefaultFont(QStringLiteral("Arial"), 14, 0xFF);
    box.SetRightToLeft(1);
    box.GetRichText().ReplaceAll(QStringLiteral("a link here"));
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("link"), 2));

    auto component = box.Clone(false);
    auto *copy = dynamic_cast<CComponentTextbox *>(component.get());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->GetBounds().ToQRect(), QRect(36, 32, 100, 50));
    EXPECT_EQ(copy->GetRichText().GetText(), box.GetRichText().GetText());
    ASSERT_EQ(copy->GetLinkCount(), 1);
    EXPECT_EQ(*copy->FindLink(2), *box.FindLink(2));
    EXPECT_EQ(copy->GetNextLinkNumber(), 3);
    EXPECT_EQ(copy->GetDefaultFontFace(), QStringLiteral("Arial"));
    EXPECT_EQ(copy->GetRightToLeft(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the author's own"));

    // The copy's links are its own.
    copy->DeleteLink(2);
    EXPECT_EQ(box.GetLinkCount(), 1);
}

// Guards the oldest projects, whose text lay in a file of its own: it is found without regard to case,
// and a name that tries to leave the Rtfs folder is cut to its bare file name.
TEST(TextboxTest, OldestFilesReadTextFromRtfsFolder)
{
    TempTree tree;
    tree.Write(QStringLiteral("Course/rtfs/TB4.RTF"), QByteArrayLiteral("{\\rtf1\\ansi Hello from the file}"));
    tree.Write(QStringLiteral("secret.rtf"), QByteArrayLiteral("{\\rtf1\\ansi outside}"));
    struct Case {
        QString storedName;
        QString expected;
    };
    const Case cases[] = {
        {QStringLiteral("tb4.rtf"), QStringLiteral("Hello from the file")},
        {QStringLiteral("..\\..\\tb4.rtf"), QStringLiteral("Hello from the file")},
        {QStringLiteral("../../secret.rtf"), QString()},
        {QStringLiteral(".."), QString()},
    };
    for (const Case &c : cases) {
        CArchive out;
        out.WriteInt(ct_textbox);
        out.WriteRect(CRect(0, 0, 100, 100));
        out.WriteString(c.storedName);
        out.WriteInt(0);
        out.WriteInt(0x5EED);
        CArchive ar(out.GetBuffer());
        ar.SetFilePath(tree / QStringLiteral("Course.kvx"));
        auto box = LoadBox(ar, 1000003);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->GetRichText().GetText(), c.expected) << c.storedName.toStdString();
        EXPECT_EQ(ar.ReadInt(), 0x5EED);
    }
}

// Guards text written by a Windows rich-edit control: fonts, colours, effects, paragraph formats, escapes
// and the hidden markers all survive, the link is found again, and our own RTF reads back the same.
TEST(TextboxTest, RichEditRtfRoundTrip)
{
    QFile fixture(QStringLiteral(CORV_FIXTURES "/model/richedit_link.rtf"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    CComponentTextbox box;
    box.GetRichText().SetRtfBytes(fixture.readAll());
    box.GetContent().AppendLink(std::make_unique<CURLLink>(QStringLiteral("our site"), 2, 0, 0, -1,
                                                           QStringLiteral("https://example.org/"), 0, 0, 0, 100, 250));
    box.RenumberLinks(0);

    const CRichText &text = box.GetRichText();
    EXPECT_EQ(VisibleText(text), QStringLiteral("Welcome to the course.\rRead this, that, old and red text. See our site now.\r"
                                                "Caf\u00e9 cr\u00e8me done"));
    ASSERT_EQ(box.GetLinkCount(), 1);
    const int position = box.FindLink(2)->GetPosition();
    EXPECT_EQ(text.GetTextRange(position - 6, position), QStringLiteral("[0002#"));
    EXPECT_TRUE(IsHidden(text, position - 6, position));
    EXPECT_TRUE(IsHidden(text, position + 8, position + 14));
    EXPECT_TRUE(IsLinked(text, position, position + 8));

    const auto at = [&](const QString &word) { return text.GetCharFormatAt(int(text.GetText().indexOf(word))); };
    EXPECT_TRUE(at(QStringLiteral("the course")).Has(CFE_BOLD));
    EXPECT_FALSE(at(QStringLiteral("Welcome")).Has(CFE_BOLD));
    EXPECT_TRUE(at(QStringLiteral("this")).Has(CFE_ITALIC));
    EXPECT_TRUE(at(QStringLiteral("that")).Has(CFE_UNDERLINE));
    EXPECT_TRUE(at(QStringLiteral("old")).Has(CFE_STRIKEOUT));
    EXPECT_EQ(at(QStringLiteral("red")).colour, 0x0000FFu);
    EXPECT_EQ(at(QStringLiteral("Welcome")).height, 240);
    EXPECT_EQ(at(QStringLiteral("Welcome")).face, QStringLiteral("Arial"));
    EXPECT_EQ(at(QStringLiteral("Caf")).height, 320);
    EXPECT_EQ(at(QStringLiteral("Caf")).face, QStringLiteral("Times New Roman"));
    EXPECT_EQ(text.GetParaFormatAt(0).alignment, PFA_CENTER);
    EXPECT_EQ(text.GetParaFormatAt(int(text.GetText().indexOf(QStringLiteral("Read")))).startIndent, 360);

    CRichText again;
    again.SetRtf(text.GetRtf());
    ASSERT_EQ(again.GetText(), text.GetText());
    for (int i = 0; i < text.GetTextLength(); ++i)
        EXPECT_TRUE(again.GetCharFormatAt(i).SameInRtf(text.GetCharFormatAt(i))) << i;
    for (int p = 0; p < text.GetParagraphCount(); ++p)
        EXPECT_TRUE(again.GetParaFormatAt(text.ParagraphStart(p)).SameValues(text.GetParaFormatAt(text.ParagraphStart(p))));
}

// Guards against a truncated text box record being taken for a whole one.
TEST(TextboxTest, RecordOneByteShortFails)
{
    CComponentTextbox box;
    box.GetRichText().ReplaceAll(QStringLiteral("a link here"));
    ASSERT_TRUE(AddWebLink(box, QStringLiteral("link"), 2));
    CArchive out;
    box.SerializeComponent(out);
    QByteArray bytes = out.GetBuffer();
    bytes.chop(1);
    CArchive ar(bytes);
    EXPECT_THROW(CComponentFactory::LoadComponent(ar, {ProjectSchema::kCurrent}), CArchiveException);
}
