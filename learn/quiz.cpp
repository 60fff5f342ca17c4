// The self-test's item generator: builds situations on a real line, asks about one panel and
// takes every answer from what the core shows.

#include "learn/quiz.h"

#include "core/layout.h"
#include "learn/columns.h"
#include "core/menu.h"
#include "learn/explain.h"
#include "learn/line_of_form.h"
#include "learn/tables.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace lumaro::learn {

namespace {

// Ticks after the last press until every panel, distant signals included, shows the new state:
// a change travels through at most two relay records, one tick each.
constexpr int kSettleTicks = 3;
// Presses made before the way to the designation, so that situations vary.
constexpr int kMaxNoisePresses = 2;
// Buttons tried for a question about what a press does.
constexpr int kPredictTries = 8;
// Buttons tried for one-press ways to a designation.
constexpr int kSetTries = 8;
constexpr int kChoiceCount = 4;
constexpr int kAttempts = 24;

bool ParseButtonWord(std::string_view word, int& number)
{
    const std::optional<Action> action = ParseAction(word);
    if (!action || action->kind != Action::Kind::Button)
        return false;
    number = action->button;
    return true;
}

const char* ButtonCaption(int n)
{
    for (const ButtonDef& def : kButtons)
        if (def.number == n)
            return def.caption;
    return "";
}

std::string Capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

template <typename T>
void Shuffle(std::vector<T>& items, Random& random)
{
    for (int i = static_cast<int>(items.size()) - 1; i > 0; --i)
        std::swap(items[static_cast<std::size_t>(i)], items[static_cast<std::size_t>(random.Below(i + 1))]);
}

void AddUnique(std::vector<std::string>& list, std::string_view text)
{
    if (!text.empty() && std::find(list.begin(), list.end(), text) == list.end())
        list.emplace_back(text);
}

std::vector<const Recipe*> RecipesOf(System system)
{
    std::vector<const Recipe*> rows;
    for (const Recipe& row : Recipes())
        if (row.system == system)
            rows.push_back(&row);
    return rows;
}

PanelRole RoleOf(System system, int panel)
{
    const PanelSignal* signal = FindPanelSignal(system, panel);
    return signal ? signal->role : PanelRole::Supplement;
}

std::string Nominative(System system, int panel) { return PanelSignalName(system, panel, Case::Nominative); }

// The "Warum" text of `panel` on the line as its last paint left it; empty where there is none.
std::string WarumOf(const Driver& line, int panel)
{
    const std::optional<PanelWhy> why = ExplainPanel(LineOf(line.View()), panel);
    return why ? why->why : std::string();
}

std::vector<std::string> SupplementCaptions(const FormState& form, System system, int panel)
{
    std::vector<std::string> captions;
    for (const SupplementOf& row : Supplements())
        if (row.main == panel && (row.systems & SystemBit(system)))
            if (const std::string& caption = form.Panels[row.supplement].caption; !caption.empty())
                captions.push_back(caption);
    return captions;
}

// Panels a speed question may ask about: the main signals and the lone speed indicator.
bool IsSpeedPanel(System system, int panel)
{
    const PanelRole role = RoleOf(system, panel);
    return role == PanelRole::Main || (role == PanelRole::Indicator && panel == 8);
}

// The digits of a Zs 3 or Zs 3v in a caption ("+ Zs 3v "6"" -> 60 km/h), or 0.
int IndicatorSpeed(std::string_view caption, std::string_view indicator)
{
    const std::size_t at = caption.find(indicator);
    if (at == std::string_view::npos)
        return 0;
    const std::string_view rest = caption.substr(at + indicator.size());
    int digits = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), digits);
    if (ec != std::errc() || end == rest.data() + rest.size() || *end != '"')
        return 0;
    return digits * 10;
}

std::string Kmh(int speed) { return std::to_string(speed) + " km/h"; }

// A line reached from the start by `setup`.
struct Situation {
    Driver driver;
    std::vector<std::string> setup;
};

const std::vector<std::string> kTick {"tick"};

void Press(Situation& s, int button)
{
    const std::vector<std::string> actions {ButtonWord(button), "tick"};
    s.setup.insert(s.setup.end(), actions.begin(), actions.end());
    RunActions(s.driver, actions);
}

