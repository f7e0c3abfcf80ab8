#include "QuestionPreview.h"

#include "Accessibility.h"
#include "Design.h"
#include "HtmlPane.h"
#include "QuestionPages.h"
#include "Sections.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

QuestionPreview::QuestionPreview(QWidget *editor)
    : QWidget(editor, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("questionPreview"));
    setWindowTitle(design::uiText("ﾌﾟﾚﾋﾞｭｰ"));
    auto *column = new QVBoxLayout(this);
    questionPane = new HtmlPane(this);
    questionPane->setObjectName(QStringLiteral("previewQuestionPane"));
    choicesPane = new HtmlPane(this);
    choicesPane->setObjectName(QStringLiteral("previewChoicesPane"));
    pictureLabel = new QLabel(this);
    pictureLabel->setObjectName(QStringLiteral("previewPictureLabel"));
    accessibility::name(
        {{questionPane, "問題文"}, {choicesPane, "選択文"}, {pictureLabel, "問題の画像"}});
    pictureLabel->setScaledContents(true);
    pictureLabel->setMinimumSize(1, 1);
    pictureLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    column->addWidget(questionPane, 3);
    column->addWidget(choicesPane, 3);
    column->addWidget(pictureLabel, 3);
    // The panes' pages ask for the focus of a learner's window, not of the author's.
    for (HtmlPane *pane : {questionPane, choicesPane})
        pane->setFocusPolicy(Qt::NoFocus);
    m_throttle.setSingleShot(true);
    m_throttle.setInterval(kInterval);
    connect(&m_throttle, &QTimer::timeout, this, &QuestionPreview::showPending);
}

void QuestionPreview::showQuestion(const QuizRecord &question, const QString &quizFolder) {
    m_pending = question;
    m_pendingFolder = quizFolder;
    if (!m_throttle.isActive())
        m_throttle.start();
}

void QuestionPreview::showPending() {
    const bool samePages = m_shownOnce && m_pendingFolder == m_shownFolder &&
                           m_pending.question == m_shown.question &&
                           m_pending.choices == m_shown.choices;
    if (!samePages)
        questionpages::showPages(*questionPane, *choicesPane, m_pending, m_pendingFolder);
    if (!m_shownOnce || m_pending.imageFile != m_shown.imageFile ||
        m_pendingFolder != m_shownFolder) {
        const QString &name = m_pending.imageFile;
        pictureLabel->clear();
        if (!name.isEmpty()) {
            questionpages::showPicture(*pictureLabel, sections::picturePath(m_pendingFolder, name));
            if (pictureLabel->pixmap().isNull())
                pictureLabel->setText(design::uiText("画像 %1 を読み込めません").arg(name));
        }
    }
    m_shown = m_pending;
    m_shownFolder = m_pendingFolder;
    m_shownOnce = true;
}

void QuestionPreview::standBeside(const QRect &editorFrame) {
    const QScreen *screen = this->screen();
    design::setOuterGeometry(
        this, frameBeside(editorFrame, screen ? screen->availableGeometry() : QRect()));
}

QRect QuestionPreview::frameBeside(const QRect &editorFrame, const QRect &room) {
    QRect frame(editorFrame.topRight() + QPoint(1, 0),
                QSize(std::max(320, editorFrame.width()), editorFrame.height()));
    if (!room.isValid())
        return frame;
    const int freeRight = room.right() - editorFrame.right();
    const int freeLeft = editorFrame.left() - room.left();
    if (freeRight >= frame.width())
        return frame;
    // Narrowed to the roomier side rather than over the editor's boxes and buttons (a large
    // scale factor leaves no room for the whole preview); over them only on a tiny screen.
    const int width = std::min(frame.width(), std::max({freeLeft, freeRight, kNarrowest}));
    frame.setWidth(width);
    if (freeLeft >= width || freeLeft >= freeRight)
        frame.moveRight(editorFrame.left() - 1);
    if (frame.left() < room.left())
        frame.moveLeft(room.left());
    return frame;
}

// Closed with Esc like the other secondary windows; 表示 > ﾌﾟﾚﾋﾞｭｰ shows it again.
void QuestionPreview::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void QuestionPreview::closeEvent(QCloseEvent *event) {
    QWidget::closeEvent(event);
    emit closedByAuthor();
}
