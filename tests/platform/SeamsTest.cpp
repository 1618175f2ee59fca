#include "platform/Beep.h"
#include "platform/CommandGuard.h"
#include "platform/ControlId.h"
#include "platform/DataFolder.h"
#include "platform/DroppedFile.h"
#include "platform/EngineError.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/ModalRun.h"
#include "tests/util/ScriptedMessages.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <thread>

TEST(CommandGuard, EngineErrorIsShownCriticalAndEndsOnlyTheCommand) {
    ScriptedMessages messages;
    bool after = false;
    EXPECT_FALSE(RunGuarded([&] {
        throw EngineError("no such table: Resume");
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].text, "no such table: Resume");
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(RunGuarded([] {}));
    EXPECT_EQ(messages.Requests().size(), 1u);
}

TEST(MessageSeam, ScriptAnswersQuestionsInOrderAndRestoresOnExit) {
    {
        ScriptedMessages messages;
        messages.AnswerNext(MessageAnswer::No);
        EXPECT_EQ(ShowMessage("first?", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::No);
        EXPECT_EQ(ShowMessage("second?", MessageButtons::YesNo, MessageIcon::Question), MessageAnswer::Yes);
        EXPECT_EQ(ShowMessage("note"), MessageAnswer::Ok);
        EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"first?", "second?", "note"}));
    }
    // Nothing is left installed: a new script starts empty.
    ScriptedMessages again;
    EXPECT_TRUE(again.Requests().empty());
}

TEST(MessageSeam, WorkerThreadBoxIsAnsweredOnTheUiThread) {
    ScriptedMessages messages;
    std::thread::id answeredOn;
    SetMessageAnswerer([&](const MessageRequest&) {
        answeredOn = std::this_thread::get_id();
        return MessageAnswer::Ok;
    });
    bool done = false;
    std::thread worker([&] {
        ShowMessage("from the worker");
        done = true;
    });
    // The worker waits on the UI thread's event loop, so keep it turning until it is through.
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(answeredOn, std::this_thread::get_id());
}

TEST(ModalSeam, HandlerReachesNestedDialogsAndClosesThem) {
    QDialog outer;
    QPushButton* open = new QPushButton(&outer);
    SetControlId(open, 7);
    std::vector<std::string> seen;
    QObject::connect(open, &QPushButton::clicked, &outer, [&] {
        QDialog inner(&outer);
        inner.setObjectName("inner");
        EXPECT_EQ(RunModal(inner), QDialog::Accepted);
    });
    outer.setObjectName("outer");
    SetModalHandler([&](QDialog& dialog) {
        seen.push_back(dialog.objectName().toStdString());
        if (dialog.objectName() == "outer") {
            FindControl<QPushButton>(&dialog, 7)->click();
            dialog.reject();
        } else {
            dialog.accept();
        }
    });
    EXPECT_EQ(RunModal(outer), QDialog::Rejected);
    SetModalHandler({});
    EXPECT_EQ(seen, (std::vector<std::string>{"outer", "inner"}));
}

// A window manager may leave the owner inactive with nothing focused once a box or a nested
// dialog closes; the seams give the focus back to the control that had it.
TEST(FocusAfterModal, ReturnsToTheControlFocusedBeforeABoxOrANestedDialog) {
    QDialog form;
    auto* first = new QLineEdit(&form);
    auto* second = new QLineEdit(&form);
    second->move(0, 40);
    QDialog elsewhere;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    second->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), second);
    auto loseFocus = [&] {
        elsewhere.show();
        elsewhere.activateWindow();
        first->clearFocus();
        second->clearFocus();
    };

    ScriptedMessages messages;
    SetMessageAnswerer([&](const MessageRequest&) {
        loseFocus();
        return MessageAnswer::Ok;
    });
    ShowMessage("You have not selected any value for this field");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == second; }));
    EXPECT_TRUE(form.isActiveWindow());

    elsewhere.hide();
    QDialog nested(&form);
    SetModalHandler([&](QDialog& dialog) {
        loseFocus();
        dialog.accept();
    });
    RunModal(nested);
    SetModalHandler({});
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == second; }));
    EXPECT_TRUE(form.isActiveWindow());
}

TEST(MessageBoxWidth, AShortTextStillShowsTheWholeTitle) {
    QMessageBox* shown = nullptr;
    int width = 0;
    QTimer::singleShot(0, [&] {
        shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        width = shown->width();
        EXPECT_EQ(shown->windowTitle(), "Talvanor");
        shown->button(QMessageBox::Ok)->click();
    });
    ShowMessage("mail sent", MessageButtons::Ok, MessageIcon::Information);
    // The title bar also holds the window's icon and three buttons of at least 16 pixels.
    EXPECT_GE(width, QFontMetrics(QApplication::font()).horizontalAdvance("Talvanor") + 4 * 16 + 40);
}

TEST(ControlIds, FindsControlsByIdAndTypeOnly) {
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    SetControlId(edit, 1019);
    EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1019), edit);
    EXPECT_EQ(FindControl<QPushButton>(&dialog, 1019), nullptr);
    EXPECT_EQ(FindControl(&dialog, 1020), nullptr);
}