std::vector<int> VisibleEnabledButtons(const FormState& form)
{
    std::vector<int> buttons;
    for (const ButtonDef& def : kButtons)
        if (form.Buttons[def.number].visible && form.Buttons[def.number].enabled)
            buttons.push_back(def.number);
    return buttons;
}

// The line of `system` after a few random presses and then the presses of `recipe`, settled.
// Without noise it is the recipe's own way from the start.
Situation MakeSituation(System system, const Recipe* recipe, int noise, Random& random)
{
    Situation s;
    s.driver.Start();
    s.setup = {NamesOf(system).menuItem, "tick"};
    RunActions(s.driver, s.setup);
    for (int i = 0; i < noise; ++i) {
        const std::vector<int> buttons = VisibleEnabledButtons(s.driver.View());
        Press(s, buttons[static_cast<std::size_t>(random.Below(static_cast<int>(buttons.size())))]);
    }
    if (recipe) {
        for (const std::string& word : Words(recipe->presses)) {
            int button = 0;
            if (ParseButtonWord(word, button))
                Press(s, button);
        }
    }
    for (int i = 1; i < kSettleTicks; ++i) {
        s.setup.push_back("tick");
        RunActions(s.driver, kTick);
    }
    return s;
}

// A situation in which the recipe's panel shows the recipe's designation: with noise when the
// noise leaves it so, else by the recipe alone.
Situation SituationShowing(System system, const Recipe& recipe, Random& random)
{
    const int noise = random.Below(kMaxNoisePresses + 1);
    if (noise > 0) {
        Situation s = MakeSituation(system, &recipe, noise, random);
        if (s.driver.View().Panels[recipe.panel].caption == recipe.caption)
            return s;
    }
    return MakeSituation(system, &recipe, 0, random);
}

// Every designation the panel shows in `system`, one each; for a supplement line of a single
// designation, the supplements it is asked among.
std::vector<std::string> DesignationsOf(System system, int panel)
{
    std::vector<std::string> captions;
    if (const SupplementSigns* line = FindSupplementSigns(system, panel)) {
        for (const char* sign : line->signs)
            captions.emplace_back(sign);
        return captions;
    }
    for (const Recipe* row : RecipesOf(system))
        if (row->panel == panel)
            AddUnique(captions, row->caption);
    return captions;
}

// A panel that shows fewer designations than a question offers choices would give its answer
// away: it is not asked to be named.
constexpr int kFewestToName = 3;

bool IsNameable(System system, int panel)
{
    return static_cast<int>(DesignationsOf(system, panel).size()) >= kFewestToName;
}

// What would be right as well: the answer together with the further lines its column shows
// ("Ks 1" with "+ Zs 3 "6"" is the designation "Ks 1 + Zs 3 "6"").
std::vector<std::string> AlsoRight(const FormState& form, int panel, const std::string& answer)
{
    std::vector<std::string> supplements;
    for (const int n : ColumnPanels(PanelColumn(panel)))
        if (n != panel && form.Panels[n].caption.starts_with("+ "))
            supplements.push_back(form.Panels[n].caption);
    std::vector<std::string> right;
    for (std::size_t i = 0; i < supplements.size(); ++i) {
        right.push_back(answer + " " + supplements[i]);
        for (std::size_t j = 0; j < supplements.size(); ++j)
            if (j != i)
                right.push_back(answer + " " + supplements[i] + " " + supplements[j]);
    }
    return right;
}

// Wrong choices for a designation, all of them designations the asked panel shows in this
// system and none right as well: first the ones learners confuse with it, then what the panel
// showed before (`also`), then the others.
std::vector<std::string> DesignationChoices(System system, int panel, const std::string& answer,
                                            std::string_view also, std::span<const std::string> alsoRight,
                                            Random& random)
{
    std::vector<std::string> shown = DesignationsOf(system, panel);
    std::erase_if(shown, [&](const std::string& c) {
        return c == answer || std::find(alsoRight.begin(), alsoRight.end(), c) != alsoRight.end();
    });
    const auto isShown = [&shown](std::string_view c) {
        return std::find(shown.begin(), shown.end(), c) != shown.end();
    };
    std::vector<std::string> confused;
    for (const Confusion& row : Confusions()) {
        if (!(row.systems & SystemBit(system)))
            continue;
        if (answer == row.a && isShown(row.b))
            AddUnique(confused, row.b);
        else if (answer == row.b && isShown(row.a))
            AddUnique(confused, row.a);
    }
    Shuffle(confused, random);
    Shuffle(shown, random);

    std::vector<std::string> choices {answer};
    for (const std::string& caption : confused)
        if (choices.size() < kChoiceCount)
            AddUnique(choices, caption);
    if (choices.size() < kChoiceCount && isShown(also))
        AddUnique(choices, also);
    for (const std::string& caption : shown)
        if (choices.size() < kChoiceCount)
            AddUnique(choices, caption);
    return choices;
}

