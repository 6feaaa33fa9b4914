#include <gtest/gtest.h>

#include <QString>
#include <string>
#include <type_traits>

#include "io/AtomicFileWrite.h"
#include "io/Outcome.h"

namespace channel {

namespace {

// A result nobody filled in must not exist, or it could pass for success.
static_assert(!std::is_default_constructible_v<Outcome<QString>>);
static_assert(!std::is_default_constructible_v<Outcome<std::string>>);
static_assert(!std::is_default_constructible_v<FileWriteOutcome>);
static_assert(!std::is_default_constructible_v<Result<QString, QString>>);

// A value and a reason of the same type stay apart: the side is kept, not
// guessed from the type.
TEST(OutcomeTest, SuccessAndFailureOfTheSameTypeStayApart) {
    using Text = Result<std::string, std::string>;
    struct Case {
        const char* name;
        Text result;
        bool ok;
    };
    for (const Case& c : {Case{"success", Text::Success("text"), true},
                          Case{"failure", Text::Failure("text"), false}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.result.ok(), c.ok);
        EXPECT_EQ(c.ok ? c.result.value() : c.result.reason(), "text");
    }
}

// Reading the side that is not there is refused, never garbage.
TEST(OutcomeTest, ReadingTheMissingSideThrows) {
    using Number = Result<int, std::string>;
    EXPECT_ANY_THROW((void)Outcome<std::string>::Success().reason());
    EXPECT_ANY_THROW((void)Number::Failure("why").value());
    EXPECT_ANY_THROW((void)Number::Success(1).reason());
    EXPECT_EQ(Outcome<std::string>::Failure("why").reason(), "why");
}

}  // namespace

}  // namespace channel
