#include "controls/ButtonPaint.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "controls/SkinBitmap.h"

namespace tamvera::controls {

int roundHalfEven(double value) {
    if (!(value == value)) return 0;  // NaN
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0)) rounded = lower + 1;
    return static_cast<int>(std::clamp(rounded, double(INT_MIN), double(INT_MAX)));
}

PixelSize pixelSize(const ClientMetrics& m) {
    return {roundHalfEven(m.widthTwips / m.twipsPerPixelX), roundHalfEven(m.heightTwips / m.twipsPerPixelY)};
}

double himetricToPixels(double himetric, double twipsPerPixel) { return himetric * 1440 / 2540 / twipsPerPixel; }

int fontPointsFor(std::int32_t btnStyle) { return btnStyle == 3 ? 8 : 9; }

namespace {
bool hasOwnSlice(std::int32_t btnStyle) { return btnStyle >= 0 && btnStyle <= 2; }
}  // namespace

int skinSliceX(std::int32_t btnStyle, std::int32_t btnState, bool enabled) {
    if (!enabled) return DisabledSliceX;
    const int pressOffset = btnState == 5 ? 5 : 0;
    return (hasOwnSlice(btnStyle) ? btnStyle * 10 : 0) + pressOffset;
}

Colour textColour(std::int32_t btnStyle, bool enabled) {
    if (btnStyle == 3) return colours::White;
    if (!enabled) return colours::DisabledText;
    return btnStyle == 1 || btnStyle == 2 ? colours::White : colours::Black;
}

NineSlice nineSlice(int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                    int c) {
    const int midW = std::max(0, width - 2 * c), midH = std::max(0, height - 2 * c);
    const int srcMidW = srcWidth - 2 * c, srcMidH = srcHeight - 2 * c;
    const int right = x + width - c, bottom = y + height - c;
    const int srcRight = srcX + srcWidth - c, srcBottom = srcY + srcHeight - c;
    return {{
        {false, x, y, c, c, srcX, srcY, c, c},
        {true, x + c, y, midW, c, srcX + c, srcY, srcMidW, c},
        {false, right, y, c, c, srcRight, srcY, c, c},
        {true, x, y + c, c, midH, srcX, srcY + c, c, srcMidH},
        {true, x + c, y + c, midW, midH, srcX + c, srcY + c, srcMidW, srcMidH},
        {true, right, y + c, c, midH, srcRight, srcY + c, c, srcMidH},
        {false, x, bottom, c, c, srcX, srcBottom, c, c},
        {true, x + c, bottom, midW, c, srcX + c, srcBottom, srcMidW, c},
        {false, right, bottom, c, c, srcRight, srcBottom, c, c},
    }};
}

Rect focusRect(const ClientMetrics& m) {
    return {2, 2, roundHalfEven(m.widthTwips / m.twipsPerPixelX - 2), roundHalfEven(m.heightTwips / m.twipsPerPixelY - 3)};
}

IconPlacement iconPlacement(const Picture& icon, int buttonHeightPx, const ClientMetrics& m) {
    const double widthPx = himetricToPixels(icon.himetricWidth(), m.twipsPerPixelX);
    const double heightPx = himetricToPixels(icon.himetricHeight(), m.twipsPerPixelY);
    IconPlacement p;
    p.width = roundHalfEven(widthPx);
    p.height = roundHalfEven(heightPx);
    // The vertical centring uses the unrounded height, so a 15.99-pixel icon in a
    // 25-pixel button sits at 4.505 → 5, one row lower than a 16-pixel one.
    p.y = roundHalfEven(buttonHeightPx / 2.0 - heightPx / 2.0);
    p.captionLeft = p.width + 16;
    return p;
}

namespace {

// Constructs the operation inside the list (moving a whole variant around trips GCC 12's
// uninitialised-use warning).
template <typename Op>
void add(PaintList& ops, Op op) {
    ops.emplace_back(std::in_place_type<Op>, std::move(op));
}

void paintSkinned(const ButtonLook& look, PixelSize px, PaintList& ops) {
    add(ops, paint::SetTextColour{textColour(look.btnStyle, look.enabled)});
    add(ops, paint::SelectFont{look.fontPoints, look.underline});
    const int sliceX = skinSliceX(look.btnStyle, look.btnState, look.enabled);
    add(ops, paint::DrawSkin{
        nineSlice(0, 0, px.width, px.height, sliceX, 0, SkinSliceWidth, SkinHeight, SkinCorner)});
    add(ops, paint::DrawCaption{look.caption, {0, 0, px.width, px.height}, CenteredText});
    // After the text: DrawFocusRect inverts what lies below it.
    if (look.hasFocus) add(ops, paint::DrawFocusRect{focusRect(look.metrics)});
}

void paintFlat(const ButtonLook& look, PixelSize px, PaintList& ops) {
    add(ops, paint::SetTextColour{colours::White});
    add(ops, paint::SelectFont{look.fontPoints, look.underline});
    add(ops, paint::DrawBox{{0, 0, px.width, px.height}, colours::FlatFrame, colours::FlatFill});
    Rect text{0, 0, px.width, px.height};
    unsigned format = CenteredText;
    if (look.icon) {
        const IconPlacement at = iconPlacement(*look.icon, px.height, look.metrics);
        if (look.icon->hasImage())
            add(ops, paint::RenderPicture{look.icon, at.x, at.y, at.width, at.height, look.icon->himetricWidth(),
                                               look.icon->himetricHeight()});
        text.left = at.captionLeft;
        format = LeftAlignedText;
    }
    add(ops, paint::DrawCaption{look.caption, text, format});
}

}  // namespace

PaintList paintButton(const ButtonLook& look) {
    const PixelSize px = pixelSize(look.metrics);
    PaintList ops;
    if (look.btnStyle == 3)
        paintFlat(look, px, ops);
    else
        paintSkinned(look, px, ops);
    add(ops, paint::Refresh{});
    return ops;
}

}  // namespace tamvera::controls
