#include "tests/proposals/ProposalTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* organization;
    const char* band;
};

TEST(ExperienceFields, TheLatestEmployerAndTheTimeWorked) {
    const Case cases[] = {
        {"Anna Berg\n\nExperience\njanvier 2019 – aujourd'hui\tCapgemini\tResponsable QA, automatisation des "
         "tests\n"
         "mars 2015 – décembre 2018\tThales\tIngénieure test\n",
         "Capgemini", "7-10"},
    };
    for (const Case& test : cases) {
        const FieldProposals proposals = Propose(test.text);
        EXPECT_EQ(ValueOf(proposals.organization), test.organization) << test.text;
        EXPECT_EQ(ValueOf(proposals.experienceBand), test.band) << test.text;
    }
}

} // namespace
