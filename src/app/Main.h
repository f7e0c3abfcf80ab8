#pragma once

class QuizState;

class MainWindow;

// The start procedure: prepares the shared state, reads the quiz folder from the settings,
// creates the main window and shows it; the window deletes itself when closed.
MainWindow *Main(QuizState &state);

// Qt's own texts (standard buttons: はい / いいえ / キャンセル) in Japanese, whatever the system
// language; once the application object exists.
void translateQtTexts();
