#include "image/xImage.h"

#include "image/ResampleKernels.h"

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#include <immintrin.h>
#endif

// Whole-picture resampling. Every destination pixel gets exactly the value that SampleInterpolated or
// SampleArea gives for its position: the passes below only take out of the per-pixel work what does not
// depend on the pixel (weights of a column or a row, where a window starts, how the edge mode moves a
// position outside the picture) and keep every floating-point operation of a sum, in its order.

namespace {

// Blue, green, red and alpha side by side. The samplers sum channel by channel; four lanes summed
// together give the same results, each lane rounding exactly as its channel does on its own.
typedef float Lanes __attribute__((vector_size(16)));
typedef int32_t Integers __attribute__((vector_size(16)));

Lanes ToLanes(RGBQUAD c)
{
    return Lanes{float(c.rgbBlue), float(c.rgbGreen), float(c.rgbRed), float(c.rgbReserved)};
}

Lanes Broadcast(float v)
{
    return Lanes{v, v, v, v};
}

RGBQUAD FromLanes(Lanes v, bool withAlpha)
{
    return RGBQUAD{ClampWeighted(v[0]), ClampWeighted(v[1]), ClampWeighted(v[2]),
                   withAlpha ? ClampWeighted(v[3]) : uint8_t(0)};
}

// A destination row of sums as FromLanes stores each: clamped to 0..255 and truncated, blue, green and red
// into the row and alpha into its plane when the picture has one.
void StoreLanes(const Lanes *sums, int32_t count, uint8_t *row, uint8_t *alpha)
{
    const Lanes zero = {};
    const Lanes top = Broadcast(255.0f);
    for (int32_t d = 0; d < count; ++d) {
        Lanes v = sums[d];
        v = v > zero ? v : zero;
        v = v < top ? v : top;
        const Integers i = __builtin_convertvector(v, Integers);
        row[3 * d] = uint8_t(i[0]);
        row[3 * d + 1] = uint8_t(i[1]);
        row[3 * d + 2] = uint8_t(i[2]);
        if (alpha)
            alpha[d] = uint8_t(i[3]);
    }
}

// The colour of a point inside the picture, as GetEdgePixelColor reads it (BlindGetPixelColor with alpha).
class SourcePixels
{
public:
    explicit SourcePixels(const CxImage &image)
        : m_image(image)
        , m_rows(image.GetRowPointer(0))
        , m_stride(image.GetRowStride())
        , m_alpha(image.AlphaGetPointer(0, 0))
        , m_width(size_t(image.GetWidth()))
        , m_indexed(image.IsIndexed())
    {
    }

    Lanes At(int32_t x, int32_t y) const
    {
        if (m_indexed)
            return ToLanes(m_image.BlindGetPixelColor(x, y, true));
        const uint8_t *p = m_rows + size_t(y) * m_stride + size_t(x) * 3;
        const Integers v{p[0], p[1], p[2], m_alpha ? m_alpha[size_t(y) * m_width + size_t(x)] : 0};
        return __builtin_convertvector(v, Lanes);
    }

    // Columns from to to (inside the picture) of row y, one after another.
    void Run(Lanes *out, int32_t y, int32_t from, int32_t to) const
    {
        if (m_indexed) {
            for (int32_t x = from; x <= to; ++x)
                *out++ = ToLanes(m_image.BlindGetPixelColor(x, y, true));
            return;
        }
        const uint8_t *p = m_rows + size_t(y) * m_stride + size_t(from) * 3;
        const uint8_t *end = p + size_t(to - from + 1) * 3;
        const uint8_t *a = m_alpha ? m_alpha + size_t(y) * m_width + size_t(from) : nullptr;
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
        // Each pixel but the last is read as four bytes (its three and the next one's first, which is
        // dropped) and widened in the vector unit: the last pixel's fourth byte may lie past the picture.
        const __m128i zero = _mm_setzero_si128();
        for (; end - p > 3; p += 3) {
            uint32_t word;
            std::memcpy(&word, p, 4);
            word = (word & 0xFFFFFFu) | (a ? uint32_t(*a++) << 24 : 0u);
            __m128i v = _mm_cvtsi32_si128(int(word));
            v = _mm_unpacklo_epi16(_mm_unpacklo_epi8(v, zero), zero);
            *out++ = Lanes(_mm_cvtepi32_ps(v));
        }
#endif
        for (; p != end; p += 3)
            *out++ = __builtin_convertvector((Integers{p[0], p[1], p[2], a ? *a++ : 0}), Lanes);
    }

    int32_t Width() const { return int32_t(m_width); }

private:
    const CxImage &m_image;
    const uint8_t *m_rows;
    size_t m_stride;
    const uint8_t *m_alpha;
    size_t m_width;
    bool m_indexed;
};

// Positions first to last of one axis as GetEdgePixelColor treats them: inside unchanged, outside moved
// by the edge modes that move points (wrap, repeat, mirror) or -1 where the edge colour stands instead.
// ApplyEdgeMode leaves a coordinate that is inside alone, so the two axes can be mapped apart.
class EdgeMap
{
public:
    EdgeMap(const CxImage &image, bool horizontal, int32_t first, int32_t last, int32_t edge) : m_first(first)
    {
        const int32_t size = horizontal ? image.GetWidth() : image.GetHeight();
        const bool moves = edge == EdgeWrap || edge == EdgeRepeat || edge == EdgeMirror;
        m_index.reserve(size_t(int64_t(last) - first + 1));
        for (int32_t p = first; p <= last; ++p) {
            if (p >= 0 && p < size) {
                m_index.push_back(p);
            } else if (moves) {
                int32_t x = horizontal ? p : 0;
                int32_t y = horizontal ? 0 : p;
                image.ApplyEdgeMode(x, y, edge);
                m_index.push_back(horizontal ? x : y);
            } else {
                m_index.push_back(-1);
            }
        }
    }

