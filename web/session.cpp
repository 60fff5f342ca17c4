#include "web/session.h"

#include "cli/explain_json.h"
#include "cli/state_json.h"
#include "cli/json_text.h"
#include "cli/trace_file.h"
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

} // namespace

Session::Session()
    : m_form(std::make_unique<MainForm>())
    , m_rgba(static_cast<std::size_t>(Canvas::kWidth) * Canvas::kHeight)
{
    // The page may ask for the last paint's trace at any time.
    m_form->Canvas.SetRecording(true);
    m_form->FormCreate();
    m_form->Paint();
}

void Session::Tick()
{
    m_form->Timer1Timer();
}

bool Session::ClickButton(int n)
{
    return m_form->ClickButton(n);
}

bool Session::MenuCommand(std::string_view component)
{
    const bool known = m_form->MenuCommand(component);
    if (m_form->RepaintPending)
        m_form->Paint();
    return known;
}

void Session::FormClick()
{
    m_form->FormClick();
}

std::string Session::ExplainJson() const
{
    return cli::ExplanationJson(learn::Explain(learn::LineOf(*m_form)));
}

int Session::PanelOfColumn(int x) const
{
    return learn::PanelOfColumn(learn::LineOf(*m_form), x);
}

const std::uint8_t* Session::Rgba()
{
    const Canvas& canvas = m_form->Canvas;
    const std::uint32_t* pixels = canvas.Pixels();
    const std::size_t count = static_cast<std::size_t>(canvas.Width()) * canvas.Height();
    for (std::size_t i = 0; i < count; ++i)
        m_rgba[i] = pixels[i] | kOpaque;
    return reinterpret_cast<const std::uint8_t*>(m_rgba.data());
}

std::string Session::StateJson() const
{
    return cli::StateJson(*m_form);
}

std::string Session::Trace() const
{
    return cli::FormatTrace(m_form->Canvas.Trace());
}

std::string Session::WindowsJson() const
{
    const MainForm& form = *m_form;
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
    cli::AppendJsonString(out, kWindowCaption);
    out += ", \"canvas\": " + IntList({Canvas::kWidth, Canvas::kHeight});
    out += ", \"buttons\": [";
    for (const ButtonDef& b : kButtons) {
        out += b.number == kButtons.front().number ? "" : ", ";
        out += "{\"number\": " + std::to_string(b.number) + ", \"caption\": ";
        cli::AppendJsonString(out, b.caption);
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
    out += "], \"image1\": " + IntList({kImage1Left, kImage1Top, kImage1Width, kImage1Height}) + "}";
    return out;
}

} // namespace lumaro::web
