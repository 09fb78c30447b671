// Verified entry over a stand-in report form: values read back, lost ones typed again,
// lost navigation keys sent again, the closing message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "RunFixture.h"
#include "progress/Totals.h"
#include "run/Messages.h"
#include "run/VerifiedEntry.h"

namespace tamvera::runtest {
namespace {

// A fill-in form (TAB moves on, a field reached by TAB has its text selected) or the
// Dapodik grid (RIGHT moves on, ENTER edits and stores), driven by the keys the run
// sends, as the fake renders them.
struct StandInForm {
    bool grid = false;
    std::vector<std::string> fields = std::vector<std::string>(40);
    int focus = -1;
    bool selected = false, editing = false;
    std::string edit;
    int loseEveryNavigation = 0, navigations = 0;
    std::set<int> refusing, droppingOnce;
    std::set<int> noField;  // the grid's "No" and "Nama": read as no field
    std::set<int> blankAfterStore;  // the read after a value is stored here answers nothing
    mutable bool blankRead = false;
    mutable int noElementReads = 0;  // reads once the focus is on a field that find no element
    std::vector<std::pair<int, std::string>> overwrites;  // a confirmed field changed
    // A slow page: the field that just stored a value loses every key for busySeconds.
    double busySeconds = 0, busyUntil = 0, now = 0;
    int busyField = -2;
    std::vector<double> busyEach;  // the busy time of each store in turn, then busySeconds
    std::size_t stores = 0;
    // An accessibility tree behind the page: reads name the field left by a navigation
    // key, with what it holds, for treeLag seconds after the key.
    double treeLag = 0, movedAt = -1;
    int left = -1;
    // Fields deaf for a while after the focus reaches them: characters typed meanwhile are lost.
    double deafSeconds = 0;
    std::size_t charactersLost = 0;
    std::set<int> lostKeys;  // key strings lost, counted from 1
    int keysSeen = 0;
    bool editorOwnElement = false;  // a cell's editor reads as an element of its own, as in a browser
    // Fields that show a value their own way: with a suffix, or anew after every store.
    std::string shownSuffix;
    std::set<int> changing;

    std::string shown(int at) const {
        const std::string& value = fields[at];
        if (value.empty()) return value;
        return changing.count(at) ? value + "?" + std::to_string(stores) : value + shownSuffix;
    }

    void key(const std::string& k) {
        if (lostKeys.count(++keysSeen)) return;
        if (now < busyUntil && focus == busyField) return;
        if (k[0] != '{' && now - movedAt < deafSeconds) {
            charactersLost += k.size();
            return;
        }
        const std::string next = grid ? "{RIGHT}" : "{TAB}";
        if (grid && editing && k == next) return;  // the editor's caret moves
        if (k == "{ESC}") {
            editing = false;
            edit.clear();
        } else if (k == next) {
            if (loseEveryNavigation && ++navigations % loseEveryNavigation == 0) return;
            left = focus;
            movedAt = now;
            ++focus;
            selected = true;
        } else if (k == "{HOME}+{END}") {
            selected = true;
        } else if (k == "{ENTER}") {
            if (editing) store(edit);
            editing = !editing;
            edit = editing && focus >= 0 ? fields[focus] : "";  // opened with the cell's text selected
            selected = editing;
        } else if (focus >= 0 && !refusing.count(focus) && !droppingOnce.erase(focus)) {
            if (grid) {
                if (editing) edit = (selected ? "" : edit) + k;
                selected = false;
            } else {
                store((selected ? "" : fields[focus]) + k);
                selected = false;
            }
        }
    }
    void store(const std::string& text) {
        if (!fields[focus].empty() && fields[focus] != text) overwrites.emplace_back(focus, text);
        fields[focus] = text;
        blankRead = blankAfterStore.erase(focus) > 0;
        busyField = focus;
        busyUntil = now + (stores < busyEach.size() ? busyEach[stores] : busySeconds);
        ++stores;
    }
    FieldReading read() const {
        const int focus = now - movedAt < treeLag ? left : this->focus;
        FieldReading r;
        r.answered = !std::exchange(blankRead, false);
        if (!r.answered) return r;
        if (focus >= 0 && noElementReads > 0 && noElementReads--) return r;
        r.kind = noField.count(focus) ? FieldKind::Other : FieldKind::Text;
        r.hasValue = focus >= 0 && !noField.count(focus);
        if (focus >= 0) r.value = utf16(editing ? edit : shown(focus));
        r.field = {true, 100 * focus, editing && editorOwnElement ? 51 : 50, 80, 20, u"", 7};
        r.element = true;
        return r;
    }
};

// RAPOR Online's choice fields as Chromium shows them: ENTER on a field's button opens
// it, TAB reaches its list, ENTER drops the list (a read finds the option it stands on,
// as the platform reads an open list: the list's value, the list's identity), a digit
// cycles on from that option to the next one it begins, different keys search from the
// top, END goes to the last entry, ENTER keeps the option and closes the list, TAB
// moves on. A list dropped again stands on its field's choice, or on `opensOn`.
struct ChoiceStandIn {
    std::vector<std::string> entries = grades();
    std::vector<int> chosen = std::vector<int>(40, 0);
    int field = -1, option = 0;
    enum class Step { Button, Opened, OnList, Dropped } step = Step::Button;
    std::string typed;
    int opensOn = -1;    // the option every list drops on, -1: its field's choice
    int lostAfterFirstChoice = 0, losing = 0;  // key strings lost once the first choice is kept
    int staleReads = 0;  // reads after a choice kept that still find the option before it
    int stale = 0, before = 0;
    std::vector<std::pair<int, std::string>> rightTurnedWrong;
    std::vector<std::string> expected;  // the class, field by field

