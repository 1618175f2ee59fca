#include "tests/proposals/ProposalTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    const char* expected;
};

TEST(ContactFields, TheCandidatesOwnAddress) {
    const Case cases[] = {
        {"Anna Berg\nanna.berg@example.com\n", "anna.berg@example.com"},
        {"Anna Berg\nE-mail: Anna.Berg+Jobs@Example.COM\n", "Anna.Berg+Jobs@Example.COM"},
        {"Anna Berg\n<a>mailto:anna@example.se</a>\n", "anna@example.se"},
        // Broken by a line end after "@", after a dot, before the last part, inside the local part.
        {"Anna Berg\nE-mail: anna.berg@\nexample.com\n", "anna.berg@example.com"},
        {"Anna Berg\nanna.berg@example.\ncom\n", "anna.berg@example.com"},
        {"Anna Berg\nanna.berg@example\n.co.uk\n", "anna.berg@example.co.uk"},
        {"Anna Berg\nanna.\nberg@example.com\n", "anna.berg@example.com"},
        // The end of a sentence is no part of an address on the next line.
        {"Anna Berg\nOpen to relocation abroad.\nberg@example.com\n", "berg@example.com"},
        {"Anna Berg\nWrite to anna@example.com.\n", "anna@example.com"},
        // The head's address wins over a referee's, an employer's and a shared mailbox.
        {"Anna Berg\nanna@example.com\n\nReferences\nJo Park, jo.park@acme.com\n", "anna@example.com"},
        {"Anna Berg\n\nExperience\nAcme Ltd, hr@acme.com\n\nReferences\njo@acme.com\n", ""},
        {"Anna Berg\ninfo@bergdesign.se\nanna.berg@gmail.com\n", "anna.berg@gmail.com"},
        {"Anna Berg\nhello@annaberg.se\n", "hello@annaberg.se"},
        {"Anna Berg\nE-Mail:anna@example.com;anna2@example.com\n", "anna@example.com"},
        {"ANNA BERG\nANNA.BERG@EXAMPLE.COM\n", "ANNA.BERG@EXAMPLE.COM"},
        {"Anna Berg\nanna@gmail.com | anna.berg@work.example\n", "anna@gmail.com"},
        {"Anna Berg\n\nInterests\nReach me at anna@example.com\n", "anna@example.com"},
        {"Referee: Jo Park, jo.park@acme.com\n", ""},
        // Not addresses.
        {"Anna Berg\n@anna_codes on Twitter\nanna@localhost\nanna@@x.com\n", ""},
        {"Anna Berg\nÅsa@exämple.se\n", "Åsa@exämple.se"},
    };
    for (const Case& test : cases) {
        const FieldProposals proposals = Propose(test.text);
        EXPECT_EQ(ValueOf(proposals.email), test.expected) << test.text;
    }
}

TEST(ContactFields, ThePhoneNumberAsWritten) {
    const Case cases[] = {
        {"Anna Berg\nMobile: +46 70 123 45 67\n", "+46 70 123 45 67"},
        {"Anna Berg\nTel. (415) 555-0134 · anna@example.com\n", "(415) 555-0134"},
        {"Anna Berg\n+44 (0)20 7946 0958\n", "+44 (0)20 7946 0958"},
        {"Anna Berg\n+91-99890-54321\n", "+91-99890-54321"},
        {"Anna Berg\n098765 43210\n", "098765 43210"},
        {"Anna Berg\n0711/1234567\n", "0711/1234567"},
        {"Anna Berg\n312.555.0187 | anna@example.com\n", "312.555.0187"},
        {"Anna Berg\nPhone: 555-0134\n", "555-0134"},
        {"Anna Berg\n\xe2\x98\x8e 06 12 34 56 78\n", "06 12 34 56 78"},
        {"Anna Berg\nPhone: +1 415 555 0134 ext. 12\n", "+1 415 555 0134"},
        {"Anna Berg\nMobile (India): 98450 12345\n", "98450 12345"},
        // Two numbers side by side: the first.
        {"Anna Berg\nPhone: +91 98450 12345 / +91 91234 56789\n", "+91 98450 12345"},
        // Dates, postcodes, identifiers and short numbers are none.
        {"Anna Berg\n03/2016 - 11/2020\n2015 - 2019\nDate of birth: 01.03.1990\n10115 Berlin\n", ""},
        {"Anna Berg\nlinkedin.com/in/anna-123456789\nID4711081512\n555-0134\n", ""},
        // Further down only a number that says what it is; never a referee's.
        {"Anna Berg\n\nInterests\nChess club\nPhone: 040 123456\n", "040 123456"},
        {"Anna Berg\n\nInterests\nChess club 0401234567\n", ""},
        {"Anna Berg\n\nReferences\nJo Park, +46 8 123 456 78\n", ""},
    };
    for (const Case& test : cases) {
        const FieldProposals proposals = Propose(test.text);
        EXPECT_EQ(ValueOf(proposals.phone), test.expected) << test.text;
    }
}

