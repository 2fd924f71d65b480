// libjpeg behind status-returning C functions. Each entry point arms its own setjmp before calling into
// the library, so the error exit lands back in the same C function and never crosses C++ code.
#include "jpeg_glue.h"

#include <setjmp.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <jpeglib.h>
#include <jerror.h>

// The bridge buffer. libjpeg-turbo takes its fast Huffman path only while a few kilobytes of input wait
// in the buffer; at 4 KiB most of a picture went through the slow one.
enum { CORV_JPEG_BUFFER = 65536 };

typedef struct CorvJpegErrorMgr {
    struct jpeg_error_mgr pub;
    CorvGlueIo *io;
    jmp_buf jump;
} CorvJpegErrorMgr;

typedef struct CorvJpegSource {
    struct jpeg_source_mgr pub;
    CorvGlueIo *io;
    int startOfFile;
    JOCTET buffer[CORV_JPEG_BUFFER];
} CorvJpegSource;

typedef struct CorvJpegDestination {
    struct jpeg_destination_mgr pub;
    CorvGlueIo *io;
    JOCTET buffer[CORV_JPEG_BUFFER];
} CorvJpegDestination;

struct CorvJpegDecoder {
    struct jpeg_decompress_struct cinfo;
    CorvJpegErrorMgr err;
    CorvJpegSource src;
    int created;
    JSAMPARRAY row;
};

struct CorvJpegEncoder {
    struct jpeg_compress_struct cinfo;
    CorvJpegErrorMgr err;
    CorvJpegDestination dest;
    int created;
};

// ---- error manager ----

static void corv_jpeg_error_exit(j_common_ptr cinfo)
{
    CorvJpegErrorMgr *err = (CorvJpegErrorMgr *)cinfo->err;
    char text[JMSG_LENGTH_MAX];
    err->pub.format_message(cinfo, text);
    strncpy(err->io->error, text, sizeof err->io->error - 1);
    err->io->error[sizeof err->io->error - 1] = 0;
    longjmp(err->jump, 1);
}

static void corv_jpeg_output_message(j_common_ptr cinfo)
{
    // Warnings (a truncated file, corrupt data the library steps over) stay with the codec instead of
    // going to a terminal.
    CorvJpegErrorMgr *err = (CorvJpegErrorMgr *)cinfo->err;
    char text[JMSG_LENGTH_MAX];
    err->pub.format_message(cinfo, text);
    strncpy(err->io->warning, text, sizeof err->io->warning - 1);
    err->io->warning[sizeof err->io->warning - 1] = 0;
}

static void corv_jpeg_error_init(CorvJpegErrorMgr *err, CorvGlueIo *io)
{
    jpeg_std_error(&err->pub);
    err->pub.error_exit = corv_jpeg_error_exit;
    err->pub.output_message = corv_jpeg_output_message;
    err->io = io;
    io->error[0] = 0;
    io->warning[0] = 0;
}

// ---- source manager ----

static void corv_jpeg_init_source(j_decompress_ptr cinfo)
{
    ((CorvJpegSource *)cinfo->src)->startOfFile = 1;
}

