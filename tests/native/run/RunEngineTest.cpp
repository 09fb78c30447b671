// Whole runs through the start button: keys, pauses and counters in order, the guard,
// the abort, failures and the hand-off file.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "RunFixture.h"

namespace tamvera::runtest {
namespace {

const std::string kConfirmBox = "box Tamvera: Jangan sentuh mouse/keyboard pada saat proses berlangsung!";

TEST_F(RunTest, WorkedExampleFillInOnlineFast) {
    engine.Btn_EntriIsian_Click();
    start(u"80\r\n90");

    EXPECT_EQ(handOffBytes(), "80\r\n90\r\n");
    const Events before(fake.log.begin(), fake.log.begin() + 4);
    EXPECT_EQ(before, (Events{kConfirmBox, "cursor 0,0", "guard on", "write C:\\Tamvera\\Engine.dll"}));
    EXPECT_EQ(events(), (Events{"activate RAPOR Online - Kelas 7A", "P2.00", "N0", "T0", "{TAB}",
                                "80", "N1", "P0.10", "T0.1", "{TAB}", "P0.10", "T0.2",
                                "90", "N2", "P0.10", "T0.3", "{TAB}", "P0.10", "T0.4",
                                "beep 2000,300", "beep 2000,300", "guard off"}));
    EXPECT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(fake.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(text(form.Txt_Perkembangan), "2 dari 2 Nilai");
    EXPECT_EQ(text(form.Txt_Waktu), "0 Detik Lagi");
    EXPECT_EQ(fake.openFiles, 0);
    EXPECT_EQ(fake.fineTimingDepth, 0);
    EXPECT_FALSE(form.running());
}

TEST_F(RunTest, OneRowPerModeAndTarget) {
    const struct {
        void (run::RunEngine::*target)();
        bool choice;
        const char* activated;
        Events row;
    } cases[] = {
        {&run::RunEngine::Btn_Tamvera_Click, false, "activate RAPOR Online - Kelas 7A",
         {"85", "N1", "P0.10", "T0.1", "{TAB}", "P0.10", "T0.2"}},
        {&run::RunEngine::Btn_ERapor_Click, false, "activate e-Rapor SMP",
         {"85", "N1", "P0.10", "T0.1", "{TAB}", "P0.10", "T0.2"}},
        {&run::RunEngine::Btn_Dapodik_Click, false, "activate Aplikasi Dapodik v2023",
         {"{RIGHT}", "{ENTER}", "85", "{ENTER}", "N1", "P0.10", "T0.1", "P0.10", "T0.2", "{RIGHT}", "{RIGHT}"}},
        {&run::RunEngine::Btn_Tamvera_Click, true, "activate RAPOR Online - Kelas 7A",
         {"{ENTER}", "P0.10", "T0.1", "{TAB}", "P0.10", "T0.2", "{ENTER}", "P0.10", "T0.3", "85", "P0.10", "T0.4",
          "{ENTER}", "N1", "P0.15", "T0.55", "{TAB}", "P0.10", "T0.65"}},
    };
    for (const auto& c : cases) {
        fake.log.clear();
        fake.stamps.clear();
        (engine.*c.target)();
        if (!c.choice) engine.Btn_EntriIsian_Click();
        start(u"85");
        EXPECT_EQ(events().front(), c.activated);
        EXPECT_EQ(rowEvents(), c.row) << c.activated;
    }
}

TEST_F(RunTest, EmptyCellsAndRows) {
    engine.Btn_EntriIsian_Click();
    start(u"85\t\t90\r\n");  // the trailing line break gives an empty last row
    EXPECT_EQ(handOffBytes(), "85\t\t90\r\n\r\n");
    EXPECT_EQ(rowEvents(), (Events{"85", "N1", "P0.10", "T0.1", "{TAB}", "P0.10", "T0.2", "{TAB}", "90", "N2", "P0.10",
                                   "T0.3", "{TAB}", "P0.10", "T0.4", "P0.10", "T0.5"}));
    EXPECT_EQ(text(form.Txt_Perkembangan), "2 dari 2 Nilai");

    fake.log.clear();
    fake.stamps.clear();
    engine.Btn_Tamvera_Click();  // choice entry
    start(u"\t85");
    EXPECT_EQ(rowEvents(), (Events{"P0.15", "T0.15", "{TAB}", "{ENTER}", "P0.10", "T0.25", "{TAB}", "P0.10", "T0.35",
                                   "{ENTER}", "P0.10", "T0.45", "85", "P0.10", "T0.55", "{ENTER}", "N1", "P0.15",
                                   "T0.7", "{TAB}", "P0.10", "T0.8"}));
    // Every pause counts with its own length, so the estimate is the run's real length.
    EXPECT_EQ(text(form.Txt_WaktuTotal), "0.8");
    EXPECT_EQ(text(form.Txt_Waktu), "0 Detik Lagi");
}

// The remaining time tells the truth: the estimate is the time the run then waits, in
// every mode and at every speed, empty cells and rows included.
TEST_F(RunTest, TheEstimateIsTheTimeTheRunWaits) {
    using E = run::RunEngine;
    const std::u16string list = u"80\t\t90\r\n\r\n\t7\t100\r\n85";
    const struct {
        void (E::*target)();
        void (E::*mode)();
    } setups[] = {{&E::Btn_Tamvera_Click, &E::Btn_EntriPilihan_Click},
                  {&E::Btn_Tamvera_Click, &E::Btn_EntriIsian_Click},
                  {&E::Btn_Dapodik_Click, &E::Btn_EntriIsian_Click}};
    for (const auto& setup : setups) {
        for (void (E::*speed)() : {&E::Btn_Cepat_Click, &E::Btn_Sedang_Click, &E::Btn_Lambat_Click}) {
            (engine.*setup.target)();
            (engine.*setup.mode)();
            (engine.*speed)();
            fake.log.clear();
            fake.stamps.clear();
            start(list);
            const auto from = std::find(fake.log.begin(), fake.log.end(), "T0");  // the estimate is made
            const auto to = std::find(fake.log.begin(), fake.log.end(), "beep 2000,300");
            ASSERT_NE(from, fake.log.end());
            ASSERT_NE(to, fake.log.end());
            const double waited = fake.stamps[to - fake.log.begin()] - fake.stamps[from - fake.log.begin()];
            const double estimate = std::stod(text(form.Txt_WaktuTotal));
            // Each pause may end up to a millisecond late on the test clock.
            EXPECT_NEAR(waited, estimate, 0.03) << text(form.Txt_WaktuTotal);
            EXPECT_EQ(text(form.Txt_WaktuSaatIni), text(form.Txt_WaktuTotal));
            EXPECT_EQ(text(form.Txt_Waktu), "0 Detik Lagi");
        }
    }
}

// An empty cell moves one field over, so the row's later values keep their columns.
TEST_F(RunTest, DapodikEmptyCellsKeepTheirField) {
    engine.Btn_Dapodik_Click();
    start(u"80\t\t90\r\n");
    EXPECT_EQ(rowEvents(), (Events{"{RIGHT}", "{ENTER}", "80", "{ENTER}", "N1", "P0.10", "T0.1",
                                   "{RIGHT}", "P0.10", "T0.2",
                                   "{RIGHT}", "{ENTER}", "90", "{ENTER}", "N2", "P0.10", "T0.3",
                                   "P0.10", "T0.4", "{RIGHT}", "{RIGHT}",
                                   "P0.10", "T0.5", "{RIGHT}", "{RIGHT}"}));
}

TEST_F(RunTest, ValuesAreTypedLiterallyWithTheirSpaces) {
    engine.Btn_EntriIsian_Click();
    start(u" 85\tB+\t85%\t{TAB 300}\t~\t(A)\t^a\t90 ");
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", " 85", "{TAB}", "B+", "{TAB}", "85%", "{TAB}", "{TAB 300}", "{TAB}", "~",
                                    "{TAB}", "(A)", "{TAB}", "^a", "{TAB}", "90 ", "{TAB}"}));
    EXPECT_TRUE(fake.beeps.size() == 2);

