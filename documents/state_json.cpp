// The main window's state as the JSON document of lumaro-render --state and the page.

#include "documents/state_json.h"

#include "io/json_writer.h"

namespace lumaro::documents {

namespace {

using io::JsonWriter;

void WriteRecords(JsonWriter& json, const SignalTable& table)
{
    json.BreakLine().Key("records").BeginArray();
    for (int n = 1; n <= SignalTable::kCount; ++n) {
        json.BreakLine().BeginArray();
        for (const auto field : kRecordFields)
            json.Int(table[n].*field);
        json.EndArray();
    }
    json.EndArray();
}

void WritePanels(JsonWriter& json, const FormState& form)
{
    json.BreakLine().Key("panels").BeginObject();
    for (int n = 1; n <= kPanelCount; ++n) {
        const PanelState& panel = form.Panels[n];
        json.BreakLine().Key("Panel" + std::to_string(n)).BeginObject()
            .Field("caption", panel.caption)
            .Field("hint", panel.hint)
            .Field("font", panel.font)
            .Field("color", panel.color)
            .EndObject();
    }
    json.EndObject();
}

void WriteButtons(JsonWriter& json, const FormState& form)
{
    json.BreakLine().Key("buttons").BeginObject();
    for (int n = 1; n <= kMaxButtonNumber; ++n) {
        if (!IsAspectButton(n))
            continue;
        json.BreakLine().Key("Button" + std::to_string(n)).BeginObject()
            .Field("visible", form.Buttons[n].visible)
            .Field("enabled", form.Buttons[n].enabled)
            .EndObject();
    }
    json.EndObject();
}

void WriteFlags(JsonWriter& json, const FormState& form)
{
    json.BreakLine().Key("flags").BeginObject()
        .Field("SystemHV", form.system == System::HV)
        .Field("SystemKs", form.system == System::Ks)
        .Field("SystemHl", form.system == System::Hl)
        .Field("BlinkPhase", form.BlinkPhase)
        .Field("FirstTick", form.FirstTick)
        .Field("Closing", form.Closing)
        .Field("MayClose", form.MayClose)
        .Field("CloseCountdown", form.CloseCountdown)
        .Field("Ended", form.Ended)
        .EndObject();
}

// The check marks of the menu items that carry one, in menu order.
void WriteMenu(JsonWriter& json, const MainForm& form)
{
    json.BreakLine().Key("menu").BeginObject();
    for (const MenuItem& item : kMenuItems)
        if (item.checkable && !IsShellOnly(item.action))
            json.Field(item.component, form.MenuChecked(item));
    json.EndObject();
}

void WritePalette(JsonWriter& json, const Palette& palette)
{
    json.BreakLine().Key("palette").BeginObject()
        .Field("ColCaption", palette.ColCaption)
        .Field("ColStructure", palette.ColStructure)
        .Field("ColPlate", palette.ColPlate)
        .Field("ColMedium", palette.ColMedium)
        .Field("ColGround", palette.ColGround)
        .EndObject();
}

} // namespace

std::string StateJson(const MainForm& mainForm)
{
    const FormState& form = mainForm.View();
    JsonWriter json;
    json.BeginObject();
    WriteRecords(json, form.Signals);
    WritePanels(json, form);
    WriteButtons(json, form);
    WriteFlags(json, form);
    WriteMenu(json, mainForm);
    WritePalette(json, form.Colors);
    json.BreakLine().Field("window_color", form.WindowColor);
    json.EndObject();
    return json.Take() + '\n';
}

} // namespace lumaro::documents
