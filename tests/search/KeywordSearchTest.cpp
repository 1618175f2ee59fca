#include "platform/ProgressBox.h"
#include "search/KeywordHighlights.h"
#include "search/ResultDialog.h"
#include "search/SearchDialog.h"
#include "tests/search/SearchFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {

constexpr int kName = 1010, kEmail = 1015, kOrganization = 1017, kSearch = 1016, kKeywords = 2001;
constexpr const char* kPrefix =
    "SELECT * FROM [Abstract Information],Qualifications,Specializations,Locations WHERE "
    "[Abstract Information].ID=Specializations.ID AND [Abstract Information].ID=Locations.ID AND "
    "[Abstract Information].ID=Qualifications.ID AND ";
constexpr const char* kOrder = "ORDER BY [Abstract Information].ID;";

QLineEdit* Box(QDialog& form, int id) {
    return FindControl<QLineEdit>(&form, id);
}

void Choose(QDialog& form, int id, const char* item) {
    auto* list = FindControl<QComboBox>(&form, id);
    list->setCurrentIndex(list->findText(QString::fromUtf8(item)));
    ASSERT_GE(list->currentIndex(), 0) << item;
}

std::string KeywordCondition(const std::string& match) {
    return "[Abstract Information].ID IN (SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH '" +
           match + "')";
}

// The names a search shows, the result window closed again; none when nothing ran or was found.
Texts SearchNames(SearchDialog& form) {
    Texts names;
    DialogScript script;
    script.Then([&names](QDialog& results) {
        for (const auto& row : DataRows(GridOf(results)))
            names.push_back(row.at(1));
        Click(results, 2);
    });
    g_resultQuery.clear();
    Click(form, kSearch);
    return names;
}

class KeywordSearch : public SearchTest {
protected:
    std::string Add(const std::string& name, const std::string& text, const std::string& status = "Hold") {
        BankResume resume;
        resume.name = name;
        resume.text = text;
        resume.status = status;
        return AddResume(resume);
    }
};

TEST_F(KeywordSearch, QueryTextIsTheDescribedOneWithTheKeywordConditionLast) {
    SearchDialog form(nullptr);
    const std::pair<std::function<void(SearchDialog&)>, std::string> criteria[] = {
        {[](SearchDialog&) {}, ""},
        {[](SearchDialog& f) { Box(f, kName)->setText(" Asha "); }, "Name='Asha' AND "},
        {[](SearchDialog& f) { Choose(f, 1012, "B.E."); }, "Qualification='B.E.' AND "},
        {[](SearchDialog& f) { Choose(f, 1011, "JAVA"); }, "Specialization='JAVA' AND "},
        {[](SearchDialog& f) { Choose(f, 1013, "2-5"); }, "Experience='2-5' AND "},
        {[](SearchDialog& f) { Choose(f, 1004, "Pune"); }, "Location='Pune' AND "},
        {[](SearchDialog& f) { Box(f, kEmail)->setText("a@b"); }, "Email='a@b' AND "},
        {[](SearchDialog& f) { Box(f, kOrganization)->setText("O'Neil"); }, "Organization='O''Neil' AND "},
        {[](SearchDialog& f) { FindControl<QRadioButton>(&f, 1052)->setChecked(true); },
         "Status='Hold' AND "},
    };
    for (const auto& [give, condition] : criteria) {
        Click(form, 1014);
        give(form);
        Box(form, kKeywords)->setText("  O'Brien \"team lead\" -intern ");
        SearchNames(form);
        EXPECT_EQ(g_resultQuery, kPrefix + condition +
                                     KeywordCondition("(\"O''Brien\" AND \"team lead\") NOT \"intern\"") +
                                     kOrder);
    }
    // Without keywords the query is exactly the described one.
    Click(form, 1014);
    Box(form, kName)->setText("Asha");
    SearchNames(form);
    EXPECT_EQ(g_resultQuery, std::string(kPrefix) + "Name='Asha'" + kOrder);
    EXPECT_EQ(messages.Texts(), Texts(10, "No record found to show"));
}

