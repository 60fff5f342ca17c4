// lumaro-render: the main window without a screen. Runs scripted actions on the core and writes
// its state, the last paint's canvas operations and the canvas picture.

#include "cli/options.h"
#include "documents/explain_json.h"
#include "io/output_files.h"
#include "io/png_writer.h"
#include "documents/quiz_json.h"
#include "documents/run_json.h"
#include "documents/state_json.h"
#include "io/trace_format.h"
#include "core/driver.h"
#include "core/version.h"
#include "learn/fahrt.h"
#include "learn/quiz.h"
#include "learn/line_of_form.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace lumaro;
using namespace lumaro::cli;
using namespace lumaro::io;
using namespace lumaro::documents;

constexpr int kStatusOk = 0;
constexpr int kStatusWriteFailed = 1;
constexpr int kStatusUsage = 2;

// An error is one line: a word or file name with control characters in it (a line break in
// a quoted argument) shows them as escapes.
std::string OneLine(const std::string& message)
{
    std::string out;
    for (char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else
            out += c;
    }
    return out;
}

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "lumaro-render: %s\n", OneLine(message).c_str());
    return status;
}

int FinishStdout()
{
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        return Fail(kStatusWriteFailed, "cannot write standard output");
    return kStatusOk;
}

// Produces every requested output in memory, then commits them together.
int WriteOutputs(const Options& options, const MainForm* form, const std::vector<TraceOp>& trace,
                 const RetainedRaster& pixels)
{
    OutputSet outputs;
    if (form && !options.statePath.empty())
        outputs.Add(options.statePath, StateJson(*form));
    if (form && !options.tracePath.empty())
        outputs.Add(options.tracePath, FormatTrace(trace));
    if (form && !options.explainPath.empty())
        outputs.Add(options.explainPath, ExplanationJson(learn::Explain(learn::LineOf(form->View()))));
    if (form && !options.runPath.empty()) {
        const learn::FahrtOptions fahrt{options.trainLength, options.stopAtPlatform ? learn::PlatformStop::Stop
                                                                                    : learn::PlatformStop::Pass};
        outputs.Add(options.runPath, SpeedLineJson(learn::ComputeSpeedLine(form->SelectedSystem(), form->View().Panels, fahrt)));
    }
    if (!options.pngPath.empty()) {
        std::string png;
        std::string error;
        if (!EncodePng(pixels, png, error))
            return Fail(kStatusWriteFailed, "cannot write '" + options.pngPath + "': " + error);
        outputs.Add(options.pngPath, std::move(png));
    }
    std::string error;
    if (!outputs.Commit(error))
        return Fail(kStatusWriteFailed, "cannot write " + error);
    return kStatusOk;
}

int Run(const Options& options)
{
    Driver driver;
    if (!options.tracePath.empty())
        driver.RecordTrace(true);
    driver.Start();
    // Words after the end of the program were checked like all others but change nothing.
    for (const Action& action : options.actions) {
        if (driver.View().Ended)
            break;
        Perform(driver, action);
    }
    return WriteOutputs(options, &driver.Form(), driver.View().Canvas.Trace(), driver.DrawCanvas());
}

int Replay(const Options& options)
{
    std::vector<TraceOp> ops;
    std::string error;
    if (!ReadTrace(options.replayPath, ops, error))
        return Fail(kStatusUsage, error);
    Canvas canvas;
    for (const TraceOp& op : ops)
        canvas.Replay(op);
    return WriteOutputs(options, nullptr, canvas.Trace(), canvas.Draw());
}

int Quiz(const Options& options)
{
    std::string lines;
    for (const learn::QuizItem& item : learn::GenerateQuiz(options.seed, options.items))
        lines += QuizItemJson(item) + "\n";
    OutputSet outputs;
    outputs.Add(options.quizPath, std::move(lines));
    std::string error;
    if (!outputs.Commit(error))
        return Fail(kStatusWriteFailed, "cannot write " + error);
    return kStatusOk;
}

} // namespace

int main(int argc, char** argv)
{
    // A reader that goes away early is a write error to report, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error))
        return Fail(kStatusUsage, error);

    switch (options.mode) {
    case Options::Mode::Help:
        std::fputs(HelpText().c_str(), stdout);
        return FinishStdout();
    case Options::Mode::Version:
        std::fputs("lumaro-render " LUMARO_VERSION "\n", stdout);
        return FinishStdout();
    case Options::Mode::Replay:
        return Replay(options);
    case Options::Mode::Quiz:
        return Quiz(options);
    case Options::Mode::Run:
        break;
    }
    return Run(options);
}
