// The page's entry points into the core: plain C functions, called through the module's cwrap.
// Texts are returned as NUL-terminated UTF-8 that stays valid until the next call returning text.

#include "web/access_json.h"
#include "web/session.h"
#include "web/window_texts.h"

#include <emscripten/emscripten.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<lumaro::web::Session> g_session;
std::string g_text;

lumaro::web::Session& TheSession()
{
    if (!g_session)
        g_session = std::make_unique<lumaro::web::Session>();
    return *g_session;
}

const char* Text(std::string text)
{
    g_text = std::move(text);
    return g_text.c_str();
}

} // namespace

extern "C" {

// Starts the program afresh: the old run is gone first, so two canvases never live at once.
EMSCRIPTEN_KEEPALIVE void lumaro_start()
{
    g_session.reset();
    g_session = std::make_unique<lumaro::web::Session>();
}

EMSCRIPTEN_KEEPALIVE void lumaro_tick() { TheSession().Tick(); }

EMSCRIPTEN_KEEPALIVE int lumaro_click_button(int n) { return TheSession().ClickButton(n); }

EMSCRIPTEN_KEEPALIVE int lumaro_menu(const char* component) { return TheSession().MenuCommand(component); }

EMSCRIPTEN_KEEPALIVE void lumaro_form_click() { TheSession().FormClick(); }

// Width * height * 4 bytes, row by row.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* lumaro_pixels() { return TheSession().Rgba(); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_state_json() { return Text(TheSession().StateJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_trace() { return Text(TheSession().Trace()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_windows_json() { return Text(TheSession().WindowsJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_layout_json() { return Text(lumaro::web::Session::LayoutJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_access_json() { return Text(lumaro::web::AccessJson(TheSession().Form().View())); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_window_texts() { return Text(lumaro::web::WindowTextsJson()); }

} // extern "C"
