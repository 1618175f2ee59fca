#include "search/OriginalViewing.h"
#include "platform/DataFolder.h"
#include "platform/ShellOpen.h"
#include "search/ResultDialog.h"
#include "store/OriginalFiles.h"
#include "tests/search/SearchFixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr int kOpenOriginal = 2012, kDelete = 1025;
constexpr const char* kPdf = "%PDF-1.4 the original of Asha's resume";

QAction* OpenOriginal(QDialog& window) {
    for (QAction* action : GridOf(window).actions()) {
        if (action->property("controlId").toInt() == kOpenOriginal)
            return action;
    }
    return nullptr;
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class OpenOriginalCommand : public SearchTest {
protected:
    void SetUp() override {
        SearchTest::SetUp();
        g_resultQuery = kAllRecordsText;
        m_previous = SetShellOpener({[this](const std::string& target) {
                                         m_opened.push_back(target);
                                         return m_result;
                                     },
                                     {},
                                     {}});
    }
    void TearDown() override {
        SetShellOpener(m_previous);
        SearchTest::TearDown();
    }
    // A resume imported from a file named `name` holding `bytes`.
    static std::string AddImported(const std::string& bytes, const std::string& name) {
        const std::string id = AddResume({});
        const OriginalFile kept = KeepOriginal(DataFolder(), bytes, "/home/r/" + name);
        ExecuteSql("INSERT INTO ResumeOriginals VALUES (" + id + ", '" + kept.sha256 + "', '" + name + "', " +
                   std::to_string(kept.size) + ")");
        return id;
    }

    ShellOpener m_previous;
    std::vector<std::string> m_opened;
    int m_result = kShellSuccess;
};

// In the grid's menu and on Ctrl+O; greyed for a resume typed in or harvested; the viewer gets a
// read-only copy under the file's own name, never the kept file.
TEST_F(OpenOriginalCommand, OpensAReadOnlyCopyOfTheKeptFileAndIsGreyedWithoutOne) {
    AddImported(kPdf, "Asha Rao CV.pdf");
    AddResume({}); // typed in: no original
    ResultDialog window(nullptr);
    window.show();
    QAction* command = OpenOriginal(window);
    ASSERT_NE(command, nullptr);
    EXPECT_EQ(command->text(), "Open &Original");
    EXPECT_EQ(command->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    EXPECT_EQ(GridOf(window).contextMenuPolicy(), Qt::ActionsContextMenu);
    EXPECT_TRUE(command->isEnabled());
    GridOf(window).SetRow(2);
    EXPECT_FALSE(command->isEnabled());
    GridOf(window).SetRow(1);
    EXPECT_TRUE(command->isEnabled());

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(m_opened.size(), 1u);
    const std::string copy = m_opened[0];
    EXPECT_EQ(fs::path(copy).filename(), "Asha Rao CV.pdf");
    EXPECT_EQ(copy.rfind(ViewingFolder(), 0), 0u) << copy;
    EXPECT_EQ(copy.find(DataFolder()), std::string::npos) << "not the kept file";
    EXPECT_EQ(Contents(copy), kPdf);
    EXPECT_EQ(fs::status(copy).permissions() &
                  (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);

    // Opened again, the copy is made afresh; no viewer at all is told.
    m_result = 31;
    command->trigger();
    EXPECT_EQ(m_opened, (Texts{copy, copy}));
    EXPECT_EQ(messages.Texts(), Texts{"No program on this desktop opened " + copy + "."});
}

TEST_F(OpenOriginalCommand, AKeptFileThatIsGoneIsToldAndDeletingTheResumeDeletesItsFile) {
    AddImported(kPdf, "asha.pdf");
    const std::string other = AddImported("%PDF-1.4 Ravi", "ravi.pdf");
    const std::string kept = QueryRows("SELECT Sha256 FROM ResumeOriginals WHERE ID=1")[0][0];
    const std::string keptPath = OriginalPath(DataFolder(), OriginalFile{kept, "asha.pdf", 0});
    const std::string otherPath = OriginalPath(
        DataFolder(),
        OriginalFile{QueryRows("SELECT Sha256 FROM ResumeOriginals WHERE ID=" + other)[0][0], "ravi.pdf", 0});
    ResultDialog window(nullptr);
    window.show();
    GridOf(window).SetRow(2);
    fs::remove(otherPath);
    OpenOriginal(window)->trigger();
    EXPECT_TRUE(m_opened.empty());
    EXPECT_EQ(messages.Texts(),
              Texts{"The original file of this resume is missing: " + otherPath + " is gone."});
    EXPECT_EQ(messages.Requests().at(0).icon, MessageIcon::Critical);

    messages.Clear();
    GridOf(window).SetRow(1);
    messages.AnswerNext(MessageAnswer::Yes);
    Click(window, kDelete);
    EXPECT_FALSE(fs::exists(keptPath));
    EXPECT_EQ(QueryRows("SELECT ID FROM ResumeOriginals"), (Rows{{other}}));
    EXPECT_EQ(DataRows(GridOf(window)).size(), 1u);
    EXPECT_TRUE(OpenOriginal(window)->isEnabled())
        << "a row names its file: a missing file is told, not hidden";
    EXPECT_TRUE(HasKeptOriginal(other));
    EXPECT_FALSE(HasKeptOriginal("1"));
}

} // namespace
