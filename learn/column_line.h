#pragma once

// What the window's "Warum" line says about a signal column: the column's full name first, so
// that every signal is named where the learner looks, then why it shows what it shows. While the
// self-test asks about a column, the line names it and says nothing else.

#include "state/system.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumaro::learn {

// "Spalte 5, hohes Sperrsignal: <why>", the name alone while `why` is empty; empty where no
// signal stands in column `x`.
std::string ColumnLine(System system, std::int32_t x, std::string_view why);

// What the line says while nothing is pointed at or pressed yet.
inline constexpr std::string_view kColumnLinePrompt =
    "Zeigen Sie mit der Maus auf ein Signal oder eine Bezeichnung: Hier steht dann, warum es so zeigt.";

// "Gefragt: Spalte 5, hohes Sperrsignal"; empty where no signal stands in column `x`.
std::string AskedColumnLine(System system, std::int32_t x);

// The signal of column `x` as a label above the line: "Hohes Sperrsignal", "Vorsignal des
// Einfahrsignals"; empty where no signal stands.
std::string ColumnLabel(System system, std::int32_t x);

} // namespace lumaro::learn
