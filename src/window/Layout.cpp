#include "window/Layout.h"

#include <algorithm>

namespace tamvera::window {

int toPixels(int twips, double twipsPerPixel) { return controls::roundHalfEven(twips / twipsPerPixel); }

PixelRect toPixels(const TwipsRect& rect, const TwipsPerPixel& tpp) {
    return {toPixels(rect.left, tpp.x), toPixels(rect.top, tpp.y), toPixels(rect.width, tpp.x),
            toPixels(rect.height, tpp.y)};
}

PixelRect clientRect(const TwipsPerPixel& tpp) {
    return toPixels(TwipsRect{0, 0, kClientWidthTwips, kClientHeightTwips}, tpp);
}

const ControlEntry* findControl(std::string_view name) {
    const auto it = std::find_if(kControls.begin(), kControls.end(),
                                 [name](const ControlEntry& c) { return c.name == name; });
    return it == kControls.end() ? nullptr : &*it;
}

std::vector<const ControlEntry*> windowedControlsInTabOrder() {
    std::vector<const ControlEntry*> out;
    for (const ControlEntry& c : kControls)
        if (c.kind == Kind::GradeBox || c.kind == Kind::DisplayBox || c.kind == Kind::FlatButton) out.push_back(&c);
    std::stable_sort(out.begin(), out.end(),
                     [](const ControlEntry* a, const ControlEntry* b) { return a->tabIndex < b->tabIndex; });
    return out;
}

int fontHeightPixels(double points, double twipsPerPixelY) {
    const double dpi = 1440.0 / twipsPerPixelY;
    return controls::roundHalfEven(points * dpi / 72.0);
}

}  // namespace tamvera::window