    // Choice entry types a value outside its table literally too, and Dapodik as well.
    fake.log.clear();
    engine.Btn_EntriPilihan_Click();
    start(u"B+");
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "{ENTER}", "{TAB}", "{ENTER}", "B+", "{ENTER}", "{TAB}"}));
    fake.log.clear();
    engine.Btn_Dapodik_Click();
    start(u"{TAB 300}");
    EXPECT_EQ(fake.typed(), (Events{"{RIGHT}", "{RIGHT}", "{ENTER}", "{TAB 300}", "{ENTER}", "{RIGHT}", "{RIGHT}"}));
}

// The whole choice table, and values outside it typed once as they are; every press is
// a key string of its own.
TEST_F(RunTest, ChoiceValuesBecomePressesOfTheirFirstDigit) {
    const struct {
        const char16_t* value;
        const char* key;
        std::size_t presses;
    } cases[] = {{u"1", "1", 12},   {u"2", "2", 11},     {u"3", "3", 11},   {u"4", "4", 11},   {u"5", "5", 11},
                 {u"6", "6", 11},   {u"7", "7", 11},     {u"8", "8", 11},   {u"9", "9", 11},   {u"10", "1", 11},
                 {u"11", "1", 10},  {u"22", "2", 8},     {u"33", "3", 7},   {u"44", "4", 6},   {u"55", "5", 5},
                 {u"66", "6", 4},   {u"77", "7", 3},     {u"88", "8", 2},   {u"99", "9", 1},   {u"85", "85", 1},
                 {u"100", "100", 1}, {u"12", "12", 1},   {u"0", "0", 1},    {u"05", "05", 1},  {u"5.0", "5.0", 1},
                 {u" 5", " 5", 1},  {u"5 ", "5 ", 1}};
    std::u16string row;
    Events expected{"{TAB}"};
    for (const auto& c : cases) {
        row += (row.empty() ? u"" : u"\t") + std::u16string(c.value);
        expected.insert(expected.end(), {"{ENTER}", "{TAB}", "{ENTER}"});
        expected.insert(expected.end(), c.presses, c.key);
        expected.insert(expected.end(), {"{ENTER}", "{TAB}"});
    }
    start(row);
    EXPECT_EQ(fake.typed(), expected);
}

