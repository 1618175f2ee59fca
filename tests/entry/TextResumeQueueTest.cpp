#include "entry/DocumentReading.h"
#include "entry/EntryCommands.h"
#include "entry/TextResumeDialog.h"
#include "platform/DataFolder.h"
#include "store/OriginalFiles.h"
#include "store/Settings.h"
#include "tests/entry/TextImportFixture.h"
#include "tools/sample-documents/SampleDocuments.h"

#include <QLabel>
#include <QProgressDialog>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <sstream>
#include <sys/resource.h>

namespace {

constexpr int kPlace = 2013;

// What the place line of a dialog says, or "" while it is hidden.
std::string Place(QDialog& dialog) {
    auto* label = FindControl<QLabel>(&dialog, kPlace);
    return label != nullptr && !label->isHidden() ? label->text().toStdString() : "";
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class TextImportQueue : public TextImport {
protected:
    // The real chooser, opening in `folder`: several of the test folder's files typed into its name
    // box, or cancelled.
    DialogScript::Step ChooserPicking(const QString& folder, const QStringList& names,
                                      const QString& shown = ".txt (*.txt)", const QString& use = {}) {
        return [folder, names, shown, use, files = m_folder.path()](QDialog& dialog) {
            auto& chooser = dynamic_cast<QFileDialog&>(dialog);
            EXPECT_EQ(chooser.fileMode(), QFileDialog::ExistingFiles);
            EXPECT_EQ(chooser.selectedNameFilter(), shown);
            if (!folder.isEmpty()) { // else wherever the chooser was last
                EXPECT_EQ(chooser.directory().absolutePath(), folder);
            }
            if (!use.isEmpty())
                chooser.selectNameFilter(use);
            if (names.isEmpty())
                return chooser.reject();
            QStringList quoted;
            for (const QString& name : names)
                quoted << '"' + files + '/' + name + '"';
            chooser.findChild<QLineEdit*>("fileNameEdit")->setText(quoted.join(' '));
            dialog.accept();
        };
    }
    // Tags a name and a qualification and presses `button`.
    static DialogScript::Step TagAndPress(const QString& name, int button, std::vector<std::string>* places) {
        return [name, button, places](QDialog& dialog) {
            places->push_back(Place(dialog));
            Tag(dialog, kTagName, name);
            SelectedValueLists.qualifications = "MBA,";
            Click(dialog, button);
        };
    }
    static Rows Stored() {
        return QueryRows(
            "SELECT a.Name, o.FileName FROM [Abstract Information] a LEFT JOIN ResumeOriginals o "
            "ON o.ID = a.ID ORDER BY a.ID");
    }
};

// Several files chosen at once: Next goes straight to the next, the chooser comes back after the
// last, and a file that went missing meanwhile is named and passed over.
TEST_F(TextImportQueue, ChosenFilesComeOneAfterAnotherAndTheChooserFollowsTheLast) {
    WriteFile("a.txt", "Anna Berg\nengineer\n");
    const std::string gone = WriteFile("b.txt", "Bo Lind\n");
    WriteFile("c.pdf", TextPdf({"Cai Ek", "tester"}));
    WriteFile("d.txt", "Dan Roos\n");
    std::vector<std::string> places;
    DialogScript script;
    script.Then(ChooserPicking({}, {"a.txt", "b.txt", "c.pdf", "d.txt"}, ".txt (*.txt)", "All files (*)"));
    script.Then([&](QDialog& dialog) {
        places.push_back(Place(dialog));
        std::filesystem::remove(gone);
        Tag(dialog, kTagName, "Anna Berg");
        SelectedValueLists.qualifications = "MBA,";
        Click(dialog, kNext);
    });
    script.Then([&](QDialog& dialog) {
        places.push_back(Place(dialog));
        Click(dialog, kNext); // nothing tagged: the question, answered Yes
    });
    script.Then(TagAndPress("Dan Roos", kNext, &places));
    script.Then(ChooserPicking(m_folder.path(), {}, "All files (*)"));
    RunTextFileImport(nullptr);

    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(places, (Texts{"1 of 4", "3 of 4", "4 of 4"}));
    EXPECT_EQ(messages.Texts(),
              (Texts{"Cannot read the file " + gone + ": No such file or directory. It is skipped.",
                     "Are you sure you do not want to save this C.V.?"}));
    EXPECT_EQ(messages.Requests().at(0).icon, MessageIcon::Critical);
    EXPECT_EQ(Stored(), (Rows{{"Anna Berg", "a.txt"}, {"Dan Roos", "d.txt"}}));
    EXPECT_TRUE(SelectedValueLists.AllEmpty());
}

// Submit and Cancel end the import as they always have, whatever is left of the files.
TEST_F(TextImportQueue, SubmitOrCancelEndsTheImportWithFilesLeft) {
    const std::vector<std::string> files = {WriteFile("a.txt", "Anna Berg\n"),
                                            WriteFile("b.txt", "Bo Lind\n"), WriteFile("c.txt", "Cai Ek\n")};
    std::vector<std::string> places;
    int choices = 0;
    SetOpenFilesAnswerer([&](const QString&) {
        ++choices;
        return files;
    });
    DialogScript script;
    script.Then(TagAndPress("Anna Berg", kNext, &places));
    script.Then(TagAndPress("Bo Lind", kSubmit, &places));
    RunTextFileImport(nullptr);
    script.Then([](QDialog& dialog) { Click(dialog, kCancel); });
    RunTextFileImport(nullptr);
    SetOpenFilesAnswerer({});
    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(choices, 2);
    EXPECT_EQ(places, (Texts{"1 of 3", "2 of 3"}));
    EXPECT_EQ(Stored(), (Rows{{"Anna Berg", "a.txt"}, {"Bo Lind", "b.txt"}}));
}

// Files dropped together, on the main window or on a dialog while nothing is tagged in it, are a
// queue of their own; dropped on a dialog, they take its file's place and the rest still follow.
TEST_F(TextImportQueue, DroppedFilesQueueUpInThePlaceOfTheFileTheyWereDroppedOn) {
    const std::string a = WriteFile("a.txt", "Anna Berg\n"), b = WriteFile("b.txt", "Bo Lind\n"),
                      x = WriteFile("x.txt", "Xia Wu\n"), y = WriteFile("y.txt", "Yan Li\n");
    std::vector<std::string> places;
    DialogScript script;
    script.Then([&](QDialog& dialog) {
        places.push_back(Place(dialog));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(x)), QUrl::fromLocalFile(m_folder.path()),
                      QUrl("https://example.com/cv.pdf"), QUrl::fromLocalFile(QString::fromStdString(y)),
                      QUrl::fromLocalFile(QString::fromStdString(x))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Edit(dialog)->viewport(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Edit(dialog)->viewport(), &drop);
    });
    script.Then(TagAndPress("Xia Wu", kNext, &places));
    script.Then(TagAndPress("Yan Li", kNext, &places));
    script.Then(TagAndPress("Bo Lind", kNext, &places));
    script.Then(Chooser(m_folder.path(), {}));
    RunDroppedFileImport(nullptr, {a, b});
    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(places, (Texts{"1 of 2", "1 of 3", "2 of 3", "3 of 3"}));
    EXPECT_EQ(Stored(), (Rows{{"Xia Wu", "x.txt"}, {"Yan Li", "y.txt"}, {"Bo Lind", "b.txt"}}));

    // One file dropped is the described import: no place shown.
    places.clear();
    script.Then(TagAndPress("Anna Berg", kSubmit, &places));
    RunDroppedFileImport(nullptr, {a});
    EXPECT_EQ(places, Texts{""});
}

// Stopping a long reading passes over that file, and the next chosen one follows.
TEST_F(TextImportQueue, AStoppedReadingGoesOnToTheNextFile) {
    const std::string report =
        WriteFile("report.pdf", TextPdf(std::vector<std::string>(200, "A long report")));
    const std::string next = WriteFile("next.txt", "Anna Berg\n");
    const auto delay = SetProgressDelay(std::chrono::milliseconds(0));
    SetOpenFilesAnswerer([&, asked = false](const QString&) mutable {
        return std::exchange(asked, true) ? std::vector<std::string>{}
                                          : std::vector<std::string>{report, next};
    });
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget()))
            box->cancel();
    });
    stopper.start(0);
    std::vector<std::string> places;
    DialogScript script;
    script.Then(TagAndPress("Anna Berg", kNext, &places));
    RunTextFileImport(nullptr);
    SetProgressDelay(delay);
    SetOpenFilesAnswerer({});
    EXPECT_TRUE(script.AllDone());
    EXPECT_EQ(places, Texts{"2 of 2"});
    EXPECT_EQ(Stored(), (Rows{{"Anna Berg", "next.txt"}}));
}

