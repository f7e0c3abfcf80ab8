// The quiz editor's window: controls, menus, layout, closing.
#include "frmMaker.h"
#include "Design.h"

#include "Fonts.h"
#include "KeyPreview.h"
#include "MakerLayout.h"
#include "Module1.h"
#include "PlainTextBox.h"
#include "QuizRun.h"
#include "Sections.h"
#include "TagBuilderDialog.h"
#include "TextBoxes.h"
#include "frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

using design::place;
using design::text;

namespace {

struct BoxDesign {
    const char *caption;
    int captionLeft, captionTop, captionWidth;
    int left, top, width, height;
    bool multiLine;
    const char *tip;
};
constexpr BoxDesign kBoxes[] = {
    {"問題番号", 120, 600, 375, 120, 960, 495, 315, false, "問題の番号を，入力してください。"},
    {"問題文", 1080, 720, 735, 1080, 960, 3975, 855, true, nullptr},
    {"選択肢", 1080, 1920, 615, 1080, 2160, 3975, 960, true, nullptr},
    {"正解", 135, 1485, 495, 135, 1755, 630, 315, false, "問題の正解を，入力してください。"},
    {"ポイント", 1080, 3240, 690, 1080, 3510, 3975, 855, true, nullptr},
    {"添付画像ファイル名", 135, 4455, 1575, 405, 4725, 4545, 315, false,
     "添付画像は，問題ファイルと同じフォルダに保存してください。"},
};
} // namespace

frmMaker::frmMaker(Module1 &state, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("frmMaker"));
    setWindowTitle(QStringLiteral("Making Quiz"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *client = new QWidget(this);
    setCentralWidget(client);
    createControls(client);
    createMenus();
    createStatusBar();
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    move(twips::toPixels(4935), twips::toPixels(2400));
    resize(twips::toPixels(5115), twips::toPixels(5565));
    new KeyPreview(
        this, [this](QKeyEvent *event) { return Form_KeyUp(event); }, QEvent::KeyRelease);
    // The key press of Ctrl+Enter must not also put a line break into a box.
    new KeyPreview(this, [](QKeyEvent *event) {
        return event->modifiers().testFlag(Qt::ControlModifier) &&
               (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
    });
    Form_Load();
}

void frmMaker::createControls(QWidget *client) {
    const QFont gothic = fonts::proportionalGothic(11.25);
    CmbSect = place(new QComboBox(client), QStringLiteral("CmbSect"), 120, 120, 3405, 300);
    CmbSect->setEditable(true);
    const auto button = [client](const char *name, const char *caption, const char *tip, int left,
                                 int top, int width, int height) {
        auto *b = place(new QPushButton(text(caption), client), QLatin1String(name), left, top,
                        width, height);
        b->setToolTip(text(tip));
        return b;
    };
    Command4 =
        button("Command4", "読み込み", "選択したファイルを，読み込みます｡", 3720, 120, 975, 375);
    for (int i = 0; i < 6; ++i) {
        const BoxDesign &d = kBoxes[i];
        Label1[i] = place(new QLabel(text(d.caption), client), QStringLiteral("Label1_%1").arg(i),
                          d.captionLeft, d.captionTop, d.captionWidth, d.multiLine ? 255 : 255);
        QWidget *box = d.multiLine ? static_cast<QWidget *>(new PlainTextBox(client))
                                   : static_cast<QWidget *>(new QLineEdit(client));
        TextQuiz[i] =
            place(box, QStringLiteral("TextQuiz_%1").arg(i), d.left, d.top, d.width, d.height);
        TextQuiz[i]->setFont(gothic);
        if (d.tip)
            TextQuiz[i]->setToolTip(text(d.tip));
    }
    for (QLabel *caption : Label1) {
        // Keep every caption whole: it overlaps its box by a pixel, and the fonts here run
        // wider than the design's.
        caption->raise();
        caption->resize(std::max(caption->width(), caption->sizeHint().width()), caption->height());
    }
    Label1[0]->setWordWrap(true);
    Label1[0]->resize(Label1[0]->width(), twips::toPixels(375));
    auto *number = static_cast<QLineEdit *>(TextQuiz[0]);
    number->setMaxLength(3);
    number->setText(QStringLiteral("1"));
    for (int i : {1, 2})
        static_cast<QPlainTextEdit *>(TextQuiz[i])->viewport()->installEventFilter(this);
    TextQuiz[0]->installEventFilter(this);
    LstReport = place(new QListWidget(client), QStringLiteral("LstReport"), 135, 2160, 825, 330);
    LstReport->addItems(quizrun::answerChoices());
    LstReport->setFont(gothic);
    LstReport->setToolTip(text("問題の正解の入力に使います｡"));
    Command1 = button("Command1", "追加", "問題を入力したら，必ずこのボタンを押してください。", 120,
                      2640, 855, 420);
    Command3 = button("Command3", "保存",
                      "問題ファイルを保存します｡必ず追加ボタンを押してから，保存してください。",
                      135, 3360, 825, 420);
    Command2 = button("Command2", "閉じる", "このフォームを閉じます｡", 135, 3840, 825, 420);

    QWidget *order[] = {CmbSect,     TextQuiz[0], TextQuiz[1], TextQuiz[3], LstReport, TextQuiz[2],
                        TextQuiz[4], Command1,    TextQuiz[5], Command3,    Command2,  Command4};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Command4, &QPushButton::clicked, this, &frmMaker::Command4_Click);
    connect(Command1, &QPushButton::clicked, this, &frmMaker::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &frmMaker::Command3_Click);
    connect(Command2, &QPushButton::clicked, this, &frmMaker::Command2_Click);
    connect(LstReport, &QListWidget::itemClicked, this, &frmMaker::LstReport_Click);
    // Picked with the arrow keys, an answer fills the box as a click does.
    connect(LstReport, &QListWidget::currentRowChanged, this, [this] {
        if (LstReport->hasFocus())
            LstReport_Click();
    });
}

void frmMaker::createMenus() {
    QMenu *set = menuBar()->addMenu(text("設定(&S)"));
    set->setObjectName(QStringLiteral("mnuSet"));
    mnuSetOptions = set->addAction(text("ｵﾌﾟｼｮﾝ(&O)"));
    mnuSetOptions->setObjectName(QStringLiteral("mnuSetOptions"));
    QMenu *view = menuBar()->addMenu(text("表示(&V)"));
    view->setObjectName(QStringLiteral("mnuView"));
    mnuViewTag = view->addAction(QStringLiteral("HTML Tag"));
    mnuViewTag->setObjectName(QStringLiteral("mnuViewTag"));
    connect(mnuSetOptions, &QAction::triggered, this, &frmMaker::mnuSetOptions_Click);
    connect(mnuViewTag, &QAction::triggered, this, &frmMaker::mnuViewTag_Click);
}

void frmMaker::createStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    auto *textPanel = new QLabel(StatusBar1);
    textPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *timePanel = new QLabel(StatusBar1);
    timePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(textPanel, 1);
    StatusBar1->addPermanentWidget(timePanel);
    const auto tick = [timePanel] {
        timePanel->setText(QTime::currentTime().toString(QStringLiteral("H:mm")));
    };
    tick();
    auto *ticker = new QTimer(this);
    connect(ticker, &QTimer::timeout, this, tick);
    ticker->start(1000);
}

