// The --run output: the permitted speed along the line, one piece per line.

#include "documents/run_json.h"

#include "io/json_writer.h"
#include "learn/quiz.h"

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
    static constexpr const char* kKinds[] = {"line", "speed", "on_sight", "stop", "ramp"};
    JsonWriter json;
    json.BeginObject().Key("pieces").BeginArray();
    for (const learn::SpeedPiece& piece : line.pieces) {
        json.BeginObject();
        WriteStretch(json, piece);
        json.Field("kind", kKinds[static_cast<int>(piece.kind)])
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
        .Field("assumptions", learn::FahrtAssumptions())
        .EndObject();
    return json.Take();
}

} // namespace lumaro::documents
