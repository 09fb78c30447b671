// How the flat button looks, decided without any window system.
//
// A paint is a list of drawing operations (data). The Win32 control executes them one by
// one with the matching GDI calls and decides nothing itself, so everything about the
// look (slice, colours, rectangles, icon placement, fonts) is checked natively.
//
// BtnStyle values other than 0 to 3 have no slice of their own: they are drawn exactly
// like style 0 (light skin, black text).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace tamvera::controls {

// A colour as the platform packs it: 0x00BBGGRR.
using Colour = std::uint32_t;
constexpr Colour rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr unsigned red(Colour c) { return c & 0xFF; }
constexpr unsigned green(Colour c) { return (c >> 8) & 0xFF; }
constexpr unsigned blue(Colour c) { return (c >> 16) & 0xFF; }

namespace colours {
inline constexpr Colour White = rgb(255, 255, 255);
inline constexpr Colour Black = rgb(0, 0, 0);
inline constexpr Colour DisabledText = rgb(184, 184, 184);
inline constexpr Colour FlatFill = rgb(0, 160, 230);
inline constexpr Colour FlatFrame = rgb(29, 64, 136);
}  // namespace colours

// A picture the control can show as its Icon: a shared, opaque handle with its size in
// HIMETRIC units (1/100 mm). The Win32 side wraps the platform's picture object.
class Picture {
public:
    virtual ~Picture() = default;
    // False for an empty picture (a handle of 0): nothing to draw.
    virtual bool hasImage() const = 0;
    virtual double himetricWidth() const = 0;
    virtual double himetricHeight() const = 0;
};
using PictureRef = std::shared_ptr<const Picture>;

// The control's client size in twips and the screen's twips per pixel, per axis.
struct ClientMetrics {
    double widthTwips = 2565;
    double heightTwips = 390;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect&) const = default;
};

// DrawText formats: DT_SINGLELINE | DT_VCENTER, with or without DT_CENTER.
inline constexpr unsigned CenteredText = 0x25;
inline constexpr unsigned LeftAlignedText = 0x24;

inline constexpr char16_t FontFace[] = u"Segoe UI";

// One copy of the nine-slice drawing: BitBlt 1:1 for corners, StretchBlt otherwise.
struct Blit {
    bool stretch = false;
    int x = 0, y = 0, width = 0, height = 0;               // target, pixels
    int srcX = 0, srcY = 0, srcWidth = 0, srcHeight = 0;   // source, pixels
    bool operator==(const Blit&) const = default;
};
using NineSlice = std::array<Blit, 9>;

// --- Paint operations, executed in order on the control's surface -------------------
namespace paint {
// The surface's text colour (text is always drawn with a transparent background).
struct SetTextColour {
    Colour colour = 0;
    bool operator==(const SetTextColour&) const = default;
};
// The surface's font: face "Segoe UI", weight 400, no italic, no strike-through.
struct SelectFont {
    int points = 9;
    bool underline = false;
    bool operator==(const SelectFont&) const = default;
};
// The skin copied from the skin bitmap through a memory context made for this paint;
// the target's stretch mode is set to HALFTONE before the pieces.
struct DrawSkin {
    NineSlice pieces{};
    bool operator==(const DrawSkin&) const = default;
};
// A filled box with a 1-pixel frame (right and bottom exclusive).
struct DrawBox {
    Rect rect{};
    Colour frame = 0;
    Colour fill = 0;
    bool operator==(const DrawBox&) const = default;
};
// The picture rendered right side up at (x, y) in width × height pixels, from the whole
// picture: source (0, himetricHeight) extending (himetricWidth, −himetricHeight).
// Failures are swallowed by whoever executes it.
struct RenderPicture {
    PictureRef picture;
    int x = 0, y = 0, width = 0, height = 0;
    double himetricWidth = 0, himetricHeight = 0;
    bool operator==(const RenderPicture&) const = default;
};
// The caption, converted to the system's code page, drawn with DrawText and `format`.
struct DrawCaption {
    std::u16string text;
    Rect rect{};
    unsigned format = 0;
    bool operator==(const DrawCaption&) const = default;
};
struct DrawFocusRect {
    Rect rect{};
    bool operator==(const DrawFocusRect&) const = default;
};
// Shows the surface on screen.
struct Refresh {
    bool operator==(const Refresh&) const = default;
};
}  // namespace paint

using PaintOp = std::variant<paint::SetTextColour, paint::SelectFont, paint::DrawSkin, paint::DrawBox,
                             paint::RenderPicture, paint::DrawCaption, paint::DrawFocusRect, paint::Refresh>;
using PaintList = std::vector<PaintOp>;

// --- Decisions ----------------------------------------------------------------------

// Nearest integer, halves to even (2.5 → 2, 3.5 → 4, −0.5 → 0).
int roundHalfEven(double value);

struct PixelSize {
    int width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};
// w = W ÷ twips per pixel and h likewise, each rounded.
PixelSize pixelSize(const ClientMetrics& m);

// HIMETRIC (1/100 mm) to pixels: value × 1440 ÷ 2540 ÷ twips per pixel; not rounded.
double himetricToPixels(double himetric, double twipsPerPixel);

// 8 pt for style 3, 9 pt for every other value.
int fontPointsFor(std::int32_t btnStyle);

// Left edge of the skin slice: style × 10 + press offset, or 30 (the disabled slice).
int skinSliceX(std::int32_t btnStyle, std::int32_t btnState, bool enabled);

// Caption colour: white for styles 1, 2 and 3, black otherwise, grey when disabled
// (style 3 does not look at the enabled state).
Colour textColour(std::int32_t btnStyle, bool enabled);

// The nine copies in drawing order: corners, edges and centre, row by row. Edges and
// centre of a target smaller than two corners get a zero extent rather than a negative
// one, so such a button shows its corners only and nothing mirrored.
NineSlice nineSlice(int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                    int corner);

// The focus rectangle: (2, 2) to (W ÷ tpp − 2, H ÷ tpp − 3), right and bottom rounded.
Rect focusRect(const ClientMetrics& m);

// Where a style-3 button draws its icon, and where its caption then starts.
struct IconPlacement {
    int x = 8, y = 0;            // top-left of the icon
    int width = 0, height = 0;   // the icon's rounded pixel size, as rendered
    int captionLeft = 0;         // rounded icon width + 16
    bool operator==(const IconPlacement&) const = default;
};
IconPlacement iconPlacement(const Picture& icon, int buttonHeightPx, const ClientMetrics& m);

// Everything one paint depends on.
struct ButtonLook {
    std::int32_t btnStyle = 0;
    std::int32_t btnState = 0;   // 0 up, 5 pressed
    bool enabled = true;
    bool hasFocus = false;
    int fontPoints = 9;
    bool underline = false;      // the font's underline flag for this paint
    std::u16string caption;
    PictureRef icon;
    ClientMetrics metrics;
};

// The whole paint of the button, ending with a refresh.
PaintList paintButton(const ButtonLook& look);

}  // namespace tamvera::controls