// Puts the choices in a random order; returns the index of the first one, the answer.
int ShuffleChoices(std::vector<std::string>& choices, Random& random)
{
    const std::string answer = choices.front();
    Shuffle(choices, random);
    return static_cast<int>(std::find(choices.begin(), choices.end(), answer) - choices.begin());
}

const Recipe& PickRecipe(const std::vector<const Recipe*>& rows, Random& random)
{
    return *rows[static_cast<std::size_t>(random.Below(static_cast<int>(rows.size())))];
}

std::vector<const Recipe*> RecipesFor(System system, std::string_view designation,
                                      bool (*fits)(System, const Recipe&))
{
    std::vector<const Recipe*> rows;
    for (const Recipe* row : RecipesOf(system))
        if ((designation.empty() || row->caption == designation) && (!fits || fits(system, *row)))
            rows.push_back(row);
    return rows;
}

bool FitsName(System system, const Recipe& row)
{
    return IsNameable(system, row.panel);
}

std::optional<QuizItem> MakeNameItem(System system, std::string_view designation, Random& random)
{
    const std::vector<const Recipe*> rows = RecipesFor(system, designation, FitsName);
    if (rows.empty())
        return std::nullopt;
    const Recipe& recipe = PickRecipe(rows, random);
    Situation s = SituationShowing(system, recipe, random);
    const std::string caption = s.driver.View().Panels[recipe.panel].caption;
    if (caption.empty())
        return std::nullopt;

    QuizItem item;
    item.kind = ItemKind::Name;
    item.system = system;
    item.setup = std::move(s.setup);
    item.panel = recipe.panel;
    item.prompt = "Welchen Signalbegriff zeigt " + Nominative(system, recipe.panel) + "?";
    const std::vector<std::string> alsoRight = AlsoRight(s.driver.View(), recipe.panel, caption);
    item.choices = DesignationChoices(system, recipe.panel, caption, {}, alsoRight, random);
    item.answer = ShuffleChoices(item.choices, random);
    item.designation = caption;
    item.why = WhyFor({ItemKind::Name, system, recipe.panel, caption, {}, {}, WarumOf(s.driver, recipe.panel)});
    return item;
}

bool FitsSpeed(System system, const Recipe& row)
{
    return IsSpeedPanel(system, row.panel) && FindSpeedFact(system, row.caption) != nullptr;
}

