// lumaro-render's command line: every word checked before anything runs, and the help text.

#include "cli/options.h"

#include "io/output_files.h"
#include "core/layout.h"
#include "core/menu.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace lumaro::cli {

namespace {

// "ButtonN" names an aspect button only in its plain spelling: "Button07" and "Button4" are
// no button of the window.
bool ParseButton(std::string_view word, int& number)
{
    constexpr std::string_view kPrefix = "Button";
    if (!word.starts_with(kPrefix))
        return false;
    for (int n = 1; n <= kMaxButtonNumber; ++n) {
        if (IsAspectButton(n) && word.substr(kPrefix.size()) == std::to_string(n)) {
            number = n;
            return true;
        }
    }
    return false;
}

bool ParseAction(std::string_view word, Action& action)
{
    if (word == "tick") {
        action = {Action::Kind::Tick, 0, {}};
        return true;
    }
    if (word == "paint") {
        action = {Action::Kind::Paint, 0, {}};
        return true;
    }
    if (word == "FormClick") {
        action = {Action::Kind::FormClick, 0, {}};
        return true;
    }
    int number = 0;
    if (ParseButton(word, number)) {
        action = {Action::Kind::Button, number, {}};
        return true;
    }
    if (const MenuItem* item = FindMenuItem(word)) {
        action = {Action::Kind::Menu, 0, item->component};
        return true;
    }
    return false;
}

// Whether two output names lead to the same file; names that cannot be resolved are compared
// as written. "-" is standard output, no file.
bool SameFile(const std::string& a, const std::string& b)
{
    if (a == io::kStandardOutput || b == io::kStandardOutput)
        return a == b;
    const auto resolve = [](const std::string& name, std::error_code& error) {
        const std::filesystem::path absolute = std::filesystem::absolute(name, error);
        return error ? absolute : std::filesystem::weakly_canonical(absolute, error);
    };
    std::error_code errorA, errorB;
    const std::filesystem::path resolvedA = resolve(a, errorA);
    const std::filesystem::path resolvedB = resolve(b, errorB);
    if (errorA || errorB)
        return a == b;
    return resolvedA == resolvedB;
}

} // namespace

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error)
{
    options = {};
    bool help = false;
    bool version = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word == "--help") {
            help = true;
            continue;
        }
        if (word == "--version") {
            version = true;
            continue;
        }
        std::string* target = word == "--state"    ? &options.statePath
                              : word == "--trace"  ? &options.tracePath
                              : word == "--png"    ? &options.pngPath
                              : word == "--replay" ? &options.replayPath
                                                   : nullptr;
        if (target) {
            // A following option is taken as the missing argument, not as a file name.
            if (i + 1 == args.size() || args[i + 1].starts_with("--") || args[i + 1].empty()) {
                error = "option " + word + " needs a file argument";
                return false;
            }
            if (!target->empty()) {
                error = "option " + word + " given twice";
                return false;
            }
            *target = args[++i];
            continue;
        }
        if (word.starts_with("-")) {
            error = "unknown option '" + word + "'";
            return false;
        }
        Action action;
        if (!ParseAction(word, action)) {
            error = "unknown action '" + word + "'";
            return false;
        }
        options.actions.push_back(std::move(action));
    }

    if (help || version) {
        if (args.size() != 1) {
            error = std::string(help ? "--help" : "--version") + " takes no other arguments";
            return false;
        }
        options.mode = help ? Options::Mode::Help : Options::Mode::Version;
        return true;
    }
    if (!options.replayPath.empty()) {
        if (!options.actions.empty() || !options.statePath.empty() || !options.tracePath.empty()) {
            error = "--replay takes only --png, no actions, --state or --trace";
            return false;
        }
        if (options.pngPath.empty()) {
            error = "--replay needs --png FILE";
            return false;
        }
        options.mode = Options::Mode::Replay;
        return true;
    }
    // Two outputs into one file would leave only the one renamed last, however the two names
    // spell it ("s.json", "./s.json").
    const std::string* outputs[] = {&options.statePath, &options.tracePath, &options.pngPath};
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b)
            if (!outputs[a]->empty() && !outputs[b]->empty() && SameFile(*outputs[a], *outputs[b])) {
                error = *outputs[a] == io::kStandardOutput
                            ? std::string("only one output may be standard output '-'")
                            : "two outputs name the same file '" + *outputs[a] + "'";
                return false;
            }
    options.mode = Options::Mode::Run;
    return true;
}

namespace {

// The menu items' component names in menu order, in lines of the help's width.
std::string MenuWords()
{
    constexpr std::size_t kWidth = 79;
    std::string out;
    std::string line = " ";
    for (const MenuItem& item : kMenuItems) {
        const std::string word = std::string(" ") + item.component;
        if (line.size() + word.size() > kWidth) {
            out += line + "\n";
            line = " ";
        }
        line += word;
    }
    return out + line + "\n";
}

} // namespace

std::string HelpText()
{
    return "Usage: lumaro-render [ACTION ...] [--state FILE] [--trace FILE] [--png FILE]\n"
           "       lumaro-render --replay TRACE --png FILE\n"
           "       lumaro-render --help | --version\n"
           "\n"
           "Starts the main window without a screen (creation, then one paint), performs the\n"
           "ACTIONs in order and writes the requested files. Options may stand anywhere among\n"
           "the actions; all words are checked before anything runs.\n"
           "\n"
           "Actions:\n"
           "  tick             one timer tick (blink, clear designations, paint, propagate,\n"
           "                   countdown)\n"
           "  paint            one paint requested by the window system\n"
           "  ButtonN          a click on aspect button N (1..37 without 4, 15, 33); a hidden\n"
           "                   or disabled button ignores it\n"
           + MenuWords() +
           "                   a menu item; ag1 and Nacht1 repaint when the colour changes,\n"
           "                   Beenden1 raises the close request\n"
           "  FormClick        a click on the window background\n"
           "Once the close countdown has ended the program, further actions do nothing.\n"
           "\n"
           "Options:\n"
           "  --state FILE     write the state after the last action as JSON\n"
           "  --trace FILE     write the canvas operations of the last paint, one per line\n"
           "  --png FILE       write the canvas (1016 x 696) as an RGB PNG\n"
           "  --replay TRACE   draw the operations of TRACE on a fresh canvas instead of\n"
           "                   running the program; needs --png, allows nothing else.\n"
           "                   Blank lines in TRACE are skipped.\n"
           "  --help           show this text\n"
           "  --version        show the version\n"
           "\n"
           "Output files:\n"
           "  A FILE of - is standard output (for one output at most); /dev/stdout and\n"
           "  /dev/fd/N write through that descriptor as the shell set it up. A symlink is\n"
           "  followed and stays. A FIFO, terminal or device such as /dev/null is written\n"
           "  into directly once the output is complete. A regular file, or a name where\n"
           "  nothing is yet, is replaced at once through a temporary file beside it, so it\n"
           "  is never seen half-written. A directory cannot be written.\n"
           "\n"
           "Exit status: 0 success, 1 an output file could not be written, 2 a usage error,\n"
           "an unreadable or malformed TRACE. On any error no output file is left half-written.\n";
}

} // namespace lumaro::cli
