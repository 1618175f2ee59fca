#include "app/CHyperLink.h"
#include "platform/Beep.h"
#include "platform/ShellOpen.h"
#include "tests/util/ScriptedMessages.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr const char* kAddress = "http://www.example.com/talvanor/";

QRgb TextColour(const CHyperLink& link) {
    return link.palette().color(QPalette::WindowText).rgb();
}

// A link on a shown, active window, with the desktop and the beep scripted.
class LinkTest : public testing::Test {
protected:
    void SetUp() override {
        QApplication::setQuitOnLastWindowClosed(false);
        m_window.resize(400, 200);
        m_link = new CHyperLink(&m_window);
        m_link->setGeometry(20, 20, 300, 40);
        m_link->setText(kAddress);
        m_link->setAlignment(Qt::AlignCenter);
        m_other = new QPushButton("Other", &m_window);
        m_other->setGeometry(20, 120, 80, 30);
        m_previousOpener = SetShellOpener({[this](const std::string& target) {
                                               m_opened.push_back(target);
                                               return m_openResult;
                                           },
                                           [] { return std::optional<std::string>(); },
                                           {}});
        SetBeepObserver([this](unsigned, unsigned) { ++m_beeps; });
    }
    void TearDown() override {
        SetShellOpener(m_previousOpener);
        SetBeepObserver({});
    }
    void ShowActive() {
        m_window.show();
        m_window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }
    void Click() {
        QTest::mousePress(m_link, Qt::LeftButton, {}, m_link->rect().center());
        m_afterPress = m_opened.size();
        QTest::mouseRelease(m_link, Qt::LeftButton, {}, m_link->rect().center());
    }
    void MoveTo(const QPoint& point) {
        QMouseEvent move(QEvent::MouseMove, point, m_link->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(m_link, &move);
    }
    void MoveFocusAway() {
        m_other->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !m_link->hasFocus(); }));
    }

    QWidget m_window;
    CHyperLink* m_link = nullptr;
    QPushButton* m_other = nullptr;
    ShellOpener m_previousOpener;
    std::vector<std::string> m_opened;
    std::size_t m_afterPress = 0;
    int m_openResult = kShellSuccess;
    int m_beeps = 0;
};

} // namespace

TEST(LinkColour, ChosenHoverThenActiveThenVisitedThenPlain) {
    struct Case {
        bool inside, active, visited;
        std::uint32_t style;
        QRgb expected;
    };
    const std::uint32_t hover = kDefaultLinkStyle | LinkHoverColour;
    const std::uint32_t noActive = kDefaultLinkStyle | LinkNoActiveColour;
    const Case cases[] = {
        {false, false, false, kDefaultLinkStyle, LinkColour},
        {true, false, false, kDefaultLinkStyle, LinkColour}, // no hover colour by default
        {false, true, false, kDefaultLinkStyle, ActiveColour},
        {false, false, true, kDefaultLinkStyle, VisitedColour},
        {false, true, true, kDefaultLinkStyle, ActiveColour},
        {true, true, true, hover, HoverColour},
        {true, false, false, hover, HoverColour},
        {false, true, true, hover, ActiveColour},
        {false, true, false, noActive, LinkColour},
        {false, true, true, noActive, VisitedColour},
        {true, true, false, noActive | LinkHoverColour, HoverColour},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LinkTextColour({c.active, c.inside, c.visited, c.style}), c.expected)
            << c.inside << c.active << c.visited << " style " << c.style;
    }
    EXPECT_EQ(LinkColour, qRgb(0, 0, 255));
    EXPECT_EQ(ActiveColour, qRgb(0, 128, 128));
    EXPECT_EQ(VisitedColour, qRgb(128, 0, 128));
    EXPECT_EQ(HoverColour, qRgb(255, 0, 0));
}

TEST_F(LinkTest, AttachingTakesTheTextAsAddressUnderlinesAndAddsTheTooltip) {
    EXPECT_EQ(m_link->LinkStyle(), 0x15u);
    m_link->PreSubclassWindow();
    EXPECT_EQ(m_link->LinkUrl(), kAddress);
    EXPECT_EQ(m_link->toolTip(), kAddress);
    EXPECT_TRUE(m_link->font().underline());
    EXPECT_EQ(TextColour(*m_link), LinkColour);

    CHyperLink blank(&m_window);
    blank.SetLinkUrl("http://www.example.org/");
    blank.SetLinkStyle(LinkFitText);
    blank.PreSubclassWindow();
    EXPECT_EQ(blank.text(), "http://www.example.org/");
    EXPECT_FALSE(blank.font().underline());
}

