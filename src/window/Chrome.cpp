#include "window/Chrome.h"

#include "run/Messages.h"

namespace tamvera::window {

namespace {

bool is(const ControlEntry* entry, std::string_view name) { return entry && entry->name == name; }

}  // namespace

const ControlEntry* LabelAt(int x, int y, const TwipsPerPixel& tpp) {
    for (const ControlEntry& c : kControls)
        if (c.kind == Kind::Label && toPixels(c.rect, tpp).contains(x, y)) return &c;
    return nullptr;
}

bool StartsDrag(const ControlEntry* label, std::int16_t button) {
    return button == controls::mouse::Left && (is(label, "Label_DragMove") || is(label, "Label_DragMove2"));
}

CloseLook CloseLookAfterMove(CloseLook current, const ControlEntry* movedOver) {
    if (is(movedOver, "Btn_Close")) return CloseLook::Bold;
    if (!movedOver || is(movedOver, "Label_DragMove")) return CloseLook::Regular;
    return current;
}

Form1Chrome::Form1Chrome(Platform& platform, ChromeView& view, TwipsPerPixel tpp, form::FormModel& form)
    : platform_(platform), view_(view), tpp_(tpp), form_(form) {
    form_.Btn_Web.Click = [this] { Btn_Web_Click(); };
}

Form1Chrome::~Form1Chrome() { form_.Btn_Web.Click = nullptr; }

void Form1Chrome::mouseDown(std::int16_t button, int x, int y) {
    if (pressedButton_ != 0) return;  // a second button during a press changes nothing
    const ControlEntry* label = LabelAt(x, y, tpp_);
    if (is(label, "Label_DragMove")) return Label_DragMove_MouseDown(button);
    if (is(label, "Label_DragMove2")) return Label_DragMove2_MouseDown(button);
    pressedButton_ = button;
    pressed_ = label;
    view_.captureMouse(true);
}

void Form1Chrome::mouseMove(int x, int y) { movedOver(pressedButton_ ? pressed_ : LabelAt(x, y, tpp_)); }

void Form1Chrome::mouseUp(std::int16_t button, int x, int y) {
    if (button != pressedButton_) return;
    const ControlEntry* pressed = pressed_;
    pressedButton_ = 0;
    pressed_ = nullptr;
    view_.captureMouse(false);
    if (button == controls::mouse::Left && pressed && LabelAt(x, y, tpp_) == pressed) clicked(pressed);
}

void Form1Chrome::captureLost() {
    pressedButton_ = 0;
    pressed_ = nullptr;
}

void Form1Chrome::movedOver(const ControlEntry* target) {
    const CloseLook next = CloseLookAfterMove(closeLook_, target);
    if (next == closeLook_) return;
    closeLook_ = next;
    view_.closeLookChanged();
}

void Form1Chrome::clicked(const ControlEntry* label) {
    if (is(label, "Btn_Close")) Btn_Close_Click();
    if (is(label, "By_Pembuat")) By_Pembuat_Click();
}

void Form1Chrome::Label_DragMove_MouseDown(std::int16_t button) {
    if (StartsDrag(findControl("Label_DragMove"), button)) view_.dragWindow();
}

void Form1Chrome::Label_DragMove2_MouseDown(std::int16_t button) {
    if (StartsDrag(findControl("Label_DragMove2"), button)) view_.dragWindow();
}

void Form1Chrome::Btn_Close_Click() { platform_.exitProcess(); }

void Form1Chrome::By_Pembuat_Click() {
    platform_.messageBox(kCreditText, run::kAppTitle, MessageButtons::Ok, MessageIcon::Information);
}

void Form1Chrome::Btn_Web_Click() {
    platform_.messageBox(kAboutText, run::kAppTitle, MessageButtons::Ok, MessageIcon::Information);
}

}  // namespace tamvera::window
