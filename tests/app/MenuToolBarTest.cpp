#include "app/CommandIds.h"
#include "tests/app/FrameFixture.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

struct Item {
    QString text; // empty for a separator
    int id;
};
struct Popup {
    QString title;
    std::vector<Item> items;
};

std::vector<Item> MenuItems(const QMenu& menu) {
    std::vector<Item> items;
    for (const QAction* action : menu.actions())
        items.push_back(action->isSeparator() ? Item{QString(), 0}
                                              : Item{action->text(), action->data().toInt()});
    return items;
}

bool operator==(const Item& a, const Item& b) {
    return a.text == b.text && a.id == b.id;
}

void PrintTo(const Item& item, std::ostream* out) {
    *out << '"' << item.text.toStdString() << "\" " << item.id;
}

using MenuTest = FrameTest<>;

} // namespace

TEST_F(MenuTest, MenuBarHasTheCaptionsOrderAndIdsOfMenu128) {
    const std::vector<Popup> expected = {
        {"&AddResume ",
         {{"&Manually", 32772},
          {"From  &Text File", 32773},
          {"From &Website", 32774},
          {"", 0},
          // Our own group, with ids of our own, between the described items and Exit.
          {"&Back Up Now", 2100},
          {"&Restore from Backup...", 2101},
          {"Backup &Folder...", 2102},
          {"C&heck the Bank", 2103},
          {"", 0},
          {"E&xit", 32777}}},
        // Find Duplicates is ours, with an id of our own, after the described items.
        {"Tal&vanoring",
         {{"&Query Form", 32775}, {"", 0}, {"&All Records", 32776}, {"Find &Duplicates", 2060}}},
        {"&Change", {{"Q&ualification", 32830}, {"&Specialization", 32831}, {"&Location Preference", 32832}}},
        {"&Help", {{"&Help Topics", 57667}, {"A&bout Talvanor", 57664}}},
    };
    const auto popups = m_frame->menuBar()->actions();
    ASSERT_EQ(popups.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].title.toStdString());
        EXPECT_EQ(popups[i]->text(), expected[i].title);
        ASSERT_NE(popups[i]->menu(), nullptr);
        EXPECT_EQ(MenuItems(*popups[i]->menu()), expected[i].items);
    }
}

TEST_F(MenuTest, ToolBarButtonsTooltipsAndPromptsFollowTheirStrings) {
    struct Button {
        int id; // 0 for a separator
        QString toolTip;
        QString prompt;
    };
    const std::vector<Button> expected = {
        {32772, " Manual", "Enter Your resume into database manualy"},
        {32773, "Text", "Add your resume into database from text file"},
        {32774, " Web Site", "Add resume into database from website(careers.example.com)"},
        {0, "", ""},
        {32775, " Search", "Search the rsume using query form"},
        {32776, " All Records", "All Records"},
        {0, "", ""},
        {32830, " Configure Qualification List", "Change the list for Selecting Qualification"},
        {32831, " Configure Specialization List", "Change the list for Selecting Specialization"},
        {32832, " Configure Location Preference List", "Change the list for Selecting Location Preferences"},
        {0, "", ""},
        {57667, " Help", "See the Help Topics"},
        {57664, "About", "Display program information, version number and copyright"},
    };
    const auto toolBars = m_frame->findChildren<QToolBar*>();
    ASSERT_EQ(toolBars.size(), 1);
    const QToolBar& toolBar = *toolBars.front();
    EXPECT_EQ(m_frame->toolBarArea(toolBars.front()), Qt::TopToolBarArea);
    EXPECT_EQ(toolBar.iconSize(), QSize(32, 32));
    const auto actions = toolBar.actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
    std::vector<qint64> images;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        QAction* action = actions[i];
        EXPECT_EQ(action->isSeparator(), expected[i].id == 0);
        if (expected[i].id == 0)
            continue;
        EXPECT_EQ(action->data().toInt(), expected[i].id);
        EXPECT_EQ(action->toolTip(), expected[i].toolTip);
        EXPECT_EQ(action->statusTip(), expected[i].prompt);
        const auto* button = qobject_cast<QToolButton*>(toolBar.widgetForAction(action));
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->autoRaise()); // flat
        EXPECT_EQ(button->toolTip(), expected[i].toolTip);
        const QImage image = action->icon().pixmap(32, 32).toImage();
        EXPECT_EQ(image.size(), QSize(32, 32));
        images.push_back(image.cacheKey());
    }
    // Ten images, each its own slice of the strip.
    std::sort(images.begin(), images.end());
    EXPECT_EQ(std::unique(images.begin(), images.end()) - images.begin(), 10);
}

TEST_F(MenuTest, MenuItemsShowTheirPromptInTheStatusBar) {
    // The menu-only Exit item has a prompt as well.
    EXPECT_EQ(m_frame->CommandAction(kCommandExit)->statusTip(), "Quit the application");
    m_frame->show();
    QStatusBar* bar = m_frame->statusBar();
    const auto* ready = bar->findChild<QLabel*>("readyPane");
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(ready->text(), "Ready");
    EXPECT_TRUE(ready->isVisible());

    m_frame->CommandAction(kCommandQueryForm)->showStatusText(m_frame.get());
    EXPECT_EQ(bar->currentMessage(), "Search the rsume using query form");
    EXPECT_FALSE(ready->isVisible());
    bar->clearMessage();
    EXPECT_TRUE(ready->isVisible());
}

TEST_F(MenuTest, PointingAtAnyMenuItemShowsItsPromptGreyedOnesToo) {
    m_frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frame.get()));
    QStatusBar* bar = m_frame->statusBar();
    for (QAction* popup : m_frame->menuBar()->actions()) {
        QMenu* menu = popup->menu();
        SCOPED_TRACE(popup->text().toStdString());
        menu->popup(m_frame->mapToGlobal(QPoint(10, 10)));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        for (QAction* item : menu->actions()) {
            if (item->isSeparator())
                continue;
            SCOPED_TRACE(item->text().toStdString());
            bar->clearMessage();
            QTest::mouseMove(menu, menu->actionGeometry(item).center());
            EXPECT_TRUE(QTest::qWaitFor([&] { return !bar->currentMessage().isEmpty(); }, 1000));
            EXPECT_EQ(bar->currentMessage(), item->statusTip());
        }
        menu->hide();
    }
}

TEST_F(MenuTest, StatusBarHasTheThreeLockIndicatorsAfterTheMessagePane) {
    QStringList panes;
    for (const QLabel* label : m_frame->statusBar()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        panes << label->text();
    EXPECT_EQ(panes, (QStringList{"Ready", "CAP", "NUM", "SCRL"}));
}

TEST_F(MenuTest, OnlyTheDocumentAndPrintKeysAreBound) {
    std::map<int, QKeySequence> bound;
    for (const QAction* action : m_frame->findChildren<QAction*>()) {
        if (!action->shortcut().isEmpty())
            bound[action->data().toInt()] = action->shortcut();
    }
    const std::map<int, QKeySequence> expected = {{kCommandFileNew, QKeySequence("Ctrl+N")},
                                                  {kCommandFileOpen, QKeySequence("Ctrl+O")},
                                                  {kCommandFileSave, QKeySequence("Ctrl+S")},
                                                  {kCommandPrint, QKeySequence("Ctrl+P")}};
    EXPECT_EQ(bound, expected);
}
