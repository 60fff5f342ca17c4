// The secondary windows' controls as JSON for the page.

#include "web/window_texts.h"

#include "io/json_text.h"
#include "core/version.h"
#include "contents/texts.h"

#include <string_view>
#include <vector>

namespace lumaro::web {

namespace {

struct Control {
    std::string_view name;
    std::string_view kind;
    std::string text;
    std::string url;
    std::string_view picture;
};

struct Window {
    std::string_view key;   // the page's name for the window
    std::string_view title;
    std::vector<Control> controls;
};

Control Label(std::string_view name, std::string_view text) { return {name, "label", std::string(text), {}, {}}; }

Control Link(std::string_view name, std::string_view text, std::string url)
{
    return {name, "link", std::string(text), std::move(url), {}};
}

Control Picture(std::string_view name, std::string_view file, std::string url = {})
{
    return {name, "picture", {}, std::move(url), file};
}

// The windows as dialogs/notice_window.cpp, about_window.cpp and text_windows.cpp make them.
std::vector<Window> Windows()
{
    const std::string web(kWebSite);
    const std::string mail = SupportMailLink();
    const NoticeTexts& notice = kNoticeTexts;
    const AboutTexts& about = kAboutTexts;
    const ManualTexts& manual = kManualTexts;
    return {
        {"Notice", notice.title, {
            Picture("Image1", kPhotographFile),
            Link("Label2", notice.webLink, web),
            Link("Label3", notice.mailLink, mail),
            Label("Label4", notice.countdownBefore),
            {"Label5", "seconds", {}, {}, {}},
            Label("Label6", notice.countdownAfter),
            Picture("Image2", kLogoFile, web),
            Label("Label7", notice.tagline),
            Label("Label8", notice.rightsLine1),
            Label("Label9", notice.rightsLine2),
        }},
        {"About", about.title, {
            Picture("Image1", kLogoFile),
            Label("Panel1", about.name),
            Label("Panel2", VersionLine(LUMARO_VERSION)),
            Label("Panel4", about.author),
            Link("Panel5", about.webLink, web),
            Label("Panel6", about.tagline),
            Link("Panel7", about.mailLink, mail),
            {"Button1", "button", std::string(about.ok), {}, {}},
        }},
        {"Licence", kLicenceTitle, {
            {"RichEdit1", "textView", kLicenceText, {}, {}},
        }},
        {"Manual", manual.title, {
            {"RichEdit1", "textView", ManualText(), {}, {}},
            Link("Label1", manual.signalBookLink, std::string(kSignalBook)),
            Link("Label2", manual.mailLink, mail),
            Link("Label3", manual.webLink, web),
        }},
    };
}

void AppendField(std::string& out, std::string_view key, std::string_view value)
{
    io::AppendJsonString(out, key);
    out += ": ";
    io::AppendJsonString(out, value);
}

void AppendWindow(std::string& out, const Window& w)
{
    io::AppendJsonString(out, w.key);
    out += ": {";
    AppendField(out, "title", w.title);
    out += ", \"controls\": [";
    bool first = true;
    for (const Control& c : w.controls) {
        out += first ? "{" : ", {";
        first = false;
        AppendField(out, "name", c.name);
        out += ", ";
        AppendField(out, "kind", c.kind);
        out += ", ";
        AppendField(out, "text", c.text);
        out += ", ";
        AppendField(out, "url", c.url);
        out += ", ";
        AppendField(out, "picture", c.picture);
        out += '}';
    }
    out += "]}";
}

} // namespace

std::string WindowTextsJson()
{
    std::string out = "{";
    bool first = true;
    for (const Window& w : Windows()) {
        out += first ? "" : ", ";
        first = false;
        AppendWindow(out, w);
    }
    out += "}";
    return out;
}

} // namespace lumaro::web
