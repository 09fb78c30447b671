// A stand-in for the flat button's window: it records what the model asks of it in one
// chronological log, shared with the model's events, and keeps every paint.
#pragma once

#include <string>
#include <vector>

#include "controls/ButtonHost.h"
#include "controls/ucBtnFacebook.h"

namespace tamvera::controls::testing {

// A 145 × 25 pixel button at 15 twips per pixel.
inline ClientMetrics buttonMetrics(int widthPx = 145, int heightPx = 25, double tpp = 15) {
    return {widthPx * tpp, heightPx * tpp, tpp, tpp};
}

class RecordingHost : public ButtonHost {
public:
    ClientMetrics size = buttonMetrics();
    CursorHandle hand = 0x7F89;  // what loadHandCursor answers
    bool pointerOver = false;    // what the window-from-point test answers
    bool windowEnabled = true;
    int timerInterval = 0;
    std::vector<PaintList> paints;
    std::vector<std::string> log;

    ClientMetrics metrics() override { return size; }
    void setWindowEnabled(bool enabled) override {
        windowEnabled = enabled;
        log.push_back(enabled ? "enable" : "disable");
    }
    void paint(const PaintList& ops) override {
        paints.push_back(ops);
        log.push_back("paint");
    }
    CursorHandle loadHandCursor() override { return hand; }
    void setCursor(CursorHandle cursor) override { log.push_back("cursor " + std::to_string(cursor)); }
    void setTimer1Interval(int ms) override {
        timerInterval = ms;
        log.push_back("timer " + std::to_string(ms));
    }
    bool pointerWindowIsControl() override { return pointerOver; }

    // Lines of the log that start with `prefix`.
    std::vector<std::string> only(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& line : log)
            if (line.rfind(prefix, 0) == 0) out.push_back(line);
        return out;
    }
    void clear() {
        log.clear();
        paints.clear();
    }
};

// Routes the model's events into the host's log: "Click", "MouseDown b,s,x,y",
// "notify <property>".
inline void recordEvents(ucBtnFacebook& button, RecordingHost& host) {
    button.Click = [&host] { host.log.push_back("Click"); };
    button.MouseDown = [&host](std::int16_t& b, std::int16_t& s, float& x, float& y) {
        host.log.push_back("MouseDown " + std::to_string(b) + "," + std::to_string(s) + "," +
                           std::to_string(static_cast<int>(x)) + "," + std::to_string(static_cast<int>(y)));
    };
    button.PropertyChanged = [&host](const char* name) { host.log.push_back(std::string("notify ") + name); };
}

// A picture of a given HIMETRIC size.
class FakePicture : public Picture {
public:
    FakePicture(double hmWidth, double hmHeight, bool image = true) : w_(hmWidth), h_(hmHeight), image_(image) {}
    bool hasImage() const override { return image_; }
    double himetricWidth() const override { return w_; }
    double himetricHeight() const override { return h_; }

private:
    double w_, h_;
    bool image_;
};

// HIMETRIC units of a whole number of pixels at 15 twips per pixel.
inline double himetricOfPixels(int px) { return px * 15 * 2540.0 / 1440; }

// The first operation of type T in a paint, or null.
template <typename T>
const T* findOp(const PaintList& ops) {
    for (const auto& op : ops)
        if (const T* t = std::get_if<T>(&op)) return t;
    return nullptr;
}

}  // namespace tamvera::controls::testing
