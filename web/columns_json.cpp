// The signal columns, their names, buttons and designation panels as JSON for the page.

#include "web/columns_json.h"

#include "io/json_text.h"
#include "learn/column_controls.h"
#include "learn/columns.h"

#include <span>
#include <utility>

namespace lumaro::web {

namespace {

std::string NumberList(std::span<const int> numbers)
{
    std::string out = "[";
    for (int n : numbers) {
        if (out.size() > 1)
            out += ", ";
        out += std::to_string(n);
    }
    return out + "]";
}

// {"HV": ..., "Ks": ..., "Hl": ...} with each system's value from `value`.
template <typename Value>
std::string PerSystem(Value value)
{
    std::string out = "{";
    for (const SystemNames& names : kSystems) {
        if (out.size() > 1)
            out += ", ";
        out += '"';
        out += names.id;
        out += "\": ";
        out += value(names.system);
    }
    return out + "}";
}

} // namespace

std::string ColumnsJson()
{
    std::string out = "{\"columns\": [";
    for (const std::int32_t x : learn::kColumns) {
        if (x != learn::kColumns.front())
            out += ", ";
        out += "{\"x\": " + std::to_string(x);
        out += ", \"signal\": " + PerSystem([&](System system) {
            std::string name;
            if (const char* signal = learn::ColumnSignal(system, x))
                io::AppendJsonString(name, signal);
            else
                name = "null";
            return name;
        });
        out += ", \"buttons\": " + PerSystem([&](System system) { return NumberList(learn::ColumnButtons(x, system)); });
        out += ", \"panels\": " + NumberList(learn::ColumnPanels(x)) + "}";
    }
    return out + "]}";
}

} // namespace lumaro::web