    int32_t operator()(int32_t p) const { return m_index[size_t(p - m_first)]; }

private:
    int32_t m_first;
    std::vector<int32_t> m_index;
};

// Source rows as lanes over the columns first to last, edge handling applied: a row outside the
// picture, or a column, either moves by the edge mode or takes the edge colour. A destination row
// needs a few source rows and the next one mostly the same, so rows are kept in slot (row mod slots)
// and each is converted about once.
class LaneRows
{
public:
    LaneRows(const CxImage &image, int32_t firstColumn, int32_t lastColumn, int32_t firstRow, int32_t lastRow,
             int32_t slots, int32_t edge)
        : m_source(image)
        , m_columns(image, true, firstColumn, lastColumn, edge)
        , m_rows(image, false, firstRow, lastRow, edge)
        , m_edgeColour(ToLanes(image.GetEdgePixelColor(-1, -1, edge, nullptr)))
        , m_firstColumn(firstColumn)
        , m_span(size_t(lastColumn - firstColumn + 1))
        , m_slots(slots)
        , m_lines(size_t(slots) * m_span)
        , m_held(size_t(slots), INT32_MIN)
    {
    }

    // Row p; entry 0 is the first column.
    const Lanes *Row(int32_t p)
    {
        const size_t slot = size_t(((p % m_slots) + m_slots) % m_slots);
        Lanes *line = m_lines.data() + slot * m_span;
        if (m_held[slot] != p) {
            m_held[slot] = p;
            const int32_t my = m_rows(p);
            if (my < 0) {
                std::fill(line, line + m_span, m_edgeColour);
                return line;
            }
            // Inside the picture a run of pixels; the columns outside go through the edge map.
            const int32_t last = m_firstColumn + int32_t(m_span) - 1;
            const int32_t from = std::max(m_firstColumn, 0);
            const int32_t to = std::min(last, m_source.Width() - 1);
            for (int32_t x = m_firstColumn; x <= last; ++x) {
                if (x == from && from <= to) {
                    m_source.Run(line + (from - m_firstColumn), my, from, to);
                    x = to;
                    continue;
                }
                const int32_t mx = m_columns(x);
                line[x - m_firstColumn] = mx < 0 ? m_edgeColour : m_source.At(mx, my);
            }
        }
        return line;
    }

private:
    SourcePixels m_source;
    EdgeMap m_columns;
    EdgeMap m_rows;
    Lanes m_edgeColour;
    int32_t m_firstColumn;
    size_t m_span;
    int32_t m_slots;
    std::vector<Lanes> m_lines;
    std::vector<int32_t> m_held;
};

// The position of destination column (or row) d in the source, as Resample computes it and as
// SampleInterpolated and SampleArea then bound it.
float SourcePosition(int32_t d, float scale)
{
    return Bounded((float(d) + 0.5f) * scale - 0.5f);
}

// The row sums of a destination row combined with its vertical weights: out[d] is the sum over the Taps
// rows of rows[j][d] times ky[j], in order.
template <int Taps>
void SumColumns(const Lanes *const *rows, const float *ky, int32_t count, Lanes *out)
{
    Lanes y[Taps];
    for (int j = 0; j < Taps; ++j)
        y[j] = Broadcast(ky[j]);
    for (int32_t d = 0; d < count; ++d) {
        Lanes s = {};
        for (int j = 0; j < Taps; ++j)
            s += rows[j][d] * y[j];
        out[d] = s;
    }
}

// One source row summed with the horizontal weights of every destination column: out[d] is the sum over
// the Taps entries of the row from start[d] on, each times its weight in kx, in order. Four columns go
// at once, each sum keeping its own order, so that their additions overlap.
template <int Taps>
void SumRow(const Lanes *row, const float *kx, const int32_t *start, int32_t count, Lanes *out)
{
    int32_t d = 0;
    for (; d + 4 <= count; d += 4) {
        Lanes s0 = {}, s1 = {}, s2 = {}, s3 = {};
        const float *k0 = kx + size_t(d) * Taps;
        const Lanes *p0 = row + start[d];
        const Lanes *p1 = row + start[d + 1];
        const Lanes *p2 = row + start[d + 2];
        const Lanes *p3 = row + start[d + 3];
        for (int i = 0; i < Taps; ++i) {
            s0 += p0[i] * Broadcast(k0[i]);
            s1 += p1[i] * Broadcast(k0[Taps + i]);
            s2 += p2[i] * Broadcast(k0[2 * Taps + i]);
            s3 += p3[i] * Broadcast(k0[3 * Taps + i]);
        }
        out[d] = s0;
        out[d + 1] = s1;
        out[d + 2] = s2;
        out[d + 3] = s3;
    }
    for (; d < count; ++d) {
        Lanes s = {};
        const float *k = kx + size_t(d) * Taps;
        const Lanes *p = row + start[d];
        for (int i = 0; i < Taps; ++i)
            s += p[i] * Broadcast(k[i]);
        out[d] = s;
    }
}

// Eight floats, two pixels' lanes: where the processor has 256-bit registers the vertical pass takes two
// pixels an instruction, elsewhere the compiler splits each operation in two.
typedef float Wide __attribute__((vector_size(32)));

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define CORV_WIDE_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define CORV_WIDE_CLONES
#endif

// The Lanczos rows below are planar: the blue sums of a row, then its green, its red and (with an alpha
// plane) its alpha, each `pitch` floats long, a multiple of eight. A row of the picture without alpha
// has three planes: its alpha lane is never read.
constexpr int kLanczosTaps = 12;
constexpr int32_t kBlock = 8; // destination columns a horizontal step

size_t PaddedToBlocks(size_t n)
{
    return (n + size_t(kBlock) - 1) / size_t(kBlock) * size_t(kBlock);
}

// The vertical pass for `outputs` destination rows at once: out row r, float f, is the sum over the taps
// rows rows[r * taps + j][f], each times ky[r * taps + j], in order, for the `floats` floats of a row
// (every plane). 32 floats go at a time so that the sums overlap instead of each waiting on its own
// additions, and every destination row takes its part of those 32 before the next 32 are read: rows
// the destination rows share are then read from the nearest cache. Every float keeps the order and the
// rounding of its lane.
constexpr int32_t kRowsTogether = 4;

CORV_WIDE_CLONES void SumLanczosColumns(const float *const *rows, const float *ky, int32_t outputs, size_t floats,
                                        float *out)
{
    size_t f = 0;
    for (; f + 32 <= floats; f += 32) {
        for (int32_t r = 0; r < outputs; ++r) {
            const float *const *window = rows + size_t(r) * kLanczosTaps;
            const float *k = ky + size_t(r) * kLanczosTaps;
            // Four named sums, so that they stay in registers.
            Wide s0 = {}, s1 = {}, s2 = {}, s3 = {};
            for (int j = 0; j < kLanczosTaps; ++j) {
                const Wide weight = Wide{} + k[j];
                const float *row = window[j] + f;
                Wide v0, v1, v2, v3;
                std::memcpy(&v0, row, sizeof v0);
                std::memcpy(&v1, row + 8, sizeof v1);
                std::memcpy(&v2, row + 16, sizeof v2);
                std::memcpy(&v3, row + 24, sizeof v3);
                s0 += v0 * weight;
                s1 += v1 * weight;
                s2 += v2 * weight;
                s3 += v3 * weight;
            }
            float *sums = out + size_t(r) * floats + f;
            std::memcpy(sums, &s0, sizeof s0);
            std::memcpy(sums + 8, &s1, sizeof s1);
            std::memcpy(sums + 16, &s2, sizeof s2);
            std::memcpy(sums + 24, &s3, sizeof s3);
        }
    }
    for (; f < floats; ++f)
        for (int32_t r = 0; r < outputs; ++r) {
            float s = 0.0f;
            for (int j = 0; j < kLanczosTaps; ++j)
                s += rows[size_t(r) * kLanczosTaps + size_t(j)][f] * ky[size_t(r) * kLanczosTaps + size_t(j)];
            out[size_t(r) * floats + f] = s;
        }
}

// The horizontal Lanczos pass over whole rows. Destination columns go eight at a time, a block; when
// the windows of a block start within eight entries of its first one (always so when enlarging, where
// each column's window starts at most one entry after the one before), tap i of all eight is one
// load of eight consecutive entries of a plane from the block's start plus i, put in order by the
// block's offsets, times the eight columns' weights of tap i. Each destination float still sums its
// taps in order, one multiplication and one addition each, as the single sample does.
class LanczosRows
{
public:
    LanczosRows(const std::vector<int32_t> &start, const std::vector<float> &weights, int32_t count, size_t span,
                int32_t planes)
        : m_start(start)
        , m_weights(weights)
        , m_count(count)
        , m_span(span)
        , m_planes(planes)
        , m_pitch(PaddedToBlocks(size_t(count)))
        , m_sourcePitch(PaddedToBlocks(span + size_t(kBlock)))
    {
        const size_t blocks = m_pitch / size_t(kBlock);
        m_base.resize(blocks);
        m_offsets.assign(blocks * size_t(kBlock), 0);
        m_blockWeights.assign(blocks * size_t(kLanczosTaps) * size_t(kBlock), 0.0f);
        m_together.resize(blocks);
        for (size_t b = 0; b < blocks; ++b) {
            const int32_t first = int32_t(b) * kBlock;
            const int32_t base = start[size_t(first)];
            bool together = true;
            for (int32_t k = 0; k < kBlock && first + k < count; ++k) {
                const int32_t offset = start[size_t(first + k)] - base;
                together = together && offset >= 0 && offset < kBlock;
                m_offsets[b * size_t(kBlock) + size_t(k)] = together ? offset : 0;
                for (int32_t i = 0; i < kLanczosTaps; ++i)
                    m_blockWeights[(b * size_t(kLanczosTaps) + size_t(i)) * size_t(kBlock) + size_t(k)] =
                        weights[size_t(first + k) * size_t(kLanczosTaps) + size_t(i)];
            }
            m_base[b] = base;
            m_together[b] = together;
        }
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
        m_wide = __builtin_cpu_supports("avx2");
#endif
        if (m_wide)
            m_source.assign(size_t(planes) * m_sourcePitch, 0.0f);
        else
            m_lanes.resize(size_t(count));
    }

