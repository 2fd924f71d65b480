#include "image/xIOFile.h"
#include "image/xImage.h"
#include "image/xImageCodecs.h"
#include "image/xMemFile.h"

#include "CodecTestSupport.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>
#include <filesystem>

namespace {

// Stand-in formats: each recognises a two-byte signature after consuming it, so a dispatcher that forgets
// to seek back between attempts makes the next format fail.
template <uint32_t Id, char A, char B>
class FakeFormat : public CxImage
{
public:
    FakeFormat() : CxImage(Id) {}
    static inline int decodes = 0;
    bool Decode(CxFile *file)
    {
        ++decodes;
        char sig[2] = {};
        if (file->Read(sig, 1, 2) != 2 || sig[0] != A || sig[1] != B) {
            const std::string text = std::string(1, A) + ": bad signature";
            SetErrorText(text.c_str());
            return false;
        }
        if (!Create(Id, 2, 24, Id))
            return false;
        return true;
    }
    bool Encode(CxFile *file)
    {
        if (!EncodeSafeCheck(file))
            return false;
        const char bytes[3] = {A, B, char(GetWidth())};
        return file->Write(bytes, 1, 3) == 3;
    }
};

using FakeBmp = FakeFormat<ImageFormatBmp, 'B', 'B'>;
using FakeJpg = FakeFormat<ImageFormatJpg, 'J', 'J'>;
using FakePng = FakeFormat<ImageFormatPng, 'P', 'P'>;

// A multi-frame format that counts its frames and then fails on a later one.
class FakeGif : public CxImage
{
public:
    FakeGif() : CxImage(ImageFormatGif) {}
    bool Decode(CxFile *)
    {
        m_info.frameCount = 3;
        SetErrorText("G: broken frame");
        return false;
    }
};

// An encoder that writes part of its output and then fails.
bool FailingEncode(CxImage &codec, CxFile *file, uint32_t)
{
    file->Write("BB", 1, 2);
    codec.SetErrorText("B: cannot write");
    return false;
}

const ImageCodec kFakeCodecs[] = {
    {ImageFormatBmp, ImageFormatBmp, false, CreateCodec<FakeBmp>, DecodeAs<FakeBmp>, FailingEncode},
    {ImageFormatJpg, ImageFormatJpg, false, CreateCodec<FakeJpg>, DecodeAs<FakeJpg>, EncodeAs<FakeJpg>},
    {ImageFormatGif, ImageFormatGif, true, CreateCodec<FakeGif>, DecodeAs<FakeGif>, nullptr},
    {ImageFormatPng, ImageFormatPng, false, CreateCodec<FakePng>, DecodeAs<FakePng>, EncodeAs<FakePng>},
};

class ImageFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_table = std::span<const ImageCodec>(kFakeCodecs);
        SetImageCodecsForTesting(&m_table);
        FakeBmp::decodes = FakeJpg::decodes = FakePng::decodes = 0;
    }
    void TearDown() override { SetImageCodecsForTesting(nullptr); }
    std::filesystem::path Write(const char *name, const QByteArray &bytes)
    {
        return std::filesystem::path(m_tree.Write(QString::fromLatin1(name), bytes).toStdString());
    }

    std::span<const ImageCodec> m_table;
    TempTree m_tree;
};

} // namespace

// Guards detection order and the rewind between attempts.
TEST_F(ImageFiles, DetectionTriesEachFormatFromTheSamePosition)
{
    QByteArray bytes("xxPP");
    CxMemFile file(reinterpret_cast<uint8_t *>(bytes.data()), size_t(bytes.size()));
    file.Seek(2, SEEK_SET);
    CxImage image;
    image.SetJpegQuality(55);
    ASSERT_TRUE(image.Decode(&file, ImageFormatNone));
    EXPECT_EQ(image.GetFormatId(), unsigned(ImageFormatPng));
    EXPECT_EQ(image.GetWidth(), int(ImageFormatPng));
    EXPECT_EQ(image.GetJpegQuality(), 55); // the decoder saw this image's attributes
    EXPECT_EQ(FakeBmp::decodes, 1);
    EXPECT_EQ(FakeJpg::decodes, 1);

    QByteArray junk("zzzz");
    CxMemFile junkFile(reinterpret_cast<uint8_t *>(junk.data()), size_t(junk.size()));
    EXPECT_FALSE(image.Decode(&junkFile, ImageFormatNone));
    EXPECT_STREQ(image.GetErrorText(), "Decode: Unknown or wrong format");
    EXPECT_TRUE(image.IsValid()); // a failed decode leaves the picture as it was
    EXPECT_FALSE(image.Decode(nullptr, ImageFormatNone));
    EXPECT_STREQ(image.GetErrorText(), "null file handler");
}

