// The main window's shell: controls, toolbar, menus, status bar, load, layout and unload.
#include "Clock.h"
#include "Design.h"
#include "EditorWindow.h"
#include "Fonts.h"
#include "HtmlPane.h"
#include "KeyPreview.h"
#include "MainLayout.h"
#include "Module1.h"
#include "Placement.h"
#include "QuizRun.h"
#include "Sections.h"
#include "Settings.h"
#include "frmMain.h"

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
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

using design::place;
using design::text;

namespace {
// Design client area, in twips.
constexpr int kClientWidth = 8730;
constexpr int kClientHeight = 8235;
constexpr int kToolBarHeight = 420;

QLabel *label(QWidget *client, const char *name, const char *text, int left, int top, int width,
              int height) {
    return place(new QLabel(QString::fromUtf8(text), client), name, left, top, width, height);
}

QAction *menuItem(QMenu *menu, const char *name, const char *caption, bool enabled = true,
                  const QKeySequence &shortcut = {}) {
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
    action->setShortcut(shortcut);
    return action;
}

void separator(QMenu *menu, const char *name) {
    menu->addSeparator()->setObjectName(QLatin1String(name));
}
} // namespace

frmMain::frmMain(Module1 &state, QWidget *parent) : QMainWindow(parent), m_state(state) {
    setObjectName(QStringLiteral("frmMain"));
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
    new KeyPreview(this, [this](QKeyEvent *event) { return Form_KeyDown(event); });
}

void frmMain::createControls(QWidget *client) {
    const QFont gothic = fonts::proportionalGothic(11.25);
    Combo1 = place(new QComboBox(client), "Combo1", 480, 720, 3495, 345);
    Combo1->setEditable(true);
    Combo1->setFont(gothic);
    Command1 = place(new QPushButton(QString::fromUtf8("読み込み"), client), "Command1", 4200, 720,
                     1215, 375);
    Label3 = label(client, "Label3", "経過時間 : ", 6075, 810, 1095, 285);
    Label4 = label(client, "Label4", "", 7290, 810, 960, 285);
    Label1[0] = label(client, "Label1_0", "問題", 270, 1320, 615, 255);
    TextNum = place(new QLineEdit(QStringLiteral("1"), client), "TextNum", 120, 1560, 735, 315);
    VScroll1 = place(new QScrollBar(Qt::Vertical, client), "VScroll1", 855, 1470, 510, 450);
    VScroll1->setRange(1, 1);
    Label1[1] = label(client, "Label1_1", "問題文", 1920, 1200, 735, 255);
    WebBrowser2 = place(new HtmlPane(client), "WebBrowser2", 1560, 1470, 7035, 1905);
    Label1[3] = label(client, "Label1_3", "解答", 240, 2310, 615, 255);
    List1 = place(new QListWidget(client), "List1", 1080, 2190, 375, 1140);
    List1->addItems(quizrun::answerChoices());
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setToolTip(QString::fromUtf8("ここをクリックすると,解答欄に入力されます。\n"
                                        "キーボードの 1～4 と 5 (○)，6 (×) でも選べます。"));
    TextAns = place(new QLineEdit(client), "TextAns", 120, 2550, 735, 315);
    Command2 =
        place(new QPushButton(QStringLiteral("OK"), client), "Command2", 120, 3030, 735, 375);
    Label1[2] = label(client, "Label1_2", "選択文", 1920, 3390, 735, 255);
    WebBrowser1 = place(new HtmlPane(client), "WebBrowser1", 1560, 3615, 7035, 1950);
    Label2 = label(client, "Label2", "", 105, 3600, 1380, 4260);
    Label2->setFont(fonts::fixedGothic(12));
    Label2->setWordWrap(true);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Picture1 = place(new QLabel(client), "Picture1", 1560, 5670, 7035, 2175);
    Picture1->setScaledContents(true);
    for (QWidget *box : {static_cast<QWidget *>(TextNum), static_cast<QWidget *>(TextAns),
                         static_cast<QWidget *>(List1)})
        box->setFont(gothic);
    // All six answers show whole, in the list's font, without scrolling: the list grows
    // down from its place.
    List1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int frame = 2 * List1->frameWidth();
    List1->resize(std::max(List1->width(), List1->sizeHintForColumn(0) + frame),
                  List1->sizeHintForRow(0) * List1->count() + frame);
    // The rule reads below the answer list, which grew to show every answer.
    const int belowList = List1->geometry().bottom() + twips::toPixels(60);
    if (Label2->y() < belowList)
        Label2->setGeometry(Label2->x(), belowList, Label2->width(),
                            Label2->height() - (belowList - Label2->y()));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(250);

    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(TextNum, &QLineEdit::textChanged, this, &frmMain::TextNum_Change);
    connect(List1, &QListWidget::itemClicked, this, &frmMain::List1_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmMain::VScroll1_Change);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(WebBrowser1, &HtmlPane::gotFocus, this, &frmMain::giveFocusBack);
    connect(WebBrowser2, &HtmlPane::gotFocus, this, &frmMain::giveFocusBack);
}

