#include "search/ResultRowFold.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct JoinedRow {
    std::int64_t id;
    const char* qualification;
    const char* specialization;
    const char* location;
};

std::vector<std::string> Fold(const std::vector<JoinedRow>& rows) {
    ResultRowFold fold;
    std::vector<std::string> made;
    for (const JoinedRow& row : rows) {
        if (auto finished = fold.Take(row.id, {"N", "E", "M", "O", "S"},
                                      {row.qualification, row.specialization, row.location}))
            made.push_back(*finished);
    }
    if (auto last = fold.Finish())
        made.push_back(*last);
    return made;
}

TEST(ResultRowFold, KeepsEachWholeValueOnceInArrivalOrder) {
    EXPECT_EQ(Fold({{7, "MCA", "JAVA", "Pune"}, {7, "CA", "JAVA", "Pune"}, {7, "MCA", "ERP", "Pune"}}),
              (std::vector<std::string>{"7\tN\tE\tM\tO\tS\tMCA,CA\tJAVA,ERP\tPune"}));
    EXPECT_EQ(Fold({{7, "CA", "JAVA", "Pune"}, {7, "MCA", "JAVA", "Pune"}}),
              (std::vector<std::string>{"7\tN\tE\tM\tO\tS\tCA,MCA\tJAVA\tPune"}));
    // A value that merely begins or ends another is a value of its own; an empty one is none.
    EXPECT_EQ(Fold({{1, "B.E.", "", "Pune"}, {1, "B.E", "", "Pune New"}, {1, "", "", "Pune"}}),
              (std::vector<std::string>{"1\tN\tE\tM\tO\tS\tB.E.,B.E\t\tPune,Pune New"}));
}

TEST(ResultRowFold, StartsANewRowAtEachNewIdAndCountsResumes) {
    ResultRowFold fold;
    EXPECT_FALSE(fold.Take(3, {}, {"A", "B", "C"}));
    EXPECT_FALSE(fold.Take(3, {}, {"A2", "B", "C"}));
    EXPECT_EQ(fold.Take(5, {}, {"X", "Y", "Z"}), "3\t\t\t\t\t\tA,A2\tB\tC");
    EXPECT_EQ(fold.Finish(), "5\t\t\t\t\t\tX\tY\tZ");
    EXPECT_FALSE(fold.Finish());
    EXPECT_EQ(fold.ResumeCount(), 2);
}

} // namespace
