// Writes the package's copyright file in Debian's machine-readable format: the maker, the web
// site and the licence terms exactly as the windows show them.
//   lumaro-copyright-file YEARS OUT     YEARS as in "2026" or "2026-2027"

#include "contents/texts.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace {

// A field's continuation lines: each indented by one blank, an empty line written as " .".
std::string Continued(std::string_view text)
{
    std::string out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        out += line.empty() ? " ." : " ";
        out += line;
        out += '\n';
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || argv[1][0] == '\0') {
        std::fputs("usage: lumaro-copyright-file YEARS OUT\n", stderr);
        return 2;
    }
    const std::string_view maker = lumaro::kAboutTexts.webLink;
    std::ostringstream file;
    file << "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
         << "Upstream-Name: " << lumaro::kAboutTexts.name << '\n'
         << "Upstream-Contact: " << maker << " <" << lumaro::kSupportMail << ">\n"
         << "Source: " << lumaro::kWebSite << '\n'
         << '\n'
         << "Files: *\n"
         << "Copyright: " << argv[1] << ' ' << maker << '\n'
         << "License: " << lumaro::kAboutTexts.name << '\n'
         << Continued(lumaro::kLicenceText);

    // Written beside the target and renamed onto it, so a failed run leaves no half file.
    const std::string out = argv[2];
    const std::string partial = out + ".partial";
    {
        std::ofstream stream(partial, std::ios::binary | std::ios::trunc);
        stream << file.str();
        stream.close();
        if (!stream) {
            std::fprintf(stderr, "lumaro-copyright-file: cannot write %s\n", partial.c_str());
            std::remove(partial.c_str());
            return 1;
        }
    }
    if (std::rename(partial.c_str(), out.c_str()) != 0) {
        std::fprintf(stderr, "lumaro-copyright-file: cannot rename %s to %s\n", partial.c_str(), out.c_str());
        std::remove(partial.c_str());
        return 1;
    }
    return 0;
}
