#pragma once

#include "QuizRecord.h"

#include <QTimer>
#include <QWidget>

class HtmlPane;
class QLabel;

// The question the author is writing, shown as the learner will see it: the question page,
// the choices page and the picture, in a window that stands beside the editor.
class QuestionPreview : public QWidget {
    Q_OBJECT
public:
    explicit QuestionPreview(QWidget *editor);

    // Shows this question soon: while the author types, at most every kInterval.
    void showQuestion(const QuizRecord &question, const QString &quizFolder);
    // Stands beside the editor's frame, on the screen's side where there is room.
    void standBeside(const QRect &editorFrame);
    // Where it stands beside the editor's frame on a screen of room (pixels, frames included):
    // to the right, else to the left, else narrowed to the roomier side.
    static QRect frameBeside(const QRect &editorFrame, const QRect &room);
    static constexpr int kNarrowest = 200;

    static constexpr int kInterval = 150; // milliseconds

signals:
    void closedByAuthor();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The controls, each named (objectName) as here.
    HtmlPane *questionPane = nullptr;
    HtmlPane *choicesPane = nullptr;
    QLabel *pictureLabel = nullptr;

    void showPending();

    QTimer m_throttle;
    QuizRecord m_pending, m_shown;
    QString m_pendingFolder, m_shownFolder;
    bool m_shownOnce = false;
};
