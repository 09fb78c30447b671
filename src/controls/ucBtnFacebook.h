// The flat button's model: its properties, press/focus/hover state and events,
// independent of any window system. The Win32 control (controls/win32/FlatButton) shows
// it and forwards the window's input as the notifications below.
//
// The option groups of the main window hold their choice in these objects' BtnStyle
// (2 marks the chosen member) and Enabled: they are the one source of truth. The control's
// window follows Enabled (it is enabled or disabled to match when attached and by every
// set), it does not hold a state of its own.
//
// Without a host (no window yet) the setters store and notify; nothing is drawn.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "controls/ButtonHost.h"
#include "controls/ButtonPaint.h"
#include "controls/PropertyStore.h"

namespace tamvera::controls {

// Mouse button and modifier masks of the mouse notifications and MouseDown.
namespace mouse {
inline constexpr std::int16_t Left = 1, Right = 2, Middle = 4;
inline constexpr std::int16_t Shift = 1, Ctrl = 2, Alt = 4;
}  // namespace mouse

inline constexpr std::int32_t BtnStateUp = 0;
inline constexpr std::int32_t BtnStatePressed = 5;
inline constexpr int HoverPollMs = 100;

// The access key of a caption: the character after the first single '&' ("&&" is a
// literal ampersand); none when there is no such character.
std::optional<char16_t> accessKeyOf(std::u16string_view caption);

class ucBtnFacebook {
public:
    explicit ucBtnFacebook(std::u16string displayName = u"ucBtnFacebook");

    // --- Properties (every setter: store, [font], Redraw, notify — in that order, also
    // when the value does not change) -------------------------------------------------
    std::int32_t BtnStyle() const { return btnStyle_; }
    void setBtnStyle(std::int32_t NewValue);

    bool Enabled() const { return enabled_; }
    void setEnabled(bool value);

    const std::u16string& Caption() const { return caption_; }
    void setCaption(std::u16string NewValue);

    // Shared with whoever set it, not copied; may be empty.
    const PictureRef& Icon() const { return icon_; }
    void setIcon(PictureRef NewValue);

    // --- Events raised to the host ---------------------------------------------------
    // A release strictly inside the control (any mouse button), or the access key.
    std::function<void()> Click;
    // Every press, after the pressed look is drawn. Arguments by reference, as given.
    std::function<void(std::int16_t& Button, std::int16_t& Shift, float& x, float& Y)> MouseDown;
    // The name of a property whose setter ran ("BtnStyle", "Enabled", "Caption", "Icon").
    std::function<void(const char*)> PropertyChanged;

    // --- The host and its notifications ----------------------------------------------
    // The window that shows this model; it must detach before it goes away.
    void attachHost(ButtonHost* host);
    void detachHost();
    ButtonHost* host() const { return host_.get(); }

    void onCreate();       // takes the hand pointer; draws nothing
    void onNewInstance();  // first placement: Caption = the display name, no repaint
    void loadProperties(const PropertyStore& store);
    void saveProperties(PropertyStore& store) const;
    void onShow() { Redraw(); }
    void onResize() { Redraw(); }
    // Coordinates in twips relative to the control; masks as in `mouse`. A disabled
    // control takes no mouse input and no access key (its window gets none either).
    void onMouseDown(std::int16_t Button, std::int16_t Shift, float x, float Y);
    void onMouseMove(std::int16_t Button, std::int16_t Shift, float x, float Y);
    void onMouseUp(std::int16_t Button, std::int16_t Shift, float x, float Y);
    void onDoubleClick();
    void onAccessKey();
    void onGotFocus();
    void onExitFocus();
    void onTimer1Tick();
    void onTerminate();
    // The window lost the mouse capture between a press and its release (another window
    // took it, a modal box opened): the button goes up again without a Click instead of
    // staying drawn pressed until the next press.
    void onPressCancelled();

    // Whether `key` (as typed with Alt) is this control's access key; letters match in
    // either case.
    bool answersAccessKey(char16_t key) const;

    // True when the window under the pointer is the control's own; false with no host.
    bool IsMouseOver() const;
    // Paints the whole button anew and shows it.
    void Redraw();

    // --- Read-only state, for the view and the tests ---------------------------------
    const std::u16string& displayName() const { return displayName_; }
    int fontSize() const { return fontSize_; }
    std::int32_t btnState() const { return btnState_; }
    bool hasFocus() const { return hasFocus_; }
    int timer1Interval() const { return timer1Interval_; }
    CursorHandle handCursor() const { return handCursor_; }
    bool underlined() const { return underline_; }

private:
    // A host pointer that copies of the model do not take over: a copy starts detached.
    class HostLink {
    public:
        HostLink() = default;
        HostLink(const HostLink&) {}
        HostLink& operator=(const HostLink&) { return *this; }
        ButtonHost* get() const { return p_; }
        void set(ButtonHost* p) { p_ = p; }

    private:
        ButtonHost* p_ = nullptr;
    };

    void notify(const char* property);
    void setPointer();
    void setTimer1(int milliseconds);
    bool releasedInside(float x, float y) const;
    ClientMetrics metrics() const;

    std::u16string displayName_;
    std::int32_t btnStyle_ = 0;
    bool enabled_ = true;
    std::u16string caption_;
    PictureRef icon_;
    int fontSize_ = 9;
    bool underline_ = false;  // the surface font's underline flag, kept between paints
    std::int32_t btnState_ = BtnStateUp;
    bool hasFocus_ = false;
    CursorHandle handCursor_ = 0;
    int timer1Interval_ = 0;
    HostLink host_;
};

}  // namespace tamvera::controls
