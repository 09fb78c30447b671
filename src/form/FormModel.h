// The main window's state, the one source of truth for everything the window shows:
// the flat buttons (whose BtnStyle holds the option choices), the grade list, the four
// hidden value holders, the two display texts, the error flag, the guard timer and
// whether a run is in progress.
//
// The model decides nothing; the run engine (run/RunEngine.h) binds the handlers
// (button clicks, holder changes) and the Win32 window observes the model to redraw.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/ucBtnFacebook.h"

namespace tamvera::form {

// The text boxes of the window, as an observer sees them.
enum class TextId {
    Txt_Nilai,
    Txt_Total,
    Txt_SaatIni,
    Txt_WaktuTotal,
    Txt_WaktuSaatIni,
    Txt_Perkembangan,
    Txt_Waktu,
};

// What the window is told when the program changes the model. Every method has an
// empty default so a view overrides only what it shows.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    // A value holder or display text was assigned by the program (its new text is in
    // the model). Not called for Txt_Nilai: see gradeTextChanged.
    virtual void textChanged(TextId /*which*/) {}
    // The program replaced the grade list (a click into the box empties it).
    virtual void gradeTextChanged() {}
    // The guard timer was switched on or off; its interval is kGuardIntervalMs.
    virtual void guardTimerChanged(bool /*enabled*/) {}
    // A run began (true) or ended (false).
    virtual void runningChanged(bool /*running*/) {}
};

class FormModel;

// A text box: its UTF-16 text and an optional change handler.
//
// Every assignment counts as a change, also one that leaves the text as it was: the
// observer is told and the change handler runs, synchronously, before the assigning
// code goes on. So the first run's resets to "0" already show "0 dari 0 Nilai" and
// "0 Detik Lagi".
class TextBox {
public:
    TextBox(FormModel& owner, TextId id, std::u16string initial);
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    const std::u16string& Text() const { return text_; }
    TextId id() const { return id_; }

    // Assignment by the program: the observer is told, then Change runs.
    void setText(std::u16string value);
    // Assignment by the view (the user typed or pasted): no echo to the observer, but
    // Change runs as for any change; an error in it (a holder text that is not a
    // number) is not thrown back into the window.
    void setTextFromView(std::u16string value);

    // The change handler (Txt_SaatIni_Change, Txt_WaktuSaatIni_Change); may be empty.
    std::function<void()> Change;

private:
    FormModel& owner_;
    TextId id_;
    std::u16string text_;
};

class FormModel {
public:
    static constexpr unsigned kGuardIntervalMs = 1000;
    static constexpr const char16_t* kGradePrompt = u"Masukan Nilai ...\r\n";

    FormModel();
    FormModel(const FormModel&) = delete;
    FormModel& operator=(const FormModel&) = delete;

    // One observer (the main window); null detaches.
    void setObserver(FormObserver* observer) { observer_ = observer; }

    // --- Flat buttons (captions and initial styles as the window opens) -------------
    controls::ucBtnFacebook Btn_Tamvera{u"Btn_Tamvera"};
    controls::ucBtnFacebook Btn_ERapor{u"Btn_ERapor"};
    controls::ucBtnFacebook Btn_Dapodik{u"Btn_Dapodik"};
    controls::ucBtnFacebook Btn_EntriIsian{u"Btn_EntriIsian"};
    controls::ucBtnFacebook Btn_EntriPilihan{u"Btn_EntriPilihan"};
    controls::ucBtnFacebook Btn_Cepat{u"Btn_Cepat"};
    controls::ucBtnFacebook Btn_Sedang{u"Btn_Sedang"};
    controls::ucBtnFacebook Btn_Lambat{u"Btn_Lambat"};
    controls::ucBtnFacebook Btn_Mulai{u"Btn_Mulai"};
    controls::ucBtnFacebook Btn_Berhenti{u"Btn_Berhenti"};
    controls::ucBtnFacebook Btn_Web{u"Btn_Web"};

    // --- Text boxes -----------------------------------------------------------------
    TextBox Txt_Nilai{*this, TextId::Txt_Nilai, kGradePrompt};
    TextBox Txt_Total{*this, TextId::Txt_Total, u"0"};
    TextBox Txt_SaatIni{*this, TextId::Txt_SaatIni, u"0"};
    TextBox Txt_WaktuTotal{*this, TextId::Txt_WaktuTotal, u"0"};
    TextBox Txt_WaktuSaatIni{*this, TextId::Txt_WaktuSaatIni, u"0"};
    TextBox Txt_Perkembangan{*this, TextId::Txt_Perkembangan, u"N/A"};
    TextBox Txt_Waktu{*this, TextId::Txt_Waktu, u"N/A"};

    // --- Error flag: 0, or 1 once the foreground guard found a foreign window ---------
    std::int16_t Kesalahan = 0;

    // --- Guard timer ----------------------------------------------------------------
    bool Timer_CekKesalahan_Enabled() const { return guardEnabled_; }
    void setTimer_CekKesalahan_Enabled(bool enabled);

    // --- Run in progress ------------------------------------------------------------
    bool running() const { return running_; }
    void setRunning(bool running);

private:
    friend class TextBox;
    void textAssigned(const TextBox& box);

    FormObserver* observer_ = nullptr;
    bool guardEnabled_ = false;
    bool running_ = false;
};

}  // namespace tamvera::form