    // Floats of one plane of a row of sums; a row of sums holds Planes() planes one after another.
    size_t Pitch() const { return m_pitch; }
    int32_t Planes() const { return m_planes; }

    // The sums of one source row (lanes from the first column any window reaches) into out.
    void Sum(const Lanes *row, float *out)
    {
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
        if (m_wide) {
            SumWide(row, out);
            return;
        }
#endif
        SumRow<kLanczosTaps>(row, m_weights.data(), m_start.data(), m_count, m_lanes.data());
        for (int32_t d = 0; d < m_count; ++d)
            for (int32_t c = 0; c < m_planes; ++c)
                out[size_t(c) * m_pitch + size_t(d)] = m_lanes[size_t(d)][c];
    }

private:
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
    __attribute__((target("avx2"))) void SumWide(const Lanes *row, float *out)
    {
        // The row's lanes into planes, four pixels a step.
        float *blue = m_source.data();
        float *green = blue + m_sourcePitch;
        float *red = green + m_sourcePitch;
        float *alpha = m_planes > 3 ? red + m_sourcePitch : nullptr;
        size_t x = 0;
        for (; x + 4 <= m_span; x += 4) {
            const float *p = reinterpret_cast<const float *>(row + x);
            __m128 r0 = _mm_loadu_ps(p), r1 = _mm_loadu_ps(p + 4), r2 = _mm_loadu_ps(p + 8), r3 = _mm_loadu_ps(p + 12);
            _MM_TRANSPOSE4_PS(r0, r1, r2, r3);
            _mm_storeu_ps(blue + x, r0);
            _mm_storeu_ps(green + x, r1);
            _mm_storeu_ps(red + x, r2);
            if (alpha)
                _mm_storeu_ps(alpha + x, r3);
        }
        for (; x < m_span; ++x) {
            blue[x] = row[x][0];
            green[x] = row[x][1];
            red[x] = row[x][2];
            if (alpha)
                alpha[x] = row[x][3];
        }
        const size_t blocks = m_pitch / size_t(kBlock);
        for (size_t b = 0; b < blocks; ++b) {
            if (!m_together[b]) {
                SumApart(b, out);
                continue;
            }
            if (alpha)
                SumBlock<4>(b, out);
            else
                SumBlock<3>(b, out);
        }
    }

