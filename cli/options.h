#pragma once

// The command line of lumaro-render, checked completely before anything runs.

#include "core/action.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumaro::cli {

struct Options {
    enum class Mode { Run, Replay, Quiz, Help, Version };
    Mode mode = Mode::Run;
    std::vector<Action> actions;
    std::string statePath;    // empty: not requested
    std::string tracePath;
    std::string pngPath;
    std::string explainPath;
    std::string runPath;      // the speed along the line
    int trainLength = 30;     // --train-length, px
    bool stopAtPlatform = false;
    std::string replayPath;   // Mode::Replay: the trace to run
    std::string quizPath;     // Mode::Quiz: where the self-test items go
    std::uint64_t seed = 0;   // Mode::Quiz
    int items = 0;            // Mode::Quiz: 0 .. learn::kMaxQuizItems
};

// Parses argv[1..]. On a usage error returns false with a one-line message in `error`
// (without the program name); the caller exits with status 2 then.
bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error);

// The text of --help, ending in a line break.
std::string HelpText();

} // namespace lumaro::cli
