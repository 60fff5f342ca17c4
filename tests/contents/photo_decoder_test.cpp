// The photograph's decoder against the real photograph, damaged copies and random damage.

#include "contents/photo_decoder.h"

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

using namespace lumaro;

namespace {

constexpr ImageSize kPhoto {3648, 2736};
constexpr ImageSize kBox {601, 449};

std::vector<std::uint8_t> ReadPhotograph()
{
    std::ifstream in(LUMARO_PHOTO_FILE, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

const std::vector<std::uint8_t>& Photograph()
{
    static const std::vector<std::uint8_t> bytes = ReadPhotograph();
    return bytes;
}

struct EncodeOptions {
    ImageSize size {64, 48};
    int components = 3;
    J_COLOR_SPACE colourSpace = JCS_RGB;
    bool progressive = false;
    bool arithmetic = false;
};

// A small JPEG of a diagonal colour ramp, written by libjpeg in memory.
std::vector<std::uint8_t> Encode(const EncodeOptions& options)
{
    jpeg_compress_struct cinfo {};
    jpeg_error_mgr jerr {};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(options.size.width);
    cinfo.image_height = JDIMENSION(options.size.height);
    cinfo.input_components = options.components;
    cinfo.in_color_space = options.colourSpace;
    jpeg_set_defaults(&cinfo);
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    cinfo.arith_code = options.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(std::size_t(options.size.width * options.components));
    for (int y = 0; y < options.size.height; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i)
            row[i] = std::uint8_t((int(i) * 3 + y * 5) & 0xFF);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

RgbImage Picture(ImageSize size, std::vector<std::uint8_t> pixels) { return {size, std::move(pixels)}; }

int Iterations(int fallback)
{
    const char* text = std::getenv("LUMARO_FUZZ_ITERATIONS");
    return text && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}

// One random damage of the kinds a broken download or disk produces.
std::vector<std::uint8_t> Damage(std::vector<std::uint8_t> bytes, std::mt19937& random)
{
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    switch (pick(6)) {
    case 0: // truncated
        bytes.resize(pick(bytes.size()));
        break;
    case 1: // a few bits flipped
        for (std::size_t i = 0, n = 1 + pick(8); i < n; ++i)
            bytes[pick(bytes.size())] ^= std::uint8_t(1u << pick(8));
        break;
    case 2: // a run overwritten with random bytes
        for (std::size_t at = pick(bytes.size()), n = 1 + pick(64); n-- && at < bytes.size(); ++at)
            bytes[at] = std::uint8_t(pick(256));
        break;
    case 3: // a run cut out
        {
            const std::size_t at = pick(bytes.size());
            bytes.erase(bytes.begin() + std::ptrdiff_t(at),
                        bytes.begin() + std::ptrdiff_t(std::min(bytes.size(), at + 1 + pick(256))));
        }
        break;
    case 4: // a marker dropped in
        {
            static constexpr std::uint8_t kMarkers[] = {0xD8, 0xD9, 0xDA, 0xDB, 0xC0, 0xC2, 0xC4, 0xDD, 0xD0, 0xFF};
            const std::size_t at = pick(bytes.size());
            bytes.insert(bytes.begin() + std::ptrdiff_t(at), {0xFF, kMarkers[pick(std::size(kMarkers))]});
        }
        break;
    default: // the header region damaged, where the sizes and tables are
        for (std::size_t i = 0, n = 1 + pick(4); i < n; ++i)
            bytes[pick(std::min<std::size_t>(bytes.size(), 700))] = std::uint8_t(pick(256));
        break;
    }
    if (bytes.empty())
        bytes.push_back(0xFF);
    return bytes;
}

TEST(PhotoDecoderTest, FitWithinKeepsTheAspectAndFillsTheTighterSide)
{
    EXPECT_EQ(FitWithin(kPhoto, kBox), (ImageSize {598, 449}));
    EXPECT_EQ(FitWithin({1000, 100}, kBox), (ImageSize {601, 60}));
    EXPECT_EQ(FitWithin({601, 449}, kBox), (ImageSize {601, 449}));
    EXPECT_EQ(FitWithin({10, 10}, {40, 20}), (ImageSize {20, 20}));
    EXPECT_EQ(FitWithin({0, 10}, kBox), (ImageSize {}));
    EXPECT_EQ(FitWithin(kPhoto, {0, 449}), (ImageSize {}));
}

TEST(PhotoDecoderTest, ScaleByAreaAveragesWhatEachPixelCovers)
{
    // Two pixels into one: the plain mean.
    const RgbImage pair = Picture({2, 1}, {0, 100, 200, 100, 200, 0});
    EXPECT_EQ(ScaleByArea(pair, {1, 1}).pixels, (std::vector<std::uint8_t> {50, 150, 100}));

    // Three grey pixels into two: the middle one is shared half and half.
    const RgbImage three = Picture({3, 1}, {0, 0, 0, 90, 90, 90, 180, 180, 180});
    EXPECT_EQ(ScaleByArea(three, {2, 1}).pixels, (std::vector<std::uint8_t> {30, 30, 30, 150, 150, 150}));

    // Down a column in the same way.
    const RgbImage column = Picture({1, 3}, {0, 0, 0, 90, 90, 90, 180, 180, 180});
    EXPECT_EQ(ScaleByArea(column, {1, 2}).pixels, (std::vector<std::uint8_t> {30, 30, 30, 150, 150, 150}));

    // An even colour stays exactly itself at any ratio.
    RgbImage flat = Picture({37, 23}, {});
    for (int i = 0; i < 37 * 23; ++i)
        flat.pixels.insert(flat.pixels.end(), {17, 201, 255});
    const RgbImage small = ScaleByArea(flat, {11, 7});
    ASSERT_EQ(small.pixels.size(), 11u * 7u * 3u);
    for (std::size_t i = 0; i < small.pixels.size(); i += 3)
        ASSERT_EQ((std::vector<std::uint8_t>(small.pixels.begin() + std::ptrdiff_t(i), small.pixels.begin() + std::ptrdiff_t(i) + 3)),
                  (std::vector<std::uint8_t> {17, 201, 255}));

    EXPECT_TRUE(ScaleByArea(flat, {0, 5}).pixels.empty());
}

TEST(PhotoDecoderTest, DecodesThePhotographScaledInTheDecoderAsTheFullDecodeWould)
{
    ASSERT_GT(Photograph().size(), 100'000u) << LUMARO_PHOTO_FILE;
    const std::optional<RgbImage> scaled = DecodePhotograph(Photograph(), kPhoto, kBox);
    const std::optional<RgbImage> full = DecodePhotograph(Photograph(), kPhoto, kBox, DctScaling::FullSize);
    ASSERT_TRUE(scaled && full);
    EXPECT_EQ(scaled->size, (ImageSize {598, 449}));
    ASSERT_EQ(full->size, scaled->size);

    long total = 0;
    for (std::size_t i = 0; i < scaled->pixels.size(); ++i)
        total += std::abs(int(scaled->pixels[i]) - int(full->pixels[i]));
    EXPECT_LT(double(total) / double(scaled->pixels.size()), 2.0);

    // Right way up and in the right channel order: sky at the top, grey ballast at the bottom.
    auto pixel = [&](int x, int y) {
        const std::uint8_t* p = scaled->pixels.data() + (std::size_t(y) * 598 + std::size_t(x)) * 3;
        return std::array<int, 3> {p[0], p[1], p[2]};
    };
    const auto sky = pixel(300, 20);
    EXPECT_GT(sky[2], sky[0] + 40);
    const auto ballast = pixel(250, 440);
    EXPECT_LT(std::abs(ballast[0] - ballast[2]), 40);
}

TEST(PhotoDecoderTest, RefusesEverythingButABaselineColourJpegOfTheExpectedSize)
{
    const ImageSize small {64, 48};
    const ImageSize box {40, 30};
    ASSERT_TRUE(DecodePhotograph(Encode({}), small, box));

    EXPECT_FALSE(DecodePhotograph(Encode({}), {64, 47}, box)) << "another size";
    EXPECT_FALSE(DecodePhotograph(Encode({.size = {48, 64}}), small, box)) << "turned";
    EXPECT_FALSE(DecodePhotograph(Encode({.progressive = true}), small, box)) << "progressive";
    EXPECT_FALSE(DecodePhotograph(Encode({.arithmetic = true}), small, box)) << "arithmetic";
    EXPECT_FALSE(DecodePhotograph(Encode({.components = 1, .colourSpace = JCS_GRAYSCALE}), small, box)) << "grey";
    EXPECT_FALSE(DecodePhotograph(Encode({.components = 4, .colourSpace = JCS_CMYK}), small, box)) << "CMYK";

    const std::string text = "GIF89a, or any other file that is not a JPEG";
    EXPECT_FALSE(DecodePhotograph({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, small, box));
    EXPECT_FALSE(DecodePhotograph({}, small, box));
    EXPECT_FALSE(DecodePhotograph(Encode({}), small, {0, 0}));
}

TEST(PhotoDecoderTest, RefusesDamagedCopiesOfThePhotograph)
{
    const std::vector<std::uint8_t>& photo = Photograph();
    ASSERT_FALSE(photo.empty());

    // Cut off in the header, early in the scan, and just before the end-of-image marker.
    for (std::size_t keep : {std::size_t(2), std::size_t(300), photo.size() / 10, photo.size() - 2}) {
        const std::vector<std::uint8_t> cut(photo.begin(), photo.begin() + std::ptrdiff_t(keep));
        EXPECT_FALSE(DecodePhotograph(cut, kPhoto, kBox)) << "truncated to " << keep;
    }

    // The frame header (after FF C0, its length and precision) holds the height, then the width.
    std::vector<std::uint8_t> resized = photo;
    for (std::size_t i = 0; i + 8 < resized.size(); ++i) {
        if (resized[i] == 0xFF && resized[i + 1] == 0xC0) {
            resized[i + 7] ^= 0x01;   // the width's high byte
            break;
        }
    }
    ASSERT_NE(resized, photo);
    EXPECT_FALSE(DecodePhotograph(resized, kPhoto, kBox));

    // Garbage in the middle of the scan: libjpeg notices the broken entropy code.
    std::vector<std::uint8_t> garbled = photo;
    for (std::size_t i = photo.size() / 2; i < photo.size() / 2 + 4096; ++i)
        garbled[i] = std::uint8_t(i * 7919 % 251);
    EXPECT_FALSE(DecodePhotograph(garbled, kPhoto, kBox));
}

// Random damages must only ever end in a refusal or in a picture of the fitted size: never a crash,
// a hang, an exit or a read out of bounds (run under AddressSanitizer by `make test-asan`).
TEST(PhotoDecoderTest, SurvivesRandomDamage)
{
    std::mt19937 random(20240601);
    const std::vector<std::uint8_t> small = Encode({});
    for (int i = 0, n = Iterations(2000); i < n; ++i) {
        const std::vector<std::uint8_t> damaged = Damage(small, random);
        if (const auto image = DecodePhotograph(damaged, {64, 48}, {40, 30})) {
            ASSERT_EQ(image->size, (ImageSize {40, 30})) << "iteration " << i;
        }
    }

    const std::vector<std::uint8_t>& photo = Photograph();
    for (int i = 0, n = Iterations(2000) / 40; i < n; ++i) {
        const std::vector<std::uint8_t> damaged = Damage(photo, random);
        if (const auto image = DecodePhotograph(damaged, kPhoto, kBox)) {
            ASSERT_EQ(image->size, (ImageSize {598, 449})) << "photograph iteration " << i;
        }
    }
}

} // namespace
