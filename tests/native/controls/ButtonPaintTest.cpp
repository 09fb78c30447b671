// What a paint of the flat button consists of.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "controls/ButtonPaint.h"
#include "controls/SkinBitmap.h"

using namespace tamvera::controls;
using namespace tamvera::controls::testing;

namespace {

TEST(ButtonPaint, RoundsHalvesToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(4.5), 4);
    EXPECT_EQ(roundHalfEven(4.5000001), 5);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.6), -3);
    EXPECT_EQ(roundHalfEven(24.49), 24);
    // 2175 × 375 twips at 14.4 twips per pixel (100 dpi): 151.04 × 26.04.
    EXPECT_EQ(pixelSize({2175, 375, 14.4, 14.4}), (PixelSize{151, 26}));
    // 125 dpi: 11.52 twips per pixel; 2175 / 11.52 = 188.8, 375 / 11.52 = 32.55.
    EXPECT_EQ(pixelSize({2175, 375, 11.52, 11.52}), (PixelSize{189, 33}));
}

TEST(ButtonPaint, SliceAndTextColourForEveryStylePressAndEnabledState) {
    struct Case {
        std::int32_t style, state;
        bool enabled;
        int slice;
        Colour text;
    };
    const Colour black = colours::Black, white = colours::White, grey = rgb(184, 184, 184);
    const Case cases[] = {
        {0, 0, true, 0, black},   {0, 5, true, 5, black},   {1, 0, true, 10, white},  {1, 5, true, 15, white},
        {2, 0, true, 20, white},  {2, 5, true, 25, white},  {0, 0, false, 30, grey},  {0, 5, false, 30, grey},
        {1, 0, false, 30, grey},  {1, 5, false, 30, grey},  {2, 0, false, 30, grey},  {2, 5, false, 30, grey},
        // Out-of-range styles look like style 0.
        {4, 0, true, 0, black},   {4, 5, true, 5, black},   {-1, 5, true, 5, black},  {4, 0, false, 30, grey},
    };
    for (const Case& c : cases) {
        ButtonLook look;
        look.btnStyle = c.style;
        look.btnState = c.state;
        look.enabled = c.enabled;
        look.metrics = buttonMetrics();
        const PaintList ops = paintButton(look);
        SCOPED_TRACE(::testing::Message() << "style " << c.style << " state " << c.state << " enabled " << c.enabled);
        EXPECT_EQ(skinSliceX(c.style, c.state, c.enabled), c.slice);
        EXPECT_EQ(findOp<paint::DrawSkin>(ops)->pieces[0].srcX, c.slice);
        EXPECT_EQ(findOp<paint::SetTextColour>(ops)->colour, c.text);
    }
    // Style 3 draws white text whatever the enabled state.
    EXPECT_EQ(textColour(3, false), white);
}

TEST(ButtonPaint, NineSliceOfA145By25Button) {
    const NineSlice s = nineSlice(0, 0, 145, 25, 10, 0, 5, 26, 2);
    const NineSlice expected{{
        {false, 0, 0, 2, 2, 10, 0, 2, 2},
        {true, 2, 0, 141, 2, 12, 0, 1, 2},
        {false, 143, 0, 2, 2, 13, 0, 2, 2},
        {true, 0, 2, 2, 21, 10, 2, 2, 22},
        {true, 2, 2, 141, 21, 12, 2, 1, 22},
        {true, 143, 2, 2, 21, 13, 2, 2, 22},
        {false, 0, 23, 2, 2, 10, 24, 2, 2},
        {true, 2, 23, 141, 2, 12, 24, 1, 2},
        {false, 143, 23, 2, 2, 13, 24, 2, 2},
    }};
    for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(s[i], expected[i]) << "piece " << i + 1;
}

TEST(ButtonPaint, ButtonSmallerThanItsCornersGetsNoNegativeExtents) {
    for (const Blit& b : nineSlice(0, 0, 3, 1, 0, 0, 5, 26, 2)) {
        EXPECT_GE(b.width, 0);
        EXPECT_GE(b.height, 0);
    }
}

