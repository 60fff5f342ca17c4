// The secondary windows' controls as JSON for the page.

#include "web/window_texts.h"

#include "io/json_writer.h"
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

void WriteWindow(io::JsonWriter& json, const Window& w)
{
    json.Key(w.key).BeginObject().Field("title", w.title).Key("controls").BeginArray();
    for (const Control& c : w.controls)
        json.BeginObject()
            .Field("name", c.name)
            .Field("kind", c.kind)
            .Field("text", c.text)
            .Field("url", c.url)
            .Field("picture", c.picture)
            .EndObject();
    json.EndArray().EndObject();
}

} // namespace

std::string WindowTextsJson()
{
    io::JsonWriter json;
    json.BeginObject();
    for (const Window& w : Windows())
        WriteWindow(json, w);
    json.EndObject();
    return json.Take();
}

} // namespace lumaro::web
