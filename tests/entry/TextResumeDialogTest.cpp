#include "entry/TextResumeDialog.h"
#include "entry/DocumentReading.h"
#include "entry/EntryCommands.h"
#include "entry/EntryRules.h"
#include "entry/TaggingEdit.h"
#include "entry/TaggingMenu.h"
#include "entry/TextFile.h"
#include "entry/ValueListDialog.h"
#include "platform/FileChooser.h"
#include "tests/entry/EntryFixture.h"
#include "tests/entry/TextImportFixture.h"
#include "tests/util/DialogScript.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <ctime>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>

namespace {

// The work done on the UI thread, which is what freezes a dialog: unlike the wall clock it does
// not grow when other programs share the machine.
double UiThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

TEST_F(TextImport, MenuChecksFollowTheirRules) {
    DialogScript script;
    TextResumeDialog dialog(nullptr, WriteFile("asha.txt", kResumeFile));
    TaggingEdit* edit = Edit(dialog);
    ASSERT_NE(edit->TaggingMenu(), nullptr);
    std::vector<std::pair<QString, int>> items; // the menu as shown: captions and command ids
    for (QAction* item : edit->TaggingMenu()->actions()) {
        const QList<QAction*> band = item->menu() ? item->menu()->actions() : QList<QAction*>{item};
        for (QAction* action : band)
            items.emplace_back((item->menu() ? item->text() + ">" : "") + action->text(),
                               action->data().toInt());
    }
    EXPECT_EQ(items, (std::vector<std::pair<QString, int>>{{"Name", 32775},
                                                           {"Qualification", 32776},
                                                           {"Specialization", 32777},
                                                           {"Experience>0-1", 32828},
                                                           {"Experience>1-2", 32792},
                                                           {"Experience>2-5", 32793},
                                                           {"Experience>5-7", 32794},
                                                           {"Experience>7-10", 32795},
                                                           {"Experience>10-15", 32796},
                                                           {"Experience>More than 15", 32797},
                                                           {"E-Mail", 32779},
                                                           {"Location", 32772},
                                                           {"Organization", 32829}}));
    for (int command :
         {kTagName, kTagQualification, kTagSpecialization, kTagEmail, kTagLocation, kTagOrganization})
        EXPECT_FALSE(edit->IsChecked(command)) << command;

    Tag(dialog, kTagName, " Asha Rao\n");
    EXPECT_EQ(edit->Tags().name, "Asha Rao");
    EXPECT_TRUE(edit->IsChecked(kTagName));
    EXPECT_TRUE(edit->MenuAction(kTagName)->isChecked()) << "the menu shows the check";
    Tag(dialog, kTagName, {});
    EXPECT_EQ(edit->Tags().name, "");
    EXPECT_TRUE(edit->IsChecked(kTagName)) << "a check once set stays";
    EXPECT_TRUE(edit->MenuAction(kTagName)->isChecked());
    Tag(dialog, kTagName, "Acme");
    Tag(dialog, kTagName, "Asha");
    EXPECT_EQ(edit->Tags().name, "Asha") << "a later tag replaces the earlier one";

    Tag(dialog, kTagEmail, "asha rao@mail");
    EXPECT_EQ(edit->Tags().email, "");
    EXPECT_FALSE(edit->IsChecked(kTagEmail));
    EXPECT_FALSE(edit->MenuAction(kTagEmail)->isChecked());
    Tag(dialog, kTagEmail, "asha@mail.in");
    EXPECT_EQ(edit->Tags().email, "asha@mail.in");
    EXPECT_TRUE(edit->IsChecked(kTagEmail));
    Tag(dialog, kTagEmail, {});
    EXPECT_EQ(edit->Tags().email, "");
    EXPECT_TRUE(edit->IsChecked(kTagEmail));

    Tag(dialog, kTagOrganization, {});
    EXPECT_FALSE(edit->IsChecked(kTagOrganization));
    Tag(dialog, kTagOrganization, "Acme Tools");
    EXPECT_EQ(edit->Tags().organization, "Acme Tools");
    EXPECT_TRUE(edit->IsChecked(kTagOrganization));
    // Commas, semicolons and colons that a selection catches at its ends go as white space does;
    // a full stop stays. Proposals are tagged by the same rule.
    Tag(dialog, kTagName, ": Asha Rao\nMail:");
    EXPECT_EQ(edit->Tags().name, "Asha Rao\nMail");
    Tag(dialog, kTagEmail, ": asha@mail.in");
    EXPECT_EQ(edit->Tags().email, "asha@mail.in");
    EXPECT_TRUE(edit->TagWith(kTagOrganization, " ;Asseco Poland S.A.,\n"));
    EXPECT_EQ(edit->Tags().organization, "Asseco Poland S.A.");
    EXPECT_TRUE(edit->TagWith(kTagEmail, "asha@mail.in;"));
    EXPECT_EQ(edit->Tags().email, "asha@mail.in");
    EXPECT_FALSE(edit->TagWith(kTagName, ", ;:"));
    EXPECT_EQ(edit->Tags().name, "Asha Rao\nMail");
    Tag(dialog, kTagOrganization, "Acme Tools");

    Tag(dialog, kExperienceCommands[2], {});
    Tag(dialog, kExperienceCommands[6], {});
    EXPECT_EQ(edit->Tags().experience, "More than 15");
    for (std::size_t band = 0; band < kExperienceCommands.size(); ++band) {
        EXPECT_EQ(edit->IsChecked(kExperienceCommands[band]), band == 6) << band;
        EXPECT_EQ(edit->MenuAction(kExperienceCommands[band])->isChecked(), band == 6) << band;
    }

    // A choice checks its item whatever the outcome, cancelled included.
    script.Then([](QDialog& choice) { Click(choice, 3); });
    Tag(dialog, kTagLocation, {});
    EXPECT_TRUE(edit->IsChecked(kTagLocation));
    EXPECT_FALSE(edit->IsChecked(kTagSpecialization));
    EXPECT_TRUE(SelectedValueLists.AllEmpty());

    EXPECT_EQ(messages.Texts(), (Texts{"no selection was found", "Invalid Email Address",
                                       "no selection was found", "no selection was found"}));
    EXPECT_TRUE(script.AllDone());
}

TEST_F(TextImport, RightClickOpensTheTaggingMenuAndItsChoiceOpensTheValueList) {
    DialogScript script;
    script.Then([](QDialog& choice) {
        EXPECT_EQ(choice.windowTitle(), "Select");
        Click(choice, 3);
    });
    TextResumeDialog dialog(nullptr, WriteFile("asha.txt", kResumeFile));
    dialog.show();
    TaggingEdit* edit = Edit(dialog);
    bool picked = false;
    QTimer::singleShot(0, [&] {
        QMenu* menu = edit->TaggingMenu();
        if (QApplication::activePopupWidget() != menu) {
            ADD_FAILURE() << "the tagging menu is not up";
            if (QWidget* popup = QApplication::activePopupWidget())
                popup->close();
            return;
        }
        QAction* item = edit->MenuAction(kTagQualification);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        picked = true;
    });
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(20, 20),
                                 edit->viewport()->mapToGlobal(QPoint(20, 20)));
    QApplication::sendEvent(edit->viewport(), &rightClick);
    EXPECT_TRUE(picked);
    EXPECT_TRUE(script.AllDone());
    EXPECT_TRUE(edit->IsChecked(kTagQualification));
}