TEST_F(KeywordSearch, FindsByKeywordsTogetherWithEachDescribedCriterion) {
    Add("Asha", "Java and Spring developer, team lead", "Hold");
    Add("Ravi", "Java developer; C++ and VC++", "Selected");
    Add("Mei", "C# and .NET, team lead", "Hold");
    BankResume elsewhere;
    elsewhere.name = "Lars";
    elsewhere.text = "Java in Delhi";
    elsewhere.locations = {"Delhi"};
    elsewhere.organization = "Beta";
    AddResume(elsewhere);
    BankResume jose;
    jose.name = "José Müller";
    jose.email = "Jose.Mueller@posteo.de";
    jose.organization = "Nordlicht Logistik GmbH";
    jose.text = "Warehouse planning";
    AddResume(jose);

    SearchDialog form(nullptr);
    const struct {
        std::function<void(SearchDialog&)> give;
        const char* keywords;
        Texts names;
    } cases[] = {
        {[](SearchDialog&) {}, "java", {"Asha", "Ravi", "Lars"}},
        {[](SearchDialog&) {}, "\"team lead\"", {"Asha", "Mei"}},
        {[](SearchDialog&) {}, "c++", {"Ravi"}},
        {[](SearchDialog&) {}, ".net OR spring", {"Asha", "Mei"}},
        {[](SearchDialog&) {}, "develop* -spring", {"Ravi"}},
        // Any part of a name, an e-mail or an organization, under the same rules and syntax.
        {[](SearchDialog&) {}, "mueller", {"José Müller"}},
        {[](SearchDialog&) {}, "jose", {"José Müller"}},
        {[](SearchDialog&) {}, "posteo", {"José Müller"}},
        {[](SearchDialog&) {}, "nordlicht planning", {"José Müller"}},
        {[](SearchDialog&) {}, "\"jose muller\" -java", {"José Müller"}},
        {[](SearchDialog&) {}, "acme -java", {"Mei"}},
        // The Name box folds the case of A to Z only, as the bank's own comparison does.
        {[](SearchDialog& f) { Box(f, kName)->setText("josé müller"); }, "warehouse", {"José Müller"}},
        {[](SearchDialog& f) { Box(f, kName)->setText("JOSÉ MÜLLER"); }, "warehouse", {}},
        {[](SearchDialog& f) { Box(f, kName)->setText("Ravi"); }, "java", {"Ravi"}},
        {[](SearchDialog& f) { Choose(f, 1004, "Delhi"); }, "java", {"Lars"}},
        {[](SearchDialog& f) { Box(f, kOrganization)->setText("acme"); }, "java", {"Asha", "Ravi"}},
        {[](SearchDialog& f) { FindControl<QRadioButton>(&f, 1052)->setChecked(true); },
         "lead",
         {"Asha", "Mei"}},
        {[](SearchDialog& f) { Choose(f, 1011, "JAVA"); }, "c#", {"Mei"}},
        {[](SearchDialog& f) { Box(f, kEmail)->setText("asha@example.com"); },
         "java",
         {"Asha", "Ravi", "Lars"}},
        {[](SearchDialog& f) { Choose(f, 1012, "B.E."); }, "vc++", {"Ravi"}},
        {[](SearchDialog& f) { Choose(f, 1013, "2-5"); }, "spring OR delhi", {"Asha", "Lars"}},
    };
    for (const auto& item : cases) {
        Click(form, 1014);
        item.give(form);
        Box(form, kKeywords)->setText(QString::fromUtf8(item.keywords));
        EXPECT_EQ(SearchNames(form), item.names) << item.keywords;
        // The keywords stay for the next search.
        EXPECT_EQ(Box(form, kKeywords)->text().toStdString(), item.keywords);
    }
    EXPECT_EQ(messages.Texts(), Texts{"No record found to show"}); // for "JOSÉ MÜLLER"
}

TEST_F(KeywordSearch, UnreadableKeywordsSayWhyPutTheFocusBackAndRunNothing) {
    Add("Asha", "Java");
    SearchDialog form(nullptr);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const std::pair<const char*, const char*> cases[] = {
        {"\"team lead", "Keywords: a quotation mark (\") has no closing one."},
        {"java OR", "Keywords: \"OR\" needs a word on each side."},
        {"++ --", "Keywords: \"-\" needs a word right after it, as in -intern."},
        {"*", "Keywords: a \"*\" alone finds nothing; put it at the end of a word, as in jav*."},
        {"&& ;;", "Keywords: there is no word to search for, only punctuation."},
    };
    for (const auto& [typed, problem] : cases) {
        messages.Clear();
        Box(form, kName)->setFocus();
        Box(form, kKeywords)->setText(QString::fromUtf8(typed));
        EXPECT_EQ(SearchNames(form), Texts{}) << typed;
        EXPECT_EQ(g_resultQuery, "") << typed;
        EXPECT_EQ(messages.Texts(), Texts{problem}) << typed;
        EXPECT_EQ(QApplication::focusWidget(), Box(form, kKeywords)) << typed;
    }
    // Keywords alone count as a criterion; Reset clears them.
    Box(form, kKeywords)->setText("java");
    EXPECT_EQ(SearchNames(form), Texts{"Asha"});
    Click(form, 1014);
    EXPECT_TRUE(Box(form, kKeywords)->text().isEmpty());
}

