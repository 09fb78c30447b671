// The chrome of the borderless window: hit-testing Picture1's labels by stacking order,
// dragging, the close label's look and its click, the credit label, "Informasi".
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Text.h"
#include "form/FormModel.h"
#include "support/FakePlatform.h"
#include "window/Chrome.h"

using namespace tamvera;
using namespace tamvera::window;
using controls::mouse::Left;
using controls::mouse::Middle;
using controls::mouse::Right;

namespace {

const TwipsPerPixel k96Dpi{15, 15};
const TwipsPerPixel k120Dpi{12, 12};

std::string labelAt(int x, int y, const TwipsPerPixel& tpp = k96Dpi) {
    const ControlEntry* label = LabelAt(x, y, tpp);
    return label ? std::string(label->name) : "Picture1";
}

TEST(LabelAtTest, TheTopmostLabelTakesThePoint) {
    // "X" is 307..315 x 5..21; from row 16 (240 twips) Label_DragMove lies above it.
    EXPECT_EQ(labelAt(311, 5), "Btn_Close");
    EXPECT_EQ(labelAt(311, 15), "Btn_Close");
    EXPECT_EQ(labelAt(311, 16), "Label_DragMove");
    EXPECT_EQ(labelAt(311, 21), "Label_DragMove");
    EXPECT_EQ(labelAt(311, 4), "Picture1");  // above the "X", right of Label_DragMove2
    // Label_DragMove2 covers both title labels: the title text is a drag area.
    EXPECT_EQ(labelAt(10, 10), "Label_DragMove2");
    EXPECT_EQ(labelAt(80, 12), "Label_DragMove2");
    EXPECT_EQ(labelAt(160, 60), "Label_DragMove");
    EXPECT_EQ(labelAt(320, 88), "Label_DragMove");
    EXPECT_EQ(labelAt(160, 89), "Picture1");
    // The footer: credit on the right, version on the left; the rest is the picture.
    EXPECT_EQ(labelAt(250, 545), "By_Pembuat");
    EXPECT_EQ(labelAt(20, 545), "Label_Ver");
    EXPECT_EQ(labelAt(120, 545), "Picture1");
    EXPECT_EQ(labelAt(100, 300), "Picture1");
}

TEST(LabelAtTest, TheCloseLabelsOwnPartFollowsTheScreensPixels) {
    // At 120 dpi the "X" starts at row 6 and Label_DragMove at row 20.
    EXPECT_EQ(labelAt(387, 6, k120Dpi), "Btn_Close");
    EXPECT_EQ(labelAt(387, 19, k120Dpi), "Btn_Close");
    EXPECT_EQ(labelAt(387, 20, k120Dpi), "Label_DragMove");
}

TEST(StartsDragTest, OnlyTheLeftButtonOnADragAreaMovesTheWindow) {
    const ControlEntry* drag = findControl("Label_DragMove");
    const ControlEntry* drag2 = findControl("Label_DragMove2");
    EXPECT_TRUE(StartsDrag(drag, Left));
    EXPECT_TRUE(StartsDrag(drag2, Left));
    for (std::int16_t other : {Right, Middle}) {
        EXPECT_FALSE(StartsDrag(drag, other));
        EXPECT_FALSE(StartsDrag(drag2, other));
    }
    EXPECT_FALSE(StartsDrag(findControl("Btn_Close"), Left));
    EXPECT_FALSE(StartsDrag(findControl("Label_Title1"), Left));
    EXPECT_FALSE(StartsDrag(nullptr, Left));
}

class RecordingView : public ChromeView {
public:
    std::vector<std::string> log;
    void dragWindow() override { log.push_back("drag"); }
    void closeLookChanged() override { log.push_back("look"); }
    void captureMouse(bool captured) override { log.push_back(captured ? "capture" : "release"); }
};

class ChromeTest : public ::testing::Test {
protected:
    tamvera::testing::FakePlatform fake;
    RecordingView view;
    form::FormModel form;
    Form1Chrome chrome{fake, view, k96Dpi, form};

