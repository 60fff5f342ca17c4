// The main window's state as the JSON document of lumaro-render --state and the page.

#include "documents/state_json.h"

#include "io/json_text.h"

#include <initializer_list>
#include <type_traits>
#include <utility>

namespace lumaro::documents {

using io::AppendJsonString;

namespace {

void AppendBool(std::string& out, bool value) { out += value ? "true" : "false"; }

void AppendInt(std::string& out, long long value) { out += std::to_string(value); }

void AppendKey(std::string& out, std::string_view key)
{
    AppendJsonString(out, key);
    out += ": ";
}

// One line of "Key": value pairs inside braces.
template<typename T>
void AppendObjectLine(std::string& out, std::initializer_list<std::pair<std::string_view, T>> fields)
{
    out += '{';
    bool first = true;
    for (const auto& [key, value] : fields) {
        if (!first)
            out += ", ";
        first = false;
        AppendKey(out, key);
        if constexpr (std::is_same_v<T, bool>)
            AppendBool(out, value);
        else
            AppendInt(out, value);
    }
    out += '}';
}

void AppendRecords(std::string& out, const SignalTable& table)
{
    out += "  \"records\": [\n";
    for (int n = 1; n <= SignalTable::kCount; ++n) {
        out += "    [";
        for (std::size_t f = 0; f < kRecordFields.size(); ++f) {
            if (f)
                out += ", ";
            AppendInt(out, table[n].*kRecordFields[f]);
        }
        out += n < SignalTable::kCount ? "],\n" : "]\n";
    }
    out += "  ],\n";
}

void AppendPanels(std::string& out, const FormState& form)
{
    out += "  \"panels\": {\n";
    for (int n = 1; n <= kPanelCount; ++n) {
        const PanelState& panel = form.Panels[n];
        out += "    ";
        AppendKey(out, "Panel" + std::to_string(n));
        out += "{\"caption\": ";
        AppendJsonString(out, panel.caption);
        out += ", \"hint\": ";
        AppendJsonString(out, panel.hint);
        out += ", \"font\": ";
        AppendInt(out, panel.font);
        out += ", \"color\": ";
        AppendInt(out, panel.color);
        out += n < kPanelCount ? "},\n" : "}\n";
    }
    out += "  },\n";
}

void AppendButtons(std::string& out, const FormState& form)
{
    out += "  \"buttons\": {\n";
    bool first = true;
    for (int n = 1; n <= kMaxButtonNumber; ++n) {
        if (!IsAspectButton(n))
            continue;
        if (!first)
            out += ",\n";
        first = false;
        out += "    ";
        AppendKey(out, "Button" + std::to_string(n));
        AppendObjectLine<bool>(out, {{"visible", form.Buttons[n].visible}, {"enabled", form.Buttons[n].enabled}});
    }
    out += "\n  },\n";
}

void AppendFlags(std::string& out, const FormState& form)
{
    auto text = [](bool value) { return std::string(value ? "true" : "false"); };
    const std::pair<std::string_view, std::string> flags[] = {
        {"SystemHV", text(form.system == System::HV)}, {"SystemKs", text(form.system == System::Ks)},
        {"SystemHl", text(form.system == System::Hl)}, {"BlinkPhase", text(form.BlinkPhase)},
        {"FirstTick", text(form.FirstTick)},   {"Closing", text(form.Closing)},
        {"MayClose", text(form.MayClose)},     {"CloseCountdown", std::to_string(form.CloseCountdown)},
        {"Ended", text(form.Ended)},
    };
    out += "  \"flags\": {";
    for (const auto& [key, value] : flags) {
        if (key != flags[0].first)
            out += ", ";
        AppendKey(out, key);
        out += value;
    }
    out += "},\n";
}

// The check marks of the menu items that carry one, in menu order.
void AppendMenu(std::string& out, const MainForm& form)
{
    out += "  \"menu\": {";
    bool first = true;
    for (const MenuItem& item : kMenuItems) {
        if (!item.checkable || IsShellOnly(item.action))
            continue;
        out += first ? "" : ", ";
        first = false;
        AppendKey(out, item.component);
        AppendBool(out, form.MenuChecked(item));
    }
    out += "},\n";
}

} // namespace

std::string StateJson(const MainForm& mainForm)
{
    const FormState& form = mainForm.View();
    std::string out;
    out.reserve(16 * 1024);
    out += "{\n";
    AppendRecords(out, form.Signals);
    AppendPanels(out, form);
    AppendButtons(out, form);
    AppendFlags(out, form);

    AppendMenu(out, mainForm);

    const Palette& palette = form.Colors;
    out += "  \"palette\": ";
    AppendObjectLine<long long>(out, {{"ColCaption", palette.ColCaption}, {"ColStructure", palette.ColStructure},
                                      {"ColPlate", palette.ColPlate}, {"ColMedium", palette.ColMedium},
                                      {"ColGround", palette.ColGround}});
    out += ",\n";

    out += "  \"window_color\": ";
    AppendInt(out, form.WindowColor);
    out += "\n}\n";
    return out;
}

} // namespace lumaro::documents
