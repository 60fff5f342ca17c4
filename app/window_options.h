#pragma once

// The learner's own options of the window, kept between starts in a small settings file of the
// user (~/.config/lumaro/lumaro.conf). The system, day and night, the track plan and the
// designations are the program's state and are not kept: every start shows H/V by day.

#include <QString>

#include <array>

namespace lumaro {

// The sizes the window offers, in percent of its own pixels.
inline constexpr std::array<int, 5> kViewPercents = {100, 125, 150, 175, 200};

struct WindowOptions {
    bool showWhy = true;         // "Warum anzeigen"
    bool steadyLamps = false;    // "Blinken anhalten"
    bool colorLetters = false;   // "Lampenfarben beschriften"
    bool signalNames = false;    // "Signalnamen anzeigen"
    int viewPercent = 100;       // one of kViewPercents

    friend bool operator==(const WindowOptions&, const WindowOptions&) = default;
};

// The file the options are kept in. Works before the application object exists.
QString OptionsFilePath();

// The kept options; a missing file, or a value that is missing or not understood, gives that
// option's default.
WindowOptions LoadOptions(const QString& path = OptionsFilePath());

// Writes all options; false when the file cannot be written.
bool SaveOptions(const WindowOptions& options, const QString& path = OptionsFilePath());

// Before the application object exists: the kept size of the view as Qt's scale factor, unless
// the environment asks for a scale itself. Returns the factor applied, 1 for none.
double ApplyViewSize(const QString& path = OptionsFilePath());

} // namespace lumaro