TEST_F(ImageFiles, KnownFormatReportsItsOwnErrorAndFrameCount)
{
    QByteArray bytes("PP");
    CxMemFile file(reinterpret_cast<uint8_t *>(bytes.data()), size_t(bytes.size()));
    CxImage image;
    EXPECT_FALSE(image.Decode(&file, ImageFormatJpg));
    EXPECT_STREQ(image.GetErrorText(), "J: bad signature");
    EXPECT_FALSE(image.Decode(&file, ImageFormatGif));
    EXPECT_EQ(image.GetFrameCount(), 3);
    EXPECT_FALSE(image.Decode(&file, ImageFormatUnsupported));
    EXPECT_STREQ(image.GetErrorText(), "Decode: Unknown or wrong format");
    EXPECT_FALSE(image.Decode(&file, ImageFormatTif)); // a format without a class here
    EXPECT_STREQ(image.GetErrorText(), "Decode: Unknown or wrong format");
}

TEST_F(ImageFiles, LoadFallsBackToDetectionAndKeepsTheAnnouncedError)
{
    const auto pngAsJpg = Write("picture.jpg", "PP");
    const auto text = Write("notes.png", "hello");

    CxImage image;
    EXPECT_TRUE(image.Load(pngAsJpg, ImageFormatJpg));
    EXPECT_EQ(image.GetFormatId(), unsigned(ImageFormatPng));

    CxImage failed;
    EXPECT_FALSE(failed.Load(text, ImageFormatPng));
    EXPECT_STREQ(failed.GetErrorText(), "P: bad signature");
    EXPECT_FALSE(failed.Load(text, ImageFormatNone));
    EXPECT_STREQ(failed.GetErrorText(), "Decode: Unknown or wrong format");

    FakeJpg::decodes = 0;
    CxImage straight;
    EXPECT_TRUE(straight.Load(pngAsJpg, ImageFormatUnsupported));
    EXPECT_EQ(FakeJpg::decodes, 1); // only the detection pass ran

    CxImage missing;
    missing.SetErrorText("earlier");
    EXPECT_FALSE(missing.Load(m_tree.Path().toStdString() + "/absent.png", ImageFormatPng));
    EXPECT_STREQ(missing.GetErrorText(), "earlier");
}

// Guards the saved picture: a failing encoder, or an unknown format, must not destroy the file on disk.
TEST_F(ImageFiles, SaveReplacesTheFileOnlyOnSuccess)
{
    const auto existing = Write("kept.bmp", "good picture");
    CxImage image(7, 2, 24);

    EXPECT_FALSE(image.Save(existing, ImageFormatBmp));
    EXPECT_STREQ(image.GetErrorText(), "B: cannot write");
    for (uint32_t id : {0u, 16u}) {
        EXPECT_FALSE(image.Save(existing, id));
        EXPECT_STREQ(image.GetErrorText(), "Encode: Unknown format");
    }
    EXPECT_EQ(TempTree::ReadAll(QString::fromStdString(existing.string())), QByteArray("good picture"));

    const auto fresh = std::filesystem::path(m_tree.Path().toStdString()) / "never.png";
    EXPECT_FALSE(image.Save(fresh, ImageFormatUnsupported));
    EXPECT_FALSE(std::filesystem::exists(fresh));

    CxImage empty;
    EXPECT_FALSE(empty.Save(fresh, ImageFormatPng));
    EXPECT_STREQ(empty.GetErrorText(), "null image!!!");
    EXPECT_FALSE(std::filesystem::exists(fresh));

    ASSERT_TRUE(image.Save(existing, ImageFormatPng));
    EXPECT_EQ(TempTree::ReadAll(QString::fromStdString(existing.string())), QByteArray("PP\x07"));
    int files = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator(m_tree.Path().toStdString()))
        ++files;
    EXPECT_EQ(files, 1); // no temporary left behind
}