    static std::vector<std::string> grades() {
        std::vector<std::string> out{"-"};
        for (int n = 100; n >= 1; --n) out.push_back(std::to_string(n));
        return out;
    }
    void key(const std::string& k) {
        if (losing > 0 && losing--) return;
        if (k == "{TAB}") {
            if (step == Step::Opened) step = Step::OnList;
            else if (step == Step::Dropped) keep();
            else step = Step::Button, ++field;
        } else if (k == "{ENTER}") {
            if (step == Step::Button) step = Step::Opened;
            else if (step == Step::OnList) drop();
            else if (step == Step::Dropped) keep();
        } else if (step == Step::Dropped && k == "{END}") {
            option = static_cast<int>(entries.size()) - 1;
            typed.clear();
        } else if (step == Step::Dropped) {
            for (char c : k) typeAhead(c);
        }
    }
    void drop() {
        step = Step::Dropped;
        option = opensOn >= 0 ? opensOn : chosen[field];
        typed.clear();
    }
    void typeAhead(char c) {
        typed += c;
        const bool cycling = typed.find_first_not_of(c) == std::string::npos;
        const int n = static_cast<int>(entries.size());
        for (int i = 0; i < n; ++i) {
            const int at = cycling ? (option + 1 + i) % n : i;
            if (entries[at].rfind(cycling ? std::string(1, c) : typed, 0) == 0) {
                before = option;
                option = at;
                return;
            }
        }
    }
    void keep() {
        const bool wasRight = entries[chosen[field]] == expected[field];
        chosen[field] = option;
        losing = std::exchange(lostAfterFirstChoice, 0);
        if (wasRight && entries[option] != expected[field]) rightTurnedWrong.emplace_back(field, entries[option]);
        step = Step::OnList;
        stale = staleReads;
    }
    FieldReading read() {
        FieldReading r;
        r.answered = true;
        r.element = true;
        if (field < 0 || step == Step::Button || step == Step::Opened) {
            r.kind = FieldKind::Other;
            r.field = {true, 100 * field, 10, 40, 20, u"Ubah", 7};
            return r;
        }
        r.kind = FieldKind::List;
        r.hasValue = true;
        const int shown = step == Step::Dropped ? option : stale-- > 0 ? before : chosen[field];
        r.value = utf16(entries[shown]);
        r.field = {true, 100 * field, 50, 80, 20, u"", 7};
        return r;
    }
};

class VerifiedRunTest : public RunTest {
public:
    // The scenarios: each drives whole runs over a stand-in and checks what it must.
    void AllConfirmedAtFirstReadCostsNothing();
    void LostValueIsTypedAgain();
    void RefusingFieldIsNamed();
    void LostNavigationKeysAreSentAgain();
    void LaggingTreeIsNotTakenForALostNavigationKey();
    void SlowGridGetsEveryValueInItsCell();
    void LaggingTreeAtARowsStartSendsNoKeyTooMany();
    void ValueTypedOverOnABusyPageIsTypedBack();
    void SlowGridKeepsEmptyCellsInTheirPlace();
    void UnreadableTargetTypesBlindAndSaysSo();
    void HangingTargetIsNeverRetyped();
    void ReadsThatStopLeaveABlindRun();
    void ClosingMessageWaitsForAHungTargetToComeBack();
    void UnconfirmedValueBeforeIsNeverTypedOver();
    void CellEditorOpenedAgainByALateEnterIsClosed();
    void FirstFieldNotYetInTheTreeIsReadAgain();
    void StoppedRunShowsOnlyTheApology();
    void StaleChoiceReadThenRightIsNeverTypedAgain();
    void RetypedChoiceLandsTheSameOptionFromEveryStart();
    void ChoiceKeysFallenOnTheNextButtonAreMadeAgain();
    void PaceFollowsAPageDeafAfterFocus();
    void FieldsShowingValuesTheirWayCostNothingOnceSeen();
    void RetypesThatMendNothingStopCostingTime();

protected:
    StandInForm target;

