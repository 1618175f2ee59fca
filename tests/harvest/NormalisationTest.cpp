#include "harvest/Normalisation.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* expected;
};

TEST(Normalisation, QualificationRulesAppendTheirTokensInOrder) {
    const Case cases[] = {
        {"Bachelor of Engineering", "Bachelor of EngineeringB.E.,"},
        {"B.E.", "B.E.B.E.,"},
        {"Master of Technology, M.Tech", "Master of Technology, M.TechM.Tech.,M.Tech.,"},
        {"Master of Computer Applications", "Master of Computer ApplicationsM.C.A.,"},
        {"mca and M.C.A", "mca and M.C.AM.C.A.,M.C.A.,"},
        {"Bachelor of Technology", "Bachelor of TechnologyB.Tech.,"},
        {"B.TECH", "B.TECHB.Tech.,"},
        {"Ph.D.", "Ph.D."},
        {"", ""},
    };
    for (const Case& test : cases) {
        std::string text = test.text;
        NormaliseQualifications(text);
        EXPECT_EQ(text, test.expected) << test.text;
    }
}

TEST(Normalisation, SpecializationGroupsSeeEarlierGroupsTokensOnly) {
    const Case cases[] = {
        {"Sybase", "SybaseSYBASE DBA"},
        {"Power Builder", "Power BuilderPOWER BUILDER"},
        {"Oracle developer and DBA", "Oracle developer and DBAORACLE DEV/DES"},
        {"oracle dba", "oracle dbaORACLE DBA"},
        {"Oracle", "Oracle"},
        {"vbscript", "vbscriptVISUAL BASIC"},
        {"Visual C++", "Visual C++VC++C/C++"},
        {"cgi perl", "cgi perlCGI/ISAPI/PERL"},
        {"Java, CGI and Perl, electronic data processing", "EDP"},
        {"Unix & C", "Unix & C"},
        {"Unix, Oracle", "Unix, OracleUNIX ADMINISTRATORS"},
        {"unix", "unix"},
        {"unix c++", "unix c++C/C++UNIX ADMINISTRATORS"},
        {"Enterprise Resource Planning", "Enterprise Resource PlanningERP"},
        {"AS-400", "AS-400AS/400"},
        {"AS-400 Professional", "AS-400 Professional"},
    };
    for (const Case& test : cases) {
        std::string text = test.text;
        NormaliseSpecializations(text);
        EXPECT_EQ(text, test.expected) << test.text;
    }
}

TEST(Normalisation, ExperienceBecomesItsBand) {
    const Case cases[] = {{"0", "0-1"},
                          {"ab", "0-1"},
                          {"-3", "0-1"},
                          {"1", "1-2"},
                          {"2", "1-2"},
                          {"3", "2-5"},
                          {"5", "2-5"},
                          {"6", "5-7"},
                          {" 7", "5-7"},
                          {"8", "7-10"},
                          {"10", "7-10"},
                          {"11", "10-15"},
                          {"15", "10-15"},
                          {"16", "More than 15"},
                          {"99", "More than 15"},
                          {"", "Not Specified"},
                          {"5 years", "Not Specified"},
                          {"100", "Not Specified"}};
    for (const Case& test : cases) {
        std::string text = test.text;
        NormaliseExperience(text);
        EXPECT_EQ(text, test.expected) << '"' << test.text << '"';
    }
}

TEST(Normalisation, PickListMatchKeepsTheItemsInListOrderUpperCased) {
    const struct {
        const char* text;
        const char* pickList;
        const char* expected;
    } cases[] = {
        {"Pune, delhi", "Ahmedabad ,Delhi ,Pune", "DELHI,PUNE,"},
        {"I prefer overseas", "Delhi , Overseas", "OVERSEAS,"}, // the last item counts
        {"Bachelor of EngineeringB.E.,", "B.A. ,B.E. ,M.E.", "B.E.,"},
        {"Visual C++VC++C/C++", "C/C++ ,VC++ ,VISUAL BASIC", "C/C++,VC++,"},
        {"B.", "B.E. ,B.", "B.,"},
        {"ERP", "", ""},
        {"nothing here", "JAVA ,ERP", ""},
        {"ERP", "ERP , ,", "ERP,"}, // an empty piece matches nothing
        {"xJAVAy", "JAVA,", "JAVA,"},
    };
    for (const auto& test : cases) {
        std::string text = test.text;
        std::string pickList = test.pickList;
        MatchPickList(text, pickList);
        EXPECT_EQ(text, test.expected) << test.text << " / " << test.pickList;
        EXPECT_TRUE(pickList.empty());
    }
}

TEST(Normalisation, NextListItemTakesTrimmedItemsOffTheFront) {
    std::string list = "  B.E. , M.Tech.,Ph.D. ";
    std::string item;
    std::vector<std::string> items;
    while (NextListItem(list, item))
        items.push_back(item);
    EXPECT_EQ(items, (std::vector<std::string>{"B.E.", "M.Tech.", "Ph.D."}));
    EXPECT_FALSE(NextListItem(list, item));
}

} // namespace
