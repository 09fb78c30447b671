// The flat button's model: setters, press and click rules, focus, access keys, hover.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "controls/ucBtnFacebook.h"

using namespace tamvera::controls;
using namespace tamvera::controls::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

class ButtonModel : public ::testing::Test {
protected:
    void SetUp() override {
        recordEvents(button, host);
        button.attachHost(&host);
        button.onCreate();
        host.clear();
    }
    // The skin slice of the last paint.
    int lastSliceX() const {
        const auto* skin = findOp<paint::DrawSkin>(host.paints.back());
        return skin ? skin->pieces[0].srcX : -1;
    }
    const float W = 145 * 15, H = 25 * 15;
    ucBtnFacebook button{u"Btn_Kirim"};
    RecordingHost host;
};

TEST_F(ButtonModel, EverySetterStoresThenRepaintsThenNotifiesEvenForAnUnchangedValue) {
    int paintedPoints = 0;
    std::int32_t styleAtPaint = -1;
    button.PropertyChanged = [&](const char* name) {
        const auto* font = findOp<paint::SelectFont>(host.paints.back());
        paintedPoints = font ? font->points : 0;
        styleAtPaint = button.BtnStyle();
        host.log.push_back(std::string("notify ") + name);
    };

    button.setBtnStyle(3);
    EXPECT_EQ(paintedPoints, 8);  // stored and font set before the paint
    EXPECT_EQ(styleAtPaint, 3);
    button.setBtnStyle(3);
    button.setBtnStyle(0);
    EXPECT_EQ(paintedPoints, 9);
    EXPECT_EQ(button.fontSize(), 9);
    button.setBtnStyle(0);
    EXPECT_THAT(host.log, ElementsAre("paint", "notify BtnStyle", "paint", "notify BtnStyle", "paint",
                                      "notify BtnStyle", "paint", "notify BtnStyle"));

    host.clear();
    button.setCaption(u"Simpan");
    EXPECT_EQ(findOp<paint::DrawCaption>(host.paints.back())->text, u"Simpan");
    button.setCaption(u"Simpan");
    auto icon = std::make_shared<FakePicture>(423, 423);
    button.setIcon(icon);
    EXPECT_EQ(button.Icon(), icon);  // shared, not copied
    button.setEnabled(false);
    button.setEnabled(false);
    EXPECT_FALSE(button.Enabled());
    EXPECT_FALSE(host.windowEnabled);
    EXPECT_THAT(host.log, ElementsAre("paint", "notify Caption", "paint", "notify Caption", "paint", "notify Icon",
                                      "disable", "paint", "notify Enabled", "disable", "paint", "notify Enabled"));
}

TEST_F(ButtonModel, SettersWithoutAWindowStoreAndNotifyOnly) {
    ucBtnFacebook alone{u"Btn_Cepat"};
    std::vector<std::string> notes;
    alone.PropertyChanged = [&](const char* n) { notes.emplace_back(n); };
    EXPECT_EQ(alone.Caption(), u"Btn_Cepat");
    alone.setBtnStyle(2);
    alone.setEnabled(false);
    alone.setCaption(u"Cepat");
    EXPECT_EQ(alone.BtnStyle(), 2);
    EXPECT_FALSE(alone.Enabled());
    EXPECT_EQ(alone.Caption(), u"Cepat");
    EXPECT_THAT(notes, ElementsAre("BtnStyle", "Enabled", "Caption"));
}

TEST_F(ButtonModel, AttachingAWindowMakesItFollowEnabled) {
    ucBtnFacebook off{u"Btn_Off"};
    off.setEnabled(false);
    RecordingHost window;
    off.attachHost(&window);
    EXPECT_FALSE(window.windowEnabled);
}

TEST_F(ButtonModel, ReleaseRaisesClickOnlyStrictlyInsideTheControl) {
    struct Case {
        float x, y;
        bool click;
    };
    const Case cases[] = {
        {1, 1, true},          {W - 1, H - 1, true}, {W / 2, H / 2, true}, {0, H / 2, false},
        {W / 2, 0, false},     {W, H / 2, false},    {W / 2, H, false},    {-15, H / 2, false},
        {W / 2, -0.5f, false}, {W + 300, H + 300, false},
    };
    for (const Case& c : cases) {
        host.clear();
        button.onMouseDown(mouse::Left, 0, W / 2, H / 2);
        button.onMouseUp(mouse::Left, 0, c.x, c.y);
        EXPECT_EQ(host.only("Click").size(), c.click ? 1u : 0u) << "release at " << c.x << "," << c.y;
        EXPECT_EQ(button.btnState(), BtnStateUp);
    }
}

