// libpng behind status-returning C functions. Each entry point arms its own setjmp, so a library error
// (or a short read or write, which the bridges below turn into png_error) lands back in the same C
// function that called into libpng, never in C++ code.
#include "png_glue.h"

#include <png.h>
#include <setjmp.h>
#include <stdlib.h>
#include <string.h>

// What a tool that fits pictures onto a 1008 x 560 screen sensibly reads: sides that no camera or scanner
// exceeds, and ancillary chunks of a few megabytes at most. A 49-byte file must not make the library
// reserve gigabytes for a chunk it claims; the picture's own bytes are bounded by the image.
enum { CORV_PNG_MAX_SIDE = 32768 };
#define CORV_PNG_MAX_CHUNK ((png_alloc_size_t)8 << 20)

// Chunks the library would read whole into memory although the decoder uses none of them (texts,
// profiles, suggested palettes, EXIF, calibration and scale). The library meets an oversized one only with a warning, so they
// are skipped unread instead: skipping costs no memory.
static const png_byte corv_png_skipped_chunks[] = {
    'i', 'C', 'C', 'P', '\0', 'i', 'T', 'X', 't', '\0', 's', 'P', 'L', 'T', '\0',
    't', 'E', 'X', 't', '\0', 'z', 'T', 'X', 't', '\0', 'e', 'X', 'I', 'f', '\0',
    'p', 'C', 'A', 'L', '\0', 's', 'C', 'A', 'L', '\0',
};

struct CorvPngReader {
    CorvGlueIo *io;
    png_structp png;
    png_infop info;
};

struct CorvPngWriter {
    CorvGlueIo *io;
    png_structp png;
    png_infop info;
};

static void corv_png_set_error(CorvGlueIo *io, const char *text)
{
    strncpy(io->error, text ? text : "", sizeof io->error - 1);
    io->error[sizeof io->error - 1] = 0;
}

static void corv_png_error_fn(png_structp png, png_const_charp message)
{
    corv_png_set_error((CorvGlueIo *)png_get_error_ptr(png), message);
    png_longjmp(png, 1);
}

static void corv_png_warning_fn(png_structp png, png_const_charp message)
{
    // Warnings are not failures; keeping quiet beats printing to a terminal the user never sees.
    (void)png;
    (void)message;
}

static void corv_png_read_fn(png_structp png, png_bytep data, png_size_t length)
{
    CorvGlueIo *io = (CorvGlueIo *)png_get_io_ptr(png);
    if (io->read(io->file, data, length) != length)
        png_error(png, "The file ends before the picture does: it may be damaged or cut short.");
}

static void corv_png_write_fn(png_structp png, png_bytep data, png_size_t length)
{
    CorvGlueIo *io = (CorvGlueIo *)png_get_io_ptr(png);
    if (io->write(io->file, data, length) != length)
        png_error(png, "Write Error");
}

static void corv_png_flush_fn(png_structp png)
{
    CorvGlueIo *io = (CorvGlueIo *)png_get_io_ptr(png);
    if (!io->flush(io->file))
        png_error(png, "Flush Error");
}

CorvPngReader *corv_png_reader_new(CorvGlueIo *io)
{
    io->error[0] = 0;
    CorvPngReader *r = (CorvPngReader *)calloc(1, sizeof *r);
    if (!r) {
        corv_png_set_error(io, "Failed to create PNG structure");
        return NULL;
    }
    r->io = io;
    r->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, io, corv_png_error_fn, corv_png_warning_fn);
    if (!r->png) {
        corv_png_set_error(io, "Failed to create PNG structure");
        free(r);
        return NULL;
    }
    r->info = png_create_info_struct(r->png);
    if (!r->info) {
        corv_png_set_error(io, "Failed to initialize PNG info structure");
        png_destroy_read_struct(&r->png, NULL, NULL);
        free(r);
        return NULL;
    }
    png_set_read_fn(r->png, io, corv_png_read_fn);
    png_set_user_limits(r->png, CORV_PNG_MAX_SIDE, CORV_PNG_MAX_SIDE);
    png_set_chunk_malloc_max(r->png, CORV_PNG_MAX_CHUNK);
    png_set_keep_unknown_chunks(r->png, PNG_HANDLE_CHUNK_NEVER, corv_png_skipped_chunks,
                                (int)(sizeof corv_png_skipped_chunks / 5));
    return r;
}

static void corv_png_fill_header(png_structp png, png_infop info, CorvPngHeader *h)
{
    memset(h, 0, sizeof *h);
    h->width = png_get_image_width(png, info);
    h->height = png_get_image_height(png, info);
    h->bitDepth = png_get_bit_depth(png, info);
    h->colorType = png_get_color_type(png, info);
    h->interlaceType = png_get_interlace_type(png, info);
    h->channels = png_get_channels(png, info);
    h->pixelDepth = h->bitDepth * h->channels;
    h->rowBytes = png_get_rowbytes(png, info);

    png_uint_32 rx, ry;
    int unit;
    if (png_get_pHYs(png, info, &rx, &ry, &unit)) {
        h->hasPhys = 1;
        h->physX = rx;
        h->physY = ry;
        h->physUnit = unit;
    }

    png_colorp palette;
    int count;
    if (png_get_PLTE(png, info, &palette, &count) && count > 0) {
        if (count > 256)
            count = 256;
        h->paletteCount = count;
        for (int i = 0; i < count; i++) {
            h->palette[i][0] = palette[i].red;
            h->palette[i][1] = palette[i].green;
            h->palette[i][2] = palette[i].blue;
        }
    }

    png_bytep alpha;
    int transCount;
    png_color_16p transColor;
    if (png_get_tRNS(png, info, &alpha, &transCount, &transColor)) {
        if (h->colorType == PNG_COLOR_TYPE_PALETTE) {
            if (transCount > 256)
                transCount = 256;
            h->transCount = transCount;
            if (alpha)
                memcpy(h->transAlpha, alpha, (size_t)transCount);
        } else if (transColor) {
            h->transCount = 1;
            h->transGray = transColor->gray;
            h->transRed = transColor->red;
            h->transGreen = transColor->green;
            h->transBlue = transColor->blue;
        }
    }
}

