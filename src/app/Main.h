#pragma once

class Module1;

// The start procedure: prepares the shared state, reads the quiz folder from the settings,
// creates the main window and shows it.
void Main(Module1 &state);