// The file is kept as it was read: a PDF's own bytes, not its text.
TEST_F(TextImportQueue, TheStoredResumeKeepsTheFileItCameFrom) {
    const std::string pdf = kSamples + "resume.pdf";
    ScriptChooser({pdf});
    DialogScript script;
    script.Then([](QDialog& dialog) {
        Tag(dialog, kTagName, "Asha Rao");
        SelectedValueLists.qualifications = "MBA,";
        Click(dialog, kSubmit);
    });
    RunTextFileImport(nullptr);
    const Rows kept = QueryRows("SELECT Sha256, FileName, Size FROM ResumeOriginals");
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0][1], "resume.pdf");
    const std::string path = OriginalPath(DataFolder(), OriginalFile{kept[0][0], kept[0][1], 0});
    EXPECT_EQ(path, DataFolder() + "originals/" + kept[0][0].substr(0, 2) + "/" + kept[0][0] + ".pdf");
    EXPECT_EQ(Contents(path), Contents(pdf));
    EXPECT_EQ(kept[0][2], std::to_string(Contents(pdf).size()));
}

// A full disk while the file is kept: nothing is stored, the message says why, the dialog stays
// with its tags so nothing is lost, and once there is room Submit stores it.
TEST_F(TextImportQueue, AFileThatCannotBeKeptStoresNothingAndLeavesTheDialogOpen) {
    const std::string path =
        WriteFile("big.pdf", TextPdf(std::vector<std::string>(40, "Asha Rao, a long CV")));
    TextResumeDialog dialog(nullptr, path);
    dialog.show();
    Tag(dialog, kTagName, "Asha Rao");
    SelectedValueLists.qualifications = "MBA,";
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit small = before;
    small.rlim_cur = 8192; // smaller than the file, larger than anything else written meanwhile
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Click(dialog, kSubmit);
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);

    EXPECT_EQ(messages.Texts(),
              Texts{"The resume is not stored: the file it came from could not be kept in " + DataFolder() +
                    "originals/: File too large."});
    EXPECT_EQ(messages.Requests().at(0).icon, MessageIcon::Critical);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Edit(dialog)->Tags().name, "Asha Rao");
    EXPECT_EQ(SelectedValueLists.qualifications, "MBA,");
    EXPECT_EQ(SelectedValueLists.specializations, "") << "nothing filled in for the failed write";
    EXPECT_TRUE(QueryRows("SELECT * FROM [Abstract Information]").empty());
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(DataFolder() + "originals/"))
        files += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(files, 0u) << "nothing half-written";

    Click(dialog, kSubmit);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Stored(), (Rows{{"Asha Rao", "big.pdf"}}));
}

