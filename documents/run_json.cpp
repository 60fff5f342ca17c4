// The --run output: the permitted speed along the line, one piece per line.

#include "documents/run_json.h"

#include "io/json_text.h"
#include "learn/quiz.h"

#include <cmath>
#include <cstdio>

namespace lumaro::documents {

using io::AppendJsonString;

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

} // namespace

std::string SpeedLineJson(const learn::SpeedLine& line)
{
    std::string out = "{\n  \"system\": ";
    AppendJsonString(out, learn::SystemName(line.system));
    out += ",\n  \"line_speed\": " + std::to_string(line.lineSpeed);
    out += ", \"train_length\": " + std::to_string(line.options.trainLength);
    out += std::string(", \"stop_at_platform\": ")
        + (line.options.platform == learn::PlatformStop::Stop ? "true" : "false");
    out += ",\n  \"pieces\": [";
    for (std::size_t i = 0; i < line.pieces.size(); ++i) {
        const learn::SpeedPiece& piece = line.pieces[i];
        out += i ? ",\n    " : "\n    ";
        out += "{\"from\": " + std::to_string(piece.from) + ", \"to\": " + std::to_string(piece.to);
        out += ", \"from_kmh\": " + Number(piece.fromKmh) + ", \"to_kmh\": " + Number(piece.toKmh);
        out += ", \"why\": ";
        AppendJsonString(out, piece.why);
        out += '}';
    }
    out += line.pieces.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return out;
}

std::string SpeedLineViewJson(const learn::SpeedLine& line)
{
    static constexpr const char* kKinds[] = {"line", "speed", "on_sight", "stop", "ramp"};
    std::string out = "{\"pieces\": [";
    for (std::size_t i = 0; i < line.pieces.size(); ++i) {
        const learn::SpeedPiece& piece = line.pieces[i];
        out += i ? ", " : "";
        out += "{\"from\": " + std::to_string(piece.from) + ", \"to\": " + std::to_string(piece.to);
        out += ", \"from_kmh\": " + Number(piece.fromKmh) + ", \"to_kmh\": " + Number(piece.toKmh);
        out += ", \"kind\": ";
        AppendJsonString(out, kKinds[static_cast<int>(piece.kind)]);
        out += ", \"column\": " + std::to_string(piece.column);
        out += ", \"cause\": ";
        AppendJsonString(out, piece.cause);
        out += ", \"why\": ";
        AppendJsonString(out, piece.why);
        out += ", \"spoken\": ";
        AppendJsonString(out, piece.spoken);
        out += '}';
    }
    out += "], \"train_length_parts\": [";
    for (std::size_t i = 0; i < line.trainLengthParts.size(); ++i)
        out += (i ? ", [" : "[") + std::to_string(line.trainLengthParts[i].from) + ", "
            + std::to_string(line.trainLengthParts[i].to) + "]";
    out += "], \"train_length\": " + std::to_string(line.options.trainLength);
    out += ", \"platform_stop\": " + std::to_string(learn::kPlatformStop);
    out += ", \"unreadable\": ";
    out += line.unreadable ? "true" : "false";
    out += ", \"assumptions\": ";
    AppendJsonString(out, learn::FahrtAssumptions());
    out += "}";
    return out;
}

} // namespace lumaro::documents
