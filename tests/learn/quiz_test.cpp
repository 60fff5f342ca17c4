// Self-test items replayed through the core: every answer an item claims is what the line shows.

#include "core/layout.h"
#include "documents/quiz_json.h"
#include "learn/columns.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"
#include "learn/quiz.h"
#include "learn/tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace lumaro::learn {

using documents::QuizItemJson;
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr int kItemsPerSeed = 60;
#else
constexpr int kItemsPerSeed = 500;
#endif
constexpr std::uint64_t kSeeds[] = {0, 1, 20261208, 0xFFFFFFFFFFFFFFFFull};

std::set<std::string> CaptionsOf(System system)
{
    std::set<std::string> captions;
    for (const Recipe& row : Recipes())
        if (row.system == system)
            captions.insert(row.caption);
    return captions;
}

// What a question about `panel` may offer: the designations it shows, or for a supplement line
// of a single designation, the supplements it is asked among.
std::set<std::string> DesignationsShown(System system, int panel)
{
    std::set<std::string> captions;
    if (const SupplementSigns* line = FindSupplementSigns(system, panel)) {
        captions.insert(line->signs.begin(), line->signs.end());
        return captions;
    }
    for (const Recipe& row : Recipes())
        if (row.system == system && row.panel == panel)
            captions.insert(row.caption);
    return captions;
}

// The run after `setup` and then `more`, as lumaro-render makes it.
Driver Replay(const std::vector<std::string>& setup, const std::vector<std::string>& more = {})
{
    Driver form;
    form.Start();
    std::string error;
    EXPECT_TRUE(RunActions(form, setup, &error)) << error;
    EXPECT_TRUE(RunActions(form, more, &error)) << error;
    return form;
}

std::string ButtonCaptionOf(const std::string& word)
{
    for (const ButtonDef& def : kButtons)
        if (word == "Button" + std::to_string(def.number))
            return def.caption;
    return word;
}

std::vector<std::string> SupplementsShown(const FormState& form, System system, int panel)
{
    std::vector<std::string> captions;
    for (const SupplementOf& row : Supplements())
        if (row.main == panel && (row.systems & SystemBit(system)) && !form.Panels[row.supplement].caption.empty())
            captions.push_back(form.Panels[row.supplement].caption);
    return captions;
}

// Whether `text` names `caption` as a whole: not "Hl 1" inside "Hl 10", nor "Hp 1" inside
// "Hp 1 + Zs 3 "8"".
bool NamesExactly(const std::string& text, const std::string& caption)
{
    const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t at = text.find(caption); at != std::string::npos; at = text.find(caption, at + 1)) {
        const std::size_t end = at + caption.size();
        if ((at == 0 || !word(text[at - 1])) && (end == text.size() || !word(text[end]))
            && text.compare(end, 2, " +") != 0)
            return true;
    }
    return false;
}

// The explanation after an answer begins with the "Warum" text of the asked panel where the
// answer holds, or the designation's meaning where the panel has none.
void CheckWhy(const QuizItem& item, const Driver& where, const std::string& answer)
{
    const std::optional<PanelWhy> warum = ExplainPanel(LineOf(where.View()), item.panel);
    if (warum) {
        EXPECT_EQ(item.why.rfind(warum->why, 0), 0u) << warum->why;
    } else {
        const Meaning* meaning = FindMeaning(item.system, item.designation);
        ASSERT_NE(meaning, nullptr);
        EXPECT_NE(item.why.find(meaning->meaning), std::string::npos);
    }
    EXPECT_TRUE(NamesExactly(item.why, answer)) << answer;
}

