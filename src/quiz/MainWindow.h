#pragma once

#include "QuizState.h"
#include "RunJournal.h"

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>

class HtmlPane;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QToolBar;
class ResultWindow;
class QMenu;
namespace review {
struct Question;
}
class RunModel;
class EditorWindow;

// The main window: a section is picked, loaded and taken here, and the menus lead to the
// other windows.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Renders run, which the application object wires to this window's slots and signals.
    MainWindow(QuizState &state, RunModel &run, QWidget *parent = nullptr);
    void setVisible(bool visible) override; // the window's load runs before its first show

    // True after a section was loaded, unless the user declined to create a missing quiz file.
    bool isQuizLoaded() const { return quizLoaded; }

    // The quiz editor, created on first use (hidden until shown) and gone once closed.
    EditorWindow *editor();
    // The program is ended from outside (a logout, a signal): unsaved editor work is kept
    // for the next load instead of asked about, and everything closes.
    void endSession();
    // A run has started and has not yet shown its results.
    bool isRunUnderWay() const;
    // True until the window stands where its placement says, in the window manager's frame.
    bool isPlacing() const { return !m_placed; }
    // The number (from 1) of the question on show; 0 or less when the box holds none.
    int questionNumberOnShow() const { return questionIndexOnShow() + 1; }
    enum class ReviewOf { Due, MostMissed };

signals:
    // The editor opened from here was closed: the learner is back.
    void editorClosed();

public slots:
    void loadSection();
    void recordAnswer();
    void showQuestionFromNumberBox();
    void pickAnswerFromList();
    void showQuestionFromScrollBar();
    void tick();
    void runToolBarButton(const QString &key);
    void startNewQuiz();
    void openQuizFile();
    void closeQuiz();
    void showOrHideToolBar();
    void showOrHideStatusBar();
    void showOptions();
    void openEditor();
    void showHelpContents();
    void showAbout();
    // What the run says: its clock, its end of time, a journal it cannot write.
    void showElapsed(double elapsedSeconds, bool paused);
    void endAtTimeLimit();
    void tellJournalFailure(const QString &problem);
    // A review run of the section: the questions due today, or those missed most often.
    void startReview(const QString &section, ReviewOf which = ReviewOf::Due);
    void showProgress();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // The controls, each named (objectName) as here.
    QToolBar *toolBar = nullptr;
    QComboBox *sectionBox = nullptr;
    QPushButton *loadButton = nullptr;
    QLabel *clockCaption = nullptr;
    QLabel *clockLabel = nullptr;
    QLabel *questionNumberCaption = nullptr;
    QLabel *questionCaption = nullptr;
    QLabel *choicesCaption = nullptr;
    QLabel *answerCaption = nullptr;
    QLineEdit *questionNumberBox = nullptr;
    QScrollBar *questionScrollBar = nullptr;
    HtmlPane *questionPane = nullptr;
    QListWidget *answerList = nullptr;
    QLineEdit *answerBox = nullptr;
    QPushButton *okButton = nullptr;
    HtmlPane *choicesPane = nullptr;
    QLabel *ruleLabel = nullptr;
    QLabel *pictureLabel = nullptr;
    QLabel *practiceFeedback = nullptr; // a practice run's marks, where the picture was
    struct StatusPanels {
        QLabel *text = nullptr;  // the quiz file, or what the program is doing
        QLabel *place = nullptr; // the question on show of how many, and those unanswered
        QLabel *date = nullptr;
        QLabel *time = nullptr;
    } statusPanels;
    QTimer *clockTimer = nullptr;

    QAction *fileNewAction = nullptr;
    QAction *fileOpenAction = nullptr;
    QAction *fileCloseAction = nullptr;
    QAction *fileExitAction = nullptr;
    QAction *filePrintPreviewAction = nullptr;
    QAction *viewToolbarAction = nullptr;
    QAction *viewStatusBarAction = nullptr;
    QAction *viewFuriganaAction = nullptr;
    QAction *viewOptionsAction = nullptr;
    QAction *toolsOptionsAction = nullptr;
    QAction *helpContentsAction = nullptr;
    QAction *helpAboutAction = nullptr;

    // True after loadQuizSection unless the user declined to create a missing quiz file.
    bool quizLoaded = false;

    // Building the window (MainWindowShell.cpp).
    void createControls(QWidget *client);
    void createToolBar(QWidget *client);
    void createMenus();
    void createStatusBar();
    void setUpOnFirstShow();
    void layOut();
    bool confirmUnload();
    void updateStatusClock();
    // Where the window opens (MainWindowPlacement.cpp).
    void restorePlacement();
    void applyPlacement();
    void savePlacement();

    // The quiz run (MainWindowRun.cpp).
    enum class QuizRead { Ok, Unreadable, Refused };
    void loadQuizSection(const QString &path);
    QuizRead readQuizIntoState(const QString &path, QString &error);
    bool editorOpen() const;
    void showEditor(bool modal);
    void showQuestion(int index);
    void endOfQuiz();
    void releaseScrollBar();
    void pickAnswer(int row);
    void markAnswerOnShow();
    int questionIndexOnShow() const;

    // The run it renders; resuming, retrying, the last report (MainWindowJournal.cpp).
    void startRun();
    void pauseClock();
    bool offerResume();
    void afterResults(const ResultWindow &results);
    void backToWholeQuiz();
    void showFirstQuestion();
    void setRunOver(bool over);
    void returnFromEditor();
    void followRenumberedQuiz();
    void showPlace();
    void previewLastReport();

    // Practice marks, shuffled order, reviews (MainWindowStudy.cpp).
    void createStudyControls(QWidget *client);
    void addStudyItems(QMenu *tools);
    void placePictureArea(const QRect &area);
    bool showMarkBeforeStep();
    void showPracticeMark(int index, bool speak);
    void startRunOfTakenQuestions();
    void showRunKind();
    void shuffleIfChosen();
    void lockAnswerIfMarked(int index);
    bool editorLetGoOfQuiz();
    bool interruptedRunGivenUp(const QString &quizFile, qsizetype questionCount);
    static QString nothingDueText(const QList<review::Question> &questions, QDate today);
    // Furigana shown or hidden, and the question as a screen reader says it
    // (MainWindowView.cpp).
    void setUpFuriganaSwitch();
    void showOrHideFurigana(bool shown);
    void sayQuestion(int index);

    // Clock, keys and focus (MainWindowKeys.cpp).
    void showClock(const QString &shown);
    void fitClock();
    bool handleKey(QKeyEvent *event);
    void stepScrollBar(int delta);
    void stepTo(int value);
    void nextQuestion();
    void setScrollValue(int value);
    void giveFocusBack();
    void showPickInList(int row);
    void createListeningKeys();
    void describeBoxes(const QString &said);

    QuizState &m_state;
    bool m_loaded = false;
    bool m_askingEnd = false;
    bool m_waitingForModalEditor = false;
    QString m_lastRunSection; // as its results named it
    QString m_spokenQuestion; // the question on show as a screen reader says it
    QRect m_pictureArea;      // the picture's, and in practice runs the marks' too
    std::pair<int, QString> m_markShownFor{-1, QString()}; // the question and answer marked
    // The outer rectangle the window opens at, applied again once the frame is known.
    QRect m_placement;
    QRect m_placementTwips; // as read from the settings
    bool m_placed = false;
    QPointer<EditorWindow> m_editor;
    RunModel *m_run;                           // the run on show: answers, clock, journal
    runjournal::QuizIdentity m_loadedIdentity; // of the bytes the quiz was loaded from
    // The last run that reached the results, for the print preview.
    std::optional<QuizState> m_lastRun;
};
