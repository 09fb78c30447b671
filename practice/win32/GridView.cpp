#include "win32/GridView.h"

#include <windowsx.h>

#include <algorithm>

#include "core/DecimalText.h"
#include "win32/Gdi.h"

namespace tamvera::practice {

namespace {

constexpr wchar_t kClassName[] = L"TamveraLatihanGrid";
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kTitleBack = RGB(231, 235, 241);
constexpr COLORREF kLine = RGB(198, 204, 212);
constexpr COLORREF kReadOnlyBack = RGB(244, 244, 244);
constexpr COLORREF kFocus = RGB(0, 95, 184);
constexpr COLORREF kFocusBack = RGB(255, 249, 219);
constexpr COLORREF kPanelBack = RGB(248, 249, 251);
constexpr COLORREF kText = RGB(20, 20, 20);
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
constexpr int kPad = 5;
constexpr int kListRows = 8;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS;
constexpr UINT kTitleFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_END_ELLIPSIS;

RECT inset(const RECT& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right - dx, r.bottom - dy}; }

void drawGridLines(HDC dc, const RECT& r) {
    fillRect(dc, {r.right - 1, r.top, r.right, r.bottom}, kLine);
    fillRect(dc, {r.left, r.bottom - 1, r.right, r.bottom}, kLine);
}

void paintTitle(HDC dc, const RECT& r, const std::u16string& text) {
    fillRect(dc, r, kTitleBack);
    drawGridLines(dc, r);
    drawText(dc, inset(r, kPad, 0), text, kText, kTitleFormat);
}

}  // namespace

GridView::GridView(const GridViewArgs& args) : form_(*args.form), font_(args.font) {
    static const ATOM registered = [] {
        const WNDCLASSEXW wc = windowClass(kClassName);
        return RegisterClassExW(&wc);
    }();
    (void)registered;
    measure();
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, args.parent,
                    nullptr, GetModuleHandleW(nullptr), this);
}

GridView::~GridView() {
    if (hwnd_) DestroyWindow(hwnd_);
}


LRESULT GridView::handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: onPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // every pixel is painted
    case WM_SIZE: scrollTo(firstRow_, firstColumn_); return 0;
    case WM_VSCROLL: onScroll(SB_VERT, LOWORD(wp)); return 0;
    case WM_HSCROLL: onScroll(SB_HORZ, LOWORD(wp)); return 0;
    case WM_SETFOCUS: SetFocus(GetParent(hwnd_)); return 0;  // the keys belong to the practice window
    case WM_LBUTTONDOWN: {
        // The practice window owns the form: it moves the focus and saves what changed.
        const POINT cell = cellAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        if (cell.x >= 0) SendMessageW(GetParent(hwnd_), kCellClicked, static_cast<WPARAM>(cell.y), cell.x);
        return 0;
    }
    default: return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

// Sizes follow the font, wide enough for the longest title of this grid.
void GridView::measure() {
    WindowDC screen(nullptr);
    Selection font(screen.get(), font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(screen.get(), &tm);
    rowHeight_ = tm.tmHeight + 10;
    const std::u16string lastRow = form_.rowTitle(form_.rows() - 1);
    rowTitleWidth_ = std::max(textWidth(screen.get(), lastRow), textWidth(screen.get(), form_.startTitle())) + 4 * kPad;
    int gradeWidth = std::max(72, textWidth(screen.get(), form_.columnTitle(form_.columns() - 1)) + 4 * kPad);
    for (const std::u16string& entry : form_.choiceList().entries()) {  // a labelled choice shows whole
        gradeWidth = std::max(gradeWidth, textWidth(screen.get(), entry) + 4 * kPad);
    }
    columnWidths_.assign(static_cast<std::size_t>(form_.columns()), gradeWidth);
    if (!form_.hasRowTitles()) {  // the Dapodik grid: "No" and "Nama" lead each row
        columnWidths_[0] = textWidth(screen.get(), decimalText(form_.rows())) + 4 * kPad;
        columnWidths_[1] = textWidth(screen.get(), lastRow) + 8 * kPad;
    }
}

void GridView::place(const RECT& bounds) {
    MoveWindow(hwnd_, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, TRUE);
}

SIZE GridView::preferredSize() const {
    int width = titleWidth() + GetSystemMetrics(SM_CXVSCROLL) + 1;
    for (int w : columnWidths_) width += w;
    const int height = rowHeight_ * (form_.rows() + 1) + GetSystemMetrics(SM_CYHSCROLL) + 1;
    return {width, height};
}

int GridView::visibleRows() const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    return std::max(1, static_cast<int>(client.bottom) / rowHeight_ - 1);
}

int GridView::visibleColumnsFrom(int first) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    int room = client.right - titleWidth();
    int count = 0;
    for (int c = first; c < form_.columns() && room >= columnWidths_[static_cast<std::size_t>(c)]; ++c) {
        room -= columnWidths_[static_cast<std::size_t>(c)];
        ++count;
    }
    return std::max(1, count);
}

