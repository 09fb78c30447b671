// A run that stopped, gone on from there: the keys and pauses from the stop on are a
// whole run's, the progress starts at the values already typed, and a field already done
// is never typed over.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "RunFixture.h"
#include "platform/Failure.h"

namespace tamvera::runtest {
namespace {

using E = run::RunEngine;

// Values that are no entry of the choice table, so each is one literal key in every form.
constexpr const char16_t* kClass = u"61\t62\t63\r\n64\t65\t67\r\n68\t69\t70";

struct Form {
    const char* name;
    void (E::*target)();
    void (E::*mode)();
    std::size_t keysPerValue;  // key strings of one value, its own navigation key included
    const char* clickLine;     // where the box of a stop at row 2, column 2 sends the teacher
};

class ResumeTest : public RunTest, public ::testing::WithParamInterface<Form> {
protected:
    ResumeTest() {
        (engine.*GetParam().target)();
        (engine.*GetParam().mode)();
    }

    void clearLog() {
        fake.log.clear();
        fake.stamps.clear();
    }

    // A run's log and moments, kept to compare with a later run's.
    struct Record {
        Events log;
        std::vector<double> stamps;
    };
    Record record() const { return {fake.log, fake.stamps}; }

    // The key strings from log line `from` on, each with the gap since the key before.
    static Events keyRecord(const Record& r, std::size_t from) {
        Events out;
        double last = -1;
        for (std::size_t i = from; i < r.log.size(); ++i) {
            if (r.log[i].rfind("keys ", 0) != 0) continue;
            char gap[32];
            std::snprintf(gap, sizeof gap, "%.2f ", last < 0 ? 0.0 : r.stamps[i] - last);
            out.push_back(gap + r.log[i].substr(5));
            last = r.stamps[i];
        }
        return out;
    }

    // The log line where value `number`'s keys start, found back from its count.
    std::size_t firstKeyOf(const Record& r, std::size_t number) const {
        auto i = static_cast<std::size_t>(std::find(r.log.begin(), r.log.end(), "N" + std::to_string(number)) -
                                          r.log.begin());
        for (std::size_t keys = 0; keys < GetParam().keysPerValue; --i)
            if (r.log[i - 1].rfind("keys ", 0) == 0) ++keys;
        return i;
    }