    template <int Planes>
    __attribute__((target("avx2"))) void SumBlock(size_t b, float *out) const
    {
        const __m256i order = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(m_offsets.data() + b * kBlock));
        const float *w = m_blockWeights.data() + b * size_t(kLanczosTaps) * size_t(kBlock);
        const float *blue = m_source.data() + size_t(m_base[b]);
        const float *green = blue + m_sourcePitch;
        const float *red = green + m_sourcePitch;
        const float *alpha = Planes > 3 ? red + m_sourcePitch : red;
        // Named sums, so that they stay in registers.
        __m256 sb = _mm256_setzero_ps(), sg = sb, sr = sb, sa = sb;
#pragma GCC unroll 12
        for (int i = 0; i < kLanczosTaps; ++i) {
            const __m256 k = _mm256_loadu_ps(w + i * kBlock);
            sb = _mm256_add_ps(sb, _mm256_mul_ps(_mm256_permutevar8x32_ps(_mm256_loadu_ps(blue + i), order), k));
            sg = _mm256_add_ps(sg, _mm256_mul_ps(_mm256_permutevar8x32_ps(_mm256_loadu_ps(green + i), order), k));
            sr = _mm256_add_ps(sr, _mm256_mul_ps(_mm256_permutevar8x32_ps(_mm256_loadu_ps(red + i), order), k));
            if constexpr (Planes > 3)
                sa = _mm256_add_ps(sa, _mm256_mul_ps(_mm256_permutevar8x32_ps(_mm256_loadu_ps(alpha + i), order), k));
        }
        float *at = out + b * kBlock;
        _mm256_storeu_ps(at, sb);
        _mm256_storeu_ps(at + m_pitch, sg);
        _mm256_storeu_ps(at + 2 * m_pitch, sr);
        if constexpr (Planes > 3)
            _mm256_storeu_ps(at + 3 * m_pitch, sa);
    }
#endif

    // A block whose windows lie far apart (shrinking without averaging): column by column.
    void SumApart(size_t b, float *out) const
    {
        for (int32_t d = int32_t(b) * kBlock; d < std::min(int32_t(b + 1) * kBlock, m_count); ++d) {
            const float *k = m_weights.data() + size_t(d) * size_t(kLanczosTaps);
            for (int32_t c = 0; c < m_planes; ++c) {
                const float *p = m_source.data() + size_t(c) * m_sourcePitch + size_t(m_start[size_t(d)]);
                float s = 0.0f;
                for (int i = 0; i < kLanczosTaps; ++i)
                    s += p[i] * k[i];
                out[size_t(c) * m_pitch + size_t(d)] = s;
            }
        }
    }

    const std::vector<int32_t> &m_start;
    const std::vector<float> &m_weights;
    int32_t m_count;
    size_t m_span;
    int32_t m_planes;
    size_t m_pitch;
    size_t m_sourcePitch;
    bool m_wide = false;
    std::vector<int32_t> m_base;
    std::vector<int32_t> m_offsets;
    std::vector<float> m_blockWeights;
    std::vector<bool> m_together;
    std::vector<float> m_source;
    std::vector<Lanes> m_lanes;
};

// A row of planar sums into a picture without palette, each float cut to 0-255 as ClampWeighted does:
// blue, green and red bytes, and the alpha plane's row when there is one.
uint8_t ClampSum(float v)
{
    v = v > 0.0f ? v : 0.0f;
    v = v < 255.0f ? v : 255.0f;
    return uint8_t(int32_t(v));
}

void StorePlanesFrom(int32_t d, const float *sums, size_t pitch, int32_t count, uint8_t *row, uint8_t *alpha)
{
    for (; d < count; ++d) {
        row[3 * d] = ClampSum(sums[size_t(d)]);
        row[3 * d + 1] = ClampSum(sums[pitch + size_t(d)]);
        row[3 * d + 2] = ClampSum(sums[2 * pitch + size_t(d)]);
        if (alpha)
            alpha[d] = ClampSum(sums[3 * pitch + size_t(d)]);
    }
}

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
// Eight pixels a step: max and min with 0 and 255 keep the larger or smaller as the comparisons above
// do, and each 128-bit half packs its four pixels' three bytes into twelve. Each half is stored as 16
// bytes, the last four of which the next store writes again, so the step stops ten pixels before the
// end of the row and the rest go one by one.
__attribute__((target("avx2"))) inline __m256i ClampedSums(const float *p)
{
    return _mm256_cvttps_epi32(_mm256_min_ps(_mm256_max_ps(_mm256_loadu_ps(p), _mm256_setzero_ps()),
                                             _mm256_set1_ps(255.0f)));
}

__attribute__((target("avx2"))) void StorePlanesWide(const float *sums, size_t pitch, int32_t count, uint8_t *row,
                                                     uint8_t *alpha)
{
    const __m256i threeOfFour = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1, 0, 1, 2, 4,
                                                 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int32_t d = 0;
    for (; d + 10 <= count; d += 8) {
        const __m256i b = ClampedSums(sums + d), g = ClampedSums(sums + pitch + size_t(d)), r = ClampedSums(sums + 2 * pitch + size_t(d));
        const __m256i pixels =
            _mm256_or_si256(b, _mm256_or_si256(_mm256_slli_epi32(g, 8), _mm256_slli_epi32(r, 16)));
        const __m256i packed = _mm256_shuffle_epi8(pixels, threeOfFour);
        _mm_storeu_si128(reinterpret_cast<__m128i *>(row + 3 * d), _mm256_castsi256_si128(packed));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(row + 3 * d + 12), _mm256_extracti128_si256(packed, 1));
        if (alpha) {
            const __m256i a = ClampedSums(sums + 3 * pitch + size_t(d));
            const __m128i words = _mm_packus_epi32(_mm256_castsi256_si128(a), _mm256_extracti128_si256(a, 1));
            _mm_storel_epi64(reinterpret_cast<__m128i *>(alpha + d), _mm_packus_epi16(words, words));
        }
    }
    StorePlanesFrom(d, sums, pitch, count, row, alpha);
}
#endif

