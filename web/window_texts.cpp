#include "web/window_texts.h"

#include "cli/json_text.h"

#include <string_view>
#include <vector>

namespace lumaro::web {

namespace {

struct Link {
    std::string text;
    std::string url;
};

struct WindowText {
    std::string key;     // the page's name for the window
    std::string title;
    std::string text;    // line breaks are kept as they are
    std::vector<Link> links;
    std::string photo;   // file name under assets/, empty for none
    // The notice's countdown line around NoticeSeconds, e.g. "... in " 7 " Sekunden".
    std::string countdownBefore;
    std::string countdownAfter;
};

// FIXME: placeholders until the desktop's windows land. The page must show the desktop
// program's own texts, links and photograph: this is the one place where they are taken
// over, from the desktop windows' GUI-free text source, never typed in a second time.
std::vector<WindowText> Windows()
{
    return {
        {"Notice", "Lumaro", "", {}, "", "", " s"},
        {"About", "Lumaro", "", {}, "", "", ""},
        {"Licence", "Lizenz", "", {}, "", "", ""},
        {"Manual", "Anleitung", "", {}, "", "", ""},
    };
}

void AppendField(std::string& out, std::string_view key, std::string_view value)
{
    out += ", ";
    cli::AppendJsonString(out, key);
    out += ": ";
    cli::AppendJsonString(out, value);
}

void AppendWindow(std::string& out, const WindowText& w)
{
    cli::AppendJsonString(out, w.key);
    out += ": {\"links\": [";
    bool first = true;
    for (const Link& link : w.links) {
        out += first ? "{" : ", {";
        first = false;
        out += "\"text\": ";
        cli::AppendJsonString(out, link.text);
        AppendField(out, "url", link.url);
        out += '}';
    }
    out += ']';
    AppendField(out, "title", w.title);
    AppendField(out, "text", w.text);
    AppendField(out, "photo", w.photo);
    AppendField(out, "countdownBefore", w.countdownBefore);
    AppendField(out, "countdownAfter", w.countdownAfter);
    out += '}';
}

} // namespace

std::string WindowTextsJson()
{
    std::string out = "{";
    bool first = true;
    for (const WindowText& w : Windows()) {
        out += first ? "" : ", ";
        first = false;
        AppendWindow(out, w);
    }
    out += "}";
    return out;
}

} // namespace lumaro::web
