#include "controls/ucBtnFacebook.h"

namespace tamvera::controls {

ucBtnFacebook::ucBtnFacebook(std::u16string displayName)
    : displayName_(std::move(displayName)), caption_(displayName_) {}

void ucBtnFacebook::setBtnStyle(std::int32_t NewValue) {
    btnStyle_ = NewValue;
    fontSize_ = NewValue == 3 ? 8 : 9;
    Redraw();
    notify("BtnStyle");
}

void ucBtnFacebook::setEnabled(bool value) {
    enabled_ = value;
    Redraw();
    notify("Enabled");
}

void ucBtnFacebook::setCaption(std::u16string NewValue) {
    caption_ = std::move(NewValue);
    Redraw();
    notify("Caption");
}

void ucBtnFacebook::Redraw() {
    if (view_) view_->redraw();
}

void ucBtnFacebook::notify(const char* property) {
    if (PropertyChanged) PropertyChanged(property);
}

}  // namespace tamvera::controls
