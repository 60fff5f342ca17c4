#pragma once

// Self-test items on the real line: each a situation that the core reaches from the start with
// actions, a question about one designation panel, and the answer the core itself gives.

#include "core/driver.h"
#include "core/action.h"
#include "learn/random.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumaro::learn {

enum class ItemKind { Name, Set, Predict, Speed };

constexpr int kMaxQuizItems = 1000;

struct QuizItem {
    ItemKind kind = ItemKind::Name;
    System system = System::HV;
    std::vector<std::string> setup;      // actions from the start
    int panel = 0;                       // the designation panel asked about
    std::string prompt;
    std::vector<std::string> then;       // predict: actions after which the panel is asked about
    std::vector<std::string> choices;    // name, predict, speed
    int answer = -1;                     // index into choices; -1 for set
    std::string target;                  // set: the caption to reach
    std::vector<std::string> solution;   // set: one way to reach it
    std::string why;
    // The designation the item is about (the right caption, or the target), by which the
    // learner's progress is kept.
    std::string designation;
};

const char* KindName(ItemKind kind);           // "name", "set", "predict", "speed"
const char* SystemName(System system);         // "HV", "Ks", "Hl"
// The words of an action list written with single spaces ("tick Button5 tick").
std::vector<std::string> Words(std::string_view text);
std::optional<ItemKind> ParseKind(std::string_view name);
std::optional<System> ParseSystem(std::string_view name);

// The self-test's actions are the main window's words (core/action.h).
using lumaro::RunActions;

// Items 0 .. count-1 of `seed`. Item i depends only on the seed, i and the items before it, so a
// longer list begins with the shorter one. Each item's designation is picked first, evenly over
// those its kind can ask about, and no question comes twice within 100 items.
std::vector<QuizItem> GenerateQuiz(std::uint64_t seed, int count);

// Whether two items ask the same question: same kind, system, panel, designation and prompt.
bool SameQuestion(const QuizItem& a, const QuizItem& b);

// A designation a question of some kind can be about, in its system.
struct Askable {
    System system;
    std::string designation;
};
// One entry per designation and system that items of `kind` can ask about: naming and
// predicting only panels that show at least three designations, or a supplement line of a single
// designation, asked among the supplements of its system (learn/tables.h).
std::span<const Askable> AskableDesignations(ItemKind kind);

// One item of `kind`; with `designation` (in `system`) an item about that designation when the
// line can show it, otherwise about any. Without either, the designation is picked first, evenly
// over those the kind can ask about.
QuizItem GenerateItem(Random& random, ItemKind kind, std::optional<System> system = std::nullopt,
                      std::string_view designation = {});


// What a learner is told after answering: the "Warum" text of the asked panel in the situation
// where the answer holds (`warum`; empty where the panel has none, and then the designation's
// meaning), and what the item's kind asks beyond it: for a speed, the signal book's rule that
// gives it; for a set item, the buttons that did it.
struct WhyContext {
    ItemKind kind = ItemKind::Name;
    System system = System::HV;
    int panel = 0;
    std::string caption;                    // the designation the answer is about
    std::vector<std::string> supplements;   // speed: the further lines of the same signal
    std::vector<std::string> presses;       // set: the solution's buttons
    std::string warum;
};
std::string WhyFor(const WhyContext& context);

// The speed a train may pass the signal of `panel` with, from its caption and supplements;
// empty when the signal book gives none for it.
std::string SpeedAt(System system, std::string_view caption, std::span<const std::string> supplements);

} // namespace lumaro::learn
