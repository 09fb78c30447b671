// The main window's layout table and its conversion to pixels.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "form/FormModel.h"
#include "platform/Text.h"
#include "window/Layout.h"

using namespace tamvera;
using namespace tamvera::window;

namespace {

const TwipsPerPixel k96Dpi{15, 15};
const TwipsPerPixel k144Dpi{10, 10};

PixelRect pixelsOf(const char* name, const TwipsPerPixel& tpp = k96Dpi) {
    const ControlEntry* entry = findControl(name);
    EXPECT_NE(entry, nullptr) << name;
    return entry ? toPixels(entry->rect, tpp) : PixelRect{};
}

TEST(LayoutTest, ControlsLandOnTheirPixelsAt96Dpi) {
    EXPECT_EQ(clientRect(k96Dpi), (PixelRect{0, 0, 322, 555}));
    EXPECT_EQ(pixelsOf("Btn_Mulai"), (PixelRect{160, 344, 145, 25}));
    EXPECT_EQ(pixelsOf("Btn_Berhenti"), (PixelRect{160, 376, 145, 25}));
    EXPECT_EQ(pixelsOf("Btn_Web"), (PixelRect{160, 488, 145, 25}));
    EXPECT_EQ(pixelsOf("Btn_Tamvera"), (PixelRect{136, 112, 57, 25}));
    EXPECT_EQ(pixelsOf("Btn_Dapodik"), (PixelRect{248, 112, 57, 25}));
    EXPECT_EQ(pixelsOf("Btn_EntriIsian"), (PixelRect{221, 208, 85, 25}));
    // 21.67 and 165.67 pixels round to the nearest pixel.
    EXPECT_EQ(pixelsOf("Txt_Nilai"), (PixelRect{22, 348, 125, 166}));
    EXPECT_EQ(pixelsOf("Txt_Waktu"), (PixelRect{141, 260, 153, 17}));
    EXPECT_EQ(pixelsOf("Txt_Perkembangan"), (PixelRect{142, 304, 153, 17}));
    EXPECT_EQ(pixelsOf("Btn_Close"), (PixelRect{307, 5, 9, 17}));
    // The value holders lie beyond the client area's right edge.
    EXPECT_GE(pixelsOf("Txt_SaatIni").left, clientRect(k96Dpi).right());
}

TEST(LayoutTest, HalfPixelsRoundToEven) {
    EXPECT_EQ(toPixels(4605, 10), 460);  // 460.5
    EXPECT_EQ(toPixels(75, 10), 8);      // 7.5
    EXPECT_EQ(toPixels(-360, 15), -24);
    EXPECT_EQ(toPixels(-15, 10), -2);    // -1.5
    EXPECT_EQ(pixelsOf("Btn_Mulai", k144Dpi), (PixelRect{240, 516, 218, 38}));
    EXPECT_EQ(pixelsOf("Txt_Nilai", k144Dpi), (PixelRect{32, 522, 188, 248}));
    EXPECT_EQ(clientRect(TwipsPerPixel{12, 12}), (PixelRect{0, 0, 402, 694}));  // 402.5 and 693.75
}

TEST(LayoutTest, WindowsAreCreatedInTabIndexOrder) {
    std::vector<std::string> names;
    for (const ControlEntry* entry : windowedControlsInTabOrder()) names.emplace_back(entry->name);
    EXPECT_EQ(names, (std::vector<std::string>{"Btn_EntriPilihan", "Btn_EntriIsian", "Btn_Sedang", "Btn_Cepat",
                                                "Btn_Lambat", "Btn_Mulai", "Btn_Berhenti", "Txt_Waktu",
                                                "Txt_Perkembangan", "Txt_Nilai", "Btn_Tamvera", "Btn_ERapor",
                                                "Btn_Web", "Btn_Dapodik"}));
}

TEST(LayoutTest, EveryWindowedControlShowsItsOwnModelAndHasItsOwnId) {
    form::FormModel form;
    std::set<const void*> models;
    std::set<int> ids;
    for (const ControlEntry* entry : windowedControlsInTabOrder()) {
        ids.insert(controlId(*entry));
        EXPECT_GE(controlId(*entry), 100) << entry->name;  // clear of IDOK and IDCANCEL
        if (entry->kind == Kind::FlatButton) {
            ASSERT_NE(entry->button, nullptr) << entry->name;
            models.insert(&(form.*entry->button));
            EXPECT_EQ(utf8((form.*entry->button).displayName()), entry->name);
        } else {
            ASSERT_NE(entry->textBox, nullptr) << entry->name;
            models.insert(&(form.*entry->textBox));
        }
    }
    EXPECT_EQ(models.size(), 14u);
    EXPECT_EQ(ids.size(), 14u);
    // The holders are the model's, never windows.
    for (const char* holder : {"Txt_Total", "Txt_SaatIni", "Txt_WaktuTotal", "Txt_WaktuSaatIni"}) {
        ASSERT_NE(findControl(holder), nullptr);
        EXPECT_EQ(findControl(holder)->kind, Kind::ValueHolder);
        EXPECT_NE(findControl(holder)->textBox, nullptr);
    }
}

TEST(LayoutTest, FontsConvertToPixelHeights) {
    EXPECT_EQ(fontHeightPixels(8.25, 15), 11);
    EXPECT_EQ(fontHeightPixels(9, 15), 12);
    EXPECT_EQ(fontHeightPixels(9, 12), 15);
    EXPECT_EQ(fontHeightPixels(8.25, 10), 16);  // 16.5
}

}  // namespace