TEST_F(TextImport, NextAsksWhenNothingButTheOrganizationIsTagged) {
    TextResumeDialog dialog(nullptr, WriteFile("asha.txt", kResumeFile));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Tag(dialog, kTagOrganization, "Acme Tools");
    messages.AnswerNext(MessageAnswer::No);
    // Enter on the focused "&Next" presses it, not the default "&Submit".
    FindControl<QWidget>(&dialog, kNext)->setFocus();
    QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Texts(), (Texts{"Are you sure you do not want to save this C.V.?",
                                       "Please enter the Name and the Qualification"}));
    EXPECT_EQ(messages.Requests().at(0).buttons, MessageButtons::YesNo);

    messages.Clear();
    Tag(dialog, kTagEmail, "asha@mail.in");
    Click(dialog, kNext);
    QTest::keyClick(Edit(dialog), Qt::Key_Return); // Enter submits

    Tag(dialog, kTagName, "Asha Rao");
    Click(dialog, kNext);
    EXPECT_EQ(messages.Texts(),
              (Texts{"Please select Name", "Please select Name", "Please select Qualification"}));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty());
}

TEST_F(TextImport, NextStoresTheResumeAndOffersTheNextFileUntilTheChooserIsCancelled) {
    SetPickList(PickListKind::Qualifications, "MBA ,BCA");
    const std::string first = WriteFile("asha.txt", kResumeFile);
    const std::string second = WriteFile("blank.txt", "nothing to tag here\n");
    DialogScript script;
    script.Then(Chooser(QDir::currentPath(), first)); // no starting folder of its own
    script.Then([&](QDialog& dialog) {
        Tag(dialog, kTagName, "Asha Rao");
        TagQualifications(dialog, script, {"BCA", "MBA"});
        Click(dialog, kNext);
    });
    script.Then(Chooser(m_folder.path(), second)); // where the last file lay
    script.Then([&](QDialog& dialog) {
        EXPECT_TRUE(SelectedValueLists.AllEmpty());
        EXPECT_FALSE(Edit(dialog)->IsChecked(kTagName)) << "every file starts with a fresh menu";
        Click(dialog, kNext); // nothing tagged: the question, answered Yes
    });
    script.Then(Chooser(m_folder.path(), {}));
    RunTextFileImport(nullptr);

    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(messages.Texts(), Texts{"Are you sure you do not want to save this C.V.?"});
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    const Rows stored =
        QueryRows("SELECT ID,Name,Experience,Email,Organization,Status FROM [Abstract Information]");
    ASSERT_EQ(stored.size(), 1u);
    const std::string id = stored[0][0];
    EXPECT_EQ(stored[0], (std::vector<std::string>{id, "Asha Rao", "", "", "", "Active For Proccesing"}));
    EXPECT_EQ(ListRows("Qualifications", "Qualification", id), (Texts{"MBA", "BCA"}));
    EXPECT_EQ(ListRows("Specializations", "Specialization", id), Texts{"Not Specified"});
    EXPECT_EQ(ListRows("Locations", "Location", id), Texts{"Not Specified"});
    EXPECT_EQ(QueryRows("SELECT Details FROM Resume WHERE ID=" + id).at(0).at(0),
              "Name: Asha Rao\nMail: asha@mail.in\nBad: asha rao@mail\nOrg: Acme Tools\nSkills: audits");
    // Indexed for keyword search as it was stored.
    EXPECT_EQ(QueryRows("SELECT rowid FROM ResumeKeywords WHERE ResumeKeywords MATCH 'audits'"),
              (Rows{{id}}));
}

