// The main window's behaviour: the handlers of its buttons, of the grade box and of the
// guard timer, and the methods of an entry run, over the form's state and the platform.
//
// Constructing the engine binds every button's Click (except Btn_Web, the chrome's own)
// and the change handlers of Txt_SaatIni and Txt_WaktuSaatIni, so the window only raises
// Click and assigns texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "form/FormModel.h"
#include "platform/Platform.h"
#include "run/StopPlace.h"
#include "run/VerifiedEntry.h"

namespace tamvera::run {

class RunEngine {
public:
    RunEngine(form::FormModel& form, Platform& platform);
    ~RunEngine();
    RunEngine(const RunEngine&) = delete;
    RunEngine& operator=(const RunEngine&) = delete;

    // --- Window and control handlers ---------------------------------------------------
    // Clears the error flag (the drop shadow is the window's own business).
    void Form_Load();
    // Starts a run: after a stop of this list, target and mode, whether to go on from it;
    // confirmation, pointer to (0, 0), guard on, hand-off file, target to the front, two
    // seconds, IsiNilai, two beeps, guard off. Ignored while a run is in progress. Never
    // throws a failure: any failure ends the run with the apology.
    void Btn_Mulai_Click();
    // Ends the program at once, also in the middle of a run.
    void Btn_Berhenti_Click();
    // The foreground guard, once a second while the guard timer is enabled.
    void Timer_CekKesalahan_Timer();
    // Every click into the grade box empties it.
    void Txt_Nilai_Click();
    void Btn_Tamvera_Click();
    void Btn_ERapor_Click();
    void Btn_Dapodik_Click();
    void Btn_EntriIsian_Click();
    void Btn_EntriPilihan_Click();
    void Btn_Cepat_Click();
    void Btn_Sedang_Click();
    void Btn_Lambat_Click();
    void Txt_SaatIni_Change();
    void Txt_WaktuSaatIni_Change();

    // --- Methods of a run (public for the window and the tests) ------------------------
    void HitungTotal();
    void HitungWaktu();
    void TambahWaktu();
    void TambahWaktuSaatIni();

    // Where this run's hand-off file lives: the program's folder, or the fallback in the
    // local application-data folder when the program's folder cannot be written.
    const std::u16string& handOffPath() const { return handOffPath_; }
    // What the last run's reads found (its figures too).
    const CheckReport& lastCheck() const { return lastCheck_; }

private:
    enum class Start { Whole, GoOn, None };
    // Where the run starts: the whole list, on from the last stop (asked when there is one
    // for this list, target and mode), or not at all.
    Start askWhereToStart();
    // Forgets a stop whose list, target or mode is no longer chosen.
    void forgetChangedStop();
    void chooseAndForgetStop(void (*choose)(form::FormModel&));
    void runConfirmed(bool goOn);
    // A run going on found the focus on a field already done: it says so and types nothing.
    bool refuseFilledField(const VerifiedEntry& check);
    void activateTarget();
    void endWithFailure();

    form::FormModel& form_;
    Platform& platform_;
    std::u16string handOffPath_;
    CheckReport lastCheck_;
    // How far the run got; from the moment its list is in the hand-off file. Kept after
    // the run: a run that stopped early is gone on from here.
    std::optional<RunPosition> position_;
};

}  // namespace tamvera::run
