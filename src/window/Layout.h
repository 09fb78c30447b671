// The main window's layout as data: every control of Form1 with its kind, place and size
// in twips, tab index, stacking order, font, colour and text, and the conversion of twips
// to the screen's pixels. The Win32 window creates its children from this table and the
// chrome (window/Chrome.h) hit-tests the labels with it.
//
// Initial captions, styles and texts of the flat buttons and text boxes are not repeated
// here: they live in the form's model (form/FormModel.h), which each entry points at.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "TamveraVersion.h"
#include "controls/ButtonPaint.h"
#include "form/FormModel.h"

namespace tamvera::window {

using controls::Colour;
using controls::rgb;

inline constexpr std::u16string_view kWindowTitle = u"Tamvera";

// The client area of the window, in twips.
inline constexpr int kClientWidthTwips = 4830;
inline constexpr int kClientHeightTwips = 8325;
// The artwork is drawn for 96 dpi (322 x 554 pixels); it is shown at this size in twips,
// so that it scales with the controls where the screen is not virtualised to 96 dpi.
inline constexpr int kArtworkWidthTwips = 322 * 15;
inline constexpr int kArtworkHeightTwips = 554 * 15;

enum class Kind {
    ValueHolder,  // a text box of the model that is never shown (no window at all)
    PictureBox,   // Picture1: the artwork; it draws the labels and lines
    Timer,        // Timer_CekKesalahan
    GradeBox,     // Txt_Nilai: multi-line, both scroll bars, editable
    DisplayBox,   // Txt_Waktu, Txt_Perkembangan: read-only, no border
    FlatButton,
    Label,        // windowless, drawn by Picture1
    Line,         // windowless, drawn by Picture1
};

enum class Container { Form, Picture1 };

struct TwipsRect {
    int left = 0, top = 0, width = 0, height = 0;
};

struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    int right() const { return left + width; }    // exclusive
    int bottom() const { return top + height; }   // exclusive
    bool contains(int x, int y) const { return x >= left && x < right() && y >= top && y < bottom(); }
    bool operator==(const PixelRect&) const = default;
};

struct FontStyle {
    std::u16string_view face;
    double points = 0;
    bool bold = false;
    bool italic = false;
};

inline constexpr FontStyle kSegoeUi825{u"Segoe UI", 8.25};
inline constexpr FontStyle kSegoeUi9{u"Segoe UI", 9};
inline constexpr FontStyle kSegoeUi9Bold{u"Segoe UI", 9, true};
inline constexpr FontStyle kVerdana825Italic{u"Verdana", 8.25, false, true};

inline constexpr Colour kGreyText = rgb(128, 128, 128);
inline constexpr Colour kWhiteText = rgb(255, 255, 255);
inline constexpr Colour kLineColour = rgb(192, 192, 192);

// The two parts of the product name in the title band (the second one bold).
inline constexpr std::u16string_view kTitlePart1 = u"Tamvera";
inline constexpr std::u16string_view kTitlePart2 = u"Rapor";

struct ControlEntry {
    std::string_view name;
    Kind kind;
    Container container;
    // Place and size; for a line its two ends: (left, top) to (width, height) hold
    // x1, y1, x2, y2.
    TwipsRect rect;
    int tabIndex = -1;  // -1: none
    std::optional<FontStyle> font = std::nullopt;
    std::optional<Colour> foreColour = std::nullopt;
    std::u16string_view text = {};  // labels only; text boxes and buttons: the model
    controls::ucBtnFacebook form::FormModel::*button = nullptr;
    form::TextBox form::FormModel::*textBox = nullptr;
};