TEST_F(TextImport, SubmitStoresWithTheCheckedStatusAndEndsTheImport) {
    ScriptChooser({WriteFile("asha.txt", kResumeFile), WriteFile("never.txt", "x")});
    DialogScript script;
    script.Then([&](QDialog& dialog) {
        Click(dialog, kSubmit);
        Tag(dialog, kTagName, "Asha Rao");
        Click(dialog, kSubmit);
        SelectedValueLists.qualifications = "MBA,";
        Tag(dialog, kTagEmail, "asha@mail.in");
        Tag(dialog, kTagOrganization, "Acme Tools");
        Tag(dialog, kExperienceCommands[3], {});
        FindControl<QRadioButton>(&dialog, kSelected)->setChecked(true);
        Click(dialog, kSubmit);
    });
    RunTextFileImport(nullptr);
    EXPECT_EQ(m_filters.size(), 1u) << "Submit ends the import";
    EXPECT_EQ(messages.Texts(), (Texts{"Please select Name", "Please select Qualification"}));
    EXPECT_EQ(QueryRows("SELECT Name,Experience,Email,Organization,Status FROM [Abstract Information]"),
              (Rows{{"Asha Rao", "5-7", "asha@mail.in", "Acme Tools", "Selected"}}));
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
}

TEST_F(TextImport, CancelWritesNothingAndForgetsTheChoice) {
    ScriptChooser({WriteFile("asha.txt", kResumeFile)});
    DialogScript script;
    script.Then([&](QDialog& dialog) {
        Tag(dialog, kTagName, "Asha Rao");
        SelectedValueLists.qualifications = "MBA,";
        Click(dialog, kCancel);
    });
    RunTextFileImport(nullptr);
    EXPECT_EQ(m_filters.size(), 1u);
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty());
    EXPECT_TRUE(messages.Texts().empty());
}

