#pragma once

// The speed a train running left to right may run at every x of the line (0 to 1000, one canvas
// pixel = 10 m), for the aspects the designation panels show: a step line with schematic braking
// ramps, cut into pieces that each name their reason. It reads the panels and the line's layout
// and writes nothing; the window, the page and lumaro-render show the same line because they all
// ask here.

#include "render/designations.h"
#include "state/system.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace lumaro::learn {

inline constexpr int kLineSpeed = 160;          // km/h wherever nothing restricts
inline constexpr int kLineEnd = 1000;           // the pieces cover [0, kLineEnd)
inline constexpr int kDefaultTrainLength = 30;  // px, 300 m
inline constexpr int kMaxTrainLength = 100;     // px
inline constexpr int kBrakingLength = 100;      // px before every point where the speed drops
inline constexpr int kPlatformStop = 540;       // head of a train stopping at the platform
inline constexpr int kMetresPerPixel = 10;

enum class PlatformStop { Pass, Stop };

struct FahrtOptions {
    int trainLength = kDefaultTrainLength;   // 0 .. kMaxTrainLength
    PlatformStop platform = PlatformStop::Pass;
    bool operator==(const FahrtOptions&) const = default;
};

enum class PieceKind {
    Line,     // nothing restricts
    Speed,    // a speed a signal gives for its range
    OnSight,  // Zs 7: on sight, at most 40 km/h
    Stop,     // 0 from a stopping signal on
    Ramp,     // braking towards a lower speed (or holding it where the line would rise first)
};

// One straight piece on [from, to): fromKmh at `from`, toKmh just before `to`.
struct SpeedPiece {
    int from = 0;
    int to = 0;
    double fromKmh = 0;
    double toKmh = 0;
    PieceKind kind = PieceKind::Line;
    int column = 0;       // the signal column whose aspect gives it (50 .. 950); 0: none
    std::string cause;    // short: "Hp 2", "Zs 1", "Halt am Bahnsteig", "160 km/h"
    std::string why;      // the reason, a German sentence
    std::string spoken;   // "von Einfahrsignal bis Zwischensignal plus Zuglänge: 40 km/h, weil Hp 2"
};

// Where a speed holds only because the train's last axle has not yet passed the point where
// its range ends.
struct TrainLengthPart {
    int from = 0;
    int to = 0;
};

struct SpeedLine {
    System system = System::HV;
    int lineSpeed = kLineSpeed;
    FahrtOptions options;
    std::vector<SpeedPiece> pieces;        // in order, covering [0, kLineEnd) without gap
    std::vector<TrainLengthPart> trainLengthParts;
    // A main signal whose panel is empty: its aspect cannot be read, and the line assumes Halt.
    bool unreadable = false;
};

// The line for the captions of `panels` ([n] is PanelN, n = 1 .. 16 at least) in `system`.
// A train length outside 0 .. kMaxTrainLength is taken as the nearest allowed one.
SpeedLine ComputeSpeedLine(System system, std::span<const PanelState> panels, FahrtOptions options = {});

// The line as a view keeps it after every tick: computed again only when the system, a caption
// or the options changed, so that keeping it up to date costs a comparison.
class SpeedLineCache {
public:
    const SpeedLine& Get(System system, std::span<const PanelState> panels, FahrtOptions options);

private:
    bool m_valid = false;
    System m_system = System::HV;
    FahrtOptions m_options;
    std::array<std::string, kDesignationPanelCount + 1> m_captions;
    SpeedLine m_line;
};

// The permitted speed at x (0 .. kLineEnd), read from the pieces; 0 outside them.
double PermittedSpeedAt(const SpeedLine& line, double x);

// The piece holding x, or nullptr.
const SpeedPiece* PieceAt(const SpeedLine& line, double x);

// A train running the line, time compressed: the whole line at 160 km/h in three seconds. It runs
// at the permitted speed where its head is (at least a crawl, so that it arrives where a ramp
// ends in 0), stands at the start of a stop until the line lets it go on, and waits a moment at
// the platform when it is to stop there. It has left the line once its last axle has.
struct TrainRun {
    double head = 0;            // x of the train's head
    int waitMs = 0;             // still to wait at the platform
    bool stoppedAtPlatform = false;
    bool running = true;
};

inline constexpr double kTrainPixelsPerSecondAt160 = 1000.0 / 3.0;
inline constexpr double kTrainCrawlKmh = 6;
inline constexpr int kTrainPlatformWaitMs = 1200;

void AdvanceTrain(const SpeedLine& line, TrainRun& train, int ms);

// What the view says once beside the line: the conventions it assumes.
const char* FahrtAssumptions();

} // namespace lumaro::learn
