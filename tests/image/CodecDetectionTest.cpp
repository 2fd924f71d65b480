#include "CodecTestSupport.h"

#include "image/qt/MetafilePlayer.h"

#include <QFile>

#include <random>

#include <gtest/gtest.h>

// Guards the detection order for the formats that come late in it: each stored file (the JPEG 2000
// ones made by the reference encoder, the others by hand) is found by its own decoder and by no
// earlier one, at its own size. The files also seed the image fuzz target. (A camera-raw DNG is a TIFF file
// and TIFF comes first: raw files are read by their type, not by detection.)
TEST(CodecDetection, LateFormatsAreFoundByTheirOwnDecoder)
{
    RegisterMetafilePlayer();
    struct Case
    {
        const char *file;
        uint32_t id;
        int width, height, bpp;
    } cases[] = {
        {"card.jp2", ImageFormatJp2, 7, 5, 24},  {"grey.j2k", ImageFormatJpc, 7, 5, 8},
        {"deep.pgx", ImageFormatPgx, 7, 5, 8},   {"card.ppm", ImageFormatPnm, 7, 5, 24},
        {"mapped.ras", ImageFormatRas, 8, 2, 24}, {"animation.mng", ImageFormatMng, 4, 3, 24},
        {"shapes.wmf", ImageFormatWmf, 96, 48, 24},
        {"shapes.emf", ImageFormatWmf, 100, 50, 24},
    };
    for (const Case &c : cases) {
        QFile file(QStringLiteral(CORV_FIXTURES "/image/codecs/") + QString::fromLatin1(c.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.file;
        CxImage image;
        ASSERT_TRUE(codectest::DecodeFrom(image, file.readAll(), ImageFormatNone)) << c.file << image.GetErrorText();
        EXPECT_EQ(image.GetFormatId(), c.id) << c.file;
        EXPECT_EQ(image.GetWidth(), c.width) << c.file;
        EXPECT_EQ(image.GetHeight(), c.height) << c.file;
        EXPECT_EQ(image.GetBpp(), c.bpp) << c.file;
    }
}

// Guards the decoders against bytes they were not made for (a smoke test; the fuzz target goes much
// further): random bytes and stored files with random bytes changed are refused or decoded, never read
// past their end, and a refusal leaves no picture.
TEST(CodecDetection, DamagedBytesAreRefusedCleanly)
{
    RegisterMetafilePlayer();
    std::mt19937 random(2024);
    const uint32_t ids[] = {ImageFormatNone, ImageFormatWmf, ImageFormatJp2, ImageFormatJpc, ImageFormatPgx,
                            ImageFormatPnm, ImageFormatRas, ImageFormatMng, ImageFormatRaw};
    for (int round = 0; round < 50; ++round) {
        QByteArray noise(int(random() % 600), '\0');
        for (char &c : noise)
            c = char(random());
        for (const uint32_t id : ids) {
            CxImage image;
            if (!codectest::DecodeFrom(image, noise, id)) {
                EXPECT_FALSE(image.IsValid()) << id;
            }
        }
    }
    for (const char *name : {"card.jp2", "grey.j2k", "deep.pgx", "card.ppm", "mapped.ras", "animation.mng", "tiny.dng",
                             "shapes.wmf", "shapes.emf"}) {
        QFile file(QStringLiteral(CORV_FIXTURES "/image/codecs/") + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray original = file.readAll();
        for (int round = 0; round < 40; ++round) {
            QByteArray damaged = original;
            for (int flips = 1 + int(random() % 4); flips > 0; --flips)
                damaged[qsizetype(random() % uint32_t(damaged.size()))] = char(random());
            if (random() % 3 == 0)
                damaged.truncate(qsizetype(random() % uint32_t(damaged.size())));
            CxImage image;
            if (!codectest::DecodeFrom(image, damaged, ImageFormatNone)) {
                EXPECT_FALSE(image.IsValid()) << name;
            }
        }
    }
}
