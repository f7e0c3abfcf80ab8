#pragma once

#include <QMainWindow>
#include <QPointer>

class QuestionPreview;
class TagBuilderDialog;
class QuizState;
struct QuizRecord;
class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The quiz editor: a section is loaded, its questions are written one at a time into the
// shared question table and the table is saved to the section's quiz file.
class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit EditorWindow(QuizState &state, QWidget *parent = nullptr);

    // The number box, then the boxes of a question's fields in the order of kQuizFields.
    QList<QWidget *> boxes() const;

    // The preview of the question on show, created when first shown.
    QuestionPreview *preview() const { return m_preview; }

    // The tag builder, created on first use and kept while it is open.
    TagBuilderDialog *tagBuilder();

    // Questions added and not saved, or text typed and not added.
    bool hasUnsavedWork() const;
    // Keeps unsaved work where the next load of the section offers it; returns why it could
    // not, or an empty text.
    QString keepRecoveryCopy();
    // Closes without asking, the unsaved work kept: the program is being ended from outside.
    void closeForSessionEnd();
    // True from the first show until the window is sized for the window manager's frame.
    bool isSizing() const { return m_framed && !m_sized; }

signals:
    // The author closed the editor (the questions saved or let go): a paused run goes on.
    void closed();
    // Questions were inserted or deleted: the numbers of those after them moved.
    void questionsRenumbered();

public slots:
    void loadSection();
    void addQuestion();
    // False when the section could not be saved (the author has been told why).
    bool saveSection();
    // Shows the question the number box names, or brings the number within the quiz.
    void showQuestionFromNumberBox();
    void pickAnswerFromList();
    // The questions from a spreadsheet's CSV or TSV file, replacing the editor's as a load does.
    void importTable();
    // The editor's questions as a CSV or TSV file for a spreadsheet.
    void exportTable();
    // The questions of a learning platform's Moodle XML or GIFT file, replacing the editor's;
    // pictures it carries are written into the quiz folder.
    void importPlatform();
    // The editor's questions as Moodle XML or GIFT for a learning platform.
    void exportPlatform();
    void openOptionsFromMenu();
    // An empty question before the one shown, or the one shown taken out (after asking).
    void insertQuestion();
    void deleteQuestion();
    void showTagBuilder();
    // What the tag builder hands over (EditorWindowMarkup.cpp).
    void insertMarkup(const QString &markup);
    void insertLineBreak();
    void insertListTag();
    void showOrHidePreview();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls, each named (objectName) as here.
    QComboBox *sectionBox = nullptr;
    QPushButton *loadButton = nullptr;
    QPushButton *addButton = nullptr;
    QPushButton *saveButton = nullptr;
    QPushButton *closeButton = nullptr;
    QLineEdit *numberBox = nullptr;
    QPlainTextEdit *questionBox = nullptr;
    QPlainTextEdit *choicesBox = nullptr;
    QLineEdit *answerBox = nullptr;
    QPlainTextEdit *keyPointBox = nullptr;
    QLineEdit *pictureBox = nullptr;
    QLabel *numberCaption = nullptr;
    QLabel *questionCaption = nullptr;
    QLabel *choicesCaption = nullptr;
    QLabel *answerCaption = nullptr;
    QLabel *keyPointCaption = nullptr;
    QLabel *pictureCaption = nullptr;
    QListWidget *answerList = nullptr;
    QAction *fileImportTableAction = nullptr;
    QAction *fileExportTableAction = nullptr;
    QAction *fileImportPlatformAction = nullptr;
    QAction *fileExportPlatformAction = nullptr;
    QAction *settingsOptionsAction = nullptr;
    QAction *viewTagBuilderAction = nullptr;
    QAction *viewPreviewAction = nullptr;

    void takeImportedQuiz(const QList<QuizRecord> &quiz, const QString &status);
    void createControls(QWidget *client);
    void createMenus();
    void createEditMenu();
    void createStatusBar();
    void listSections();
    void layOut();
    bool addOnCtrlEnter(QKeyEvent *event);
    bool newFileFlow(); // false when the author gave up
    void showFirstQuestion();
    bool openOptions();
    bool refuseSectionName(const QString &section);
    void warnOfAnswersNoOneCanGive();
    bool hasTypedText() const;
    void markBoxesUnmodified();
    QStringList boxTexts() const;
    void offerRecoveredWork(const QString &section);
    bool confirmClose();
    void updatePreview();
    void placePreview();

    QuizState &m_state;
    QPointer<TagBuilderDialog> m_tagBuilder;
    QuestionPreview *m_preview = nullptr;
    QLabel *m_statusText = nullptr;
    bool m_framed = false;
    bool m_sized = false;
    bool m_unsavedQuestions = false;
    bool m_closingWithoutAsking = false;
};