int corv_png_read_info(CorvPngReader *r, CorvPngHeader *header)
{
    if (setjmp(png_jmpbuf(r->png)))
        return 0;
    png_read_info(r->png, r->info);
    corv_png_fill_header(r->png, r->info, header);
    return 1;
}

int corv_png_read_prepare(CorvPngReader *r, int bgr, int transToAlpha, int *passes, size_t *rowBytes)
{
    if (setjmp(png_jmpbuf(r->png)))
        return 0;
    if (bgr)
        png_set_bgr(r->png);
    if (transToAlpha)
        png_set_tRNS_to_alpha(r->png);
    *passes = png_set_interlace_handling(r->png);
    png_read_update_info(r->png, r->info);
    *rowBytes = png_get_rowbytes(r->png, r->info);
    return 1;
}

int corv_png_read_row(CorvPngReader *r, unsigned char *row)
{
    if (setjmp(png_jmpbuf(r->png)))
        return 0;
    png_read_row(r->png, row, NULL);
    return 1;
}

int corv_png_read_end(CorvPngReader *r)
{
    if (setjmp(png_jmpbuf(r->png)))
        return 0;
    png_read_end(r->png, r->info);
    return 1;
}

void corv_png_reader_free(CorvPngReader *r)
{
    if (!r)
        return;
    png_destroy_read_struct(&r->png, &r->info, NULL);
    free(r);
}

CorvPngWriter *corv_png_writer_new(CorvGlueIo *io)
{
    io->error[0] = 0;
    CorvPngWriter *w = (CorvPngWriter *)calloc(1, sizeof *w);
    if (!w) {
        corv_png_set_error(io, "Failed to create PNG structure");
        return NULL;
    }
    w->io = io;
    w->png = png_create_write_struct(PNG_LIBPNG_VER_STRING, io, corv_png_error_fn, corv_png_warning_fn);
    if (!w->png) {
        corv_png_set_error(io, "Failed to create PNG structure");
        free(w);
        return NULL;
    }
    w->info = png_create_info_struct(w->png);
    if (!w->info) {
        corv_png_set_error(io, "Failed to initialize PNG info structure");
        png_destroy_write_struct(&w->png, NULL);
        free(w);
        return NULL;
    }
    png_set_write_fn(w->png, io, corv_png_write_fn, corv_png_flush_fn);
    return w;
}

int corv_png_write_header(CorvPngWriter *w, const CorvPngWriteSpec *s, int *passes)
{
    if (setjmp(png_jmpbuf(w->png)))
        return 0;
    if (s->hasBackground) {
        png_color_16 background;
        memset(&background, 0, sizeof background);
        background.red = s->bkRed;
        background.green = s->bkGreen;
        background.blue = s->bkBlue;
        background.gray = s->bkGray;
        png_set_bKGD(w->png, w->info, &background);
    }
    png_set_pHYs(w->png, w->info, s->physX, s->physY, PNG_RESOLUTION_METER);
    png_set_IHDR(w->png, w->info, s->width, s->height, s->bitDepth, s->colorType,
                 s->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (s->paletteCount > 0) {
        png_color palette[256];
        int count = s->paletteCount > 256 ? 256 : s->paletteCount;
        for (int i = 0; i < count; i++) {
            palette[i].red = s->palette[i][0];
            palette[i].green = s->palette[i][1];
            palette[i].blue = s->palette[i][2];
        }
        png_set_PLTE(w->png, w->info, palette, count);
    }
    if (s->transCount > 0 || s->hasTransColor) {
        png_color_16 color;
        memset(&color, 0, sizeof color);
        color.gray = s->transGray;
        color.red = s->transRed;
        color.green = s->transGreen;
        color.blue = s->transBlue;
        png_set_tRNS(w->png, w->info, (png_bytep)s->transAlpha, s->transCount,
                     s->hasTransColor ? &color : NULL);
    }
    png_write_info(w->png, w->info);
    *passes = png_set_interlace_handling(w->png);
    return 1;
}

int corv_png_write_row(CorvPngWriter *w, const unsigned char *row)
{
    if (setjmp(png_jmpbuf(w->png)))
        return 0;
    png_write_row(w->png, (png_bytep)row);
    return 1;
}

int corv_png_write_end(CorvPngWriter *w)
{
    if (setjmp(png_jmpbuf(w->png)))
        return 0;
    png_write_end(w->png, w->info);
    return 1;
}

void corv_png_writer_free(CorvPngWriter *w)
{
    if (!w)
        return;
    png_destroy_write_struct(&w->png, &w->info);
    free(w);
}
