#include "core/OutFile.h"

#include "platform/Text.h"

namespace tamvera::practice {

std::string formatOutFile(const GradeGrid& grades) {
    std::string text;
    for (int row = 0; row < grades.rows(); ++row) {
        for (int col = 0; col < grades.cols(); ++col) {
            if (col > 0) text.push_back('\t');
            text += utf8(grades.at(row, col));
        }
        text.push_back('\n');
    }
    return text;
}

std::u16string temporaryOutPath(const std::u16string& outPath) { return outPath + u".tmp"; }

}  // namespace tamvera::practice
