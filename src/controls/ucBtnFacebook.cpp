#include "controls/ucBtnFacebook.h"

namespace tamvera::controls {

std::optional<char16_t> accessKeyOf(std::u16string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return caption[i + 1];
        ++i;  // "&&": a literal ampersand
    }
    return std::nullopt;
}

namespace {
char16_t foldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }
}  // namespace

ucBtnFacebook::ucBtnFacebook(std::u16string displayName)
    : displayName_(std::move(displayName)), caption_(displayName_) {}

// --- Properties ----------------------------------------------------------------------

void ucBtnFacebook::setBtnStyle(std::int32_t NewValue) {
    btnStyle_ = NewValue;
    fontSize_ = fontPointsFor(NewValue);
    Redraw();
    notify("BtnStyle");
}

void ucBtnFacebook::setEnabled(bool value) {
    enabled_ = value;
    if (ButtonHost* h = host_.get()) h->setWindowEnabled(value);
    Redraw();
    notify("Enabled");
}

void ucBtnFacebook::setCaption(std::u16string NewValue) {
    caption_ = std::move(NewValue);
    Redraw();
    notify("Caption");
}

void ucBtnFacebook::setIcon(PictureRef NewValue) {
    icon_ = std::move(NewValue);
    Redraw();
    notify("Icon");
}

void ucBtnFacebook::notify(const char* property) {
    if (PropertyChanged) PropertyChanged(property);
}

// --- Host ----------------------------------------------------------------------------

void ucBtnFacebook::attachHost(ButtonHost* host) {
    host_.set(host);
    if (host) host->setWindowEnabled(enabled_);
}

void ucBtnFacebook::detachHost() {
    // The timer and the pointer belonged to the window.
    timer1Interval_ = 0;
    handCursor_ = 0;
    btnState_ = BtnStateUp;
    hasFocus_ = false;
    host_.set(nullptr);
}

ClientMetrics ucBtnFacebook::metrics() const {
    ButtonHost* h = host_.get();
    return h ? h->metrics() : ClientMetrics{};
}

void ucBtnFacebook::onCreate() { handCursor_ = host_.get() ? host_.get()->loadHandCursor() : 0; }

void ucBtnFacebook::onNewInstance() { caption_ = displayName_; }

void ucBtnFacebook::loadProperties(const PropertyStore& store) {
    btnStyle_ = asInt32(store.read("BtnStyle", std::int32_t{0}));
    // Through the setter: the window follows, and the button is drawn with the style just
    // read and the caption not yet read.
    setEnabled(asBool(store.read("Enabled", true)));
    caption_ = asText(store.read("Caption", displayName_));
    icon_ = asPicture(store.read("Icon", PictureRef{}));
    fontSize_ = fontPointsFor(btnStyle_);
    Redraw();
}

void ucBtnFacebook::saveProperties(PropertyStore& store) const {
    store.write("BtnStyle", btnStyle_, std::int32_t{0});
    store.write("Enabled", enabled_, true);
    store.write("Caption", caption_, displayName_);
    store.write("Icon", icon_, PictureRef{});
}

// --- Input ---------------------------------------------------------------------------

void ucBtnFacebook::setPointer() {
    if (handCursor_ != 0 && host_.get()) host_.get()->setCursor(handCursor_);
}

void ucBtnFacebook::setTimer1(int milliseconds) {
    timer1Interval_ = milliseconds;
    if (ButtonHost* h = host_.get()) h->setTimer1Interval(milliseconds);
}

bool ucBtnFacebook::releasedInside(float x, float y) const {
    const ClientMetrics m = metrics();
    return x > 0 && y > 0 && x < m.widthTwips && y < m.heightTwips;
}

void ucBtnFacebook::onMouseDown(std::int16_t Button, std::int16_t Shift, float x, float Y) {
    if (!enabled_) return;
    setPointer();
    btnState_ = BtnStatePressed;
    Redraw();
    if (MouseDown) MouseDown(Button, Shift, x, Y);
}

void ucBtnFacebook::onMouseMove(std::int16_t, std::int16_t, float, float) {
    if (!enabled_) return;
    setPointer();
    // Hover start: only style 3 tracks, and only the first move repaints.
    if (btnStyle_ == 3 && timer1Interval_ == 0) {
        setTimer1(HoverPollMs);
        Redraw();
    }
}

void ucBtnFacebook::onMouseUp(std::int16_t, std::int16_t, float x, float Y) {
    if (!enabled_) return;
    setPointer();
    btnState_ = BtnStateUp;
    Redraw();
    // Last: the Click handler may run a whole entry run or end the program.
    if (releasedInside(x, Y) && Click) Click();
}

void ucBtnFacebook::onDoubleClick() {
    if (!enabled_) return;
    btnState_ = BtnStatePressed;
    Redraw();
}

void ucBtnFacebook::onAccessKey() {
    if (enabled_ && Click) Click();
}

void ucBtnFacebook::onGotFocus() {
    hasFocus_ = true;
    Redraw();
}

void ucBtnFacebook::onExitFocus() {
    hasFocus_ = false;
    Redraw();
}

void ucBtnFacebook::onTimer1Tick() {
    // Hover end, whatever the style now: a button switched away from style 3 while
    // tracking still stops once the pointer has left.
    if (!IsMouseOver()) {
        setTimer1(0);
        Redraw();
    }
}

void ucBtnFacebook::onTerminate() {
    // The hand pointer is the system's shared cursor: given up, never destroyed.
    handCursor_ = 0;
}

void ucBtnFacebook::onPressCancelled() {
    if (btnState_ == BtnStateUp) return;
    btnState_ = BtnStateUp;
    Redraw();
}

bool ucBtnFacebook::answersAccessKey(char16_t key) const {
    const auto own = accessKeyOf(caption_);
    return own && foldAscii(*own) == foldAscii(key);
}

// --- Drawing -------------------------------------------------------------------------

bool ucBtnFacebook::IsMouseOver() const {
    ButtonHost* h = host_.get();
    return h && h->pointerWindowIsControl();
}

void ucBtnFacebook::Redraw() {
    ButtonHost* h = host_.get();
    if (!h) return;
    // Only style 3 touches the underline flag; other styles keep whatever it was.
    if (btnStyle_ == 3) underline_ = IsMouseOver();
    ButtonLook look;
    look.btnStyle = btnStyle_;
    look.btnState = btnState_;
    look.enabled = enabled_;
    look.hasFocus = hasFocus_;
    look.fontPoints = fontSize_;
    look.underline = underline_;
    look.caption = caption_;
    look.icon = icon_;
    look.metrics = h->metrics();
    h->paint(paintButton(look));
}

}  // namespace tamvera::controls