void frmMain::createToolBar(QWidget *client) {
    tbToolBar = place(new QToolBar(client), "tbToolBar", 0, 0, kClientWidth, kToolBarHeight);
    tbToolBar->setIconSize(QSize(16, 16));
    tbToolBar->setMovable(false);
    const auto button = [this](const char *key, const char *tip, QStyle::StandardPixmap image) {
        const QString keyText = QString::fromUtf8(key);
        QAction *action = tbToolBar->addAction(style()->standardIcon(image), keyText);
        action->setObjectName(QStringLiteral("tbButton_") + keyText);
        action->setToolTip(QString::fromUtf8(tip));
        connect(action, &QAction::triggered, this,
                [this, keyText] { tbToolBar_ButtonClick(keyText); });
    };
    button("新規作成", "新規作成", QStyle::SP_FileIcon);
    button("開く", "開く", QStyle::SP_DialogOpenButton);
    button("上書き保存", "上書き保存", QStyle::SP_DialogSaveButton);
    tbToolBar->addSeparator();
    button("印刷", "印刷", QStyle::SP_FileDialogDetailedView);
    tbToolBar->addSeparator();
    button("ｺﾏﾝﾄﾞ ﾎﾞﾀﾝ", "ファイルの読み込み", QStyle::SP_BrowserReload);
}