TEST_F(TextImport, AnEngineErrorOnWritingLeavesTheDialogOpenWithItsTags) {
    TextResumeDialog dialog(nullptr, WriteFile("asha.txt", kResumeFile));
    dialog.show();
    Tag(dialog, kTagName, "Asha Rao");
    SelectedValueLists.qualifications = "MBA,";
    std::filesystem::remove(BankPath());
    Click(dialog, kNext);
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(dialog.isVisible()) << "the command ends; the user can try again or cancel";
    EXPECT_EQ(dialog.End(), TextResumeEnd::Cancelled);
    EXPECT_EQ(Edit(dialog)->Tags().name, "Asha Rao");
    EXPECT_EQ(SelectedValueLists.qualifications, "MBA,");
    Click(dialog, kCancel);
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
    EXPECT_FALSE(std::filesystem::exists(BankPath()));
}

TEST_F(TextImport, StoredTextIsTheFilesOwnBytesUpToAZeroByte) {
    // UTF-8 names tag and store unchanged; bytes the locale cannot decode are kept in the text.
    const std::string bytes = std::string("\t\r\n  Jos\xc3\xa9 M\xc3\xbcller\r\nLatin-1: caf\xe9 \n  ") +
                              std::string(1, '\0') + "after the zero byte";
    TextResumeDialog dialog(nullptr, WriteFile("jose.txt", bytes));
    EXPECT_FALSE(Edit(dialog)->toPlainText().contains("after"));
    EXPECT_TRUE(Edit(dialog)->toPlainText().contains(QString::fromUtf8("caf\xc3\xa9 "))) << "shown readably";
    Tag(dialog, kTagName, QString::fromUtf8("Jos\xc3\xa9 M\xc3\xbcller"));
    SelectedValueLists.qualifications = "MBA,";
    Click(dialog, kSubmit);
    const Rows stored = QueryRows("SELECT Name,ID FROM [Abstract Information]");
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0][0], "Jos\xc3\xa9 M\xc3\xbcller");
    EXPECT_EQ(QueryRows("SELECT Details FROM Resume WHERE ID=" + stored[0][1]).at(0).at(0),
              "Jos\xc3\xa9 M\xc3\xbcller\r\nLatin-1: caf\xe9");
}

TEST_F(TextImport, AFileThatCannotBeReadIsNamedAndLeavesAnEmptyDialog) {
    const std::string missing = m_folder.path().toStdString() + "/vanished.txt";
    const std::string folder = m_folder.path().toStdString(); // reading a folder fails on every account
    for (const std::string& path : {missing, folder}) {
        messages.Clear();
        TextResumeDialog dialog(nullptr, path);
        ASSERT_EQ(messages.Requests().size(), 1u) << path;
        EXPECT_NE(messages.Texts()[0].find(path), std::string::npos) << messages.Texts()[0];
        EXPECT_TRUE(Edit(dialog)->toPlainText().isEmpty());
        EXPECT_EQ(Edit(dialog)->TaggingMenu(), nullptr);
        Click(dialog, kSubmit);
        messages.AnswerNext(MessageAnswer::No);
        Click(dialog, kNext);
        EXPECT_EQ(messages.Texts(), (Texts{messages.Texts()[0], "Please select Name",
                                           "Are you sure you do not want to save this C.V.?",
                                           "Please enter the Name and the Qualification"}));
    }
}