TEST_F(ImageFiles, StreamsAreWrappedAndLeftOpen)
{
    FILE *stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    CxImage image(4, 1, 8);
    ASSERT_TRUE(image.EncodeToStream(stream, ImageFormatJpg));
    std::rewind(stream);
    CxImage back;
    ASSERT_TRUE(back.DecodeFromStream(stream, ImageFormatNone));
    EXPECT_EQ(back.GetFormatId(), unsigned(ImageFormatJpg));
    EXPECT_EQ(std::fclose(stream), 0);
    EXPECT_FALSE(back.Encode(nullptr, ImageFormatJpg));
    EXPECT_STREQ(back.GetErrorText(), "null file handler");
}

// Guards the memory file's edges: reads past the end, gaps left by seeks, and line reads.
TEST(MemFile, ReadWriteSeekEdges)
{
    CxMemFile file;
    EXPECT_EQ(file.Write("abc", 1, 3), 0u); // nothing open yet
    EXPECT_EQ(file.Tell(), -1);
    ASSERT_TRUE(file.Open());
    EXPECT_FALSE(file.Open());
    EXPECT_EQ(file.Write("abc", 1, 3), 3u);
    EXPECT_TRUE(file.Seek(10, SEEK_SET));
    char buffer[8];
    EXPECT_EQ(file.Read(buffer, 1, 4), 0u);
    EXPECT_TRUE(file.Eof());
    EXPECT_EQ(file.Error(), 1);

    // Writing after the gap fills it with zeros instead of leaving stale bytes.
    EXPECT_EQ(file.Write("Z", 1, 1), 1u);
    EXPECT_EQ(file.Size(), 11);
    file.Seek(0, SEEK_SET);
    char all[11];
    EXPECT_EQ(file.Read(all, 1, 11), 11u);
    EXPECT_EQ(std::memcmp(all, "abc\0\0\0\0\0\0\0Z", 11), 0);

    EXPECT_TRUE(file.Seek(-100, SEEK_CUR));
    EXPECT_EQ(file.Tell(), 0);
    EXPECT_FALSE(file.Seek(0, 7));
    EXPECT_TRUE(file.Seek(-1, SEEK_END));
    EXPECT_EQ(file.GetC(), 'Z');
    EXPECT_EQ(file.GetC(), -1);
    EXPECT_EQ(file.Read(buffer, 4, 1), 0u);
    file.Seek(0, SEEK_SET);
    EXPECT_EQ(file.Read(buffer, 4, 2), 2u);
    EXPECT_EQ(file.Read(buffer, 4, 1), 0u); // three bytes left: no whole element

    // Sizes that would wrap the position arithmetic are refused.
    EXPECT_EQ(file.Write("x", SIZE_MAX / 2, 3), 0u);
    EXPECT_TRUE(file.Seek(INT64_MAX, SEEK_SET));
    EXPECT_TRUE(file.Seek(INT64_MAX, SEEK_CUR));
    EXPECT_FALSE(file.PutC('x'));
    EXPECT_EQ(file.Write("x", 1, 1), 0u);
}

TEST(MemFile, LineReadsStopAtTheEndOfData)
{
    char ab[] = "ab";
    CxMemFile two(reinterpret_cast<uint8_t *>(ab), 2);
    char line[10];
    EXPECT_EQ(two.GetS(line, 10), nullptr);

    char abcd[] = "ab\ncd";
    CxMemFile lines(reinterpret_cast<uint8_t *>(abcd), 5);
    ASSERT_NE(lines.GetS(line, 10), nullptr);
    EXPECT_STREQ(line, "ab\n");
    char small[3];
    EXPECT_EQ(lines.GetS(small, 3), small);
    EXPECT_STREQ(small, "cd");
}

