// The page's entry points into the core: plain C functions, called through the module's cwrap.
// Texts are returned as NUL-terminated UTF-8 that stays valid until the next call returning text.

#include "io/json_text.h"
#include "documents/run_json.h"
#include "web/access_json.h"
#include "web/columns_json.h"
#include "web/session.h"
#include "web/window_texts.h"
#include "learn/fahrt.h"
#include "learn/progress.h"
#include "documents/quiz_json.h"
#include "learn/quiz.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace {

std::unique_ptr<lumaro::web::Session> g_session;
std::string g_text;
lumaro::learn::Progress g_progress;
// The speed line as the page shows it after every tick and every step of its train.
lumaro::learn::SpeedLineCache g_speedLine;

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

// A seed as the page passes it: decimal digits, as a string, since a script's numbers end at 2^53.
bool ParseSeed(const char* text, std::uint64_t& seed)
{
    seed = 0;
    if (!text || !*text)
        return false;
    for (const char* c = text; *c; ++c) {
        if (*c < '0' || *c > '9')
            return false;
        const auto digit = static_cast<std::uint64_t>(*c - '0');
        if (seed > (UINT64_MAX - digit) / 10)
            return false;
        seed = seed * 10 + digit;
    }
    return true;
}

std::string JsonString(std::string_view text)
{
    std::string out;
    lumaro::io::AppendJsonString(out, text);
    return out;
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

// The part of the canvas the last lumaro_pixels() wrote again: left, top, width, height.
EMSCRIPTEN_KEEPALIVE const std::int32_t* lumaro_pixels_changed() { return TheSession().RgbaChanged(); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_state_json() { return Text(TheSession().StateJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_trace() { return Text(TheSession().Trace()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_explain_json() { return Text(TheSession().ExplainJson()); }

EMSCRIPTEN_KEEPALIVE int lumaro_panel_of_column(int x) { return TheSession().PanelOfColumn(x); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_why_of(int panel) { return Text(TheSession().WhyOf(panel)); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_windows_json() { return Text(TheSession().WindowsJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_layout_json() { return Text(lumaro::web::Session::LayoutJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_access_json() { return Text(lumaro::web::AccessJson(TheSession().Form().View())); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_window_texts() { return Text(lumaro::web::WindowTextsJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_columns_json() { return Text(lumaro::web::ColumnsJson()); }

// The speed along the line for the aspects the panels show: what lumaro-render --run writes
// (`view` 0), or the line as the page draws it (`view` 1). "null" for a train length outside
// 0 .. 100.
EMSCRIPTEN_KEEPALIVE const char* lumaro_run(int trainLength, int stopAtPlatform, int view)
{
    using namespace lumaro::learn;
    if (trainLength < 0 || trainLength > kMaxTrainLength)
        return Text("null");
    const lumaro::FormState& form = TheSession().Form().View();
    const SpeedLine& line = g_speedLine.Get(form.SelectedSystem(), form.Panels,
                                            {trainLength, stopAtPlatform ? PlatformStop::Stop : PlatformStop::Pass});
    return Text(view ? lumaro::documents::SpeedLineViewJson(line) : lumaro::documents::SpeedLineJson(line));
}

// One step of the train running that line, `ms` milliseconds long, from where the page's train
// is: {"head", "wait_ms", "stopped_at_platform", "running"}.
EMSCRIPTEN_KEEPALIVE const char* lumaro_train_step(int trainLength, int stopAtPlatform, double head, int waitMs,
                                                   int stoppedAtPlatform, int ms)
{
    using namespace lumaro::learn;
    if (trainLength < 0 || trainLength > kMaxTrainLength)
        return Text("null");
    const lumaro::FormState& form = TheSession().Form().View();
    const SpeedLine& line = g_speedLine.Get(form.SelectedSystem(), form.Panels,
                                            {trainLength, stopAtPlatform ? PlatformStop::Stop : PlatformStop::Pass});
    TrainRun train{head, waitMs, stoppedAtPlatform != 0, true};
    AdvanceTrain(line, train, ms);
    return Text("{\"head\": " + std::to_string(train.head) + ", \"wait_ms\": " + std::to_string(train.waitMs)
                + ", \"stopped_at_platform\": " + (train.stoppedAtPlatform ? "true" : "false")
                + ", \"running\": " + (train.running ? "true" : "false") + "}");
}

// The items of lumaro-render --quiz for the seed, as one JSON array; "null" for a bad argument.
EMSCRIPTEN_KEEPALIVE const char* lumaro_quiz(const char* seed, int items)
{
    std::uint64_t value = 0;
    if (!ParseSeed(seed, value) || items < 0 || items > lumaro::learn::kMaxQuizItems)
        return Text("null");
    std::string out = "[";
    for (const lumaro::learn::QuizItem& item : lumaro::learn::GenerateQuiz(value, items))
        out += (out.size() > 1 ? "," : "") + lumaro::documents::QuizItemJson(item);
    return Text(out + "]");
}

// One practice item: about the question that is due in the progress, else of a random kind.
// The item's designation rides along, for recording the answer.
EMSCRIPTEN_KEEPALIVE const char* lumaro_practice_item(const char* seed)
{
    std::uint64_t value = 0;
    ParseSeed(seed, value);
    lumaro::learn::Random random(value);
    lumaro::learn::QuizItem item;
    if (const auto due = g_progress.Due())
        item = lumaro::learn::GenerateItem(random, due->kind, due->system, due->designation);
    else
        item = lumaro::learn::GenerateItem(random, static_cast<lumaro::learn::ItemKind>(random.Below(4)));
    std::string json = lumaro::documents::QuizItemJson(item);
    json.pop_back();
    return Text(json + ", \"designation\": " + JsonString(item.designation) + "}");
}

EMSCRIPTEN_KEEPALIVE void lumaro_situation(const char* actions) { TheSession().StartSituation(actions); }

EMSCRIPTEN_KEEPALIVE int lumaro_run_actions(const char* actions) { return TheSession().RunActions(actions); }

EMSCRIPTEN_KEEPALIVE void lumaro_keep_line() { TheSession().KeepLine(); }

EMSCRIPTEN_KEEPALIVE void lumaro_restore_line() { TheSession().RestoreLine(); }

// Takes the saved progress text; on a damaged text keeps a fresh progress and returns the reason,
// else an empty text.
EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_load(const char* text)
{
    std::string error;
    std::optional<lumaro::learn::Progress> progress = lumaro::learn::Progress::Parse(text ? text : "", error);
    g_progress = progress ? *progress : lumaro::learn::Progress();
    return Text(progress ? "" : error);
}

EMSCRIPTEN_KEEPALIVE void lumaro_progress_record(const char* kind, const char* system, const char* designation,
                                                 int right)
{
    const auto k = lumaro::learn::ParseKind(kind);
    const auto s = lumaro::learn::ParseSystem(system);
    if (k && s && designation && *designation)
        g_progress.Record({*k, *s, designation}, right != 0);
}

EMSCRIPTEN_KEEPALIVE void lumaro_progress_reset() { g_progress.Reset(); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_text() { return Text(g_progress.Serialise()); }

// {"answered", "known", "practice", "entries": [{"kind", "system", "designation", "asked", "right", "known"}]}
EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_json()
{
    std::string out = "{\"answered\": " + std::to_string(g_progress.Answered()) + ", \"known\": "
        + std::to_string(g_progress.KnownCount()) + ", \"practice\": " + std::to_string(g_progress.PracticeCount())
        + ", \"entries\": [";
    bool first = true;
    for (const auto& [key, entry] : g_progress.Entries()) {
        out += first ? "" : ", ";
        first = false;
        out += "{\"kind\": " + JsonString(lumaro::learn::KindName(key.kind)) + ", \"system\": "
            + JsonString(lumaro::learn::SystemName(key.system)) + ", \"designation\": " + JsonString(key.designation)
            + ", \"asked\": " + std::to_string(entry.asked) + ", \"right\": " + std::to_string(entry.right)
            + ", \"known\": " + (entry.box >= lumaro::learn::Progress::kKnownBox ? "true" : "false") + "}";
    }
    return Text(out + "]}");
}

} // extern "C"
