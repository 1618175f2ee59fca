#include "entry/DuplicateHint.h"
#include "entry/ResumeInputDialog.h"
#include "entry/TextResumeDialog.h"
#include "tests/entry/TextImportFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <sqlite3.h>

namespace {

constexpr int kName = 1019, kEmail = 1034, kOrganization = 1036;

// Another program on the bank: the plain engine, none of our functions or triggers.
void RunElsewhere(const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(BankPath().c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close_v2(db);
}

std::string Hint(QDialog& form) {
    auto* line = FindControl<QLabel>(&form, 2061);
    return line->isHidden() || line->parentWidget()->isHidden() ? "" : line->text().toStdString();
}

class DuplicateHintTest : public TextImport {
protected:
    void SetUp() override {
        TextImport::SetUp();
        RunElsewhere(
            "INSERT INTO [Abstract Information] (ID, Name, Email, Organization, Status) VALUES "
            "(1042, 'José Müller', 'Jose.Mueller@posteo.de', 'Nordlicht GmbH', 'Active For Proccesing');"
            "INSERT INTO Resume VALUES (1042, 'JOSÉ MÜLLER, Tel. +49 30 1234 5678')");
        g_showOtherResume = [this](QWidget*, std::int64_t id) { shown.push_back(id); };
    }
    void TearDown() override {
        g_showOtherResume = nullptr;
        TextImport::TearDown();
    }
    std::vector<std::int64_t> shown;
};

TEST_F(DuplicateHintTest, TheInputFormSaysWhoIsAlreadyThereAsItIsTypedAndNeverBlocksSubmit) {
    ResumeInputDialog form(nullptr);
    form.show();
    EXPECT_EQ(Hint(form), "");
    FindControl<QLineEdit>(&form, kEmail)->setText(" JOSE.MUELLER@posteo.DE");
    EXPECT_EQ(Hint(form), "Already in the bank: José Müller, ID 1042, added as active (same e-mail)");
    Click(form, 2062);
    EXPECT_EQ(shown, std::vector<std::int64_t>{1042});
    EXPECT_TRUE(form.isVisible()); // the form stays as it was
    FindControl<QLineEdit>(&form, kEmail)->clear();
    FindControl<QLineEdit>(&form, kName)->setText("MÜLLER, Jose");
    EXPECT_EQ(Hint(form),
              "Perhaps in the bank: José Müller, ID 1042, added as active (a resume with the same name)");
    FindControl<QLineEdit>(&form, kOrganization)->setText("nordlicht gmbh");
    EXPECT_EQ(Hint(form),
              "Already in the bank: José Müller, ID 1042, added as active (same name and organization)");
    FindControl<QLineEdit>(&form, kName)->setText("!!! ...");
    EXPECT_EQ(Hint(form), "");

    // Another program stores a duplicate while the form is open: the next keystroke sees it.
    FindControl<QLineEdit>(&form, kEmail)->setText("ana@silva.p");
    RunElsewhere("INSERT INTO [Abstract Information] (ID, Name, Email, Status) VALUES (7, 'Ana Silva', "
                 "'ana@silva.pt', 'Hold')");
    FindControl<QLineEdit>(&form, kEmail)->setText("ana@silva.pt");
    EXPECT_EQ(Hint(form), "Already in the bank: Ana Silva, ID 7, added as hold (same e-mail)");
    EXPECT_TRUE(messages.Texts().empty());

    SameResume many{SameBy::Email, 1, "Ann", "Active", 10000};
    EXPECT_EQ(DuplicateHintText(many).toStdString(),
              "Already in the bank: Ann, ID 1, added as active (same e-mail, and 9999 more)");
}

TEST_F(DuplicateHintTest, TextResumeLooksAtTheProposedPhoneAndTheTaggedName) {
    TextResumeDialog dialog(nullptr,
                            WriteFile("other.txt", "Jo Miller\njo@miller.example | +49 (0)30 1234-5678\n"));
    dialog.show();
    EXPECT_EQ(Hint(dialog), "Already in the bank: José Müller, ID 1042, added as active (same phone)");
    Click(dialog, 2062);
    EXPECT_EQ(shown, std::vector<std::int64_t>{1042});
    EXPECT_TRUE(messages.Texts().empty());
}

} // namespace
