#include "EditorLayout.h"

#include <algorithm>

EditorLayout layOutEditor(int width, int height) {
    EditorLayout l;
    l.boxWidth = std::max(width, kEditorMinWidth) - 1260;
    l.boxHeight = (std::max(height, kEditorMinHeight) - 3550) / 3;
    l.choicesTop = l.boxHeight + 1305;
    l.keyPointTop = l.boxHeight + 1650 + l.boxHeight;
    l.pictureTop = 3 * l.boxHeight + 1995;
    return l;
}
