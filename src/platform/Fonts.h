#pragma once

#include <QFont>

// The Japanese Windows fonts the windows were designed with, falling back to the Japanese
// Gothic fonts installed here.
namespace fonts {

// "ＭＳ Ｐゴシック": proportional Gothic.
QFont proportionalGothic(double points);
// "ＭＳ ゴシック": fixed-pitch Gothic, a full-width character one em wide.
QFont fixedGothic(double points);

// The first of the font's families installed here, or the family Qt would use instead. Unlike
// QFontInfo it loads no font: naming the family for a pane costs nothing.
QString installedFamily(const QFont &font);

// Fontconfig reads its configuration and font lists the first time Qt asks for a font: 7 ms
// or so on the main thread before the first window can show. Run on another thread before
// the application object is made, this reads them on another core meanwhile. Nothing may
// change the environment until that thread is joined: fontconfig reads it.
void loadEarly();

} // namespace fonts
