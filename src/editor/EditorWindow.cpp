// The quiz editor's window: controls, menus, layout, closing.
#include "EditorWindow.h"
#include "Accessibility.h"
#include "Design.h"

#include "EditorLayout.h"
#include "Fonts.h"
#include "KeyPreview.h"
#include "Menus.h"
#include "PlainTextBox.h"
#include "QuestionPreview.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "Sections.h"
#include "Settings.h"
#include "TagBuilderDialog.h"
#include "TextBoxes.h"
#include "Zoom.h"

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

using design::placeTwips;
using design::uiText;

namespace {

struct BoxDesign {
    const char *name; // the box's object name; its caption's ends in "Caption"
    const char *caption;
    int captionLeft, captionTop, captionWidth;
    int left, top, width, height;
    const char *tip;
};
constexpr BoxDesign kNumber = {
    "numberBox", "問題番号", 120, 600, 375, 120, 960, 495, 315, "問題の番号を，入力してください。"};
constexpr BoxDesign kQuestion = {"questionBox", "問題文", 1080, 720, 735,
                                 1080,          960,      3975, 855, nullptr};
constexpr BoxDesign kChoices = {"choicesBox", "選択肢", 1080, 1920, 615,
                                1080,         2160,     3975, 960,  nullptr};
constexpr BoxDesign kAnswer = {"answerBox", "正解", 135, 1485, 495,
                               135,         1755,   630, 315,  "問題の正解を，入力してください。"};
constexpr BoxDesign kKeyPoint = {"keyPointBox", "ポイント", 1080, 3240, 690,
                                 1080,          3510,       3975, 855,  nullptr};
constexpr BoxDesign kPicture = {
    "pictureBox", "添付画像ファイル名",
    135,          4455,
    1575,         405,
    4725,         4545,
    315,          "添付画像は，問題ファイルと同じフォルダに保存してください。"};

// A box and its caption, laid out as designed; the caption is kept whole: it overlaps its box by
// a pixel, and the fonts here run wider than the design's.
template <typename Box>
Box *placeBox(QWidget *client, const BoxDesign &d, QLabel *&caption, const QFont &font) {
    const QString name = QLatin1String(d.name);
    caption = placeTwips(new QLabel(uiText(d.caption), client),
                         QString(name).replace(QLatin1String("Box"), QLatin1String("Caption")),
                         d.captionLeft, d.captionTop, d.captionWidth, 255);
    auto *box = placeTwips(new Box(client), name, d.left, d.top, d.width, d.height);
    box->setFont(font);
    if (d.tip)
        box->setToolTip(uiText(d.tip));
    caption->raise();
    caption->resize(std::max(caption->width(), caption->sizeHint().width()), caption->height());
    accessibility::name({{box, d.caption, caption}});
    return box;
}
} // namespace

