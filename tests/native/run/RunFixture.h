// A run engine over the recording test double, with a timeline: every logged action is
// stamped with the test clock, and the value holders' changes join the log, so a test
// can read keys, pauses and counter changes in the order they happened.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "form/FormModel.h"
#include "platform/Text.h"
#include "run/RunEngine.h"
#include "support/FakePlatform.h"

namespace tamvera::runtest {

class TimedFake : public testing::FakePlatform {
public:
    std::vector<double> stamps;  // clock at each log line
    void stamp() { stamps.resize(log.size(), clock); }
    // Every key string and box with its moment in microseconds, kept across cleared logs.
    std::vector<std::string> timeline;
    void note() { timeline.push_back(std::to_string(std::llround(clock * 1e6)) + " " + log.back()); }
    // Runs right after every sendInput call (a window may take the front between keys).
    std::function<void()> afterSend;

    std::size_t sendInput(const std::vector<KeyRecord>& records) override {
        const auto n = FakePlatform::sendInput(records);
        stamp();
        note();
        if (afterSend) afterSend();
        return n;
    }
    MessageAnswer messageBox(std::u16string_view text, std::u16string_view title, MessageButtons buttons,
                             MessageIcon icon) override {
        stamp();
        const auto a = FakePlatform::messageBox(text, title, buttons, icon);
        stamp();
        note();
        return a;
    }
    bool activateWindowByTitle(std::u16string_view title) override {
        const bool ok = FakePlatform::activateWindowByTitle(title);
        stamp();
        return ok;
    }
    void beep(unsigned hz, unsigned ms) override {
        FakePlatform::beep(hz, ms);
        stamp();
    }
    void focusMainWindow() override {
        FakePlatform::focusMainWindow();
        stamp();
    }
    void setCursorPos(int x, int y) override {
        FakePlatform::setCursorPos(x, y);
        stamp();
    }
    bool writeFile(std::u16string_view path, std::string_view bytes) override {
        const bool ok = FakePlatform::writeFile(path, bytes);
        stamp();
        return ok;
    }
};

// Logs "N <count>" and "T <elapsed>" for the two driving holders and the guard's state.
class LogObserver : public form::FormObserver {
public:
    LogObserver(TimedFake& fake, form::FormModel& form) : fake_(fake), form_(form) {}
    void textChanged(form::TextId id) override {
        if (id == form::TextId::Txt_SaatIni) add("N" + utf8(form_.Txt_SaatIni.Text()));
        if (id == form::TextId::Txt_WaktuSaatIni) add("T" + utf8(form_.Txt_WaktuSaatIni.Text()));
    }
    void guardTimerChanged(bool enabled) override { add(enabled ? "guard on" : "guard off"); }

private:
    void add(std::string line) {
        fake_.log.push_back(std::move(line));
        fake_.stamp();
    }
    TimedFake& fake_;
    form::FormModel& form_;
};

class RunTest : public ::testing::Test {
protected:
    static constexpr const char16_t* kHandOffPath = u"C:\\Tamvera\\Engine.dll";

    TimedFake fake;
    form::FormModel form;
    run::RunEngine engine{form, fake};
    LogObserver observer{fake, form};

    RunTest() {
        form.setObserver(&observer);
        fake.windowTitles = {u"Catatan", u"RAPOR Online - Kelas 7A", u"e-Rapor SMP", u"Aplikasi Dapodik v2023"};
        // Early in the day the single-precision clock resolves well below a millisecond,
        // so pause lengths read back crisply.
        fake.clock = 1000.0;
        engine.Form_Load();
    }

    void start(std::u16string gradeList) {
        form.Txt_Nilai.setTextFromView(std::move(gradeList));
        form.Btn_Mulai.Click();
    }

    // The log from the target's activation on, with the pauses between actions shown
    // as "P<seconds>" and the key lines as their text.
    std::vector<std::string> events() const {
        std::vector<std::string> out;
        bool started = false;
        for (std::size_t i = 0; i < fake.log.size(); ++i) {
            std::string line = fake.log[i];
            if (line.rfind("activate", 0) == 0) started = true;
            if (!started) continue;
            const double gap = i > 0 ? fake.stamps[i] - fake.stamps[i - 1] : 0;
            if (gap > 0.0005 && !out.empty()) {
                char p[32];
                std::snprintf(p, sizeof p, "P%.2f", gap);
                out.push_back(p);
            }
            if (line.rfind("keys ", 0) == 0) line = line.substr(5);
            out.push_back(line);
        }
        return out;
    }

    // Only the events of the rows: after the entry key, before the beeps.
    std::vector<std::string> rowEvents() const {
        const auto all = events();
        std::vector<std::string> out;
        bool inRows = false;
        int resets = 0;
        for (const auto& e : all) {
            if (e == "beep 2000,300") break;
            if (inRows) out.push_back(e);
            if (e == "N0" || e == "T0") ++resets;
            if (resets == 2 && !inRows && (e == "{TAB}" || e == "{RIGHT}")) inRows = true;
        }
        return out;
    }

    std::string handOffBytes() const { return fake.files.at(kHandOffPath); }
    std::string text(const form::TextBox& box) const { return utf8(box.Text()); }
    std::size_t count(const std::string& line) const {
        std::size_t n = 0;
        for (const auto& l : fake.log) n += l == line;
        return n;
    }
};

using Events = std::vector<std::string>;

inline const std::string kApologyBox =
    "box Tamvera: Maaf! terjadi kesalahan. Pastikan anda sudah mengikuti prosedur penggunaan program dengan benar";

// The apology of a run that ended before its last value, with where it stopped.
inline std::string apologyStoppedAt(const std::string& where) {
    return kApologyBox + "\nPengisian berhenti di " + where + " nilai sudah diketik.";
}

}  // namespace tamvera::runtest