void StorePlanes(const float *sums, size_t pitch, int32_t count, uint8_t *row, uint8_t *alpha)
{
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
    if (__builtin_cpu_supports("avx2")) {
        StorePlanesWide(sums, pitch, count, row, alpha);
        return;
    }
#endif
    StorePlanesFrom(0, sums, pitch, count, row, alpha);
}

} // namespace

bool CxImage::Resample(int32_t newWidth, int32_t newHeight, int32_t mode, int32_t edge, CxImage *destination,
                       bool disableAveraging)
{
    if (newWidth <= 0 || newHeight <= 0 || !m_dib)
        return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    if (newWidth == width && newHeight == height) {
        if (destination && destination != this)
            destination->CopyFrom(*this, true, true, true);
        return true;
    }

    const float xScale = float(width) / float(newWidth);
    const float yScale = float(height) / float(newHeight);

    CxImage target;
    target.CopyAttributes(*this);
    target.Create(uint32_t(newWidth), uint32_t(newHeight), GetBpp(), GetFormatId());
    if (!target.IsValid()) {
        SetErrorText(target.GetErrorText());
        return false;
    }
    target.SetPalette(GetPalette(), GetNumColors());
    if (m_alpha)
        target.AlphaCreate();

    bool alphaWritten = false;
    const bool pointSampling = (xScale <= 1.0f && yScale <= 1.0f) || disableAveraging;
    if (pointSampling) {
        alphaWritten = !IsIndexed();
        const bool windowed = mode == InterpolationLanczos || KernelForMode(mode);
        const bool bilinear = !windowed && mode != InterpolationNearest;
        const bool done = (windowed && ResampleWindow(target, xScale, yScale, mode, edge)) ||
                          (bilinear && ResampleBilinear(target, xScale, yScale, mode, edge));
        if (!done)
            ResamplePoints(target, xScale, yScale, mode, edge, false);
    } else if (!ResampleArea(target, xScale, yScale, edge)) {
        ResamplePoints(target, xScale, yScale, mode, edge, true);
    }

    // Averaged or palette results take their alpha from the nearest source pixel.
    if (m_alpha && !alphaWritten && target.m_alpha) {
        for (int32_t y = 0; y < newHeight; ++y) {
            const int32_t sy = std::min(int32_t(float(y) * yScale), height - 1);
            for (int32_t x = 0; x < newWidth; ++x) {
                const int32_t sx = std::min(int32_t(float(x) * xScale), width - 1);
                target.m_alpha[size_t(y) * size_t(newWidth) + size_t(x)] = BlindAlphaGet(sx, sy);
            }
        }
    }
    return (destination ? destination : this)->TakeOver(target, true);
}

void CxImage::StoreSample(CxImage &target, int32_t dX, int32_t dY, RGBQUAD c)
{
    if (target.IsIndexed()) {
        target.BlindSetPixelColor(dX, dY, c, true);
        return;
    }
    uint8_t *p = target.m_info.pixels + size_t(dY) * target.m_info.rowStride + size_t(dX) * 3;
    p[0] = c.rgbBlue;
    p[1] = c.rgbGreen;
    p[2] = c.rgbRed;
    if (target.m_alpha)
        target.m_alpha[size_t(dY) * size_t(target.GetWidth()) + size_t(dX)] = c.rgbReserved;
}

// One sample per destination pixel, SampleArea's when averaging and SampleInterpolated's otherwise: the
// general case, where no faster pass applies.
void CxImage::ResamplePoints(CxImage &target, float xScale, float yScale, int32_t mode, int32_t edge, bool averaging)
{
    const int32_t newWidth = target.GetWidth();
    const int32_t newHeight = target.GetHeight();
    for (int32_t dY = 0; dY < newHeight; ++dY) {
        m_info.progress = int32_t(100LL * dY / newHeight);
        if (m_info.escape)
            break;
        const float sY = (float(dY) + 0.5f) * yScale - 0.5f;
        for (int32_t dX = 0; dX < newWidth; ++dX) {
            const float sX = (float(dX) + 0.5f) * xScale - 0.5f;
            StoreSample(target, dX, dY,
                        averaging ? SampleArea(sX, sY, xScale, yScale, mode, edge, nullptr)
                                  : SampleInterpolated(sX, sY, mode, edge, nullptr));
        }
    }
}

