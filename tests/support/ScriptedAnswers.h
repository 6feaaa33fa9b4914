#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <utility>

namespace channel {

// The next scripted answer to `question`. A question nobody scripted an
// answer for fails the test, then gets `dismissed` (what a user who closes
// the dialog would answer) so the test can run to its end.
template <typename Answer>
Answer NextScriptedAnswer(std::deque<Answer>& answers, const char* question, Answer dismissed) {
    if (answers.empty()) {
        ADD_FAILURE() << "the " << question << " was shown, but no answer was scripted for it";
        return dismissed;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace channel
