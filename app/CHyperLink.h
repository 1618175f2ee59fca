#pragma once

#include "app/LinkStyle.h"

#include <QFont>
#include <QLabel>
#include <cstdint>
#include <string>

// A static text that behaves as a web link: drawn in the link colours, underlined, with the
// hand cursor and the address as tooltip; a click or the space bar opens the address.
class CHyperLink : public QLabel {
    Q_OBJECT

public:
    explicit CHyperLink(QWidget* parent = nullptr);

    void SetLinkUrl(const std::string& url) { m_linkUrl = url; }
    const std::string& LinkUrl() const { return m_linkUrl; }
    void SetLinkStyle(std::uint32_t style) { m_linkStyle = style; }
    std::uint32_t LinkStyle() const { return m_linkStyle; }
    LinkState State() const;
    const QFont& LinkFont() const { return m_linkFont; }

    // Takes over the text control as placed on its dialog; call once, before it is shown.
    void PreSubclassWindow();

    // Opens the address; on failure beeps and says why. Returns whether it opened.
    bool OpenLink();

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void FitToText();
    void ShowTextColour();
    void ShowLinkCursor();

    bool m_linkActive = false;
    bool m_pointerInside = false;
    bool m_visited = false;
    std::uint32_t m_linkStyle = kDefaultLinkStyle;
    std::string m_linkUrl;
    QFont m_linkFont;
};
