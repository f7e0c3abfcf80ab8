#pragma once

// The main window's layout arithmetic, in twips of the window's outer size.
struct MainLayout {
    int paneWidth = 0; // both renderer panes
    int paneHeight = 0;
    int choicesTop = 0;
    int choicesCaptionTop = 0;
    int pictureTop = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
};

inline constexpr int kMainMinWidth = 8850;
inline constexpr int kMainMinHeight = 8925;
inline constexpr int kQuestionPaneTop = 1470;

// A window below the minimum size is laid out as if it had that size. pictureWidth is the
// picture's current width, which it keeps once the panes are 15600
// twips wide or more.
MainLayout layoutMainWindow(int width, int height, int pictureWidth);