TEST_F(KeywordSearch, HostileKeywordsAreSearchedAsWordsAndLeaveTheBankAsItWas) {
    Add("Asha", "Details: x. O'Brien wrote NEAR(java spring) ^java; DROP TABLE Resume");
    Add("Ravi", "Java every day");
    const Rows before = QueryRows("SELECT * FROM Resume ORDER BY rowid");
    SearchDialog form(nullptr);
    const std::pair<std::string, Texts> cases[] = {
        {"Details:x", {"Asha"}},
        {"NEAR(java spring)", {"Asha"}},
        {"^java", {"Asha", "Ravi"}},
        {"O'Brien", {"Asha"}},
        {"\"'); DROP TABLE Resume; --\"", {"Asha"}},
        {"Resume'); DELETE FROM Resume; --x", {}},
        {"java\x01spring", {"Asha"}},
        // A word in every resume finds them all.
        {"java", {"Asha", "Ravi"}},
        // The most the box holds: 1,000 characters of words, all required.
        {[] {
             std::string many;
             while (many.size() + 5 <= 1000)
                 many += "java ";
             return many;
         }(),
         {"Asha", "Ravi"}},
        {std::string(500, '(') + "java" + std::string(500, ')'), {}},
    };
    for (const auto& [typed, names] : cases) {
        messages.Clear();
        Box(form, kKeywords)->setText(QString::fromStdString(typed));
        EXPECT_EQ(SearchNames(form), names) << typed;
        if (names.empty()) {
            EXPECT_EQ(messages.Texts().size(), 1u) << typed;
        }
    }
    EXPECT_EQ(QueryRows("SELECT * FROM Resume ORDER BY rowid"), before);
}

