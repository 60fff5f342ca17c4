// The --explain output: why each designation panel shows what it shows, one panel per line.

#include "documents/explain_json.h"

#include "io/json_text.h"
#include "learn/quiz.h"

namespace lumaro::documents {

using io::AppendJsonString;

namespace {

std::string PanelName(int panel) { return "Panel" + std::to_string(panel); }

void AppendPanel(std::string& out, const learn::PanelWhy& why)
{
    out += "{\"panel\": ";
    AppendJsonString(out, PanelName(why.panel));
    out += ", \"x\": " + std::to_string(why.x);
    out += ", \"signal\": ";
    AppendJsonString(out, why.signal);
    out += ", \"aspect\": ";
    AppendJsonString(out, why.aspect);
    out += ", \"source\": ";
    AppendJsonString(out, learn::SourceName(why.source));
    out += ", \"causes\": [";
    for (std::size_t i = 0; i < why.causes.size(); ++i) {
        if (i)
            out += ", ";
        AppendJsonString(out, PanelName(why.causes[i]));
    }
    out += ']';
    // A rule's entry: what its causes showed when it acted.
    if (why.source == learn::WhySource::Rule) {
        out += ", \"then\": [";
        for (std::size_t i = 0; i < why.then.size(); ++i) {
            if (i)
                out += ", ";
            AppendJsonString(out, why.then[i]);
        }
        out += ']';
    }
    out += ", \"why\": ";
    AppendJsonString(out, why.why);
    out += '}';
}

} // namespace

std::string ExplanationJson(const learn::Explanation& explanation)
{
    std::string out = "{\n  \"system\": ";
    AppendJsonString(out, learn::SystemName(explanation.system));
    out += ",\n  \"panels\": [";
    for (std::size_t i = 0; i < explanation.panels.size(); ++i) {
        out += i ? ",\n    " : "\n    ";
        AppendPanel(out, explanation.panels[i]);
    }
    out += explanation.panels.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

} // namespace lumaro::documents