EditorWindow::EditorWindow(QuizState &state, QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_state(state) {
    setObjectName(QStringLiteral("editorWindow"));
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
        this, [this](QKeyEvent *event) { return addOnCtrlEnter(event); }, QEvent::KeyRelease);
    // The key press of Ctrl+Enter must not also put a line break into a box.
    new KeyPreview(this, [](QKeyEvent *event) {
        return event->modifiers().testFlag(Qt::ControlModifier) &&
               (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
    });
    listSections();
    // The text of the large boxes grows for learners who need larger text.
    new ZoomKeys(this, [this, points = questionBox->font().pointSizeF()](int percent) {
        for (QPlainTextEdit *box : {questionBox, choicesBox, keyPointBox})
            box->setFont(fonts::proportionalGothic(zoom::scaled(points, percent)));
    });
}

void EditorWindow::createControls(QWidget *client) {
    const QFont gothic = fonts::proportionalGothic(11.25);
    sectionBox =
        placeTwips(new QComboBox(client), QStringLiteral("sectionBox"), 120, 120, 3405, 300);
    sectionBox->setEditable(true);
    sectionBox->setInsertPolicy(QComboBox::NoInsert); // the list is the folder's sections
    const auto button = [client](const char *name, const char *caption, const char *tip, int left,
                                 int top, int width, int height) {
        auto *b = placeTwips(new QPushButton(uiText(caption), client), QLatin1String(name), left,
                             top, width, height);
        b->setToolTip(uiText(tip));
        return b;
    };
    loadButton = button("loadButton", "読み込み(&L)", "選択したファイルを，読み込みます｡", 3720,
                        120, 975, 375);
    numberBox = placeBox<QLineEdit>(client, kNumber, numberCaption, gothic);
    questionBox = placeBox<PlainTextBox>(client, kQuestion, questionCaption, gothic);
    choicesBox = placeBox<PlainTextBox>(client, kChoices, choicesCaption, gothic);
    answerBox = placeBox<QLineEdit>(client, kAnswer, answerCaption, gothic);
    keyPointBox = placeBox<PlainTextBox>(client, kKeyPoint, keyPointCaption, gothic);
    pictureBox = placeBox<QLineEdit>(client, kPicture, pictureCaption, gothic);
    numberCaption->setWordWrap(true);
    numberCaption->resize(numberCaption->width(), twips::toPixels(375));
    numberBox->setMaxLength(3);
    numberBox->setText(QStringLiteral("1"));
    // A selection made with the mouse goes to the tag builder.
    for (QPlainTextEdit *box : {questionBox, choicesBox})
        box->viewport()->installEventFilter(this);
    numberBox->installEventFilter(this);
    answerList =
        placeTwips(new QListWidget(client), QStringLiteral("answerList"), 135, 2160, 825, 330);
    answerList->addItems(quizrun::answerChoices());
    answerList->setFont(gothic);
    answerList->setToolTip(uiText("問題の正解の入力に使います｡"));
    addButton = button("addButton", "追加(&A)",
                       "問題を入力したら，必ずこのボタンを押してください。", 120, 2640, 855, 420);
    saveButton = button("saveButton", "保存(&W)",
                        "問題ファイルを保存します｡必ず追加ボタンを押してから，保存してください。",
                        135, 3360, 825, 420);
    closeButton =
        button("closeButton", "閉じる(&C)", "このフォームを閉じます｡", 135, 3840, 825, 420);

    accessibility::name({{sectionBox, "読み込むセクション"}, {answerList, "正解の選択肢"}});
    accessibility::chainTabs({sectionBox, numberBox, questionBox, answerBox, answerList, choicesBox,
                              keyPointBox, addButton, pictureBox, saveButton, closeButton,
                              loadButton});

    connect(loadButton, &QPushButton::clicked, this, &EditorWindow::loadSection);
    connect(sectionBox->lineEdit(), &QLineEdit::returnPressed, loadButton, &QPushButton::click);
    connect(addButton, &QPushButton::clicked, this, &EditorWindow::addQuestion);
    connect(saveButton, &QPushButton::clicked, this, &EditorWindow::saveSection);
    connect(closeButton, &QPushButton::clicked, this, &EditorWindow::close);
    connect(questionBox, &QPlainTextEdit::textChanged, this, &EditorWindow::updatePreview);
    connect(choicesBox, &QPlainTextEdit::textChanged, this, &EditorWindow::updatePreview);
    connect(pictureBox, &QLineEdit::textChanged, this, &EditorWindow::updatePreview);
    connect(answerList, &QListWidget::itemClicked, this, &EditorWindow::pickAnswerFromList);
    // Picked with the arrow keys, an answer fills the box as a click does.
    connect(answerList, &QListWidget::currentRowChanged, this, [this] {
        if (answerList->hasFocus())
            pickAnswerFromList();
    });
}

void EditorWindow::createMenus() {
    QMenu *file = menus::addMenu(menuBar(), "fileMenu", "ﾌｧｲﾙ(&F)");
    fileImportTableAction = menus::addItem(file, "fileImportTableAction", "CSV/TSV から読み込み…");
    fileExportTableAction = menus::addItem(file, "fileExportTableAction", "CSV/TSV に書き出し…");
    connect(fileImportTableAction, &QAction::triggered, this, &EditorWindow::importTable);
    connect(fileExportTableAction, &QAction::triggered, this, &EditorWindow::exportTable);
    fileImportPlatformAction =
        menus::addItem(file, "fileImportPlatformAction", "Moodle XML/GIFT から読み込み…");
    fileExportPlatformAction =
        menus::addItem(file, "fileExportPlatformAction", "Moodle XML/GIFT に書き出し…");
    connect(fileImportPlatformAction, &QAction::triggered, this, &EditorWindow::importPlatform);
    connect(fileExportPlatformAction, &QAction::triggered, this, &EditorWindow::exportPlatform);
    createEditMenu();
    QMenu *set = menus::addMenu(menuBar(), "settingsMenu", "設定(&S)");
    settingsOptionsAction = menus::addItem(set, "settingsOptionsAction", "ｵﾌﾟｼｮﾝ(&O)");
    QMenu *view = menus::addMenu(menuBar(), "viewMenu", "表示(&V)");
    viewTagBuilderAction = menus::addItem(view, "viewTagBuilderAction", "HTML Tag");
    viewPreviewAction = menus::addItem(view, "viewPreviewAction", "ﾌﾟﾚﾋﾞｭｰ(&P)");
    viewPreviewAction->setCheckable(true);
    viewPreviewAction->setChecked(settings::readNumber(QStringLiteral("EditorPreview"), 1) != 0);
    connect(viewPreviewAction, &QAction::triggered, this, [this] {
        settings::writeNumber(QStringLiteral("EditorPreview"), viewPreviewAction->isChecked());
        showOrHidePreview();
    });
    connect(settingsOptionsAction, &QAction::triggered, this, &EditorWindow::openOptionsFromMenu);
    connect(viewTagBuilderAction, &QAction::triggered, this, &EditorWindow::showTagBuilder);
}

// Undo and redo act on the box being typed in, as its own keys do; insert and delete act on
// the question shown.
void EditorWindow::createEditMenu() {
    using textboxes::History;
    QMenu *edit = menus::addMenu(menuBar(), "editMenu", "編集(&E)");
    const auto historyItem = [this, edit](const char *name, const char *caption, History step,
                                          QKeySequence::StandardKey key) {
        QAction *item = menus::addItem(edit, name, caption, true, key);
        connect(item, &QAction::triggered, this,
                [this, step] { textboxes::step(focusWidget(), step); });
        connect(edit, &QMenu::aboutToShow, item,
                [this, item, step] { item->setEnabled(textboxes::canStep(focusWidget(), step)); });
    };
    historyItem("editUndoAction", "元に戻す(&U)", History::Undo, QKeySequence::Undo);
    historyItem("editRedoAction", "やり直し(&R)", History::Redo, QKeySequence::Redo);
    edit->addSeparator();
    connect(menus::addItem(edit, "editInsertAction", "問題の挿入(&I)"), &QAction::triggered, this,
            &EditorWindow::insertQuestion);
    connect(menus::addItem(edit, "editDeleteAction", "問題の削除(&D)"), &QAction::triggered, this,
            &EditorWindow::deleteQuestion);
}

void EditorWindow::createStatusBar() {
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    m_statusText = new QLabel(bar);
    m_statusText->setObjectName(QStringLiteral("statusText"));
    m_statusText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto *timePanel = new QLabel(bar);
    timePanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bar->addWidget(m_statusText, 1);
    bar->addPermanentWidget(timePanel);
    const auto tick = [timePanel] {
        timePanel->setText(QTime::currentTime().toString(QStringLiteral("H:mm")));
    };
    tick();
    auto *ticker = new QTimer(this);
    connect(ticker, &QTimer::timeout, this, tick);
    ticker->start(1000);
}

void EditorWindow::listSections() {
    sectionBox->addItems(sections::list(m_state.quizFolder));
    sectionBox->setEditText(QString());
}

void EditorWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    if (std::exchange(m_framed, true))
        return;
    // Sized as designed, frame included, once the window manager has added the frame.
    design::whenFramed(this, [this] {
        if (windowState() == Qt::WindowNoState) {
            design::resizeOuter(this, 5115, 5565);
            design::keepOnScreen(this); // its design place is too low for a small screen
        }
        layOut();
        showOrHidePreview();
        m_sized = true;
    });
}