TEST_F(KeywordSearch, ABankWithoutTheIndexIsOfferedItAndTheOtherSearchesGoOn) {
    Add("Asha", "Java and Spring");
    ExecuteSql(
        "DROP TABLE ResumeKeywords; DROP TABLE ResumeKeywordsPending; DROP TRIGGER ResumeKeywordsNoteInsert; "
        "DROP TRIGGER ResumeKeywordsNoteUpdate; DROP TRIGGER ResumeKeywordsNoteDelete;"
        " DROP TRIGGER ResumeKeywordsNoteFieldsInsert; DROP TRIGGER ResumeKeywordsNoteFieldsUpdate; DROP "
        "TRIGGER ResumeKeywordsNoteFieldsDelete;");
    Add("Ravi", "Java");
    SearchDialog form(nullptr);
    Box(form, kName)->setText("Ravi");
    EXPECT_EQ(SearchNames(form), Texts{"Ravi"});

    // Refused: nothing runs, nothing changes.
    Box(form, kKeywords)->setText("java");
    messages.AnswerNext(MessageAnswer::No);
    EXPECT_EQ(SearchNames(form), Texts{});
    EXPECT_EQ(messages.Texts(),
              Texts{"This bank has no keyword index yet, so keyword search cannot run. Build the "
                    "index now? The other searches work without it."});
    EXPECT_EQ(messages.Requests().back().buttons, MessageButtons::YesNo);
    EXPECT_EQ(g_resultQuery, "");

    // Accepted, then cancelled in the progress window: the bank is as it was.
    const Rows schema = QueryRows("SELECT name FROM sqlite_schema ORDER BY name");
    std::string told;
    const ProgressObserver previous = SetProgressObserver([&told](QProgressDialog& progress) {
        told = progress.labelText().toStdString();
        progress.cancel();
    });
    EXPECT_EQ(SearchNames(form), Texts{});
    EXPECT_EQ(told, "Building the keyword index: 0 of 2 resumes");
    EXPECT_EQ(QueryRows("SELECT name FROM sqlite_schema ORDER BY name"), schema);

    // Accepted and built: the search runs at once.
    SetProgressObserver([&told](QProgressDialog& progress) { told = progress.labelText().toStdString(); });
    Box(form, kName)->clear();
    EXPECT_EQ(SearchNames(form), (Texts{"Asha", "Ravi"}));
    EXPECT_EQ(told, "Building the keyword index: 2 of 2 resumes");
    SetProgressObserver(previous);
    messages.Clear();
    EXPECT_EQ(SearchNames(form), (Texts{"Asha", "Ravi"}));
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(KeywordSearch, ADamagedOrOutOfStepIndexIsOfferedForRebuilding) {
    Add("Asha", "Java");
    SearchDialog form(nullptr);
    Box(form, kKeywords)->setText("java");
    ExecuteSql("DROP TRIGGER ResumeKeywordsNoteUpdate");
    messages.AnswerNext(MessageAnswer::No);
    EXPECT_EQ(SearchNames(form), Texts{});
    ExecuteSql("INSERT INTO ResumeKeywords (ResumeKeywords) VALUES ('delete-all')");
    EXPECT_EQ(SearchNames(form), Texts{"Asha"}); // rebuilt on the default answer, Yes
    ExecuteSql("INSERT INTO ResumeKeywords (ResumeKeywords) VALUES ('delete-all')");
    EXPECT_EQ(SearchNames(form), Texts{"Asha"});
    EXPECT_EQ(
        messages.Texts(),
        (Texts{"The bank's keyword index is damaged (missing ResumeKeywordsNoteUpdate). Build it again now? "
               "The other searches work without it.",
               "The bank's keyword index is damaged (missing ResumeKeywordsNoteUpdate). Build it again now? "
               "The other searches work without it.",
               "The bank's keyword index does not match the resume texts (1 resume texts, 0 in the keyword "
               "index). Build it again now? The other searches work without it."}));
}

// What File View shows of a keyword search's matches, as the texts marked and the current one.
struct ShownMatches {
    Texts marked;
    std::string current;
    std::string label;
};

ShownMatches Matches(QDialog& view) {
    auto* box = FindControl<QPlainTextEdit>(&view, 1020);
    const QList<QTextEdit::ExtraSelection> matches = box->extraSelections();
    ShownMatches shown;
    for (const QTextEdit::ExtraSelection& match : matches) {
        const std::string text =
            match.cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')).toStdString();
        shown.marked.push_back(text);
        // The current match is the one the cursor stands at, and the only one marked so.
        if (box->textCursor().position() == match.cursor.selectionStart()) {
            shown.current = text;
            EXPECT_EQ(std::count_if(matches.begin(), matches.end(),
                                    [&match](const QTextEdit::ExtraSelection& other) {
                                        return other.format.background() == match.format.background();
                                    }),
                      1);
        }
    }
    auto* label = FindControl<QLabel>(&view, 2002);
    shown.label = label->isVisibleTo(&view) ? label->text().toStdString() : "(hidden)";
    return shown;
}

TEST_F(KeywordSearch, FileViewMarksPhrasesAndBeginningsAndStepsThroughThemWithF3) {
    Add("Asha", "Team lead for Java.\nLed the team\nLead developer; JavaScript and java.");
    SearchDialog form(nullptr);
    Box(form, kKeywords)->setText("\"team lead\" jav* -cobol");
    std::vector<ShownMatches> seen;
    DialogScript script;
    script.Then([&](QDialog& results) {
        script.Nested([&](QDialog& view) {
            seen.push_back(Matches(view));
            view.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
            for (const auto key : {QKeyCombination(Qt::Key_F3), QKeyCombination(Qt::Key_F3),
                                   QKeyCombination(Qt::Key_F3), QKeyCombination(Qt::Key_F3),
                                   QKeyCombination(Qt::Key_F3), QKeyCombination(Qt::SHIFT | Qt::Key_F3)}) {
                QTest::keyClick(&view, key.key(), key.keyboardModifiers());
                seen.push_back(Matches(view));
            }
            Click(view, 1);
        });
        Click(results, 1); // Details
        // Double-click and Enter show the same.
        CMSFlexGrid& grid = GridOf(results);
        results.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&results));
        script.Nested([&](QDialog& view) {
            seen.push_back(Matches(view));
            Click(view, 1);
        });
        const QPoint row = grid.visualRect(grid.model()->index(0, 1)).center();
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, row); // a double-click's first press
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, row);
        script.Nested([&](QDialog& view) {
            seen.push_back(Matches(view));
            Click(view, 1);
        });
        grid.setFocus();
        QTest::keyClick(&grid, Qt::Key_Return);
        Click(results, 2);
    });
    Click(form, kSearch);
    ASSERT_EQ(seen.size(), 9u);
    for (std::size_t opened : {7, 8}) {
        EXPECT_EQ(seen[opened].marked, seen[0].marked);
        EXPECT_EQ(seen[opened].current, seen[0].current);
    }
    seen.resize(7);
    ASSERT_EQ(seen.size(), 7u);
    const Texts marked = {"Team lead", "Java", "team\nLead", "JavaScript", "java"};
    EXPECT_EQ(seen[0].marked, marked);
    // Round from the last to the first and back.
    const char* current[] = {"Team lead", "Java", "team\nLead", "JavaScript", "java", "Team lead", "java"};
    for (std::size_t step = 0; step < seen.size(); ++step)
        EXPECT_EQ(seen[step].current, current[step]) << step;
    EXPECT_EQ(seen[0].label, "Match 1 of 5 (F3 next, Shift+F3 previous)");
    EXPECT_EQ(seen[4].label, "Match 5 of 5 (F3 next, Shift+F3 previous)");
    EXPECT_EQ(seen[5].label, "Match 1 of 5 (F3 next, Shift+F3 previous)");
    EXPECT_TRUE(g_resultKeywords.empty()); // gone with the result window

    // Other searches mark nothing.
    g_resultQuery = kAllRecordsText;
    ResultDialog all(nullptr);
    script.Then([&](QDialog& view) {
        seen.push_back(Matches(view));
        Click(view, 1);
    });
    Click(all, 1);
    ASSERT_EQ(seen.size(), 8u);
    EXPECT_EQ(seen[7].marked, Texts{});
    EXPECT_EQ(seen[7].label, "(hidden)");

    // A character beyond the first 65,536 (an emoji) before a match does not shift the marks.
    QPlainTextEdit box;
    box.setPlainText(QString::fromUtf8("\xF0\x9F\x98\x80 java \xF0\x9F\x98\x80\xF0\x9F\x98\x80 Java."));
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    KeywordHighlights highlights(box, TranslateKeywords("java").search->shown);
    EXPECT_EQ(highlights.Count(), 2);
    EXPECT_TRUE(QTest::qWaitFor([&box] { return box.extraSelections().size() == 2; }));
    Texts emojiMarked;
    for (const QTextEdit::ExtraSelection& match : box.extraSelections())
        emojiMarked.push_back(match.cursor.selectedText().toStdString());
    EXPECT_EQ(emojiMarked, (Texts{"java", "Java"}));
}

