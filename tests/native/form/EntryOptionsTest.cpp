// The option groups and their coupling, and the form's initial state.
#include <gtest/gtest.h>

#include <vector>

#include "../controls/RecordingHost.h"
#include "form/EntryOptions.h"
#include "form/FormModel.h"
#include "platform/Text.h"
#include "run/RunEngine.h"
#include "support/FakePlatform.h"

using namespace tamvera;

namespace {

class OptionsTest : public ::testing::Test {
protected:
    tamvera::testing::FakePlatform fake;
    form::FormModel form;
    run::RunEngine engine{form, fake};

    std::vector<int> targets() const {
        return {form.Btn_Tamvera.BtnStyle(), form.Btn_ERapor.BtnStyle(), form.Btn_Dapodik.BtnStyle()};
    }
    std::vector<int> modes() const { return {form.Btn_EntriIsian.BtnStyle(), form.Btn_EntriPilihan.BtnStyle()}; }
    std::vector<int> speeds() const {
        return {form.Btn_Cepat.BtnStyle(), form.Btn_Sedang.BtnStyle(), form.Btn_Lambat.BtnStyle()};
    }
};

TEST_F(OptionsTest, TheFormOpensWithItsDefaults) {
    EXPECT_EQ(targets(), (std::vector<int>{2, 0, 0}));
    EXPECT_EQ(modes(), (std::vector<int>{0, 2}));
    EXPECT_EQ(speeds(), (std::vector<int>{2, 0, 0}));
    EXPECT_EQ(form.Btn_Mulai.BtnStyle(), 1);
    EXPECT_EQ(form.Btn_Berhenti.BtnStyle(), 0);
    const std::vector<std::pair<const controls::ucBtnFacebook*, const char*>> captions = {
        {&form.Btn_Tamvera, "Tamvera"}, {&form.Btn_ERapor, "E-Rapor"},      {&form.Btn_Dapodik, "Dapodik"},
        {&form.Btn_EntriIsian, "Isian"}, {&form.Btn_EntriPilihan, "Pilihan"}, {&form.Btn_Cepat, "Cepat"},
        {&form.Btn_Sedang, "Sedang"},    {&form.Btn_Lambat, "Lambat"},        {&form.Btn_Mulai, "Mulai"},
        {&form.Btn_Berhenti, "Berhenti"}, {&form.Btn_Web, "Informasi"}};
    for (const auto& [button, caption] : captions) {
        EXPECT_EQ(utf8(button->Caption()), caption);
        EXPECT_TRUE(button->Enabled()) << caption;
    }
    EXPECT_EQ(utf8(form.Txt_Nilai.Text()), "Masukan Nilai ...\r\n");
    for (const form::TextBox* holder :
         {&form.Txt_Total, &form.Txt_SaatIni, &form.Txt_WaktuTotal, &form.Txt_WaktuSaatIni})
        EXPECT_EQ(utf8(holder->Text()), "0");
    EXPECT_EQ(utf8(form.Txt_Perkembangan.Text()), "N/A");
    EXPECT_EQ(utf8(form.Txt_Waktu.Text()), "N/A");
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
    EXPECT_EQ(form::FormModel::kGuardIntervalMs, 1000u);
}

TEST_F(OptionsTest, ERaporAndDapodikForceFillInAndLockChoice) {
    form.Btn_Dapodik.Click();
    EXPECT_EQ(targets(), (std::vector<int>{0, 0, 2}));
    EXPECT_EQ(modes(), (std::vector<int>{2, 0}));
    EXPECT_FALSE(form.Btn_EntriPilihan.Enabled());
    EXPECT_EQ(form::options::TargetTitle(form), u"Aplikasi Dapodik");

    form.Btn_ERapor.Click();
    EXPECT_EQ(targets(), (std::vector<int>{0, 2, 0}));
    EXPECT_EQ(modes(), (std::vector<int>{2, 0}));
    EXPECT_FALSE(form.Btn_EntriPilihan.Enabled());
    EXPECT_EQ(form::options::TargetTitle(form), u"e-Rapor");

    form.Btn_Tamvera.Click();
    EXPECT_EQ(targets(), (std::vector<int>{2, 0, 0}));
    EXPECT_EQ(modes(), (std::vector<int>{0, 2}));
    EXPECT_TRUE(form.Btn_EntriPilihan.Enabled());
    EXPECT_EQ(form::options::TargetTitle(form), u"RAPOR Online");

    form.Btn_EntriIsian.Click();
    EXPECT_EQ(modes(), (std::vector<int>{2, 0}));
    form.Btn_Cepat.Click();
    EXPECT_EQ(modes(), (std::vector<int>{2, 0}));  // other groups leave the mode alone
}

// Through the button itself: the press and release that choose Pilihan while it is
// enabled do nothing once Dapodik has disabled it.
TEST_F(OptionsTest, ADisabledPilihanTakesNoClick) {
    controls::testing::RecordingHost host;
    form.Btn_EntriPilihan.attachHost(&host);
    const auto clickPilihan = [&] {
        form.Btn_EntriPilihan.onMouseDown(controls::mouse::Left, 0, 600, 150);
        form.Btn_EntriPilihan.onMouseUp(controls::mouse::Left, 0, 600, 150);
    };
    form.Btn_EntriIsian.Click();
    clickPilihan();
    EXPECT_EQ(modes(), (std::vector<int>{0, 2}));
    form.Btn_Dapodik.Click();
    clickPilihan();
    EXPECT_EQ(modes(), (std::vector<int>{2, 0}));
    form.Btn_EntriPilihan.detachHost();
}

TEST_F(OptionsTest, SpeedGroupAlwaysHasOneChosen) {
    form.Btn_Sedang.Click();
    form.Btn_Sedang.Click();
    EXPECT_EQ(speeds(), (std::vector<int>{0, 2, 0}));
    form.Btn_Lambat.Click();
    EXPECT_EQ(speeds(), (std::vector<int>{0, 0, 2}));
    form.Btn_Cepat.Click();
    EXPECT_EQ(speeds(), (std::vector<int>{2, 0, 0}));
}

TEST_F(OptionsTest, NoTargetChosenActivatesNothing) {
    form.Btn_Tamvera.setBtnStyle(0);
    EXPECT_FALSE(form::options::TargetTitle(form).has_value());
    EXPECT_FALSE(form::options::GuardWatchesForeground(form));
}

// The window hears of every change the program makes, but not of its own edits.
class RecordingObserver : public form::FormObserver {
public:
    std::vector<std::string> seen;
    void textChanged(form::TextId id) override { seen.push_back("text " + std::to_string(static_cast<int>(id))); }
    void gradeTextChanged() override { seen.push_back("grade"); }
    void guardTimerChanged(bool enabled) override { seen.push_back(enabled ? "guard on" : "guard off"); }
    void runningChanged(bool running) override { seen.push_back(running ? "running" : "idle"); }
};

TEST_F(OptionsTest, ClickingTheGradeBoxEmptiesItAndTellsTheWindow) {
    RecordingObserver observer;
    form.setObserver(&observer);
    form.Txt_Nilai.setTextFromView(u"80\r\n90");
    EXPECT_TRUE(observer.seen.empty());
    engine.Txt_Nilai_Click();
    EXPECT_EQ(form.Txt_Nilai.Text(), u"");
    engine.Txt_Nilai_Click();
    EXPECT_EQ(observer.seen, (std::vector<std::string>{"grade", "grade"}));

    // Every assignment counts as a change, also one that keeps the text.
    observer.seen.clear();
    form.Txt_SaatIni.setText(u"0");
    EXPECT_EQ(utf8(form.Txt_Perkembangan.Text()), "0 dari 0 Nilai");
    const auto perkembangan = "text " + std::to_string(static_cast<int>(form::TextId::Txt_Perkembangan));
    const auto saatIni = "text " + std::to_string(static_cast<int>(form::TextId::Txt_SaatIni));
    EXPECT_EQ(observer.seen, (std::vector<std::string>{saatIni, perkembangan}));
    form.setObserver(nullptr);

    // A user's edit of a holder that is not a number leaves the display alone.
    form.Txt_WaktuSaatIni.setText(u"0");
    EXPECT_NO_THROW(form.Txt_WaktuSaatIni.setTextFromView(u"abc"));
    EXPECT_EQ(utf8(form.Txt_Waktu.Text()), "0 Detik Lagi");
}

}  // namespace
