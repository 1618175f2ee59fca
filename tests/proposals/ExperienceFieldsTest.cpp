#include "tests/proposals/ProposalTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Every text is dated 15 May 2024 unless it says otherwise.
struct Case {
    const char* text;
    const char* organization;
    const char* band;
};

void Check(const Case& test, bool dated = true) {
    const FieldProposals proposals = Propose(test.text, dated);
    EXPECT_EQ(ValueOf(proposals.organization), test.organization) << test.text;
    EXPECT_EQ(ValueOf(proposals.experienceBand), test.band) << test.text;
}

TEST(ExperienceFields, PeriodsInTheFormsResumesUse) {
    const Case cases[] = {
        // Open periods count to the document's date: Jan 2018 to May 2024 is 6 years 5 months.
        {"Experience\nAcme Ltd\nJan 2018 – Present\n", "Acme Ltd", "5-7"},
        {"Experience\nAcme Ltd\n03/2016 - 11/2020\n", "Acme Ltd", "2-5"},
        {"Experience\nAcme Ltd, 2015–2019\n", "Acme Ltd", "2-5"},
        {"Experience\nAcme Ltd\nSep, 2023 – today\n", "Acme Ltd", "0-1"},
        {"Experience\nAcme Ltd\n01.03.2012 – 30.11.2020\n", "Acme Ltd", "7-10"},
        {"Experience\nAcme Ltd\nMarch 1, 2010 to June 30, 2014\n", "Acme Ltd", "2-5"},
        {"Experience\nAcme Ltd\nsince 2016\n", "Acme Ltd", "7-10"},
        {"Experience\nAcme Ltd\n2016-03 – 2022-02\n", "Acme Ltd", "5-7"},
        {"Experience\nAcme Ltd\nMar '16 – Feb '22\n", "Acme Ltd", "5-7"},
        {"Experience\nAcme Ltd\nJun 2016 - till date\n", "Acme Ltd", "7-10"},
        {"Experience\nAcme Ltd\nJan 2018 –\nPresent\n", "Acme Ltd", "5-7"},
        {"Experience\nAcme Ltd\n2019 to date\n", "Acme Ltd", "5-7"},
        {"Experience\nAcme Ltd\nJan 2018 \xe2\x80\x90 Dec 2020\n", "Acme Ltd", "2-5"},
        // European month names and present words.
        {"Berufserfahrung\nSiemens AG\nOktober 2016 – heute\n", "Siemens AG", "7-10"},
        {"Berufserfahrung\nSiemens AG\nMärz 2019 bis heute\n", "Siemens AG", "5-7"},
        {"Expérience professionnelle\nThales\njanvier 2019 – aujourd\xe2\x80\x99hui\n", "", "5-7"},
        {"Experiencia profesional\nTelefónica S.A.\nenero 2016 – actualidad\n", "Telefónica S.A.", "7-10"},
        {"Esperienza professionale\nReply S.p.A.\ngennaio 2020 – oggi\n", "Reply S.p.A.", "2-5"},
        {"Werkervaring\nING Bank N.V.\nmei 2020 – heden\n", "ING Bank N.V.", "2-5"},
        {"Experiência Profissional\nItaú Unibanco S.A.\njan/2019 – atual\n", "Itaú Unibanco S.A.", "5-7"},
        {"Doświadczenie zawodowe\nComarch S.A.\npaździernik 2018 – obecnie\n", "Comarch S.A.", "5-7"},
        {"Erhvervserfaring\nmarts 2019 – nu: Novo Nordisk A/S, Bagsværd – Testleder\n", "Novo Nordisk A/S",
         "5-7"},
        {"Expérience professionnelle\nSociété Générale, Paris\nSeptembre 2019 – à ce jour\n",
         "Société Générale", "2-5"},
        // Overlapping periods count once; two consecutive ones add up.
        {"Experience\nAcme Ltd\nJan 2015 – Dec 2019\nGlobex Corp\nJan 2017 – Dec 2018\n", "Acme Ltd", "2-5"},
        {"Experience\nAcme Ltd\nJan 2020 – Present\nGlobex Corp\nJan 2014 – Dec 2019\n", "Acme Ltd", "10-15"},
        // A table's row with the cells From and To.
        {"Experience\nOrganization\tDesignation\tFrom\tTo\nTech Mahindra Ltd.\tNetwork Engineer\tApr "
         "2019\tPresent\n",
         "Tech Mahindra Ltd.", "5-7"},
        // Projects inside the experience are no second position; a project section is none at all.
        {"Professional Experience\nTata Consultancy Services — Software Engineer\nJun 2017 – Present\n"
         "Projects\nProject: Retail Banking Portal\nClient: Barclays Bank, UK\nDuration: Jan 2022 – "
         "Present\n",
         "Tata Consultancy Services", "5-7"},
        // A LinkedIn export: durations beside the dates, a promotion within one firm.
        {"Experience\nAmazon\nSoftware Development Manager\nApril 2021 - Present (3 years 2 months)\n"
         "Software Development Engineer II\nJanuary 2018 - March 2021 (3 years 3 months)\n",
         "Amazon", "5-7"},
        // Studies, skills and references are no work.
        {"Experience\nAcme Ltd\n2020 – 2022\nEducation\nB.Tech, 2010 – 2016\nReferences\nGlobex Corp 2000 – "
         "2024\n",
         "Acme Ltd", "1-2"},
    };
    for (const Case& test : cases)
        Check(test);
}

