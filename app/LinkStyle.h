#pragma once

#include <QRgb>
#include <cstdint>

// Behaviour flags of a link.
enum LinkStyleFlag : std::uint32_t {
    LinkUnderline = 0x01,
    LinkHoverColour = 0x02,
    LinkFitText = 0x04,
    LinkOpenOnPress = 0x08,
    LinkFocusOnClick = 0x10,
    LinkKeepArrow = 0x20,
    LinkNoActiveColour = 0x40,
};
inline constexpr std::uint32_t kDefaultLinkStyle = LinkUnderline | LinkFitText | LinkFocusOnClick;

// Shared by every link of the program.
inline constexpr QRgb LinkColour = qRgb(0, 0, 255);
inline constexpr QRgb ActiveColour = qRgb(0, 128, 128);
inline constexpr QRgb VisitedColour = qRgb(128, 0, 128);
inline constexpr QRgb HoverColour = qRgb(255, 0, 0);

struct LinkState {
    bool linkActive = false;
    bool pointerInside = false;
    bool visited = false;
    std::uint32_t linkStyle = kDefaultLinkStyle;
};

// Hover beats active, active beats visited; a link in none of them draws in LinkColour.
QRgb LinkTextColour(const LinkState& state);
