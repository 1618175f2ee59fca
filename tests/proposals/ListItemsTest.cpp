#include "tests/proposals/ProposalTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* expected; // the items, in the list's order, joined by ","
};

TEST(ListItems, DegreesAsWrittenAndSpelledOut) {
    const Case cases[] = {
        {"Education\nB.E. (Computer Science), 2014\n", "B.E."},
        {"Education\nBachelor of Engineering, RV College\n", "B.E."},
        {"Education\nMaster of Computer Applications, Osmania University\n", "M.C.A."},
        {"Education\nBachelor of Science in Electrical Engineering\n", "B.Sc."},
        {"Education\nMaster of Business Administration\nBachelor of Technology\n", "B.Tech.,M.B.A."},
        {"Education\nDoctor of Philosophy, Lyon\n", "Ph.D."},
        {"Education\nMBA (Finance), B.Com (Hons), BSc, PhD\n", "B.Com.,B.Sc.,M.B.A.,Ph.D."},
        {"Education\nB.Tech, M.Tech and M.Sc.\n", "B.Tech.,M.Sc.,M.Tech."},
        // Without an education section the whole resume counts; forms of one item make it once.
        {"Anna Berg, MBA\nSkills\nJava\n", "M.B.A."},
        {"Education\nMBA, Master of Business Administration, M.B.A.\n", "M.B.A."},
        // Not held yet.
        {"Education\nBSc Computer Science (expected 2025)\nPursuing MBA\n", ""},
        {"Education\nPhD candidate, ETH Zürich\nM.Sc. Physics, 2019\n", "M.Sc."},
        {"Lebenslauf\nDr.-Ing. Thomas Weber\n", "Ph.D."},
        // Whole words only: "be", "ma", a "ba" inside a word and the harvest's "b.e" inside "b.ed" are none.
        {"Education\nI want to be a teacher. Email ma@x.com. Bachelor studies in Alabama.\n", ""},
        // Degrees in the experience or a referee's line are not the candidate's.
        {"Education\nB.A. History\nExperience\nTaught MBA students at Acme\nReferences\nDr. Jo, Ph.D.\n",
         "B.A."},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ValuesOf(Propose(test.text).qualifications), test.expected) << test.text;
}

TEST(ListItems, SkillsThatMakeASpecialization) {
    const Case cases[] = {
        {"Skills\nJava, J2EE, Spring Boot\n", "JAVA"},
        {"Skills\nC++, Python\n", "C/C++"},
        {"Skills\nVisual C++ and MFC\n", "C/C++,VC++"},
        {"Skills\nSelenium WebDriver, QA\n", "TESTING"},
        {"Skills\nHTML5, CSS3, JavaScript\n", "WEB DESIGN"},
        {"Skills\nOracle DBA, RMAN\n", "ORACLE DBA"},
        {"Skills\nOracle Forms, PL/SQL\n", "ORACLE DEV/DES"},
        {"Skills\nSybase ASE, PowerBuilder 12, VB6\n", "POWER BUILDER,SYBASE DBA,VISUAL BASIC"},
        {"Skills\nSAP FI/CO, enterprise resource planning\n", "ERP"},
        {"Skills\nAS-400, RPGLE\n", "AS/400"},
        {"Skills\nPerl and CGI scripts\n", "CGI/ISAPI/PERL"},
        {"Skills\nLinux administration, CCNA\n", "NETWORKING,UNIX ADMINISTRATORS"},
        // A lone "c", "VB" inside a word, JavaScript for Java and unit testing for TESTING are none.
        {"Skills\nC, vbscript, JavaScript\n", "WEB DESIGN"},
        {"Skills\nJUnit, unit testing, integration testing\n", ""},
        {"Skills\nAS-400 Professional\n", ""},
        // Outside the skills only the head, titles and labelled lines count, never the studies.
        {"Skills\nGo\nExperience\nSenior Java Developer\n- Wrote tests with Selenium\nTech stack: HTML, CSS\n"
         "Education\nCourse in C++\n",
         "JAVA,WEB DESIGN"},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ValuesOf(Propose(test.text).specializations), test.expected) << test.text;
}

TEST(ListItems, PlacesInTheAddressAndThePreference) {
    const Case cases[] = {
        {"Rahul Sharma\nIndiranagar, Bangalore - 560038\n", "Bangalore"},
        {"Neha Agarwal\nSector 56, Gurugram\n", "Gurgaon"},
        {"Anna\nBengaluru | Bombay | Calcutta | Madras\n", "Bangalore,Chennai,Kolkata,Mumbai"},
        {"Anna\nStockholm\n\nExperience\nAcme, Pune\nJan 2019 – Present\n\nPreferred Location: Delhi, "
         "Noida\n",
         "Delhi,Noida"},
        {"Anna\n\nPersonal\nWilling to relocate anywhere in India\n", "Anywhere in India"},
        {"Anna\n\nProfile\nOpen to relocation abroad.\nI studied abroad in Pune.\n", "Overseas"},
        {"Anna\n\nLocation Preference\nDelhi NCR, Gurugram\n", "Delhi,Gurgaon"},
        {"Anna\nI have worked abroad, in Dubai.\n", ""},
        // Far down the head, and a referee's town, are not where the candidate lives.
        {"Anna\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\nMet clients in Chennai\n", ""},
        {"Anna\nReferences\nJo Park, Mumbai\n", ""},
        // A city inside another word or name is none.
        {"Anna\nPunekar Street, Stockholm\nDelhiwala & Sons\n", ""},
    };
    for (const Case& test : cases)
        EXPECT_EQ(ValuesOf(Propose(test.text).locations), test.expected) << test.text;
}

TEST(ListItems, TheBanksOwnListsAsTheyStand) {
    ProposalInput input;
    const std::string text = "Skills\nKotlin, C#, Rust\nEducation\nMBA\n";
    input.text = text;
    // Items of the bank's own, spaced and cased as it keeps them; an empty piece and a
    // one-character item are never proposed.
    input.lists = {" MBA ,, Diploma ,M.B.A.", "kotlin ,C# , ,R, Go", ""};
    const FieldProposals proposals = ProposeFields(input);
    EXPECT_EQ(ValuesOf(proposals.qualifications), "MBA");
    EXPECT_EQ(ValuesOf(proposals.specializations), "kotlin,C#");
    EXPECT_EQ(ValuesOf(proposals.locations), "");
    ASSERT_EQ(proposals.specializations.size(), 2u);
    EXPECT_EQ(
        text.substr(proposals.specializations[1].found.offset, proposals.specializations[1].found.length),
        "C#");
}

} // namespace