std::optional<QuizItem> MakeSpeedItem(System system, std::string_view designation, Random& random)
{
    const std::vector<const Recipe*> rows = RecipesFor(system, designation, FitsSpeed);
    if (rows.empty())
        return std::nullopt;
    const Recipe& recipe = PickRecipe(rows, random);
    Situation s = SituationShowing(system, recipe, random);
    const std::string caption = s.driver.View().Panels[recipe.panel].caption;
    const std::vector<std::string> supplements = SupplementCaptions(s.driver.View(), system, recipe.panel);
    const std::string speed = SpeedAt(system, caption, supplements);
    if (speed.empty())
        return std::nullopt;

    // Wrong speeds: those of the designations confused with this one, the speed a Zs 3v
    // announces for the next signal, then the others of the system.
    std::vector<std::string> choices {speed};
    std::vector<std::string> confused;
    for (const Confusion& row : Confusions()) {
        if (!(row.systems & SystemBit(system)))
            continue;
        const char* other = caption == row.a ? row.b : caption == row.b ? row.a : nullptr;
        if (const SpeedFact* fact = other ? FindSpeedFact(system, other) : nullptr)
            AddUnique(confused, fact->speed);
    }
    for (const std::string& supplement : supplements)
        if (const int announced = IndicatorSpeed(supplement, "Zs 3v \""); announced > 0)
            AddUnique(confused, Kmh(announced));
    if (const SpeedFact* own = FindSpeedFact(system, caption))
        AddUnique(confused, own->speed);   // the designation's speed without its Zs 3
    Shuffle(confused, random);
    // "40 km/h" beside "Fahrt auf Sicht, höchstens 40 km/h" would be right as well; the other way
    // round it is the classic confusion of Zs 1 with Zs 7.
    const auto fair = [&speed](const std::string& other) { return speed.find(other) == std::string::npos; };
    for (const std::string& other : confused)
        if (choices.size() < kChoiceCount && fair(other))
            AddUnique(choices, other);
    std::vector<std::string> rest(SpeedsOf(system).begin(), SpeedsOf(system).end());
    Shuffle(rest, random);
    for (const std::string& other : rest)
        if (choices.size() < kChoiceCount && fair(other))
            AddUnique(choices, other);

    std::string shown = caption;
    for (const std::string& supplement : supplements)
        shown += ", dazu " + supplement;

    QuizItem item;
    item.kind = ItemKind::Speed;
    item.system = system;
    item.setup = std::move(s.setup);
    item.panel = recipe.panel;
    item.prompt = Capitalised(Nominative(system, recipe.panel)) + " zeigt " + shown
        + ". Wie schnell darf ein Zug daran vorbeifahren?";
    item.choices = std::move(choices);
    item.answer = ShuffleChoices(item.choices, random);
    item.designation = caption;
    item.why = WhyFor({ItemKind::Speed, system, recipe.panel, caption, supplements, {}, WarumOf(s.driver, recipe.panel)});
    return item;
}

struct PanelChange {
    int button;
    int panel;
    std::string before;
    std::string after;
    int ticks;   // ticks after the press until the panel shows `after` and keeps it
};

// Every panel change that one press of `button` makes, once the line has settled.
std::vector<PanelChange> ChangesOfPress(const Driver& line, int button)
{
    const FormState& form = line.View();
    // Only buttons that take the click: one that ignored it would change nothing anyway.
    if (!form.Buttons[button].visible || !form.Buttons[button].enabled)
        return {};
    Driver next = line.Copy();
    RunActions(next, std::vector<std::string> {ButtonWord(button)});
    std::array<std::array<std::string, kDesignationPanelCount + 1>, kSettleTicks> shown;
    for (int t = 0; t < kSettleTicks; ++t) {
        RunActions(next, kTick);
        for (int p = 1; p <= kDesignationPanelCount; ++p)
            shown[static_cast<std::size_t>(t)][static_cast<std::size_t>(p)] = next.View().Panels[p].caption;
    }
    std::vector<PanelChange> changes;
    for (int p = 1; p <= kDesignationPanelCount; ++p) {
        const std::string& after = shown[kSettleTicks - 1][static_cast<std::size_t>(p)];
        if (after.empty() || after == form.Panels[p].caption)
            continue;
        int ticks = kSettleTicks;
        while (ticks > 1 && shown[static_cast<std::size_t>(ticks - 2)][static_cast<std::size_t>(p)] == after)
            --ticks;
        changes.push_back({button, p, form.Panels[p].caption, after, ticks});
    }
    return changes;
}

// A wanted designation is asked by its own way from the start: the line after every press but the
// last, with a little noise before where that leaves the way working, and the last press as the
// question.
std::optional<std::pair<Situation, PanelChange>> PredictByRecipe(System system, std::string_view designation,
                                                                 Random& random)
{
    std::vector<const Recipe*> rows;
    for (const Recipe* row : RecipesFor(system, designation, FitsName))
        if (!Words(row->presses).empty())
            rows.push_back(row);
    if (rows.empty())
        return std::nullopt;
    const Recipe& recipe = PickRecipe(rows, random);
    std::vector<std::string> presses = Words(recipe.presses);
    int button = 0;
    if (!ParseButtonWord(presses.back(), button))
        return std::nullopt;
    presses.pop_back();
    std::string before;
    for (const std::string& word : presses)
        before += (before.empty() ? "" : " ") + word;
    const Recipe partial {system, recipe.panel, recipe.caption, before.c_str()};
    const int noise = random.Below(kMaxNoisePresses);
    for (const int tries : {noise, 0}) {
        Situation s = MakeSituation(system, &partial, tries, random);
        for (const PanelChange& change : ChangesOfPress(s.driver, button))
            if (change.panel == recipe.panel && change.after == designation)
                return std::pair {std::move(s), change};
        if (tries == 0)
            break;
    }
    return std::nullopt;
}

