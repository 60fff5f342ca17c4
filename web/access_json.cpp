// The page's accessibility and overlay data, read from the core and learn/.

#include "web/access_json.h"

#include "io/json_writer.h"
#include "learn/columns.h"
#include "learn/light_labels.h"

namespace lumaro::web {

std::string AccessJson(const FormState& form, const learn::Concealment& concealed)
{
    const System system = form.SelectedSystem();
    const auto lights = form.Lights.Lights();
    io::JsonWriter json;
    json.BeginObject().Field("system", NamesOf(system).title);

    json.Key("columns").BeginArray();
    for (std::int32_t x : learn::kColumns) {
        if (!learn::ColumnSignal(system, x))
            continue;
        const bool hidden = concealed.ConcealsColumn(x);
        json.BeginObject().Field("x", x).Field("name", learn::ColumnName(system, x));
        json.Field("aspect", hidden ? std::string() : learn::ColumnAspect(form.Panels, lights, x));
        json.Field("description", hidden ? std::string(learn::kConcealedText) : learn::DescribeColumn(form.Panels, lights, x));
        // The rows of the column sheet: the panels that say what the column shows, with their meanings.
        json.Key("meanings").BeginArray();
        for (const int n : learn::MeaningPanels(form.Panels, x)) {
            json.BeginObject().Field("panel", "Panel" + std::to_string(n));
            json.Field("meaning", hidden ? std::string() : learn::PanelMeaning(system, form.Panels, lights, n));
            json.EndObject();
        }
        json.EndArray().EndObject();
    }
    json.EndArray();

    json.Key("buttons").BeginObject();
    for (const ButtonDef& b : kButtons)
        json.Field("Button" + std::to_string(b.number), learn::ButtonName(system, b.number));
    json.EndObject();

    json.Key("panels").BeginObject();
    for (int n = 1; n <= kDesignationPanels; ++n) {
        const PanelState& panel = form.Panels[static_cast<std::size_t>(n)];
        const bool hidden = concealed.Conceals(n);
        json.Key("Panel" + std::to_string(n)).BeginObject();
        json.Field("name", learn::PanelName(system, n, hidden ? std::string_view() : std::string_view(panel.caption)));
        json.Field("description", hidden ? std::string() : learn::PanelMeaning(system, form.Panels, lights, n));
        json.EndObject();
    }
    json.EndObject();

    json.Key("lights").BeginArray();
    const std::vector<learn::LightLabel> labels = learn::LightLabels(lights);
    for (std::size_t i = 0; i < lights.size(); ++i) {
        const LitLight& l = lights[i];
        json.BeginObject().Field("left", l.left).Field("top", l.top).Field("right", l.right).Field("bottom", l.bottom);
        json.Field("color", LampColorLetters(l.color));
        json.Field("kind", l.kind == LightKind::Lamp ? "lamp" : "figure");
        json.Field("blinking", l.blinking).Field("burning", l.burning);
        // Where its colour letters stand (learn/light_labels.h).
        json.Key("label").BeginObject();
        json.Field("left", labels[i].left).Field("x", labels[i].x).Field("y", labels[i].middleY);
        json.EndObject().EndObject();
    }
    json.EndArray().EndObject();
    return json.Take();
}

} // namespace lumaro::web