void frmMaker::Form_Load() {
    CmbSect->addItems(sections::list(m_state.QuizFolder));
    CmbSect->setEditText(QString());
}

void frmMaker::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (std::exchange(m_framed, true))
        return;
    // Sized as designed, frame included, once the window manager has added the frame.
    design::whenFramed(this, [this] {
        if (windowState() == Qt::WindowNoState)
            design::resizeOuter(this, 5115, 5565);
        Form_Layout();
    });
}

void frmMaker::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    Form_Layout();
}

void frmMaker::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Layout();
}

void frmMaker::Form_Layout() {
    if (isMinimized())
        return;
    if (!isMaximized() && !isFullScreen() &&
        design::keepMinimumOuterSize(this, kMakerMinWidth, kMakerMinHeight))
        return; // laid out again by the resize
    const MakerLayout l = layoutMaker(twips::fromPixels(design::outerGeometry(this).width()),
                                      twips::fromPixels(design::outerGeometry(this).height()));
    const int width = twips::toPixels(l.boxWidth), height = twips::toPixels(l.boxHeight);
    TextQuiz[1]->resize(width, height);
    TextQuiz[2]->setGeometry(TextQuiz[2]->x(), twips::toPixels(l.choicesTop), width, height);
    TextQuiz[4]->setGeometry(TextQuiz[4]->x(), twips::toPixels(l.keyPointTop), width, height);
    TextQuiz[5]->move(TextQuiz[5]->x(), twips::toPixels(l.pictureTop));
    for (int i : {2, 4, 5})
        Label1[i]->move(Label1[i]->x(),
                        TextQuiz[i]->y() - twips::toPixels(MakerLayout::kCaptionOffset));
}

void frmMaker::closeEvent(QCloseEvent *event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void frmMaker::Form_Unload() {
    frmMain *main = m_state.MainForm;
    if (!main)
        return;
    if (!main->Label4->text().isEmpty()) // a quiz run is under way
        main->Timer1->start();
    main->activateWindow();
    main->setFocus();
}

void frmMaker::Command2_Click() {
    close();
}

bool frmMaker::eventFilter(QObject *watched, QEvent *event) {
    if (watched == TextQuiz[0] && event->type() == QEvent::FocusOut)
        TextQuiz_LostFocus(0);
    if (event->type() == QEvent::MouseButtonRelease) {
        for (int i : {1, 2}) {
            if (watched == static_cast<QPlainTextEdit *>(TextQuiz[i])->viewport())
                tagBuilder()->tagsBox->setPlainText(textboxes::selectedText(TextQuiz[i]));
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool frmMaker::Form_KeyUp(QKeyEvent *event) {
    const Qt::KeyboardModifiers others = Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;
    const bool ctrlOnly =
        event->modifiers().testFlag(Qt::ControlModifier) && !(event->modifiers() & others);
    const bool enter =
        event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        (event->key() == Qt::Key_Comma && event->modifiers().testFlag(Qt::KeypadModifier));
    if (ctrlOnly && enter && !event->isAutoRepeat())
        Command1_Click();
    return false;
}

TagBuilderDialog *frmMaker::tagBuilder() {
    if (!m_tagBuilder)
        m_tagBuilder = new TagBuilderDialog(m_state, *this);
    return m_tagBuilder;
}

void frmMaker::mnuViewTag_Click() {
    tagBuilder()->show();
    tagBuilder()->raise();
    tagBuilder()->activateWindow();
}
