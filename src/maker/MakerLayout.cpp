#include "MakerLayout.h"

#include <algorithm>

MakerLayout layoutMaker(int width, int height) {
    MakerLayout l;
    l.windowWidth = std::max(width, kMakerMinWidth);
    l.windowHeight = std::max(height, kMakerMinHeight);
    l.boxWidth = l.windowWidth - 1260;
    l.boxHeight = (l.windowHeight - 3550) / 3;
    l.choicesTop = l.boxHeight + 1305;
    l.keyPointTop = l.boxHeight + 1650 + l.boxHeight;
    l.pictureTop = 3 * l.boxHeight + 1995;
    return l;
}
