// The grade fields of the practice form: rows x columns of text, as typed.
#pragma once

#include <string>
#include <vector>

namespace tamvera::practice {

class GradeGrid {
public:
    GradeGrid(int rows, int cols);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    const std::u16string& at(int row, int col) const;
    // Returns whether the field's text changed.
    bool set(int row, int col, std::u16string text);

private:
    std::size_t index(int row, int col) const;

    int rows_;
    int cols_;
    std::vector<std::u16string> fields_;
};

}  // namespace tamvera::practice
