// Writes the photograph of the exit notice: a line in open country on a summer day, with a Ks
// signal showing its green light beside the track. 3648 x 2736 pixels, three components,
// baseline JPEG.
//
//   lumaro-make-photo assets/photo.jpg
//
// The scene is computed, not drawn by hand, so the same program always writes the same picture.
// The notice lays its texts over the picture: dark ones over the light sky, hills and ballast in
// the middle, white ones over the shaded foreground at the bottom.

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 3648;
constexpr int kHeight = 2736;
constexpr int kQuality = 82;

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, double f) { return {c.r * f, c.g * f, c.b * f}; }

double SmoothStep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Value noise on an integer lattice, smoothly interpolated; fbm sums octaves of it.
double Hash(int x, int y)
{
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return double((h ^ (h >> 16)) & 0xFFFFFF) / double(0xFFFFFF);
}

double Noise(double x, double y)
{
    const int xi = int(std::floor(x));
    const int yi = int(std::floor(y));
    const double fx = x - xi;
    const double fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double top = Hash(xi, yi) + (Hash(xi + 1, yi) - Hash(xi, yi)) * sx;
    const double bottom = Hash(xi, yi + 1) + (Hash(xi + 1, yi + 1) - Hash(xi, yi + 1)) * sx;
    return top + (bottom - top) * sy;
}

double Fbm(double x, double y, int octaves)
{
    double sum = 0, amplitude = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * Noise(x, y);
        norm += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / norm;
}

// The scene in coordinates u (0 left .. 1 right) and v (0 top .. 1 bottom).
constexpr double kHorizon = 0.60;
constexpr double kVanishU = 0.47;

double FarRidge(double u) { return kHorizon - 0.075 - 0.06 * Fbm(u * 4.0, 3.7, 4); }
double NearRidge(double u) { return kHorizon - 0.015 - 0.045 * Fbm(u * 7.0 + 11.0, 8.1, 4); }

// Half the width of a band of the track at depth v below the horizon, in u.
double TrackHalfWidth(double v, double atBottom) { return atBottom * (v - kHorizon) / (1.0 - kHorizon); }

Rgb Sky(double u, double v)
{
    const Rgb zenith {96, 150, 218};
    const Rgb haze {214, 228, 240};
    Rgb c = Mix(zenith, haze, std::pow(v / kHorizon, 1.6));
    // Fair-weather clouds: thresholded noise, flattened towards the horizon.
    const double n = Fbm(u * 6.0, v * 14.0, 6);
    const double cloud = SmoothStep(0.56, 0.72, n) * (1.0 - SmoothStep(0.25, kHorizon, v));
    return Mix(c, Rgb {250, 250, 252}, cloud * 0.9);
}

Rgb Meadow(double u, double v)
{
    const double depth = (v - kHorizon) / (1.0 - kHorizon);
    const double grain = Fbm(u * 220.0 * (0.3 + depth), v * 260.0, 3);
    const double patches = Fbm(u * 9.0, v * 18.0, 3);
    Rgb c = Mix(Rgb {150, 168, 110}, Rgb {104, 150, 62}, depth);
    c = Mix(c, Rgb {182, 176, 96}, SmoothStep(0.55, 0.75, patches) * 0.6);
    return Scale(c, 0.88 + 0.24 * grain);
}

// Ballast, sleepers and rails of one track running to the vanishing point.
bool Track(double u, double v, Rgb& out)
{
    if (v <= kHorizon + 0.002)
        return false;
    const double du = u - kVanishU;
    const double ballast = TrackHalfWidth(v, 0.30);
    if (std::abs(du) > ballast)
        return false;
    const double depth = (v - kHorizon) / (1.0 - kHorizon);
    const double stones = Fbm(u * 900.0 * (0.2 + depth), v * 1400.0 * (0.2 + depth), 2);
    out = Scale(Rgb {176, 168, 154}, 0.78 + 0.4 * stones);
    // The shoulders of the ballast bed fall off darker.
    out = Scale(out, 1.0 - 0.25 * SmoothStep(0.8, 1.0, std::abs(du) / ballast));

    // Sleepers: evenly spaced in distance, so their spacing shrinks with 1 / depth.
    const double distance = 1.0 / depth;
    const double sleeperPhase = std::fmod(distance * 7.0, 1.0);
    const double sleeperHalf = TrackHalfWidth(v, 0.17);
    if (std::abs(du) < sleeperHalf && sleeperPhase < 0.38)
        out = Scale(Rgb {138, 124, 108}, 0.85 + 0.3 * Fbm(u * 400.0, v * 90.0, 2));

    // Rails: two steel bands with a polished top.
    const double gauge = TrackHalfWidth(v, 0.115);
    const double railWidth = TrackHalfWidth(v, 0.011);
    for (double side : {-1.0, 1.0}) {
        const double d = std::abs(du - side * gauge);
        if (d < railWidth)
            out = d < railWidth * 0.45 ? Rgb {226, 226, 222} : Rgb {92, 78, 70};
    }
    return true;
}