TEST_F(KeywordSearch, AMatchInTheNameIsMarkedWhereTheTextHoldsIt) {
    BankResume jose;
    jose.name = "José Müller";
    jose.email = "jose.mueller@posteo.de";
    jose.text = "JOSÉ MÜLLER\nWarehouse planning";
    AddResume(jose);
    SearchDialog form(nullptr);
    Box(form, kKeywords)->setText("mueller OR jose OR posteo");
    ShownMatches seen;
    DialogScript script;
    script.Then([&](QDialog& results) {
        script.Nested([&](QDialog& view) {
            seen = Matches(view);
            Click(view, 1);
        });
        Click(results, 1);
        Click(results, 2);
    });
    Click(form, kSearch);
    // Found by the e-mail's "mueller" and "posteo" too, but only the text's own "JOSÉ" is marked.
    EXPECT_EQ(seen.marked, Texts{"JOSÉ"});
    EXPECT_EQ(seen.label, "Match 1 of 1 (F3 next, Shift+F3 previous)");
}

TEST_F(KeywordSearch, ALongTextMarksTheMatchesInSightAndScrollsToEachCurrentOne) {
    std::string text;
    for (int line = 1; line <= 2000; ++line)
        text += "line " + std::to_string(line) + " java\n";
    Add("Asha", text);
    SearchDialog form(nullptr);
    Box(form, kKeywords)->setText("java");
    std::vector<ShownMatches> seen;
    DialogScript script;
    script.Then([&](QDialog& results) {
        script.Nested([&](QDialog& view) {
            seen.push_back(Matches(view));
            view.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
            QTest::keyClick(&view, Qt::Key_F3, Qt::ShiftModifier); // round to the last one
            seen.push_back(Matches(view));
            Click(view, 1);
        });
        Click(results, 1);
        Click(results, 2);
    });
    Click(form, kSearch);
    ASSERT_EQ(seen.size(), 2u);
    for (const ShownMatches& shown : seen) {
        EXPECT_GT(shown.marked.size(), 0u);
        EXPECT_LT(shown.marked.size(), 200u); // not all 2,000
        EXPECT_EQ(shown.current, "java");
    }
    EXPECT_EQ(seen[0].label, "Match 1 of 2000 (F3 next, Shift+F3 previous)");
    EXPECT_EQ(seen[1].label, "Match 2000 of 2000 (F3 next, Shift+F3 previous)");
}

} // namespace