void EditorWindow::resizeEvent(QResizeEvent *event) {
    QMainWindow::resizeEvent(event);
    layOut();
    placePreview();
}

void EditorWindow::moveEvent(QMoveEvent *event) {
    QMainWindow::moveEvent(event);
    placePreview();
}

void EditorWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        layOut();
}

void EditorWindow::layOut() {
    if (isMinimized())
        return;
    if (!isMaximized() && !isFullScreen() &&
        design::keepMinimumOuterSize(this, kEditorMinWidth, kEditorMinHeight))
        return; // laid out again by the resize
    const EditorLayout l = layOutEditor(twips::fromPixels(design::outerGeometry(this).width()),
                                        twips::fromPixels(design::outerGeometry(this).height()));
    const int width = twips::toPixels(l.boxWidth), height = twips::toPixels(l.boxHeight);
    questionBox->resize(width, height);
    choicesBox->setGeometry(choicesBox->x(), twips::toPixels(l.choicesTop), width, height);
    keyPointBox->setGeometry(keyPointBox->x(), twips::toPixels(l.keyPointTop), width, height);
    pictureBox->move(pictureBox->x(), twips::toPixels(l.pictureTop));
    const std::pair<QLabel *, QWidget *> following[] = {
        {choicesCaption, choicesBox}, {keyPointCaption, keyPointBox}, {pictureCaption, pictureBox}};
    for (auto [caption, box] : following)
        caption->move(caption->x(), box->y() - twips::toPixels(EditorLayout::kCaptionOffset));
}

