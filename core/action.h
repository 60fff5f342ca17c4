#pragma once

// What a user does to the main window, as one word: "tick", "paint", "FormClick", "ButtonN" or a
// menu item's component name. lumaro-render's actions, the self-test's items and the page's
// scripts are written in these words; this is their one parser.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lumaro {

class Driver;

struct Action {
    enum class Kind { Tick, Paint, Button, Menu, FormClick };
    Kind kind = Kind::Tick;
    int button = 0;                // Kind::Button: N of ButtonN
    const char* menu = nullptr;    // Kind::Menu: the item's component name, from the menu table
};

// The action the word names, or nothing. "ButtonN" names an aspect button only in its plain
// spelling: "Button07" and "Button4" are no button of the window.
std::optional<Action> ParseAction(std::string_view word);

// The word of aspect button N.
std::string ButtonWord(int n);

void Perform(Driver& driver, const Action& action);

// Performs the words in order, as lumaro-render does: a click on a hidden or disabled button does
// nothing, as in the window. At the first word that names no action it stops, puts that word into
// `error` and returns false; the words before it have run.
bool RunActions(Driver& driver, std::span<const std::string> words, std::string* error = nullptr);

} // namespace lumaro