    void connect() {
        fake.afterSend = [this] {
            target.now = fake.clock;
            target.key(fake.log.back().substr(5));
        };
        fake.fieldReader = [this] {
            target.now = fake.clock;
            return target.read();
        };
    }
    void connect(ChoiceStandIn& lists) {
        fake.afterSend = [this, &lists] { lists.key(fake.log.back().substr(5)); };
        fake.fieldReader = [&lists] { return lists.read(); };
    }
    // The keys and the clock at each (in whole milliseconds).
    std::vector<std::pair<std::string, long>> keyTimeline() const {
        std::vector<std::pair<std::string, long>> out;
        for (std::size_t i = 0; i < fake.log.size(); ++i)
            if (fake.log[i].rfind("keys ", 0) == 0)
                out.emplace_back(fake.log[i].substr(5), std::lround(fake.stamps[i] * 1000));
        return out;
    }
    // The moment of the last log line that starts with `prefix`, in whole milliseconds.
    long momentOf(const std::string& prefix) const {
        for (std::size_t i = fake.log.size(); i-- > 0;)
            if (fake.log[i].rfind(prefix, 0) == 0) return std::lround(fake.stamps[i] * 1000);
        return -1;
    }
    // The grid's grade cells (row 1 from 1, rows 2 and 3 after their "No" and "Nama")
    // hold the class's values, row by row.
    void expectGridCells(const std::vector<std::string>& values) const {
        const std::vector<int> cells = {1, 2, 3, 6, 7, 8, 11, 12, 13};
        for (std::size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(target.fields[cells[i]], values[i]) << cells[i];
    }
    std::vector<std::string> boxesAfterBeeps() const {
        std::vector<std::string> out;
        bool beeped = false;
        for (const auto& line : fake.log) {
            beeped = beeped || line == "beep 2000,300";
            if (beeped && line.rfind("box ", 0) == 0) out.push_back(line);
        }
        return out;
    }
};

// A class of 40 x 10 grades as pasted; `values` gets them cell by cell.
std::u16string classOf40x10(std::vector<std::string>& values) {
    std::u16string list;
    for (int row = 0; row < 40; ++row) {
        for (int col = 0; col < 10; ++col) {
            values.push_back(std::to_string(10 + (row * 7 + col * 13) % 91));
            list += (col ? u"\t" : u"") + utf16(values.back());
        }
        list += u"\r\n";
    }
    return list;
}

const std::u16string kClass = u"80\t85\t90\r\n70\tB+\t75\r\n60\t65\t100";
const std::vector<std::string> kGridClass = {"80", "85", "90", "70", "B+", "75", "60", "65", "100"};

// Every value lands: the same keys at the same moments as a blind run, and no message.
void VerifiedRunTest::AllConfirmedAtFirstReadCostsNothing() {
    for (void (run::RunEngine::*choose)() : {&run::RunEngine::Btn_Tamvera_Click, &run::RunEngine::Btn_Dapodik_Click}) {
        (engine.*choose)();
        engine.Btn_EntriIsian_Click();
        fake.clock = 1000.0;
        fake.log.clear();
        fake.stamps.clear();
        start(kClass);
        const auto blind = keyTimeline();

        target = StandInForm{};
        target.grid = form.Btn_Dapodik.BtnStyle() == 2;
        connect();
        fake.clock = 1000.0;
        fake.log.clear();
        fake.stamps.clear();
        fake.readsStarted = 0;
        start(kClass);
        EXPECT_EQ(keyTimeline(), blind);
        EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
        EXPECT_EQ(fake.readsStarted, 1 + 9);  // the start's read and one a value
        fake.fieldReader = nullptr;
        fake.afterSend = nullptr;
    }
}

// A field that lost its value's keys gets them again, with its text selected first.
void VerifiedRunTest::LostValueIsTypedAgain() {
    engine.Btn_EntriIsian_Click();
    target.droppingOnce = {1, 4};
    connect();
    start(kClass);
    EXPECT_EQ(target.fields[1], "85");
    EXPECT_EQ(target.fields[4], "B+");
    EXPECT_EQ(std::count(fake.log.begin(), fake.log.end(), "keys {HOME}+{END}"), 2);
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
    EXPECT_EQ(text(form.Txt_Perkembangan), "9 dari 9 Nilai");
}

// A field that never takes its value: typed again twice, then named with its row and
// column in the pasted list; the others land.
void VerifiedRunTest::RefusingFieldIsNamed() {
    engine.Btn_Dapodik_Click();
    target.grid = true;
    target.refusing = {8};  // row 2, column 3 once the grid has skipped "No" and "Nama"
    connect();
    start(kClass);
    EXPECT_EQ(std::count(fake.log.begin(), fake.log.end(), "keys 75"), 3);
    EXPECT_EQ(boxesAfterBeeps(),
              std::vector<std::string>{"box Tamvera: Beberapa nilai belum pasti masuk. Periksa isian berikut di "
                                       "aplikasi rapor (baris dan kolom menurut daftar yang ditempel):\n"
                                       "Baris 2, kolom 3: seharusnya \"75\", terisi kosong"});
    EXPECT_EQ(fake.messages.back().icon, MessageIcon::Warning);
}

// Every third TAB lost: each value still ends in its own field, in order.
void VerifiedRunTest::LostNavigationKeysAreSentAgain() {
    engine.Btn_EntriIsian_Click();
    target.loseEveryNavigation = 3;
    connect();
    start(kClass);
    const std::vector<std::string> expected = {"80", "85", "90", "70", "B+", "75", "60", "65", "100"};
    EXPECT_EQ(std::vector<std::string>(target.fields.begin(), target.fields.begin() + 9), expected);
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
    // The first lost TAB put "90" after "85" and that field got its value back; from then
    // on the focus is checked before each value, and no field that held its value changed.
    EXPECT_EQ(target.overwrites, (std::vector<std::pair<int, std::string>>{{1, "8590"}, {1, "85"}}));
}

// A tree that names the field just left for a while after each TAB: not a lost TAB, so
// nothing is typed again and no TAB is sent again.
void VerifiedRunTest::LaggingTreeIsNotTakenForALostNavigationKey() {
    engine.Btn_EntriIsian_Click();
    target.treeLag = 0.25;
    connect();
    start(kClass);
    EXPECT_EQ(std::vector<std::string>(target.fields.begin(), target.fields.begin() + 10),
              (std::vector<std::string>{"80", "85", "90", "70", "B+", "75", "60", "65", "100", ""}));
    EXPECT_EQ(target.overwrites, (std::vector<std::pair<int, std::string>>{}));
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
}

// A slow grid (each cell busy 0.6 s after its value, losing the keys typed meanwhile;
// each row starts with "No" and "Nama"): the navigation keys are sent again, slower each
// time and past "No" and "Nama", until every value ends in its own cell.
void VerifiedRunTest::SlowGridGetsEveryValueInItsCell() {
    engine.Btn_Dapodik_Click();
    target.grid = true;
    target.noField = {0, 4, 5, 9, 10};
    target.busySeconds = 0.6;
    connect();
    start(kClass);
    expectGridCells(kGridClass);
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
}

// The same slow grid behind a tree that names the cell just left for a moment after each
// key: a look that finds "Nama" right after the RIGHT to a row's first grade is not taken
// for a focus still on its way, and no RIGHT too many moves the row one cell on.
void VerifiedRunTest::LaggingTreeAtARowsStartSendsNoKeyTooMany() {
    engine.Btn_Dapodik_Click();
    target.grid = true;
    target.noField = {0, 4, 5, 9, 10};
    target.busySeconds = 0.3;
    target.treeLag = 0.15;
    connect();
    start(kClass);
    expectGridCells(kGridClass);
}

// "85"'s RIGHT lost, its keys edited the cell of "80", and that store kept the page busy
// a second: "80" is typed back, each attempt waiting longer, until it lands.
void VerifiedRunTest::ValueTypedOverOnABusyPageIsTypedBack() {
    engine.Btn_Dapodik_Click();
    target.grid = true;
    target.noField = {0, 4, 5, 9, 10};
    target.lostKeys = {6};
    target.busyEach = {0, 1.0};
    connect();
    start(kClass);
    expectGridCells(kGridClass);
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
}

// The same slow grid with empty cells: the key that skips an empty cell right after a
// value is lost too, and is sent again before the values after it go one cell early.
void VerifiedRunTest::SlowGridKeepsEmptyCellsInTheirPlace() {
    engine.Btn_Dapodik_Click();
    target.grid = true;
    target.noField = {0, 4, 5, 9, 10};
    target.busySeconds = 0.6;
    connect();
    start(u"80\t\t90\r\n70\tB+\t\r\n\t65\t100");
    expectGridCells({"80", "", "90", "70", "B+", "", "", "65", "100"});
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
}

// An application that answers no reads is typed exactly as a blind run, and told.
// One object for the whole window, empty cells among the values: not a key more.
void VerifiedRunTest::UnreadableTargetTypesBlindAndSaysSo() {
    engine.Btn_EntriIsian_Click();
    const std::u16string withEmptyCells = u"\t\t\r\n80\t\t90\r\n\t65\t";
    start(withEmptyCells);
    const auto blind = fake.typed();
    fake.log.clear();
    fake.fieldReader = [] { return FieldReading{true, FieldKind::Other, false, {}, {true, 0, 0, 300, 500, u"", 7}, 0}; };
    start(withEmptyCells);
    EXPECT_EQ(fake.typed(), blind);
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{"box Tamvera: Nilai tidak dapat diperiksa di aplikasi ini. "
                                                          "Tamvera mengetik tanpa memeriksa hasilnya; periksa sendiri "
                                                          "nilai yang sudah terisi."});
    // A reader still held by an earlier read that never came back: the same, not silence.
    fake.log.clear();
    fake.fieldReader = [this] { return target.read(); };
    fake.readerHeld = true;
    start(withEmptyCells);
    EXPECT_EQ(fake.typed(), blind);
    EXPECT_EQ(boxesAfterBeeps().size(), 1u);
}

// A target that stops answering: each read is given up, nothing is typed again on a read
// that says nothing, and the run ends.
void VerifiedRunTest::HangingTargetIsNeverRetyped() {
    engine.Btn_EntriIsian_Click();
    connect();
    fake.afterSend = [this] {
        target.key(fake.log.back().substr(5));
        fake.readHangs = target.focus >= 4;
    };
    start(kClass);
    EXPECT_EQ(std::count(fake.log.begin(), fake.log.end(), "keys {HOME}+{END}"), 0);
    EXPECT_EQ(fake.beeps.size(), 2u);
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_NE(utf8(fake.messages.back().text).find("Baris 3, kolom 3: seharusnya \"100\", isinya tidak terbaca"),
              std::string::npos);
}

// Reads that stop answering after the fourth value, one case per form, and a target that
// never answers: the same keys as a blind run, and the same pauses between them from the
// value whose read went unanswered on (that one read is waited for: nothing else is).
// The values not confirmed are named.
void VerifiedRunTest::ReadsThatStopLeaveABlindRun() {
    using Engine = run::RunEngine;
    struct Case {
        void (Engine::*target)();
        void (Engine::*mode)();
        int answeredValues;  // -1: not even the start's read is answered
        int longerPauses;
    };
    for (const Case c : {Case{&Engine::Btn_Tamvera_Click, &Engine::Btn_EntriIsian_Click, 4, 1},
                         Case{&Engine::Btn_Dapodik_Click, &Engine::Btn_EntriIsian_Click, 4, 1},
                         Case{&Engine::Btn_Tamvera_Click, &Engine::Btn_EntriPilihan_Click, 4, 1},
                         Case{&Engine::Btn_ERapor_Click, &Engine::Btn_EntriIsian_Click, -1, 0}}) {
        (engine.*c.target)();
        (engine.*c.mode)();
        fake.fieldReader = nullptr;
        fake.afterSend = nullptr;
        fake.readHangs = false;
        fake.log.clear();
        fake.stamps.clear();
        start(kClass);
        const auto blind = keyTimeline();

        // The field holds what was typed last (every value of the class is typed as one
        // key string, in both modes), each value in a field of its own.
        int values = 0;
        std::string last;
        fake.readHangs = c.answeredValues < 0;
        fake.afterSend = [&] {
            const std::string k = fake.log.back().substr(5);
            if (k[0] != '{') {
                ++values;
                last = k;
            }
            fake.readHangs = c.answeredValues < 0 || values > c.answeredValues;
        };
        fake.fieldReader = [&] {
            return FieldReading{true, FieldKind::Text, true, utf16(last), {true, 100 * values, 0, 80, 20, u"", 7},
                                0, true};
        };
        fake.log.clear();
        fake.stamps.clear();
        fake.messages.clear();
        start(kClass);
        const auto checked = keyTimeline();
        ASSERT_EQ(checked.size(), blind.size());
        int longer = 0;
        for (std::size_t i = 0; i < blind.size(); ++i) {
            EXPECT_EQ(checked[i].first, blind[i].first) << i;
            if (i == 0) continue;
            const long gap = checked[i].second - checked[i - 1].second;
            const long blindGap = blind[i].second - blind[i - 1].second;
            // Within a millisecond: the single-precision clock rounds a later moment of the
            // day differently.
            if (gap > blindGap + 1) ++longer;
            EXPECT_GE(gap + 1, blindGap) << i;
        }
        EXPECT_EQ(longer, c.longerPauses);
        // The box takes the front only after the target had a while to take its keys.
        EXPECT_GE(momentOf("box ") - checked.back().second, 10000);
        ASSERT_FALSE(fake.messages.empty());
        const std::string closing = utf8(fake.messages.back().text);
        if (c.answeredValues < 0) {
            EXPECT_EQ(closing.find("Nilai tidak dapat diperiksa"), 0u);
        } else {
            EXPECT_NE(closing.find("Baris 2, kolom 2: seharusnya \"B+\", isinya tidak terbaca"), std::string::npos);
            std::size_t named = 0;
            for (auto at = closing.find("tidak terbaca"); at != std::string::npos; at = closing.find("tidak terbaca", at + 1))
                ++named;
            EXPECT_EQ(named, 5u);
        }
    }
    fake.fieldReader = nullptr;
    fake.afterSend = nullptr;
}

// A target that hung and comes back 3 s after the last key: the closing message waits
// for it (its queued keys would go to the box otherwise), then gives the keys a moment.
void VerifiedRunTest::ClosingMessageWaitsForAHungTargetToComeBack() {
    engine.Btn_EntriIsian_Click();
    connect();
    double lastKey = 0;
    fake.afterSend = [&] {
        target.now = fake.clock;
        target.key(fake.log.back().substr(5));
        fake.readHangs = target.focus >= 4;
        lastKey = fake.clock;
    };
    fake.onProcessMessages = [&] {
        if (fake.readHangs && target.focus >= 9 && fake.clock > lastKey + 3) fake.readHangs = false;
    };
    start(kClass);
    const long wait = momentOf("box ") - std::lround(lastKey * 1000);
    EXPECT_GE(wait, 3100);
    EXPECT_LE(wait, 3500);
    fake.onProcessMessages = nullptr;
}

// A slow grid whose cell of "70" answered the read after its value with nothing, and
// whose RIGHT after it was lost with the next value's keys: the focus still on that cell,
// holding "70", must not be taken for the next value's cell and typed over: the RIGHT is
// sent again and every value ends in its own cell.
void VerifiedRunTest::UnconfirmedValueBeforeIsNeverTypedOver() {
    engine.Btn_Dapodik_Click();
    target.grid = true;
    target.noField = {0, 4, 5, 9, 10};
    target.busySeconds = 0.25;
    target.blankAfterStore = {6};
    connect();
    start(kClass);
    expectGridCells(kGridClass);
    EXPECT_EQ(target.overwrites, (std::vector<std::pair<int, std::string>>{}));
}

// A grid cell that lost its next value's RIGHT, ENTER and characters to a busy page, but
// not its last ENTER, which opened that cell's editor again: RIGHT only moves the caret
// there. The editor is closed (and the RIGHT after that is lost too) and every value ends
// in its own cell, whether the editor reads as the cell (a window's grid) or as an element
// of its own (a browser's).
void VerifiedRunTest::CellEditorOpenedAgainByALateEnterIsClosed() {
    engine.Btn_Dapodik_Click();
    for (bool ownElement : {false, true}) {
        target = StandInForm{};
        target.grid = true;
        target.noField = {0, 4, 5, 9, 10};
        target.lostKeys = {6, 7, 8, 12};  // "85"'s RIGHT, ENTER and characters; the RIGHT after the ESC
        target.editorOwnElement = ownElement;
        connect();
        start(kClass);
        SCOPED_TRACE(ownElement ? "own element" : "the cell");
        expectGridCells(kGridClass);
        EXPECT_EQ(target.overwrites, (std::vector<std::pair<int, std::string>>{}));
        EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
        fake.log.clear();
    }
}

// A browser's tree that has not yet followed the focus to the first field (the read finds
// no element there, or the element before it, as the start's read did find one) is read
// again for half a second, and the first value, lost, typed again.
void VerifiedRunTest::FirstFieldNotYetInTheTreeIsReadAgain() {
    engine.Btn_EntriIsian_Click();
    for (bool elementBefore : {false, true}) {
        target = StandInForm{};
        target.droppingOnce = {0};
        if (elementBefore)
            target.treeLag = 0.35;
        else
            target.noElementReads = 5;
        connect();
        start(kClass);
        EXPECT_EQ(target.fields[0], "80") << elementBefore;
        EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{}) << elementBefore;
        fake.log.clear();
    }
}

// A run stopped with the apology names nothing more: it is to be checked and run again.
void VerifiedRunTest::StoppedRunShowsOnlyTheApology() {
    engine.Btn_EntriIsian_Click();
    target.refusing = {0};
    connect();
    fake.afterSend = [this] {
        target.key(fake.log.back().substr(5));
        if (target.focus == 4) fake.foregroundTitle = "Catatan";
    };
    start(kClass);
    ASSERT_EQ(fake.messages.size(), 2u);
    EXPECT_EQ(fake.messages[1].text, std::u16string(run::kApologyText) +
                                         u"\nPengisian berhenti di baris 2, kolom 2: 4 dari 9 nilai sudah diketik.");
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
}

const std::u16string kChoices = u"1\t9\t10\t11\t22\t33\t44\r\n55\t66\t77\t88\t99\t85\t100";
const std::vector<std::string> kChoiceFields = {"1",  "9",  "10", "11", "22", "33", "44",
                                                "55", "66", "77", "88", "99", "85", "100"};

// A read of the tree behind the list (the option before the one kept) and then the right
// one: the check waits for it, and the keys are a blind run's.
void VerifiedRunTest::StaleChoiceReadThenRightIsNeverTypedAgain() {
    start(kChoices);
    const auto blind = fake.typed();
    fake.log.clear();
    ChoiceStandIn lists;
    lists.expected = kChoiceFields;
    lists.staleReads = 1;
    connect(lists);
    start(kChoices);
    EXPECT_EQ(fake.typed(), blind);
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
}

// Lists that drop on any one option, as a list opened again stands on its last choice:
// the first keys land elsewhere, and the choice typed again lands on its value from
// every starting option, never turning a right choice into another.
void VerifiedRunTest::RetypedChoiceLandsTheSameOptionFromEveryStart() {
    for (int start = 0; start <= 100; ++start) {
        ChoiceStandIn lists;
        lists.expected = kChoiceFields;
        lists.opensOn = start;
        connect(lists);
        fake.log.clear();
        this->start(kChoices);
        for (std::size_t i = 0; i < kChoiceFields.size(); ++i)
            EXPECT_EQ(lists.entries[lists.chosen[i]], kChoiceFields[i]) << "from " << lists.entries[start];
        EXPECT_EQ(lists.rightTurnedWrong, (std::vector<std::pair<int, std::string>>{})) << lists.entries[start];
        EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{}) << lists.entries[start];
    }
}