void EditorWindow::closeEvent(QCloseEvent *event) {
    if (!confirmClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    emit closed();
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched == numberBox && event->type() == QEvent::FocusOut)
        showQuestionFromNumberBox();
    if (event->type() == QEvent::MouseButtonRelease) {
        for (QPlainTextEdit *box : {questionBox, choicesBox}) {
            if (watched == box->viewport())
                tagBuilder()->showSelectedText(textboxes::selectedText(box));
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool EditorWindow::addOnCtrlEnter(QKeyEvent *event) {
    const Qt::KeyboardModifiers others = Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier;
    const bool ctrlOnly =
        event->modifiers().testFlag(Qt::ControlModifier) && !(event->modifiers() & others);
    const bool enter =
        event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        (event->key() == Qt::Key_Comma && event->modifiers().testFlag(Qt::KeypadModifier));
    if (ctrlOnly && enter && !event->isAutoRepeat())
        addQuestion();
    return false;
}

TagBuilderDialog *EditorWindow::tagBuilder() {
    if (!m_tagBuilder) {
        m_tagBuilder = new TagBuilderDialog(m_state, this);
        connect(m_tagBuilder, &TagBuilderDialog::tagsInserted, this, &EditorWindow::insertMarkup);
        connect(m_tagBuilder, &TagBuilderDialog::lineBreakRequested, this,
                &EditorWindow::insertLineBreak);
        connect(m_tagBuilder, &TagBuilderDialog::listTagRequested, this,
                &EditorWindow::insertListTag);
    }
    return m_tagBuilder;
}

void EditorWindow::showTagBuilder() {
    tagBuilder()->show();
    tagBuilder()->raise();
    tagBuilder()->activateWindow();
}

QList<QWidget *> EditorWindow::boxes() const {
    return {numberBox, questionBox, choicesBox, answerBox, keyPointBox, pictureBox};
}

void EditorWindow::showOrHidePreview() {
    if (!viewPreviewAction->isChecked()) {
        if (m_preview)
            m_preview->hide();
        return;
    }
    if (!m_preview) {
        m_preview = new QuestionPreview(this);
        connect(m_preview, &QuestionPreview::closedByAuthor, this, [this] {
            viewPreviewAction->setChecked(false);
            settings::writeNumber(QStringLiteral("EditorPreview"), 0);
        });
    }
    placePreview();
    m_preview->show();
    updatePreview();
}

void EditorWindow::placePreview() {
    if (m_preview && m_framed)
        m_preview->standBeside(design::outerGeometry(this));
}

// The boxes as they stand, typed and not yet added.
void EditorWindow::updatePreview() {
    if (!m_preview || !m_preview->isVisible())
        return;
    QuizRecord question;
    question.question = textboxes::text(questionBox);
    question.choices = textboxes::text(choicesBox);
    question.imageFile = textboxes::text(pictureBox);
    m_preview->showQuestion(question, m_state.quizFolder);
}
