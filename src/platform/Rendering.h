#pragma once

// How windows holding HTML panes are drawn: chosen once, before the application object exists.
namespace rendering {

// An HTML view turns its whole window into a Qt Quick scene. Drawn with OpenGL (software
// OpenGL on a machine without a GPU), every caret blink and clock tick recomposes the whole
// window, about a CPU-second a minute, and start-up waits for OpenGL to be set up. The panes
// hold text and a picture, which Qt Quick's software renderer draws the same at almost no
// cost, so that renderer is used, and OpenGL is not set up at all on X, unless the user chose
// a renderer with QT_QUICK_BACKEND or QSG_RHI_BACKEND (or OpenGL with QT_XCB_GL_INTEGRATION).
void choose();

} // namespace rendering