// A window that came to the front for a guard tick and went again: the keys of the row
// go to the target in front, and the run stops at the start of the next row.
TEST_F(RunTest, GuardInRowThreeStopsBeforeRowFour) {
    engine.Btn_EntriIsian_Click();
    bool raised = false;
    fake.onProcessMessages = [&] {
        if (!raised && form.Txt_SaatIni.Text() == u"3") {
            raised = true;
            fake.foregroundTitle = "Catatan";
            engine.Timer_CekKesalahan_Timer();
            fake.foregroundTitle = "RAPOR Online - Kelas 7A";
        }
    };
    start(u"1\r\n2\r\n3\r\n4\r\n5");
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "1", "{TAB}", "2", "{TAB}", "3", "{TAB}"}));
    EXPECT_EQ(count(apologyStoppedAt("baris 4, kolom 1: 3 dari 5")), 1u);
    EXPECT_EQ(form.Kesalahan, 0);
    EXPECT_EQ(fake.openFiles, 0);
    EXPECT_EQ(fake.beeps.size(), 2u);
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
    // The main window takes the focus before the message; the beeps follow it.
    const auto e = events();
    const auto box = std::find(e.begin(), e.end(), apologyStoppedAt("baris 4, kolom 1: 3 dari 5"));
    ASSERT_NE(box, e.end());
    EXPECT_EQ(*(box - 1), "focus");
    EXPECT_EQ(*(box + 1), "beep 2000,300");
    EXPECT_EQ(text(form.Txt_Perkembangan), "3 dari 5 Nilai");
}