    void click(std::int16_t button, int x, int y) {
        chrome.mouseDown(button, x, y);
        chrome.mouseUp(button, x, y);
    }
    bool bold() const { return chrome.closeLook() == CloseLook::Bold; }
};

TEST_F(ChromeTest, TheCloseLabelTurnsBoldOverItsUpperPartAndRegularOverPictureOrDragArea) {
    EXPECT_FALSE(bold());
    chrome.mouseMove(311, 10);
    EXPECT_TRUE(bold());
    // Over the other labels and the top drag area the look stays.
    for (auto [x, y] : {std::pair{20, 10}, {250, 545}, {20, 545}, {311, 10}}) {
        chrome.mouseMove(x, y);
        EXPECT_TRUE(bold()) << x << "," << y;
    }
    chrome.mouseMove(100, 300);  // Picture1
    EXPECT_FALSE(bold());
    chrome.mouseMove(311, 10);
    chrome.mouseMove(311, 18);  // the lower part of the "X" is Label_DragMove
    EXPECT_FALSE(bold());
    // One repaint per change, none for moves that keep the look.
    EXPECT_EQ(view.log, (std::vector<std::string>{"look", "look", "look", "look"}));
}

TEST_F(ChromeTest, ALeftPressOnADragAreaMovesTheWindowOtherButtonsDoNot) {
    chrome.mouseDown(Right, 200, 50);
    chrome.mouseUp(Right, 200, 50);
    chrome.mouseDown(Middle, 20, 10);
    chrome.mouseUp(Middle, 20, 10);
    EXPECT_TRUE(view.log.empty());
    chrome.mouseDown(Left, 200, 50);
    chrome.mouseDown(Left, 60, 10);  // the title text
    chrome.mouseDown(Left, 311, 18); // the lower part of the "X"
    EXPECT_EQ(view.log, (std::vector<std::string>{"drag", "drag", "drag"}));
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(ChromeTest, ALeftClickOnTheUpperPartOfTheCloseLabelEndsTheProgram) {
    chrome.mouseDown(Left, 311, 10);
    EXPECT_THROW(chrome.mouseUp(Left, 312, 12), tamvera::testing::ProcessExited);
    EXPECT_EQ(fake.log, (std::vector<std::string>{"exit"}));
}

TEST_F(ChromeTest, TheCloseLabelIgnoresOtherButtonsAndReleasesElsewhere) {
    click(Right, 311, 10);
    click(Middle, 311, 10);
    chrome.mouseDown(Left, 311, 10);
    chrome.mouseUp(Left, 100, 300);  // released on the picture: no click
    chrome.mouseDown(Left, 311, 10);
    chrome.captureLost();            // a window took the mouse
    chrome.mouseUp(Left, 311, 10);
    EXPECT_TRUE(fake.log.empty());
    EXPECT_EQ(view.log, (std::vector<std::string>{"capture", "release", "capture", "release", "capture", "release",
                                                  "capture"}));
}

TEST_F(ChromeTest, WhileAButtonIsHeldMovesBelongToWhatWasPressed) {
    chrome.mouseDown(Left, 100, 300);  // Picture1
    chrome.mouseMove(311, 10);
    EXPECT_FALSE(bold());
    chrome.mouseUp(Left, 311, 10);
    chrome.mouseMove(311, 10);
    EXPECT_TRUE(bold());
    chrome.mouseDown(Left, 311, 10);
    chrome.mouseMove(100, 300);
    EXPECT_TRUE(bold());
}

TEST_F(ChromeTest, TheCreditLabelShowsTheCreditMessage) {
    click(Left, 250, 545);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(utf8(fake.messages[0].title), "Tamvera");
    EXPECT_EQ(fake.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(fake.messages[0].buttons, MessageButtons::Ok);
    EXPECT_NE(utf8(fake.messages[0].text).find("Tim Tamvera"), std::string::npos);
    click(Left, 20, 545);  // the version label has no click
    click(Right, 250, 545);
    EXPECT_EQ(fake.messages.size(), 1u);
}

TEST_F(ChromeTest, InformasiShowsTheInformationBoxAndOpensNothing) {
    form.Btn_Web.Click();
    // One box, nothing else: no address is opened, no key typed.
    EXPECT_EQ(fake.log, (std::vector<std::string>{"box Tamvera: " + utf8(kAboutText)}));
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(fake.messages[0].buttons, MessageButtons::Ok);
    const std::string text = utf8(fake.messages[0].text);
    // The version the footer shows ("Ver 7.0"), and where the guide is.
    const std::string footer = utf8(findControl("Label_Ver")->text);
    EXPECT_NE(text.find("Tamvera versi " + footer.substr(footer.find(' ') + 1)), std::string::npos) << footer;
    EXPECT_NE(text.find("PANDUAN.html"), std::string::npos);
    EXPECT_NE(text.find("PANDUAN.pdf"), std::string::npos);
    EXPECT_EQ(text.find("http"), std::string::npos);
}

TEST(ChromeBindingTest, InformasiIsBoundWhileTheChromeLives) {
    tamvera::testing::FakePlatform fake;
    RecordingView view;
    form::FormModel form;
    { Form1Chrome chrome{fake, view, k96Dpi, form}; EXPECT_TRUE(form.Btn_Web.Click); }
    EXPECT_FALSE(form.Btn_Web.Click);
}

}  // namespace
