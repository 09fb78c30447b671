// The grid of the practice form: column and row titles, the fields, the focus and, on
// choice fields, the editor with its drop-down list. It draws the form's state and
// keeps only its own scroll position; keys go to the practice window, not here.
#pragma once

#include <windows.h>

#include <vector>

#include "core/PracticeForm.h"
#include "platform/win32/WindowObject.h"

namespace tamvera::practice {

// Sent to the parent when a cell is clicked: the row in WPARAM, the column (as shown) in LPARAM.
constexpr UINT kCellClicked = WM_APP + 1;

struct GridViewArgs {
    HWND parent = nullptr;
    const PracticeForm* form = nullptr;
    HFONT font = nullptr;
};

class GridView : public tamvera::win32::WindowObject<GridView> {
    friend class tamvera::win32::WindowObject<GridView>;

public:
    explicit GridView(const GridViewArgs& args);
    ~GridView();
    GridView(const GridView&) = delete;
    GridView& operator=(const GridView&) = delete;

    void place(const RECT& bounds);
    // The size that shows the whole grid, scroll bars included.
    SIZE preferredSize() const;
    // Scrolls the focused cell into view and redraws.
    void showFocus();
    void scrollRowsBy(int rows);
    // A cell's rectangle in screen coordinates (it may lie outside the visible part).
    RECT screenRect(int row, int column) const;

private:
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
    void measure();
    void onPaint();
    void onScroll(int bar, WORD request);
    void updateScrollBars();
    void scrollTo(int firstRow, int firstColumn);

    int titleWidth() const { return form_.hasRowTitles() ? rowTitleWidth_ : 0; }
    int visibleRows() const;
    int visibleColumnsFrom(int first) const;
    RECT cellRect(int row, int column) const;
    // The cell under a point of the client area: row and column as shown, or -1 each.
    POINT cellAt(int x, int y) const;

    void paintAll(HDC dc, const RECT& client) const;
    void paintCell(HDC dc, int row, int column) const;
    void paintFocusedText(HDC dc, const RECT& r) const;
    void paintStart(HDC dc) const;
    void paintColumnTitles(HDC dc, const RECT& client) const;
    void paintRowTitles(HDC dc, const RECT& client) const;
    void paintChoiceEditor(HDC dc, const RECT& client) const;

    const PracticeForm& form_;
    HFONT font_;
    int rowHeight_ = 24;
    int rowTitleWidth_ = 90;
    std::vector<int> columnWidths_;
    int firstRow_ = 0;
    int firstColumn_ = 0;
};

}  // namespace tamvera::practice
