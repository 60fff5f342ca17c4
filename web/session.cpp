// The page's run of the program, and the documents it reads back.

#include "web/session.h"

#include "documents/state_json.h"
#include "io/json_text.h"
#include "io/trace_format.h"
#include "learn/quiz.h"
#include "documents/explain_json.h"
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

void Session::StartSituation(std::string_view actions)
{
    Driver situation;
    situation.RecordTrace(true);
    situation.Start();
    learn::RunActions(situation, learn::Words(actions));
    m_driver.Restore(situation);
}

bool Session::RunActions(std::string_view actions)
{
    return learn::RunActions(m_driver, learn::Words(actions));
}

void Session::KeepLine()
{
    if (!m_kept)
        m_kept = std::make_unique<Driver>(m_driver.Copy());
}

void Session::RestoreLine()
{
    if (m_kept) {
        m_driver.Restore(*m_kept);
        m_kept.reset();
    }
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