    // A run of the class that fails once `typed` values went out.
    void stopAfter(std::size_t typed) {
        fake.onProcessMessages = [this, typed] {
            if (form.Txt_SaatIni.Text() == utf16(std::to_string(typed))) throw Failure("stopped");
        };
        start(kClass);
        fake.onProcessMessages = nullptr;
    }
};

TEST_P(ResumeTest, GoesOnWithAWholeRunsKeysFromTheStop) {
    start(kClass);
    const Record whole = record();
    // Before a row's first value, in the middle of a row, before a row's last value.
    for (const std::size_t typed : {3u, 4u, 5u}) {
        stopAfter(typed);
        clearLog();
        std::string shownAtFirstKey;
        fake.afterSend = [&] {
            if (shownAtFirstKey.empty()) shownAtFirstKey = text(form.Txt_Perkembangan);
        };
        start(kClass);
        fake.afterSend = nullptr;
        const Events resumed = keyRecord(record(), 0);
        EXPECT_GT(resumed.size(), GetParam().keysPerValue);
        EXPECT_EQ(resumed, keyRecord(whole, firstKeyOf(whole, typed + 1))) << typed;
        EXPECT_EQ(shownAtFirstKey, std::to_string(typed) + " dari 9 Nilai");
        EXPECT_EQ(text(form.Txt_Perkembangan), "9 dari 9 Nilai");
        // The estimate counted only what was still to type.
        EXPECT_EQ(text(form.Txt_Waktu), "0 Detik Lagi");
    }
}

TEST_P(ResumeTest, TheBoxSaysWhichValueAndWhereToClick) {
    stopAfter(4);
    clearLog();
    fake.answers = {MessageAnswer::Cancel};
    start(kClass);
    ASSERT_EQ(fake.messages.back().buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(utf8(fake.messages.back().text),
              std::string("Lanjutkan dari baris 2, kolom 2 (nilai 65)?\nSebelum memilih Ya, klik dulu ") +
                  GetParam().clickLine +
                  ".\nYa: pengisian dilanjutkan dari nilai itu. Tidak: pengisian dimulai lagi dari awal.");
    // Batal: nothing at all; the stop is kept, and Tidak types the whole class.
    EXPECT_EQ(fake.log.size(), 1u);
    fake.answers = {MessageAnswer::No};
    start(kClass);
    EXPECT_EQ(text(form.Txt_Perkembangan), "9 dari 9 Nilai");
    EXPECT_EQ(count("N1"), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    EveryForm, ResumeTest,
    ::testing::Values(
        Form{"RaporIsian", &E::Btn_Tamvera_Click, &E::Btn_EntriIsian_Click, 1,
             "kolom isian baris 2, kolom 2 di aplikasi rapor"},
        Form{"ERapor", &E::Btn_ERapor_Click, &E::Btn_EntriIsian_Click, 1,
             "kolom isian baris 2, kolom 2 di aplikasi rapor"},
        Form{"Dapodik", &E::Btn_Dapodik_Click, &E::Btn_EntriIsian_Click, 4,
             "sel nilai baris 2, kolom 1 di Dapodik, tepat di kiri sel nilai itu"},
        Form{"Pilihan", &E::Btn_Tamvera_Click, &E::Btn_EntriPilihan_Click, 5,
             "kolom pilihan baris 2, kolom 2 di aplikasi rapor (daftarnya jangan dibuka)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RunTest, AChangedListTargetOrModeForgetsTheStop) {
    engine.Btn_Tamvera_Click();
    engine.Btn_EntriIsian_Click();
    const auto stopAndChange = [&](const std::function<void()>& change) {
        fake.onProcessMessages = [&] {
            if (form.Txt_SaatIni.Text() == u"1") throw Failure("stopped");
        };
        start(u"80\t81");
        fake.onProcessMessages = nullptr;
        change();
        fake.messages.clear();
        form.Btn_Mulai.Click();
        return fake.messages.front().buttons;
    };
    EXPECT_EQ(stopAndChange([] {}), MessageButtons::YesNoCancel);
    // Pasted again unchanged after a click emptied the box: a change all the same.
    EXPECT_EQ(stopAndChange([&] {
                  engine.Txt_Nilai_Click();
                  form.Txt_Nilai.setTextFromView(u"80\t81");
              }),
              MessageButtons::OkCancel);
    EXPECT_EQ(stopAndChange([&] {
                  engine.Btn_ERapor_Click();
                  engine.Btn_Tamvera_Click();
                  engine.Btn_EntriIsian_Click();
              }),
              MessageButtons::OkCancel);
    EXPECT_EQ(stopAndChange([&] { engine.Btn_EntriPilihan_Click(); }), MessageButtons::OkCancel);
}

TEST_F(RunTest, ARunThatTypedNothingLeavesNothingToGoOnFrom) {
    engine.Btn_EntriIsian_Click();
    fake.windowTitles = {u"Catatan"};
    start(u"80\t81");
    fake.windowTitles = {u"RAPOR Online - Kelas 7A"};
    fake.messages.clear();
    form.Btn_Mulai.Click();
    EXPECT_EQ(fake.messages.front().buttons, MessageButtons::OkCancel);
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "80", "{TAB}", "81", "{TAB}"}));
}

// Where the application answers reads, a run going on reads the focus before its first key:
// on a field that holds a confirmed value of the list it types nothing and says which one.
TEST_F(RunTest, AGoingOnRunNeverTypesOverAFieldAlreadyDone) {
    engine.Btn_Tamvera_Click();
    engine.Btn_EntriIsian_Click();
    // Each field is told apart by its column; a value lands in the field the keys reach.
    int field = 0;
    std::u16string shown;
    fake.afterSend = [&] {
        const std::string& keys = fake.log.back();
        if (keys == "keys {TAB}") ++field, shown.clear();
        else shown = utf16(keys.substr(5));
    };
    fake.fieldReader = [&] {
        return FieldReading{true, FieldKind::Text, true, shown, {true, field * 100, 0, 80, 20, u"", 1}, 0, true};
    };
    // Stopped after the third value's keys, before its read: the first two are confirmed.
    fake.onProcessMessages = [&] {
        if (form.Txt_SaatIni.Text() == u"3") throw Failure("stopped");
    };
    start(u"80\t81\t82\t83");
    fake.onProcessMessages = nullptr;
    // The teacher clicks the second field, confirmed; then the third, which shows the value
    // typed last, never confirmed.
    for (const auto& [clicked, holds] : {std::pair(2, u"81"), std::pair(3, u"82")}) {
        field = clicked;
        shown = holds;
        fake.log.clear();
        start(u"80\t81\t82\t83");
        EXPECT_TRUE(fake.typed().empty());
        EXPECT_EQ(fake.log.back(), "box Tamvera: Kolom ini sudah diisi: baris 1, kolom " + std::to_string(clicked) +
                                       ". Tidak ada yang diketik.\nKlik kolom isian baris 1, kolom 4 di aplikasi "
                                       "rapor (untuk nilai 83), lalu tekan Mulai lagi.");
        EXPECT_FALSE(form.Timer_CekKesalahan_Enabled());
    }
    // The stop is kept: clicked right, the run goes on.
    field = 4;
    shown.clear();
    fake.log.clear();
    start(u"80\t81\t82\t83");
    EXPECT_EQ(fake.typed(), (Events{"83", "{TAB}"}));
}

// Stopped after a value's keys while its read said otherwise: it counts as typed, and the
// closing message of the run that goes on names it.
TEST_F(RunTest, AValueStoppedWhileMendedIsNamedAtTheEndOfTheRunThatGoesOn) {
    engine.Btn_Tamvera_Click();
    engine.Btn_EntriIsian_Click();
    int reads = 0;
    std::u16string shown = u"8";
    fake.fieldReader = [&] {
        // Another window takes the front as the first value's reads find it short.
        if (++reads == 4) fake.foregroundTitle = "Catatan";
        return FieldReading{true, FieldKind::Text, true, shown, {true, reads, 0, 80, 20, u"", 1}, 0, true};
    };
    start(u"85\t90");
    EXPECT_EQ(fake.typed(), (Events{"{TAB}", "85"}));
    EXPECT_EQ(count(apologyStoppedAt("baris 1, kolom 2: 1 dari 2")), 1u);

    fake.foregroundTitle = "RAPOR Online - Kelas 7A";
    shown = u"90";
    fake.log.clear();
    start(u"85\t90");
    EXPECT_EQ(fake.typed(), (Events{"90", "{TAB}"}));
    EXPECT_NE(fake.log.back().find("Baris 1, kolom 1: seharusnya \"85\", terisi \"8\""), std::string::npos)
        << fake.log.back();
}

}  // namespace
}  // namespace tamvera::runtest
