// The canvas as a deterministic 8-bit RGB PNG, through libpng.

#include "io/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace lumaro::io {

namespace {

struct Sink {
    std::string* out;
    char error[256];
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message)
{
    auto* sink = static_cast<Sink*>(png_get_error_ptr(png));
    std::snprintf(sink->error, sizeof sink->error, "%s", message);
    png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}

void OnPngWrite(png_structp png, png_bytep data, png_size_t length)
{
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    // No exception may cross libpng's C frames; a failed append becomes a libpng error.
    try {
        sink->out->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        png_error(png, "out of memory");
    }
}

void OnPngFlush(png_structp) {}

// Everything between setjmp and a possible longjmp is plain data: the C++ objects that need
// destruction (the pixel rows) belong to the caller.
bool Encode(Sink& sink, int width, int height, png_bytep* rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning);
    if (!png) {
        std::snprintf(sink.error, sizeof sink.error, "cannot create the PNG encoder");
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        std::snprintf(sink.error, sizeof sink.error, "cannot create the PNG encoder");
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &sink, OnPngWrite, OnPngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rows);
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool EncodePng(const RetainedRaster& canvas, std::string& out, std::string& error)
{
    const int width = canvas.Width();
    const int height = canvas.Height();
    // Color is 0x00BBGGRR: red in the low byte.
    std::vector<png_byte> pixels(static_cast<std::size_t>(width) * height * 3);
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    const std::uint32_t* source = canvas.Pixels();
    for (int y = 0; y < height; ++y) {
        png_bytep row = pixels.data() + static_cast<std::size_t>(y) * width * 3;
        rows[static_cast<std::size_t>(y)] = row;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t color = source[static_cast<std::size_t>(y) * width + x];
            row[3 * x + 0] = static_cast<png_byte>(color & 0xFF);
            row[3 * x + 1] = static_cast<png_byte>((color >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<png_byte>((color >> 16) & 0xFF);
        }
    }
    out.clear();
    Sink sink {&out, {}};
    if (!Encode(sink, width, height, rows.data())) {
        error = sink.error;
        out.clear();
        return false;
    }
    return true;
}

} // namespace lumaro::io
