// Draws canvas traces with the real Windows GDI and writes the pixels, as the reference our
// canvas is compared with. Built with the mingw cross compiler, run under Wine.
//
//   gdiref.exe CASES OUT
//
// CASES holds any number of cases:
//     case WIDTH HEIGHT
//     <trace lines: erase, moveto, lineto, rectangle, ellipse, floodfill>
//     end
// OUT receives, for each case in order, WIDTH * HEIGHT little-endian 32-bit pixels, row by row
// from the top, each as a colour 0x00BBGGRR. Many cases per run keep Wine's start-up cost low.

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0, height = 0;
};

bool Create(Surface& s, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    s.dc = CreateCompatibleDC(nullptr);
    s.bitmap = CreateDIBSection(s.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!s.dc || !s.bitmap)
        return false;
    s.oldBitmap = SelectObject(s.dc, s.bitmap);
    s.bits = static_cast<std::uint32_t*>(bits);
    s.width = width;
    s.height = height;
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
    return true;
}

void Destroy(Surface& s)
{
    SelectObject(s.dc, s.oldBitmap);
    DeleteObject(s.bitmap);
    DeleteDC(s.dc);
}

// Pen and brush selected for one operation, released afterwards.
struct Tools {
    HDC dc;
    HGDIOBJ oldPen = nullptr, oldBrush = nullptr;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    Tools(HDC d, bool withPen, unsigned penColor, int penWidth, bool withBrush, unsigned brushColor) : dc(d)
    {
        if (withPen) {
            pen = CreatePen(PS_SOLID, penWidth, penColor);
            oldPen = SelectObject(dc, pen);
        }
        if (withBrush) {
            brush = CreateSolidBrush(brushColor);
            oldBrush = SelectObject(dc, brush);
        }
    }
    ~Tools()
    {
        if (pen) {
            SelectObject(dc, oldPen);
            DeleteObject(pen);
        }
        if (brush) {
            SelectObject(dc, oldBrush);
            DeleteObject(brush);
        }
    }
};

bool RunLine(Surface& s, const char* line)
{
    char op[16];
    long long a = 0, b = 0, c = 0, d = 0;
    unsigned c1 = 0, c2 = 0;
    int w = 1;
    if (std::sscanf(line, "%15s", op) != 1)
        return true;
    if (!std::strcmp(op, "erase") && std::sscanf(line, "%*s %x", &c1) == 1) {
        HBRUSH brush = CreateSolidBrush(c1);
        RECT rc = {0, 0, s.width, s.height};
        FillRect(s.dc, &rc, brush);
        DeleteObject(brush);
        return true;
    }
    if (!std::strcmp(op, "moveto") && std::sscanf(line, "%*s %lld %lld", &a, &b) == 2) {
        MoveToEx(s.dc, static_cast<int>(a), static_cast<int>(b), nullptr);
        return true;
    }
    if (!std::strcmp(op, "lineto") && std::sscanf(line, "%*s %lld %lld %x %d", &a, &b, &c1, &w) == 4) {
        Tools t(s.dc, true, c1, w, false, 0);
        LineTo(s.dc, static_cast<int>(a), static_cast<int>(b));
        return true;
    }
    if ((!std::strcmp(op, "rectangle") || !std::strcmp(op, "ellipse")) &&
        std::sscanf(line, "%*s %lld %lld %lld %lld %x %d %x", &a, &b, &c, &d, &c1, &w, &c2) == 7) {
        Tools t(s.dc, true, c1, w, true, c2);
        if (op[0] == 'r')
            Rectangle(s.dc, (int)a, (int)b, (int)c, (int)d);
        else
            Ellipse(s.dc, (int)a, (int)b, (int)c, (int)d);
        return true;
    }
    if (!std::strcmp(op, "floodfill") && std::sscanf(line, "%*s %lld %lld %x %x", &a, &b, &c1, &c2) == 4) {
        Tools t(s.dc, false, 0, 1, true, c2);
        ExtFloodFill(s.dc, (int)a, (int)b, c1, FLOODFILLBORDER);
        return true;
    }
    std::fprintf(stderr, "gdiref: bad line: %s\n", line);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: gdiref CASES OUT\n");
        return 2;
    }
    FILE* in = std::fopen(argv[1], "rb");
    FILE* out = std::fopen(argv[2], "wb");
    if (!in || !out) {
        std::fprintf(stderr, "gdiref: cannot open files\n");
        return 1;
    }
    char line[512];
    Surface s;
    bool open = false;
    std::vector<std::uint32_t> row;
    int cases = 0;
    while (std::fgets(line, sizeof line, in)) {
        int w = 0, h = 0;
        if (std::sscanf(line, "case %d %d", &w, &h) == 2) {
            if (!Create(s, w, h))
                return 1;
            open = true;
            continue;
        }
        if (!std::strncmp(line, "end", 3)) {
            if (!open)
                return 1;
            GdiFlush();
            row.resize(static_cast<size_t>(s.width));
            for (int y = 0; y < s.height; ++y) {
                const std::uint32_t* p = s.bits + static_cast<size_t>(y) * s.width;
                for (int x = 0; x < s.width; ++x)
                    row[x] = ((p[x] & 0xFF) << 16) | (p[x] & 0xFF00) | ((p[x] >> 16) & 0xFF);
                std::fwrite(row.data(), 4, row.size(), out);
            }
            Destroy(s);
            open = false;
            ++cases;
            continue;
        }
        if (open && !RunLine(s, line))
            return 2;
    }
    std::fclose(out);
    std::fprintf(stderr, "gdiref: %d cases\n", cases);
    return 0;
}
