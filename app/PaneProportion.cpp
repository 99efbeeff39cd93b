#include "app/PaneProportion.h"
#include <algorithm>
#include <cstdint>
#include <limits>

namespace pane_proportion {

int leftColumnWidth(int weightL, int weightR, int outerWidth, int gap) {
    int64_t sum = int64_t{weightL} + weightR;
    if (sum <= 0) {
        weightL = 1;
        sum = 2;
    }
    // 64 bits so that large saved weights cannot overflow the product.
    const int64_t width = int64_t{weightL} * (int64_t{outerWidth} - gap) / sum;
    return static_cast<int>(std::clamp<int64_t>(width, 0, std::numeric_limits<int>::max()));
}

int centreWeight(int leftWidth, int rightWidth) {
    return static_cast<int>((int64_t{leftWidth} + rightWidth) / 2);
}

int gapOf(int outerWidth, int leftWidth, int rightWidth) { return outerWidth - rightWidth - leftWidth; }

}  // namespace pane_proportion
