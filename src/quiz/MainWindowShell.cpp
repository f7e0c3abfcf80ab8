// The main window's shell: controls, toolbar, menus, status bar, load, layout and unload.
#include "Accessibility.h"
#include "Clock.h"
#include "Design.h"
#include "EditorWindow.h"
#include "Fonts.h"
#include "HtmlPane.h"
#include "Icons.h"
#include "KeyPreview.h"
#include "MainLayout.h"
#include "MainWindow.h"
#include "Menus.h"
#include "ProgressWindow.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "RunModel.h"
#include "Sections.h"
#include "Settings.h"
#include "TeacherWindow.h"
#include "Zoom.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

using design::placeTwips;
using design::uiText;

namespace {
// Design client area, in twips.
constexpr int kClientWidth = 8730;
constexpr int kClientHeight = 8235;
constexpr int kToolBarHeight = 420;
// The clock and its caption, right of 読み込み: where they stand in the design, in twips.
constexpr QRect kClockCaption(6075, 810, 1095, 285);
constexpr QRect kClockLabel(7290, 810, 960, 285);
constexpr int kClockMargin = 120; // kept clear beside 読み込み and the window's edge

QLabel *label(QWidget *client, const char *name, const char *text, int left, int top, int width,
              int height) {
    return placeTwips(new QLabel(QString::fromUtf8(text), client), name, left, top, width, height);
}

void separator(QMenu *menu, const char *name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}
} // namespace

MainWindow::MainWindow(QuizState &state, RunModel &run, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_run(&run) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Tessellar"));
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    createControls(client);
    createToolBar(client);
    createMenus();
    createStatusBar();
    // The layout arithmetic decides the minimum size, not the controls' size hints.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    resize(twips::toPixels(kClientWidth), twips::toPixels(kClientHeight));
    new KeyPreview(this, [this](QKeyEvent *event) { return handleKey(event); });
    createListeningKeys();
    new ZoomKeys(this, [this](int percent) {
        questionPane->setZoom(percent);
        choicesPane->setZoom(percent);
    });
}

