#pragma once
// C-only bridge to libjpeg (API 62). The library's error exit is a longjmp; every setjmp and every
// longjmp lives in jpeg_glue.c, whose functions return status codes, so no C++ frame is ever unwound.
// The source and destination managers work through a 64 KiB buffer on callbacks that return counts.
#include "glue_io.h"

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// Decoder options, from the JPEG codec-option bits.
typedef struct CorvJpegDecodeOptions {
    int grayscale;          // output colour space greyscale
    int quantize;           // quantise colours
    int colors;             // desired number of colours when quantising
    int ditherSet, ditherMode;
    int onePass;
    int noFancyUpsampling;
    int scaleDenom;         // 0 or 1: full size
    size_t maxMemory;       // cap on the library's own working memory, 0 = its default
    int blueFirst;          // ask for blue, green, red output where the library can give it
} CorvJpegDecodeOptions;

typedef struct CorvJpegFrame {
    uint32_t width, height;          // output dimensions
    int components;                  // output components
    int blueFirst;                   // three-component rows arrive blue first
    int quantized, colors;           // colour map in use and its size
    unsigned char colormap[256][3];  // red, green, blue
    int sawJfif, densityUnit;
    uint16_t densityX, densityY;
} CorvJpegFrame;

typedef struct CorvJpegDecoder CorvJpegDecoder;
typedef struct CorvJpegEncoder CorvJpegEncoder;

// Results: 1 = done, 0 = failed with io->error set.
CorvJpegDecoder *corv_jpeg_decoder_new(CorvGlueIo *io);
int corv_jpeg_read_header(CorvJpegDecoder *d, const CorvJpegDecodeOptions *options, CorvJpegFrame *frame);
int corv_jpeg_start_decompress(CorvJpegDecoder *d, CorvJpegFrame *frame);
// Reads the next row; *row points at the library's one-row sample array afterwards.
int corv_jpeg_read_row(CorvJpegDecoder *d, const unsigned char **row);
// Reads the next row straight into the caller's buffer of at least width x components bytes.
int corv_jpeg_read_row_into(CorvJpegDecoder *d, unsigned char *row);
int corv_jpeg_finish_decompress(CorvJpegDecoder *d);
void corv_jpeg_decoder_free(CorvJpegDecoder *d);

typedef struct CorvJpegEncodeSpec {
    uint32_t width, height;
    int components;          // 1 greyscale or 3 RGB
    int quality;
    int forceBaseline, arithmetic, grayscaleSpace, optimize, progressive;
    int smoothingSet, smoothing;
    int hSampling0, vSampling0;   // luma sampling; chroma is 1 x 1
    uint16_t densityX, densityY;  // dots per inch
    int blueFirst;                // take three-component rows blue first where the library can
} CorvJpegEncodeSpec;

CorvJpegEncoder *corv_jpeg_encoder_new(CorvGlueIo *io);
// *blueFirst: whether the rows are taken blue first.
int corv_jpeg_start_compress(CorvJpegEncoder *e, const CorvJpegEncodeSpec *spec, int *blueFirst);
int corv_jpeg_write_row(CorvJpegEncoder *e, const unsigned char *row);
int corv_jpeg_finish_compress(CorvJpegEncoder *e);
void corv_jpeg_encoder_free(CorvJpegEncoder *e);

#ifdef __cplusplus
}
#endif
