#include "Dialog.h"
#include "Design.h"

#include "DirList.h"
#include "MessageBox.h"
#include "Module1.h"
#include "Pictures.h"
#include "PlainTextBox.h"
#include "Sections.h"
#include "TextBoxes.h"
#include "frmMaker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include <algorithm>

using design::place;
using design::text;

namespace {

struct BoxDesign {
    const char *caption;
    int left, top, width;
};
// Check1(0) to Check1(9).
constexpr BoxDesign kBoxes[] = {{"P", 180, 240, 435},         {"align", 705, 240, 735},
                                {"font", 180, 570, 645},      {"a href=", 180, 900, 855},
                                {"img src=", 180, 1230, 960}, {"table", 180, 1560, 750},
                                {"Tbody", 1050, 1560, 855},   {"TR", 1965, 1560, 540},
                                {"TH", 2805, 1560, 540},      {"TD", 3645, 1560, 540}};
const char *const kAlignments[] = {"<p align=Left>", "<p align=center>", "<p align=right>"};
constexpr int kCaptionGap = 60; // between a caption and its field, in twips
} // namespace

Dialog::Dialog(Module1 &state, frmMaker &maker)
    : QDialog(&maker, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_state(state), m_maker(maker) {
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(QStringLiteral("HTML Tags"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips::toPixels(6030), twips::toPixels(3135));
    createControls();
    Form_Load();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Dialog::focusWindowChanged);
}

void Dialog::createControls() {
    Frame1 = place(new QGroupBox(QStringLiteral("Tags"), this), QStringLiteral("Frame1"), 105, 0,
                   4470, 1935);
    for (int i = 0; i < 10; ++i) {
        const BoxDesign &box = kBoxes[i];
        Check1[i] = place(new QCheckBox(QLatin1String(box.caption), Frame1),
                          QStringLiteral("Check1_%1").arg(i), box.left, box.top, box.width, 330);
        connect(Check1[i], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
    }
    const char *options[] = {"left", "center", "right"};
    const int optionLeft[] = {1545, 2250, 3210}, optionWidth[] = {615, 855, 735};
    for (int i = 0; i < 3; ++i)
        Option1[i] =
            place(new QRadioButton(QLatin1String(options[i]), Frame1),
                  QStringLiteral("Option1_%1").arg(i), optionLeft[i], 300, optionWidth[i], 225);
    Option1[0]->setChecked(true);
    Combo1 = place(new QComboBox(Frame1), QStringLiteral("Combo1"), 1245, 1230, 3075, 300);
    Combo1->setEditable(true);
    Text1 = place(new QLineEdit(Frame1), QStringLiteral("Text1"), 1245, 915, 3075, 270);
    Combo2 = place(new QComboBox(Frame1), QStringLiteral("Combo2"), 1245, 570, 1200, 300);
    TextTags = place(new PlainTextBox(this), QStringLiteral("TextTags"), 105, 1995, 4425, 1065);
    OKButton = place(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("OKButton"), 4725,
                     105, 1215, 375);
    CancelButton = place(new QPushButton(text("ｷｬﾝｾﾙ"), this), QStringLiteral("CancelButton"), 4725,
                         585, 1215, 375);
    BRButton = place(new QPushButton(text("改行の挿入"), this), QStringLiteral("BRButton"), 4725,
                     1065, 1215, 375);
    ListButton = place(new QPushButton(QStringLiteral("List Tag"), this),
                       QStringLiteral("ListButton"), 4725, 1545, 1215, 375);
    DirButton = place(new QPushButton(text("画像フォルダ"), this), QStringLiteral("DirButton"),
                      4725, 1995, 1215, 375);
    Dir1 = place(new DirList(this), QStringLiteral("Dir1"), 105, 1995, 4425, 1140);
    Image1 = place(new QLabel(this), QStringLiteral("Image1"), 4680, 2520, 1275, 540);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    keepCaptionsWhole();
    for (QPushButton *button : {OKButton, CancelButton, BRButton, ListButton, DirButton})
        button->setAutoDefault(false); // Enter presses no button, not even the focused one

    connect(OKButton, &QPushButton::clicked, this, &Dialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Dialog::CancelButton_Click);
    connect(BRButton, &QPushButton::clicked, this, &Dialog::BRButton_Click);
    connect(ListButton, &QPushButton::clicked, this, &Dialog::ListButton_Click);
    connect(DirButton, &QPushButton::clicked, this, &Dialog::DirButton_Click);
    connect(Combo1, &QComboBox::activated, this, &Dialog::Combo1_Click);
    Dir1->installEventFilter(this);
}

// The fonts here run wider than the design's. The fields beside "font", "a href=" and
// "img src=" make way for the widest of the three captions (the URL and picture boxes keep
// their right edge); the rows of captions then spread out as far as their texts need.
void Dialog::keepCaptionsWhole() {
    int captionsRight = 0;
    for (int i : {2, 3, 4})
        captionsRight = std::max(captionsRight, Check1[i]->x() + Check1[i]->sizeHint().width());
    const int fieldsLeft = captionsRight + twips::toPixels(kCaptionGap);
    if (fieldsLeft > Text1->x()) {
        for (QWidget *field : std::initializer_list<QWidget *>{Text1, Combo1})
            field->setGeometry(field->geometry().adjusted(fieldsLeft - field->x(), 0, 0, 0));
        Combo2->move(fieldsLeft, Combo2->y());
    }
    using design::keepCaptionsWhole;
    keepCaptionsWhole({Check1[0], Check1[1], Option1[0], Option1[1], Option1[2]});
    for (int i : {2, 3, 4})
        keepCaptionsWhole({Check1[i]});
    keepCaptionsWhole({Check1[5], Check1[6], Check1[7], Check1[8], Check1[9]});
}

void Dialog::Form_Load() {
    Combo2->addItems(
        {QStringLiteral("bold"), QStringLiteral("italic"), QStringLiteral("underline")});
    Combo2->setCurrentIndex(-1);
    listPictures(tagtext::pictureEntries(m_state.QuizFolder, m_state.QuizFolder));
    Dir1->hide();
}

// The author comes to the builder from another window of the program (the editor): the
// tags will enclose what the text box holds now. The focus coming back from one of the
// builder's own message boxes or popups is no such coming, and a moment without any focused
// window (the window manager passing the focus on) is no window to come from.
void Dialog::focusWindowChanged(QWindow *window) {
    if (!window)
        return;
    if (window == windowHandle() && !m_focusWasOwn)
        Form_Activate();
    m_focusWasOwn = ownsWindow(window);
}

bool Dialog::ownsWindow(const QWindow *window) const {
    for (; window; window = window->transientParent()) {
        if (window == windowHandle())
            return true;
    }
    return false;
}

void Dialog::Form_Activate() {
    InnerText = TextTags->toPlainText();
}

// Neither Enter nor Esc presses a button, and Esc does not close the builder: only its close
// box does.
void Dialog::keyPressEvent(QKeyEvent *event) {
    QWidget::keyPressEvent(event); // past QDialog's Enter and Esc
}

bool Dialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == Dir1 && event->type() == QEvent::FocusIn)
        Dir1_GotFocus();
    else if (watched == Dir1 && event->type() == QEvent::FocusOut)
        Dir1_LostFocus();
    return QDialog::eventFilter(watched, event);
}

