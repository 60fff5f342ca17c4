// The page's entry points into the core: plain C functions, called through the module's cwrap.
// Texts are returned as NUL-terminated UTF-8 that stays valid until the next call returning text.

#include "io/json_text.h"
#include "io/json_writer.h"
#include "documents/run_json.h"
#include "web/access_json.h"
#include "web/columns_json.h"
#include "web/session.h"
#include "web/window_texts.h"
#include "learn/fahrt.h"
#include "learn/progress.h"
#include "documents/quiz_json.h"
#include "learn/quiz.h"
#include "learn/quiz_session.h"
#include "learn/speed_chart.h"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::unique_ptr<lumaro::web::Session> g_session;
std::string g_text;
lumaro::learn::KeptProgress g_kept;
// The speed line as the page shows it after every tick and every step of its train.
lumaro::learn::SpeedLineCache g_speedLine;

lumaro::web::Session& TheSession()
{
    if (!g_session)
        g_session = std::make_unique<lumaro::web::Session>();
    return *g_session;
}

// The speed line for the aspects the panels show now and the train's options; nullptr for a
// train length outside 0 .. 100.
const lumaro::learn::SpeedLine* SpeedLineFor(int trainLength, bool stopAtPlatform)
{
    using namespace lumaro::learn;
    if (trainLength < 0 || trainLength > kMaxTrainLength)
        return nullptr;
    const lumaro::FormState& form = TheSession().Form().View();
    return &g_speedLine.Get(form.SelectedSystem(), form.Panels,
                            {trainLength, stopAtPlatform ? PlatformStop::Stop : PlatformStop::Pass});
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

// "HV,Ks" as the systems it names; unknown names are left out.
std::vector<lumaro::System> Systems(const char* text)
{
    std::vector<lumaro::System> systems;
    for (const std::string& word : lumaro::learn::Words(std::string(text ? text : "")))
        for (std::size_t start = 0, comma = 0; comma != std::string::npos; start = comma + 1) {
            comma = word.find(',', start);
            if (const auto system = lumaro::learn::ParseSystem(word.substr(start, comma - start)))
                systems.push_back(*system);
        }
    return systems;
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
EMSCRIPTEN_KEEPALIVE void lumaro_draw() { TheSession().Draw(); }

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

EMSCRIPTEN_KEEPALIVE const char* lumaro_access_json() { return Text(TheSession().AccessJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_window_texts() { return Text(lumaro::web::WindowTextsJson()); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_columns_json() { return Text(lumaro::web::ColumnsJson()); }

// The speed along the line for the aspects the panels show: what lumaro-render --run writes
// (`view` 0), or the line as the page draws it (`view` 1). "null" for a train length outside
// 0 .. 100.
EMSCRIPTEN_KEEPALIVE const char* lumaro_run(int trainLength, int stopAtPlatform, int view)
{
    const lumaro::learn::SpeedLine* line = SpeedLineFor(trainLength, stopAtPlatform != 0);
    if (!line)
        return Text("null");
    return Text(view ? lumaro::documents::SpeedLineViewJson(*line) : lumaro::documents::SpeedLineJson(*line));
}

// One step of the train running that line, `ms` milliseconds long, from where the page's train
// is: {"head", "wait_ms", "stopped_at_platform", "running", "y"}.
EMSCRIPTEN_KEEPALIVE const char* lumaro_train_step(int trainLength, int stopAtPlatform, double head, int waitMs,
                                                   int stoppedAtPlatform, int ms)
{
    const lumaro::learn::SpeedLine* line = SpeedLineFor(trainLength, stopAtPlatform != 0);
    if (!line)
        return Text("null");
    lumaro::learn::TrainRun train{head, waitMs, stoppedAtPlatform != 0, true};
    AdvanceTrain(*line, train, ms);
    lumaro::io::JsonWriter json;
    json.BeginObject().Key("head").Raw(std::to_string(train.head)).Key("wait_ms").Raw(std::to_string(train.waitMs));
    json.Field("stopped_at_platform", train.stoppedAtPlatform).Field("running", train.running);
    // Where the page draws the train: on the line under its head.
    json.Key("y").Raw(std::to_string(lumaro::learn::ChartYAt(*line, train.head))).EndObject();
    return Text(json.Take());
}

// The items of lumaro-render --quiz for the seed, as one JSON array; "null" for a bad argument.
EMSCRIPTEN_KEEPALIVE const char* lumaro_quiz(const char* seed, int items)
{
    std::uint64_t value = 0;
    if (!ParseSeed(seed, value) || items < 0 || items > lumaro::learn::kMaxQuizItems)
        return Text("null");
    lumaro::io::JsonWriter json;
    json.BeginArray();
    for (const lumaro::learn::QuizItem& item : lumaro::learn::GenerateQuiz(value, items))
        json.Raw(lumaro::documents::QuizItemJson(item));
    json.EndArray();
    return Text(json.Take());
}

// The self-test's session on the page's line. `mode` "practice" or "exam"; `systems` the
// practice's systems as "HV,Ks,Hl" (all three when empty). Each returns the session's view.
EMSCRIPTEN_KEEPALIVE const char* lumaro_quiz_start(const char* mode, const char* seed, const char* systems)
{
    std::uint64_t value = 0;
    if (!ParseSeed(seed, value))
        return Text("null");
    lumaro::learn::QuizSession& quiz = TheSession().Quiz(g_kept.current);
    if (std::string_view(mode ? mode : "") == "exam")
        quiz.StartExam(value);
    else
        quiz.StartPractice(value, Systems(systems));
    return Text(TheSession().QuizJson());
}

EMSCRIPTEN_KEEPALIVE void lumaro_quiz_systems(const char* systems)
{
    TheSession().Quiz(g_kept.current).SetSystems(Systems(systems));
}

EMSCRIPTEN_KEEPALIVE int lumaro_quiz_choose(int index) { return TheSession().Quiz(g_kept.current).Choose(index); }

EMSCRIPTEN_KEEPALIVE int lumaro_quiz_proceed() { return TheSession().Quiz(g_kept.current).Proceed(); }

EMSCRIPTEN_KEEPALIVE void lumaro_quiz_after_tick() { TheSession().Quiz(g_kept.current).AfterTick(); }

EMSCRIPTEN_KEEPALIVE void lumaro_quiz_close() { TheSession().Quiz(g_kept.current).Close(); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_quiz_view() { return Text(TheSession().QuizJson()); }

// Takes the saved progress text; on a damaged text keeps a fresh progress and returns the reason,
// else an empty text.
EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_load(const char* text)
{
    std::string error;
    std::optional<lumaro::learn::Progress> progress = lumaro::learn::Progress::Parse(text ? text : "", error);
    g_kept.current = progress ? *progress : lumaro::learn::Progress();
    return Text(progress ? "" : error);
}

// The same for the backup that the last reset kept; an empty text for none.
EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_load_backup(const char* text)
{
    std::string error;
    g_kept.backup.reset();
    if (!text || !*text)
        return Text("");
    g_kept.backup = lumaro::learn::Progress::Parse(text, error);
    return Text(g_kept.backup ? "" : error);
}

// What the page says of a saved text that `lumaro_progress_load` (`backup` 0) or
// `lumaro_progress_load_backup` (1) could not read; `aside` empty when it stayed where it was.
EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_unreadable(int backup, const char* where, const char* reason,
                                                            const char* aside)
{
    return Text(lumaro::learn::UnreadableProgressText(backup ? lumaro::learn::KeptCopy::Backup
                                                              : lumaro::learn::KeptCopy::Current,
                                                       where ? where : "", reason ? reason : "", aside ? aside : ""));
}

EMSCRIPTEN_KEEPALIVE void lumaro_progress_reset() { g_kept.Reset(); }

EMSCRIPTEN_KEEPALIVE int lumaro_progress_restore() { return g_kept.Restore(); }

EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_text() { return Text(g_kept.current.Serialise()); }

// The backup's text, empty when there is none.
EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_backup_text()
{
    return Text(g_kept.backup ? g_kept.backup->Serialise() : std::string());
}

EMSCRIPTEN_KEEPALIVE const char* lumaro_progress_view() { return Text(lumaro::web::Session::ProgressJson(g_kept)); }

} // extern "C"
