#pragma once
// C-only bridge to libpng. libpng reports errors by longjmp; every setjmp and every longjmp lives in
// png_glue.c, whose functions only ever return status codes, so no C++ frame is ever unwound by it.
// The C++ codec supplies plain I/O callbacks that return counts; the glue turns a short count into
// libpng's own error path.
#include "glue_io.h"

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// What the decoder needs to know of a file once its header chunks have been read.
typedef struct CorvPngHeader {
    uint32_t width, height;
    int bitDepth, colorType, interlaceType, channels, pixelDepth;
    size_t rowBytes;
    int hasPhys, physUnit;
    uint32_t physX, physY;
    int paletteCount;                   // PLTE entries, 0 without PLTE
    unsigned char palette[256][3];      // red, green, blue
    int transCount;                     // tRNS entries (palette) or 1 for a grey/RGB tRNS, 0 without
    unsigned char transAlpha[256];      // palette alpha values
    uint16_t transGray, transRed, transGreen, transBlue;
} CorvPngHeader;

typedef struct CorvPngReader CorvPngReader;
typedef struct CorvPngWriter CorvPngWriter;

// Results: 1 = done, 0 = failed with io->error set.
CorvPngReader *corv_png_reader_new(CorvGlueIo *io);   // null: io->error says why
int corv_png_read_info(CorvPngReader *r, CorvPngHeader *header);
// transToAlpha: a grey or RGB tRNS becomes an alpha sample, compared with every pixel at full depth.
// rowBytes: the size of a row as the transformations deliver it.
int corv_png_read_prepare(CorvPngReader *r, int bgr, int transToAlpha, int *passes, size_t *rowBytes);
int corv_png_read_row(CorvPngReader *r, unsigned char *row);
int corv_png_read_end(CorvPngReader *r);
void corv_png_reader_free(CorvPngReader *r);

typedef struct CorvPngWriteSpec {
    uint32_t width, height;
    int bitDepth, colorType, interlaced;
    int hasBackground;
    uint16_t bkRed, bkGreen, bkBlue, bkGray;
    uint32_t physX, physY;              // pixels per metre
    int paletteCount;                   // 0: no PLTE chunk
    const unsigned char (*palette)[3];
    int transCount;                     // palette tRNS entries, 0 for none
    const unsigned char *transAlpha;
    int hasTransColor;                  // grey or RGB tRNS
    uint16_t transGray, transRed, transGreen, transBlue;
} CorvPngWriteSpec;

CorvPngWriter *corv_png_writer_new(CorvGlueIo *io);
int corv_png_write_header(CorvPngWriter *w, const CorvPngWriteSpec *spec, int *passes);
int corv_png_write_row(CorvPngWriter *w, const unsigned char *row);
int corv_png_write_end(CorvPngWriter *w);
void corv_png_writer_free(CorvPngWriter *w);

#ifdef __cplusplus
}
#endif
