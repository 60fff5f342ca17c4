// The signal columns, their names, buttons and designation panels as JSON for the page.

#include "web/columns_json.h"

#include "io/json_writer.h"
#include "learn/column_controls.h"
#include "learn/columns.h"

#include <span>

namespace lumaro::web {

namespace {

using io::JsonWriter;

void WriteNumbers(JsonWriter& json, std::span<const int> numbers)
{
    json.BeginArray();
    for (const int n : numbers)
        json.Int(n);
    json.EndArray();
}

// {"HV": ..., "Ks": ..., "Hl": ...} with each system's value written by `write`.
template <typename Write>
void WritePerSystem(JsonWriter& json, Write write)
{
    json.BeginObject();
    for (const SystemNames& names : kSystems) {
        json.Key(names.id);
        write(names.system);
    }
    json.EndObject();
}

} // namespace

std::string ColumnsJson()
{
    JsonWriter json;
    json.BeginObject().Key("columns").BeginArray();
    for (const std::int32_t x : learn::kColumns) {
        json.BeginObject().Field("x", x);
        json.Key("signal");
        WritePerSystem(json, [&](System system) {
            if (const char* signal = learn::ColumnSignal(system, x))
                json.String(signal);
            else
                json.Null();
        });
        json.Key("buttons");
        WritePerSystem(json, [&](System system) { WriteNumbers(json, learn::ColumnButtons(x, system)); });
        json.Key("panels");
        WriteNumbers(json, learn::ColumnPanels(x));
        json.EndObject();
    }
    json.EndArray().EndObject();
    return json.Take();
}

} // namespace lumaro::web