void Dialog::ComposeTags() {
    TextTags->setPlainText(tagtext::ComposeTags(tags, InnerText));
}

// Raises the box's own click (rule and composition) only when its state really changes.
void Dialog::setChecked(int index, bool checked) {
    Check1[index]->setChecked(checked);
}

void Dialog::setTablePair(const char *open, const char *close) {
    tags.TableOpen = QLatin1String(open);
    tags.TableClose = QLatin1String(close);
}

void Dialog::Check1_Click(int index) {
    if (Check1[index]->isChecked()) {
        if (!checkedRule(index))
            return;
    } else {
        uncheckedRule(index);
    }
    ComposeTags();
}

bool Dialog::checkedRule(int index) {
    switch (index) {
    case 0:
        tags.ParaOpen = QStringLiteral("<p>");
        tags.ParaClose = QStringLiteral("</p>");
        break;
    case 1:
        setChecked(0, true);
        for (int i = 0; i < 3; ++i) {
            if (Option1[i]->isChecked())
                tags.ParaOpen = QLatin1String(kAlignments[i]);
        }
        break;
    case 2: {
        const int style = Combo2->currentIndex();
        if (style < 0) {
            messagebox::show(this, text("スタイルを選んでください"),
                             messagebox::applicationTitle());
            return false;
        }
        const char *const open[] = {"<b>", "<i>", "<u>"}, *const close[] = {"</b>", "</i>", "</u>"};
        tags.StyleOpen = QLatin1String(open[style]);
        tags.StyleClose = QLatin1String(close[style]);
        break;
    }
    case 3:
        if (Text1->text().isEmpty()) {
            messagebox::show(this, text("URLを入力してください。"), messagebox::applicationTitle());
            setChecked(3, false);
            return false;
        }
        tags.LinkOpen = tagtext::linkOpen(Text1->text());
        tags.LinkClose = QStringLiteral("</a>");
        break;
    case 4:
        if (Combo1->currentText().isEmpty()) {
            messagebox::show(this, text("画像のファイル名を入力してください。"),
                             messagebox::applicationTitle());
            setChecked(4, false);
            return false;
        }
        tags.ImageTag = tagtext::imageTag(Combo1->currentText());
        break;
    case 5:
        setTablePair("<table>", "</table>");
        break;
    case 6:
        setChecked(5, true);
        setTablePair("<table><tbody>", "</tbody></table>");
        break;
    default: { // TR, TH and TD leave only themselves checked
        for (int other : {5, 6, 7, 8, 9}) {
            if (other != index)
                setChecked(other, false);
        }
        const char *const open[] = {"<tr>", "<th>", "<td>"}, *const close[] = {"</tr>", "</th>",
                                                                               "</td>"};
        setTablePair(open[index - 7], close[index - 7]);
    }
    }
    return true;
}