// The controls from the top of the stacking order downwards (where two overlap, the
// earlier one lies above). Windowed controls lie above all labels and lines.
inline constexpr std::array<ControlEntry, 30> kControls{{
    {"Txt_WaktuSaatIni", Kind::ValueHolder, Container::Form, {6120, 7440, 1215, 285}, 20,
     {}, {}, {}, nullptr, &form::FormModel::Txt_WaktuSaatIni},
    {"Txt_WaktuTotal", Kind::ValueHolder, Container::Form, {6120, 7080, 1215, 285}, 19,
     {}, {}, {}, nullptr, &form::FormModel::Txt_WaktuTotal},
    {"Txt_Total", Kind::ValueHolder, Container::Form, {6120, 8400, 1335, 375}, 18,
     {}, {}, {}, nullptr, &form::FormModel::Txt_Total},
    {"Txt_SaatIni", Kind::ValueHolder, Container::Form, {6120, 7920, 1335, 375}, 17,
     {}, {}, {}, nullptr, &form::FormModel::Txt_SaatIni},
    {"Picture1", Kind::PictureBox, Container::Form, {0, 0, 4840, 8460}, 0},
    {"Timer_CekKesalahan", Kind::Timer, Container::Form, {}, -1},
    {"Txt_Nilai", Kind::GradeBox, Container::Picture1, {325, 5220, 1875, 2485}, 16,
     kSegoeUi825, kGreyText, {}, nullptr, &form::FormModel::Txt_Nilai},
    {"Txt_Perkembangan", Kind::DisplayBox, Container::Picture1, {2123, 4560, 2295, 255}, 12,
     kSegoeUi825, kGreyText, {}, nullptr, &form::FormModel::Txt_Perkembangan},
    {"Txt_Waktu", Kind::DisplayBox, Container::Picture1, {2120, 3900, 2295, 255}, 11,
     kSegoeUi825, kGreyText, {}, nullptr, &form::FormModel::Txt_Waktu},
    {"Btn_Mulai", Kind::FlatButton, Container::Picture1, {2400, 5160, 2175, 375}, 9,
     {}, {}, {}, &form::FormModel::Btn_Mulai},
    {"Btn_EntriPilihan", Kind::FlatButton, Container::Picture1, {2040, 3120, 1275, 375}, 4,
     {}, {}, {}, &form::FormModel::Btn_EntriPilihan},
    {"Btn_EntriIsian", Kind::FlatButton, Container::Picture1, {3315, 3120, 1275, 375}, 5,
     {}, {}, {}, &form::FormModel::Btn_EntriIsian},
    {"Btn_Sedang", Kind::FlatButton, Container::Picture1, {2880, 2415, 855, 375}, 6,
     {}, {}, {}, &form::FormModel::Btn_Sedang},
    {"Btn_Cepat", Kind::FlatButton, Container::Picture1, {2040, 2415, 855, 375}, 7,
     {}, {}, {}, &form::FormModel::Btn_Cepat},
    {"Btn_Lambat", Kind::FlatButton, Container::Picture1, {3720, 2415, 855, 375}, 8,
     {}, {}, {}, &form::FormModel::Btn_Lambat},
    {"Btn_Berhenti", Kind::FlatButton, Container::Picture1, {2400, 5640, 2175, 375}, 10,
     {}, {}, {}, &form::FormModel::Btn_Berhenti},
    {"Btn_Tamvera", Kind::FlatButton, Container::Picture1, {2040, 1680, 855, 375}, 22,
     {}, {}, {}, &form::FormModel::Btn_Tamvera},
    {"Btn_ERapor", Kind::FlatButton, Container::Picture1, {2880, 1680, 855, 375}, 23,
     {}, {}, {}, &form::FormModel::Btn_ERapor},
    {"Btn_Web", Kind::FlatButton, Container::Picture1, {2400, 7320, 2175, 375}, 24,
     {}, {}, {}, &form::FormModel::Btn_Web},
    {"Btn_Dapodik", Kind::FlatButton, Container::Picture1, {3720, 1680, 855, 375}, 25,
     {}, {}, {}, &form::FormModel::Btn_Dapodik},
    {"By_Pembuat", Kind::Label, Container::Picture1, {2760, 8040, 2055, 375}, 21},
    {"Label_DragMove2", Kind::Label, Container::Picture1, {0, 0, 4575, 375}, 15},
    {"Label_DragMove", Kind::Label, Container::Picture1, {0, 240, 4815, 1095}, 14},
    {"Btn_Close", Kind::Label, Container::Picture1, {4605, 75, 135, 255}, 13,
     kSegoeUi9, kWhiteText, u"X"},
    {"Label_Title2", Kind::Label, Container::Picture1, {950, 75, 855, 255}, 3,
     kSegoeUi9Bold, kWhiteText, kTitlePart2},
    {"Label_Title1", Kind::Label, Container::Picture1, {120, 80, 975, 255}, 2,
     kSegoeUi9, kWhiteText, kTitlePart1},
    {"Label_Ver", Kind::Label, Container::Picture1, {120, 8070, 1095, 255}, 1,
     kVerdana825Italic, kGreyText, u"Ver " TAMVERA_VERSION_SHORT},
    {"Line3", Kind::Line, Container::Picture1, {5280, 8310, -360, 8310}, -1, {}, kLineColour},
    {"Line2", Kind::Line, Container::Picture1, {4820, 1425, 4820, 8520}, -1, {}, kLineColour},
    {"Line1", Kind::Line, Container::Picture1, {0, 1425, 0, 8520}, -1, {}, kLineColour},
}};

// The screen's twips per pixel, per axis (15 at 96 dpi).
struct TwipsPerPixel {
    double x = 15, y = 15;
};

// twips ÷ twips per pixel, rounded to the nearest integer with halves to even.
int toPixels(int twips, double twipsPerPixel);
PixelRect toPixels(const TwipsRect& rect, const TwipsPerPixel& tpp);
// The client area in pixels (322 × 555 at 96 dpi).
PixelRect clientRect(const TwipsPerPixel& tpp);

// The entry named `name`; null when there is none.
const ControlEntry* findControl(std::string_view name);

// The controls that are windows of their own (text boxes shown on screen, flat buttons),
// in tab-index order: the order in which the window creates them, so the dialog keyboard
// interface moves through them in that order.
std::vector<const ControlEntry*> windowedControlsInTabOrder();

// The child window id of a windowed control (tab index + 100; ids below 100 stay clear
// of IDOK and IDCANCEL, which the dialog keyboard interface sends for ENTER and ESC).
inline int controlId(const ControlEntry& entry) { return entry.tabIndex + 100; }

// The height of a font in pixels for the window system (negative: character height),
// points × dpi ÷ 72 rounded; 8.25 pt is 11 pixels at 96 dpi.
int fontHeightPixels(double points, double twipsPerPixelY);

}  // namespace tamvera::window
