// The --run output: the permitted speed along the line, one piece per line.

#include "documents/run_json.h"

#include "io/json_writer.h"
#include "learn/quiz.h"
#include "learn/speed_chart.h"

#include <cmath>
#include <cstdio>

namespace lumaro::documents {

using io::JsonWriter;

namespace {

// A speed as a JSON number: whole numbers without a fraction, others with at most two decimals
// (a ramp's speed at a whole pixel is a multiple of 0.01 km/h).
std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::round(value * 100) / 100);
    std::string out = text;
    while (out.back() == '0')
        out.pop_back();
    if (out.back() == '.')
        out.pop_back();
    return out == "-0" ? "0" : out;
}

// "#rrggbb", as style sheets and SVG write a colour.
std::string CssColor(Color color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    return text;
}

// Each kind of piece and its name in the page's view.
struct KindName {
    learn::PieceKind kind;
    const char* name;
};
constexpr KindName kKinds[] = {
    {learn::PieceKind::Line, "line"},
    {learn::PieceKind::Speed, "speed"},
    {learn::PieceKind::OnSight, "on_sight"},
    {learn::PieceKind::Stop, "stop"},
    {learn::PieceKind::Ramp, "ramp"},
};

const char* NameOf(learn::PieceKind kind)
{
    for (const KindName& k : kKinds)
        if (k.kind == kind)
            return k.name;
    return "";
}

// Where the page draws the line: the chart's marks and colours (see learn/speed_chart.h).
void WriteChart(JsonWriter& json, const learn::SpeedLine& line)
{
    const learn::SpeedChart chart = learn::ChartOf(line);
    json.Key("chart").BeginObject()
        .Field("top", learn::kChartTop)
        .Field("bottom", learn::kChartBottom)
        .Field("label_height", learn::kChartLabelHeight);
    json.Key("axis").BeginArray();
    for (const learn::ChartAxisMark& mark : chart.axis)
        json.BeginObject().Field("kmh", mark.kmh).Key("y").Raw(Number(mark.y)).Field("label_x", mark.labelX).EndObject();
    json.EndArray().Key("labels").BeginArray();
    for (const learn::ChartLabel& label : chart.labels)
        json.BeginObject()
            .Field("text", label.text)
            .Field("left", label.left)
            .Field("right", label.right)
            .Field("top", label.top)
            .Field("kind", NameOf(label.kind))
            .EndObject();
    json.EndArray().Key("colors").BeginObject();
    for (const KindName& k : kKinds)
        json.Field(k.name, CssColor(learn::ChartColor(k.kind)));
    json.EndObject().EndObject();
}

// The fields a piece has in both documents.
void WriteStretch(JsonWriter& json, const learn::SpeedPiece& piece)
{
    json.Field("from", piece.from).Field("to", piece.to);
    json.Key("from_kmh").Raw(Number(piece.fromKmh)).Key("to_kmh").Raw(Number(piece.toKmh));
}

} // namespace

std::string SpeedLineJson(const learn::SpeedLine& line)
{
    JsonWriter json;
    json.BeginObject().BreakLine().Field("system", learn::SystemName(line.system));
    json.BreakLine().Field("line_speed", line.lineSpeed)
        .Field("train_length", line.options.trainLength)
        .Field("stop_at_platform", line.options.platform == learn::PlatformStop::Stop);
    json.BreakLine().Key("pieces").BeginArray();
    for (const learn::SpeedPiece& piece : line.pieces) {
        json.BreakLine().BeginObject();
        WriteStretch(json, piece);
        json.Field("why", piece.why).EndObject();
    }
    json.EndArray().EndObject();
    return json.Take() + '\n';
}

std::string SpeedLineViewJson(const learn::SpeedLine& line)
{
    JsonWriter json;
    json.BeginObject().Key("pieces").BeginArray();
    for (const learn::SpeedPiece& piece : line.pieces) {
        json.BeginObject();
        WriteStretch(json, piece);
        json.Key("from_y").Raw(Number(learn::ChartY(piece.fromKmh)))
            .Key("to_y").Raw(Number(learn::ChartY(piece.toKmh)))
            .Field("kind", NameOf(piece.kind))
            .Field("column", piece.column)
            .Field("cause", piece.cause)
            .Field("why", piece.why)
            .Field("spoken", piece.spoken)
            .EndObject();
    }
    json.EndArray().Key("train_length_parts").BeginArray();
    for (const auto& part : line.trainLengthParts)
        json.BeginArray().Int(part.from).Int(part.to).EndArray();
    json.EndArray()
        .Field("train_length", line.options.trainLength)
        .Field("platform_stop", learn::kPlatformStop)
        .Field("unreadable", line.unreadable)
        .Field("assumptions", learn::FahrtAssumptions());
    WriteChart(json, line);
    json.EndObject();
    return json.Take();
}

} // namespace lumaro::documents
