#include "core/GradeGrid.h"

#include <stdexcept>

namespace tamvera::practice {

GradeGrid::GradeGrid(int rows, int cols) : rows_(rows), cols_(cols) {
    if (rows < 1 || cols < 1) throw std::invalid_argument("a grade grid needs at least one field");
    fields_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
}

const std::u16string& GradeGrid::at(int row, int col) const { return fields_.at(index(row, col)); }

bool GradeGrid::set(int row, int col, std::u16string text) {
    std::u16string& field = fields_.at(index(row, col));
    if (field == text) return false;
    field = std::move(text);
    return true;
}

std::size_t GradeGrid::index(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) throw std::out_of_range("no such grade field");
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
}

}  // namespace tamvera::practice