TEST_F(TextImport, EmptyAndHugeFilesGiveAUsableDialogQuickly) {
    {
        TextResumeDialog empty(nullptr, WriteFile("empty.txt", ""));
        EXPECT_NE(Edit(empty)->TaggingMenu(), nullptr);
        EXPECT_TRUE(messages.Texts().empty());
    }
    std::string lines;
    while (lines.size() < 20u * 1024 * 1024)
        lines += "Experienced engineer, ten years of embedded work and audits.\n";
    const std::pair<std::string, QString> files[] = {{lines, "Experienced engineer"},
                                                     {std::string(20u * 1024 * 1024, 'x'), "xxx"}};
    for (const auto& [bytes, name] : files) {
        messages.Clear();
        const std::string path = WriteFile("big.txt", bytes);
        const double started = UiThreadSeconds();
        TextResumeDialog dialog(nullptr, path);
        dialog.show();
        QCoreApplication::processEvents();
#ifdef __SANITIZE_ADDRESS__
        constexpr double kQuickly = 4.0; // the sanitizers slow every read several times over
#else
        constexpr double kQuickly = 1.0;
#endif
        EXPECT_LT(UiThreadSeconds() - started, kQuickly);
        EXPECT_EQ(messages.Texts(), Texts{"The file " + path +
                                          " is too long to show whole. At most its first 256 KB are shown "
                                          "for tagging; the whole text is stored with the resume."});
        EXPECT_LE(Edit(dialog)->toPlainText().size(), static_cast<qsizetype>(kShownTextLimit));
        Tag(dialog, kTagName, name);
        SelectedValueLists.qualifications = "MBA,";
        Click(dialog, kSubmit);
        const Rows stored = QueryRows("SELECT length(Details) FROM Resume ORDER BY rowid DESC LIMIT 1");
        EXPECT_EQ(stored.at(0).at(0), std::to_string(bytes.back() == '\n' ? bytes.size() - 1 : bytes.size()));
    }
}

TEST_F(TextImport, TagsKeepTheFilesOwnBytesWhereTheLocaleCannotDecodeThem) {
    // Latin-1 bytes before and inside the tags, and Windows line ends.
    const std::string bytes =
        "R\xe9sum\xe9\r\nName: Jos\xe9 Mu\xf1oz\r\nOrg: Caf\xe9 \"Sol\", Ltd\r\nMail: jos\xe9@sol.es\r\n";
    TextResumeDialog dialog(nullptr, WriteFile("latin1.txt", bytes));
    // Not valid in the locale's UTF-8, so shown as Latin-1.
    EXPECT_TRUE(Edit(dialog)->toPlainText().startsWith(QString::fromUtf8("R\xc3\xa9sum\xc3\xa9\n")));
    Tag(dialog, kTagName, QString::fromLatin1("Jos\xe9 Mu\xf1oz"));
    Tag(dialog, kTagOrganization, QString::fromLatin1("Caf\xe9 \"Sol\","));
    EXPECT_EQ(Edit(dialog)->Tags().organization, "Caf\xe9 \"Sol\"");
    Tag(dialog, kTagOrganization, QString::fromLatin1("Caf\xe9 \"Sol\", Ltd"));
    Tag(dialog, kTagEmail, QString::fromLatin1("jos\xe9@sol.es"));
    EXPECT_EQ(Edit(dialog)->Tags().name, "Jos\xe9 Mu\xf1oz");
    EXPECT_EQ(Edit(dialog)->Tags().organization, "Caf\xe9 \"Sol\", Ltd");
    EXPECT_EQ(Edit(dialog)->Tags().email, "jos\xe9@sol.es");

    // A selection across a line end keeps the file's "\r\n".
    Tag(dialog, kTagName, QString::fromLatin1("Mu\xf1oz\nOrg"));
    EXPECT_EQ(Edit(dialog)->Tags().name, "Mu\xf1oz\r\nOrg");
    EXPECT_TRUE(messages.Texts().empty());
}

