#pragma once

#include "QuizFile.h"
#include "QuizState.h"
#include "TestSupport.h"

#include <QApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

class MainWindow;
class HtmlPane;
class ResultWindow;
class QWidget;

// A started program on a quiz folder of its own, with a test clock, scripted message boxes
// and file dialogs, and a clean settings store.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    // Writes q<section>.tsl with count questions; odd ones true/false ("○"), even ones
    // four-choice ("2"), each numbered in its text.
    QString writeQuiz(const QString &section, int count);
    QString writeQuiz(const QString &section, const QList<QuizRecord> &quiz);
    QString folder() const { return m_folder.path(); }

    // Starts the program as a user would; the settings name the quiz folder.
    MainWindow *start();
    // Picks the section and presses "読み込み".
    void load(const QString &section);
    // Types the answers, one a question, into 解答 and steps with Enter, as a learner does; a
    // step past the last question ends the run, and the report is returned.
    QString answerAll(const QList<int> &keys);

    double now = 8 * 3600; // the clock, seconds since midnight
    QDateTime today = QDateTime(QDate(2026, 4, 1), QTime(8, 0)); // the calendar
    QuizState state;
    MainWindow *form = nullptr;

private:
    std::unique_ptr<testsupport::CleanSettings> m_settings;
    QTemporaryDir m_folder;
};

QuizRecord numberedQuestion(int number);
// Shows the window and waits until the window manager has made it the active one. Asked for,
// not only mapped: now and then the manager stops focusing windows as they map.
bool showActive(QWidget *window);
// Closes the next modal window as soon as it is up (the results window, say).
void closeNextModalWindow();
// Runs check on the window of type W that opens modal next, then closes it.
template <class W> void inspectNextModalWindow(const std::function<void(W *)> &check) {
    QTimer::singleShot(0, [check] {
        auto *window = qobject_cast<W *>(QApplication::activeModalWidget());
        QVERIFY(window);
        check(window);
        window->close();
    });
}
// Waits until both panes show what they were last given.
bool panesApplied(MainWindow *form);
// document.body.innerHTML as the renderer has it.
QString renderedBody(HtmlPane *pane);
// The results window's six figures, titles included: total correct, four-choice correct,
// true/false correct, unanswered, score, number of questions.
QStringList summaryTexts(const ResultWindow *results);
// Types text into the focused widget the way an input method commits it.
void commitText(QWidget *widget, const QString &text);
