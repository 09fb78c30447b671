// The flat button's model: its properties, press/focus state and events, independent of
// any window system. The Win32 control (controls/win32) draws it and forwards input.
//
// The option groups of the main window hold their choice in these objects' BtnStyle
// (2 marks the chosen member) and Enabled: they are the one source of truth.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tamvera::controls {

// What the model asks of whatever shows it.
class ButtonView {
public:
    virtual ~ButtonView() = default;
    // Paints the whole button anew from the model.
    virtual void redraw() = 0;
};

class ucBtnFacebook {
public:
    explicit ucBtnFacebook(std::u16string displayName = u"ucBtnFacebook");

    std::int32_t BtnStyle() const { return btnStyle_; }
    void setBtnStyle(std::int32_t NewValue);

    bool Enabled() const { return enabled_; }
    void setEnabled(bool value);

    const std::u16string& Caption() const { return caption_; }
    void setCaption(std::u16string NewValue);

    // Font size in points: 8 for style 3, else 9.
    int fontSize() const { return fontSize_; }

    // The view that draws this button; may be null (no drawing).
    void attachView(ButtonView* view) { view_ = view; }

    // Raised to the host.
    std::function<void()> Click;
    // Raised with the name of a property whose setter ran.
    std::function<void(const char*)> PropertyChanged;

    void Redraw();

private:
    void notify(const char* property);

    std::u16string displayName_;
    std::int32_t btnStyle_ = 0;
    bool enabled_ = true;
    std::u16string caption_;
    int fontSize_ = 9;
    ButtonView* view_ = nullptr;
};

}  // namespace tamvera::controls
