#pragma once

#include <QString>

class QWebEngineView;

// For the benchmarks: with TESSELLAR_PAINT_REPORT in the environment, an HTML view prints
//   painted <object name> <steady clock, ns> <x>,<y> <width>x<height> in <width>x<height>
// (its place and size in its window, then the window's size) once the content it was last
// given is on screen: the renderer has run a requestAnimationFrame callback after the
// content, and the view has then repainted itself into the window and the window has been
// flushed (the time printed is the flush's, also when the frame outran the callback's word).
// Without the variable nothing is watched or printed.
namespace paintreport {

// The script to run in the page's application world right after its content changes (in
// the same call, so the callback follows the new content); empty when nothing is reported.
QString frameScript(QWebEngineView *view);

} // namespace paintreport