void CheckItem(const QuizItem& item)
{
    SCOPED_TRACE(QuizItemJson(item));
    ASSERT_GE(item.panel, 1);
    ASSERT_LE(item.panel, 16);
    ASSERT_FALSE(item.setup.empty());
    EXPECT_EQ(item.setup.front(), std::string(SystemName(item.system)) + "System1");
    EXPECT_FALSE(item.prompt.empty());
    EXPECT_FALSE(item.why.empty());

    if (item.kind == ItemKind::Set) {
        EXPECT_TRUE(item.choices.empty());
        EXPECT_EQ(item.answer, -1);
        EXPECT_NE(Replay(item.setup).View().Panels[item.panel].caption, item.target);
        const Driver solved = Replay(item.setup, item.solution);
        EXPECT_EQ(solved.View().Panels[item.panel].caption, item.target);
        EXPECT_EQ(item.designation, item.target);
        CheckWhy(item, solved, item.target);
        for (const std::string& word : item.solution) {
            if (word != "tick") {
                EXPECT_NE(item.why.find(ButtonCaptionOf(word)), std::string::npos) << word;
            }
        }
        return;
    }

    ASSERT_GE(item.choices.size(), 3u);
    ASSERT_LE(item.choices.size(), 5u);
    ASSERT_GE(item.answer, 0);
    ASSERT_LT(item.answer, static_cast<int>(item.choices.size()));
    const std::set<std::string> distinct(item.choices.begin(), item.choices.end());
    EXPECT_EQ(distinct.size(), item.choices.size());
    const std::string& answer = item.choices[static_cast<std::size_t>(item.answer)];

    Driver form = Replay(item.setup, item.then);
    const std::string shown = form.View().Panels[item.panel].caption;
    if (item.kind == ItemKind::Speed) {
        const std::set<std::string> speeds(SpeedsOf(item.system).begin(), SpeedsOf(item.system).end());
        for (const std::string& choice : item.choices)
            EXPECT_TRUE(speeds.count(choice) || choice == "80 km/h") << choice;
        EXPECT_EQ(SpeedAt(item.system, shown, SupplementsShown(form.View(), item.system, item.panel)), answer);
        // The explanation names the designation the speed follows from.
        EXPECT_TRUE(NamesExactly(item.why, shown));
        // No wrong speed is part of the right one ("40 km/h" in "Fahrt auf Sicht, höchstens 40 km/h").
        for (const std::string& choice : item.choices)
            EXPECT_TRUE(choice == answer || answer.find(choice) == std::string::npos) << choice;
    } else {
        EXPECT_EQ(shown, answer);
        // Every choice is something the asked panel shows, of at least three, and none is right
        // too: not the answer with the further lines its column shows.
        const std::set<std::string> panelShows = DesignationsShown(item.system, item.panel);
        EXPECT_GE(panelShows.size(), 3u);
        for (const std::string& choice : item.choices) {
            EXPECT_TRUE(panelShows.count(choice)) << choice << " is nothing Panel" << item.panel << " shows";
            for (int n : ColumnPanels(PanelColumn(item.panel))) {
                const std::string& further = form.View().Panels[n].caption;
                if (n != item.panel && further.starts_with("+ ")) {
                    EXPECT_FALSE(choice.starts_with(answer + " " + further)) << choice << " is right as well";
                }
            }
        }
    }
    EXPECT_EQ(item.designation, shown);
    CheckWhy(item, form, answer);
    // The situation the learner looks at stays as it is while the timer runs on.
    form.Tick();
    EXPECT_EQ(form.View().Panels[item.panel].caption, shown);
}

TEST(QuizTest, EveryItemReplaysToTheAnswerItClaims)
{
    std::map<ItemKind, int> kinds;
    std::set<System> systems;
    std::map<std::string, int> answers;   // of the naming and predicting items
    int asked = 0;
    for (std::uint64_t seed : kSeeds) {
        const std::vector<QuizItem> items = GenerateQuiz(seed, kItemsPerSeed);
        for (std::size_t i = 0; i < items.size(); ++i) {
            const QuizItem& item = items[i];
            ++kinds[item.kind];
            systems.insert(item.system);
            if (item.kind == ItemKind::Name || item.kind == ItemKind::Predict) {
                ++answers[item.designation];
                ++asked;
            }
            // An exam of up to 100 questions asks none twice.
            for (std::size_t j = i >= 100 ? i - 99 : 0; j < i; ++j)
                EXPECT_FALSE(SameQuestion(items[j], item)) << "items " << j << " and " << i << " of seed " << seed;
            CheckItem(item);
            if (::testing::Test::HasFailure())
                return;
        }
    }
    // The answers spread over the designations, the rare ones included.
    for (const auto& [designation, count] : answers)
        EXPECT_LE(count * 100, asked * 6) << designation << ": " << count << " of " << asked;
    if (kItemsPerSeed >= 500) {
        EXPECT_GT(answers["Hl 6a"], 0);
        EXPECT_GT(answers["Hl 9b"], 0);
        EXPECT_GT(answers["Zs 13"], 0);
    }
    for (ItemKind kind : {ItemKind::Name, ItemKind::Set, ItemKind::Predict, ItemKind::Speed})
        EXPECT_GT(kinds[kind], kItemsPerSeed / 8) << KindName(kind);
    EXPECT_EQ(systems.size(), 3u);
}