// With the online report or e-Rapor target the foreground is tested before every key
// string: a window that takes the front mid-row gets nothing, and the run ends there as
// at a raised flag.
TEST_F(RunTest, AForeignWindowInFrontStopsTheRunBeforeTheNextKey) {
    using E = run::RunEngine;
    const struct {
        void (E::*target)();
        void (E::*mode)();
        const char16_t* list;
        std::size_t sentBefore;  // key strings sent when the other window takes the front
        Events typed;
        std::string box;  // where the apology says the run stopped
    } cases[] = {
        // after a value's keys: its TAB is not sent, and the value counts as typed
        {&E::Btn_Tamvera_Click, &E::Btn_EntriIsian_Click, u"80\t81\t82\r\n90", 4, {"{TAB}", "80", "{TAB}", "81"},
         apologyStoppedAt("baris 1, kolom 3: 2 dari 4")},
        // inside a row of several values: the next value is not sent
        {&E::Btn_ERapor_Click, &E::Btn_EntriIsian_Click, u"80\t81\t82\r\n90", 3, {"{TAB}", "80", "{TAB}"},
         apologyStoppedAt("baris 1, kolom 2: 1 dari 4")},
        // past an empty cell: it keeps its column
        {&E::Btn_Tamvera_Click, &E::Btn_EntriIsian_Click, u"80\t\t82\r\n90", 4, {"{TAB}", "80", "{TAB}", "{TAB}"},
         apologyStoppedAt("baris 1, kolom 3: 1 dari 3")},
        // between two presses of a choice: a value cut short is not typed
        {&E::Btn_Tamvera_Click, &E::Btn_EntriPilihan_Click, u"1\t85", 7,
         {"{TAB}", "{ENTER}", "{TAB}", "{ENTER}", "1", "1", "1"}, apologyStoppedAt("baris 1, kolom 1: 0 dari 2")},
        // after the last value's keys: nothing left to say
        {&E::Btn_Tamvera_Click, &E::Btn_EntriIsian_Click, u"80", 2, {"{TAB}", "80"}, kApologyBox},
    };
    for (const auto& c : cases) {
        (engine.*c.target)();
        (engine.*c.mode)();
        fake.log.clear();
        fake.stamps.clear();
        fake.sentInputs.clear();
        fake.beeps.clear();
        fake.afterSend = [&] {
            if (fake.sentInputs.size() == c.sentBefore) fake.foregroundTitle = "Catatan";
        };
        start(c.list);
        EXPECT_EQ(fake.typed(), c.typed) << c.sentBefore;
        EXPECT_EQ(count(c.box), 1u) << c.sentBefore;
        EXPECT_EQ(form.Kesalahan, 0);
        EXPECT_EQ(fake.beeps.size(), 2u);
        EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
        EXPECT_EQ(fake.openFiles, 0);
    }
}

TEST_F(RunTest, AForeignWindowDuringTheStartWaitStopsTheRunBeforeAnyKey) {
    engine.Btn_EntriIsian_Click();
    fake.onProcessMessages = [&] {
        fake.foregroundTitle = "";  // the desktop
        engine.Timer_CekKesalahan_Timer();
    };
    start(u"80\r\n90");
    EXPECT_TRUE(fake.typed().empty());
    EXPECT_EQ(count(apologyStoppedAt("baris 1, kolom 1: 0 dari 2")), 1u);
    EXPECT_EQ(form.Kesalahan, 0);
    EXPECT_EQ(fake.beeps.size(), 2u);
    EXPECT_EQ(text(form.Txt_Total), "2");
}

TEST_F(RunTest, AFlagLeftFromAnEarlierRunIsClearedAtTheStart) {
    engine.Btn_EntriIsian_Click();
    form.Kesalahan = 1;
    start(u"80\r\n90");
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80", "{TAB}", "90", "{TAB}"}));
    EXPECT_EQ(count(kApologyBox), 0u);
    EXPECT_EQ(text(form.Txt_WaktuTotal), "0.4");
}