static boolean corv_jpeg_fill_input_buffer(j_decompress_ptr cinfo)
{
    CorvJpegSource *src = (CorvJpegSource *)cinfo->src;
    size_t n = src->io->read(src->io->file, src->buffer, CORV_JPEG_BUFFER);
    if (n == 0) {
        if (src->startOfFile)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        // A file cut short still yields a picture: the library fills the missing rows.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = (JOCTET)0xFF;
        src->buffer[1] = (JOCTET)JPEG_EOI;
        n = 2;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = n;
    src->startOfFile = 0;
    return TRUE;
}

static void corv_jpeg_skip_input_data(j_decompress_ptr cinfo, long count)
{
    CorvJpegSource *src = (CorvJpegSource *)cinfo->src;
    if (count <= 0)
        return;
    while (count > (long)src->pub.bytes_in_buffer) {
        count -= (long)src->pub.bytes_in_buffer;
        corv_jpeg_fill_input_buffer(cinfo);
    }
    src->pub.next_input_byte += (size_t)count;
    src->pub.bytes_in_buffer -= (size_t)count;
}

static void corv_jpeg_term_source(j_decompress_ptr cinfo)
{
    (void)cinfo;
}

// ---- destination manager ----

static void corv_jpeg_init_destination(j_compress_ptr cinfo)
{
    CorvJpegDestination *dest = (CorvJpegDestination *)cinfo->dest;
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = CORV_JPEG_BUFFER;
}

static boolean corv_jpeg_empty_output_buffer(j_compress_ptr cinfo)
{
    CorvJpegDestination *dest = (CorvJpegDestination *)cinfo->dest;
    if (dest->io->write(dest->io->file, dest->buffer, CORV_JPEG_BUFFER) != CORV_JPEG_BUFFER)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = CORV_JPEG_BUFFER;
    return TRUE;
}

static void corv_jpeg_term_destination(j_compress_ptr cinfo)
{
    CorvJpegDestination *dest = (CorvJpegDestination *)cinfo->dest;
    size_t count = CORV_JPEG_BUFFER - dest->pub.free_in_buffer;
    if (count > 0 && dest->io->write(dest->io->file, dest->buffer, count) != count)
        ERREXIT(cinfo, JERR_FILE_WRITE);
    dest->io->flush(dest->io->file);
    if (dest->io->failed(dest->io->file))
        ERREXIT(cinfo, JERR_FILE_WRITE);
}

// ---- decoding ----

static int corv_jpeg_create_decompress(CorvJpegDecoder *d)
{
    if (setjmp(d->err.jump))
        return 0;
    jpeg_create_decompress(&d->cinfo);
    d->created = 1;
    return 1;
}

CorvJpegDecoder *corv_jpeg_decoder_new(CorvGlueIo *io)
{
    CorvJpegDecoder *d = (CorvJpegDecoder *)calloc(1, sizeof *d);
    if (!d) {
        strcpy(io->error, "can't allocate memory");
        return NULL;
    }
    corv_jpeg_error_init(&d->err, io);
    d->cinfo.err = &d->err.pub;
    if (!corv_jpeg_create_decompress(d)) {
        free(d);
        return NULL;
    }
    d->src.io = io;
    d->src.pub.init_source = corv_jpeg_init_source;
    d->src.pub.fill_input_buffer = corv_jpeg_fill_input_buffer;
    d->src.pub.skip_input_data = corv_jpeg_skip_input_data;
    d->src.pub.resync_to_restart = jpeg_resync_to_restart;
    d->src.pub.term_source = corv_jpeg_term_source;
    d->cinfo.src = &d->src.pub;
    return d;
}

int corv_jpeg_read_header(CorvJpegDecoder *d, const CorvJpegDecodeOptions *o, CorvJpegFrame *frame)
{
    j_decompress_ptr cinfo = &d->cinfo;
    if (setjmp(d->err.jump))
        return 0;
    if (o->maxMemory)
        cinfo->mem->max_memory_to_use = (long)o->maxMemory;
    jpeg_read_header(cinfo, TRUE);
    if (o->grayscale)
        cinfo->out_color_space = JCS_GRAYSCALE;
    if (o->quantize) {
        cinfo->quantize_colors = TRUE;
        cinfo->desired_number_of_colors = o->colors;
    }
    if (o->ditherSet)
        cinfo->dither_mode = (J_DITHER_MODE)o->ditherMode;
    if (o->onePass)
        cinfo->two_pass_quantize = FALSE;
    if (o->noFancyUpsampling)
        cinfo->do_fancy_upsampling = FALSE;
#ifdef JCS_EXTENSIONS
    if (o->blueFirst && !o->quantize && cinfo->out_color_space == JCS_RGB)
        cinfo->out_color_space = JCS_EXT_BGR;
#endif
    cinfo->scale_num = 1;
    cinfo->scale_denom = o->scaleDenom > 0 ? (unsigned)o->scaleDenom : 1;
    jpeg_calc_output_dimensions(cinfo);
    // Grey, colour and CMYK are what a picture can be; any other count of components has no colours
    // to show, and its samples would come out as noise.
    if (cinfo->out_color_components != 1 && cinfo->out_color_components != 3 && cinfo->out_color_components != 4)
        ERREXIT(cinfo, JERR_CONVERSION_NOTIMPL);
    memset(frame, 0, sizeof *frame);
    frame->width = cinfo->output_width;
    frame->height = cinfo->output_height;
    frame->components = cinfo->output_components;
    return 1;
}

int corv_jpeg_start_decompress(CorvJpegDecoder *d, CorvJpegFrame *frame)
{
    j_decompress_ptr cinfo = &d->cinfo;
    if (setjmp(d->err.jump))
        return 0;
    jpeg_start_decompress(cinfo);
    memset(frame, 0, sizeof *frame);
    frame->width = cinfo->output_width;
    frame->height = cinfo->output_height;
    frame->components = cinfo->output_components;
#ifdef JCS_EXTENSIONS
    frame->blueFirst = cinfo->out_color_space == JCS_EXT_BGR;
#endif
    frame->quantized = cinfo->quantize_colors ? 1 : 0;
    if (cinfo->quantize_colors && cinfo->colormap) {
        int n = cinfo->actual_number_of_colors;
        if (n > 256)
            n = 256;
        frame->colors = n;
        for (int i = 0; i < n; i++) {
            if (cinfo->out_color_components >= 3) {
                frame->colormap[i][0] = cinfo->colormap[0][i];
                frame->colormap[i][1] = cinfo->colormap[1][i];
                frame->colormap[i][2] = cinfo->colormap[2][i];
            } else {
                frame->colormap[i][0] = frame->colormap[i][1] = frame->colormap[i][2] = cinfo->colormap[0][i];
            }
        }
    }
    frame->sawJfif = cinfo->saw_JFIF_marker ? 1 : 0;
    frame->densityUnit = cinfo->density_unit;
    frame->densityX = cinfo->X_density;
    frame->densityY = cinfo->Y_density;
    d->row = (*cinfo->mem->alloc_sarray)((j_common_ptr)cinfo, JPOOL_IMAGE,
                                         cinfo->output_width * (JDIMENSION)cinfo->output_components, 1);
    return 1;
}

int corv_jpeg_read_row(CorvJpegDecoder *d, const unsigned char **row)
{
    if (setjmp(d->err.jump))
        return 0;
    if (d->cinfo.output_scanline >= d->cinfo.output_height)
        ERREXIT(&d->cinfo, JERR_TOO_LITTLE_DATA);
    jpeg_read_scanlines(&d->cinfo, d->row, 1);
    *row = d->row[0];
    return 1;
}

int corv_jpeg_read_row_into(CorvJpegDecoder *d, unsigned char *row)
{
    if (setjmp(d->err.jump))
        return 0;
    if (d->cinfo.output_scanline >= d->cinfo.output_height)
        ERREXIT(&d->cinfo, JERR_TOO_LITTLE_DATA);
    JSAMPROW rows[1] = {row};
    jpeg_read_scanlines(&d->cinfo, rows, 1);
    return 1;
}

int corv_jpeg_finish_decompress(CorvJpegDecoder *d)
{
    if (setjmp(d->err.jump))
        return 0;
    jpeg_finish_decompress(&d->cinfo);
    return 1;
}

void corv_jpeg_decoder_free(CorvJpegDecoder *d)
{
    if (!d)
        return;
    if (d->created)
        jpeg_destroy_decompress(&d->cinfo);
    free(d);
}

// ---- encoding ----

static int corv_jpeg_create_compress(CorvJpegEncoder *e)
{
    if (setjmp(e->err.jump))
        return 0;
    jpeg_create_compress(&e->cinfo);
    e->created = 1;
    return 1;
}

CorvJpegEncoder *corv_jpeg_encoder_new(CorvGlueIo *io)
{
    CorvJpegEncoder *e = (CorvJpegEncoder *)calloc(1, sizeof *e);
    if (!e) {
        strcpy(io->error, "can't allocate memory");
        return NULL;
    }
    corv_jpeg_error_init(&e->err, io);
    e->cinfo.err = &e->err.pub;
    if (!corv_jpeg_create_compress(e)) {
        free(e);
        return NULL;
    }
    e->dest.io = io;
    e->dest.pub.init_destination = corv_jpeg_init_destination;
    e->dest.pub.empty_output_buffer = corv_jpeg_empty_output_buffer;
    e->dest.pub.term_destination = corv_jpeg_term_destination;
    e->cinfo.dest = &e->dest.pub;
    return e;
}

int corv_jpeg_start_compress(CorvJpegEncoder *e, const CorvJpegEncodeSpec *s, int *blueFirst)
{
    j_compress_ptr cinfo = &e->cinfo;
    if (setjmp(e->err.jump))
        return 0;
    cinfo->image_width = s->width;
    cinfo->image_height = s->height;
    cinfo->input_components = s->components;
    cinfo->in_color_space = s->components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(cinfo);
#ifdef JCS_EXTENSIONS
    // Set after the defaults, which choose the file's colour space from the input's.
    if (s->blueFirst && s->components == 3)
        cinfo->in_color_space = JCS_EXT_BGR;
#endif
    if (s->grayscaleSpace)
        jpeg_set_colorspace(cinfo, JCS_GRAYSCALE);
    if (s->arithmetic)
        cinfo->arith_code = TRUE;
    if (s->optimize)
        cinfo->optimize_coding = TRUE;
    if (s->smoothingSet)
        cinfo->smoothing_factor = s->smoothing;
    jpeg_set_quality(cinfo, s->quality, s->forceBaseline ? TRUE : FALSE);
    if (s->progressive)
        jpeg_simple_progression(cinfo);
    if (cinfo->num_components >= 3) {
        cinfo->comp_info[0].h_samp_factor = s->hSampling0;
        cinfo->comp_info[0].v_samp_factor = s->vSampling0;
        cinfo->comp_info[1].h_samp_factor = cinfo->comp_info[1].v_samp_factor = 1;
        cinfo->comp_info[2].h_samp_factor = cinfo->comp_info[2].v_samp_factor = 1;
    }
    cinfo->density_unit = 1;
    cinfo->X_density = s->densityX;
    cinfo->Y_density = s->densityY;
    jpeg_start_compress(cinfo, TRUE);
#ifdef JCS_EXTENSIONS
    *blueFirst = cinfo->in_color_space == JCS_EXT_BGR;
#else
    *blueFirst = 0;
#endif
    return 1;
}

int corv_jpeg_write_row(CorvJpegEncoder *e, const unsigned char *row)
{
    if (setjmp(e->err.jump))
        return 0;
    JSAMPROW rows[1] = {(JSAMPROW)row};
    jpeg_write_scanlines(&e->cinfo, rows, 1);
    return 1;
}

int corv_jpeg_finish_compress(CorvJpegEncoder *e)
{
    if (setjmp(e->err.jump))
        return 0;
    jpeg_finish_compress(&e->cinfo);
    return 1;
}

void corv_jpeg_encoder_free(CorvJpegEncoder *e)
{
    if (!e)
        return;
    if (e->created)
        jpeg_destroy_compress(&e->cinfo);
    free(e);
}
