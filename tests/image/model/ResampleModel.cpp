// Reference model for the resampling golden files in tests/fixtures/image/.
//
// Written straight from the resampling rules, with no code shared with image/: plain float arithmetic on a
// small array, edge mode 5 (repeat), no palette, no alpha. Run once to produce the fixtures; the test
// program compares the library's output with them byte for byte. Rebuild and rerun only when the rules
// change, and review the differences:
//     g++ -std=c++20 -O0 -o /tmp/resample_model ResampleModel.cpp && /tmp/resample_model ../../fixtures/image
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int W = 7;
constexpr int H = 5;
constexpr float PI = 3.1415927f;

struct Px
{
    float b, g, r;
};

// The test pattern, row 0 at the bottom; the test program builds the same picture.
Px Source(int x, int y)
{
    const int r = (x * 37 + y * 71) % 256;
    const int g = (x * x * 13 + y * 29 + 50) % 256;
    const int b = ((x + y) % 2) * 255;
    return Px{float(b), float(g), float(r)};
}

// Edge mode 5: clamp to the nearest edge pixel.
Px Edge(int x, int y)
{
    x = x < 0 ? 0 : x >= W ? W - 1 : x;
    y = y < 0 ? 0 : y >= H ? H - 1 : y;
    return Source(x, y);
}

int Cell(float v)
{
    int i = int(v);
    return v < 0 ? i - 1 : i;
}

uint8_t Clamp(float v)
{
    if (v < 0)
        return 0;
    if (v > 255)
        return 255;
    return uint8_t(v);
}

void MoveInside(float &x, float &y)
{
    if (x >= 0 && x < W && y >= 0 && y < H)
        return;
    x = x < 0 ? 0 : x >= W ? W - 1 : x;
    y = y < 0 ? 0 : y >= H ? H - 1 : y;
}

void Bilinear(float x, float y, uint8_t out[3])
{
    int xi = Cell(x), yi = Cell(y);
    if (xi < -1 || xi >= W || yi < -1 || yi >= H) {
        MoveInside(x, y);
        xi = Cell(x);
        yi = Cell(y);
    }
    if (xi >= 0 && xi + 1 < W && yi >= 0 && yi + 1 < H) {
        int w1 = int((x - xi) * 256), w2 = int((y - yi) * 256);
        int wd = (w1 * w2) >> 8, wb = w1 - wd, wc = w2 - wd, wa = 256 - w1 - wc;
        Px a = Source(xi, yi), b = Source(xi + 1, yi), c = Source(xi, yi + 1), d = Source(xi + 1, yi + 1);
        out[0] = uint8_t((wa * int(a.b) + wb * int(b.b) + wc * int(c.b) + wd * int(d.b)) >> 8);
        out[1] = uint8_t((wa * int(a.g) + wb * int(b.g) + wc * int(c.g) + wd * int(d.g)) >> 8);
        out[2] = uint8_t((wa * int(a.r) + wb * int(b.r) + wc * int(c.r) + wd * int(d.r)) >> 8);
        return;
    }
    float t1 = x - xi, t2 = y - yi;
    float w[4] = {(1 - t1) * (1 - t2), t1 * (1 - t2), (1 - t1) * t2, t1 * t2};
    Px p[4] = {Edge(xi, yi), Edge(xi + 1, yi), Edge(xi, yi + 1), Edge(xi + 1, yi + 1)};
    float b = 0, g = 0, r = 0;
    for (int i = 0; i < 4; ++i) {
        r += p[i].r * w[i];
        g += p[i].g * w[i];
        b += p[i].b * w[i];
    }
    out[0] = Clamp(b);
    out[1] = Clamp(g);
    out[2] = Clamp(r);
}

float CubicHalf(float t)
{
    const float a = -0.5f;
    float u = std::fabs(t);
    if (u < 1)
        return (a + 2) * u * u * u - (a + 3) * u * u + 1;
    if (u < 2)
        return a * u * u * u - 5 * a * u * u + 8 * a * u - 4 * a;
    return 0;
}

float Lanczos6(float t)
{
    if (std::fabs(t) > 6)
        return 0;
    if (t == 0)
        return 1;
    float pt = PI * t;
    return (std::sin(pt) / pt) * (std::sin(pt / 6) / (pt / 6));
}