// Point sampling with a kernel window: the 4 x 4 kernels, and Lanczos over 12 x 12 in two passes. A
// destination column always samples at the same source x and a row at the same y, so the weights are
// computed once per column and per row, with exactly the arguments a single sample uses; the source rows
// of the windows are turned into lanes once, edge handling included, so a window is Taps consecutive
// entries of each. False (nothing written) when a position lies beyond every pixel of its window, which
// the single sampler moves first.
bool CxImage::ResampleWindow(CxImage &target, float xScale, float yScale, int32_t mode, int32_t edge)
{
    const bool lanczos = mode == InterpolationLanczos;
    const int32_t taps = lanczos ? 12 : 4;
    const int32_t back = lanczos ? 5 : 1; // the window starts this far before the cell
    const KernelFunction kernel = KernelForMode(mode);
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const int32_t newWidth = target.GetWidth();
    const int32_t newHeight = target.GetHeight();

    auto weight = [&](int32_t at, float position) {
        return lanczos ? LanczosKernel(float(at) - position, 6.0f) : kernel(float(at) - position);
    };
    auto outside = [&](int32_t cell, int32_t size) { return cell - back + taps - 1 < 0 || cell - back >= size; };

    // Where the window of each destination column (or row) starts, its taps weights in order, and the
    // first and last source positions any window reaches.
    auto windows = [&](int32_t count, float scale, int32_t size, std::vector<int32_t> &first,
                       std::vector<float> &weights, int32_t &lowest, int32_t &highest) {
        first.resize(size_t(count));
        weights.resize(size_t(count) * size_t(taps));
        for (int32_t d = 0; d < count; ++d) {
            const float v = SourcePosition(d, scale);
            const int32_t cell = CellOf(v);
            if (outside(cell, size))
                return false;
            first[size_t(d)] = cell - back;
            for (int32_t i = 0; i < taps; ++i)
                weights[size_t(d) * size_t(taps) + size_t(i)] = weight(cell - back + i, v);
            lowest = d ? std::min(lowest, cell - back) : cell - back;
            highest = d ? std::max(highest, cell - back + taps - 1) : cell - back + taps - 1;
        }
        return true;
    };
    std::vector<int32_t> start, rowStart;
    std::vector<float> wx, ky;
    int32_t firstColumn = 0, lastColumn = 0, firstRow = 0, lastRow = 0;
    if (!windows(newWidth, xScale, width, start, wx, firstColumn, lastColumn) ||
        !windows(newHeight, yScale, height, rowStart, ky, firstRow, lastRow))
        return false;
    for (int32_t &s : start)
        s -= firstColumn;
    LaneRows source(*this, firstColumn, lastColumn, firstRow, lastRow, taps, edge);

    const bool withAlpha = m_alpha != nullptr;
    if (lanczos) {
        // Separable, as the single sample sums: every source row a window reaches is summed with the
        // horizontal weights once, into slot (row mod taps), and each destination row sums taps of those.
        LanczosRows horizontal(start, wx, newWidth, size_t(lastColumn - firstColumn + 1), withAlpha ? 4 : 3);
        const size_t pitch = horizontal.Pitch();
        const size_t line = size_t(horizontal.Planes()) * pitch;
        // Up to four destination rows go together while their windows lie within sixteen source rows;
        // the row sums are kept in slot (row mod 16), so a group's rows never share a slot.
        constexpr int32_t kSlots = kLanczosTaps + kRowsTogether;
        std::vector<float> rowSums(size_t(kSlots) * line);
        std::vector<float> planeSums(size_t(kRowsTogether) * line);
        std::vector<int32_t> held(size_t(kSlots), INT32_MIN);
        const float *lines[kRowsTogether * kLanczosTaps];
        for (int32_t dY = 0; dY < newHeight;) {
            m_info.progress = int32_t(100LL * dY / newHeight);
            if (m_info.escape)
                break;
            const int32_t top = rowStart[size_t(dY)];
            int32_t rows = 1;
            while (rows < kRowsTogether && dY + rows < newHeight && rowStart[size_t(dY + rows)] >= top &&
                   rowStart[size_t(dY + rows)] + kLanczosTaps <= top + kSlots)
                ++rows;
            for (int32_t r = 0; r < rows; ++r)
                for (int32_t j = 0; j < kLanczosTaps; ++j) {
                    const int32_t p = rowStart[size_t(dY + r)] + j;
                    const size_t slot = size_t(((p % kSlots) + kSlots) % kSlots);
                    float *sumsOfRow = rowSums.data() + slot * line;
                    if (held[slot] != p) {
                        held[slot] = p;
                        horizontal.Sum(source.Row(p), sumsOfRow);
                    }
                    lines[r * kLanczosTaps + j] = sumsOfRow;
                }
            SumLanczosColumns(lines, ky.data() + size_t(dY) * size_t(taps), rows, line, planeSums.data());
            for (int32_t r = 0; r < rows; ++r, ++dY) {
                const float *sums = planeSums.data() + size_t(r) * line;
                if (target.IsIndexed()) {
                    for (int32_t dX = 0; dX < newWidth; ++dX) {
                        const float *f = sums + size_t(dX);
                        const Lanes v{f[0], f[pitch], f[2 * pitch], withAlpha ? f[3 * pitch] : 0.0f};
                        StoreSample(target, dX, dY, FromLanes(v, withAlpha));
                    }
                } else {
                    StorePlanes(sums, pitch, newWidth, target.m_info.pixels + size_t(dY) * target.m_info.rowStride,
                                target.m_alpha ? target.m_alpha + size_t(dY) * size_t(newWidth) : nullptr);
                }
            }
        }
        return true;
    }
    // The 4 x 4 kernels are separable too: every source row a window reaches is summed with the horizontal
    // weights once, into slot (row mod 4), and each destination row sums the four it needs.
    std::vector<Lanes> rowSums(size_t(taps) * size_t(newWidth));
    std::vector<int32_t> held(size_t(taps), INT32_MIN);
    std::vector<Lanes> sums(static_cast<size_t>(newWidth));
    const Lanes *window[4];
    for (int32_t dY = 0; dY < newHeight; ++dY) {
        m_info.progress = int32_t(100LL * dY / newHeight);
        if (m_info.escape)
            break;
        for (int32_t j = 0; j < taps; ++j) {
            const int32_t p = rowStart[size_t(dY)] + j;
            const size_t slot = size_t(((p % taps) + taps) % taps);
            Lanes *line = rowSums.data() + slot * size_t(newWidth);
            if (held[slot] != p) {
                held[slot] = p;
                SumRow<4>(source.Row(p), wx.data(), start.data(), newWidth, line);
            }
            window[j] = line;
        }
        SumColumns<4>(window, ky.data() + size_t(dY) * size_t(taps), newWidth, sums.data());
        if (target.IsIndexed()) {
            for (int32_t dX = 0; dX < newWidth; ++dX)
                StoreSample(target, dX, dY, FromLanes(sums[size_t(dX)], withAlpha));
        } else {
            StoreLanes(sums.data(), newWidth, target.m_info.pixels + size_t(dY) * target.m_info.rowStride,
                       target.m_alpha ? target.m_alpha + size_t(dY) * size_t(newWidth) : nullptr);
        }
    }
    return true;
}

