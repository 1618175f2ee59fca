#include "app/LinkStyle.h"

QRgb LinkTextColour(const LinkState& state) {
    if (state.pointerInside && (state.linkStyle & LinkHoverColour))
        return HoverColour;
    if (state.linkActive && !(state.linkStyle & LinkNoActiveColour))
        return ActiveColour;
    if (state.visited)
        return VisitedColour;
    return LinkColour;
}