TEST(ContactFields, TheNameFromTheFirstLinesAsWritten) {
    const Case cases[] = {
        {"Anna Berg\nSenior Developer\n", "Anna Berg"},
        {"Curriculum Vitae\n\nJosé María García López\nMadrid\n", "José María García López"},
        {"Resume\nDr. Marie-Claire Dubois, PhD\n", "Marie-Claire Dubois"},
        {"Prof. Dr.-Ing. Hans Müller\n", "Hans Müller"},
        {"OLIVER BENNETT-HUGHES\nOracle DBA\n", "OLIVER BENNETT-HUGHES"},
        {"Sanne van der Berg\n", "Sanne van der Berg"},
        {"Siobhán Ní Bhriain\n", "Siobhán Ní Bhriain"},
        {"Michael O'Connor | Backend Engineer\n", "Michael O'Connor"},
        {"Anna Berg Senior Developer\n", "Anna Berg"},
        {"Robert J. Kowalski, MBA\n", "Robert J. Kowalski"},
        {"Name: Kiran Kumar Patil\nAddress: Pune\n", "Kiran Kumar Patil"},
        {"Name\tGiulia Bianchi\nTelefono\t+39 347 123 4567\n", "Giulia Bianchi"},
        {"Resume of Anna Berg\n", "Anna Berg"},
        {"Åsa Lindqvist\n", "Åsa Lindqvist"},
        {"Иван Петров\nРазработчик\n", "Иван Петров"},
        {"Nom : Jean-Baptiste Lefèvre\n", "Jean-Baptiste Lefèvre"},
        {"Seán Mac Giolla Phádraig\n", "Seán Mac Giolla Phádraig"},
        {"Mohammed bin Rashid Al Maktoum\n", "Mohammed bin Rashid Al Maktoum"},
        {"Sr. Software Engineer\nA. P. J. Kumar\n", "A. P. J. Kumar"},
        {"CURRICULUM VITAE – ANNA BERG\n", "ANNA BERG"},
        // Headings, job titles, firms, places, contact lines and sentences are no names.
        {"CURRICULUM VITAE\nWORK EXPERIENCE\n", ""},
        {"Senior Java Developer\nKlarnö AB\nNew Delhi\nTamil Nadu, India\n", ""},
        {"Personal Details\nanna@example.com\n+46 70 123 45 67\nHauptstraße 12\n", ""},
        {"I am a developer.\nthe quick fox\n", ""},
        {"Languages\nGerman Native\nEnglish Fluent\n", ""},
        {"Technical Skills\nMachine Learning\nCloud Computing\n", ""},
        {"References\nDr. Paul Reid\nLeeds City Council\n", ""},
        {"Anna Berg's Resume\n", ""},
        // A name further down counts when the address carries it.
        {"Contact\nanna.lindqvist@telia.se\nStockholm\nSkills\nReact\nLanguages\nSwedish\nEnglish\nAsa "
         "Lindqvist\n",
         "Asa Lindqvist"},
        {"Contact\nme@telia.se\nStockholm\nSkills\nReact\nLanguages\nSwedish\nEnglish\nAsa Lindqvist\n", ""},
    };
    for (const Case& test : cases) {
        const FieldProposals proposals = Propose(test.text);
        EXPECT_EQ(ValueOf(proposals.name), test.expected) << test.text;
    }
}

TEST(ContactFields, EachValueKnowsWhereItWasFound) {
    // A no-break space, a ligature and a soft hyphen before the values move nothing.
    const std::string text = "Dr.\xc2\xa0"
                             "Anna Berg\nCerti\xef\xac\x81"
                             "ed\xc2\xad"
                             " tester\nanna@example.com\n+46 70 123 45 67\n";
    const FieldProposals proposals = Propose(text);
    EXPECT_EQ(FoundIn(text, proposals.name), "Anna Berg");
    EXPECT_EQ(FoundIn(text, proposals.email), "anna@example.com");
    EXPECT_EQ(FoundIn(text, proposals.phone), "+46 70 123 45 67");
    const std::string broken = "Anna Berg\nanna@\nexample.com\n";
    EXPECT_EQ(FoundIn(broken, Propose(broken).email), "anna@\nexample.com");
}

} // namespace
