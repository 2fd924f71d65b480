#include "CodecTestSupport.h"

#include "image/qt/MetafilePlayer.h"

#include <QFile>

#include <gtest/gtest.h>

// Guards the detection order for the formats that come late in it: each stored file (the JPEG 2000
// ones made by the reference encoder, the others by hand) is found by its own decoder and by no
// earlier one, at its own size. The files also seed the image fuzz target.
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
        {"tiny.dng", ImageFormatRaw, 22, 24, 24}, {"shapes.wmf", ImageFormatWmf, 96, 48, 24},
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