// A Ks signal on the right of the track: mast, plate, black screen, green lamp with its glow.
bool Signal(double u, double v, Rgb& out)
{
    const double aspect = double(kWidth) / kHeight;
    const double x = (u - 0.705) * aspect;   // in units of the picture's height
    const double base = 0.845;
    if (std::abs(x) < 0.0075 && v > 0.33 && v < base) {
        const double shade = 0.75 + 0.35 * (x / 0.0075 + 1) / 2;
        out = Scale(Rgb {150, 152, 150}, shade);
        if (v > 0.60 && v < 0.66)   // mast plate: white with red borders
            out = std::abs(v - 0.63) > 0.024 ? Rgb {200, 30, 30} : Rgb {236, 236, 230};
        return true;
    }
    if (std::abs(x) < 0.034 && v > 0.18 && v < 0.355) {
        const double cx = std::abs(x);
        const double corner = std::hypot(std::max(cx - 0.026, 0.0), std::max(std::abs(v - 0.2675) - 0.0795, 0.0));
        if (corner > 0.008)
            return false;
        out = Rgb {24, 24, 26};
        // Lamps: yellow above left, red in the middle, green below right; only green is lit.
        struct Lamp {
            double x, y;
            Rgb colour;
            bool lit;
        };
        const Lamp lamps[] = {
            {-0.014, 0.215, {70, 60, 20}, false},
            {0.0, 0.262, {70, 20, 20}, false},
            {0.014, 0.312, {40, 255, 140}, true},
        };
        for (const Lamp& lamp : lamps) {
            const double r = std::hypot(x - lamp.x, v - lamp.y);
            if (r < 0.0105)
                out = lamp.lit ? Mix(Rgb {230, 255, 240}, lamp.colour, r / 0.0105) : lamp.colour;
        }
        return true;
    }
    return false;
}

Rgb Pixel(double u, double v)
{
    Rgb c;
    if (Signal(u, v, c))
        return c;
    if (v < FarRidge(u))
        c = Sky(u, v);
    else if (v < NearRidge(u))
        c = Mix(Rgb {150, 172, 178}, Rgb {120, 150, 150}, Fbm(u * 40.0, v * 40.0, 3));
    else if (v < kHorizon)
        c = Scale(Rgb {86, 124, 70}, 0.8 + 0.4 * Fbm(u * 120.0, v * 160.0, 4));
    else if (!Track(u, v, c))
        c = Meadow(u, v);

    // A row of trees on the left at the edge of the meadow.
    const double treeLine = kHorizon + 0.01 - 0.09 * SmoothStep(0.0, 0.22, 0.28 - u) * Fbm(u * 60.0, 2.0, 3);
    if (u < 0.30 && v < kHorizon + 0.02 && v > treeLine && v > 0.40)
        c = Scale(Rgb {52, 86, 44}, 0.7 + 0.6 * Fbm(u * 300.0, v * 300.0, 3));

    // Glow of the lit lamp over everything around it.
    const double aspect = double(kWidth) / kHeight;
    const double glow = std::hypot((u - 0.705) * aspect - 0.014, v - 0.312);
    c = Mix(c, Rgb {170, 255, 200}, 0.45 * std::exp(-glow * glow / 0.0006) * (glow > 0.0105));

    // The shadow of a cloud across the foreground, where the notice writes in white.
    c = Scale(c, 1.0 - 0.5 * SmoothStep(0.86, 0.92, v));

    // A faint vignette, as a lens makes it.
    const double r2 = (u - 0.5) * (u - 0.5) + (v - 0.5) * (v - 0.5);
    return Scale(c, 1.0 - 0.22 * r2);
}

std::uint8_t Channel(double value) { return std::uint8_t(std::clamp(std::lround(value), 0L, 255L)); }

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumaro-make-photo OUTPUT.jpg\n");
        return 2;
    }
    FILE* file = std::fopen(argv[1], "wb");
    if (!file) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }

    jpeg_compress_struct cinfo {};
    jpeg_error_mgr jerr {};
    cinfo.err = jpeg_std_error(&jerr);   // a tool may exit on an error
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = kWidth;
    cinfo.image_height = kHeight;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kQuality, TRUE);
    // Optimised Huffman tables keep the file small and the file baseline; no progressive scans.
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);

    std::vector<std::uint8_t> row(std::size_t(kWidth) * 3);
    for (int y = 0; y < kHeight; ++y) {
        const double v = (y + 0.5) / kHeight;
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = Pixel((x + 0.5) / kWidth, v);
            row[std::size_t(x) * 3 + 0] = Channel(c.r);
            row[std::size_t(x) * 3 + 1] = Channel(c.g);
            row[std::size_t(x) * 3 + 2] = Channel(c.b);
        }
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return std::fclose(file) == 0 ? 0 : 1;
}