// Every format reads as its plain text and is then tagged and stored as a text file is; the
// kind is decided by the content, so a PDF named .docx is still read.
TEST_F(TextImport, DocumentsAreTaggedAndStoredAsTheirTextInUtf8) {
    const std::string renamed = WriteFile("resume-really-a-pdf.docx", TextPdf({"Asha Rao", "Second page"}));
    const std::string page = WriteFile("resume.html", "<html><head><title>CV</title></head><body><h1>Asha "
                                                      "Rao</h1><p>Jos&eacute; &amp; Co.</p></body></html>");
    ScriptChooser(
        {kSamples + "resume.pdf", kSamples + "resume.docx", kSamples + "resume.odt", renamed, page});
    DialogScript script;
    for (int file = 0; file < 5; ++file) {
        script.Then([&](QDialog& dialog) {
            EXPECT_TRUE(Edit(dialog)->toPlainText().startsWith("Asha Rao"))
                << Edit(dialog)->toPlainText().toStdString();
            Tag(dialog, kTagName, "Asha Rao");
            SelectedValueLists.qualifications = "MBA,";
            Click(dialog, kNext);
        });
    }
    RunTextFileImport(nullptr);
    EXPECT_TRUE(script.AllDone());
    EXPECT_TRUE(messages.Texts().empty());
    const Rows stored =
        QueryRows("SELECT a.Name, r.Details FROM [Abstract Information] a JOIN Resume r ON r.ID = a.ID "
                  "ORDER BY a.ID");
    ASSERT_EQ(stored.size(), 5u);
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(stored[row][0], "Asha Rao");
        EXPECT_EQ(stored[row][1].rfind("Asha Rao\n", 0), 0u) << "trimmed at both ends";
        EXPECT_NE(stored[row][1].find("Acme Tools Pvt. Ltd., Pune \xE2\x80\x94 Test Lead"), std::string::npos)
            << "UTF-8, not the locale's bytes of a file";
        EXPECT_FALSE(std::isspace(static_cast<unsigned char>(stored[row][1].back())));
    }
    EXPECT_NE(stored[3][1].find("Second page"), std::string::npos);
    EXPECT_EQ(stored[4][1], "Asha Rao\n\nJos\xC3\xA9 & Co.");
}

