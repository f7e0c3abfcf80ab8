#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>

class HtmlPane;
class Module1;
class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QToolBar;
class EditorWindow;

// The main window: a section is picked, loaded and taken here, and the menus lead to the
// other windows.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Module1 &state, QWidget *parent = nullptr);

    // Controls, named as the window has always named them (also their objectName).
    QToolBar *tbToolBar = nullptr;
    QComboBox *Combo1 = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label1[4] = {};
    QLineEdit *TextNum = nullptr;
    QScrollBar *VScroll1 = nullptr;
    HtmlPane *WebBrowser2 = nullptr;
    QListWidget *List1 = nullptr;
    QLineEdit *TextAns = nullptr;
    QPushButton *Command2 = nullptr;
    HtmlPane *WebBrowser1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *sbPanels[3] = {}; // status bar: text, date, time
    QTimer *Timer1 = nullptr;

    QAction *mnuFileNew = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileClose = nullptr;
    QAction *mnuFileExit = nullptr;
    QAction *mnuViewToolbar = nullptr;
    QAction *mnuViewStatusBar = nullptr;
    QAction *mnuViewOptions = nullptr;
    QAction *mnuToolsOptions = nullptr;
    QAction *mnuHelpContents = nullptr;
    QAction *mnuHelpAbout = nullptr;

    // True after LoadQuizSection unless the user declined to create a missing quiz file.
    bool QuizLoaded = false;

    // The quiz editor, created on first use (hidden until shown) and gone once closed.
    EditorWindow *editor();
    // The program is ended from outside (a logout, a signal): unsaved editor work is kept
    // for the next load instead of asked about, and everything closes.
    void endSession();
    // True until the window stands where its placement says, in the window manager's frame.
    bool isPlacing() const { return !m_placed; }

public slots:
    void Command1_Click();
    void Command2_Click();
    void TextNum_Change();
    void List1_Click();
    void VScroll1_Change();
    void Timer1_Timer();
    void tbToolBar_ButtonClick(const QString &key);
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileClose_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuViewOptions_Click();
    void mnuToolsOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Building the window (frmMainShell.cpp).
    void createControls(QWidget *client);
    void createToolBar(QWidget *client);
    void createMenus();
    void createStatusBar();
    void Form_Load();
    void Form_Layout();
    bool Form_Unload();
    void restorePlacement();
    void applyPlacement();
    void savePlacement();
    void updateStatusClock();

    // The quiz run (frmMainRun.cpp).
    enum class Taken { Ok, Unreadable, Refused };
    void LoadQuizSection(const QString &path);
    Taken takeQuiz(const QString &path, QString &error);
    bool editorOpen() const;
    void showEditor(bool modal);
    void showQuestion(int index);
    void showPicture(const QString &imageFile);
    void endOfQuiz();
    void releaseScrollBar();
    void pickAnswer(int row);
    int questionIndexOnShow() const;

    // Clock, keys and focus (frmMainKeys.cpp).
    bool Form_KeyDown(QKeyEvent *event);
    void stepScrollBar(int delta);
    void nextQuestion();
    void setScrollValue(int value);
    void giveFocusBack();

    Module1 &m_state;
    bool m_loaded = false;
    bool m_askingEnd = false;
    // The outer rectangle the window opens at, applied again once the frame is known.
    QRect m_placement;
    QRect m_placementTwips; // as read from the settings
    bool m_placed = false;
    QPointer<EditorWindow> m_editor;
};