TEST_F(ButtonModel, PressDrawsPressedThenRaisesMouseDownWithItsArgumentsAndAnyButtonClicks) {
    button.setBtnStyle(1);
    host.clear();
    button.onMouseDown(mouse::Right, mouse::Shift | mouse::Ctrl, 30, 45);
    EXPECT_EQ(button.btnState(), BtnStatePressed);
    EXPECT_EQ(lastSliceX(), 15);
    button.onMouseUp(mouse::Right, 0, 30, 45);
    EXPECT_EQ(lastSliceX(), 10);
    button.onMouseDown(mouse::Middle, mouse::Alt, 15, 15);
    button.onMouseUp(mouse::Middle, 0, 15, 15);
    const std::string cursor = "cursor " + std::to_string(host.hand);
    EXPECT_THAT(host.log, ElementsAre(cursor, "paint", "MouseDown 2,3,30,45", cursor, "paint", "Click", cursor,
                                      "paint", "MouseDown 4,4,15,15", cursor, "paint", "Click"));
}

TEST_F(ButtonModel, MouseDownHandlerMayChangeItsArgumentsWithoutEffect) {
    button.MouseDown = [](std::int16_t& b, std::int16_t&, float& x, float&) {
        b = 99;
        x = -1;
    };
    button.onMouseDown(mouse::Left, 0, 30, 30);
    button.onMouseUp(mouse::Left, 0, 30, 30);
    EXPECT_EQ(host.only("Click").size(), 1u);
}

TEST_F(ButtonModel, DoubleClickGivesTwoClicksAndOneMouseDown) {
    button.onMouseDown(mouse::Left, 0, 30, 30);
    button.onMouseUp(mouse::Left, 0, 30, 30);
    button.onDoubleClick();
    EXPECT_EQ(button.btnState(), BtnStatePressed);
    EXPECT_EQ(lastSliceX(), 5);
    button.onMouseUp(mouse::Left, 0, 30, 30);
    EXPECT_EQ(host.only("Click").size(), 2u);
    EXPECT_EQ(host.only("MouseDown").size(), 1u);
    EXPECT_EQ(host.paints.size(), 4u);  // pressed, up, pressed, up
}

TEST_F(ButtonModel, AccessKeyRaisesClickWithoutDrawingOrTouchingThePressState) {
    button.onMouseDown(mouse::Left, 0, 30, 30);
    host.clear();
    button.onAccessKey();
    EXPECT_THAT(host.log, ElementsAre("Click"));
    EXPECT_EQ(button.btnState(), BtnStatePressed);
}

TEST_F(ButtonModel, AccessKeyIsTheCharacterAfterASingleAmpersand) {
    EXPECT_EQ(accessKeyOf(u"&Simpan"), u'S');
    EXPECT_EQ(accessKeyOf(u"Sim&pan"), u'p');
    EXPECT_EQ(accessKeyOf(u"Tom && &Jerry"), u'J');
    EXPECT_EQ(accessKeyOf(u"A&&B"), std::nullopt);
    EXPECT_EQ(accessKeyOf(u"Mulai"), std::nullopt);
    EXPECT_EQ(accessKeyOf(u"Akhir&"), std::nullopt);

    button.setCaption(u"&Simpan");
    EXPECT_TRUE(button.answersAccessKey(u's'));
    EXPECT_TRUE(button.answersAccessKey(u'S'));
    EXPECT_FALSE(button.answersAccessKey(u'i'));
    button.setCaption(u"Mulai");
    EXPECT_FALSE(button.answersAccessKey(u'm'));
}

TEST_F(ButtonModel, DisabledControlRaisesNothingAndStaysUp) {
    button.setEnabled(false);
    EXPECT_FALSE(host.windowEnabled);
    host.clear();
    button.onMouseDown(mouse::Left, 0, 30, 30);
    button.onMouseMove(0, 0, 30, 30);
    button.onMouseUp(mouse::Left, 0, 30, 30);
    button.onDoubleClick();
    button.onAccessKey();
    EXPECT_THAT(host.log, IsEmpty());
    EXPECT_EQ(button.btnState(), BtnStateUp);
}

TEST_F(ButtonModel, LosingTheCaptureMidPressGoesUpWithoutClick) {
    button.onMouseDown(mouse::Left, 0, 30, 30);
    host.clear();
    button.onPressCancelled();
    EXPECT_EQ(button.btnState(), BtnStateUp);
    EXPECT_THAT(host.log, ElementsAre("paint"));
    button.onPressCancelled();  // already up: nothing to do
    EXPECT_EQ(host.paints.size(), 1u);
}

TEST_F(ButtonModel, FocusShowsTheFocusRectangleUntilLost) {
    button.onGotFocus();
    EXPECT_TRUE(button.hasFocus());
    ASSERT_NE(findOp<paint::DrawFocusRect>(host.paints.back()), nullptr);
    button.onExitFocus();
    EXPECT_EQ(findOp<paint::DrawFocusRect>(host.paints.back()), nullptr);
}

