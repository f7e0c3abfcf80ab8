#pragma once

class QuizState;

// The start procedure: prepares the shared state, reads the quiz folder from the settings,
// creates the main window and shows it.
void Main(QuizState &state);

// Qt's own texts (standard buttons: はい / いいえ / キャンセル) in Japanese, whatever the system
// language; once the application object exists.
void translateQtTexts();
