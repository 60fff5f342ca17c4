#pragma once

// Decoding of the notice window's photograph. Knows nothing of Qt, so that it can be tested and
// fuzzed on its own.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumaro {

struct ImageSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// Pixels as rows of width * 3 bytes in the order red, green, blue, without padding.
struct RgbImage {
    ImageSize size;
    std::vector<std::uint8_t> pixels;
};

// The largest size with the aspect of `image` that fits `box`; sides are rounded down.
ImageSize FitWithin(ImageSize image, ImageSize box);

// Scales by averaging the area of the source that each target pixel covers.
RgbImage ScaleByArea(const RgbImage& source, ImageSize target);

enum class DctScaling {
    ToFit,      // the decoder scales by the smallest factor n/8 that keeps the image at least as
                // large as the fitted size, then the area scaling does the rest
    FullSize,   // decode every pixel, then scale (the slow way, for comparison)
};

// Decodes a baseline JPEG with three colour components of exactly `expected` size and scales it
// to FitWithin(expected, box). Returns nothing for anything else: data that is not a JPEG,
// truncated or damaged data (the decoder's first warning already counts as damage), a
// progressive, arithmetic-coded, greyscale or CMYK image, or an image of another size. Never ends
// the process and never reads outside `jpeg`.
std::optional<RgbImage> DecodePhotograph(std::span<const std::uint8_t> jpeg, ImageSize expected, ImageSize box,
                                         DctScaling scaling = DctScaling::ToFit);

} // namespace lumaro
