#pragma once

// The self-test's items as JSON.

#include "learn/quiz.h"

#include <string>

namespace lumaro::documents {

// One JSON object on one line, keys in the order of lumaro-render --quiz, without a line break.
std::string QuizItemJson(const learn::QuizItem& item);

} // namespace lumaro::documents