TEST(ExperienceFields, TheLatestPositionsEmployer) {
    const Case cases[] = {
        {"Work Experience\nTechnology Lead, Infosys Limited, Bangalore\nJan 2018 - Present\n- Led a team\n"
         "Software Engineer, Tata Consultancy Services\nJul 2014 - Dec 2017\n",
         "Infosys Limited", "7-10"},
        {"Experience\nSenior Software Engineer at Stripe — San Francisco, CA\nMarch 2020 – Present\n",
         "Stripe", "2-5"},
        {"Experience\nSoftware Engineer II, Workday, Dublin\nOct 2021 – Present\n", "Workday", "2-5"},
        {"Experience\nGenpact — Lead Consultant, SAP FICO\nAug 2017 – Present\n", "Genpact", "5-7"},
        {"WORK HISTORY\nMotorola Solutions, Inc., Chicago, IL\nDirector of Firmware Engineering, 2004 - "
         "present\n",
         "Motorola Solutions, Inc.", "More than 15"},
        {"Experience\nCompany: Klarnö AB,\nDesignation: Developer\nDuration: Aug 2019 – Present\n",
         "Klarnö AB", "2-5"},
        {"Experience\nDate\t03/2021 – oggi\nNome e indirizzo del datore di lavoro Accenture S.p.A., Milano\n",
         "Accenture S.p.A.", "2-5"},
        {"Experience\nCurrently working with Tata Motors Ltd, Pune as Senior Engineer since June 2015.\n",
         "Tata Motors Ltd", "7-10"},
        {"Berufserfahrung\nseit 01/2015   Daimler Truck AG, Stuttgart – Leiter Softwareentwicklung\n",
         "Daimler Truck AG", "7-10"},
        {"EMPLOYMENT\nZalando SE ........................ 2019 – Present\nSenior Frontend Developer\n",
         "Zalando SE", "5-7"},
        // The Europass layout: dates, title, then the firm with its place in brackets.
        {"WORK EXPERIENCE\n01/2018 – CURRENT\nSenior Engineer\nAcme Corp [ Berlin, Germany ]\n", "Acme Corp",
         "5-7"},
        // How a LinkedIn export writes it: the kind of employment and the area beside the firm.
        {"Experience\nSenior Engineer\nBengaluru Area, India\nFull-time · Globex\nJan 2020 - Present\n",
         "Globex", "2-5"},
        {"Experience\nSenior Engineer\nGreater London\nJan 2020 - Present\n", "", "2-5"},
        // Roles within one firm: a department is no firm.
        {"Experience\nDBS Bank\nVice President, Engineering (Jan 2021 – Present)\n"
         "Assistant Vice President (Mar 2018 – Dec 2020)\n",
         "DBS Bank", "5-7"},
        // The open position wins over a later listed or later ended one; then the latest end.
        {"Experience\nAdjunct Lecturer, New York University — Sep 2015 – May 2019\n"
         "Vice President, Goldman Sachs — Jan 2018 – Present\n",
         "Goldman Sachs", "7-10"},
        {"Experience\nGlobex Corp\n2010 – 2014\nAcme Ltd\n2015 – 2019\n", "Acme Ltd", "7-10"},
        // Not sure which piece is the firm: nothing.
        {"Experience\nSpringfield Shelbyville\nJan 2018 – Present\n", "", "5-7"},
        {"Experience\nJan 2018 – Present\n- Built things\n", "", "5-7"},
    };
    for (const Case& test : cases)
        Check(test);
}

TEST(ExperienceFields, AStatementOfTheTimeWorked) {
    const Case cases[] = {
        {"Anna Berg\nDeveloper with 8+ years of experience in Java.\n", "", "7-10"},
        {"Anna Berg\nOver 10 years' experience building payment systems.\n", "", "10-15"},
        {"Anna Berg\n10 Jahre Berufserfahrung\n", "", "7-10"},
        {"Anna Berg\nPlus de 15 ans d'expérience\n", "", "More than 15"},
        {"Anna Berg\nTotal Experience: 6 years 4 months\n", "", "5-7"},
        {"Anna Berg\nNearly 2 years of experience\n", "", "1-2"},
        {"Anna Berg\nI am 28 years old.\n", "", ""},
        // Periods and a statement that disagree make the band doubtful.
        {"Anna Berg\n12 years of experience\nExperience\nAcme Ltd\nJan 2020 – Present\n", "Acme Ltd", ""},
        {"Anna Berg\n4+ years of experience\nExperience\nAcme Ltd\nJan 2020 – Present\n", "Acme Ltd", "2-5"},
    };
    for (const Case& test : cases)
        Check(test);
}

TEST(ExperienceFields, AResumeWithoutADateCountsNoOpenPeriod) {
    Check({"Experience\nAcme Ltd\nJan 2018 – Present\n", "Acme Ltd", ""}, false);
    Check({"Experience\nAcme Ltd\nJan 2018 – Dec 2019\n", "Acme Ltd", "1-2"}, false);
}

} // namespace