TEST_F(LinkTest, FitsToItsTextKeepingTheEdgeItsAlignmentNames) {
    struct Case {
        Qt::Alignment alignment;
        const char* name;
    };
    const Case cases[] = {{Qt::AlignCenter, "centre"},
                          {Qt::AlignLeft | Qt::AlignTop, "left top"},
                          {Qt::AlignRight | Qt::AlignVCenter, "right"},
                          {Qt::AlignHCenter | Qt::AlignBottom, "centre bottom"}};
    const QRect placed(20, 20, 300, 40);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CHyperLink link(&m_window);
        link.setGeometry(placed);
        link.setText(kAddress);
        link.setAlignment(c.alignment);
        link.PreSubclassWindow();
        const QFontMetrics metrics(link.LinkFont());
        const QRect fitted = link.geometry();
        EXPECT_EQ(fitted.width(), metrics.horizontalAdvance(kAddress));
        EXPECT_EQ(fitted.height(), metrics.height());
        if (c.alignment & Qt::AlignHCenter)
            EXPECT_LE(std::abs(fitted.center().x() - placed.center().x()), 1);
        else if (c.alignment & Qt::AlignRight)
            EXPECT_EQ(fitted.right(), placed.right());
        else
            EXPECT_EQ(fitted.left(), placed.left());
        if (c.alignment & Qt::AlignVCenter)
            EXPECT_LE(std::abs(fitted.center().y() - placed.center().y()), 1);
        else
            EXPECT_EQ(fitted.top(), placed.top());
    }

    CHyperLink unfitted(&m_window);
    unfitted.setGeometry(placed);
    unfitted.setText(kAddress);
    unfitted.SetLinkStyle(kDefaultLinkStyle & ~LinkFitText);
    unfitted.PreSubclassWindow();
    EXPECT_EQ(unfitted.geometry(), placed);
}

TEST_F(LinkTest, ClickOpensOnReleaseLeavesItFocusedAndActiveSpaceOpensAgain) {
    m_link->PreSubclassWindow();
    ShowActive();
    Click();
    EXPECT_EQ(m_afterPress, 0u);
    EXPECT_EQ(m_opened, std::vector<std::string>{kAddress});
    EXPECT_TRUE(m_link->hasFocus());
    EXPECT_TRUE(m_link->State().visited);
    EXPECT_EQ(TextColour(*m_link), ActiveColour);

    QTest::keyClick(m_link, Qt::Key_Space);
    EXPECT_EQ(m_opened.size(), 2u);
    QTest::keyClick(m_link, Qt::Key_Return);
    EXPECT_EQ(m_opened.size(), 2u);

    MoveFocusAway();
    EXPECT_FALSE(m_link->State().linkActive);
    EXPECT_EQ(TextColour(*m_link), VisitedColour);
    EXPECT_EQ(m_beeps, 0);
}

TEST_F(LinkTest, ReleasingTheButtonOffTheLinkOpensNothing) {
    m_link->PreSubclassWindow();
    ShowActive();
    const QPoint outside(-5, 2);
    QTest::mousePress(m_link, Qt::LeftButton, {}, m_link->rect().center());
    QTest::mouseMove(m_link, outside);
    QTest::mouseRelease(m_link, Qt::LeftButton, {}, outside);
    EXPECT_TRUE(m_opened.empty());
    EXPECT_TRUE(m_link->hasFocus());
    EXPECT_FALSE(m_link->State().visited);
}

TEST_F(LinkTest, FailedOpenBeepsExplainsAndLeavesTheLinkUnvisited) {
    ScriptedMessages messages;
    m_openResult = 2;
    m_link->PreSubclassWindow();
    ShowActive();
    Click();
    EXPECT_EQ(m_beeps, 1);
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].text, "Can't open link:\n\nThe specified file was not found.");
    EXPECT_EQ(messages.Requests()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(m_link->State().visited);
    MoveFocusAway();
    EXPECT_EQ(TextColour(*m_link), LinkColour);
}

TEST_F(LinkTest, OpenOnPressOpensWhenTheButtonGoesDownOnly) {
    m_link->SetLinkStyle(kDefaultLinkStyle | LinkOpenOnPress);
    m_link->PreSubclassWindow();
    ShowActive();
    Click();
    EXPECT_EQ(m_afterPress, 1u);
    EXPECT_EQ(m_opened.size(), 1u);
}

TEST_F(LinkTest, WithoutFocusOnClickTheClickLeavesTheFocusWhereItWas) {
    m_link->SetLinkStyle(LinkUnderline | LinkFitText);
    m_link->PreSubclassWindow();
    ShowActive();
    m_other->setFocus();
    Click();
    EXPECT_TRUE(m_other->hasFocus());
    EXPECT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(TextColour(*m_link), ActiveColour);
}

TEST_F(LinkTest, PointerOverTheLinkShowsTheHandButNoNewColourByDefault) {
    m_link->PreSubclassWindow();
    ShowActive();
    MoveTo(QPoint(2, 2));
    EXPECT_TRUE(m_link->State().pointerInside);
    EXPECT_EQ(m_link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(TextColour(*m_link), LinkColour);

    m_link->SetLinkStyle(kDefaultLinkStyle | LinkHoverColour);
    MoveTo(QPoint(3, 3));
    EXPECT_EQ(TextColour(*m_link), LinkColour); // the colour changes on entering, not on every move
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(m_link, &leave);
    EXPECT_FALSE(m_link->State().pointerInside);
    MoveTo(QPoint(2, 2));
    EXPECT_EQ(TextColour(*m_link), HoverColour);
    MoveTo(QPoint(-5, 2));
    EXPECT_FALSE(m_link->State().pointerInside);
    EXPECT_EQ(TextColour(*m_link), LinkColour);
}

TEST_F(LinkTest, KeepArrowKeepsTheArrowCursor) {
    m_link->SetLinkStyle(kDefaultLinkStyle | LinkKeepArrow);
    m_link->PreSubclassWindow();
    ShowActive();
    MoveTo(QPoint(2, 2));
    EXPECT_EQ(m_link->cursor().shape(), Qt::ArrowCursor);
}
