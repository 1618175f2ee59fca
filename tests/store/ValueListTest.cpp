#include "store/ValueList.h"

#include <climits>
#include <gtest/gtest.h>

namespace {

struct CutCase {
    const char* list;
    std::vector<std::string> append;  // rows the append writes, in order
    std::vector<std::string> rewrite; // pieces the rewrite takes, in order
};

void PrintTo(const CutCase& c, std::ostream* out) {
    *out << '\'' << c.list << '\'';
}

class CutValueListCases : public testing::TestWithParam<CutCase> {};

TEST_P(CutValueListCases, WritesPiecesFromTheRightEnd) {
    const CutCase& c = GetParam();
    EXPECT_EQ(CutValueList(c.list, true), c.append) << "append of '" << c.list << "'";
    EXPECT_EQ(CutValueList(c.list, false), c.rewrite) << "rewrite of '" << c.list << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CutValueListCases,
    testing::Values(CutCase{"A,B,", {"B", "A"}, {"B", "A"}},               // the chooser's own format
                    CutCase{"Whole text", {"Whole text"}, {"Whole text"}}, // no comma at all
                    CutCase{"A ,B", {"B", "A "}, {"B", "A "}},             // blanks are kept
                    CutCase{"", {""}, {}},                                 // empty list
                    CutCase{",,A,,", {"A", ""}, {"A"}},                    // leading and trailing commas
                    CutCase{",", {""}, {}}, CutCase{"A,,B", {"B", "A"}, {"B", "A"}},
                    CutCase{"A,A,", {"A", "A"}, {"A", "A"}}), // never de-duplicated
    [](const testing::TestParamInfo<CutCase>& info) { return "Case" + std::to_string(info.index); });

TEST(IdTextToInteger, ConvertsLikeTheDecimalReaderOfOld) {
    EXPECT_EQ(IdTextToInteger("17"), 17);
    EXPECT_EQ(IdTextToInteger("  17"), 17);
    EXPECT_EQ(IdTextToInteger("-5"), -5);
    EXPECT_EQ(IdTextToInteger("+8x9"), 8);
    EXPECT_EQ(IdTextToInteger("abc"), 0);
    EXPECT_EQ(IdTextToInteger(""), 0);
    EXPECT_EQ(IdTextToInteger("99999999999999999999"), INT_MAX);
    EXPECT_EQ(IdTextToInteger("-99999999999999999999"), INT_MIN);
}

} // namespace
