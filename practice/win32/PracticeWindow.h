// The practice window: a title that Tamvera finds, a short explanation, a status line
// and the grid. It owns the form's one model, forwards keys to it, and rewrites the
// out-file whenever a grade field has changed and when the window closes. It answers a
// screen reader's questions about the focused field (AccessibleForm) unless told not to.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/Arguments.h"
#include "core/PracticeForm.h"
#include "win32/AccessibleForm.h"
#include "win32/Gdi.h"
#include "win32/GridView.h"
#include "platform/win32/WindowObject.h"

namespace tamvera::practice {

struct PracticeWindowArgs {
    LaunchOptions launch;
    int showCommand = SW_SHOWNORMAL;
};

class PracticeWindow : public tamvera::win32::WindowObject<PracticeWindow> {
    friend class tamvera::win32::WindowObject<PracticeWindow>;

public:
    explicit PracticeWindow(const PracticeWindowArgs& args);
    ~PracticeWindow();
    PracticeWindow(const PracticeWindow&) = delete;
    PracticeWindow& operator=(const PracticeWindow&) = delete;


private:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT onGetObject(WPARAM wp, LPARAM lp);
    bool onKeyDown(WPARAM vk);
    void onChar(WPARAM ch);
    void onPaint();
    void onDestroy();
    void layout();
    void fitToScreen();
    void afterInput();
    void announceFocus();
    bool saveOutFile();
    void saveCharacterCounts();
    int bandHeight(int width) const;

    PracticeForm form_;
    std::u16string outPath_;
    std::uint64_t savedChanges_ = 0;
    std::uint64_t countedLost_ = 0;
    std::uint64_t reads_ = 0;  // the form's object handed to a reader
    std::u16string saveProblem_;
    Font font_;
    std::unique_ptr<GridView> grid_;
    bool answerReads_;
    AccessibleForm* accessible_ = nullptr;  // one reference held here, made on the first read
    long announcedChild_ = -1;              // the focus last told to screen readers
};

}  // namespace tamvera::practice
