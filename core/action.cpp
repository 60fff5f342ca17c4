#include "core/action.h"

#include "core/driver.h"
#include "core/layout.h"
#include "core/menu.h"

#include <charconv>

namespace lumaro {

namespace {

std::optional<int> ButtonNumber(std::string_view word)
{
    constexpr std::string_view kPrefix = "Button";
    if (!word.starts_with(kPrefix))
        return std::nullopt;
    const std::string_view digits = word.substr(kPrefix.size());
    int n = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || end != digits.data() + digits.size() || !IsAspectButton(n)
        || digits != std::to_string(n))
        return std::nullopt;
    return n;
}

} // namespace

std::optional<Action> ParseAction(std::string_view word)
{
    if (word == "tick")
        return Action {Action::Kind::Tick};
    if (word == "paint")
        return Action {Action::Kind::Paint};
    if (word == "FormClick")
        return Action {Action::Kind::FormClick};
    if (const std::optional<int> n = ButtonNumber(word))
        return Action {Action::Kind::Button, *n};
    if (const MenuItem* item = FindMenuItem(word))
        return Action {Action::Kind::Menu, 0, item->component};
    return std::nullopt;
}

std::string ButtonWord(int n)
{
    return "Button" + std::to_string(n);
}

void Perform(Driver& driver, const Action& action)
{
    switch (action.kind) {
    case Action::Kind::Tick:
        driver.Tick();
        break;
    case Action::Kind::Paint:
        driver.Paint();
        break;
    case Action::Kind::Button:
        driver.ClickButton(action.button);
        break;
    case Action::Kind::Menu:
        // A new window colour invalidates the window; without a screen it is repainted at once.
        driver.MenuCommand(action.menu);
        break;
    case Action::Kind::FormClick:
        driver.FormClick();
        break;
    }
}

bool RunActions(Driver& driver, std::span<const std::string> words, std::string* error)
{
    for (const std::string& word : words) {
        const std::optional<Action> action = ParseAction(word);
        if (!action) {
            if (error)
                *error = word;
            return false;
        }
        Perform(driver, *action);
    }
    return true;
}

} // namespace lumaro
