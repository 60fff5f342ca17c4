// A self-test item as one line of JSON, as --quiz writes it and the page reads it.

#include "documents/quiz_json.h"

#include "io/json_writer.h"

namespace lumaro::documents {

namespace {

using io::JsonWriter;

void WriteList(JsonWriter& json, std::string_view key, const std::vector<std::string>& list)
{
    json.Key(key).BeginArray();
    for (const std::string& text : list)
        json.String(text);
    json.EndArray();
}

} // namespace

std::string QuizItemJson(const learn::QuizItem& item)
{
    // A "set" item is answered on the line: it has a target and a solution, no choices.
    const bool set = item.kind == learn::ItemKind::Set;
    JsonWriter json;
    json.BeginObject()
        .Field("kind", learn::KindName(item.kind))
        .Field("system", learn::SystemName(item.system));
    WriteList(json, "setup", item.setup);
    json.Field("panel", "Panel" + std::to_string(item.panel)).Field("prompt", item.prompt);
    WriteList(json, "then", item.then);
    WriteList(json, "choices", set ? std::vector<std::string> {} : item.choices);
    json.Key("answer");
    set ? json.Null() : json.Int(item.answer);
    json.Key("target");
    set ? json.String(item.target) : json.Null();
    WriteList(json, "solution", set ? item.solution : std::vector<std::string> {});
    json.Field("why", item.why).EndObject();
    return json.Take();
}

} // namespace lumaro::documents