TEST(MemFile, GrowsInWholeSteps)
{
    CxMemFile file;
    ASSERT_TRUE(file.Grow(65536));
    EXPECT_EQ(file.GetCapacity(), 131072u);
    CxMemFile other;
    ASSERT_TRUE(other.Grow(1));
    EXPECT_EQ(other.GetCapacity(), 65536u);
    EXPECT_FALSE(other.Grow(SIZE_MAX));
}

// Guards a caller's buffer: growing copies it into an owned block instead of reallocating foreign memory.
TEST(MemFile, GrowingABorrowedBufferLeavesItAlone)
{
    uint8_t borrowed[4] = {'a', 'b', 'c', 'd'};
    CxMemFile file(borrowed, 4);
    file.Seek(0, SEEK_END);
    EXPECT_EQ(file.Write("ef", 1, 2), 2u);
    EXPECT_EQ(std::memcmp(borrowed, "abcd", 4), 0);
    uint8_t *owned = file.GetBuffer(true);
    EXPECT_NE(owned, borrowed);
    EXPECT_EQ(std::memcmp(owned, "abcdef", 6), 0);
    std::free(owned);
}

// Guards the real format table: an unannounced file is tried as BMP, JPEG, ICO, GIF, PNG, TIFF, MNG, TGA,
// PCX, WBMP, WMF, the JPEG 2000 family, SKA and camera raw, in that order, whichever of them exist.
TEST(ImageFormatTable, DetectionOrder)
{
    const uint32_t order[] = {ImageFormatBmp, ImageFormatJpg,  ImageFormatIco,  ImageFormatGif, ImageFormatPng,
                              ImageFormatTif, ImageFormatMng,  ImageFormatTga,  ImageFormatPcx, ImageFormatWbmp,
                              ImageFormatWmf, ImageFormatJp2,  ImageFormatSka,  ImageFormatRaw};
    auto rank = [&](uint32_t id) {
        return int(std::find(std::begin(order), std::end(order), id) - std::begin(order));
    };
    int previous = -1;
    std::vector<uint32_t> ids;
    for (const ImageCodec &codec : ImageCodecs()) {
        ids.push_back(codec.firstId);
        ASSERT_LT(rank(codec.firstId), int(std::size(order))) << codec.firstId;
        EXPECT_GT(rank(codec.firstId), previous) << codec.firstId;
        previous = rank(codec.firstId);
        EXPECT_EQ(FindImageCodec(codec.firstId), &codec);
    }
    // The formats built so far, each found by its own id.
    for (uint32_t id : {ImageFormatBmp, ImageFormatJpg, ImageFormatIco, ImageFormatPng})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << id;
}

// Guards a picture loaded into an image that held another: the transparent colour and the resolution
// of the earlier picture must not carry over into a file that states neither (here an icon after a
// 300-dpi PNG with a transparent entry), while the caller's requests still reach the decoder.
TEST(ImageDecode, NothingOfTheEarlierPictureCarriesOver)
{
    CxImage palette(4, 4, 8);
    palette.SetStdPalette();
    palette.SetTransIndex(5);
    palette.SetHorizontalDpi(300);
    palette.SetVerticalDpi(300);
    const QByteArray png = codectest::EncodeTo(palette, ImageFormatPng);
    CxImage plain(4, 4, 24);
    const QByteArray ico = codectest::EncodeTo(plain, ImageFormatIco);

    for (uint32_t id : {ImageFormatNone, ImageFormatIco}) {
        CxImage image;
        ASSERT_TRUE(codectest::DecodeFrom(image, png, ImageFormatPng));
        ASSERT_TRUE(image.IsTransparent());
        ASSERT_EQ(image.GetHorizontalDpi(), 300);
        image.SetEscape(-1); // size only: the request reaches the decoder
        ASSERT_TRUE(codectest::DecodeFrom(image, ico, id));
        EXPECT_FALSE(image.IsValid());
        image.SetEscape(0);
        ASSERT_TRUE(codectest::DecodeFrom(image, ico, id)) << id;
        EXPECT_EQ(image.GetFormatId(), unsigned(ImageFormatIco));
        EXPECT_FALSE(image.IsTransparent()) << id;
        EXPECT_EQ(image.GetHorizontalDpi(), 96) << id;
        EXPECT_EQ(image.GetVerticalDpi(), 96) << id;
    }
}
