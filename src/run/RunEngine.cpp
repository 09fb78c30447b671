#include "run/RunEngine.h"

#include <exception>

#include "form/EntryOptions.h"
#include "form/HandOffFile.h"
#include "platform/Failure.h"
#include "progress/ProgressDisplay.h"
#include "progress/Totals.h"
#include "run/ForegroundGuard.h"
#include "run/Messages.h"
#include "run/Pause.h"
#include "run/TypingLoop.h"
#include "run/VerifiedEntry.h"

namespace tamvera::run {

namespace {

constexpr unsigned kBeepHz = 2000;
constexpr unsigned kBeepMs = 300;
constexpr float kStartWaitSeconds = 2.0f;
// How long a target that stopped answering is waited for before the closing message.
constexpr float kAwaitAnswerSeconds = 10.0f;

// Marks the run in progress for as long as the start handler runs.
class RunningScope {
public:
    explicit RunningScope(form::FormModel& form) : form_(form) { form_.setRunning(true); }
    ~RunningScope() { form_.setRunning(false); }
    RunningScope(const RunningScope&) = delete;
    RunningScope& operator=(const RunningScope&) = delete;

private:
    form::FormModel& form_;
};

// Fine system timer resolution for the whole run, so the waits of the pauses end within
// a millisecond of their end instead of up to 15.6 ms late.
class FineTimingScope {
public:
    explicit FineTimingScope(Platform& platform) : platform_(platform) { platform_.beginFineTiming(); }
    ~FineTimingScope() { platform_.endFineTiming(); }
    FineTimingScope(const FineTimingScope&) = delete;
    FineTimingScope& operator=(const FineTimingScope&) = delete;

private:
    Platform& platform_;
};

}  // namespace

RunEngine::RunEngine(form::FormModel& form, Platform& platform)
    : form_(form),
      platform_(platform),
      handOffPath_(platform.programFolder() + u"\\" + std::u16string(form::kHandOffName)) {
    form_.Btn_Mulai.Click = [this] { Btn_Mulai_Click(); };
    form_.Btn_Berhenti.Click = [this] { Btn_Berhenti_Click(); };
    form_.Btn_Tamvera.Click = [this] { Btn_Tamvera_Click(); };
    form_.Btn_ERapor.Click = [this] { Btn_ERapor_Click(); };
    form_.Btn_Dapodik.Click = [this] { Btn_Dapodik_Click(); };
    form_.Btn_EntriIsian.Click = [this] { Btn_EntriIsian_Click(); };
    form_.Btn_EntriPilihan.Click = [this] { Btn_EntriPilihan_Click(); };
    form_.Btn_Cepat.Click = [this] { Btn_Cepat_Click(); };
    form_.Btn_Sedang.Click = [this] { Btn_Sedang_Click(); };
    form_.Btn_Lambat.Click = [this] { Btn_Lambat_Click(); };
    form_.Txt_SaatIni.Change = [this] { Txt_SaatIni_Change(); };
    form_.Txt_WaktuSaatIni.Change = [this] { Txt_WaktuSaatIni_Change(); };
    form_.Txt_Nilai.Change = [this] { forgetChangedStop(); };
}

RunEngine::~RunEngine() {
    for (controls::ucBtnFacebook* b : {&form_.Btn_Mulai, &form_.Btn_Berhenti, &form_.Btn_Tamvera, &form_.Btn_ERapor,
                                       &form_.Btn_Dapodik, &form_.Btn_EntriIsian, &form_.Btn_EntriPilihan,
                                       &form_.Btn_Cepat, &form_.Btn_Sedang, &form_.Btn_Lambat})
        b->Click = nullptr;
    form_.Txt_SaatIni.Change = nullptr;
    form_.Txt_WaktuSaatIni.Change = nullptr;
    form_.Txt_Nilai.Change = nullptr;
}

void RunEngine::Form_Load() { form_.Kesalahan = 0; }

void RunEngine::Btn_Mulai_Click() {
    // One run at a time: the window handles clicks inside the run's pauses.
    if (form_.running()) return;
    RunningScope running(form_);
    try {
        const Start start = askWhereToStart();
        if (start == Start::None || !ConfirmStart(platform_)) return;
        runConfirmed(start == Start::GoOn);
    } catch (const Failure&) {
        endWithFailure();
    } catch (const std::exception&) {
        // Out of memory and the like: the run ends as after any failure, never a crash.
        endWithFailure();
    }
}

RunEngine::Start RunEngine::askWhereToStart() {
    forgetChangedStop();
    const auto stop = position_ ? FindStopPlace(platform_, handOffPath_, position_->typedThrough) : std::nullopt;
    // Going on from the first value is a whole run.
    if (!stop || stop->typed == 0) return Start::Whole;
    switch (AskToGoOn(platform_, ResumeQuestion(position_->setting.kind, *stop))) {
    case MessageAnswer::Yes: return Start::GoOn;
    case MessageAnswer::No: return Start::Whole;
    default: return Start::None;
    }
}

void RunEngine::forgetChangedStop() {
    // A run in progress keeps its position for its own apology, whatever is clicked meanwhile.
    if (!form_.running() && position_ && !(position_->setting == CurrentSetting(form_))) position_.reset();
}

void RunEngine::runConfirmed(bool goOn) {
    FineTimingScope fineTiming(platform_);
    platform_.setCursorPos(0, 0);
    // A flag left from an earlier run must not stop this one.
    form_.Kesalahan = 0;
    form_.setTimer_CekKesalahan_Enabled(true);
    // A whole run forgets the stop before anything can fail, so its apology says only its own.
    if (!goOn) position_.reset();
    handOffPath_ = form::WriteHandOffFile(platform_, form_.Txt_Nilai.Text());
    if (!goOn) position_.emplace(RunPosition{CurrentSetting(form_), 0, {}, {}});
    activateTarget();
    VerifiedEntry check(platform_, form_, *position_);
    check.startWait(kStartWaitSeconds, goOn);
    if (goOn && refuseFilledField(check)) return;
    TypingLoop loop(form_, platform_, handOffPath_, *position_, &check, goOn);
    loop.IsiNilai();
    platform_.beep(kBeepHz, kBeepMs);
    platform_.beep(kBeepHz, kBeepMs);
    form_.setTimer_CekKesalahan_Enabled(false);
    lastCheck_ = check.report();
    // A run stopped with the apology is to be checked and run again anyway: one box is enough.
    const std::u16string closing = loop.stopped() ? std::u16string() : ClosingMessage(lastCheck_);
    if (closing.empty()) return;
    // The box takes the front, and with it every key not yet taken by the report
    // application: a target that stopped answering is given a while to come back (and
    // take its keys), and the last keys the time a navigation key gets.
    check.awaitAnswer(kAwaitAnswerSeconds);
    run::PauseForSpeed(platform_, form_, static_cast<float>(progress::kShortPause));
    ShowClosingMessage(platform_, closing);
}

bool RunEngine::refuseFilledField(const VerifiedEntry& check) {
    const std::size_t typed = position_->typedThrough;
    const auto next = FindStopPlace(platform_, handOffPath_, typed);
    if (!next) return false;
    const auto last = typed > 0 ? FindStopPlace(platform_, handOffPath_, typed - 1) : std::nullopt;
    const EntryKind kind = position_->setting.kind;
    const auto done = check.focusOnFilledField(kind, *next, last);
    if (!done) return false;
    form_.setTimer_CekKesalahan_Enabled(false);
    platform_.focusMainWindow();
    ShowAlreadyFilled(platform_, AlreadyFilledText(kind, *next, *done));
    return true;
}

void RunEngine::activateTarget() {
    const auto title = form::options::TargetTitle(form_);
    if (title && !platform_.activateWindowByTitle(*title)) throw Failure("the target window is not open");
}

void RunEngine::endWithFailure() {
    // The hand-off reader and the fine timing were released while unwinding.
    form_.setTimer_CekKesalahan_Enabled(false);
    // A failure after the target was activated leaves the report application in front: the
    // main window comes back first, as for the guard's stop, so the message is seen and answered
    // there and not behind the report application.
    platform_.focusMainWindow();
    // Where it stopped, once this run's list is in the hand-off file.
    ShowApology(platform_,
                position_ ? StopLine(FindStopPlace(platform_, handOffPath_, position_->typedThrough)) : u"");
}

void RunEngine::Btn_Berhenti_Click() { platform_.exitProcess(); }

void RunEngine::Timer_CekKesalahan_Timer() {
    if (ForeignWindowInFront(form_, platform_)) form_.Kesalahan = 1;
}

void RunEngine::Txt_Nilai_Click() { form_.Txt_Nilai.setText(u""); }

// A new target or mode forgets a stop made with the old one.
void RunEngine::chooseAndForgetStop(void (*choose)(form::FormModel&)) {
    choose(form_);
    forgetChangedStop();
}

void RunEngine::Btn_Tamvera_Click() { chooseAndForgetStop(form::options::Btn_Tamvera_Click); }
void RunEngine::Btn_ERapor_Click() { chooseAndForgetStop(form::options::Btn_ERapor_Click); }
void RunEngine::Btn_Dapodik_Click() { chooseAndForgetStop(form::options::Btn_Dapodik_Click); }
void RunEngine::Btn_EntriIsian_Click() { chooseAndForgetStop(form::options::Btn_EntriIsian_Click); }
void RunEngine::Btn_EntriPilihan_Click() { chooseAndForgetStop(form::options::Btn_EntriPilihan_Click); }
void RunEngine::Btn_Cepat_Click() { form::options::Btn_Cepat_Click(form_); }
void RunEngine::Btn_Sedang_Click() { form::options::Btn_Sedang_Click(form_); }
void RunEngine::Btn_Lambat_Click() { form::options::Btn_Lambat_Click(form_); }

void RunEngine::Txt_SaatIni_Change() { progress::Txt_SaatIni_Change(form_); }
void RunEngine::Txt_WaktuSaatIni_Change() { progress::Txt_WaktuSaatIni_Change(form_, platform_); }

void RunEngine::HitungTotal() { progress::HitungTotal(form_, platform_, handOffPath_); }
void RunEngine::HitungWaktu() { progress::HitungWaktu(form_, platform_, handOffPath_); }
void RunEngine::TambahWaktu() { progress::TambahWaktu(form_, platform_); }
void RunEngine::TambahWaktuSaatIni() { progress::TambahWaktuSaatIni(form_, platform_); }

}  // namespace tamvera::run
