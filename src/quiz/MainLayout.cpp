#include "MainLayout.h"

#include <algorithm>

MainLayout layoutMainWindow(int width, int height, int pictureWidth) {
    MainLayout l;
    l.paneWidth = std::max(width, kMainMinWidth) - 1750;
    l.paneHeight = (std::max(height, kMainMinHeight) - 2845) / 3;
    l.choicesTop = kQuestionPaneTop + l.paneHeight + 255;
    l.choicesCaptionTop = l.choicesTop - 215;
    l.pictureTop = l.paneHeight + 1440 + l.paneHeight + 300;
    l.pictureWidth = l.paneWidth < 15600 ? l.paneWidth : pictureWidth;
    l.pictureHeight = l.paneHeight;
    return l;
}