std::optional<QuizItem> MakePredictItem(System system, std::string_view designation, Random& random)
{
    std::optional<PanelChange> chosen;
    std::optional<Situation> found;
    if (!designation.empty()) {
        if (auto byRecipe = PredictByRecipe(system, designation, random)) {
            found.emplace(std::move(byRecipe->first));
            chosen = byRecipe->second;
        }
    }
    if (!found) {
        const std::vector<const Recipe*> rows = RecipesOf(system);
        const Recipe& start = PickRecipe(rows, random);
        found.emplace(SituationShowing(system, start, random));
    }
    Situation& s = *found;

    std::vector<int> buttons = VisibleEnabledButtons(s.driver.View());
    Shuffle(buttons, random);
    if (buttons.size() > static_cast<std::size_t>(kPredictTries))
        buttons.resize(kPredictTries);
    // A panel that follows the press from another column is what this kind of question is
    // for; a press on the asked signal itself is the fallback.
    for (int button : chosen ? std::vector<int> {} : buttons) {
        std::vector<PanelChange> changes = ChangesOfPress(s.driver, button);
        Shuffle(changes, random);
        for (const PanelChange& change : changes) {
            if ((!designation.empty() && change.after != designation) || !IsNameable(system, change.panel))
                continue;
            const bool elsewhere = FindButtonColumn(system, button)
                && FindButtonColumn(system, button)->column != PanelColumn(change.panel);
            if (elsewhere) {
                chosen = change;
                break;
            }
            if (!chosen)
                chosen = change;
        }
        if (chosen && FindButtonColumn(system, chosen->button)->column != PanelColumn(chosen->panel))
            break;
    }
    if (!chosen)
        return std::nullopt;

    const ButtonColumn* column = FindButtonColumn(system, chosen->button);
    QuizItem item;
    item.kind = ItemKind::Predict;
    item.system = system;
    item.setup = std::move(s.setup);
    item.panel = chosen->panel;
    item.then = {ButtonWord(chosen->button)};
    for (int t = 0; t < kSettleTicks; ++t)
        item.then.push_back("tick");
    item.prompt = Capitalised(PanelSignalAt(system, column->panel)) + " wird „" + ButtonCaption(chosen->button)
        + "“ gedrückt. Was zeigt " + Nominative(system, chosen->panel) + " danach?";
    Driver after = s.driver.Copy();
    RunActions(after, item.then);
    const std::vector<std::string> alsoRight = AlsoRight(after.View(), chosen->panel, chosen->after);
    item.choices = DesignationChoices(system, chosen->panel, chosen->after, chosen->before, alsoRight, random);
    item.answer = ShuffleChoices(item.choices, random);
    item.designation = chosen->after;
    item.why = WhyFor({ItemKind::Predict, system, chosen->panel, chosen->after, {}, {}, WarumOf(after, chosen->panel)});
    return item;
}

// Panels a learner can be asked to bring to a designation: every panel whose designation a
// button decides, not the further lines that only complete another panel's aspect.
// A further line is asked for only by name (`wanted`).
bool IsSettablePanel(System system, int panel, bool wanted = false)
{
    return wanted || RoleOf(system, panel) != PanelRole::Supplement;
}