RECT GridView::screenRect(int row, int column) const {
    RECT r = cellRect(row, column);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT GridView::cellAt(int x, int y) const {
    const POINT pt{x, y};
    for (int r = firstRow_; r < form_.rows(); ++r)
        for (int c = firstColumn_; c < form_.columns(); ++c) {
            const RECT cell = cellRect(r, c);
            if (PtInRect(&cell, pt)) return {c, r};
        }
    return {-1, -1};
}

RECT GridView::cellRect(int row, int column) const {
    int x = titleWidth();
    for (int c = firstColumn_; c < column; ++c) x += columnWidths_[static_cast<std::size_t>(c)];
    const int y = rowHeight_ * (1 + row - firstRow_);
    return {x, y, x + columnWidths_[static_cast<std::size_t>(column)], y + rowHeight_};
}

void GridView::showFocus() {
    const int row = form_.focusOnStart() ? 0 : form_.focusRow();
    const int column = form_.focusOnStart() ? 0 : form_.focusColumn();
    int firstRow = std::clamp(firstRow_, row - visibleRows() + 1, row);
    int firstColumn = std::min(firstColumn_, column);
    while (column >= firstColumn + visibleColumnsFrom(firstColumn)) ++firstColumn;
    scrollTo(firstRow, firstColumn);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void GridView::scrollRowsBy(int rows) { scrollTo(firstRow_ + rows, firstColumn_); }

void GridView::scrollTo(int firstRow, int firstColumn) {
    int lastFirstColumn = form_.columns() - 1;
    while (lastFirstColumn > 0 && visibleColumnsFrom(lastFirstColumn - 1) >= form_.columns() - lastFirstColumn + 1) {
        --lastFirstColumn;
    }
    firstRow = std::clamp(firstRow, 0, std::max(0, form_.rows() - visibleRows()));
    firstColumn = std::clamp(firstColumn, 0, lastFirstColumn);
    if (firstRow != firstRow_ || firstColumn != firstColumn_) InvalidateRect(hwnd_, nullptr, FALSE);
    firstRow_ = firstRow;
    firstColumn_ = firstColumn;
    updateScrollBars();
}

void GridView::updateScrollBars() {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = form_.rows() - 1;
    si.nPage = static_cast<UINT>(visibleRows());
    si.nPos = firstRow_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    si.nMax = form_.columns() - 1;
    si.nPage = static_cast<UINT>(visibleColumnsFrom(firstColumn_));
    si.nPos = firstColumn_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
}

void GridView::onScroll(int bar, WORD request) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd_, bar, &si);
    int pos = si.nPos;
    switch (request) {
    case SB_LINEUP: --pos; break;
    case SB_LINEDOWN: ++pos; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
    }
    if (bar == SB_VERT) {
        scrollTo(pos, firstColumn_);
    } else {
        scrollTo(firstRow_, pos);
    }
}