void MainWindow::createControls(QWidget *client) {
    const QFont gothic = fonts::proportionalGothic(11.25);
    sectionBox = placeTwips(new QComboBox(client), "sectionBox", 480, 720, 3495, 345);
    sectionBox->setEditable(true);
    sectionBox->setInsertPolicy(QComboBox::NoInsert); // the list is the folder's sections
    sectionBox->setFont(gothic);
    loadButton = placeTwips(new QPushButton(QString::fromUtf8("読み込み(&L)"), client),
                            "loadButton", 4200, 720, 1215, 375);
    clockCaption = label(client, "clockCaption", "経過時間 : ", kClockCaption.x(),
                         kClockCaption.y(), kClockCaption.width(), kClockCaption.height());
    clockLabel = label(client, "clockLabel", "", kClockLabel.x(), kClockLabel.y(),
                       kClockLabel.width(), kClockLabel.height());
    questionNumberCaption = label(client, "questionNumberCaption", "問題", 270, 1320, 615, 255);
    questionNumberBox = placeTwips(new QLineEdit(QStringLiteral("1"), client), "questionNumberBox",
                                   120, 1560, 735, 315);
    questionScrollBar =
        placeTwips(new QScrollBar(Qt::Vertical, client), "questionScrollBar", 855, 1470, 510, 450);
    questionScrollBar->setRange(1, 1);
    questionCaption = label(client, "questionCaption", "問題文", 1920, 1200, 735, 255);
    questionPane = placeTwips(new HtmlPane(client), "questionPane", 1560, 1470, 7035, 1905);
    answerCaption = label(client, "answerCaption", "解答", 240, 2310, 615, 255);
    answerList = placeTwips(new QListWidget(client), "answerList", 1080, 2190, 375, 1140);
    answerList->addItems(quizrun::answerChoices());
    answerList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    answerList->setToolTip(QString::fromUtf8("ここをクリックすると,解答欄に入力されます。\n"
                                             "キーボードの 1～4 と 5 (○)，6 (×) でも選べます。"));
    answerBox = placeTwips(new QLineEdit(client), "answerBox", 120, 2550, 735, 315);
    okButton =
        placeTwips(new QPushButton(QStringLiteral("&OK"), client), "okButton", 120, 3030, 735, 375);
    choicesCaption = label(client, "choicesCaption", "選択文", 1920, 3390, 735, 255);
    choicesPane = placeTwips(new HtmlPane(client), "choicesPane", 1560, 3615, 7035, 1950);
    ruleLabel = label(client, "ruleLabel", "", 105, 3600, 1380, 4260);
    ruleLabel->setFont(fonts::fixedGothic(12));
    ruleLabel->setWordWrap(true);
    ruleLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pictureLabel = placeTwips(new QLabel(client), "pictureLabel", 1560, 5670, 7035, 2175);
    pictureLabel->setScaledContents(true);
    createStudyControls(client);
    for (QWidget *box : {static_cast<QWidget *>(questionNumberBox),
                         static_cast<QWidget *>(answerBox), static_cast<QWidget *>(answerList)})
        box->setFont(gothic);
    // All six answers show whole, in the list's font, without scrolling: the list grows
    // down from its place.
    answerList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * answerList->frameWidth();
    answerList->resize(std::max(answerList->width(), answerList->sizeHintForColumn(0) + frame),
                       answerList->sizeHintForRow(0) * answerList->count() + frame);
    // The rule reads below the answer list, which grew to show every answer.
    const int belowList = answerList->geometry().bottom() + twips::toPixels(60);
    if (ruleLabel->y() < belowList)
        ruleLabel->setGeometry(ruleLabel->x(), belowList, ruleLabel->width(),
                               ruleLabel->height() - (belowList - ruleLabel->y()));
    questionScrollBar->setFocusPolicy(Qt::TabFocus);
    accessibility::name({{sectionBox, "読み込むセクション"},
                         {questionNumberBox, "問題番号", questionNumberCaption},
                         {questionScrollBar, "問題の移動"},
                         {questionPane, "問題文", questionCaption},
                         {answerList, "解答の選択肢"},
                         {answerBox, "解答", answerCaption},
                         {choicesPane, "選択文", choicesCaption},
                         {pictureLabel, "問題の画像"}});
    accessibility::chainTabs({sectionBox, loadButton, questionNumberBox, questionScrollBar,
                              answerList, answerBox, okButton});
    clockTimer = m_run->clockTimer();

    connect(loadButton, &QPushButton::clicked, this, &MainWindow::loadSection);
    connect(okButton, &QPushButton::clicked, this, &MainWindow::recordAnswer);
    connect(questionNumberBox, &QLineEdit::textChanged, this,
            &MainWindow::showQuestionFromNumberBox);
    connect(answerList, &QListWidget::itemClicked, this, &MainWindow::pickAnswerFromList);
    connect(questionScrollBar, &QScrollBar::valueChanged, this,
            &MainWindow::showQuestionFromScrollBar);
    connect(choicesPane, &HtmlPane::gotFocus, this, &MainWindow::giveFocusBack);
    connect(questionPane, &HtmlPane::gotFocus, this, &MainWindow::giveFocusBack);
}

