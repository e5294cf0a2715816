// The key and line a parameter-file load stops at, for messages that send the user to the line.
#include "ParameterFileProblem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

std::string Fixture(const std::string &name)
{
    return (std::filesystem::path(ZOK_SOURCE_DIR) / "tests" / "params" / "files" / "fixtures" /
            (name + ".zok"))
        .string();
}

struct Case
{
    const char *fixture;
    std::optional<zok::ParameterFileProblem> expected;
};

TEST(ParameterFileProblem, NamesTheFirstBadKeyAndItsLine)
{
    const Case cases[] = {
        {"all_keys", std::nullopt},
        {"duplicate_key", std::nullopt}, // the first of the two counts, and it is good
        {"empty_value", zok::ParameterFileProblem{"RX_OUTPUT", 5}},
        {"invalid_speed", zok::ParameterFileProblem{"RX_VITESSE", 9}},
        {"missing_last_key", zok::ParameterFileProblem{"RX_NB_TAGS_MIN", 0}},
        {"missing_section", zok::ParameterFileProblem{"RX_SENSIBILITY", 0}},
        {"blank_around_equals", zok::ParameterFileProblem{"RX_FORMAT", 0}}, // "RX_FORMAT " is another key
        {"no_such_file", std::nullopt},
    };
    for (const auto &c : cases) {
        const auto problem = zok::FindParameterFileProblem(Fixture(c.fixture));
        ASSERT_EQ(problem.has_value(), c.expected.has_value()) << c.fixture;
        if (problem) {
            EXPECT_EQ(problem->key, c.expected->key) << c.fixture;
            EXPECT_EQ(problem->line, c.expected->line) << c.fixture;
        }
    }
}

} // namespace