// The TAB after the first choice lost with the next value's first ENTER: the TAB that
// comes through reaches the next field's button, and that value's choice keys fall on it.
// The choice is made again from the button, and every field gets its own value.
void VerifiedRunTest::ChoiceKeysFallenOnTheNextButtonAreMadeAgain() {
    ChoiceStandIn lists;
    lists.expected = kChoiceFields;
    lists.lostAfterFirstChoice = 2;
    connect(lists);
    start(kChoices);
    for (std::size_t i = 0; i < kChoiceFields.size(); ++i) EXPECT_EQ(lists.entries[lists.chosen[i]], kChoiceFields[i]) << i;
    EXPECT_EQ(lists.rightTurnedWrong, (std::vector<std::pair<int, std::string>>{}));
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
}

// A class of 40 x 10 on fields deaf for 150 ms after the focus reaches them (no blind
// speed lands it: the next value follows its TAB at once): the pace learns the page's
// wait, so every value lands in at most 1.2 times the page's floor (a blind run's pauses
// and the deaf time of each value), with at most 5 % of the characters typed lost; and
// the remaining time shown halfway is the time the run really takes from there.
void VerifiedRunTest::PaceFollowsAPageDeafAfterFocus() {
    engine.Btn_EntriIsian_Click();
    std::vector<std::string> expected;
    const std::u16string list = classOf40x10(expected);
    auto runSeconds = [this] { return (keyTimeline().back().second - keyTimeline().front().second) / 1000.0; };
    start(list);
    const double floor = runSeconds() + 0.15 * 400;

    fake.log.clear();
    fake.stamps.clear();
    target.fields.resize(401);
    target.deafSeconds = 0.15;
    connect();
    double halfway = 0, shownHalfway = 0;
    fake.afterSend = [&, send = fake.afterSend] {
        send();
        if (halfway == 0 && text(form.Txt_SaatIni) == "200") {
            halfway = fake.clock;
            shownHalfway = progress::ReadHolder(fake, form.Txt_WaktuTotal) - progress::ReadHolder(fake, form.Txt_WaktuSaatIni);
        }
    };
    start(list);
    EXPECT_EQ(std::vector<std::string>(target.fields.begin(), target.fields.begin() + 400), expected);
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{});
    EXPECT_LE(runSeconds(), 1.2 * floor);
    std::size_t typed = 0;
    for (const auto& [keys, at] : keyTimeline())
        if (keys[0] != '{') typed += keys.size();
    EXPECT_LE(target.charactersLost, typed / 20);
    const double left = momentOf("keys ") / 1000.0 - halfway;
    EXPECT_NEAR(shownHalfway, left, left / 10);
}

