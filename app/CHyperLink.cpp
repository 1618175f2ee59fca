#include "app/CHyperLink.h"

#include "app/LinkOpening.h"
#include "platform/Beep.h"
#include "platform/MessageBox.h"
#include "platform/Text.h"

#include <QCursor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <optional>

namespace {

// The hand is loaded on the first attach that wants it and shared by every link.
std::optional<QCursor>& LinkCursor() {
    static std::optional<QCursor> cursor;
    return cursor;
}

} // namespace

CHyperLink::CHyperLink(QWidget* parent) : QLabel(parent) {
    setMouseTracking(true);
}

LinkState CHyperLink::State() const {
    return LinkState{m_linkActive, m_pointerInside, m_visited, m_linkStyle};
}

void CHyperLink::PreSubclassWindow() {
    if (m_linkUrl.empty())
        m_linkUrl = FromQt(text());
    if (text().isEmpty())
        setText(ToQt(m_linkUrl));

    m_linkFont = font();
    m_linkFont.setUnderline((m_linkStyle & LinkUnderline) != 0);
    setFont(m_linkFont);
    FitToText();

    if (!(m_linkStyle & LinkKeepArrow) && !LinkCursor())
        LinkCursor() = QCursor(Qt::PointingHandCursor);
    setToolTip(ToQt(m_linkUrl));
    ShowTextColour();
}

void CHyperLink::FitToText() {
    if (!(m_linkStyle & LinkFitText))
        return;
    const QFontMetrics metrics(m_linkFont);
    const int textWidth = metrics.horizontalAdvance(text());
    const int textHeight = metrics.height();
    const QRect outer = geometry();
    QRect inner = contentsRect().translated(outer.topLeft());
    const QMargins border(inner.left() - outer.left(), inner.top() - outer.top(),
                          outer.right() - inner.right(), outer.bottom() - inner.bottom());

    if (alignment() & Qt::AlignVCenter)
        inner.setTop(inner.top() + (inner.height() - textHeight) / 2);
    inner.setHeight(textHeight);
    if (alignment() & Qt::AlignHCenter)
        inner.setLeft(inner.left() + (inner.width() - textWidth) / 2);
    else if (alignment() & Qt::AlignRight)
        inner.setLeft(inner.right() + 1 - textWidth);
    inner.setWidth(textWidth);
    setGeometry(inner.marginsAdded(border));
}

bool CHyperLink::OpenLink() {
    const int result = OpenAddress(m_linkUrl);
    if (result <= 32) {
        ExclamationBeep();
        ShowMessage(LinkErrorText(result), MessageButtons::Ok, MessageIcon::Exclamation);
        return false;
    }
    m_visited = true;
    ShowTextColour();
    return true;
}

void CHyperLink::ShowTextColour() {
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(LinkTextColour(State())));
    setPalette(colours);
    update();
}

void CHyperLink::ShowLinkCursor() {
    if (LinkCursor() && !(m_linkStyle & LinkKeepArrow))
        setCursor(*LinkCursor());
    else
        unsetCursor();
}

bool CHyperLink::event(QEvent* event) {
    // Without a mouse capture, leaving is told by the leave event.
    if (event->type() == QEvent::Enter) {
        ShowLinkCursor();
    } else if (event->type() == QEvent::Leave && m_pointerInside) {
        m_pointerInside = false;
        ShowTextColour();
    }
    return QLabel::event(event);
}

void CHyperLink::mouseMoveEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (!m_pointerInside && inside) {
        m_pointerInside = true;
        ShowTextColour();
    } else if (m_pointerInside && !inside) {
        m_pointerInside = false;
        ShowTextColour();
    }
    ShowLinkCursor();
    event->accept();
}

void CHyperLink::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    if (m_linkStyle & LinkFocusOnClick)
        setFocus(Qt::MouseFocusReason);
    if (m_linkStyle & LinkOpenOnPress)
        OpenLink();
    m_linkActive = true;
    ShowTextColour();
}

void CHyperLink::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    // A button let go off the link gives the click up: the pointer had already left it.
    const bool onLink = rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && onLink && m_linkActive && !(m_linkStyle & LinkOpenOnPress))
        OpenLink();
}

void CHyperLink::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        event->accept();
        OpenLink();
        return;
    }
    QLabel::keyPressEvent(event);
}

void CHyperLink::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    m_linkActive = true;
    ShowTextColour();
}

void CHyperLink::focusOutEvent(QFocusEvent* event) {
    QLabel::focusOutEvent(event);
    m_pointerInside = false;
    m_linkActive = false;
    ShowTextColour();
}