// The chooser opens where files were last chosen, with the filter last used, also in a later run:
// both are kept in the bank. A folder that is gone, or a filter the chooser no longer offers, is
// not used.
TEST_F(TextImportQueue, TheChooserRemembersFolderAndFilterInTheBank) {
    QTemporaryDir earlier;
    WriteFile("asha.txt", kResumeFile);
    ASSERT_TRUE(WriteBankSetting(kChooserFolderSetting, earlier.path().toStdString()));
    ASSERT_TRUE(WriteBankSetting(kChooserFilterSetting, "PDF documents (*.pdf)"));
    DialogScript script;
    script.Then(ChooserPicking(earlier.path(), {}, "PDF documents (*.pdf)"));
    RunTextFileImport(nullptr);
    EXPECT_EQ(ReadBankSetting(kChooserFolderSetting), earlier.path().toStdString()) << "a cancel keeps them";

    script.Then([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        chooser.setDirectory(m_folder.path());
        chooser.selectNameFilter(kResumesFilter);
        ChooserPicking(m_folder.path(), {"asha.txt"}, kResumesFilter)(dialog);
    });
    script.Then([](QDialog& dialog) { Click(dialog, kCancel); });
    RunTextFileImport(nullptr);
    EXPECT_EQ(ReadBankSetting(kChooserFolderSetting), m_folder.path().toStdString());
    EXPECT_EQ(ReadBankSetting(kChooserFilterSetting), kResumesFilter.toStdString());

    ASSERT_TRUE(WriteBankSetting(kChooserFolderSetting, m_folder.path().toStdString() + "/gone"));
    ASSERT_TRUE(WriteBankSetting(kChooserFilterSetting, "Spreadsheets (*.xls)"));
    script.Then([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        EXPECT_EQ(chooser.selectedNameFilter(), ".txt (*.txt)");
        EXPECT_EQ(chooser.directory().absolutePath(), m_folder.path()) << "where the chooser itself was last";
        chooser.reject();
    });
    RunTextFileImport(nullptr);
    EXPECT_TRUE(script.AllDone());
}

} // namespace