TEST_F(ButtonModel, NewInstanceAndLifetimeOfTheHandPointer) {
    ucBtnFacebook fresh{u"ucBtnFacebook1"};
    fresh.setCaption(u"x");
    fresh.onNewInstance();
    EXPECT_EQ(fresh.Caption(), u"ucBtnFacebook1");

    EXPECT_EQ(button.handCursor(), host.hand);
    button.onTerminate();
    EXPECT_EQ(button.handCursor(), 0u);
    EXPECT_THAT(host.log, IsEmpty());  // given up, not destroyed
}

TEST_F(ButtonModel, CopiesStartWithoutTheWindow) {
    ucBtnFacebook copy = button;
    EXPECT_EQ(copy.host(), nullptr);
    copy.setCaption(u"copy");
    EXPECT_THAT(host.paints, IsEmpty());
    EXPECT_EQ(button.Caption(), u"Btn_Kirim");
}

// --- Hover tracking ------------------------------------------------------------------

TEST_F(ButtonModel, SkinnedStylesShowTheHandButNeverTrack) {
    for (std::int32_t style : {0, 1, 2, 7}) {
        button.setBtnStyle(style);
        host.clear();
        host.pointerOver = true;
        button.onMouseMove(0, 0, 30, 30);
        button.onMouseMove(0, 0, 45, 30);
        EXPECT_THAT(host.log, ElementsAre("cursor " + std::to_string(host.hand), "cursor " + std::to_string(host.hand)))
            << "style " << style;
        EXPECT_EQ(button.timer1Interval(), 0);
    }
}

TEST_F(ButtonModel, StyleThreeUnderlinesOnTheFirstMoveAndStopsWhenThePointerHasLeft) {
    button.setBtnStyle(3);
    host.clear();
    host.pointerOver = true;
    button.onMouseMove(0, 0, 30, 30);
    EXPECT_EQ(button.timer1Interval(), HoverPollMs);
    EXPECT_EQ(host.timerInterval, HoverPollMs);
    ASSERT_EQ(host.paints.size(), 1u);
    EXPECT_TRUE(findOp<paint::SelectFont>(host.paints.back())->underline);

    for (int i = 0; i < 5; ++i) button.onMouseMove(0, 0, 30.f + i, 30);
    button.onTimer1Tick();  // still over: nothing
    EXPECT_EQ(host.paints.size(), 1u);

    host.pointerOver = false;  // e.g. another window now covers the button under the pointer
    button.onTimer1Tick();
    EXPECT_EQ(button.timer1Interval(), 0);
    ASSERT_EQ(host.paints.size(), 2u);
    EXPECT_FALSE(findOp<paint::SelectFont>(host.paints.back())->underline);
    EXPECT_EQ(host.only("timer").size(), 2u);
}

TEST_F(ButtonModel, TrackingEndsWhateverTheStyleAndKeepsTheUnderlineFlagOfTheSurface) {
    button.setBtnStyle(3);
    host.pointerOver = true;
    button.onMouseMove(0, 0, 30, 30);
    button.setBtnStyle(0);
    // Styles other than 3 leave the font's underline flag as the last style-3 paint set it.
    EXPECT_TRUE(findOp<paint::SelectFont>(host.paints.back())->underline);
    host.clear();
    host.pointerOver = false;
    button.onTimer1Tick();
    EXPECT_THAT(host.log, ElementsAre("timer 0", "paint"));
    EXPECT_EQ(lastSliceX(), 0);
    EXPECT_EQ(button.timer1Interval(), 0);
}

TEST_F(ButtonModel, WithoutAHandPointerThePointerIsLeftAlone) {
    RecordingHost noHand;
    noHand.hand = 0;
    ucBtnFacebook b{u"Btn_X"};
    recordEvents(b, noHand);
    b.attachHost(&noHand);
    b.onCreate();
    b.setBtnStyle(3);
    noHand.clear();
    noHand.pointerOver = true;
    b.onMouseMove(0, 0, 30, 30);
    b.onMouseDown(mouse::Left, 0, 30, 30);
    b.onMouseUp(mouse::Left, 0, 30, 30);
    EXPECT_THAT(noHand.only("cursor"), IsEmpty());
    EXPECT_THAT(noHand.log, ElementsAre("timer 100", "paint", "paint", "MouseDown 1,0,30,30", "paint", "Click"));
}

TEST_F(ButtonModel, DetachingForgetsWhatBelongedToTheWindow) {
    button.setBtnStyle(3);
    host.pointerOver = true;
    button.onMouseMove(0, 0, 30, 30);
    button.onGotFocus();
    button.onMouseDown(mouse::Left, 0, 30, 30);
    button.detachHost();
    EXPECT_EQ(button.timer1Interval(), 0);
    EXPECT_EQ(button.handCursor(), 0u);
    EXPECT_EQ(button.btnState(), BtnStateUp);
    EXPECT_FALSE(button.hasFocus());
    EXPECT_FALSE(button.IsMouseOver());
}

}  // namespace
