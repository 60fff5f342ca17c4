// The --explain output: why each designation panel shows what it shows, one panel per line.

#include "documents/explain_json.h"

#include "io/json_writer.h"
#include "learn/quiz.h"

namespace lumaro::documents {

namespace {

using io::JsonWriter;

std::string PanelName(int panel) { return "Panel" + std::to_string(panel); }

void WritePanel(JsonWriter& json, const learn::PanelWhy& why)
{
    json.BeginObject()
        .Field("panel", PanelName(why.panel))
        .Field("x", why.x)
        .Field("signal", why.signal)
        .Field("aspect", why.aspect)
        .Field("source", learn::SourceName(why.source));
    json.Key("causes").BeginArray();
    for (const int cause : why.causes)
        json.String(PanelName(cause));
    json.EndArray();
    // A rule's entry: what its causes showed when it acted.
    if (why.source == learn::WhySource::Rule) {
        json.Key("then").BeginArray();
        for (const std::string& caption : why.then)
            json.String(caption);
        json.EndArray();
    }
    json.Field("why", why.why).EndObject();
}

} // namespace

std::string ExplanationJson(const learn::Explanation& explanation)
{
    JsonWriter json;
    json.BeginObject().BreakLine().Field("system", learn::SystemName(explanation.system));
    json.BreakLine().Key("panels").BeginArray();
    for (const learn::PanelWhy& why : explanation.panels)
        WritePanel(json.BreakLine(), why);
    json.EndArray().EndObject();
    return json.Take() + '\n';
}

} // namespace lumaro::documents