// Each file that gives no text is named in a message that says what is wrong; the dialog then
// comes up empty, as for a file that cannot be read, and nothing is stored.
TEST_F(TextImport, BadDocumentsAreNamedInAMessageAndNothingIsStored) {
    std::string cut = TextPdf({"Asha Rao"});
    cut.replace(cut.size() / 3, cut.size(), std::string(cut.size(), '\x9c'));
    const struct {
        std::string path;
        std::string problem;
    } cases[] = {
        {kSamples + "locked.pdf", " is protected by a password"},
        {WriteFile("scan.pdf", ScannedPdf({""})), " holds no text; it may be a scanned image."},
        {WriteFile("broken.pdf", "%PDF-1.4\n" + std::string(4000, 'x')), " is a damaged PDF document"},
        {WriteFile("broken.docx", WordPackage("<w:p><w:r><w:t>Asha</w:t></w:r></w:p>").substr(0, 300)),
         " is a damaged ZIP archive"},
        {kSamples + "bomb.docx", " unpacks to more than 64 MB"},
        {WriteFile("photo.docx", std::string("\x89PNG\r\n\x1a\n\0\0", 10)), " is a damaged picture"},
        {WriteFile("sheet.docx", std::string("\x09\x08\x10\0\0\x06\x05\0", 8)),
         " is not a document Talvanor reads"},
    };
    for (const auto& test : cases) {
        messages.Clear();
        ScriptChooser({test.path});
        DialogScript script;
        script.Then([&](QDialog& dialog) {
            EXPECT_TRUE(Edit(dialog)->toPlainText().isEmpty());
            EXPECT_EQ(Edit(dialog)->TaggingMenu(), nullptr);
            Click(dialog, kSubmit);
            Click(dialog, kCancel);
        });
        RunTextFileImport(nullptr);
        ASSERT_EQ(messages.Texts().size(), 2u) << test.path;
        EXPECT_EQ(messages.Texts()[0].rfind("The file " + test.path + test.problem, 0), 0u)
            << messages.Texts()[0];
        EXPECT_EQ(messages.Texts()[1], "Please select Name");
        EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Exclamation);
    }
    // A file that vanishes between the choice and the reading.
    messages.Clear();
    const std::string vanishing = WriteFile("vanishing.pdf", TextPdf({"Asha Rao"}));
    SetOpenFileAnswerer([&, chosen = false](const QString&) mutable -> std::optional<std::string> {
        if (std::exchange(chosen, true))
            return std::nullopt;
        std::filesystem::remove(vanishing);
        return vanishing;
    });
    DialogScript script;
    script.Then([](QDialog& dialog) { Click(dialog, kCancel); });
    RunTextFileImport(nullptr);
    EXPECT_EQ(messages.Texts(), Texts{"Cannot read the file " + vanishing + ": No such file or directory."});
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty());
}

// A long document shows its progress; Escape stops the reading and the chooser comes back.
TEST_F(TextImport, ALongPdfShowsProgressAndEscapeStopsIt) {
    const std::string path =
        WriteFile("report.pdf", TextPdf(std::vector<std::string>(200, "Asha Rao\nA long report")));
    const auto delay = SetProgressDelay(std::chrono::milliseconds(0));
    ScriptChooser({path, path});
    int boxes = 0, highest = 0;
    bool escape = true, between = false;
    QPointer<QProgressDialog> seen;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        if (box != seen) {
            seen = box;
            ++boxes;
            EXPECT_EQ(box->windowTitle(), "Talvanor");
            EXPECT_EQ(box->labelText(), "Reading report.pdf ...");
            EXPECT_EQ(FindControl<QPushButton>(box, kProgressStopButton)->text(), "&Stop");
            // On a desktop, two Escape shortcuts cancel each other out and Escape does nothing.
            EXPECT_EQ(box->findChildren<QShortcut*>().size(), 1);
        }
        highest = std::max(highest, box->value());
        between = between || (!escape && box->value() > 0 && box->value() < 1000);
        if (escape) {
            escape = false;
            QTest::keyClick(box->windowHandle(),
                            Qt::Key_Escape); // as the system delivers it, shortcuts first
            highest = 0;
        }
    });
    watch.start(0);
    DialogScript script;
    script.Then([&](QDialog& dialog) {
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog) << "the progress has closed";
        EXPECT_TRUE(Edit(dialog)->toPlainText().startsWith("Asha Rao"));
        Click(dialog, kCancel);
    });
    RunTextFileImport(nullptr);
    SetProgressDelay(delay);
    EXPECT_EQ(m_filters.size(), 2u)
        << "after the stop the chooser comes back; the second reading runs through";
    EXPECT_EQ(boxes, 2);
    EXPECT_GT(highest, 900) << "the bar follows the pages";
    EXPECT_TRUE(between) << "the bar moves while the pages are read, not only at the end";
    EXPECT_TRUE(script.AllDone());
    EXPECT_TRUE(messages.Texts().empty());
}

