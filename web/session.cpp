// The page's run of the program, and the documents it reads back.

#include "web/session.h"

#include "documents/state_json.h"
#include "io/json_writer.h"
#include "io/trace_format.h"
#include "learn/quiz.h"
#include "documents/explain_json.h"
#include "documents/quiz_json.h"
#include "learn/columns.h"
#include "web/access_json.h"
#include "learn/line_of_form.h"

#include <initializer_list>

namespace lumaro::web {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;

void Window(io::JsonWriter& json, const char* name, const WindowState& window)
{
    json.Key(name).BeginObject().Field("visible", window.visible).Field("raises", window.raises).EndObject();
}

void IntList(io::JsonWriter& json, std::initializer_list<int> values)
{
    json.BeginArray();
    for (int v : values)
        json.Int(v);
    json.EndArray();
}

// The menu bar: "menus": [{"component", "text", "right", "items": [{"component", "text",
// "separator", "checkable"}]}], from the window's menu table.
void Menus(io::JsonWriter& json)
{
    json.Key("menus").BeginArray();
    for (const TopMenuDef& menu : kTopMenus) {
        json.BeginObject().Field("component", menu.component).Field("text", menu.text);
        json.Field("right", menu.rightJustified).Key("items").BeginArray();
        for (const MenuItem& item : kMenuItems) {
            if (item.menu != menu.menu)
                continue;
            json.BeginObject().Field("component", item.component).Field("text", item.text);
            json.Field("separator", item.separatorAbove).Field("checkable", item.checkable).EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray();
}

const char* MarkName(learn::ChoiceMark mark)
{
    switch (mark) {
    case learn::ChoiceMark::None: return "";
    case learn::ChoiceMark::Right: return "right";
    case learn::ChoiceMark::ChosenRight: return "chosen-right";
    case learn::ChoiceMark::ChosenWrong: return "chosen-wrong";
    }
    return "";
}

} // namespace

Session::Session()
    : m_rgba(static_cast<std::size_t>(Canvas::kWidth) * Canvas::kHeight)
{
    // The page may ask for the last paint's trace at any time.
    m_driver.RecordTrace(true);
    m_driver.Start();
}

void Session::Tick()
{
    m_driver.Tick();
}

bool Session::ClickButton(int n)
{
    if (Concealed().buttonsHeld)
        return false;
    return m_driver.ClickButton(n);
}

bool Session::MenuCommand(std::string_view component)
{
    return m_driver.MenuCommand(component);
}

void Session::FormClick()
{
    m_driver.FormClick();
}

learn::QuizSession& Session::Quiz(learn::Progress& progress)
{
    if (!m_quiz)
        m_quiz = std::make_unique<learn::QuizSession>(m_driver, progress);
    return *m_quiz;
}

std::string Session::AccessJson() const
{
    return web::AccessJson(m_driver.View(), Concealed());
}

std::string Session::ExplainJson() const
{
    return documents::ExplanationJson(learn::Explain(learn::LineOf(m_driver.View())));
}

int Session::PanelOfColumn(int x) const
{
    return learn::PanelOfColumn(learn::LineOf(m_driver.View()), x);
}

std::string Session::WhyOf(int panel)
{
    // While a question is open no panel explains: the others' reasons name the asked signal's
    // aspect as their cause.
    if (Concealed().column != 0)
        return learn::kConcealedText;
    const auto& why = m_whyLine.Explain(learn::LineOf(m_driver.View()), panel);
    return why ? why->why : std::string();
}

const std::uint8_t* Session::Rgba()
{
    const RetainedRaster& canvas = m_driver.DrawCanvas();
    const raster::Box part = canvas.ChangedSince(m_rgbaDrawing);
    const std::uint32_t* pixels = canvas.Pixels();
    m_rgbaDrawing = canvas.Drawing();
    const auto width = static_cast<std::size_t>(canvas.Width());
    for (auto y = static_cast<std::size_t>(part.top); y < static_cast<std::size_t>(part.bottom); ++y)
        for (auto x = static_cast<std::size_t>(part.left); x < static_cast<std::size_t>(part.right); ++x)
            m_rgba[y * width + x] = pixels[y * width + x] | kOpaque;
    m_rgbaChanged = {static_cast<std::int32_t>(part.left), static_cast<std::int32_t>(part.top),
        static_cast<std::int32_t>(part.right - part.left), static_cast<std::int32_t>(part.bottom - part.top)};
    return reinterpret_cast<const std::uint8_t*>(m_rgba.data());
}

std::string Session::QuizJson() const
{
    io::JsonWriter json;
    if (!m_quiz) {
        json.BeginObject().Field("open", false).Key("missed").BeginArray().EndArray();
        json.Key("choices").BeginArray().EndArray().Key("systemChoices").BeginArray().EndArray().EndObject();
        return json.Take();
    }
    const learn::SessionView view = m_quiz->View();
    const learn::Concealment concealed = m_quiz->Concealed();
    json.BeginObject().Field("open", view.open);
    json.Field("mode", view.mode == learn::QuizMode::Exam ? "exam" : "practice");
    json.Field("title", view.title).Field("heading", view.heading).Field("prompt", view.prompt);
    json.Field("hint", view.hint);
    json.Key("item").Raw(view.item ? documents::QuizItemJson(*view.item) : std::string("null"));
    json.Field("kind", view.item ? learn::KindName(view.item->kind) : "");
    json.Field("panel", view.item ? "Panel" + std::to_string(view.item->panel) : std::string());
    json.Field("system", view.item ? learn::SystemName(view.item->system) : "");
    json.Field("answered", view.answered);
    json.Key("choices").BeginArray();
    for (const learn::ChoiceView& choice : view.choices)
        json.BeginObject().Field("text", choice.text).Field("mark", MarkName(choice.mark)).Field("note", choice.note).EndObject();
    json.EndArray();
    json.Field("choicesEnabled", view.choicesEnabled).Field("feedback", view.feedback).Field("proceed", view.proceed);
    json.Field("proceedEnabled", view.proceedEnabled).Key("askedColumn").Int(view.askedColumn);
    json.Field("askedSignal", view.askedSignal).Field("coverPanel", view.coverPanel).Field("coverHint", view.coverHint);
    json.Field("systemsLabel", view.systemsLabel);
    json.Key("systemChoices").BeginArray();
    for (const auto& choice : view.systemChoices) {
        json.BeginObject().Field("system", learn::SystemName(choice.system)).Field("label", choice.label);
        json.Field("chosen", choice.chosen).EndObject();
    }
    json.EndArray();
    json.Key("concealedPanels").BeginArray();
    for (const int panel : learn::ColumnPanels(concealed.column))
        json.String("Panel" + std::to_string(panel));
    json.EndArray();
    json.Field("buttonsHeld", concealed.buttonsHeld).Field("finished", view.finished).Field("result", view.result);
    json.Field("passed", view.passed).Field("missedHeading", view.missedHeading);
    json.Key("missed").BeginArray();
    for (const learn::MissedView& missed : view.missed) {
        json.BeginObject().Field("heading", missed.heading).Field("prompt", missed.prompt);
        json.Field("right", missed.right).Field("given", missed.given).Field("why", missed.why).EndObject();
    }
    json.EndArray().EndObject();
    return json.Take();
}

std::string Session::ProgressJson(const learn::KeptProgress& kept)
{
    const learn::ProgressView view = learn::MakeProgressView(kept);
    io::JsonWriter json;
    json.BeginObject().Field("title", view.title).Field("summary", view.summary);
    json.Field("boxesHeading", view.boxesHeading).Key("boxNames").BeginArray();
    for (const std::string& name : view.boxNames)
        json.String(name);
    json.EndArray().Key("systems").BeginArray();
    for (const auto& system : view.systems) {
        json.BeginObject().Field("system", learn::SystemName(system.system)).Field("name", system.name);
        json.Key("boxes").BeginArray();
        for (const auto count : system.boxes)
            json.Int(count);
        json.EndArray().Key("known").Int(system.known).Key("total").Int(system.total);
        json.Field("summary", system.summary).EndObject();
    }
    json.EndArray().Key("columns").BeginArray();
    for (const std::string& column : view.columns)
        json.String(column);
    // Each row's cells as texts: the system, the kind, the designation, asked, right, the box.
    json.EndArray().Key("rows").BeginArray();
    for (const auto& row : view.rows) {
        json.BeginArray().String(row.system).String(row.kind).String(row.designation);
        json.String(std::to_string(row.asked)).String(std::to_string(row.right)).String(row.box).EndArray();
    }
    json.EndArray().Field("examsHeading", view.examsHeading).Field("examsEmpty", view.examsEmpty);
    json.Key("exams").BeginArray();
    for (std::size_t i = 0; i < view.exams.size(); ++i) {
        json.BeginObject().Key("right").Int(view.exams[i].right).Key("asked").Int(view.exams[i].asked);
        json.Key("percent").Int(view.examPercents[i]).EndObject();
    }
    json.EndArray().Key("passPercent").Int(view.passPercent).Field("close", view.close).Field("reset", view.reset);
    json.Field("resetQuestion", view.resetQuestion).Field("confirmYes", view.confirmYes);
    json.Field("confirmNo", view.confirmNo).Field("canRestore", view.canRestore).Field("restore", view.restore);
    json.Field("restoreNote", view.restoreNote).EndObject();
    return json.Take();
}

std::string Session::StateJson() const
{
    return documents::StateJson(m_driver.Form());
}

std::string Session::Trace() const
{
    return io::FormatTrace(m_driver.View().Canvas.Trace());
}

std::string Session::WindowsJson() const
{
    const FormState& form = m_driver.View();
    io::JsonWriter json;
    json.BeginObject();
    Window(json, "Notice", form.Notice);
    Window(json, "About", form.About);
    Window(json, "Licence", form.Licence);
    Window(json, "Manual", form.Manual);
    json.Key("NoticeSeconds").Int(form.NoticeSeconds).Field("Ended", form.Ended).EndObject();
    return json.Take();
}

std::string Session::LayoutJson()
{
    io::JsonWriter json;
    json.BeginObject().Field("caption", kWindowCaption).Key("canvas");
    IntList(json, {Canvas::kWidth, Canvas::kHeight});
    json.Key("buttons").BeginArray();
    for (const ButtonDef& b : kButtons) {
        json.BeginObject().Field("number", b.number).Field("caption", b.caption).Field("left", b.left);
        json.Field("top", b.top).Field("width", kButtonWidth).Field("height", kButtonHeight).EndObject();
    }
    json.EndArray().Key("panels").BeginArray();
    for (const PanelDef& p : kPanels) {
        json.BeginObject().Field("number", p.number).Field("left", p.left).Field("top", p.top);
        json.Field("width", p.width).Field("height", p.height).EndObject();
    }
    json.EndArray().Key("image1");
    IntList(json, {kImage1Left, kImage1Top, kImage1Width, kImage1Height});
    Menus(json);
    json.EndObject();
    return json.Take();
}

} // namespace lumaro::web
