// lumaro-render's command line: every word checked before anything runs, and the help text.

#include "cli/options.h"

#include "io/output_files.h"
#include "core/layout.h"
#include "core/menu.h"
#include "learn/fahrt.h"
#include "learn/quiz.h"

#include <array>
#include <filesystem>
#include <string_view>

namespace lumaro::cli {

namespace {

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

// A whole number written as plain decimal digits, within `limit`.
bool ParseNumber(const std::string& text, std::uint64_t limit, std::uint64_t& value)
{
    if (text.empty() || text.size() > 20)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (limit - digit) / 10)
            return false;
        value = value * 10 + digit;
    }
    return true;
}

} // namespace

bool ParseOptions(const std::vector<std::string>& args, Options& options, std::string& error)
{
    options = {};
    bool help = false;
    bool version = false;
    std::string seedText;    // as given; empty: not given
    std::string itemsText;
    std::string trainLengthText;   // as given; empty: not given
    bool stopAtPlatformGiven = false;
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
        if (word == "--seed" || word == "--items") {
            const bool isSeed = word == "--seed";
            std::string& given = isSeed ? seedText : itemsText;
            if (i + 1 == args.size()) {
                error = "option " + word + " needs a number";
                return false;
            }
            if (!given.empty()) {
                error = "option " + word + " given twice";
                return false;
            }
            given = args[++i];
            std::uint64_t value = 0;
            if (!ParseNumber(given, isSeed ? UINT64_MAX : UINT64_MAX / 10, value)) {
                error = "option " + word + " needs a non-negative whole number, not '" + given + "'";
                return false;
            }
            if (isSeed)
                options.seed = value;
            else if (value > static_cast<std::uint64_t>(learn::kMaxQuizItems)) {
                error = "option --items allows at most " + std::to_string(learn::kMaxQuizItems) + " items, not '"
                    + given + "'";
                return false;
            } else
                options.items = static_cast<int>(value);
            continue;
        }
        if (word == "--train-length") {
            if (i + 1 == args.size()) {
                error = "option --train-length needs a number";
                return false;
            }
            if (!trainLengthText.empty()) {
                error = "option --train-length given twice";
                return false;
            }
            trainLengthText = args[++i];
            std::uint64_t value = 0;
            if (!ParseNumber(trainLengthText, UINT64_MAX / 10, value)
                || value > static_cast<std::uint64_t>(learn::kMaxTrainLength)) {
                error = "option --train-length needs a whole number of pixels from 0 to "
                    + std::to_string(learn::kMaxTrainLength) + ", not '" + trainLengthText + "'";
                return false;
            }
            options.trainLength = static_cast<int>(value);
            continue;
        }
        if (word == "--stop-at-platform") {
            if (stopAtPlatformGiven) {
                error = "option --stop-at-platform given twice";
                return false;
            }
            stopAtPlatformGiven = options.stopAtPlatform = true;
            continue;
        }
        std::string* target = word == "--state"    ? &options.statePath
                              : word == "--trace"  ? &options.tracePath
                              : word == "--png"    ? &options.pngPath
                              : word == "--explain" ? &options.explainPath
                              : word == "--run"    ? &options.runPath
                              : word == "--replay" ? &options.replayPath
                              : word == "--quiz"   ? &options.quizPath
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
        const std::optional<Action> action = ParseAction(word);
        if (!action) {
            error = "unknown action '" + word + "'";
            return false;
        }
        options.actions.push_back(*action);
    }

    if (help || version) {
        if (args.size() != 1) {
            error = std::string(help ? "--help" : "--version") + " takes no other arguments";
            return false;
        }
        options.mode = help ? Options::Mode::Help : Options::Mode::Version;
        return true;
    }
    if ((!trainLengthText.empty() || stopAtPlatformGiven) && options.runPath.empty()) {
        error = std::string(trainLengthText.empty() ? "--stop-at-platform" : "--train-length")
            + " belongs to --run FILE";
        return false;
    }
    if (!options.quizPath.empty()) {
        if (!options.actions.empty() || !options.statePath.empty() || !options.tracePath.empty()
            || !options.pngPath.empty() || !options.replayPath.empty()
            || !options.runPath.empty()) {
            error = "--quiz takes only --seed and --items, no actions and no other output";
            return false;
        }
        if (seedText.empty() || itemsText.empty()) {
            error = std::string("--quiz needs ") + (seedText.empty() ? "--seed N" : "--items K");
            return false;
        }
        options.mode = Options::Mode::Quiz;
        return true;
    }
    if (!seedText.empty() || !itemsText.empty()) {
        error = std::string(seedText.empty() ? "--items" : "--seed") + " belongs to --quiz FILE";
        return false;
    }
    if (!options.replayPath.empty()) {
        if (!options.actions.empty() || !options.statePath.empty() || !options.tracePath.empty()
            || !options.explainPath.empty() || !options.runPath.empty()) {
            error = "--replay takes only --png, no actions, --state, --trace, --explain or --run";
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
    const std::string* outputs[] = {&options.statePath, &options.tracePath, &options.pngPath,
                                    &options.explainPath, &options.runPath};
    for (std::size_t a = 0; a < std::size(outputs); ++a)
        for (std::size_t b = a + 1; b < std::size(outputs); ++b)
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
        if (IsShellOnly(item.action))
            continue;
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
           "                    [--explain FILE] [--run FILE [--train-length PX]\n"
           "                    [--stop-at-platform]]\n"
           "       lumaro-render --replay TRACE --png FILE\n"
           "       lumaro-render --quiz FILE --seed N --items K\n"
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
           "  --explain FILE   write as JSON why each designation panel shows its aspect\n"
           "  --run FILE       write as JSON the speed a train may run at every x of the\n"
           "                   line, piece by piece with the reason of each\n"
           "  --train-length PX  the train's length for --run, 0..100 pixels of 10 m\n"
           "                   (default 30)\n"
           "  --stop-at-platform  for --run: the train stops at the platform\n"
           "  --replay TRACE   draw the operations of TRACE on a fresh canvas instead of\n"
           "                   running the program; needs --png, allows nothing else.\n"
           "                   Blank lines in TRACE are skipped.\n"
           "  --quiz FILE      write K self-test items (0..1000) made from seed N as JSON\n"
           "                   Lines, one item per line; the same N and K give the same\n"
           "                   items on every machine. Takes no actions and no other output.\n"
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
           "Exit status: 0 success, 1 an output file could not be written, 2 a usage error\n"
           "(a missing, negative or non-numeric --seed or --items, or --items above 1000,\n"
           "among them; so are a missing, negative or non-numeric --train-length, one above\n"
           "100, and --train-length or --stop-at-platform without --run), an unreadable or\n"
           "malformed TRACE. On any error no output file is left half-written.\n";
}

} // namespace lumaro::cli
