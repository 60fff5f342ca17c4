#pragma once

// Hints of the supplementary lights that read the same on the signals of every system that has them.

namespace lumaro::blocks {

inline constexpr const char* kHintSubstitute =
    "Ersatzsignal - Am Signal Hp 0 oder am gestörten\r\n"
    "Lichthauptsignal ohne schriftlichen Befehl vorbeifahren";
inline constexpr const char* kHintCaution =
    "Vorsichtsignal - Am Signal Hp 0 oder am gestörten\r\n"
    "Lichthauptsignal ohne schriftlichen Befehl vorbeifahren! Weiterfahrt auf Sicht.";
inline constexpr const char* kHintTrackChange =
    "Gegengleisanzeiger - Der Fahrweg führt in das\r\n"
    "Streckengleis entgegen der gewöhnlichen Fahrtrichtung";

} // namespace lumaro::blocks