TEST(QuizTest, SameSeedSameItemsAndALongerListBeginsWithTheShorter)
{
    std::vector<std::string> first, again, longer, other;
    for (const QuizItem& item : GenerateQuiz(42, 12))
        first.push_back(QuizItemJson(item));
    for (const QuizItem& item : GenerateQuiz(42, 12))
        again.push_back(QuizItemJson(item));
    for (const QuizItem& item : GenerateQuiz(42, 20))
        longer.push_back(QuizItemJson(item));
    for (const QuizItem& item : GenerateQuiz(43, 12))
        other.push_back(QuizItemJson(item));
    EXPECT_EQ(first, again);
    EXPECT_TRUE(std::equal(first.begin(), first.end(), longer.begin()));
    EXPECT_NE(first, other);
    EXPECT_TRUE(GenerateQuiz(42, 0).empty());
}

// Each row of the table of ways is checked against the line, and every designation the line
// shows can be asked about.
TEST(QuizTest, EveryDesignationOfEverySystemIsReachableAsAnItem)
{
    for (const Recipe& row : Recipes()) {
        SCOPED_TRACE(std::string(SystemName(row.system)) + " Panel" + std::to_string(row.panel) + " " + row.caption);
        std::vector<std::string> setup {std::string(SystemName(row.system)) + "System1", "tick"};
        std::string presses = row.presses;
        for (std::size_t at = 0; at < presses.size();) {
            std::size_t end = presses.find(' ', at);
            if (end == std::string::npos)
                end = presses.size();
            setup.push_back(presses.substr(at, end - at));
            setup.push_back("tick");
            at = end + 1;
        }
        setup.insert(setup.end(), {"tick", "tick"});
        EXPECT_EQ(Replay(setup).View().Panels[row.panel].caption, row.caption);

        // A panel with fewer than three designations is not named; it is set instead.
        Random random(7);
        const ItemKind kind = DesignationsShown(row.system, row.panel).size() >= 3 ? ItemKind::Name : ItemKind::Set;
        const QuizItem item = GenerateItem(random, kind, row.system, row.caption);
        EXPECT_EQ(item.designation, row.caption) << KindName(kind);
        EXPECT_EQ(item.system, row.system);
    }
}

// The tables are held against one another: every designation has a meaning, every main
// signal's designation a speed, and every confused pair names designations the line shows.
TEST(QuizTest, TablesCoverEveryDesignationTheLineShows)
{
    for (const Recipe& row : Recipes()) {
        SCOPED_TRACE(std::string(SystemName(row.system)) + " " + row.caption);
        EXPECT_NE(FindMeaning(row.system, row.caption), nullptr);
        EXPECT_NE(FindPanelSignal(row.system, row.panel), nullptr);
        const PanelSignal* signal = FindPanelSignal(row.system, row.panel);
        if (signal && signal->role == PanelRole::Main && std::string_view(row.caption) != "Ke") {
            EXPECT_NE(FindSpeedFact(row.system, row.caption), nullptr);
        }
    }
    // A speed's explanation names the speed the learner picked.
    for (const SpeedFact& row : SpeedFacts())
        EXPECT_NE(std::string_view(row.fact).find(row.speed), std::string_view::npos) << row.caption;
    for (const Confusion& pair : Confusions()) {
        for (System system : {System::HV, System::Ks, System::Hl}) {
            if (!(pair.systems & SystemBit(system)))
                continue;
            EXPECT_TRUE(CaptionsOf(system).count(pair.a)) << SystemName(system) << " " << pair.a;
            EXPECT_TRUE(CaptionsOf(system).count(pair.b)) << SystemName(system) << " " << pair.b;
        }
    }
}

TEST(QuizTest, WrongChoicesIncludeTheConfusionsLearnersMake)
{
    Random random(3);
    const QuizItem zs1 = GenerateItem(random, ItemKind::Name, System::HV, "Hp 0 + Zs 1");
    ASSERT_EQ(zs1.designation, "Hp 0 + Zs 1");
    EXPECT_NE(std::find(zs1.choices.begin(), zs1.choices.end(), "Hp 0 + Zs 7"), zs1.choices.end());

    // Offered wherever the asked panel can show it: the intermediate signal has no 60 km/h.
    int offered = 0;
    for (int i = 0; i < 12; ++i) {
        const QuizItem hl3a = GenerateItem(random, ItemKind::Name, System::Hl, "Hl 3a");
        const bool canShow = DesignationsShown(System::Hl, hl3a.panel).count("Hl 3b") > 0;
        const bool isOffered = std::find(hl3a.choices.begin(), hl3a.choices.end(), "Hl 3b") != hl3a.choices.end();
        EXPECT_EQ(isOffered, canShow) << "Panel" << hl3a.panel;
        offered += isOffered;
    }
    EXPECT_GT(offered, 0);

    const QuizItem zs1Speed = GenerateItem(random, ItemKind::Speed, System::Ks, "Hp 0 + Zs 1");
    ASSERT_EQ(zs1Speed.designation, "Hp 0 + Zs 1");
    EXPECT_EQ(zs1Speed.choices[static_cast<std::size_t>(zs1Speed.answer)], "40 km/h");
    EXPECT_NE(std::find(zs1Speed.choices.begin(), zs1Speed.choices.end(), kSpeedOnSight), zs1Speed.choices.end());
    EXPECT_EQ(zs1Speed.why.find("Fahrt auf Sicht") != std::string::npos, true);
}

