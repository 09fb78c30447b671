// The chrome of the borderless main window, decided without any window system: which
// label of Picture1 is under the pointer, dragging the window by the title area, the
// close label "X" with its bold hover look, the credit label and the "Informasi" box.
//
// Picture1 hands its mouse input to Form1Chrome in pixels of its client area; the
// windowed controls above it (text boxes, flat buttons) take their own input, so only
// points outside them ever get here.
#pragma once

#include <cstdint>
#include <string_view>

#include "TamveraVersion.h"
#include "controls/ucBtnFacebook.h"
#include "form/FormModel.h"
#include "platform/Platform.h"
#include "window/Layout.h"

namespace tamvera::window {

// What "Informasi" shows: the name and version, the use in three lines, and where the
// guide is: the release's folder holds it beside Tamvera.exe, to read in a browser and to
// print (scripts/make-release.sh). A box and not a web address: an address leads wherever
// its holder decides, and the guide travels with the program.
inline constexpr std::u16string_view kAboutText =
    u"Tamvera versi " TAMVERA_VERSION_SHORT " - pengisi nilai rapor otomatis\r\n"
    u"\r\n"
    u"1. Buka aplikasi rapor dan letakkan kursor tepat sebelum isian nilai pertama.\r\n"
    u"2. Salin nilai dari lembar kerja (tanpa nama dan judul), klik kotak putih di kiri "
    u"bawah, lalu tempel dengan Ctrl+V.\r\n"
    u"3. Pilih Jenis Rapor, Entri Nilai dan Kecepatan, tekan Mulai lalu OK, dan jangan "
    u"sentuh mouse/keyboard sampai terdengar dua bunyi bip.\r\n"
    u"\r\n"
    u"Panduan lengkap: berkas PANDUAN.html (dibuka dengan browser) dan PANDUAN.pdf (untuk "
    u"dicetak) di folder yang sama dengan Tamvera.exe.";
// The author credit behind the footer ("Dibuat oleh Tim Tamvera").
inline constexpr std::u16string_view kCreditText =
    u"Tamvera dibuat oleh Tim Tamvera.\r\n"
    u"Terima kasih telah menggunakan Tamvera untuk mengisi nilai rapor.";

// The label under (x, y), in pixels of Picture1's client area: the first label of the
// stacking order whose rectangle holds the point; null when the point is on no label
// (it belongs to Picture1 itself). Lines take no mouse input.
const ControlEntry* LabelAt(int x, int y, const TwipsPerPixel& tpp);

// Whether a press of `button` (a mouse mask: 1 left, 2 right, 4 middle) on `label`
// starts moving the window: the left button on either drag area.
bool StartsDrag(const ControlEntry* label, std::int16_t button);

enum class CloseLook { Regular, Bold };

// The close label's look after the pointer moved over `movedOver` (null: Picture1):
// bold over the close label, regular over Picture1 or Label_DragMove, unchanged anywhere
// else.
CloseLook CloseLookAfterMove(CloseLook current, const ControlEntry* movedOver);

// What the chrome needs from the window that shows it.
class ChromeView {
public:
    virtual ~ChromeView() = default;
    // Lets the system move the window as if its caption bar had been pressed; returns
    // when the move is over.
    virtual void dragWindow() = 0;
    // The close label has to be drawn again in its new look.
    virtual void closeLookChanged() = 0;
    // Keeps the mouse on Picture1 between a press and its release (or lets it go).
    virtual void captureMouse(bool captured) = 0;
};

class Form1Chrome {
public:
    // Binds the form's "Informasi" button to Btn_Web_Click for the chrome's lifetime.
    Form1Chrome(Platform& platform, ChromeView& view, TwipsPerPixel tpp, form::FormModel& form);
    ~Form1Chrome();
    Form1Chrome(const Form1Chrome&) = delete;
    Form1Chrome& operator=(const Form1Chrome&) = delete;

    // --- Mouse input of Picture1 (pixels in its client area) ------------------------
    // While a button is held, every move and the release go to the label (or Picture1)
    // that was pressed; a left press and release on the same label is that label's click.
    void mouseDown(std::int16_t button, int x, int y);
    void mouseMove(int x, int y);
    void mouseUp(std::int16_t button, int x, int y);
    // Another window took the mouse between press and release: no click follows.
    void captureLost();

    CloseLook closeLook() const { return closeLook_; }

    // --- Handlers ---------------------------------------------------------------------
    void Label_DragMove_MouseDown(std::int16_t button);
    void Label_DragMove2_MouseDown(std::int16_t button);
    // Ends the program at once, also in the middle of a run.
    void Btn_Close_Click();
    // The credit message; waits until the user closes it.
    void By_Pembuat_Click();
    // The information box ("Informasi"); waits until the user closes it.
    void Btn_Web_Click();

private:
    void movedOver(const ControlEntry* target);
    void clicked(const ControlEntry* label);

    Platform& platform_;
    ChromeView& view_;
    TwipsPerPixel tpp_;
    form::FormModel& form_;
    CloseLook closeLook_ = CloseLook::Regular;
    // The press in progress: its button (0: none) and what it landed on (null: Picture1).
    std::int16_t pressedButton_ = 0;
    const ControlEntry* pressed_ = nullptr;
};

}  // namespace tamvera::window