std::optional<QuizItem> MakeSetItem(System system, std::string_view designation, Random& random)
{
    const std::vector<const Recipe*> rows = RecipesOf(system);
    // A wanted designation starts where its panel shows another one, so that there is something to do.
    std::vector<const Recipe*> starts;
    for (const Recipe* row : rows)
        for (const Recipe* goal : rows)
            if (!designation.empty() && goal->caption == designation && row->panel == goal->panel
                && row->caption != designation && std::find(starts.begin(), starts.end(), row) == starts.end())
                starts.push_back(row);
    const Recipe& start = PickRecipe(starts.empty() ? rows : starts, random);
    Situation s = SituationShowing(system, start, random);

    struct Goal {
        int panel;
        std::string target;
        std::vector<std::string> solution;
    };
    std::vector<Goal> goals;
    const auto known = [&goals](int panel, const std::string& target) {
        return std::any_of(goals.begin(), goals.end(),
                           [&](const Goal& g) { return g.panel == panel && g.target == target; });
    };

    // Ways of two presses and more come from the recipes, tried from this situation; a third of
    // the questions (and a wanted designation) look there first.
    const auto tryRecipes = [&](int tries) {
        std::vector<const Recipe*> candidates;
        for (const Recipe* row : rows)
            if (IsSettablePanel(system, row->panel, !designation.empty()) && Words(row->presses).size() >= 2
                && (designation.empty() || row->caption == designation)
                && s.driver.View().Panels[row->panel].caption != row->caption)
                candidates.push_back(row);
        Shuffle(candidates, random);
        for (const Recipe* row : candidates) {
            if (tries-- == 0)
                break;
            std::vector<std::string> solution;
            for (const std::string& word : Words(row->presses)) {
                solution.push_back(word);
                solution.push_back("tick");
            }
            for (int t = 1; t < kSettleTicks; ++t)
                solution.push_back("tick");
            Driver next = s.driver.Copy();
            RunActions(next, solution);
            if (next.View().Panels[row->panel].caption == row->caption && !known(row->panel, row->caption))
                goals.push_back({row->panel, row->caption, std::move(solution)});
        }
    };
    const bool recipesFirst = !designation.empty() || random.OneIn(3);
    if (recipesFirst)
        tryRecipes(3);

    // One press: a search over the buttons (a sample of them, each press costs a few ticks); a
    // button under the asked signal comes before one that reaches it from elsewhere.
    if (goals.empty()) {
        std::vector<int> buttons = VisibleEnabledButtons(s.driver.View());
        Shuffle(buttons, random);
        if (designation.empty() && buttons.size() > static_cast<std::size_t>(kSetTries))
            buttons.resize(kSetTries);
        std::vector<PanelChange> onePress;
        for (int button : buttons)
            for (PanelChange& change : ChangesOfPress(s.driver, button))
                if (IsSettablePanel(system, change.panel, !designation.empty()))
                    onePress.push_back(std::move(change));
        std::stable_sort(onePress.begin(), onePress.end(), [system](const PanelChange& a, const PanelChange& b) {
            const bool aOwn = FindButtonColumn(system, a.button)->column == PanelColumn(a.panel);
            const bool bOwn = FindButtonColumn(system, b.button)->column == PanelColumn(b.panel);
            return aOwn > bOwn;
        });
        for (const PanelChange& change : onePress) {
            if (known(change.panel, change.after))
                continue;
            Goal goal {change.panel, change.after, {ButtonWord(change.button)}};
            for (int t = 0; t < change.ticks; ++t)
                goal.solution.push_back("tick");
            goals.push_back(std::move(goal));
        }
    }
    if (!recipesFirst && goals.empty())
        tryRecipes(3);
    std::vector<const Goal*> fitting;
    for (const Goal& goal : goals)
        if (designation.empty() || goal.target == designation)
            fitting.push_back(&goal);
    if (fitting.empty())
        return std::nullopt;
    const Goal& goal = *fitting[static_cast<std::size_t>(random.Below(static_cast<int>(fitting.size())))];

    const PanelSignal* signal = FindPanelSignal(system, goal.panel);
    const bool ownButtons = signal->role == PanelRole::Main || signal->role == PanelRole::Shunting;
    QuizItem item;
    item.kind = ItemKind::Set;
    item.system = system;
    item.setup = std::move(s.setup);
    item.panel = goal.panel;
    item.prompt = ownButtons ? "Stelle " + PanelSignalName(system, goal.panel, Case::Accusative) + " auf " + goal.target + "."
                             : "Sorge dafür, dass " + Nominative(system, goal.panel) + " " + goal.target + " zeigt.";
    item.target = goal.target;
    item.solution = goal.solution;
    item.designation = goal.target;
    std::vector<std::string> presses;
    for (const std::string& word : goal.solution)
        if (word != "tick")
            presses.push_back(word);
    Driver after = s.driver.Copy();
    RunActions(after, goal.solution);
    item.why = WhyFor({ItemKind::Set, system, goal.panel, goal.target, {}, presses, WarumOf(after, goal.panel)});
    return item;
}