TEST_F(RunTest, CancelChangesNothing) {
    fake.answers.push_back(MessageAnswer::Cancel);
    start(u"80");
    EXPECT_EQ(fake.log, (Events{kConfirmBox}));
    EXPECT_TRUE(fake.files.empty());
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
    EXPECT_EQ(text(form.Txt_Perkembangan), "N/A");
}

TEST_F(RunTest, NoTargetWindowEndsWithTheApologyAndNoBeep) {
    fake.windowTitles = {u"Catatan", u"Online RAPOR"};
    start(u"80");
    EXPECT_EQ(fake.log, (Events{kConfirmBox, "cursor 0,0", "guard on", "write C:\\Tamvera\\Engine.dll", "guard off",
                                "focus", apologyStoppedAt("baris 1, kolom 1: 0 dari 1")}));
    EXPECT_EQ(fake.messages.back().icon, MessageIcon::Information);
    EXPECT_EQ(fake.messages.back().buttons, MessageButtons::Ok);
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
    EXPECT_EQ(fake.fineTimingDepth, 0);
    EXPECT_FALSE(form.running());
}

TEST_F(RunTest, ForegroundGuard) {
    const auto raises = [&](void (run::RunEngine::*target)(), const char* title) {
        (engine.*target)();
        form.Kesalahan = 0;
        fake.foregroundTitle = title;
        engine.Timer_CekKesalahan_Timer();
        return form.Kesalahan == 1;
    };
    for (const char* title : {"", "Catatan", "Desktop", "RAPO R"}) {
        EXPECT_FALSE(raises(&run::RunEngine::Btn_Dapodik_Click, title)) << title;
        EXPECT_TRUE(raises(&run::RunEngine::Btn_Tamvera_Click, title)) << title;
        EXPECT_TRUE(raises(&run::RunEngine::Btn_ERapor_Click, title)) << title;
    }
    for (const char* title : {"e-Rapor", "RAPOR Online", "rapor", "  Aplikasi RaPoR Siswa  ", "eRAPORt"}) {
        EXPECT_FALSE(raises(&run::RunEngine::Btn_Tamvera_Click, title)) << title;
        EXPECT_FALSE(raises(&run::RunEngine::Btn_ERapor_Click, title)) << title;
    }
    // The guard never lowers the flag.
    form.Kesalahan = 1;
    fake.foregroundTitle = "RAPOR Online";
    engine.Timer_CekKesalahan_Timer();
    EXPECT_EQ(form.Kesalahan, 1);
}

TEST_F(RunTest, HandOffFileBytes) {
    fake.answers = {MessageAnswer::Ok};
    start(u"80\r\n90\r\n");
    EXPECT_EQ(handOffBytes(), "80\r\n90\r\n\r\n");
    start(u"");
    EXPECT_EQ(handOffBytes(), "\r\n");
    EXPECT_TRUE(fake.typed().size() > 0);
    start(u"\u00e9\u20ac\t7");
    EXPECT_EQ(handOffBytes(), "\xE9\x80\t7\r\n");
}

TEST_F(RunTest, ACharacterOutsideTheCodePageIsRefusedBeforeActivation) {
    engine.Btn_EntriIsian_Click();
    start(u"80\t\u0100");
    EXPECT_EQ(handOffBytes(), "80\t?\r\n");
    EXPECT_TRUE(fake.activatedTitles.empty());
    EXPECT_TRUE(fake.typed().empty());
    EXPECT_EQ(count(kApologyBox), 1u);
    EXPECT_TRUE(fake.beeps.empty());
}