// A class of 40 x 10 whose every field shows its value with ",00": each column's first
// value is typed again once, read as before, and from then on the keys and their moments
// are a blind run's; the closing message says so once and names no value.
void VerifiedRunTest::FieldsShowingValuesTheirWayCostNothingOnceSeen() {
    engine.Btn_EntriIsian_Click();
    std::vector<std::string> expected;
    const std::u16string list = classOf40x10(expected);
    start(list);
    const auto blind = keyTimeline();
    fake.log.clear();
    fake.stamps.clear();
    target.fields.resize(401);
    target.shownSuffix = ",00";
    connect();
    start(list);
    const auto checked = keyTimeline();
    EXPECT_EQ(std::vector<std::string>(target.fields.begin(), target.fields.begin() + 400), expected);
    // Rows 3 to 40 (a row is more than 20 keys): the same keys, the same gaps.
    const std::size_t tail = blind.size() - 40;
    ASSERT_GT(checked.size(), blind.size());
    const std::size_t b0 = blind.size() - tail, c0 = checked.size() - tail;
    for (std::size_t i = 1; i < tail; ++i) {
        EXPECT_EQ(checked[c0 + i].first, blind[b0 + i].first) << i;
        EXPECT_EQ(checked[c0 + i].second - checked[c0 + i - 1].second, blind[b0 + i].second - blind[b0 + i - 1].second)
            << i;
    }
    EXPECT_EQ(boxesAfterBeeps(), std::vector<std::string>{"box Tamvera: Aplikasi menampilkan nilai dengan bentuknya "
                                                          "sendiri, misalnya 10 sebagai 10,00: nilai dianggap sama."});
}