std::uint64_t ItemSeed(std::uint64_t seed, int index, int retry)
{
    Random mix(seed ^ (0xD1B54A32D192ED03ull * (static_cast<std::uint64_t>(index) + 1)));
    std::uint64_t value = mix.Next();
    for (int r = 0; r < retry; ++r)
        value = mix.Next();
    return value;
}

// A question already among the last kNoRepeatWindow items is asked anew under another seed, at
// most kRepeatRetries times; an exam is shorter than the window.
constexpr int kRepeatRetries = 6;
constexpr std::size_t kNoRepeatWindow = 100;

} // namespace

std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            words.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

const char* KindName(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Name: return "name";
    case ItemKind::Set: return "set";
    case ItemKind::Predict: return "predict";
    case ItemKind::Speed: return "speed";
    }
    return "name";
}

const char* SystemName(System system)
{
    return NamesOf(system).id;
}

std::optional<ItemKind> ParseKind(std::string_view name)
{
    for (ItemKind kind : {ItemKind::Name, ItemKind::Set, ItemKind::Predict, ItemKind::Speed})
        if (name == KindName(kind))
            return kind;
    return std::nullopt;
}

std::optional<System> ParseSystem(std::string_view name)
{
    for (System system : {System::HV, System::Ks, System::Hl})
        if (name == SystemName(system))
            return system;
    return std::nullopt;
}

std::string SpeedAt(System system, std::string_view caption, std::span<const std::string> supplements)
{
    const SpeedFact* fact = FindSpeedFact(system, caption);
    if (!fact)
        return {};
    // A Zs 3 beside a proceeding aspect sets the speed from the signal on.
    if (std::string_view(fact->speed) != kSpeedStop)
        for (const std::string& supplement : supplements)
            if (const int speed = IndicatorSpeed(supplement, "Zs 3 \""); speed > 0)
                return Kmh(speed);
    return fact->speed;
}

std::string WhyFor(const WhyContext& c)
{
    std::string text = c.warum;
    if (text.empty()) {
        const Meaning* meaning = FindMeaning(c.system, c.caption);
        text = Capitalised(Nominative(c.system, c.panel)) + " zeigt " + c.caption
            + (meaning ? ": " + std::string(meaning->meaning) : std::string()) + ".";
    }
    switch (c.kind) {
    case ItemKind::Name:
    case ItemKind::Predict:
        return text;
    case ItemKind::Speed: {
        const SpeedFact* fact = FindSpeedFact(c.system, c.caption);
        if (!fact)
            return text;
        // A Zs 3 beside a proceeding aspect decides the speed; the aspect's own rule is then moot.
        int limit = 0;
        if (std::string_view(fact->speed) != kSpeedStop)
            for (const std::string& supplement : c.supplements)
                if (const int speed = IndicatorSpeed(supplement, "Zs 3 \""); speed > 0)
                    limit = speed;
        text += limit > 0 ? " Das Zs 3 gilt ab dem Signal: höchstens " + Kmh(limit) + " im anschließenden Weichenbereich."
                          : " " + std::string(fact->fact);
        for (const std::string& supplement : c.supplements)
            if (const int speed = IndicatorSpeed(supplement, "Zs 3v \""); speed > 0)
                text += " Das " + supplement.substr(2) + " kündigt " + Kmh(speed) + " erst für das nächste Signal an.";
        return text;
    }
    case ItemKind::Set: {
        text += " Gedrückt: ";
        for (std::size_t i = 0; i < c.presses.size(); ++i) {
            int button = 0;
            ParseButtonWord(c.presses[i], button);
            const ButtonColumn* column = FindButtonColumn(c.system, button);
            text += i == 0 ? "" : i + 1 == c.presses.size() ? " und " : ", ";
            text += std::string("„") + ButtonCaption(button) + "“";
            if (column)
                text += " " + PanelSignalAt(c.system, column->panel);
        }
        return text + ".";
    }
    }
    return text;
}

namespace {
const Askable& PickAskable(std::span<const Askable> askable, Random& random);
} // namespace