void Dialog::uncheckedRule(int index) {
    switch (index) {
    case 0:
        setChecked(1, false);
        tags.ParaOpen.clear();
        tags.ParaClose.clear();
        break;
    case 1:
        tags.ParaOpen = QStringLiteral("<p>");
        tags.ParaClose = QStringLiteral("</p>");
        break;
    case 2:
        tags.StyleOpen.clear();
        tags.StyleClose.clear();
        break;
    case 3:
        tags.LinkOpen.clear();
        tags.LinkClose.clear();
        break;
    case 4:
        tags.ImageTag.clear();
        break;
    default:
        setTablePair("", "");
    }
}

void Dialog::OKButton_Click() {
    // A control of the editor without text (a button, the list) takes nothing.
    textboxes::replaceSelection(m_maker.focusWidget(), TextTags->toPlainText());
}

void Dialog::CancelButton_Click() {
    for (QCheckBox *box : Check1)
        box->setChecked(false);
}

void Dialog::BRButton_Click() {
    QWidget *focused = m_maker.focusWidget();
    if (focused == m_maker.TextQuiz[1] || focused == m_maker.TextQuiz[2])
        textboxes::replaceSelection(focused, QStringLiteral("<br>\r\n"));
}

void Dialog::ListButton_Click() {
    QWidget *choices = m_maker.TextQuiz[2];
    if (!textboxes::text(choices).isEmpty()) {
        textboxes::replaceSelection(choices, QStringLiteral("<LI>"));
    } else {
        textboxes::setText(choices, QStringLiteral("<OL><LI>\r\n</OL>"));
        textboxes::setCaret(choices, 8);
    }
    m_maker.activateWindow();
    choices->setFocus();
}

void Dialog::DirButton_Click() {
    Dir1->setVisible(!Dir1->isVisible());
    DirButton->setText(Dir1->isVisible() ? text("ﾌｫﾙﾀﾞを変更") : text("画像フォルダ"));
}

void Dialog::Combo1_Click() {
    const QPixmap picture =
        pictures::load(sections::picturePath(m_state.QuizFolder, Combo1->currentText()));
    Image1->setPixmap(picture); // a picture that cannot be loaded shows nothing
    Image1->adjustSize();
}

// Passing through the folder list leaves the pictures alone; a folder of its own choosing
// lists that folder's pictures. The picture name the author chose stays either way: it
// names a file below the quiz folder whatever folder the list shows.
void Dialog::Dir1_GotFocus() {
    m_folderOnEntry = Dir1->path();
}

void Dialog::Dir1_LostFocus() {
    if (Dir1->path() != m_folderOnEntry)
        listPictures(tagtext::pictureEntries(m_state.QuizFolder, Dir1->path()));
}

void Dialog::listPictures(const QStringList &entries) {
    const QString chosen = Combo1->currentText();
    Combo1->clear();
    Combo1->addItems(entries);
    Combo1->setCurrentIndex(Combo1->findText(chosen));
    Combo1->setEditText(chosen);
}