TEST(ButtonPaint, SkinnedPaintIsSkinThenCentredCaptionThenFocusRectangleThenRefresh) {
    ButtonLook look;
    look.btnStyle = 1;
    look.hasFocus = true;
    look.caption = u"Mulai";
    look.metrics = buttonMetrics();
    const PaintList ops = paintButton(look);
    const PaintList expected{
        paint::SetTextColour{colours::White},
        paint::SelectFont{9, false},
        paint::DrawSkin{nineSlice(0, 0, 145, 25, 10, 0, 5, 26, 2)},
        paint::DrawCaption{u"Mulai", {0, 0, 145, 25}, 0x25},
        paint::DrawFocusRect{{2, 2, 143, 22}},
        paint::Refresh{},
    };
    EXPECT_EQ(ops, expected);
}

TEST(ButtonPaint, FocusRectangleStopsThreePixelsAboveTheBottom) {
    EXPECT_EQ(focusRect(buttonMetrics(57, 25)), (Rect{2, 2, 55, 22}));
    // 100 dpi: 2175 / 14.4 − 2 = 149.04 → 149; 375 / 14.4 − 3 = 23.04 → 23.
    EXPECT_EQ(focusRect({2175, 375, 14.4, 14.4}), (Rect{2, 2, 149, 23}));
}

TEST(ButtonPaint, FlatStyleIsAFramedBoxCoveringTheControlWithCentredCaption) {
    ButtonLook look;
    look.btnStyle = 3;
    look.fontPoints = 8;
    look.underline = true;
    look.hasFocus = true;  // no focus rectangle in style 3
    look.caption = u"Kirim";
    look.metrics = buttonMetrics(100, 25);
    const PaintList expected{
        paint::SetTextColour{colours::White},
        paint::SelectFont{8, true},
        paint::DrawBox{{0, 0, 100, 25}, rgb(29, 64, 136), rgb(0, 160, 230)},
        paint::DrawCaption{u"Kirim", {0, 0, 100, 25}, 0x25},
        paint::Refresh{},
    };
    EXPECT_EQ(paintButton(look), expected);
    // Pressed or disabled, it looks the same.
    look.btnState = 5;
    look.enabled = false;
    EXPECT_EQ(paintButton(look), expected);
}

TEST(ButtonPaint, FlatStyleIconSitsAtEightWithTheCaptionLeftAlignedAfterIt) {
    // An icon of exactly 16 × 16 pixels in a 25-pixel button: y = 12.5 − 8 = 4.5 → 4.
    auto icon = std::make_shared<FakePicture>(himetricOfPixels(16), himetricOfPixels(16));
    ButtonLook look;
    look.btnStyle = 3;
    look.caption = u"Kirim";
    look.icon = icon;
    look.metrics = buttonMetrics(120, 25);
    const PaintList ops = paintButton(look);
    const auto* picture = findOp<paint::RenderPicture>(ops);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->picture, icon);
    EXPECT_EQ(picture->x, 8);
    EXPECT_EQ(picture->y, 4);
    EXPECT_EQ(picture->width, 16);
    EXPECT_EQ(picture->height, 16);
    EXPECT_DOUBLE_EQ(picture->himetricWidth, himetricOfPixels(16));
    EXPECT_EQ(*findOp<paint::DrawCaption>(ops), (paint::DrawCaption{u"Kirim", {32, 0, 120, 25}, 0x24}));
}

TEST(ButtonPaint, IconWidthIsRoundedButItsHeightIsNotWhenCentring) {
    // A 16-pixel icon as the platform reports it, 423 HIMETRIC = 15.99 pixels: drawn 16
    // wide, but centred with 15.99 → 12.5 − 7.995 = 4.505 → 5.
    const ClientMetrics m = buttonMetrics(120, 25);
    const IconPlacement at = iconPlacement(FakePicture(423, 423), 25, m);
    EXPECT_EQ(at, (IconPlacement{8, 5, 16, 16, 32}));
    // A wide icon: 40.4 pixels wide → caption from 56.
    EXPECT_EQ(iconPlacement(FakePicture(himetricOfPixels(40) + 7, himetricOfPixels(10)), 25, m).captionLeft, 56);
}

TEST(ButtonPaint, EmptyIconDrawsNothingButKeepsTheLeftAlignedLayout) {
    ButtonLook look;
    look.btnStyle = 3;
    look.icon = std::make_shared<FakePicture>(0, 0, false);
    look.metrics = buttonMetrics(120, 25);
    const PaintList ops = paintButton(look);
    EXPECT_EQ(findOp<paint::RenderPicture>(ops), nullptr);
    EXPECT_EQ(findOp<paint::DrawCaption>(ops)->rect.left, 16);
    EXPECT_EQ(findOp<paint::DrawCaption>(ops)->format, 0x24u);
}

}  // namespace
