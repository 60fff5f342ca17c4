#include "web/window_texts.h"

#include "cli/json_text.h"

#include <initializer_list>
#include <string_view>

namespace lumaro::web {

namespace {

struct Link {
    std::string_view text;
    std::string_view url;
};

struct WindowText {
    std::string_view key;   // the page's name for the window
    std::string_view title;
    std::initializer_list<std::string_view> paragraphs;
    std::initializer_list<Link> links;
    std::string_view photo;  // file name under assets/, empty for none
};

// FIXME: placeholders until the desktop's windows land. The page must show the desktop
// program's own texts, links and photograph: this table is the one place where they are
// taken over, from the desktop windows' GUI-free text source, never typed in a second time.
// The notice's seconds are not part of its text: the page shows NoticeSeconds after it.
const WindowText kWindows[] = {
    {"Notice", "Lumaro", {"Das Programm wird beendet in"}, {}, ""},
    {"About", "Info", {"Lumaro"}, {}, ""},
    {"Licence", "Lizenz", {"Lizenz"}, {}, ""},
    {"Manual", "Anleitung", {"Anleitung"}, {}, ""},
};

void AppendWindow(std::string& out, const WindowText& w)
{
    using cli::AppendJsonString;
    AppendJsonString(out, w.key);
    out += ": {\"title\": ";
    AppendJsonString(out, w.title);
    out += ", \"paragraphs\": [";
    bool first = true;
    for (std::string_view p : w.paragraphs) {
        out += first ? "" : ", ";
        first = false;
        AppendJsonString(out, p);
    }
    out += "], \"links\": [";
    first = true;
    for (const Link& link : w.links) {
        out += first ? "{\"text\": " : ", {\"text\": ";
        first = false;
        AppendJsonString(out, link.text);
        out += ", \"url\": ";
        AppendJsonString(out, link.url);
        out += '}';
    }
    out += "], \"photo\": ";
    AppendJsonString(out, w.photo);
    out += '}';
}

} // namespace

std::string WindowTextsJson()
{
    std::string out = "{";
    bool first = true;
    for (const WindowText& w : kWindows) {
        out += first ? "" : ", ";
        first = false;
        AppendWindow(out, w);
    }
    out += "}";
    return out;
}

} // namespace lumaro::web
