// The photograph's decoder: libjpeg-turbo scaling in the decoder, then area averaging to the
// picture box. Damage of any kind is refused, never fatal.

#include "contents/photo_decoder.h"

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>

namespace lumaro {

ImageSize FitWithin(ImageSize image, ImageSize box)
{
    if (image.width <= 0 || image.height <= 0 || box.width <= 0 || box.height <= 0)
        return {};
    // Compare the aspects crosswise in 64 bits: whichever side of the box is the tighter limit
    // takes its full length.
    const std::int64_t w = image.width, h = image.height;
    if (w * box.height <= h * box.width)
        return {int(w * box.height / h), box.height};
    return {box.width, int(h * box.width / w)};
}

namespace {

// What one target pixel takes from the source along one axis: the source pixels from `first`
// on, each with the share of the target pixel that it covers.
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> AreaSpans(int source, int target)
{
    std::vector<Span> spans(static_cast<std::size_t>(target));
    const double step = double(source) / target;
    for (int i = 0; i < target; ++i) {
        const double lo = i * step;
        const double hi = std::min((i + 1) * step, double(source));
        Span& span = spans[std::size_t(i)];
        span.first = std::min(int(lo), source - 1);
        for (int s = span.first; s < source && s < hi; ++s) {
            const double covered = std::min(hi, s + 1.0) - std::max(lo, double(s));
            span.weights.push_back(float(covered / (hi - lo)));
        }
    }
    return spans;
}

} // namespace

RgbImage ScaleByArea(const RgbImage& source, ImageSize target)
{
    RgbImage result;
    if (target.width <= 0 || target.height <= 0 || source.size.width <= 0 || source.size.height <= 0)
        return result;
    result.size = target;
    result.pixels.resize(std::size_t(target.width) * target.height * 3);

    const std::vector<Span> columns = AreaSpans(source.size.width, target.width);
    const std::vector<Span> rows = AreaSpans(source.size.height, target.height);
    const std::size_t targetRow = std::size_t(target.width) * 3;
    const std::size_t sourceRow = std::size_t(source.size.width) * 3;

    // Each source row is scaled across once; neighbouring target rows share at most the row on
    // their border, so remembering the last one is enough.
    std::vector<float> across(targetRow);
    int acrossRow = -1;
    std::vector<float> sum(targetRow);
    for (int y = 0; y < target.height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const Span& down = rows[std::size_t(y)];
        for (std::size_t k = 0; k < down.weights.size(); ++k) {
            const int sy = down.first + int(k);
            if (sy != acrossRow) {
                const std::uint8_t* in = source.pixels.data() + std::size_t(sy) * sourceRow;
                for (int x = 0; x < target.width; ++x) {
                    const Span& span = columns[std::size_t(x)];
                    float r = 0, g = 0, b = 0;
                    const std::uint8_t* p = in + std::size_t(span.first) * 3;
                    for (float w : span.weights) {
                        r += w * p[0];
                        g += w * p[1];
                        b += w * p[2];
                        p += 3;
                    }
                    across[std::size_t(x) * 3 + 0] = r;
                    across[std::size_t(x) * 3 + 1] = g;
                    across[std::size_t(x) * 3 + 2] = b;
                }
                acrossRow = sy;
            }
            const float w = down.weights[k];
            for (std::size_t i = 0; i < targetRow; ++i)
                sum[i] += w * across[i];
        }
        std::uint8_t* out = result.pixels.data() + std::size_t(y) * targetRow;
        for (std::size_t i = 0; i < targetRow; ++i)
            out[i] = std::uint8_t(std::clamp(std::lround(sum[i]), 0L, 255L));
    }
    return result;
}

namespace {

// libjpeg's own error handler ends the process. This one jumps back into DecodeScaled instead,
// and takes warnings (corrupt or missing data, which libjpeg would paper over) as errors too.
struct ErrorManager {
    jpeg_error_mgr pub;   // first, so that a j_common_ptr's err points at the whole struct
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void EmitMessage(j_common_ptr cinfo, int level)
{
    // Level -1 is a warning about the data; higher levels are trace messages.
    if (level < 0)
        std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OutputMessage(j_common_ptr) {}

// The smallest n in 1..8 for which libjpeg's output at n/8 (sides rounded up) is at least `fit`,
// so that the area scaling after it only ever shrinks.
int ScaleNumerator(ImageSize full, ImageSize fit)
{
    for (int n = 1; n < 8; ++n) {
        const std::int64_t w = (std::int64_t(full.width) * n + 7) / 8;
        const std::int64_t h = (std::int64_t(full.height) * n + 7) / 8;
        if (w >= fit.width && h >= fit.height)
            return n;
    }
    return 8;
}

// Everything that must survive a longjmp lives here, outside the frame that calls setjmp.
struct DecodeJob {
    std::span<const std::uint8_t> input;
    ImageSize expected;
    int scaleNumerator = 8;
    RgbImage decoded;
};

// Only C structs live in this frame: a longjmp out of libjpeg skips no destructor.
bool Decode(DecodeJob& job)
{
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = ErrorExit;
    errors.pub.emit_message = EmitMessage;
    errors.pub.output_message = OutputMessage;
    if (setjmp(errors.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, job.input.data(), static_cast<unsigned long>(job.input.size()));
    jpeg_read_header(&cinfo, TRUE);

    // Checked before anything is allocated for the pixels: a damaged header may claim any size.
    const bool acceptable = int(cinfo.image_width) == job.expected.width
                            && int(cinfo.image_height) == job.expected.height
                            && cinfo.num_components == 3 && cinfo.jpeg_color_space == JCS_YCbCr
                            && !cinfo.progressive_mode && !cinfo.arith_code && cinfo.data_precision == 8;
    if (!acceptable) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }

    cinfo.out_color_space = JCS_RGB;
    cinfo.scale_num = static_cast<unsigned>(job.scaleNumerator);
    cinfo.scale_denom = 8;
    jpeg_start_decompress(&cinfo);

    RgbImage& image = job.decoded;
    image.size = {int(cinfo.output_width), int(cinfo.output_height)};
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;
    image.pixels.resize(stride * cinfo.output_height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW rows[4];
        const JDIMENSION next = cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(4, cinfo.output_height - next);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = image.pixels.data() + stride * (next + i);
        // The memory source never suspends, so no rows means the decoder is stuck.
        if (jpeg_read_scanlines(&cinfo, rows, count) == 0) {
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

std::optional<RgbImage> DecodePhotograph(std::span<const std::uint8_t> jpeg, ImageSize expected, ImageSize box,
                                         DctScaling scaling)
{
    const ImageSize fit = FitWithin(expected, box);
    if (jpeg.empty() || fit.width <= 0 || fit.height <= 0)
        return std::nullopt;

    DecodeJob job;
    job.input = jpeg;
    job.expected = expected;
    job.scaleNumerator = scaling == DctScaling::ToFit ? ScaleNumerator(expected, fit) : 8;
    if (!Decode(job))
        return std::nullopt;
    if (job.decoded.size == fit)
        return std::move(job.decoded);
    return ScaleByArea(job.decoded, fit);
}

} // namespace lumaro
