#include "proposals/ResumeText.h"
#include "tests/proposals/ProposalTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(BadInput, MissingDoubledOrHiddenValues) {
    // No e-mail: the other fields still come.
    FieldProposals proposals = Propose("Anna Berg\n+46 70 123 45 67\n");
    EXPECT_EQ(ValueOf(proposals.email), "");
    EXPECT_EQ(ValueOf(proposals.name), "Anna Berg");
    // Two e-mails: the head's wins over the one further down.
    proposals =
        Propose("Anna Berg\nanna.berg@example.com\n\nSkills\nJava\n\nInterests\nanna@chess.example\n");
    EXPECT_EQ(ValueOf(proposals.email), "anna.berg@example.com");
    // The name only in the e-mail: no name is made up from it.
    proposals = Propose("anna.berg@example.com\n+46 70 123 45 67\n\nExperience\nAcme Ltd\n2019 – 2022\n");
    EXPECT_EQ(ValueOf(proposals.name), "");
    EXPECT_EQ(ValueOf(proposals.email), "anna.berg@example.com");
    // A name line all in capitals is the name, as written.
    EXPECT_EQ(ValueOf(Propose("JOHN SMITH\njohn@example.com\n").name), "JOHN SMITH");
}

TEST(BadInput, AnotherLanguageOrScript) {
    FieldProposals proposals =
        Propose("Иван Петров\nivan.petrov@yandex.ru\n+7 912 345-67-89\n\nОпыт работы\nЯндекс, 2015 — 2020\n");
    EXPECT_EQ(ValueOf(proposals.name), "Иван Петров");
    EXPECT_EQ(ValueOf(proposals.email), "ivan.petrov@yandex.ru");
    EXPECT_EQ(ValueOf(proposals.phone), "+7 912 345-67-89");
    EXPECT_EQ(ValueOf(proposals.experienceBand), "2-5");
    EXPECT_EQ(ValueOf(proposals.organization), ""); // nothing says which piece is the firm
    proposals = Propose("张伟\n电子邮件：zhang.wei@example.cn\n工作经历\n2016年至今 阿里巴巴\n");
    EXPECT_EQ(ValueOf(proposals.email), "zhang.wei@example.cn");
    EXPECT_EQ(ValueOf(proposals.name), "");
    EXPECT_EQ(ValueOf(proposals.organization), "");
}

TEST(BadInput, PeriodsThatCannotBe) {
    // Ends before it starts; lies wholly in the future (the document is of May 2024).
    FieldProposals proposals = Propose("Experience\nAcme Ltd\nJan 2020 – Mar 2018\n");
    EXPECT_EQ(ValueOf(proposals.experienceBand), "");
    EXPECT_EQ(ValueOf(proposals.organization), "");
    proposals = Propose("Experience\nAcme Ltd\nJan 2030 – Dec 2031\nGlobex Corp\nJan 2020 – Dec 2022\n");
    EXPECT_EQ(ValueOf(proposals.experienceBand), "2-5");
    EXPECT_EQ(ValueOf(proposals.organization), "Globex Corp");
    // Runs on past the document's date: counted to it.
    proposals = Propose("Experience\nAcme Ltd\nJan 2023 – Dec 2027\n");
    EXPECT_EQ(ValueOf(proposals.experienceBand), "1-2");
    // Years out of any career.
    EXPECT_EQ(ValueOf(Propose("Experience\nAcme Ltd\n1900 – 2020\n").experienceBand), "");
}

TEST(BadInput, ListsEmptyOrOfOneCharacter) {
    ProposalInput input;
    input.text = "Anna Berg\nSkills: C, R, Java\nPune\n";
    input.lists = {"", ",,", "  "};
    FieldProposals proposals = ProposeFields(input);
    EXPECT_TRUE(proposals.qualifications.empty());
    EXPECT_TRUE(proposals.specializations.empty());
    EXPECT_TRUE(proposals.locations.empty());
    input.lists = {"A", "C ,R ,JAVA", "P"};
    proposals = ProposeFields(input);
    EXPECT_EQ(ValuesOf(proposals.qualifications), "");
    EXPECT_EQ(ValuesOf(proposals.specializations), "JAVA");
    EXPECT_EQ(ValuesOf(proposals.locations), "");
}

TEST(BadInput, BytesThatAreNoText) {
    // NUL bytes, bytes that are not UTF-8, control characters: read past, never a crash.
    std::string text = "Anna Berg\n";
    text += std::string("\0\0\x01\x7f", 4);
    text += "anna@example.com\n\xff\xfe\xc3\x28 Mobile: +46 70 123 45 67\n";
    FieldProposals proposals = Propose(text);
    EXPECT_EQ(ValueOf(proposals.name), "Anna Berg");
    EXPECT_EQ(ValueOf(proposals.email), "anna@example.com");
    EXPECT_EQ(ValueOf(proposals.phone), "+46 70 123 45 67");
    EXPECT_EQ(FoundIn(text, proposals.email), "anna@example.com");
    for (const std::string& odd :
         {std::string(), std::string(5000, '@'), std::string(5000, '9'), std::string(20000, '\n'),
          std::string("\xe2\x80", 2), std::string(3000, '-'),
          std::string("\xef\xac"
                      "A\xef\xac")})
        Propose(odd);
}

TEST(BadInput, AVeryLongTextIsReadOnlyAsFarAsAResumeGoes) {
    std::string text = "Anna Berg\nanna@example.com\n\nExperience\nAcme Ltd\nJan 2020 – Present\n";
    for (int line = 0; line < 50000; ++line)
        text += "Globex Corp, Jan 2001 – Dec 2001, Java, C++, Pune " + std::to_string(line) + "\n";
    const FieldProposals proposals = Propose(text);
    EXPECT_EQ(ValueOf(proposals.name), "Anna Berg");
    EXPECT_EQ(ValueOf(proposals.email), "anna@example.com");
    EXPECT_EQ(ValueOf(proposals.organization), "Acme Ltd");
    for (const auto& values : {proposals.qualifications, proposals.specializations, proposals.locations}) {
        for (const ProposedValue& value : values)
            EXPECT_LE(value.found.offset + value.found.length, ResumeText::kMostBytes);
    }
    // One line without an end.
    Propose("Anna Berg " + std::string(400000, 'x') + " anna@example.com");
}

} // namespace
