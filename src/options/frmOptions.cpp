#include "frmOptions.h"
#include "Design.h"

#include "DirList.h"
#include "KeyPreview.h"
#include "MessageBox.h"
#include "Module1.h"
#include "Numbers.h"
#include "QuizRun.h"
#include "Sections.h"
#include "Settings.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTabBar>

using design::place;
using design::text;

namespace {
constexpr int kPageLeft = 210;
constexpr int kParkedLeft = -20000;

} // namespace

frmOptions::frmOptions(Module1 &state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_state(state) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(text("ｵﾌﾟｼｮﾝ"));
    setFixedSize(twips::toPixels(6150), twips::toPixels(5040));
    tbsOptions = place(new QTabBar(this), "tbsOptions", 105, 120, 5895, 360);
    tbsOptions->addTab(text("問題数"));
    tbsOptions->addTab(text("出題ファイル"));
    auto *frame = place(new QFrame(this), "tbsOptionsFrame", 105, 460, 5895, 3905);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    createPages();
    cmdOK = place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", 2490, 4455, 1095, 375);
    cmdCancel = place(new QPushButton(text("ｷｬﾝｾﾙ"), this), "cmdCancel", 3720, 4455, 1095, 375);
    cmdApply = place(new QPushButton(text("適用(&A)"), this), "cmdApply", 4920, 4455, 1095, 375);
    cmdOK->setDefault(true);
    setTabOrder(cmdOK, cmdCancel);
    setTabOrder(cmdCancel, cmdApply);

    connect(tbsOptions, &QTabBar::currentChanged, this, &frmOptions::tbsOptions_Click);
    // Only another drive moves the folder list: picking the chosen one again leaves it alone.
    connect(Drive1, &QComboBox::currentIndexChanged, this, &frmOptions::Drive1_Change);
    connect(Dir1, &DirList::pathChanged, this, &frmOptions::Dir1_Change);
    connect(Text2, &QLineEdit::textChanged, this, &frmOptions::Text2_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmOptions::cmdOK_Click);
    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmOptions::cmdCancel_Click);
    new KeyPreview(this, [this](QKeyEvent *event) { return Form_KeyDown(event); });
    Form_Load();
}

void frmOptions::createPages() {
    picOptions[0] = place(new QWidget(this), "picOptions_0", kPageLeft, 480, 5685, 3780);
    fraSample1 =
        place(new QGroupBox(text("問題数"), picOptions[0]), "fraSample1", 208, 405, 2033, 1215);
    Text1 = place(new QLineEdit(QStringLiteral("60"), fraSample1), "Text1", 540, 540, 825, 285);

    picOptions[1] = place(new QWidget(this), "picOptions_1", kParkedLeft, 480, 5685, 3780);
    picOptions[1]->setEnabled(false);
    fraSample2 = place(new QGroupBox(text("問題用ファイルのあるフォルダ"), picOptions[1]),
                       "fraSample2", 270, 405, 5250, 3090);
    Text2 = place(new QLineEdit(fraSample2), "Text2", 270, 270, 4740, 285);
    Drive1 = place(new QComboBox(fraSample2), "Drive1", 270, 675, 2985, 300);
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            Drive1->addItem(volume.rootPath());
    }
    Dir1 = place(new DirList(fraSample2), "Dir1", 270, 1080, 2985, 1770);
    setTabOrder(Dir1, Text1);
    setTabOrder(Drive1, Text2);
}

void frmOptions::Form_Load() {
    Text2->setText(settings::readString(QStringLiteral("QPath"), sections::defaultQuizFolder()));
    Text1->setText(QString::number(m_state.QuestionCount));
    Text1->setEnabled(m_state.OptionsOpener != QLatin1String("frmMain"));
}

void frmOptions::tbsOptions_Click() {
    for (int i = 0; i < 2; ++i) {
        const bool shown = i == tbsOptions->currentIndex();
        picOptions[i]->move(twips::toPixels(shown ? kPageLeft : kParkedLeft), picOptions[i]->y());
        picOptions[i]->setEnabled(shown);
    }
}

bool frmOptions::Form_KeyDown(QKeyEvent *event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int tabs = tbsOptions->count();
    if (ctrl && event->key() == Qt::Key_Tab && !shift)
        tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % tabs);
    else if (ctrl && (event->key() == Qt::Key_Backtab || (event->key() == Qt::Key_Tab && shift)))
        tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + tabs - 1) % tabs);
    else
        return false;
    return true;
}

void frmOptions::Drive1_Change() {
    Dir1->setPath(Drive1->currentText());
}

void frmOptions::Dir1_Change() {
    Text2->setText(Dir1->path());
}

void frmOptions::Text2_Change() {
    Dir1->setPath(Text2->text());
}

bool frmOptions::apply() {
    const WholeNumber count = toInt32(Text1->text());
    if (!count.ok() || count.value < 1) {
        messagebox::show(this, text("問題数を,1以上に設定してください。"),
                         messagebox::applicationTitle());
        return false;
    }
    if (count.value > quizrun::kMaxQuestionCount) {
        messagebox::show(
            this, text("問題数を,%1以下に設定してください。").arg(quizrun::kMaxQuestionCount),
            messagebox::applicationTitle());
        return false;
    }
    settings::writeString(QStringLiteral("QPath"), Dir1->path());
    m_state.QuizFolder = Dir1->path();
    m_state.resizeQuestions(static_cast<qint32>(count.value));
    return true;
}

void frmOptions::cmdApply_Click() {
    apply();
}

void frmOptions::cmdOK_Click() {
    if (apply())
        accept();
}

void frmOptions::cmdCancel_Click() {
    reject();
}
