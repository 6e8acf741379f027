#include "sim/Scene.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace camsim {

namespace {

constexpr uint8_t kMinus = 39, kEmptyValue = 63, kCelsius = 12, kFahrenheit = 15;

uint8_t code(int digit) {
    return static_cast<uint8_t>('0' + digit % 10);
}

// Three places, most significant first. A sign takes the place before the first digit; places
// in front of the number are empty (63 as values, '0' as character codes, which the PC blanks).
std::array<uint8_t, 3> readingDigits(int v, bool values) {
    const int a = std::abs(v) % 1000;
    const uint8_t empty = values ? kEmptyValue : code(0);
    auto digit = [values](int d) { return values ? static_cast<uint8_t>(d) : code(d); };
    std::array<uint8_t, 3> out{empty, empty, digit(a % 10)};
    const int width = a >= 100 ? 3 : (a >= 10 ? 2 : 1);
    if (width >= 2) out[1] = digit(a / 10 % 10);
    if (width == 3) out[0] = digit(a / 100);
    if (v < 0 && width < 3) out[2 - width] = kMinus;
    return out;
}

int spotReading(int n) {
    return n % 5 == 0 ? 100 + n : 20 + (n * 7) % 80;
}
int ambientReading(int n) {
    return n % 7 == 3 ? -(n % 9 + 1) : 12 + n % 15;
}
int inUnit(const CameraState& s, int celsius) {
    return s.tempUnit == 1 ? celsius : celsius * 9 / 5 + 32;
}

struct Lcg {
    uint32_t v;
    uint32_t next() { return v = v * 1664525u + 1013904223u; }
    int range(int lo, int hi) { return lo + static_cast<int>((next() >> 8) % (hi - lo + 1)); }
};

// Graded background: cool at the top, warmer ground, a gentle wave that differs per scene.
double background(int n, int x, int y) {
    const double wave = std::sin(2 * std::numbers::pi * x / kWidth * (1 + n % 3) + n);
    return 35 + 75.0 * y / (kHeight - 1) + 12 * wave;
}

struct Body {
    double cx, cy, rx, ry, heat;
};

void addBody(std::vector<double>& img, const Body& b) {
    const int x0 = std::max(0, static_cast<int>(b.cx - b.rx)),
              x1 = std::min(kWidth - 1, int(b.cx + b.rx));
    const int y0 = std::max(0, static_cast<int>(b.cy - b.ry)),
              y1 = std::min(kHeight - 1, int(b.cy + b.ry));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x - b.cx) / b.rx, dy = (y - b.cy) / b.ry, r2 = dx * dx + dy * dy;
            if (r2 < 1) {
                double& p = img[y * kWidth + x];
                p = std::max(p, b.heat - 40 * r2);
            }
        }
    }
}

// A standing figure: torso and head, warmer at the core.
void addFigure(std::vector<double>& img, Lcg& rng) {
    const double cx = rng.range(30, kWidth - 30), cy = rng.range(110, 190);
    const double heat = rng.range(180, 235), size = rng.range(70, 130) / 100.0;
    addBody(img, {cx, cy, 22 * size, 48 * size, heat});
    addBody(img, {cx, cy - 62 * size, 13 * size, 15 * size, heat + 10});
}

}  // namespace

bool newFirmware(const CameraState& s) {
    return s.firmwareMajor >= 3 && s.firmwareMinor >= 2;
}

std::array<uint8_t, 21> pictureHeader(const CameraState& s, int spot, int ambient, int battery) {
    const CameraClock& c = s.clock;
    std::array<uint8_t, 21> h{code(c.hour / 10), code(c.hour),        code(c.minute / 10),
                              code(c.minute),    code(c.second / 10), code(c.second),
                              code(c.day / 10),  code(c.day),         code(c.month / 10),
                              code(c.month),     code(c.year2 / 10),  code(c.year2)};
    h[12] = static_cast<uint8_t>('0' + std::clamp(battery, 1, 6));
    const bool values = newFirmware(s);
    const auto sp = readingDigits(inUnit(s, spot), values);
    const auto am = readingDigits(inUnit(s, ambient), values);
    std::copy(sp.begin(), sp.end(), h.begin() + 13);
    h[16] = s.tempUnit == 1 ? kCelsius : kFahrenheit;
    h[17] = am[0];
    h[18] = am[1];
    h[19] = 0;  // not used
    h[20] = am[2];
    return h;
}

Picture syntheticPicture(int n, const CameraState& clockSource) {
    Lcg rng{static_cast<uint32_t>(n) * 2654435761u + 12345u};
    std::vector<double> img(kPixelCount);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) img[y * kWidth + x] = background(n, x, y);
    const int figures = 1 + n % 3;
    for (int i = 0; i < figures; ++i) addFigure(img, rng);
    addBody(img, {double(rng.range(20, 300)), double(rng.range(60, 200)), 6, 6, 250});  // hot spot
    for (int i = 0; i < n; ++i)  // scene marks along the top edge
        for (int y = 3; y < 7; ++y)
            for (int x = 0; x < 4; ++x) img[y * kWidth + 4 + 8 * i + x] = 255;

    Picture p;
    p.pixels.resize(kPixelCount);
    for (int i = 0; i < kPixelCount; ++i) {
        const double noisy = img[i] + rng.range(-4, 4);
        p.pixels[i] = static_cast<uint8_t>(std::clamp(noisy, 0.0, 255.0));
    }
    p.header = pictureHeader(clockSource, spotReading(n), ambientReading(n), 1 + n % 6);
    return p;
}

Picture defaultSplash(const CameraState& clockSource) {
    static constexpr uint8_t kBars[] = {0xFC, 0xF0, 0x3C, 0x30, 0xCC, 0xC0, 0x0C, 0x00};
    Picture p;
    p.pixels.resize(kPixelCount);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) p.pixels[y * kWidth + x] = kBars[x * 8 / kWidth];
    p.header = pictureHeader(clockSource, 0, 0, 6);
    return p;
}

}  // namespace camsim