void MainWindow::createToolBar(QWidget *client) {
    toolBar = placeTwips(new QToolBar(client), "toolBar", 0, 0, kClientWidth, kToolBarHeight);
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setMovable(false);
    accessibility::name({{toolBar, "ツール バー"}});
    const auto button = [this](const char *key, const char *tip, const char *themeIcon,
                               const char *ownIcon) {
        const QString keyText = QString::fromUtf8(key);
        QAction *action = toolBar->addAction(icons::themedOrOwn(themeIcon, ownIcon), keyText);
        action->setObjectName(QStringLiteral("toolBarButton_") + keyText);
        action->setToolTip(QString::fromUtf8(tip));
        toolBar->widgetForAction(action)->setAccessibleName(action->toolTip()); // not the key
        connect(action, &QAction::triggered, this, [this, keyText] { runToolBarButton(keyText); });
    };
    button("新規作成", "新規作成", "document-new", "new");
    button("開く", "開く", "document-open", "open");
    button("上書き保存", "上書き保存", "document-save", "save");
    toolBar->addSeparator();
    button("印刷", "印刷", "document-print", "print");
    toolBar->addSeparator();
    button("ｺﾏﾝﾄﾞ ﾎﾞﾀﾝ", "ファイルの読み込み", "view-refresh", "load");
    button("復習", "復習（今日の分）", "view-calendar", "review");
    button("ふりがな", "ふりがな 表示/非表示", "", "furigana"); // no theme draws furigana
    // The button that shows the buttons a narrow window has no room for.
    if (auto *more = toolBar->findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button")))
        accessibility::name({{more, "ツール バーの残りのボタン"}});
}

void MainWindow::createMenus() {
    QMenu *file = menus::addMenu(menuBar(), "fileMenu", "ﾌｧｲﾙ(&F)");
    fileNewAction = menus::addItem(file, "fileNewAction", "新規作成(&N)", true,
                                   QKeySequence(Qt::CTRL | Qt::Key_N));
    fileOpenAction = menus::addItem(file, "fileOpenAction", "開く(&O)");
    fileCloseAction = menus::addItem(file, "fileCloseAction", "閉じる(&C)");
    separator(file, "fileSeparator0");
    menus::addItem(file, "fileSaveAction", "上書き保存(&S)", false,
                   QKeySequence(Qt::CTRL | Qt::Key_S));
    menus::addItem(file, "fileSaveAsAction", "名前を付けて保存(&A)", false);
    separator(file, "fileSeparator1");
    menus::addItem(file, "filePropertiesAction", "ﾌﾟﾛﾊﾟﾃｨ(&I)", false);
    separator(file, "fileSeparator2");
    menus::addItem(file, "filePageSetupAction", "ﾍﾟｰｼﾞ設定(&U)", false);
    filePrintPreviewAction =
        menus::addItem(file, "filePrintPreviewAction", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", false);
    connect(filePrintPreviewAction, &QAction::triggered, this, &MainWindow::previewLastReport);
    menus::addItem(file, "filePrintAction", "印刷(&P)", false);
    separator(file, "fileSeparator3");
    fileExitAction = menus::addItem(file, "fileExitAction", "終了(&X)");

    QMenu *edit = menus::addMenu(menuBar(), "editMenu", "編集(&E)");
    menus::addItem(edit, "editUndoAction", "元に戻す(&U)", false);
    separator(edit, "editSeparator0");
    menus::addItem(edit, "editCutAction", "切り取り(&T)", false,
                   QKeySequence(Qt::CTRL | Qt::Key_X));
    menus::addItem(edit, "editCopyAction", "ｺﾋﾟｰ(&C)", false, QKeySequence(Qt::CTRL | Qt::Key_C));
    menus::addItem(edit, "editPasteAction", "貼り付け(&P)", false,
                   QKeySequence(Qt::CTRL | Qt::Key_V));
    menus::addItem(edit, "editPasteSpecialAction", "形式を選択して貼り付け(&S)", false);

    QMenu *view = menus::addMenu(menuBar(), "viewMenu", "表示(&V)");
    viewToolbarAction = menus::addItem(view, "viewToolbarAction", "ﾂｰﾙ ﾊﾞｰ(&T)");
    viewToolbarAction->setCheckable(true);
    viewStatusBarAction = menus::addItem(view, "viewStatusBarAction", "ｽﾃｰﾀｽ ﾊﾞｰ(&B)");
    viewStatusBarAction->setCheckable(true);
    viewStatusBarAction->setChecked(true);
    viewFuriganaAction = menus::addItem(view, "viewFuriganaAction", "ふりがな(&F)");
    setUpFuriganaSwitch();
    separator(view, "viewSeparator0");
    menus::addItem(view, "viewRefreshAction", "最新の情報に更新(&R)", false);
    viewOptionsAction = menus::addItem(view, "viewOptionsAction", "ｵﾌﾟｼｮﾝ(&O)");
    menus::addItem(view, "viewWebBrowserAction", "WWW ﾌﾞﾗｳｻﾞ(&W)", false);

    QMenu *tools = menus::addMenu(menuBar(), "toolsMenu", "ﾂｰﾙ(&T)");
    toolsOptionsAction = menus::addItem(tools, "toolsOptionsAction", "問題作成(&O)");
    connect(menus::addItem(tools, "toolsProgressAction", "成績の推移(&P)"), &QAction::triggered,
            this, &MainWindow::showProgress);
    connect(menus::addItem(tools, "toolsClassAction", "クラスの成績(&C)"), &QAction::triggered,
            this, [this] { teacher::showWindow(this); });
    addStudyItems(tools);

    QMenu *helpMenu = menus::addMenu(menuBar(), "helpMenu", "ﾍﾙﾌﾟ(&H)");
    helpContentsAction =
        menus::addItem(helpMenu, "helpContentsAction", "目次(&C)", true, QKeySequence(Qt::Key_F1));
    menus::addItem(helpMenu, "helpSearchForHelpOnAction", "ﾄﾋﾟｯｸの検索(&S)", false);
    separator(helpMenu, "helpSeparator0");
    helpAboutAction = menus::addItem(helpMenu, "helpAboutAction", "ﾊﾞｰｼﾞｮﾝ情報(&A)");

    connect(fileNewAction, &QAction::triggered, this, &MainWindow::startNewQuiz);
    connect(fileOpenAction, &QAction::triggered, this, &MainWindow::openQuizFile);
    connect(fileCloseAction, &QAction::triggered, this, &MainWindow::closeQuiz);
    connect(fileExitAction, &QAction::triggered, this, &QWidget::close);
    connect(viewToolbarAction, &QAction::triggered, this, &MainWindow::showOrHideToolBar);
    connect(viewStatusBarAction, &QAction::triggered, this, &MainWindow::showOrHideStatusBar);
    connect(viewOptionsAction, &QAction::triggered, this, &MainWindow::showOptions);
    connect(toolsOptionsAction, &QAction::triggered, this, &MainWindow::openEditor);
    connect(helpContentsAction, &QAction::triggered, this, &MainWindow::showHelpContents);
    connect(helpAboutAction, &QAction::triggered, this, &MainWindow::showAbout);
}

void MainWindow::createStatusBar() {
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setFont(fonts::proportionalGothic(9));
    statusBar()->setSizeGripEnabled(true);
    const auto panel = [this](const char *name) {
        auto *label = new QLabel(statusBar());
        label->setObjectName(QLatin1String(name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        return label;
    };
    statusPanels.text = panel("statusTextPanel");
    statusPanels.place = panel("statusPlacePanel");
    statusPanels.date = panel("statusDatePanel");
    statusPanels.time = panel("statusTimePanel");
    statusBar()->addWidget(statusPanels.text, 1);
    for (QLabel *permanent : {statusPanels.place, statusPanels.date, statusPanels.time})
        statusBar()->addPermanentWidget(permanent);
    statusPanels.place->hide(); // until a run starts
    statusPanels.text->setText(QString::fromUtf8("ｽﾃｰﾀｽ"));
    statusPanels.text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // long paths
    statusPanels.text->setMinimumWidth(twips::toPixels(1500));
    updateStatusClock();
    auto *ticker = new QTimer(this); // the date and time panels keep themselves current
    connect(ticker, &QTimer::timeout, this, &MainWindow::updateStatusClock);
    ticker->start(1000);
}

void MainWindow::updateStatusClock() {
    const QDateTime now = QDateTime::currentDateTime();
    statusPanels.date->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    statusPanels.time->setText(now.toString(QStringLiteral("H:mm")));
}

// The window's load runs once, just before it is first shown: placed by then, it is laid out
// once, at its size, not first at the design's and again at the saved one.
void MainWindow::setVisible(bool visible) {
    if (visible && !m_loaded) {
        m_loaded = true;
        setUpOnFirstShow();
    }
    QMainWindow::setVisible(visible);
}

void MainWindow::setUpOnFirstShow() {
    restorePlacement();
    sectionBox->addItems(sections::list(m_state.quizFolder));
    questionScrollBar->setMaximum(1);
    m_state.quizStartSeconds = clockreading::secondsSinceMidnight();
    clockTimer->stop();
    questionPane->navigateBlank();
    choicesPane->navigateBlank();
}

void MainWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    layOut();
}

void MainWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOut();
}

void MainWindow::layOut() {
    fitClock();
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (design::keepMinimumOuterSize(this, kMainMinWidth, kMainMinHeight))
        return; // the resize lays the window out again
    const QRect frame = design::outerGeometry(this);
    const MainLayout l =
        layoutMainWindow(twips::fromPixels(frame.width()), twips::fromPixels(frame.height()),
                         twips::fromPixels(pictureLabel->width()));
    const int paneLeft = questionPane->x();
    questionPane->resize(twips::toPixels(l.paneWidth), twips::toPixels(l.paneHeight));
    choicesPane->setGeometry(paneLeft, twips::toPixels(l.choicesTop), questionPane->width(),
                             questionPane->height());
    choicesCaption->move(choicesCaption->x(), twips::toPixels(l.choicesCaptionTop));
    placePictureArea(QRect(paneLeft, twips::toPixels(l.pictureTop), twips::toPixels(l.pictureWidth),
                           questionPane->height()));
    toolBar->resize(centralWidget()->width(), toolBar->height());
}

// The clock's text may outgrow its design width ("00:12:34 一時停止中"): the label widens to
// its text and, where the window's edge would cut it, moves left with its caption as far as
// 読み込み allows.
void MainWindow::fitClock() {
    const QRect label = twips::toPixels(kClockLabel.x(), kClockLabel.y(), kClockLabel.width(),
                                        kClockLabel.height());
    const int caption = twips::toPixels(kClockCaption.x());
    const int width = std::max(label.width(), clockLabel->sizeHint().width());
    const int margin = twips::toPixels(kClockMargin);
    const int overflow = label.x() + width - (centralWidget()->width() - margin);
    const int room = caption - (loadButton->geometry().right() + 1 + margin);
    const int shift = std::clamp(overflow, 0, std::max(room, 0));
    clockCaption->move(caption - shift, clockCaption->y());
    clockLabel->setGeometry(label.x() - shift, label.y(), width, label.height());
}

void MainWindow::closeEvent(QCloseEvent *event) {
    if (!confirmUnload()) {
        event->ignore(); // the editor keeps unsaved work open
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::endSession() {
    m_run->writeJournal(); // the run resumes where it was, to the second
    if (m_editor)
        m_editor->closeForSessionEnd();
    // Closed inside the modal editor's loop, this window would be deleted before that loop
    // returns into it: it closes once the loop has unwound.
    if (!m_waitingForModalEditor)
        close();
    // A window that was closing already when the request came (its box just dismissed)
    // refuses the close until that close has unwound: try again shortly.
    if (isVisible() || m_waitingForModalEditor)
        QTimer::singleShot(200, this, &MainWindow::endSession);
}

bool MainWindow::confirmUnload() {
    // Close every other window, the most recently opened first; one may refuse.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        if (*it != this && (*it)->isVisible() && !(*it)->close())
            return false;
    }
    if (!(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        savePlacement();
    return true;
}
