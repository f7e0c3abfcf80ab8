#pragma once

#include <QFont>

// The Japanese Windows fonts the windows were designed with, falling back to the Japanese
// Gothic fonts installed here.
namespace fonts {

// "ＭＳ Ｐゴシック": proportional Gothic.
QFont proportionalGothic(double points);
// "ＭＳ ゴシック": fixed-pitch Gothic, a full-width character one em wide.
QFont fixedGothic(double points);

} // namespace fonts
