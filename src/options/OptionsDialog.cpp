#include "OptionsDialog.h"
#include "Accessibility.h"
#include "Design.h"

#include "DirList.h"
#include "FileDialog.h"
#include "KeyPreview.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "QuizRun.h"
#include "QuizState.h"
#include "Sections.h"
#include "Settings.h"
#include "StudyOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStorageInfo>
#include <QTabBar>

using design::placeTwips;
using design::uiText;

namespace {
constexpr int kPageLeft = 210;
constexpr int kParkedLeft = -20000;

} // namespace

OptionsDialog::OptionsDialog(QuizState &state, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_state(state) {
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(uiText("ｵﾌﾟｼｮﾝ"));
    setFixedSize(twips::toPixels(6150), twips::toPixels(5040));
    tabBar = placeTwips(new QTabBar(this), "tabBar", 105, 120, 5895, 360);
    tabBar->addTab(uiText("問題数"));
    tabBar->addTab(uiText("出題ファイル"));
    tabBar->addTab(uiText("出題方法"));
    auto *frame = placeTwips(new QFrame(this), "tabFrame", 105, 460, 5895, 3905);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    createPages();
    accessibility::name({{tabBar, "オプションのページ"},
                         {countBox, "問題数"},
                         {folderBox, "問題用ファイルのあるフォルダ"},
                         {driveBox, "ドライブ"},
                         {folderList, "フォルダの一覧"}});
    okButton =
        placeTwips(new QPushButton(QStringLiteral("&OK"), this), "okButton", 2490, 4455, 1095, 375);
    cancelButton =
        placeTwips(new QPushButton(uiText("ｷｬﾝｾﾙ"), this), "cancelButton", 3720, 4455, 1095, 375);
    applyButton =
        placeTwips(new QPushButton(uiText("適用(&A)"), this), "applyButton", 4920, 4455, 1095, 375);
    okButton->setDefault(true);
    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, applyButton);

    connect(tabBar, &QTabBar::currentChanged, this, &OptionsDialog::showChosenPage);
    // Only another drive moves the folder list: picking the chosen one again leaves it alone.
    connect(driveBox, &QComboBox::currentIndexChanged, this, &OptionsDialog::showChosenDrive);
    connect(folderList, &DirList::pathChanged, this, &OptionsDialog::takeChosenFolder);
    connect(folderBox, &QLineEdit::textChanged, this, &OptionsDialog::followFolderBox);
    connect(okButton, &QPushButton::clicked, this, &OptionsDialog::applyAndClose);
    connect(applyButton, &QPushButton::clicked, this, &OptionsDialog::applyOptions);
    connect(cancelButton, &QPushButton::clicked, this, &OptionsDialog::reject);
    new KeyPreview(this, [this](QKeyEvent *event) { return handleKey(event); });
    showStoredOptions();
}

void OptionsDialog::createPages() {
    countPage = placeTwips(new QWidget(this), "countPage", kPageLeft, 480, 5685, 3780);
    countFrame =
        placeTwips(new QGroupBox(uiText("問題数"), countPage), "countFrame", 208, 405, 2033, 1215);
    countBox =
        placeTwips(new QLineEdit(QStringLiteral("60"), countFrame), "countBox", 540, 540, 825, 285);

    folderPage = placeTwips(new QWidget(this), "folderPage", kParkedLeft, 480, 5685, 3780);
    folderPage->setEnabled(false);
    folderFrame = placeTwips(new QGroupBox(uiText("問題用ファイルのあるフォルダ"), folderPage),
                             "folderFrame", 270, 405, 5250, 3090);
    folderBox = placeTwips(new QLineEdit(folderFrame), "folderBox", 270, 270, 4740, 285);
    driveBox = placeTwips(new QComboBox(folderFrame), "driveBox", 270, 675, 2985, 300);
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            driveBox->addItem(volume.rootPath());
    }
    folderList = placeTwips(new DirList(folderFrame), "folderList", 270, 1080, 2985, 1770);
    setTabOrder(folderList, countBox);
    setTabOrder(driveBox, folderBox);
    createStudyPage();
}

// Practice mode and the order of the questions: the timed run in order unless chosen.
void OptionsDialog::createStudyPage() {
    studyPage = placeTwips(new QWidget(this), "studyPage", kParkedLeft, 480, 5685, 3780);
    studyPage->setEnabled(false);
    practiceBox = placeTwips(new QCheckBox(uiText("練習モード(&P)"), studyPage), "practiceBox", 270,
                             405, 5250, 345);
    practiceBox->setToolTip(uiText("答えるとすぐに正誤・正解・ポイントが表示されます。"
                                   "成績には練習として記録されます。"));
    auto *orderFrame =
        placeTwips(new QGroupBox(uiText("出題順"), studyPage), "orderFrame", 270, 900, 3000, 1215);
    inOrderButton = placeTwips(new QRadioButton(uiText("順番(&O)"), orderFrame), "inOrderButton",
                               270, 360, 2500, 300);
    shuffledButton = placeTwips(new QRadioButton(uiText("ランダム(&R)"), orderFrame),
                                "shuffledButton", 270, 720, 2500, 300);
    createClassFrame();
}

