// The page's run of the program, and the documents it reads back.

#include "web/session.h"

#include "documents/state_json.h"
#include "io/json_text.h"
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

void AppendWindow(std::string& out, const char* name, const WindowState& window)
{
    out += '"';
    out += name;
    out += "\": {\"visible\": ";
    out += window.visible ? "true" : "false";
    out += ", \"raises\": ";
    out += std::to_string(window.raises);
    out += '}';
}

std::string IntList(std::initializer_list<int> values)
{
    std::string out = "[";
    for (int v : values) {
        if (out.size() > 1)
            out += ", ";
        out += std::to_string(v);
    }
    return out + "]";
}

// The menu bar: "menus": [{"component", "text", "right", "items": [{"component", "text",
// "separator", "checkable"}]}], from the window's menu table.
// Opens the object of a menu or an item: `{"component": ..., "text": ...`, after a comma unless first.
void OpenNamed(std::string& out, bool first, const char* component, const char* text)
{
    out += first ? "{\"component\": " : ", {\"component\": ";
    io::AppendJsonString(out, component);
    out += ", \"text\": ";
    io::AppendJsonString(out, text);
}

void AppendMenus(std::string& out)
{
    const auto boolean = [](bool value) { return value ? "true" : "false"; };
    out += ", \"menus\": [";
    for (const TopMenuDef& menu : kTopMenus) {
        OpenNamed(out, menu.menu == kTopMenus.front().menu, menu.component, menu.text);
        out += ", \"right\": ";
        out += boolean(menu.rightJustified);
        out += ", \"items\": [";
        bool first = true;
        for (const MenuItem& item : kMenuItems) {
            if (item.menu != menu.menu)
                continue;
            OpenNamed(out, first, item.component, item.text);
            first = false;
            out += ", \"separator\": ";
            out += boolean(item.separatorAbove);
            out += ", \"checkable\": ";
            out += boolean(item.checkable);
            out += '}';
        }
        out += "]}";
    }
    out += ']';
}

void Bool(std::string& out, const char* key, bool value)
{
    out += ", \"";
    out += key;
    out += value ? "\": true" : "\": false";
}

void Int(std::string& out, const char* key, std::int64_t value)
{
    out += ", \"";
    out += key;
    out += "\": " + std::to_string(value);
}

void String(std::string& out, const char* key, std::string_view value)
{
    out += ", \"";
    out += key;
    out += "\": ";
    io::AppendJsonString(out, value);
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
    if (Concealed().Conceals(panel))
        return learn::kConcealedText;
    const auto& why = m_whyLine.Explain(learn::LineOf(m_driver.View()), panel);
    return why ? why->why : std::string();
}

const std::uint8_t* Session::Rgba()
{
    const Canvas& canvas = m_driver.View().Canvas;
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
    if (!m_quiz)
        return "{\"open\": false, \"missed\": [], \"choices\": [], \"systemChoices\": []}";
    const learn::SessionView view = m_quiz->View();
    const learn::Concealment concealed = m_quiz->Concealed();
    std::string out = "{\"open\": ";
    out += view.open ? "true" : "false";
    String(out, "mode", view.mode == learn::QuizMode::Exam ? "exam" : "practice");
    String(out, "title", view.title);
    String(out, "heading", view.heading);
    String(out, "prompt", view.prompt);
    String(out, "hint", view.hint);
    out += ", \"item\": " + (view.item ? documents::QuizItemJson(*view.item) : std::string("null"));
    String(out, "kind", view.item ? learn::KindName(view.item->kind) : "");
    String(out, "panel", view.item ? "Panel" + std::to_string(view.item->panel) : std::string());
    String(out, "system", view.item ? learn::SystemName(view.item->system) : "");
    Bool(out, "answered", view.answered);
    out += ", \"choices\": [";
    for (std::size_t i = 0; i < view.choices.size(); ++i) {
        out += i ? ", {\"text\": " : "{\"text\": ";
        io::AppendJsonString(out, view.choices[i].text);
        String(out, "mark", MarkName(view.choices[i].mark));
        String(out, "note", view.choices[i].note);
        out += '}';
    }
    out += ']';
    Bool(out, "choicesEnabled", view.choicesEnabled);
    String(out, "feedback", view.feedback);
    String(out, "proceed", view.proceed);
    Bool(out, "proceedEnabled", view.proceedEnabled);
    Int(out, "askedColumn", view.askedColumn);
    String(out, "askedSignal", view.askedSignal);
    Bool(out, "coverPanel", view.coverPanel);
    String(out, "coverHint", view.coverHint);
    String(out, "systemsLabel", view.systemsLabel);
    out += ", \"systemChoices\": [";
    for (std::size_t i = 0; i < view.systemChoices.size(); ++i) {
        out += i ? ", {\"system\": " : "{\"system\": ";
        io::AppendJsonString(out, learn::SystemName(view.systemChoices[i].system));
        String(out, "label", view.systemChoices[i].label);
        Bool(out, "chosen", view.systemChoices[i].chosen);
        out += '}';
    }
    out += ']';
    out += ", \"concealedPanels\": [";
    bool first = true;
    for (const int panel : learn::ColumnPanels(concealed.column)) {
        out += first ? "" : ", ";
        first = false;
        io::AppendJsonString(out, "Panel" + std::to_string(panel));
    }
    out += ']';
    Bool(out, "buttonsHeld", concealed.buttonsHeld);
    Bool(out, "finished", view.finished);
    String(out, "result", view.result);
    Bool(out, "passed", view.passed);
    String(out, "missedHeading", view.missedHeading);
    out += ", \"missed\": [";
    for (std::size_t i = 0; i < view.missed.size(); ++i) {
        const learn::MissedView& missed = view.missed[i];
        out += i ? ", {\"heading\": " : "{\"heading\": ";
        io::AppendJsonString(out, missed.heading);
        String(out, "prompt", missed.prompt);
        String(out, "right", missed.right);
        String(out, "given", missed.given);
        String(out, "why", missed.why);
        out += '}';
    }
    return out + "]}";
}