TEST_F(RunTest, AReadOnlyProgramFolderFallsBackToLocalAppData) {
    fake.readOnlyFolders.insert(u"C:\\Tamvera");
    engine.Btn_EntriIsian_Click();
    start(u"80");
    const std::u16string fallback = u"C:\\Users\\guru\\AppData\\Local\\Tamvera\\Engine.dll";
    EXPECT_EQ(fake.files.count(kHandOffPath), 0u);
    EXPECT_EQ(fake.files.at(fallback), "80\r\n");
    EXPECT_EQ(engine.handOffPath(), fallback);
    EXPECT_EQ(fake.opensForReading, 3);  // count, estimate, typing
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80", "{TAB}"}));

    fake.log.clear();
    fake.readOnlyFolders.insert(u"C:\\Users\\guru\\AppData\\Local\\Tamvera");
    start(u"90");
    EXPECT_EQ(count(kApologyBox), 1u);
    EXPECT_TRUE(fake.typed().empty());
    EXPECT_EQ(count("activate RAPOR Online - Kelas 7A"), 0u);
}

TEST_F(RunTest, ShortSendInputFailsTheRun) {
    engine.Btn_EntriIsian_Click();
    fake.insertLimit = 1;
    start(u"80\r\n90");
    EXPECT_EQ(fake.typed().size(), 1u);
    const std::string apology = apologyStoppedAt("baris 1, kolom 1: 0 dari 2");
    EXPECT_EQ(count(apology), 1u);
    // The report application is in front by now: the main window comes back for the message.
    const auto e = events();
    const auto box = std::find(e.begin(), e.end(), apology);
    ASSERT_NE(box, e.end());
    EXPECT_EQ(*(box - 1), "focus");
    EXPECT_TRUE(fake.beeps.empty());
    EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
    EXPECT_EQ(fake.openFiles, 0);
    EXPECT_EQ(fake.fineTimingDepth, 0);
}

TEST_F(RunTest, AnyOtherErrorEndsTheRunLikeAFailure) {
    engine.Btn_EntriIsian_Click();
    fake.onProcessMessages = [] { throw std::bad_alloc(); };
    start(u"80");
    const std::string apology = apologyStoppedAt("baris 1, kolom 1: 0 dari 1");
    EXPECT_EQ(count(apology), 1u);
    EXPECT_FALSE(form.running());
    // A holder that does not hold a number fails the run before any key.
    fake.onProcessMessages = nullptr;
    form.Txt_WaktuTotal.setTextFromView(u"x");
    start(u"80");
    EXPECT_EQ(count(apology), 2u);
    EXPECT_TRUE(fake.typed().empty());
}

TEST_F(RunTest, BerhentiEndsTheProgramMidRun) {
    engine.Btn_EntriIsian_Click();
    fake.onProcessMessages = [&] {
        if (form.Txt_SaatIni.Text() == u"1") form.Btn_Berhenti.Click();
    };
    EXPECT_THROW(start(u"80\r\n90"), testing::ProcessExited);
    EXPECT_EQ(fake.log.back(), "exit");
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80"}));
    EXPECT_EQ(fake.openFiles, 0);
    EXPECT_EQ(fake.fineTimingDepth, 0);
}

// Pressing "Berhenti" brings Tamvera's own window to the front, which stops the run before
// its next key; the apology waits for the release, so the click still ends the program.
TEST_F(RunTest, BerhentiPressedMidRowStillEndsTheProgram) {
    engine.Btn_EntriIsian_Click();
    fake.afterSend = [&] {
        if (fake.sentInputs.size() == 2) {  // "80" typed: the button goes down
            fake.foregroundTitle = "Tamvera";
            fake.mouseHeld = true;
        }
    };
    int heldPasses = 0;
    fake.onProcessMessages = [&] {
        if (fake.mouseHeld && ++heldPasses == 20) {
            fake.mouseHeld = false;
            form.Btn_Berhenti.Click();
        }
    };
    EXPECT_THROW(start(u"80\t81"), testing::ProcessExited);
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80"}));
    EXPECT_EQ(count(kApologyBox), 0u);
}

