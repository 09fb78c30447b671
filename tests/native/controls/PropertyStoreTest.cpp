// Loading and saving the flat button's design-time properties.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "RecordingHost.h"
#include "controls/PropertyStore.h"
#include "controls/ucBtnFacebook.h"

using namespace tamvera::controls;
using namespace tamvera::controls::testing;
using ::testing::ElementsAre;

namespace {

std::vector<std::string> keysOf(const PropertyStore& store) {
    std::vector<std::string> keys;
    for (const auto& [key, value] : store.entries()) keys.push_back(key);
    return keys;
}

TEST(PropertyStore, KeysMatchInAnyCaseAndDefaultsAreLeftOut) {
    PropertyStore store;
    store.set("btnstyle", std::int32_t{2});
    EXPECT_TRUE(store.contains("BtnStyle"));
    EXPECT_EQ(asInt32(store.read("BTNSTYLE", std::int32_t{0})), 2);
    EXPECT_EQ(asText(store.read("Caption", std::u16string(u"Btn_X"))), u"Btn_X");

    store.write("BtnStyle", std::int32_t{3}, std::int32_t{0});
    EXPECT_THAT(keysOf(store), ElementsAre("btnstyle"));  // the key keeps its first spelling
    store.write("BTNSTYLE", std::int32_t{0}, std::int32_t{0});  // back to the default
    EXPECT_EQ(store.size(), 0u);
}

TEST(PropertyStore, ValuesConvertToThePropertysTypeOrFailLoudly) {
    EXPECT_EQ(asInt32(std::u16string(u" 3 ")), 3);
    EXPECT_EQ(asInt32(true), -1);
    EXPECT_FALSE(asBool(std::u16string(u"FALSE")));
    EXPECT_TRUE(asBool(std::int32_t{-1}));
    EXPECT_TRUE(asBool(std::u16string(u"1")));
    EXPECT_EQ(asText(std::int32_t{42}), u"42");
    EXPECT_EQ(asPicture(PictureRef{}), nullptr);
    EXPECT_THROW(asInt32(std::u16string(u"tiga")), PropertyTypeMismatch);
    EXPECT_THROW(asInt32(std::u16string(u"99999999999")), PropertyTypeMismatch);
    EXPECT_THROW(asBool(std::u16string(u"ya")), PropertyTypeMismatch);
    EXPECT_THROW(asPicture(std::u16string(u"icon.ico")), PropertyTypeMismatch);
    EXPECT_THROW(asText(PictureRef{}), PropertyTypeMismatch);
}

class ButtonProperties : public ::testing::Test {
protected:
    void SetUp() override {
        recordEvents(button, host);
        button.attachHost(&host);
    }
    ucBtnFacebook button{u"Btn_Mulai"};
    RecordingHost host;
};

TEST_F(ButtonProperties, DefaultsSaveNothingAndNonDefaultsRoundTrip) {
    PropertyStore empty;
    button.saveProperties(empty);
    EXPECT_EQ(empty.size(), 0u);

    auto icon = std::make_shared<FakePicture>(423, 423);
    button.setBtnStyle(3);
    button.setEnabled(false);
    button.setCaption(u"Mulai");
    button.setIcon(icon);
    PropertyStore saved;
    button.saveProperties(saved);
    EXPECT_THAT(keysOf(saved), ElementsAre("BtnStyle", "Caption", "Enabled", "Icon"));

    ucBtnFacebook loaded{u"Btn_Mulai"};
    RecordingHost other;
    loaded.attachHost(&other);
    loaded.loadProperties(saved);
    EXPECT_EQ(loaded.BtnStyle(), 3);
    EXPECT_EQ(loaded.fontSize(), 8);
    EXPECT_FALSE(loaded.Enabled());
    EXPECT_FALSE(other.windowEnabled);
    EXPECT_EQ(loaded.Caption(), u"Mulai");
    EXPECT_EQ(loaded.Icon(), icon);
}

TEST_F(ButtonProperties, LowerCaseLayoutWithStyleThreeGivesEightPoints) {
    PropertyStore layout;
    layout.set("_extentx", std::int32_t{3836});
    layout.set("_extenty", std::int32_t{661});
    layout.set("caption", std::u16string(u"Kirim"));
    layout.set("btnstyle", std::int32_t{3});
    button.loadProperties(layout);
    EXPECT_EQ(button.BtnStyle(), 3);
    EXPECT_EQ(button.fontSize(), 8);
    EXPECT_EQ(button.Caption(), u"Kirim");
    EXPECT_EQ(findOp<paint::SelectFont>(host.paints.back())->points, 8);
}

TEST_F(ButtonProperties, LayoutWithoutStyleGivesStyleZeroNinePointsAndTheDisplayName) {
    button.setBtnStyle(3);
    button.setCaption(u"lama");
    PropertyStore layout;
    button.loadProperties(layout);
    EXPECT_EQ(button.BtnStyle(), 0);
    EXPECT_EQ(button.fontSize(), 9);
    EXPECT_EQ(button.Caption(), u"Btn_Mulai");
    EXPECT_TRUE(button.Enabled());
    EXPECT_EQ(button.Icon(), nullptr);
}

TEST_F(ButtonProperties, LoadingPaintsThroughTheEnabledSetterBeforeTheCaptionIsRead) {
    button.setCaption(u"lama");
    host.clear();
    PropertyStore layout;
    layout.set("btnstyle", std::int32_t{2});
    layout.set("caption", std::u16string(u"Cepat"));
    button.loadProperties(layout);
    EXPECT_THAT(host.log, ElementsAre("enable", "paint", "notify Enabled", "paint"));
    // The first paint already has the new style but still the old caption.
    EXPECT_EQ(findOp<paint::DrawSkin>(host.paints[0])->pieces[0].srcX, 20);
    EXPECT_EQ(findOp<paint::DrawCaption>(host.paints[0])->text, u"lama");
    EXPECT_EQ(findOp<paint::DrawCaption>(host.paints[1])->text, u"Cepat");
}

TEST_F(ButtonProperties, AStoredValueOfTheWrongKindReachesTheHost) {
    PropertyStore layout;
    layout.set("BtnStyle", std::u16string(u"biru"));
    EXPECT_THROW(button.loadProperties(layout), PropertyTypeMismatch);
}

}  // namespace
