// The page's accessibility and overlay data, read from the core and learn/.

#include "web/access_json.h"

#include "io/json_text.h"
#include "learn/columns.h"
#include "learn/light_labels.h"

namespace lumaro::web {

namespace {

void Key(std::string& out, const char* key)
{
    out += '"';
    out += key;
    out += "\": ";
}

void Text(std::string& out, const char* key, std::string_view value)
{
    Key(out, key);
    io::AppendJsonString(out, value);
}

} // namespace

std::string AccessJson(const FormState& form, const learn::Concealment& concealed)
{
    const System system = form.SelectedSystem();
    const auto lights = form.Lights.Lights();
    std::string out = "{";
    Text(out, "system", NamesOf(system).title);

    out += ", ";
    Key(out, "columns");
    out += "[";
    bool first = true;
    for (std::int32_t x : learn::kColumns) {
        if (!learn::ColumnSignal(system, x))
            continue;
        out += first ? "{" : ", {";
        first = false;
        out += "\"x\": " + std::to_string(x) + ", ";
        Text(out, "name", learn::ColumnName(system, x));
        out += ", ";
        const bool hidden = concealed.ConcealsColumn(x);
        Text(out, "aspect", hidden ? std::string() : learn::ColumnAspect(form.Panels, lights, x));
        out += ", ";
        Text(out, "description", hidden ? std::string(learn::kConcealedText) : learn::DescribeColumn(form.Panels, lights, x));
        out += "}";
    }
    out += "], ";

    Key(out, "buttons");
    out += "{";
    first = true;
    for (const ButtonDef& b : kButtons) {
        out += first ? "" : ", ";
        first = false;
        Text(out, ("Button" + std::to_string(b.number)).c_str(), learn::ButtonName(system, b.number));
    }
    out += "}, ";

    Key(out, "panels");
    out += "{";
    for (int n = 1; n <= kDesignationPanels; ++n) {
        const PanelState& panel = form.Panels[static_cast<std::size_t>(n)];
        out += n == 1 ? "" : ", ";
        Key(out, ("Panel" + std::to_string(n)).c_str());
        out += "{";
        const bool hidden = concealed.Conceals(n);
        Text(out, "name", learn::PanelName(system, n, hidden ? std::string_view() : std::string_view(panel.caption)));
        out += ", ";
        Text(out, "description", hidden ? std::string() : learn::OneLine(panel.hint));
        out += "}";
    }
    out += "}, ";

    Key(out, "lights");
    out += "[";
    first = true;
    const std::vector<learn::LightLabel> labels = learn::LightLabels(lights);
    for (std::size_t i = 0; i < lights.size(); ++i) {
        const LitLight& l = lights[i];
        out += first ? "{" : ", {";
        first = false;
        out += "\"left\": " + std::to_string(l.left) + ", \"top\": " + std::to_string(l.top);
        out += ", \"right\": " + std::to_string(l.right) + ", \"bottom\": " + std::to_string(l.bottom) + ", ";
        Text(out, "color", LampColorLetters(l.color));
        out += ", ";
        Text(out, "kind", l.kind == LightKind::Lamp ? "lamp" : "figure");
        out += ", \"blinking\": ";
        out += l.blinking ? "true" : "false";
        out += ", \"burning\": ";
        out += l.burning ? "true" : "false";
        // Where its colour letters stand (learn/light_labels.h).
        out += ", \"label\": {\"left\": ";
        out += labels[i].left ? "true" : "false";
        out += ", \"x\": " + std::to_string(labels[i].x) + ", \"y\": " + std::to_string(labels[i].middleY) + "}";
        out += "}";
    }
    out += "]}";
    return out;
}

} // namespace lumaro::web