// Ks 1 blinks when a Zs 3v announces a lower speed at the next signal; the train still passes
// at line speed, and the announced speed is the wrong choice to offer.
TEST(QuizTest, BlinkingKs1IsPassedAtLineSpeed)
{
    const std::vector<std::string> supplements {"+ Zs 3v \"4\""};
    EXPECT_EQ(SpeedAt(System::Ks, "Ks 1", supplements), kSpeedLine);
    EXPECT_EQ(SpeedAt(System::Ks, "Ks 1", std::vector<std::string> {"+ Zs 3 \"6\"", "+ Zs 3v \"4\""}), "60 km/h");
    EXPECT_EQ(SpeedAt(System::Ks, "Hp 0", std::vector<std::string> {"+ Zs 3 \"6\""}), kSpeedStop);
    EXPECT_EQ(SpeedAt(System::HV, "Ke", {}), "");
    const std::string why = WhyFor({ItemKind::Speed, System::Ks, 10, "Ks 1", supplements, {}, "Warum."});
    EXPECT_EQ(why.rfind("Warum. ", 0), 0u);
    EXPECT_NE(why.find(kSpeedLine), std::string::npos);
    EXPECT_NE(why.find("Zs 3v \"4\" kündigt 40 km/h erst für das nächste Signal an"), std::string::npos);
    // Without a "Warum" text the designation's meaning stands in for it.
    EXPECT_EQ(WhyFor({ItemKind::Name, System::Ks, 10, "Ks 1", {}, {}, {}}), "Das Einfahrsignal zeigt Ks 1: Fahrt.");
}

// The questions name each signal as the explanations do, the parts on a mast after the signal
// that carries them.
TEST(QuizTest, QuestionsNameTheSignalsAsTheExplanationsDo)
{
    for (const Recipe& row : Recipes()) {
        const std::int32_t x = PanelColumn(row.panel);
        ASSERT_NE(ColumnSignal(row.system, x), nullptr) << SystemName(row.system) << " Panel" << row.panel;
        const std::string name = PanelSignalName(row.system, row.panel, Case::Nominative);
        EXPECT_TRUE(name == SignalWithArticle(row.system, x, Case::Nominative) || name.ends_with(" " + SignalAt(row.system, x)))
            << name;
    }
    EXPECT_EQ(PanelSignalName(System::HV, 7, Case::Nominative), "das hohe Sperrsignal");
    EXPECT_EQ(PanelSignalName(System::Hl, 5, Case::Accusative), "den Gegengleisanzeiger am Ausfahrsignal");
    EXPECT_EQ(PanelSignalAt(System::HV, 11), "am Vorsignal am Einfahrsignal");
    // The Hl line's buttons in column 750 set the exit signal's track-change indication.
    const ButtonColumn* column = FindButtonColumn(System::Hl, 14);
    ASSERT_NE(column, nullptr);
    EXPECT_EQ(PanelSignalAt(System::Hl, column->panel), "am Gegengleisanzeiger am Ausfahrsignal");
}

TEST(QuizTest, RunActionsStopsAtTheFirstWordThatIsNoAction)
{
    for (const char* bad : {"Button4", "Button07", "button1", "tock", "", "Button1 ", "Ueben1"}) {
        Driver form;
        form.Start();
        std::string error;
        const std::vector<std::string> actions {"KsSystem1", bad, "HlSystem1"};
        EXPECT_FALSE(RunActions(form, actions, &error)) << bad;
        EXPECT_EQ(error, bad);
        EXPECT_EQ(form.View().system, System::Ks) << "the words before it ran, the ones after it did not";
    }
}

} // namespace
} // namespace lumaro::learn