// With a name and a class folder, each finished run is also sent there for the teacher.
void OptionsDialog::createClassFrame() {
    auto *frame =
        placeTwips(new QGroupBox(uiText("クラス"), studyPage), "classFrame", 270, 2250, 5250, 1350);
    auto *nameLabel =
        placeTwips(new QLabel(uiText("氏名(&N)"), frame), "nameLabel", 180, 360, 1500, 285);
    nameBox = placeTwips(new QLineEdit(frame), "nameBox", 2000, 330, 3050, 285);
    nameBox->setMaxLength(int(studyoptions::kMaxNameLength));
    nameLabel->setBuddy(nameBox);
    auto *folderLabel = placeTwips(new QLabel(uiText("クラスのフォルダ(&F)"), frame),
                                   "classFolderLabel", 180, 800, 1800, 285);
    classFolderBox = placeTwips(new QLineEdit(frame), "classFolderBox", 2000, 770, 2150, 285);
    folderLabel->setBuddy(classFolderBox);
    auto *browse = placeTwips(new QPushButton(uiText("参照(&B)..."), frame), "classFolderButton",
                              4230, 740, 820, 345);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = filedialog::chooseFolder(
            this, uiText("クラスのフォルダを選択"),
            classFolderBox->text().isEmpty() ? QDir::homePath() : classFolderBox->text());
        if (!folder.isEmpty())
            classFolderBox->setText(QDir::toNativeSeparators(folder));
    });
    nameBox->setToolTip(uiText("氏名とクラスのフォルダを設定すると，結果を表示した回が"
                               "そのフォルダにも記録され，先生が［クラスの成績］で見られます。"));
    classFolderBox->setToolTip(nameBox->toolTip());
}

void OptionsDialog::showStoredOptions() {
    folderBox->setText(
        settings::readString(QStringLiteral("QPath"), sections::defaultQuizFolder()));
    countBox->setText(QString::number(m_state.questionCount));
    countBox->setEnabled(m_state.optionsOpener != QuizState::Opener::MainWindow);
    practiceBox->setChecked(studyoptions::practiceMode());
    (studyoptions::shuffledOrder() ? shuffledButton : inOrderButton)->setChecked(true);
    nameBox->setText(studyoptions::learnerName());
    classFolderBox->setText(QDir::toNativeSeparators(studyoptions::classFolder()));
}

void OptionsDialog::showChosenPage() {
    QWidget *const pages[] = {countPage, folderPage, studyPage}; // in the order of the tabs
    for (int i = 0; i < int(std::size(pages)); ++i) {
        const bool shown = i == tabBar->currentIndex();
        pages[i]->move(twips::toPixels(shown ? kPageLeft : kParkedLeft), pages[i]->y());
        pages[i]->setEnabled(shown);
    }
}

bool OptionsDialog::handleKey(QKeyEvent *event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const int tabs = tabBar->count();
    if (ctrl && event->key() == Qt::Key_Tab && !shift)
        tabBar->setCurrentIndex((tabBar->currentIndex() + 1) % tabs);
    else if (ctrl && (event->key() == Qt::Key_Backtab || (event->key() == Qt::Key_Tab && shift)))
        tabBar->setCurrentIndex((tabBar->currentIndex() + tabs - 1) % tabs);
    else
        return false;
    return true;
}

void OptionsDialog::showChosenDrive() {
    folderList->setPath(driveBox->currentText());
}

void OptionsDialog::takeChosenFolder() {
    folderBox->setText(folderList->path());
}

void OptionsDialog::followFolderBox() {
    folderList->setPath(folderBox->text());
}

bool OptionsDialog::apply() {
    const WholeNumber count = toInt32(countBox->text());
    if (!count.ok() || count.value < 1) {
        messagebox::show(this, uiText("問題数を,1以上に設定してください。"),
                         messagebox::applicationTitle());
        return false;
    }
    if (count.value > quizrun::kMaxQuestionCount) {
        messagebox::show(
            this, uiText("問題数を,%1以下に設定してください。").arg(quizrun::kMaxQuestionCount),
            messagebox::applicationTitle());
        return false;
    }
    const QString classFolder = classFolderBox->text().trimmed();
    if (!classFolder.isEmpty() && !QDir::isAbsolutePath(classFolder)) {
        messagebox::show(this,
                         uiText("クラスのフォルダは / から始まるフォルダで指定してください。"),
                         messagebox::applicationTitle());
        return false;
    }
    settings::writeString(QStringLiteral("QPath"), folderList->path());
    m_state.quizFolder = folderList->path();
    m_state.resizeQuestions(static_cast<qint32>(count.value));
    studyoptions::setPracticeMode(practiceBox->isChecked());
    studyoptions::setShuffledOrder(shuffledButton->isChecked());
    studyoptions::setLearnerName(nameBox->text());
    studyoptions::setClassFolder(classFolder);
    return true;
}

void OptionsDialog::applyOptions() {
    apply();
}

void OptionsDialog::applyAndClose() {
    if (apply())
        accept();
}