// Bilinear point sampling: inside a picture without palette the 8.8 fixed-point sums of
// SampleInterpolated, with the cells and fractions of each column and row computed once; positions
// whose 2 x 2 window reaches past an edge go through SampleInterpolated itself.
bool CxImage::ResampleBilinear(CxImage &target, float xScale, float yScale, int32_t mode, int32_t edge)
{
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const int32_t newWidth = target.GetWidth();
    const int32_t newHeight = target.GetHeight();
    struct Cell
    {
        int32_t at;
        int32_t fraction; // 8.8 fixed point
        bool inside;      // the cell and the next one lie in the picture
    };
    auto cells = [](int32_t count, float scale, int32_t size, std::vector<Cell> &out) {
        out.resize(size_t(count));
        for (int32_t d = 0; d < count; ++d) {
            const float v = SourcePosition(d, scale);
            const int32_t i = CellOf(v);
            if (i < -1 || i >= size)
                return false;
            out[size_t(d)] = Cell{i, int32_t((v - float(i)) * 256.0f), i >= 0 && i + 1 < size};
        }
        return true;
    };
    std::vector<Cell> columns, rows;
    if (!cells(newWidth, xScale, width, columns) || !cells(newHeight, yScale, height, rows))
        return false;

    const bool direct = !IsIndexed();
    for (int32_t dY = 0; dY < newHeight; ++dY) {
        m_info.progress = int32_t(100LL * dY / newHeight);
        if (m_info.escape)
            break;
        const Cell &row = rows[size_t(dY)];
        const float sY = (float(dY) + 0.5f) * yScale - 0.5f;
        const uint8_t *line0 = row.inside ? m_info.pixels + size_t(row.at) * m_info.rowStride : nullptr;
        const uint8_t *line1 = line0 ? line0 + m_info.rowStride : nullptr;
        const uint8_t *alpha0 = row.inside && m_alpha ? m_alpha + size_t(row.at) * size_t(width) : nullptr;
        const uint8_t *alpha1 = alpha0 ? alpha0 + width : nullptr;
        for (int32_t dX = 0; dX < newWidth; ++dX) {
            const Cell &column = columns[size_t(dX)];
            if (!direct || !row.inside || !column.inside) {
                const float sX = (float(dX) + 0.5f) * xScale - 0.5f;
                StoreSample(target, dX, dY, SampleInterpolated(sX, sY, mode, edge, nullptr));
                continue;
            }
            const int32_t w1 = column.fraction;
            const int32_t w2 = row.fraction;
            const int32_t wd = (w1 * w2) >> 8;
            const int32_t wb = w1 - wd;
            const int32_t wc = w2 - wd;
            const int32_t wa = 256 - w1 - wc;
            const uint8_t *p0 = line0 + size_t(column.at) * 3;
            const uint8_t *p1 = line1 + size_t(column.at) * 3;
            RGBQUAD c;
            c.rgbBlue = uint8_t((wa * p0[0] + wb * p0[3] + wc * p1[0] + wd * p1[3]) >> 8);
            c.rgbGreen = uint8_t((wa * p0[1] + wb * p0[4] + wc * p1[1] + wd * p1[4]) >> 8);
            c.rgbRed = uint8_t((wa * p0[2] + wb * p0[5] + wc * p1[2] + wd * p1[5]) >> 8);
            c.rgbReserved = 0;
            if (alpha0) {
                const uint8_t *a0 = alpha0 + column.at;
                const uint8_t *a1 = alpha1 + column.at;
                c.rgbReserved = uint8_t((wa * a0[0] + wb * a0[1] + wc * a1[0] + wd * a1[1]) >> 8);
            }
            StoreSample(target, dX, dY, c);
        }
    }
    return true;
}