TEST(Seams, FileChooserAndBeepAreScriptable) {
    SetOpenFileAnswerer(
        [](const QString& filter) { return std::optional<std::string>(filter.toStdString()); });
    EXPECT_EQ(ChooseOpenFile(nullptr, QStringLiteral(".txt")), std::optional<std::string>(".txt"));
    // The several-files chooser takes the single answerer's one choice until it has its own.
    EXPECT_EQ(ChooseOpenFiles(nullptr, QStringLiteral(".pdf")), std::vector<std::string>{".pdf"});
    SetOpenFilesAnswerer([](const QString&) { return std::vector<std::string>{"a", "b"}; });
    EXPECT_EQ(ChooseOpenFiles(nullptr, QStringLiteral(".pdf")), (std::vector<std::string>{"a", "b"}));
    SetOpenFilesAnswerer({});
    SetOpenFileAnswerer([](const QString&) { return std::optional<std::string>(); });
    EXPECT_EQ(ChooseOpenFiles(nullptr, QStringLiteral(".pdf")), std::vector<std::string>{});
    SetOpenFileAnswerer({});

    std::vector<std::pair<unsigned, unsigned>> beeps;
    SetBeepObserver([&](unsigned hz, unsigned ms) { beeps.emplace_back(hz, ms); });
    Beep(150, 600);
    ExclamationBeep();
    SetBeepObserver({});
    EXPECT_EQ(beeps, (std::vector<std::pair<unsigned, unsigned>>{{150, 600}, {0, 0}}));
}

TEST(Seams, ADropCarriesOneLocalFileOrNothing) {
    QTemporaryDir folder;
    const QString file = folder.filePath("cv.pdf");
    QFile(file).open(QIODevice::WriteOnly);
    const auto carried = [](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        return DroppedFile(&data);
    };
    EXPECT_EQ(carried({QUrl::fromLocalFile(file)}), std::optional<std::string>(file.toStdString()));
    EXPECT_EQ(carried({QUrl::fromLocalFile(file), QUrl::fromLocalFile(file)}), std::nullopt);
    EXPECT_EQ(carried({QUrl::fromLocalFile(folder.path())}), std::nullopt) << "a folder";
    EXPECT_EQ(carried({QUrl(QStringLiteral("https://example.com/cv.pdf"))}), std::nullopt);
    QMimeData text;
    text.setText(file);
    EXPECT_EQ(DroppedFile(&text), std::nullopt);
    EXPECT_EQ(DroppedFile(nullptr), std::nullopt);

    // Several: the local files in order, each once, folders and addresses left out.
    const QString other = folder.filePath("cv two.docx");
    QFile(other).open(QIODevice::WriteOnly);
    const auto several = [](const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        return DroppedFiles(&data);
    };
    using Paths = std::vector<std::string>;
    EXPECT_EQ(several({QUrl::fromLocalFile(other), QUrl::fromLocalFile(folder.path()),
                       QUrl(QStringLiteral("https://example.com/cv.pdf")), QUrl::fromLocalFile(file),
                       QUrl::fromLocalFile(other)}),
              (Paths{other.toStdString(), file.toStdString()}));
    EXPECT_EQ(several({QUrl::fromLocalFile(folder.path())}), Paths{});
    EXPECT_EQ(DroppedFiles(&text), Paths{});
    EXPECT_EQ(DroppedFiles(nullptr), Paths{});
}

TEST(DataFolderPlace, IsTheXdgDataFolderWithTrailingSlash) {
    const std::string expected = std::string(std::getenv("XDG_DATA_HOME")) + "/talvanor/";
    EXPECT_EQ(DataFolder(), expected);
}

TEST(FileChooserDialog, TypedNameGetsTheDefaultExtensionAndCancelGivesNothing) {
    QTemporaryDir folder;
    QFile(folder.filePath("jose.txt")).open(QIODevice::WriteOnly);
    SetModalHandler([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        chooser.setDirectory(folder.path());
        chooser.selectFile(QStringLiteral("jose"));
        dialog.accept(); // QFileDialog::accept, which applies the default extension
    });
    const auto chosen = ChooseOpenFile(nullptr, QStringLiteral(".txt (*.txt)"), QStringLiteral("txt"));
    SetModalHandler([](QDialog& dialog) { dialog.reject(); });
    const auto cancelled = ChooseOpenFile(nullptr, QStringLiteral(".txt (*.txt)"), QStringLiteral("txt"));
    SetModalHandler({});
    EXPECT_EQ(chosen, std::optional<std::string>(folder.filePath("jose.txt").toStdString()));
    EXPECT_EQ(cancelled, std::nullopt);

    // Several files at once, in the order typed; a cancel gives none.
    QFile(folder.filePath("ann.pdf")).open(QIODevice::WriteOnly);
    SetModalHandler([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        EXPECT_EQ(chooser.fileMode(), QFileDialog::ExistingFiles);
        chooser.setDirectory(folder.path());
        chooser.findChild<QLineEdit*>("fileNameEdit")->setText("\"jose.txt\" \"ann.pdf\"");
        dialog.accept();
    });
    const auto several = ChooseOpenFiles(nullptr, QStringLiteral("All (*)"));
    SetModalHandler([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(ChooseOpenFiles(nullptr, QStringLiteral("All (*)")), std::vector<std::string>{});
    SetModalHandler({});
    EXPECT_EQ(several, (std::vector<std::string>{folder.filePath("jose.txt").toStdString(),
                                                 folder.filePath("ann.pdf").toStdString()}));

    // The save chooser does the same for a name that names no file yet.
    SetModalHandler([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<QFileDialog&>(dialog);
        EXPECT_EQ(chooser.acceptMode(), QFileDialog::AcceptSave);
        chooser.setDirectory(folder.path());
        chooser.selectFile(QStringLiteral("hits"));
        dialog.accept();
    });
    const auto saved = ChooseSaveFile(nullptr, QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv"));
    SetModalHandler({});
    EXPECT_EQ(saved, std::optional<std::string>(folder.filePath("hits.csv").toStdString()));
}
