#include "proposals/DateRanges.h"
#include "proposals/ResumeText.h"

#include <gtest/gtest.h>
#include <string>

namespace {

std::string MonthText(int month) {
    return std::to_string(month / 12) + "-" + (month % 12 < 9 ? "0" : "") + std::to_string(month % 12 + 1);
}

// The periods of a line as "2018-01..open", "2015-01..2019-01 years", joined by "; ".
std::string Periods(const std::string& line) {
    std::string shown;
    for (const DateRange& range : RangesIn(line, 0, line.size())) {
        shown += shown.empty() ? "" : "; ";
        shown += MonthText(range.start) + ".." + (range.end ? MonthText(*range.end) : "open");
        if (range.startYearOnly || range.endYearOnly)
            shown += " years";
        shown += " [" + line.substr(range.offset, range.length) + "]";
    }
    return shown;
}

TEST(TextReading, PeriodsAndWhereTheyAreWritten) {
    const struct {
        const char* line;
        const char* periods;
    } cases[] = {
        {"Jan 2018 – Present", "2018-01..open [Jan 2018 – Present]"},
        {"Acme (03/2016 - 11/2020), Pune", "2016-03..2020-11 [03/2016 - 11/2020]"},
        {"2015–2019", "2015-01..2019-01 years [2015–2019]"},
        {"Sept. 2019 – Aug. 2021", "2019-09..2021-08 [Sept. 2019 – Aug. 2021]"},
        {"1. März 2016 bis 30. Juni 2018", "2016-03..2018-06 [1. März 2016 bis 30. Juni 2018]"},
        {"06/01/2019 - 12/31/2020", "2019-06..2020-12 [06/01/2019 - 12/31/2020]"},
        {"seit Oktober 2016", "2016-10..open [seit Oktober 2016]"},
        {"from Aug 2008 to May 2015", "2008-08..2015-05 [from Aug 2008 to May 2015]"},
        {"Apr 2019\tPresent", "2019-04..open [Apr 2019\tPresent]"},
        {"giugno 2012 – dicembre 2014; luglio 2015 – oggi",
         "2012-06..2014-12 [giugno 2012 – dicembre 2014]; 2015-07..open [luglio 2015 – oggi]"},
        {"stycznia 2019 – obecnie", "2019-01..open [stycznia 2019 – obecnie]"},
        {"kesäkuu 2010 – joulukuu 2012", "2010-06..2012-12 [kesäkuu 2010 – joulukuu 2012]"},
        {"01/18 – 03/20; 04/20 - Present",
         "2018-01..2020-03 [01/18 – 03/20]; 2020-04..open [04/20 - Present]"},
        // Not periods: single dates, a phone number, May the word, years out of range, a month and
        // two digits beside a whole date.
        {"03/18 – 2020; since 04/20", ""},
        {"Graduated 2014; born 12.03.1990", ""},
        {"+49 30 2015 2019", ""},
        {"May I help? 1850 - 1900", ""},
        {"Feb 30 2019 -", ""},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Periods(test.line), test.periods) << test.line;
}

TEST(TextReading, HeadingsInTheLanguagesOfResumes) {
    const struct {
        const char* line;
        int section; // -1: no heading
    } cases[] = {
        {"WORK EXPERIENCE", static_cast<int>(Section::Experience)},
        {"Professional Experience:", static_cast<int>(Section::Experience)},
        {"E X P E R I E N C E", static_cast<int>(Section::Experience)},
        {"Beruflicher Werdegang", static_cast<int>(Section::Experience)},
        {"Expériences professionnelles", static_cast<int>(Section::Experience)},
        {"Career Objective", static_cast<int>(Section::Summary)},
        {"Academic Qualifications", static_cast<int>(Section::Education)},
        {"Programming Languages", static_cast<int>(Section::Skills)},
        {"Languages", static_cast<int>(Section::Languages)},
        {"Personal Details", static_cast<int>(Section::Contact)},
        {"■ Referees", static_cast<int>(Section::References)},
        {"Curriculum Vitae", static_cast<int>(Section::Header)},
        {"EDUCATION AND TRAINING", static_cast<int>(Section::Education)},
        {"DIGITAL SKILLS", static_cast<int>(Section::Skills)},
        {"LANGUAGE SKILLS", static_cast<int>(Section::Languages)},
        // Sentences, values and labels with their values are none.
        {"Experience in banking.", -1},
        {"Experience: 8 years", -1},
        {"Java Developer", -1},
        {"Education 2010", -1},
    };
    for (const auto& test : cases) {
        Section section = Section::Other;
        const bool heading = HeadingSection(test.line, section);
        EXPECT_EQ(heading ? static_cast<int>(section) : -1, test.section) << test.line;
    }
}

// The lines of a text in reading order, each as "section|text".
std::vector<std::string> Read(const std::string& text) {
    const ResumeText resume(text);
    std::vector<std::string> lines;
    for (const TextLine& line : resume.Lines())
        lines.push_back(std::to_string(static_cast<int>(line.section)) + "|" +
                        std::string(resume.LineText(line)));
    return lines;
}

TEST(TextReading, ASidebarIsReadColumnByColumn) {
    // As a PDF's text comes out: the sidebar's lines beside the main column's.
    const std::string sidebar = "Anna Berg\n"
                                " Contact                    Experience\n"
                                " anna@example.com           Acme Ltd\n"
                                " +46 70 123 45 67           Jan 2018 – Present\n"
                                " Skills                     Globex Corp\n"
                                " Java, SQL                  2015 – 2017\n"
                                "                            Education\n"
                                "                            KTH, 2010 – 2015\n";
    const std::vector<std::string> expected{
        "0|Anna Berg",   "1|Contact",    "1|anna@example.com", "1|+46 70 123 45 67",   "5|Skills",
        "5|Java, SQL",   "3|Experience", "3|Acme Ltd",         "3|Jan 2018 – Present", "3|Globex Corp",
        "3|2015 – 2017", "4|Education",  "4|KTH, 2010 – 2015"};
    EXPECT_EQ(Read(sidebar), expected);
    // A sidebar on the right whose address touches the main column, and a long line of the main
    // column across both at the end: each column keeps its sections through the break.
    const std::string right = "Experience                     Contact\n"
                              "Acme Ltd                       anna.lindqvist@example.com\n"
                              "Jan 2018 – Present             +46 70 123 45 67\n"
                              "Education                      Skills\n"
                              "KTH, 2010 – 2015               Java, SQL\n"
                              "Bachelor of Science in Computer Science, Royal Institute\n"
                              "Globex Corp                    Oracle DBA\n"
                              "2005 – 2009                    C++\n";
    const std::vector<std::string> columns{"3|Experience",
                                           "3|Acme Ltd",
                                           "3|Jan 2018 – Present",
                                           "4|Education",
                                           "4|KTH, 2010 – 2015",
                                           "1|Contact",
                                           "1|anna.lindqvist@example.com",
                                           "1|+46 70 123 45 67",
                                           "5|Skills",
                                           "5|Java, SQL",
                                           "4|Bachelor of Science in Computer Science, Royal Institute",
                                           "4|Globex Corp",
                                           "4|2005 – 2009",
                                           "5|Oracle DBA",
                                           "5|C++"};
    EXPECT_EQ(Read(right), columns);
    // A table whose cells belong together row by row stays so.
    const std::string table = "Experience\n"
                              "2019 – now       Acme Ltd          Developer\n"
                              "2015 – 2019      Globex Corp       Tester\n"
                              "2012 – 2015      Initech           Intern\n"
                              "2010 – 2012      Hooli             Trainee\n";
    const std::vector<std::string> rows{"3|Experience",  "3|2019 – now",  "3|Acme Ltd",    "3|Developer",
                                        "3|2015 – 2019", "3|Globex Corp", "3|Tester",      "3|2012 – 2015",
                                        "3|Initech",     "3|Intern",      "3|2010 – 2012", "3|Hooli",
                                        "3|Trainee"};
    EXPECT_EQ(Read(table), rows);
}

} // namespace
