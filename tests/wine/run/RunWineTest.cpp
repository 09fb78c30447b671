// Whole runs with the real platform against a stand-in report window under Wine.
#include <gtest/gtest.h>

#include "TestWindows.h"
#include "platform/Text.h"
#include "run/Messages.h"

using namespace tamvera;
using winetest::GridWindow;

namespace {

class RunWineTest : public ::testing::Test {
protected:
    winetest::TestPlatform platform;
    form::FormModel form;
    run::RunEngine engine{form, platform};
    winetest::GuardTicker ticker{[this] {
        if (!form.Timer_CekKesalahan_Enabled()) return;
        if (beforeGuardTick) beforeGuardTick();
        engine.Timer_CekKesalahan_Timer();
    }};
    std::function<void()> beforeGuardTick;

    void useGrid(const GridWindow& grid) {
        platform.setMessageFilter([&grid](MSG& msg) { return grid.handleDialogMessage(msg); });
        winetest::pumpUntil(platform, 100, nullptr);
        grid.focusAnchor();
        winetest::pumpUntil(platform, 100, nullptr);
    }
    // Keys are delivered through the message queue: let the last ones arrive.
    void settle(const std::function<bool()>& done) { winetest::pumpUntil(platform, 5000, done); }
};

TEST_F(RunWineTest, ValuesLandInTheirFieldsExactly) {
    const std::vector<std::vector<std::u16string>> values = {
        {u"85", u"B+", u"90"}, {u"70", u"85%", u"(A)"}, {u"~", u"7,5", u"{TAB 3}"}};
    GridWindow grid({L"RAPOR Online - Uji Kelas 7A", 3, 3});
    useGrid(grid);
    engine.Btn_EntriIsian_Click();
    form.Txt_Nilai.setTextFromView(winetest::gradeList(values));

    form.Btn_Mulai.Click();
    settle([&] { return grid.cellText(2, 2) == L"{TAB 3}"; });

    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) {
            const std::u16string& v = values[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            EXPECT_EQ(grid.cellText(r, c), std::wstring(v.begin(), v.end())) << "row " << r << " column " << c;
        }
    ASSERT_EQ(platform.shownMessages.size(), 1u);  // the confirmation only
    EXPECT_EQ(platform.shownMessages[0], run::kConfirmText);
    EXPECT_EQ(form.Txt_Perkembangan.Text(), u"9 dari 9 Nilai");
    EXPECT_EQ(form.Txt_Waktu.Text(), u"0 Detik Lagi");
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
    EXPECT_FALSE(form.running());
}

TEST_F(RunWineTest, AnotherWindowInFrontStopsTheRunAtTheNextRow) {
    constexpr int kRows = 12, kColumns = 3;
    std::vector<std::vector<std::u16string>> values(kRows);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) values[static_cast<std::size_t>(r)].push_back(
            u"" + std::u16string(1, static_cast<char16_t>(u'1' + c)) + std::u16string(1, static_cast<char16_t>(u'a' + r)));
    GridWindow grid({L"RAPOR Online - Uji Kelas 7B", kRows, kColumns});
    winetest::PlainWindow notes(L"Catatan");
    useGrid(grid);
    engine.Btn_EntriIsian_Click();
    form.Txt_Nilai.setTextFromView(winetest::gradeList(values));

    // When the last value of row 2 has been typed, the user brings another window to
    // the front; the next guard tick sees it.
    bool switched = false;
    platform.afterMessages = [&] {
        if (!switched && form.Txt_SaatIni.Text() == u"6") {
            switched = true;
            SetForegroundWindow(notes.hwnd());
        }
    };
    form.Btn_Mulai.Click();
    settle([&] { return grid.cellText(1, 2) == L"3b"; });

    ASSERT_TRUE(switched);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < kColumns; ++c) {
            const std::u16string& v = values[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            EXPECT_EQ(grid.cellText(r, c), std::wstring(v.begin(), v.end()));
        }
    for (int r = 2; r < kRows; ++r)
        for (int c = 0; c < kColumns; ++c) EXPECT_EQ(grid.cellText(r, c), L"") << "row " << r;

    ASSERT_EQ(platform.shownMessages.size(), 2u);
    EXPECT_EQ(form.Kesalahan, 0);
    // The run stopped at a row's start, before the end of the list, and says where.
    const int typed = std::stoi(std::string(form.Txt_SaatIni.Text().begin(), form.Txt_SaatIni.Text().end()));
    EXPECT_LT(typed, kRows * kColumns);
    EXPECT_EQ(typed % kColumns, 0);
    EXPECT_EQ(platform.shownMessages[1],
              std::u16string(run::kApologyText) +
                  utf16("\nPengisian berhenti di baris " + std::to_string(typed / kColumns + 1) + ", kolom 1: " +
                        std::to_string(typed) + " dari " + std::to_string(kRows * kColumns) +
                        " nilai sudah diketik."));
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
}

TEST_F(RunWineTest, NoTargetWindowShowsTheApology) {
    form.Txt_Nilai.setTextFromView(u"85");
    engine.Btn_Dapodik_Click();
    form.Btn_Mulai.Click();
    ASSERT_EQ(platform.shownMessages.size(), 2u);
    EXPECT_EQ(platform.shownMessages[1],
              std::u16string(run::kApologyText) + u"\nPengisian berhenti di baris 1, kolom 1: 0 dari 1 nilai sudah diketik.");
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
}

}  // namespace
