// The "Warum" line's words about a column, from the columns' names.

#include "learn/column_line.h"

#include "learn/columns.h"

namespace lumaro::learn {

std::string ColumnLine(System system, std::int32_t x, std::string_view why)
{
    std::string line = ColumnName(system, x);
    if (line.empty() || why.empty())
        return line;
    return line.append(": ").append(why);
}

std::string AskedColumnLine(System system, std::int32_t x)
{
    const std::string name = ColumnName(system, x);
    return name.empty() ? name : "Gefragt: " + name;
}

std::string ColumnLabel(System system, std::int32_t x)
{
    const char* signal = ColumnSignal(system, x);
    if (!signal)
        return {};
    std::string label = signal;
    // Only the adjective of "hohes Sperrsignal" starts in lower case; the names are ASCII there.
    if (label[0] >= 'a' && label[0] <= 'z')
        label[0] = static_cast<char>(label[0] - 'a' + 'A');
    return label;
}

} // namespace lumaro::learn