void frmMain::createMenus() {
    QMenu *file = menuBar()->addMenu(QString::fromUtf8("ﾌｧｲﾙ(&F)"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileNew =
        menuItem(file, "mnuFileNew", "新規作成(&N)", true, QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuFileOpen = menuItem(file, "mnuFileOpen", "開く(&O)");
    mnuFileClose = menuItem(file, "mnuFileClose", "閉じる(&C)");
    separator(file, "mnuFileBar0");
    menuItem(file, "mnuFileSave", "上書き保存(&S)", false, QKeySequence(Qt::CTRL | Qt::Key_S));
    menuItem(file, "mnuFileSaveAs", "名前を付けて保存(&A)", false);
    separator(file, "mnuFileBar1");
    menuItem(file, "mnuFileProperties", "ﾌﾟﾛﾊﾟﾃｨ(&I)", false);
    separator(file, "mnuFileBar2");
    menuItem(file, "mnuFilePageSetup", "ﾍﾟｰｼﾞ設定(&U)", false);
    menuItem(file, "mnuFilePrintPreview", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", false);
    menuItem(file, "mnuFilePrint", "印刷(&P)", false);
    separator(file, "mnuFileBar3");
    mnuFileExit = menuItem(file, "mnuFileExit", "終了(&X)");

    QMenu *edit = menuBar()->addMenu(QString::fromUtf8("編集(&E)"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    menuItem(edit, "mnuEditUndo", "元に戻す(&U)", false);
    separator(edit, "mnuEditBar0");
    menuItem(edit, "mnuEditCut", "切り取り(&T)", false, QKeySequence(Qt::CTRL | Qt::Key_X));
    menuItem(edit, "mnuEditCopy", "ｺﾋﾟｰ(&C)", false, QKeySequence(Qt::CTRL | Qt::Key_C));
    menuItem(edit, "mnuEditPaste", "貼り付け(&P)", false, QKeySequence(Qt::CTRL | Qt::Key_V));
    menuItem(edit, "mnuEditPasteSpecial", "形式を選択して貼り付け(&S)", false);

    QMenu *view = menuBar()->addMenu(QString::fromUtf8("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    mnuViewToolbar = menuItem(view, "mnuViewToolbar", "ﾂｰﾙ ﾊﾞｰ(&T)");
    mnuViewToolbar->setCheckable(true);
    mnuViewStatusBar = menuItem(view, "mnuViewStatusBar", "ｽﾃｰﾀｽ ﾊﾞｰ(&B)");
    mnuViewStatusBar->setCheckable(true);
    mnuViewStatusBar->setChecked(true);
    separator(view, "mnuViewBar0");
    menuItem(view, "mnuViewRefresh", "最新の情報に更新(&R)", false);
    mnuViewOptions = menuItem(view, "mnuViewOptions", "ｵﾌﾟｼｮﾝ(&O)");
    menuItem(view, "mnuViewWebBrowser", "WWW ﾌﾞﾗｳｻﾞ(&W)", false);

    QMenu *tools = menuBar()->addMenu(QString::fromUtf8("ﾂｰﾙ(&T)"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    mnuToolsOptions = menuItem(tools, "mnuToolsOptions", "問題作成(&O)");

    QMenu *helpMenu = menuBar()->addMenu(QString::fromUtf8("ﾍﾙﾌﾟ(&H)"));
    helpMenu->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpContents =
        menuItem(helpMenu, "mnuHelpContents", "目次(&C)", true, QKeySequence(Qt::Key_F1));
    menuItem(helpMenu, "mnuHelpSearchForHelpOn", "ﾄﾋﾟｯｸの検索(&S)", false);
    separator(helpMenu, "mnuHelpBar0");
    mnuHelpAbout = menuItem(helpMenu, "mnuHelpAbout", "ﾊﾞｰｼﾞｮﾝ情報(&A)");

    connect(mnuFileNew, &QAction::triggered, this, &frmMain::mnuFileNew_Click);
    connect(mnuFileOpen, &QAction::triggered, this, &frmMain::mnuFileOpen_Click);
    connect(mnuFileClose, &QAction::triggered, this, &frmMain::mnuFileClose_Click);
    connect(mnuFileExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuViewToolbar, &QAction::triggered, this, &frmMain::mnuViewToolbar_Click);
    connect(mnuViewStatusBar, &QAction::triggered, this, &frmMain::mnuViewStatusBar_Click);
    connect(mnuViewOptions, &QAction::triggered, this, &frmMain::mnuViewOptions_Click);
    connect(mnuToolsOptions, &QAction::triggered, this, &frmMain::mnuToolsOptions_Click);
    connect(mnuHelpContents, &QAction::triggered, this, &frmMain::mnuHelpContents_Click);
    connect(mnuHelpAbout, &QAction::triggered, this, &frmMain::mnuHelpAbout_Click);
}

void frmMain::createStatusBar() {
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    statusBar()->setFont(fonts::proportionalGothic(9));
    statusBar()->setSizeGripEnabled(true);
    const char *names[] = {"sbPanel_1", "sbPanel_2", "sbPanel_3"};
    for (int i = 0; i < 3; ++i) {
        sbPanels[i] = new QLabel(statusBar());
        sbPanels[i]->setObjectName(QLatin1String(names[i]));
        sbPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (i == 0)
            statusBar()->addWidget(sbPanels[i], 1);
        else
            statusBar()->addPermanentWidget(sbPanels[i]);
    }
    sbPanels[0]->setText(QString::fromUtf8("ｽﾃｰﾀｽ"));
    sbPanels[0]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred); // long paths
    sbPanels[0]->setMinimumWidth(twips::toPixels(1500));
    updateStatusClock();
    auto *ticker = new QTimer(this); // the date and time panels keep themselves current
    connect(ticker, &QTimer::timeout, this, &frmMain::updateStatusClock);
    ticker->start(1000);
}

void frmMain::updateStatusClock() {
    const QDateTime now = QDateTime::currentDateTime();
    sbPanels[1]->setText(now.toString(QStringLiteral("yyyy/MM/dd")));
    sbPanels[2]->setText(now.toString(QStringLiteral("H:mm")));
}

void frmMain::showEvent(QShowEvent *event) {
    if (!m_loaded) { // the window's load runs once, when it is first shown
        m_loaded = true;
        Form_Load();
    }
    QMainWindow::showEvent(event);
}

void frmMain::Form_Load() {
    restorePlacement();
    Combo1->addItems(sections::list(m_state.QuizFolder));
    VScroll1->setMaximum(1);
    m_state.QuizStartSeconds = clockreading::secondsSinceMidnight();
    Timer1->stop();
    WebBrowser2->navigateBlank();
    WebBrowser1->navigateBlank();
}

namespace {
QRect twipsOf(const QRect &pixels) {
    return {twips::fromPixels(pixels.x()), twips::fromPixels(pixels.y()),
            twips::fromPixels(pixels.width()), twips::fromPixels(pixels.height())};
}
} // namespace

void frmMain::restorePlacement() {
    const int left = settings::readNumber(QStringLiteral("MainLeft"), 1000);
    const int top = settings::readNumber(QStringLiteral("MainTop"), 1000);
    const int width = settings::readNumber(QStringLiteral("MainWidth"), 8850);
    const int height = settings::readNumber(QStringLiteral("MainHeight"), 12000);
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QRect read = twips::toPixels(left, top, width, height);
    m_placement =
        placement::fitOnScreens(read, screens, twips::toPixels(1000, 1000, 0, 0).topLeft());
    m_placementTwips = m_placement == read ? QRect(left, top, width, height) : twipsOf(m_placement);
    applyPlacement();
    m_placed = false;
    design::whenFramed(this, [this] {
        if (windowState() == Qt::WindowNoState)
            applyPlacement(); // the frame is known now: the outer placement comes true
        m_placed = true;
    });
}

void frmMain::applyPlacement() {
    design::keepMinimumOuterSize(this, kMainMinWidth, kMainMinHeight); // for this frame
    design::setOuterGeometry(this, m_placement);
}

void frmMain::savePlacement() {
    // A window left where it opened keeps the very values it was read with: pixels hold
    // whole multiples of 15 twips only, and the saved placement must not drift.
    const QRect frame = design::outerGeometry(this);
    const QRect saved =
        frame == m_placement
            ? m_placementTwips
            : QRect(twips::fromPixels(frame.x()), twips::fromPixels(frame.y()),
                    twips::fromPixels(frame.width()), twips::fromPixels(frame.height()));
    settings::writeNumber(QStringLiteral("MainLeft"), saved.x());
    settings::writeNumber(QStringLiteral("MainTop"), saved.y());
    settings::writeNumber(QStringLiteral("MainWidth"), saved.width());
    settings::writeNumber(QStringLiteral("MainHeight"), saved.height());
}

void frmMain::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    Form_Layout();
}

void frmMain::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Layout();
}

void frmMain::Form_Layout() {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    if (design::keepMinimumOuterSize(this, kMainMinWidth, kMainMinHeight))
        return; // the resize lays the window out again
    const QRect frame = design::outerGeometry(this);
    const MainLayout l =
        layoutMainWindow(twips::fromPixels(frame.width()), twips::fromPixels(frame.height()),
                         twips::fromPixels(Picture1->width()));
    const int paneLeft = WebBrowser2->x();
    WebBrowser2->resize(twips::toPixels(l.paneWidth), twips::toPixels(l.paneHeight));
    WebBrowser1->setGeometry(paneLeft, twips::toPixels(l.choicesTop), WebBrowser2->width(),
                             WebBrowser2->height());
    Label1[2]->move(Label1[2]->x(), twips::toPixels(l.choicesCaptionTop));
    Picture1->setGeometry(paneLeft, twips::toPixels(l.pictureTop), twips::toPixels(l.pictureWidth),
                          WebBrowser2->height());
    tbToolBar->resize(centralWidget()->width(), tbToolBar->height());
}

void frmMain::closeEvent(QCloseEvent *event) {
    if (!Form_Unload()) {
        event->ignore(); // the editor keeps unsaved work open
        return;
    }
    QMainWindow::closeEvent(event);
}

void frmMain::endSession() {
    if (m_editor)
        m_editor->closeForSessionEnd();
    close();
}

bool frmMain::Form_Unload() {
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
