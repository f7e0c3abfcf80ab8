#pragma once

// The editor's layout arithmetic, in twips of the window's outer size.
struct EditorLayout {
    int boxWidth = 0;  // the three large boxes
    int boxHeight = 0; // question text, choices and key point alike
    int choicesTop = 0;
    int keyPointTop = 0;
    int pictureTop = 0; // the picture-name box
    // Each caption sits 240 twips above its box.
    static constexpr int kCaptionOffset = 240;
};

inline constexpr int kEditorMinWidth = 5235;
inline constexpr int kEditorMinHeight = 6255;

// A window below the minimum size is laid out as if it had that size.
EditorLayout layOutEditor(int width, int height);
