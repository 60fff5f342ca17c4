#include "documents/quiz_json.h"

#include "io/json_text.h"

namespace lumaro::documents {

using io::AppendJsonString;

namespace {

void AppendJsonList(std::string& out, const std::vector<std::string>& list)
{
    out += '[';
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += ", ";
        AppendJsonString(out, list[i]);
    }
    out += ']';
}

} // namespace

std::string QuizItemJson(const learn::QuizItem& item)
{
    const bool set = item.kind == learn::ItemKind::Set;
    std::string out = "{\"kind\": ";
    AppendJsonString(out, learn::KindName(item.kind));
    out += ", \"system\": ";
    AppendJsonString(out, learn::SystemName(item.system));
    out += ", \"setup\": ";
    AppendJsonList(out, item.setup);
    out += ", \"panel\": ";
    AppendJsonString(out, "Panel" + std::to_string(item.panel));
    out += ", \"prompt\": ";
    AppendJsonString(out, item.prompt);
    out += ", \"then\": ";
    AppendJsonList(out, item.then);
    out += ", \"choices\": ";
    AppendJsonList(out, set ? std::vector<std::string> {} : item.choices);
    out += ", \"answer\": ";
    out += set ? "null" : std::to_string(item.answer);
    out += ", \"target\": ";
    if (set)
        AppendJsonString(out, item.target);
    else
        out += "null";
    out += ", \"solution\": ";
    AppendJsonList(out, set ? item.solution : std::vector<std::string> {});
    out += ", \"why\": ";
    AppendJsonString(out, item.why);
    out += '}';
    return out;
}

} // namespace lumaro::documents