// A release never reported (a button stuck down) holds the run only so long: the apology
// still shows, and the stop is said as for any other.
TEST_F(RunTest, AButtonThatNeverComesUpDelaysTheApologyOnlyBriefly) {
    engine.Btn_EntriIsian_Click();
    double heldFrom = 0;
    fake.afterSend = [&] {
        if (fake.sentInputs.size() == 2) {
            fake.foregroundTitle = "Tamvera";
            fake.mouseHeld = true;
            heldFrom = fake.clock;
        }
    };
    start(u"80\t81");
    EXPECT_EQ(count(apologyStoppedAt("baris 1, kolom 2: 1 dari 2")), 1u);
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80"}));
    EXPECT_LT(fake.clock - heldFrom, 5.0);
}

TEST_F(RunTest, StartIsIgnoredWhileARunIsInProgress) {
    engine.Btn_EntriIsian_Click();
    int clicks = 0;
    fake.onProcessMessages = [&] {
        if (clicks++ == 50) {
            EXPECT_TRUE(form.running());
            EXPECT_EQ(fake.fineTimingDepth, 1);
            form.Btn_Mulai.Click();
        }
    };
    start(u"80\r\n90");
    EXPECT_EQ(count(kConfirmBox), 1u);
    EXPECT_EQ(count("write C:\\Tamvera\\Engine.dll"), 1u);
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80", "{TAB}", "90", "{TAB}"}));
    EXPECT_EQ(fake.beeps.size(), 2u);
    // Afterwards a new run starts normally.
    start(u"70");
    EXPECT_EQ(count(kConfirmBox), 2u);
}

TEST_F(RunTest, BeyondTheRowLimitNothingIsTyped) {
    std::u16string list;
    for (int i = 0; i < 32766; ++i) list += u"\r\n";  // the file adds the 32,767th row
    start(list);
    EXPECT_TRUE(fake.typed().empty());
    EXPECT_EQ(count(kApologyBox), 1u);
    EXPECT_EQ(fake.openFiles, 0);

    std::u16string wide = u"1";
    for (int i = 0; i < 32767; ++i) wide += u"\t";
    fake.log.clear();
    start(wide);
    EXPECT_TRUE(fake.typed().empty());
    EXPECT_EQ(count(kApologyBox), 1u);
}

// The speed is read inside every pause, the mode once per row, the Dapodik target at
// every point where it decides; the estimate stays.
TEST_F(RunTest, OptionsChangedDuringARunTakeEffectAtTheNextReadingPoint) {
    engine.Btn_EntriIsian_Click();
    bool switched = false;
    fake.onProcessMessages = [&] {
        if (!switched && form.Txt_SaatIni.Text() == u"1") {
            switched = true;
            form.Btn_Lambat.Click();
            form.Btn_EntriPilihan.Click();
        }
    };
    start(u"80\t81\r\n90");
    EXPECT_EQ(rowEvents(), (Events{"80", "N1", "P0.10", "T0.3", "{TAB}", "81", "N2", "P0.30", "T0.6", "{TAB}",
                                   "P0.30", "T0.9",
                                   "{ENTER}", "P0.30", "T1.2", "{TAB}", "P0.30", "T1.5", "{ENTER}", "P0.30", "T1.8",
                                   "90", "P0.30", "T2.1", "{ENTER}", "N3", "P0.45", "T2.55", "{TAB}", "P0.30",
                                   "T2.85"}));
    EXPECT_EQ(text(form.Txt_WaktuTotal), "0.5");

    // Dapodik chosen after a value: that cell's TAB is left out already.
    engine.Btn_Tamvera_Click();
    engine.Btn_EntriIsian_Click();
    engine.Btn_Cepat_Click();
    fake.log.clear();
    switched = false;
    fake.onProcessMessages = [&] {
        if (!switched && form.Txt_SaatIni.Text() == u"1") {
            switched = true;
            form.Btn_Dapodik.Click();
        }
    };
    start(u"80\t81");
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80", "{RIGHT}", "{ENTER}", "81", "{ENTER}", "{RIGHT}", "{RIGHT}"}));
}

}  // namespace
}  // namespace tamvera::runtest