QuizItem GenerateItem(Random& random, ItemKind kind, std::optional<System> system, std::string_view designation)
{
    static constexpr std::array kSystems = {System::HV, System::Ks, System::Hl};
    // Any item: its designation first, evenly, as a list of items picks them.
    std::string picked;
    if (!system && designation.empty()) {
        const Askable& pick = PickAskable(AskableDesignations(kind), random);
        system = pick.system;
        picked = pick.designation;
        designation = picked;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const System chosen = system ? *system : kSystems[static_cast<std::size_t>(random.Below(3))];
        // A designation that this kind cannot ask about is given up after half the attempts.
        const std::string_view wanted = attempt < kAttempts / 2 ? designation : std::string_view {};
        std::optional<QuizItem> item;
        switch (kind) {
        case ItemKind::Name: item = MakeNameItem(chosen, wanted, random); break;
        case ItemKind::Set: item = MakeSetItem(chosen, wanted, random); break;
        case ItemKind::Predict: item = MakePredictItem(chosen, wanted, random); break;
        case ItemKind::Speed: item = MakeSpeedItem(chosen, wanted, random); break;
        }
        if (item)
            return *item;
    }
    // Every line shows some designation at the start, so a naming item always exists.
    return *MakeNameItem(system.value_or(System::HV), {}, random);
}

std::span<const Askable> AskableDesignations(ItemKind kind)
{
    static const auto lists = [] {
        std::array<std::vector<Askable>, 4> all;
        for (const ItemKind k : {ItemKind::Name, ItemKind::Set, ItemKind::Predict, ItemKind::Speed}) {
            std::vector<Askable>& list = all[static_cast<std::size_t>(k)];
            for (const Recipe& row : Recipes()) {
                // A prediction is asked by the designation's own way, which needs a press.
                const bool fits = k == ItemKind::Speed ? FitsSpeed(row.system, row)
                    : k == ItemKind::Set               ? true
                    : k == ItemKind::Predict           ? FitsName(row.system, row) && *row.presses != '\0'
                                                       : FitsName(row.system, row);
                const bool known = std::any_of(list.begin(), list.end(), [&row](const Askable& a) {
                    return a.system == row.system && a.designation == row.caption;
                });
                if (fits && !known)
                    list.push_back({row.system, row.caption});
            }
        }
        return all;
    }();
    return lists[static_cast<std::size_t>(kind)];
}

namespace {

const Askable& PickAskable(std::span<const Askable> askable, Random& random)
{
    std::vector<std::string_view> captions;
    for (const Askable& a : askable)
        if (std::find(captions.begin(), captions.end(), a.designation) == captions.end())
            captions.push_back(a.designation);
    const std::string_view caption = captions[static_cast<std::size_t>(random.Below(static_cast<int>(captions.size())))];
    std::vector<const Askable*> systems;
    for (const Askable& a : askable)
        if (a.designation == caption)
            systems.push_back(&a);
    return *systems[static_cast<std::size_t>(random.Below(static_cast<int>(systems.size())))];
}

} // namespace

bool SameQuestion(const QuizItem& a, const QuizItem& b)
{
    return a.kind == b.kind && a.system == b.system && a.panel == b.panel && a.designation == b.designation
        && a.prompt == b.prompt;
}

std::vector<QuizItem> GenerateQuiz(std::uint64_t seed, int count)
{
    static constexpr std::array kKinds = {ItemKind::Name, ItemKind::Set, ItemKind::Predict, ItemKind::Speed};
    std::vector<QuizItem> items;
    for (int i = 0; i < count; ++i) {
        for (int retry = 0;; ++retry) {
            Random random(ItemSeed(seed, i, retry));
            const ItemKind kind = kKinds[static_cast<std::size_t>(random.Below(4))];
            // The designation first, evenly over those this kind can ask about (a caption of
            // several systems as often as one of a single system), then its system.
            const Askable& pick = PickAskable(AskableDesignations(kind), random);
            QuizItem item = GenerateItem(random, kind, pick.system, pick.designation);
            // An item that had to give up its designation would tilt the spread; asked anew.
            const bool repeated = item.designation != pick.designation
                || std::any_of(items.end() - static_cast<std::ptrdiff_t>(std::min(items.size(), kNoRepeatWindow)),
                               items.end(), [&item](const QuizItem& earlier) { return SameQuestion(earlier, item); });
            if (!repeated || retry == kRepeatRetries) {
                items.push_back(std::move(item));
                break;
            }
        }
    }
    return items;
}

} // namespace lumaro::learn