// A kernel window of n x n pixels whose first column and row are xi - before and yi - before.
void Window(float x, float y, int n, int before, float (*k)(float), uint8_t out[3])
{
    int xi = Cell(x), yi = Cell(y);
    int after = n - before - 1;
    if (xi + after < 0 || xi - before >= W || yi + after < 0 || yi - before >= H) {
        MoveInside(x, y);
        xi = Cell(x);
        yi = Cell(y);
    }
    float b = 0, g = 0, r = 0;
    for (int j = 0; j < n; ++j) {
        int py = yi - before + j;
        float ky = k(float(py) - y);
        for (int i = 0; i < n; ++i) {
            int px = xi - before + i;
            float w = k(float(px) - x) * ky;
            Px p = Edge(px, py);
            r += p.r * w;
            g += p.g * w;
            b += p.b * w;
        }
    }
    out[0] = Clamp(b);
    out[1] = Clamp(g);
    out[2] = Clamp(r);
}

// Area average over a w x h rectangle centred on (x, y), both sides above one pixel.
void Area(float x, float y, float w, float h, uint8_t out[3])
{
    float l = x - w / 2, bt = y - h / 2, rt = x + w / 2, tp = y + h / 2;
    int x1 = int(l + 0.5f), y1 = int(bt + 0.5f), x2 = int(rt + 0.5f), y2 = int(tp + 0.5f);
    auto overlap = [](float a0, float a1, float b0, float b1) {
        float lo = a0 > b0 ? a0 : b0, hi = a1 < b1 ? a1 : b1;
        return hi < lo ? 0.0f : hi - lo;
    };
    float wBL = overlap(l, rt, x1 - 0.5f, x1 + 0.5f), hBL = overlap(bt, tp, y1 - 0.5f, y1 + 0.5f);
    float wTR = overlap(l, rt, x2 - 0.5f, x2 + 0.5f), hTR = overlap(bt, tp, y2 - 0.5f, y2 + 0.5f);
    float b = 0, g = 0, r = 0;
    auto add = [&](int px, int py, float weight) {
        Px p = Edge(px, py);
        r += p.r * weight;
        g += p.g * weight;
        b += p.b * weight;
    };
    add(x1, y1, wBL * hBL);
    add(x2, y1, wTR * hBL);
    add(x1, y2, wBL * hTR);
    add(x2, y2, wTR * hTR);
    for (int px = x1 + 1; px < x2; ++px)
        add(px, y1, hBL);
    for (int px = x1 + 1; px < x2; ++px)
        add(px, y2, hTR);
    for (int py = y1 + 1; py < y2; ++py)
        add(x1, py, wBL);
    for (int py = y1 + 1; py < y2; ++py)
        add(x2, py, wTR);
    for (int py = y1 + 1; py < y2; ++py)
        for (int px = x1 + 1; px < x2; ++px)
            add(px, py, 1);
    float s = w * h;
    out[0] = Clamp(b / s);
    out[1] = Clamp(g / s);
    out[2] = Clamp(r / s);
}

void Write(const std::string &path, int nw, int nh, int which)
{
    float sx = float(W) / nw, sy = float(H) / nh;
    std::vector<uint8_t> bytes;
    for (int dy = 0; dy < nh; ++dy) {
        for (int dx = 0; dx < nw; ++dx) {
            float x = (dx + 0.5f) * sx - 0.5f, y = (dy + 0.5f) * sy - 0.5f;
            uint8_t px[3];
            switch (which) {
            case 2: Bilinear(x, y, px); break;
            case 5: Window(x, y, 4, 1, CubicHalf, px); break;
            case 6: Window(x, y, 12, 5, Lanczos6, px); break;
            default: Area(x, y, sx, sy, px); break;
            }
            bytes.insert(bytes.end(), px, px + 3);
        }
    }
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    Write(dir + "/resample_7x5_mode2_13x9.bgr", 13, 9, 2);
    Write(dir + "/resample_7x5_mode5_13x9.bgr", 13, 9, 5);
    Write(dir + "/resample_7x5_mode6_13x9.bgr", 13, 9, 6);
    Write(dir + "/resample_7x5_area_3x2.bgr", 3, 2, 0);
    return 0;
}
