#include "MakerLayout.h"

#include <algorithm>

MakerLayout layoutMaker(int width, int height) {
    MakerLayout l;
    l.boxWidth = std::max(width, kMakerMinWidth) - 1260;
    l.boxHeight = (std::max(height, kMakerMinHeight) - 3550) / 3;
    l.choicesTop = l.boxHeight + 1305;
    l.keyPointTop = l.boxHeight + 1650 + l.boxHeight;
    l.pictureTop = 3 * l.boxHeight + 1995;
    return l;
}
