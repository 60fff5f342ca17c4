// Host side of the GDI reference: batches of traces drawn by gdiref.exe under Wine.

#include "tools/gdiref/gdi_host.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace lumaro::gdiref {

bool RunUnderWine(const std::string& exe, const std::string& work, const std::vector<Case>& cases,
    std::vector<std::vector<std::uint32_t>>& pictures, std::string& error)
{
    const std::string in = work + "/cases.txt", out = work + "/pictures.bin";
    {
        std::ofstream f(in, std::ios::binary);
        for (const Case& c : cases) {
            f << "case " << c.width << ' ' << c.height << '\n';
            for (const TraceOp& op : c.ops)
                f << io::FormatTraceOp(op) << '\n';
            f << "end\n";
        }
    }
    std::remove(out.c_str());
    // A fresh prefix is created on the first run; no display is needed for memory DCs.
    const std::string cmd = "WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' WINEPREFIX='" + work +
        "/wineprefix' wine '" + exe + "' 'Z:" + in + "' 'Z:" + out + "' >'" + work + "/wine.log' 2>&1";
    if (std::system(cmd.c_str()) != 0) {
        error = "wine failed, see " + work + "/wine.log";
        return false;
    }
    std::ifstream f(out, std::ios::binary);
    pictures.clear();
    for (const Case& c : cases) {
        std::vector<std::uint32_t> px(static_cast<std::size_t>(c.width) * c.height);
        if (!f.read(reinterpret_cast<char*>(px.data()), static_cast<std::streamsize>(px.size() * 4))) {
            error = "short picture file " + out;
            return false;
        }
        pictures.push_back(std::move(px));
    }
    return true;
}

std::vector<std::uint32_t> DrawOurs(const Case& c)
{
    Canvas canvas(c.width, c.height);
    for (const TraceOp& op : c.ops)
        canvas.Replay(op);
    const std::uint32_t* pixels = canvas.Draw().Pixels();
    return {pixels, pixels + static_cast<std::size_t>(c.width) * c.height};
}

std::string EncodeRuns(const std::vector<std::uint32_t>& pixels)
{
    std::string out;
    char buf[32];
    for (std::size_t i = 0; i < pixels.size();) {
        std::size_t j = i;
        while (j < pixels.size() && pixels[j] == pixels[i])
            ++j;
        std::snprintf(buf, sizeof buf, "%s%06X*%zu", out.empty() ? "" : " ", pixels[i], j - i);
        out += buf;
        i = j;
    }
    return out;
}

} // namespace lumaro::gdiref