// A scanned resume is read by recognition, and the dialog says once that its text needs checking.
TEST_F(TextImport, AScannedPdfIsRecognisedWithANoticeShownOnce) {
    const std::string path = WriteFile("scan.pdf", ScannedPdf({"Asha Rao\nSenior Quality Engineer", "Pune"}));
    ScriptChooser({path});
    DialogScript script;
    script.Then([&](QDialog& dialog) {
        EXPECT_TRUE(Edit(dialog)->toPlainText().startsWith("Asha Rao\nSenior Quality Engineer"))
            << Edit(dialog)->toPlainText().toStdString();
        Tag(dialog, kTagName, "Asha Rao");
        Click(dialog, kCancel);
    });
    RunTextFileImport(nullptr);
    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(messages.Texts(),
              Texts{"The text of " + path +
                    " was recognised from a picture of its pages and may hold mistakes; check it "
                    "against the original."});
}

// A file dropped on the dialog takes its place while nothing is tagged; afterwards it is refused.
TEST_F(TextImport, AFileDroppedOnTheDialogIsImportedInsteadWhileNothingIsTagged) {
    ScriptChooser({WriteFile("asha.txt", kResumeFile)});
    DialogScript script;
    script.Then([&](QDialog& dialog) {
        SelectText(dialog, "Acme");
        EXPECT_FALSE(Drop(dialog, m_folder.path().toStdString())) << "a folder is no file";
        Tag(dialog, kTagOrganization, "Acme Tools");
        EXPECT_FALSE(Drop(dialog, kSamples + "resume.docx")) << "the organization is tagged";
        Tag(dialog, kTagOrganization, {});
        EXPECT_TRUE(Drop(dialog, kSamples + "resume.docx"));
    });
    script.Then([&](QDialog& dialog) {
        EXPECT_TRUE(Edit(dialog)->toPlainText().startsWith("Asha Rao\nSenior Quality Engineer"));
        SelectedValueLists.qualifications = "MBA,";
        EXPECT_FALSE(Drop(dialog, kSamples + "resume.pdf")) << "a qualification is chosen";
        SelectedValueLists.qualifications.clear();
        Tag(dialog, kTagName, "Asha Rao");
        EXPECT_FALSE(Drop(dialog, kSamples + "resume.pdf"));
        Click(dialog, kCancel);
    });
    RunTextFileImport(nullptr);
    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(m_filters.size(), 1u) << "the dropped file needs no chooser";
    EXPECT_EQ(messages.Texts(), Texts{"no selection was found"});
}

// The chooser opens on the text files, offers the documents, and keeps the filter last used.
TEST_F(TextImport, TheChooserRemembersTheFilterLastUsed) {
    DialogScript script;
    script.Then(Chooser({}, kSamples + "resume.pdf", ".txt (*.txt)", kResumesFilter));
    script.Then([](QDialog& dialog) { Click(dialog, kCancel); });
    RunTextFileImport(nullptr);
    const std::string text = WriteFile("asha.txt", kResumeFile);
    script.Then(Chooser(QString::fromStdString(kSamples).chopped(1), text, kResumesFilter, ".txt (*.txt)"));
    script.Then([](QDialog& dialog) { Click(dialog, kCancel); });
    RunTextFileImport(nullptr);
    script.Then(Chooser(m_folder.path(), {}, ".txt (*.txt)"));
    RunTextFileImport(nullptr);
    EXPECT_TRUE(script.AllDone());
}

TEST(ShownPart, CutsAtALineEndOrACharacterBoundary) {
    EXPECT_EQ(ShownPart("short", 10), "short");
    EXPECT_EQ(ShownPart("abcdef\nghijkl", 10), "abcdef\n");
    EXPECT_EQ(ShownPart("a\nbcdefghijkl", 10), "a\nbcdefghi") << "a line end too early is not used";
    EXPECT_EQ(ShownPart("abcdefgh\xc3\xa9xyz", 9), "abcdefgh") << "a two-byte character is not split";
}

} // namespace