std::string Session::ProgressJson(const learn::KeptProgress& kept)
{
    const learn::ProgressView view = learn::MakeProgressView(kept);
    std::string out = "{\"title\": ";
    io::AppendJsonString(out, view.title);
    String(out, "summary", view.summary);
    String(out, "boxesHeading", view.boxesHeading);
    out += ", \"boxNames\": [";
    for (std::size_t i = 0; i < view.boxNames.size(); ++i) {
        out += i ? ", " : "";
        io::AppendJsonString(out, view.boxNames[i]);
    }
    out += "], \"systems\": [";
    for (std::size_t i = 0; i < view.systems.size(); ++i) {
        const auto& system = view.systems[i];
        out += i ? ", {\"system\": " : "{\"system\": ";
        io::AppendJsonString(out, learn::SystemName(system.system));
        String(out, "name", system.name);
        out += ", \"boxes\": [";
        for (std::size_t b = 0; b < system.boxes.size(); ++b)
            out += (b ? ", " : "") + std::to_string(system.boxes[b]);
        out += ']';
        Int(out, "known", system.known);
        Int(out, "total", system.total);
        String(out, "summary", system.summary);
        out += '}';
    }
    out += ']';
    out += ", \"columns\": [";
    for (std::size_t i = 0; i < view.columns.size(); ++i) {
        out += i ? ", " : "";
        io::AppendJsonString(out, view.columns[i]);
    }
    out += "], \"rows\": [";
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
        const auto& row = view.rows[i];
        out += i ? ", [" : "[";
        for (const std::string* cell : {&row.system, &row.kind, &row.designation}) {
            io::AppendJsonString(out, *cell);
            out += ", ";
        }
        io::AppendJsonString(out, std::to_string(row.asked));
        out += ", ";
        io::AppendJsonString(out, std::to_string(row.right));
        out += ", ";
        io::AppendJsonString(out, row.box);
        out += ']';
    }
    out += ']';
    String(out, "examsHeading", view.examsHeading);
    String(out, "examsEmpty", view.examsEmpty);
    out += ", \"exams\": [";
    for (std::size_t i = 0; i < view.exams.size(); ++i) {
        out += i ? ", " : "";
        out += "{\"right\": " + std::to_string(view.exams[i].right) + ", \"asked\": "
            + std::to_string(view.exams[i].asked) + ", \"percent\": " + std::to_string(view.examPercents[i]) + "}";
    }
    out += ']';
    Int(out, "passPercent", view.passPercent);
    String(out, "close", view.close);
    String(out, "reset", view.reset);
    String(out, "resetQuestion", view.resetQuestion);
    String(out, "confirmYes", view.confirmYes);
    String(out, "confirmNo", view.confirmNo);
    Bool(out, "canRestore", view.canRestore);
    String(out, "restore", view.restore);
    String(out, "restoreNote", view.restoreNote);
    return out + "}";
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
    std::string out = "{";
    AppendWindow(out, "Notice", form.Notice);
    out += ", ";
    AppendWindow(out, "About", form.About);
    out += ", ";
    AppendWindow(out, "Licence", form.Licence);
    out += ", ";
    AppendWindow(out, "Manual", form.Manual);
    out += ", \"NoticeSeconds\": " + std::to_string(form.NoticeSeconds);
    out += ", \"Ended\": ";
    out += form.Ended ? "true" : "false";
    out += "}";
    return out;
}

std::string Session::LayoutJson()
{
    std::string out = "{\"caption\": ";
    io::AppendJsonString(out, kWindowCaption);
    out += ", \"canvas\": " + IntList({Canvas::kWidth, Canvas::kHeight});
    out += ", \"buttons\": [";
    for (const ButtonDef& b : kButtons) {
        out += b.number == kButtons.front().number ? "" : ", ";
        out += "{\"number\": " + std::to_string(b.number) + ", \"caption\": ";
        io::AppendJsonString(out, b.caption);
        out += ", \"left\": " + std::to_string(b.left) + ", \"top\": " + std::to_string(b.top);
        out += ", \"width\": " + std::to_string(kButtonWidth) + ", \"height\": " + std::to_string(kButtonHeight) + "}";
    }
    out += "], \"panels\": [";
    for (const PanelDef& p : kPanels) {
        out += p.number == kPanels.front().number ? "" : ", ";
        out += "{\"number\": " + std::to_string(p.number) + ", \"left\": " + std::to_string(p.left);
        out += ", \"top\": " + std::to_string(p.top) + ", \"width\": " + std::to_string(p.width);
        out += ", \"height\": " + std::to_string(p.height) + "}";
    }
    out += "], \"image1\": " + IntList({kImage1Left, kImage1Top, kImage1Width, kImage1Height});
    AppendMenus(out);
    return out + "}";
}

} // namespace lumaro::web