// Fields that show every value anew: three values that typing again did not mend, and the
// values after are typed once, as a blind run types them, and named; one that lands takes
// up mending again.
void VerifiedRunTest::RetypesThatMendNothingStopCostingTime() {
    engine.Btn_EntriIsian_Click();
    target.changing = {0, 1, 2, 3, 4, 6};
    connect();
    start(u"11\t12\t13\t14\t15\t16\t17");
    std::vector<int> typed(7);
    for (const auto& [keys, at] : keyTimeline())
        if (keys.size() == 2 && keys[0] == '1') ++typed[keys[1] - '1'];
    EXPECT_EQ(typed, (std::vector<int>{3, 3, 3, 1, 1, 1, 3}));
    const auto boxes = boxesAfterBeeps();
    ASSERT_EQ(boxes.size(), 1u);
    for (int column : {1, 2, 3, 4, 5, 7}) EXPECT_NE(boxes[0].find("kolom " + std::to_string(column) + ":"), std::string::npos);
    EXPECT_EQ(boxes[0].find("kolom 6:"), std::string::npos);
}

// Every scenario's keys (and boxes), each with the moment it left on the test clock, are
// pinned in timelines/<scenario>.txt: a change of design must leave them exactly as they
// are. TAMVERA_WRITE_TIMELINES=1 writes them anew.
struct Scenario {
    const char* name;
    void (VerifiedRunTest::*drive)();
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class PinnedTimeline : public VerifiedRunTest, public ::testing::WithParamInterface<Scenario> {};

TEST_P(PinnedTimeline, ScenarioKeepsItsKeysAndMoments) {
    (this->*GetParam().drive)();
    const std::string path = std::string(TAMVERA_TIMELINES_DIR) + "/" + GetParam().name + ".txt";
    std::string rendered;
    for (const auto& line : fake.timeline) rendered += line + "\n";
    if (std::getenv("TAMVERA_WRITE_TIMELINES")) {
        std::ofstream(path, std::ios::binary) << rendered;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << path;
    const std::string pinned((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(rendered, pinned);
}

#define SCENARIO(name) Scenario{#name, &VerifiedRunTest::name}
INSTANTIATE_TEST_SUITE_P(VerifiedRun, PinnedTimeline,
                         ::testing::Values(
                             SCENARIO(AllConfirmedAtFirstReadCostsNothing),
                             SCENARIO(LostValueIsTypedAgain),
                             SCENARIO(RefusingFieldIsNamed),
                             SCENARIO(LostNavigationKeysAreSentAgain),
                             SCENARIO(LaggingTreeIsNotTakenForALostNavigationKey),
                             SCENARIO(SlowGridGetsEveryValueInItsCell),
                             SCENARIO(LaggingTreeAtARowsStartSendsNoKeyTooMany),
                             SCENARIO(ValueTypedOverOnABusyPageIsTypedBack),
                             SCENARIO(SlowGridKeepsEmptyCellsInTheirPlace),
                             SCENARIO(UnreadableTargetTypesBlindAndSaysSo),
                             SCENARIO(HangingTargetIsNeverRetyped),
                             SCENARIO(ReadsThatStopLeaveABlindRun),
                             SCENARIO(ClosingMessageWaitsForAHungTargetToComeBack),
                             SCENARIO(UnconfirmedValueBeforeIsNeverTypedOver),
                             SCENARIO(CellEditorOpenedAgainByALateEnterIsClosed),
                             SCENARIO(FirstFieldNotYetInTheTreeIsReadAgain),
                             SCENARIO(StoppedRunShowsOnlyTheApology),
                             SCENARIO(StaleChoiceReadThenRightIsNeverTypedAgain),
                             SCENARIO(RetypedChoiceLandsTheSameOptionFromEveryStart),
                             SCENARIO(ChoiceKeysFallenOnTheNextButtonAreMadeAgain),
                             SCENARIO(PaceFollowsAPageDeafAfterFocus),
                             SCENARIO(FieldsShowingValuesTheirWayCostNothingOnceSeen),
                             SCENARIO(RetypesThatMendNothingStopCostingTime)),
                         [](const auto& info) { return std::string(info.param.name); });
#undef SCENARIO

// The run remembers where each confirmed value went (a stopped run resumes from there),
// and not a value that was named.
TEST(VerifiedEntryMemory, KeepsTheFieldOfEachConfirmedValue) {
    testing::FakePlatform fake;
    fake.foregroundTitle = "RAPOR Online - Kelas 7A";
    form::FormModel form;
    FieldIdentity field{true, 100, 50, 80, 20, u"", 7};
    std::u16string shown = u"85";
    fake.fieldReader = [&] { return FieldReading{true, FieldKind::Text, true, shown, field, 0, true}; };
    run::RunPosition position;
    run::VerifiedEntry check(fake, form, position);
    run::Pace pace(form);
    check.connect({[](std::u16string_view) {}, [](std::u16string_view) {}}, pace);  // keys lost
    check.startWait(0.5f);
    check.pauseAndSettle(0.1f, run::EntryKind::FillIn, {2, 3, u"85"});
    const FieldIdentity first = field;
    field.left = 200;
    shown = u"9";
    check.pauseAndSettle(0.1f, run::EntryKind::FillIn, {2, 4, u"90"});
    EXPECT_EQ(position.landed, (std::vector<run::Landed>{{2, 3, first}}));
    EXPECT_EQ(check.report().unconfirmed.size(), 1u);
}

// A value shown another way, typed again and read mid-way through the page's edit (another
// element, as a browser's cell editor), then typed again and read as at first: the field
// shows it that way. Neither named nor a loss, and the one line says so.
TEST(VerifiedEntryMemory, LearnsAFormReadAsBeforeAfterAReadMidWay) {
    testing::FakePlatform fake;
    fake.foregroundTitle = "RAPOR Online - Kelas 7A";
    form::FormModel form;
    const FieldIdentity cell{true, 100, 50, 80, 20, u"", 7}, editor{true, 100, 51, 80, 20, u"", 7};
    const std::vector<FieldReading> reads = {{true, FieldKind::Text, true, u"", cell, 0, true},
                                             {true, FieldKind::Text, true, u"8,50", cell, 0, true},
                                             {true, FieldKind::Text, true, u"8", editor, 0, true},
                                             {true, FieldKind::Text, true, u"8,50", cell, 0, true}};
    std::size_t next = 0;
    fake.fieldReader = [&] { return reads[std::min(next++, reads.size() - 1)]; };
    run::RunPosition position;
    run::VerifiedEntry check(fake, form, position);
    run::Pace pace(form);
    check.connect({[](std::u16string_view) {}, [](std::u16string_view) {}}, pace);
    check.startWait(0.5f);
    check.pauseAndSettle(0.1f, run::EntryKind::FillIn, {1, 2, u"8.5"});
    EXPECT_EQ(next, 4u);  // the start's read, the first, and one after each of two retypes
    EXPECT_TRUE(check.report().unconfirmed.empty());
    EXPECT_EQ(check.report().shownOwnWay, (std::pair<std::u16string, std::u16string>{u"8.5", u"8,50"}));
}

TEST(ClosingMessage, NamesTenCellsThenCountsTheRest) {
    run::CheckReport report;
    for (std::size_t i = 1; i <= 12; ++i) report.unconfirmed.push_back({i, 2, u"85", true, u"8"});
    report.placeUnknown = true;
    const std::string text = utf8(run::ClosingMessage(report));
    EXPECT_NE(text.find("Baris 10, kolom 2: seharusnya \"85\", terisi \"8\"\ndan 2 isian lainnya.\n\nTamvera tidak "
                        "dapat membedakan"),
              std::string::npos);
    EXPECT_EQ(text.find("Baris 11"), std::string::npos);
    EXPECT_EQ(run::ClosingMessage({}), u"");
}

// The key that skips an empty cell lost on a busy grid, and the read over that cell not
// answered in time: the cell is read again before the next value's key, so the values
// after it keep their columns.
TEST_F(VerifiedRunTest, EmptyCellWhoseReadWentUnansweredIsReadAgain) {
    engine.Btn_Dapodik_Click();
    target.grid = true;
    target.noField = {0, 4, 5, 9, 10};
    int rights = 0;
    bool hanging = false;
    fake.afterSend = [&] {
        target.now = fake.clock;
        const std::string k = fake.log.back().substr(5);
        if (k == "{RIGHT}" && ++rights == 3) {  // the key over row 1's empty cell
            fake.readHangs = hanging = true;
            return;
        }
        target.key(k);
    };
    fake.fieldReader = [this] {
        target.now = fake.clock;
        return target.read();
    };
    fake.onProcessMessages = [&] {
        if (hanging && fake.log.back() == "read -") fake.readHangs = hanging = false;
    };
    start(u"80\t\t90\r\n70\t71\t72\r\n60\t61\t62");
    expectGridCells({"80", "", "90", "70", "71", "72", "60", "61", "62"});
}

}  // namespace
}  // namespace tamvera::runtest