// Area averaging when both scales are above one: the sums of SampleArea, in its order (the four corners,
// the bottom and top rows, the left and right columns, then the inner pixels), with the span of each
// destination column and row and its partial edge weights computed once. False (nothing written) for
// mixed scales, which sample inside each pixel instead, and for spans the single sampler would have to
// move first.
bool CxImage::ResampleArea(CxImage &target, float xScale, float yScale, int32_t edge)
{
    if (!(xScale > 1.0f && yScale > 1.0f))
        return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    const int32_t newWidth = target.GetWidth();
    const int32_t newHeight = target.GetHeight();

    // One axis of the area of a destination pixel: its extent, the first and last source pixels it
    // touches, and how much of each of those two it covers (empty when they do not meet).
    struct Span
    {
        float extent;
        int32_t first, last;
        float firstPart, lastPart;
        bool firstEmpty, lastEmpty;
    };
    auto spans = [](int32_t count, float scale, int32_t size, std::vector<Span> &out) {
        out.resize(size_t(count));
        for (int32_t d = 0; d < count; ++d) {
            const float v = SourcePosition(d, scale);
            const float low = v - scale / 2.0f;
            const float high = v + scale / 2.0f;
            Span s;
            s.extent = high - low;
            s.first = int32_t(Bounded(low + 0.5f));
            s.last = int32_t(Bounded(high + 0.5f));
            // The inner pixels are read straight from the rows.
            if (s.first + 1 < 0 || s.last - 1 >= size || s.first > s.last)
                return false;
            const float firstLow = std::max(low, float(s.first) - 0.5f);
            const float firstHigh = std::min(high, float(s.first) + 0.5f);
            const float lastLow = std::max(low, float(s.last) - 0.5f);
            const float lastHigh = std::min(high, float(s.last) + 0.5f);
            s.firstPart = firstHigh - firstLow;
            s.firstEmpty = firstHigh < firstLow;
            s.lastPart = lastHigh - lastLow;
            s.lastEmpty = lastHigh < lastLow;
            out[size_t(d)] = s;
        }
        return true;
    };
    std::vector<Span> columns, rows;
    if (!spans(newWidth, xScale, width, columns) || !spans(newHeight, yScale, height, rows))
        return false;

    // Whole-pixel areas (a reduction by a whole factor, as 2000 x 1500 to 400 x 300): every source pixel
    // weighs 1 or 0, so the float sums hold whole numbers below 2^24 and come out the same in any order;
    // they are added as integers, straight from the rows.
    struct Whole
    {
        int32_t low, high; // the source pixels of weight 1
    };
    auto whole = [](const std::vector<Span> &all, int32_t size, std::vector<Whole> &out) {
        out.resize(all.size());
        for (size_t d = 0; d < all.size(); ++d) {
            const Span &s = all[d];
            const auto unit = [](float part) { return part == 0.0f || part == 1.0f; };
            if (s.firstEmpty || s.lastEmpty || !unit(s.firstPart) || !unit(s.lastPart))
                return false;
            const int32_t low = s.first + (s.firstPart == 0.0f ? 1 : 0);
            const int32_t high = s.last - (s.lastPart == 0.0f ? 1 : 0);
            if (low < 0 || high >= size || low > high || high - low >= 256)
                return false;
            out[d] = Whole{low, high};
        }
        return true;
    };
    std::vector<Whole> wholeColumns, wholeRows;
    if (!IsIndexed() && whole(columns, width, wholeColumns) && whole(rows, height, wholeRows)) {
        // The alpha plane of an averaged result is taken from the nearest pixels afterwards.
        std::vector<uint32_t> sums(size_t(newWidth) * 3);
        for (int32_t dY = 0; dY < newHeight; ++dY) {
            m_info.progress = int32_t(100LL * dY / newHeight);
            if (m_info.escape)
                break;
            std::fill(sums.begin(), sums.end(), 0u);
            for (int32_t py = wholeRows[size_t(dY)].low; py <= wholeRows[size_t(dY)].high; ++py) {
                const uint8_t *line = m_info.pixels + size_t(py) * m_info.rowStride;
                uint32_t *sum = sums.data();
                for (const Whole &c : wholeColumns) {
                    uint32_t b = 0, g = 0, r = 0;
                    for (const uint8_t *p = line + size_t(c.low) * 3, *end = line + size_t(c.high + 1) * 3; p < end;
                         p += 3) {
                        b += p[0];
                        g += p[1];
                        r += p[2];
                    }
                    sum[0] += b;
                    sum[1] += g;
                    sum[2] += r;
                    sum += 3;
                }
            }
            uint8_t *out = target.m_info.pixels + size_t(dY) * target.m_info.rowStride;
            for (int32_t dX = 0; dX < newWidth; ++dX) {
                const float surface = columns[size_t(dX)].extent * rows[size_t(dY)].extent;
                for (int k = 0; k < 3; ++k)
                    out[3 * dX + k] = ClampWeighted(float(sums[3 * size_t(dX) + size_t(k)]) / surface);
            }
        }
        return true;
    }

    auto reach = [](const std::vector<Span> &all, int32_t &first, int32_t &last) {
        first = all.front().first;
        last = all.front().last;
        for (const Span &s : all) {
            first = std::min(first, s.first);
            last = std::max(last, s.last);
        }
    };
    int32_t firstColumn, lastColumn, firstRow, lastRow;
    reach(columns, firstColumn, lastColumn);
    reach(rows, firstRow, lastRow);
    int32_t slots = 1;
    for (const Span &r : rows)
        slots = std::max(slots, r.last - r.first + 1);
    LaneRows source(*this, firstColumn, lastColumn, firstRow, lastRow, slots, edge);
    std::vector<const Lanes *> lines(static_cast<size_t>(slots));

    const bool withAlpha = m_alpha != nullptr;
    // A row of sums is clamped and stored at once, unless the target holds palette entries.
    const bool direct = !target.IsIndexed();
    std::vector<Lanes> rowSums(static_cast<size_t>(newWidth));
    for (int32_t dY = 0; dY < newHeight; ++dY) {
        m_info.progress = int32_t(100LL * dY / newHeight);
        if (m_info.escape)
            break;
        const Span &row = rows[size_t(dY)];
        // lines[k] is source row first + k, entry 0 the first column any span reaches.
        for (int32_t p = row.first; p <= row.last; ++p)
            lines[size_t(p - row.first)] = source.Row(p);
        const Lanes *bottom = lines.front();
        const Lanes *top = lines[size_t(row.last - row.first)];
        for (int32_t dX = 0; dX < newWidth; ++dX) {
            const Span &column = columns[size_t(dX)];
            // An empty intersection is the rectangle (0, 0, 0, 0): no width and no height.
            const bool firstEmpty = column.firstEmpty || row.firstEmpty;
            const bool lastEmpty = column.lastEmpty || row.lastEmpty;
            const float wBL = firstEmpty ? 0.0f : column.firstPart;
            const float hBL = firstEmpty ? 0.0f : row.firstPart;
            const float wTR = lastEmpty ? 0.0f : column.lastPart;
            const float hTR = lastEmpty ? 0.0f : row.lastPart;
            const int32_t x1 = column.first - firstColumn, x2 = column.last - firstColumn;
            const int32_t inner = row.last - row.first - 1; // rows between the bottom and the top one

            Lanes s = {};
            s += bottom[x1] * (wBL * hBL);
            s += bottom[x2] * (wTR * hBL);
            s += top[x1] * (wBL * hTR);
            s += top[x2] * (wTR * hTR);
            for (int32_t px = x1 + 1; px < x2; ++px)
                s += bottom[px] * hBL;
            for (int32_t px = x1 + 1; px < x2; ++px)
                s += top[px] * hTR;
            for (int32_t k = 1; k <= inner; ++k)
                s += lines[size_t(k)][x1] * wBL;
            for (int32_t k = 1; k <= inner; ++k)
                s += lines[size_t(k)][x2] * wTR;
            for (int32_t k = 1; k <= inner; ++k) {
                const Lanes *line = lines[size_t(k)];
                for (int32_t px = x1 + 1; px < x2; ++px)
                    s += line[px] * 1.0f;
            }
            const float surface = column.extent * row.extent;
            if (direct) {
                rowSums[size_t(dX)] = s / surface;
                if (!withAlpha)
                    rowSums[size_t(dX)][3] = 0.0f;
            } else {
                StoreSample(target, dX, dY, FromLanes(s / surface, withAlpha));
            }
        }
        if (direct)
            StoreLanes(rowSums.data(), newWidth, target.m_info.pixels + size_t(dY) * target.m_info.rowStride,
                       target.m_alpha ? target.m_alpha + size_t(dY) * size_t(newWidth) : nullptr);
    }
    return true;
}