// Drawn off screen first, so that a burst of keys does not flicker.
void GridView::onPaint() {
    PaintDC paint(hwnd_);
    RECT client{};
    GetClientRect(hwnd_, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    MemoryDC memory(paint.get());
    Bitmap canvas(CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
    Selection bitmap(memory.get(), canvas.get());
    Selection font(memory.get(), font_);
    paintAll(memory.get(), client);
    BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void GridView::paintAll(HDC dc, const RECT& client) const {
    fillRect(dc, client, kBackground);
    for (int r = firstRow_; r < form_.rows() && cellRect(r, firstColumn_).top < client.bottom; ++r) {
        for (int c = firstColumn_; c < form_.columns() && cellRect(r, c).left < client.right; ++c) paintCell(dc, r, c);
    }
    paintColumnTitles(dc, client);
    paintRowTitles(dc, client);
    paintStart(dc);
    if (form_.options().mode == Mode::Pilihan && form_.choiceStep() != ChoiceStep::Closed) {
        paintChoiceEditor(dc, client);
    }
}

void GridView::paintCell(HDC dc, int row, int column) const {
    const RECT r = cellRect(row, column);
    const bool focused = !form_.focusOnStart() && row == form_.focusRow() && column == form_.focusColumn();
    COLORREF back = form_.isReadOnly(column) ? kReadOnlyBack : kBackground;
    if (focused && !form_.editing()) back = kFocusBack;
    fillRect(dc, r, back);
    drawGridLines(dc, r);
    if (focused) {
        paintFocusedText(dc, r);
        frameRect(dc, r, kFocus, 2);
    } else {
        drawText(dc, inset(r, kPad, 0), form_.cellText(row, column), kText, kLineFormat);
    }
}

// A field that takes typing shows its caret and, in the selection's colours, what typing will replace.
void GridView::paintFocusedText(HDC dc, const RECT& r) const {
    const std::u16string text = form_.cellText(form_.focusRow(), form_.focusColumn());
    const bool takesTyping = form_.options().target == Target::Dapodik ? form_.editing()
                                                                        : form_.options().mode == Mode::Isian;
    const RECT textRect = inset(r, kPad, 0);
    if (!takesTyping) {
        drawText(dc, textRect, text, kText, kLineFormat);
        return;
    }
    const std::size_t caret = std::min(form_.focusCaret(), text.size());
    const std::size_t anchor = std::min(form_.focusAnchor(), text.size());
    const auto xAt = [&](std::size_t units) {
        return std::min(static_cast<int>(textRect.left) + textWidth(dc, text.substr(0, units)),
                        static_cast<int>(textRect.right));
    };
    const int from = xAt(std::min(caret, anchor));
    const int to = xAt(std::max(caret, anchor));
    if (from != to) fillRect(dc, {from - 1, r.top + 4, to + 1, r.bottom - 4}, kFocus);
    drawText(dc, textRect, text, kText, kLineFormat);
    if (from != to) {
        const std::size_t lo = std::min(caret, anchor);
        drawText(dc, {from, textRect.top, to + 1, textRect.bottom}, text.substr(lo, std::max(caret, anchor) - lo),
                 kSelectedText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    } else {
        fillRect(dc, {from + 1, r.top + 4, from + 2, r.bottom - 4}, kText);
    }
}

void GridView::paintColumnTitles(HDC dc, const RECT& client) const {
    for (int c = firstColumn_; c < form_.columns(); ++c) {
        RECT r = cellRect(firstRow_, c);
        if (r.left >= client.right) break;
        r.top = 0;
        r.bottom = rowHeight_;
        paintTitle(dc, r, form_.columnTitle(c));
    }
}

void GridView::paintRowTitles(HDC dc, const RECT& client) const {
    if (!form_.hasRowTitles()) return;
    for (int row = firstRow_; row < form_.rows(); ++row) {
        const int top = rowHeight_ * (1 + row - firstRow_);
        if (top >= client.bottom) break;
        paintTitle(dc, {0, top, rowTitleWidth_, top + rowHeight_}, form_.rowTitle(row));
    }
}

// The element before the first field, where the form's focus starts.
void GridView::paintStart(HDC dc) const {
    if (!form_.hasRowTitles()) return;
    const RECT r{0, 0, rowTitleWidth_, rowHeight_};
    paintTitle(dc, r, form_.startTitle());
    if (form_.focusOnStart()) frameRect(dc, r, kFocus, 2);
}

// The editor of a choice field: its caption, the list box and, dropped, the list.
void GridView::paintChoiceEditor(HDC dc, const RECT& client) const {
    const RECT cell = cellRect(form_.focusRow(), form_.focusColumn());
    const bool dropped = form_.choiceStep() == ChoiceStep::ListOpen;
    const int width = std::max(190, 2 * static_cast<int>(cell.right - cell.left));
    const int height = 2 * rowHeight_ + (dropped ? kListRows * rowHeight_ : 0) + 4 * kPad;
    int x = cell.right + 4;
    if (x + width > client.right) x = std::max(0, static_cast<int>(cell.left) - 4 - width);
    const int y = std::max(0, std::min(static_cast<int>(cell.top), static_cast<int>(client.bottom) - height));
    const RECT panel{x, y, x + width, y + height};
    fillRect(dc, panel, kPanelBack);
    frameRect(dc, panel, kFocus, 1);

    RECT caption{x + kPad, y + kPad, x + width - kPad, y + kPad + rowHeight_};
    drawText(dc, inset(caption, 2, 0),
             u"Nilai " + form_.rowTitle(form_.focusRow()) + u", " + form_.columnTitle(form_.focusColumn()), kText,
             kLineFormat);
    if (form_.choiceStep() == ChoiceStep::Opened) DrawFocusRect(dc, &caption);

    const ChoiceList& list = form_.choiceList();
    const RECT box{caption.left, caption.bottom + kPad, caption.right, caption.bottom + kPad + rowHeight_};
    fillRect(dc, box, kBackground);
    frameRect(dc, box, form_.choiceStep() == ChoiceStep::Opened ? kLine : kFocus, 2);
    const std::u16string shown = dropped && list.selected() ? list.selectedText()
                                                            : form_.cellText(form_.focusRow(), form_.focusColumn());
    drawText(dc, inset(box, kPad, 0), shown, kText, kLineFormat);
    drawText(dc, inset(box, kPad, 0), u"\u25BC", kText, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    if (!dropped) return;

    const int count = static_cast<int>(list.entries().size());
    const int selected = list.selected() ? static_cast<int>(*list.selected()) : -1;
    const int top = std::clamp(selected - kListRows / 2, 0, std::max(0, count - kListRows));
    for (int i = 0; i < kListRows && top + i < count; ++i) {
        const RECT line{box.left, box.bottom + i * rowHeight_, box.right, box.bottom + (i + 1) * rowHeight_};
        const bool isSelected = top + i == selected;
        fillRect(dc, line, isSelected ? kFocus : kBackground);
        drawText(dc, inset(line, kPad, 0), list.entries()[static_cast<std::size_t>(top + i)],
                 isSelected ? kSelectedText : kText, kLineFormat);
    }
    frameRect(dc, {box.left, box.bottom, box.right, box.bottom + kListRows * rowHeight_}, kLine, 1);
}

}  // namespace tamvera::practice
