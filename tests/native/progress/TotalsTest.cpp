// The value count, the time estimate and the live texts they drive, over a hand-off
// file placed in the test double's file system.
#include <gtest/gtest.h>

#include <string>

#include "form/FormModel.h"
#include "platform/Failure.h"
#include "platform/Text.h"
#include "run/RunEngine.h"
#include "support/FakePlatform.h"

using namespace tamvera;

namespace {

class TotalsTest : public ::testing::Test {
protected:
    tamvera::testing::FakePlatform fake;
    form::FormModel form;
    run::RunEngine engine{form, fake};

    void handOff(std::string bytes) { fake.files[u"C:\\Tamvera\\Engine.dll"] = std::move(bytes); }
    std::string total() const { return utf8(form.Txt_Total.Text()); }
    std::string estimate() const { return utf8(form.Txt_WaktuTotal.Text()); }
    void estimateWith(void (run::RunEngine::*speed)(), void (run::RunEngine::*mode)()) {
        (engine.*speed)();
        (engine.*mode)();
        engine.HitungWaktu();
    }
    static std::string rows(int n, const std::string& row) {
        std::string s;
        for (int i = 0; i < n; ++i) s += row + "\r\n";
        return s;
    }
};

TEST_F(TotalsTest, EstimateCountsStepsByModeAndSpeed) {
    using E = run::RunEngine;
    handOff("80\r\n75\r\n90\r\n");
    const struct {
        void (E::*speed)();
        void (E::*mode)();
        const char* expected;
    } cases[] = {
        {&E::Btn_Cepat_Click, &E::Btn_EntriIsian_Click, "0.6"},   {&E::Btn_Sedang_Click, &E::Btn_EntriIsian_Click, "1.2"},
        {&E::Btn_Lambat_Click, &E::Btn_EntriIsian_Click, "1.8"},
        // A choice value waits 4 x 0.1 s + 0.15 s, its row 0.1 s more: 0.65 s a row at x1.
        {&E::Btn_Cepat_Click, &E::Btn_EntriPilihan_Click, "1.95"},
        {&E::Btn_Sedang_Click, &E::Btn_EntriPilihan_Click, "3.9"},
        {&E::Btn_Lambat_Click, &E::Btn_EntriPilihan_Click, "5.85"},
    };
    for (const auto& c : cases) {
        estimateWith(c.speed, c.mode);
        EXPECT_EQ(estimate(), c.expected);
    }
}

TEST_F(TotalsTest, EmptyCellsCostStepsButAreNotCounted) {
    handOff("80\t\t90\r\n");
    engine.HitungTotal();
    EXPECT_EQ(total(), "2");
    estimateWith(&run::RunEngine::Btn_Cepat_Click, &run::RunEngine::Btn_EntriIsian_Click);
    EXPECT_EQ(estimate(), "0.4");  // 3 cells + the row
    estimateWith(&run::RunEngine::Btn_Cepat_Click, &run::RunEngine::Btn_EntriPilihan_Click);
    EXPECT_EQ(estimate(), "1.35");  // 2 x 0.55 for the values + 0.15 for the empty cell + 0.1

    // Two TABs: three empty cells; a space is a value; an empty row costs one step.
    handOff("\t\t\r\n \r\n\r\n");
    engine.HitungTotal();
    EXPECT_EQ(total(), "1");
    estimateWith(&run::RunEngine::Btn_Cepat_Click, &run::RunEngine::Btn_EntriPilihan_Click);
    EXPECT_EQ(estimate(), "1.3");  // (3 x 0.15 + 0.1) + (0.55 + 0.1) + 0.1

    handOff("");
    engine.HitungTotal();
    engine.HitungWaktu();
    EXPECT_EQ(total(), "0");
    EXPECT_EQ(estimate(), "0");
}

TEST_F(TotalsTest, ManyStepsAddUpExactly) {
    handOff(rows(100, "85"));
    estimateWith(&run::RunEngine::Btn_Cepat_Click, &run::RunEngine::Btn_EntriIsian_Click);
    EXPECT_EQ(estimate(), "20");

    handOff("85\r\n");
    estimateWith(&run::RunEngine::Btn_Lambat_Click, &run::RunEngine::Btn_EntriPilihan_Click);
    EXPECT_EQ(estimate(), "1.95");  // (4 x 0.1 + 0.15 + 0.1) x 3
}

TEST_F(TotalsTest, NoSpeedChosenAddsNothingAndTwoChosenAddBoth) {
    handOff("85\r\n");
    engine.Btn_EntriIsian_Click();
    form.Btn_Cepat.setBtnStyle(0);
    engine.HitungWaktu();
    EXPECT_EQ(estimate(), "0");
    form.Btn_Cepat.setBtnStyle(2);
    form.Btn_Lambat.setBtnStyle(2);
    engine.HitungWaktu();
    EXPECT_EQ(estimate(), "0.8");  // 2 steps of 0.1 + 0.3
}

TEST_F(TotalsTest, UsersDecimalSeparatorRoundTrips) {
    fake.decimalSep = u',';
    handOff("80\r\n75\r\n90\r\n");
    estimateWith(&run::RunEngine::Btn_Sedang_Click, &run::RunEngine::Btn_EntriIsian_Click);
    EXPECT_EQ(estimate(), "1,2");
    for (int i = 0; i < 3; ++i) engine.TambahWaktuSaatIni();
    EXPECT_EQ(utf8(form.Txt_WaktuSaatIni.Text()), "0,6");
    EXPECT_EQ(utf8(form.Txt_Waktu.Text()), "1 Detik Lagi");  // 0.6 s left
}

TEST_F(TotalsTest, ARaisedFlagStopsTheEstimateAndStaysForTheTypingLoop) {
    handOff("80\r\n75\r\n");
    engine.Btn_EntriIsian_Click();
    form.Kesalahan = 1;
    engine.HitungTotal();
    engine.HitungWaktu();
    EXPECT_EQ(total(), "2");
    EXPECT_EQ(estimate(), "0");
    EXPECT_EQ(form.Kesalahan, 1);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(TotalsTest, RowAndCellLimits) {
    handOff(rows(32766, ""));
    engine.HitungTotal();
    EXPECT_EQ(total(), "0");
    engine.HitungWaktu();
    EXPECT_EQ(estimate(), "3276.6");

    handOff(rows(32767, ""));
    EXPECT_THROW(engine.HitungTotal(), Failure);
    EXPECT_THROW(engine.HitungWaktu(), Failure);

    std::string wide = "1";
    for (int i = 1; i < 32767; ++i) wide += "\t1";
    handOff(wide + "\r\n");
    engine.HitungTotal();
    EXPECT_EQ(total(), "32767");
    handOff(wide + "\t1\r\n");
    EXPECT_THROW(engine.HitungTotal(), Failure);
    EXPECT_EQ(fake.openFiles, 0);
}

TEST_F(TotalsTest, MissingFileOrNonNumberHolderFails) {
    EXPECT_THROW(engine.HitungTotal(), Failure);
    handOff("85\r\n");
    form.Txt_WaktuTotal.setTextFromView(u"abc");
    EXPECT_THROW(engine.TambahWaktu(), Failure);
    EXPECT_THROW(engine.TambahWaktuSaatIni(), Failure);  // the rebuild reads the estimate
}

// Every assignment rebuilds, also the resets, which show the previous run's total and
// estimate until the first value and the first step.
TEST_F(TotalsTest, ResetsRebuildAgainstThePreviousRunsTotals) {
    handOff("80\r\n90\r\n");
    engine.Btn_EntriIsian_Click();
    engine.HitungTotal();
    EXPECT_EQ(utf8(form.Txt_Perkembangan.Text()), "0 dari 0 Nilai");
    engine.HitungWaktu();
    EXPECT_EQ(utf8(form.Txt_Waktu.Text()), "0 Detik Lagi");
    form.Txt_SaatIni.setText(u"2");
    EXPECT_EQ(utf8(form.Txt_Perkembangan.Text()), "2 dari 2 Nilai");

    form.Txt_WaktuTotal.setText(u"65.3");
    form.Txt_WaktuSaatIni.setText(u"5.3");
    EXPECT_EQ(utf8(form.Txt_Waktu.Text()), "1 Menit Lagi");
    form.Txt_WaktuSaatIni.setText(u"5.2");
    EXPECT_EQ(utf8(form.Txt_Waktu.Text()), "1 Menit 0 Detik Lagi");

    handOff("80\r\n");
    engine.HitungTotal();
    EXPECT_EQ(utf8(form.Txt_Perkembangan.Text()), "0 dari 2 Nilai");
    EXPECT_EQ(total(), "1");
}

}  // namespace
