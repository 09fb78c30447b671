#include "form/FormModel.h"

#include <exception>
#include <utility>

namespace tamvera::form {

TextBox::TextBox(FormModel& owner, TextId id, std::u16string initial)
    : owner_(owner), id_(id), text_(std::move(initial)) {}

void TextBox::setText(std::u16string value) {
    text_ = std::move(value);
    owner_.textAssigned(*this);
    if (Change) Change();
}

void TextBox::setTextFromView(std::u16string value) {
    text_ = std::move(value);
    // The user's own edit of a holder may not be a number; outside a run nothing can
    // report that, so the display keeps its last text (a run that reads the holder
    // later fails with its message).
    try {
        if (Change) Change();
    } catch (const std::exception&) {
    }
}

FormModel::FormModel() {
    struct Initial {
        controls::ucBtnFacebook& button;
        const char16_t* caption;
        std::int32_t style;
    };
    const Initial buttons[] = {
        {Btn_Tamvera, u"Tamvera", 2}, {Btn_ERapor, u"E-Rapor", 0},      {Btn_Dapodik, u"Dapodik", 0},
        {Btn_EntriIsian, u"Isian", 0}, {Btn_EntriPilihan, u"Pilihan", 2}, {Btn_Cepat, u"Cepat", 2},
        {Btn_Sedang, u"Sedang", 0},    {Btn_Lambat, u"Lambat", 0},        {Btn_Mulai, u"Mulai", 1},
        {Btn_Berhenti, u"Berhenti", 0}, {Btn_Web, u"Informasi", 0},
    };
    for (const Initial& b : buttons) {
        b.button.setCaption(b.caption);
        b.button.setBtnStyle(b.style);
        b.button.setEnabled(true);
    }
}

void FormModel::setTimer_CekKesalahan_Enabled(bool enabled) {
    guardEnabled_ = enabled;
    if (observer_) observer_->guardTimerChanged(enabled);
}

void FormModel::setRunning(bool running) {
    running_ = running;
    if (observer_) observer_->runningChanged(running);
}

void FormModel::textAssigned(const TextBox& box) {
    if (!observer_) return;
    if (box.id() == TextId::Txt_Nilai)
        observer_->gradeTextChanged();
    else
        observer_->textChanged(box.id());
}

}  // namespace tamvera::form
