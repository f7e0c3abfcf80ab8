#include "TagBuilderDialog.h"
#include "Accessibility.h"
#include "Design.h"

#include "DirList.h"
#include "MessageBox.h"
#include "Pictures.h"
#include "PlainTextBox.h"
#include "QuizState.h"
#include "Sections.h"
#include "TextBoxes.h"

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

using design::placeTwips;
using design::uiText;

namespace {

using TagChecks = TagBuilderDialog::TagChecks;
struct CheckDesign {
    QCheckBox *TagChecks::*member;
    const char *caption, *objectName;
    int left, top, width;
    const char *accessibleName; // what the tag makes, for a listener
};
constexpr CheckDesign kChecks[] = {
    {&TagChecks::p, "P", "pCheck", 180, 240, 435, "段落 P"},
    {&TagChecks::align, "align", "alignCheck", 705, 240, 735, "段落の配置 align"},
    {&TagChecks::font, "font", "fontCheck", 180, 570, 645, "文字のスタイル font"},
    {&TagChecks::link, "a href=", "linkCheck", 180, 900, 855, "リンク a href="},
    {&TagChecks::image, "img src=", "imageCheck", 180, 1230, 960, "画像 img src="},
    {&TagChecks::table, "table", "tableCheck", 180, 1560, 750, "表 table"},
    {&TagChecks::tbody, "Tbody", "tbodyCheck", 1050, 1560, 855, "表の本体 Tbody"},
    {&TagChecks::tr, "TR", "trCheck", 1965, 1560, 540, "表の行 TR"},
    {&TagChecks::th, "TH", "thCheck", 2805, 1560, 540, "表の見出しセル TH"},
    {&TagChecks::td, "TD", "tdCheck", 3645, 1560, 540, "表のセル TD"}};
constexpr int kCaptionGap = 60; // between a caption and its field, in twips
} // namespace

TagBuilderDialog::TagBuilderDialog(QuizState &state, QWidget *editor)
    : QDialog(editor, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_state(state) {
    setObjectName(QStringLiteral("tagBuilder"));
    setWindowTitle(QStringLiteral("HTML Tags"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(twips::toPixels(6030), twips::toPixels(3135));
    createControls();
    fillLists();
    connect(qApp, &QGuiApplication::focusWindowChanged, this,
            &TagBuilderDialog::focusWindowChanged);
}

void TagBuilderDialog::createControls() {
    tagsFrame = placeTwips(new QGroupBox(QStringLiteral("Tags"), this), QStringLiteral("tagsFrame"),
                           105, 0, 4470, 1935);
    for (const CheckDesign &design : kChecks) {
        QCheckBox *box = placeTwips(new QCheckBox(QLatin1String(design.caption), tagsFrame),
                                    design.objectName, design.left, design.top, design.width, 330);
        checks.*design.member = box;
        accessibility::name({{box, design.accessibleName}});
        connect(box, &QCheckBox::toggled, this, [this, box] { followCheck(box); });
    }
    alignLeftButton = placeTwips(new QRadioButton(QStringLiteral("left"), tagsFrame),
                                 QStringLiteral("alignLeftButton"), 1545, 300, 615, 225);
    alignCenterButton = placeTwips(new QRadioButton(QStringLiteral("center"), tagsFrame),
                                   QStringLiteral("alignCenterButton"), 2250, 300, 855, 225);
    alignRightButton = placeTwips(new QRadioButton(QStringLiteral("right"), tagsFrame),
                                  QStringLiteral("alignRightButton"), 3210, 300, 735, 225);
    alignLeftButton->setChecked(true);
    pictureNameBox = placeTwips(new QComboBox(tagsFrame), QStringLiteral("pictureNameBox"), 1245,
                                1230, 3075, 300);
    pictureNameBox->setEditable(true);
    urlBox = placeTwips(new QLineEdit(tagsFrame), QStringLiteral("urlBox"), 1245, 915, 3075, 270);
    styleBox =
        placeTwips(new QComboBox(tagsFrame), QStringLiteral("styleBox"), 1245, 570, 1200, 300);
    tagsBox = placeTwips(new PlainTextBox(this), QStringLiteral("tagsBox"), 105, 1995, 4425, 1065);
    okButton = placeTwips(new QPushButton(QStringLiteral("&OK"), this), QStringLiteral("okButton"),
                          4725, 105, 1215, 375);
    cancelButton = placeTwips(new QPushButton(uiText("ｷｬﾝｾﾙ"), this),
                              QStringLiteral("cancelButton"), 4725, 585, 1215, 375);
    lineBreakButton = placeTwips(new QPushButton(uiText("改行の挿入"), this),
                                 QStringLiteral("lineBreakButton"), 4725, 1065, 1215, 375);
    listTagButton = placeTwips(new QPushButton(QStringLiteral("List Tag"), this),
                               QStringLiteral("listTagButton"), 4725, 1545, 1215, 375);
    folderButton = placeTwips(new QPushButton(uiText("画像フォルダ"), this),
                              QStringLiteral("folderButton"), 4725, 1995, 1215, 375);
    folderList = placeTwips(new DirList(this), QStringLiteral("folderList"), 105, 1995, 4425, 1140);
    picturePreview =
        placeTwips(new QLabel(this), QStringLiteral("picturePreview"), 4680, 2520, 1275, 540);
    picturePreview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    keepCaptionsWhole();
    accessibility::name({{tagsFrame, "タグ"},
                         {alignLeftButton, "左寄せ"},
                         {alignCenterButton, "中央揃え"},
                         {alignRightButton, "右寄せ"},
                         {styleBox, "文字のスタイル"},
                         {urlBox, "リンク先の URL"},
                         {pictureNameBox, "画像のファイル名"},
                         {tagsBox, "作成したタグ"},
                         {folderList, "画像フォルダの一覧"}});
    // Row by row, each field after its check box, then the result and the buttons.
    accessibility::chainTabs({checks.p,         checks.align,  alignLeftButton, alignCenterButton,
                              alignRightButton, checks.font,   styleBox,        checks.link,
                              urlBox,           checks.image,  pictureNameBox,  checks.table,
                              checks.tbody,     checks.tr,     checks.th,       checks.td,
                              tagsBox,          folderList,    okButton,        cancelButton,
                              lineBreakButton,  listTagButton, folderButton});
    for (QPushButton *button :
         {okButton, cancelButton, lineBreakButton, listTagButton, folderButton})
        button->setAutoDefault(false); // Enter presses no button, not even the focused one

    connect(okButton, &QPushButton::clicked, this, &TagBuilderDialog::insertTags);
    connect(cancelButton, &QPushButton::clicked, this, &TagBuilderDialog::uncheckAll);
    connect(lineBreakButton, &QPushButton::clicked, this, &TagBuilderDialog::insertLineBreak);
    connect(listTagButton, &QPushButton::clicked, this, &TagBuilderDialog::insertListTag);
    connect(folderButton, &QPushButton::clicked, this, &TagBuilderDialog::toggleFolderList);
    connect(pictureNameBox, &QComboBox::activated, this, &TagBuilderDialog::showChosenPicture);
    folderList->installEventFilter(this);
}

// The fonts here run wider than the design's. The fields beside "font", "a href=" and
// "img src=" make way for the widest of the three captions (the URL and picture boxes keep
// their right edge); the rows of captions then spread out as far as their texts need.
void TagBuilderDialog::keepCaptionsWhole() {
    int captionsRight = 0;
    for (QCheckBox *box : {checks.font, checks.link, checks.image})
        captionsRight = std::max(captionsRight, box->x() + box->sizeHint().width());
    const int fieldsLeft = captionsRight + twips::toPixels(kCaptionGap);
    if (fieldsLeft > urlBox->x()) {
        for (QWidget *field : std::initializer_list<QWidget *>{urlBox, pictureNameBox})
            field->setGeometry(field->geometry().adjusted(fieldsLeft - field->x(), 0, 0, 0));
        styleBox->move(fieldsLeft, styleBox->y());
    }
    using design::keepCaptionsWhole;
    keepCaptionsWhole(
        {checks.p, checks.align, alignLeftButton, alignCenterButton, alignRightButton});
    for (QCheckBox *box : {checks.font, checks.link, checks.image})
        keepCaptionsWhole({box});
    keepCaptionsWhole({checks.table, checks.tbody, checks.tr, checks.th, checks.td});
}

void TagBuilderDialog::fillLists() {
    styleBox->addItems(
        {QStringLiteral("bold"), QStringLiteral("italic"), QStringLiteral("underline")});
    styleBox->setCurrentIndex(-1);
    listPictures(tagtext::pictureEntries(m_state.quizFolder, m_state.quizFolder));
    folderList->hide();
}

// The author comes to the builder from another window of the program (the editor): the
// tags will enclose what the text box holds now. The focus coming back from one of the
// builder's own message boxes or popups is no such coming, and a moment without any focused
// window (the window manager passing the focus on) is no window to come from.
void TagBuilderDialog::focusWindowChanged(QWindow *window) {
    if (!window)
        return;
    if (window == windowHandle() && !m_focusWasOwn)
        keepInnerText();
    m_focusWasOwn = ownsWindow(window);
}

bool TagBuilderDialog::ownsWindow(const QWindow *window) const {
    for (; window; window = window->transientParent()) {
        if (window == windowHandle())
            return true;
    }
    return false;
}

void TagBuilderDialog::keepInnerText() {
    innerText = tagsBox->toPlainText();
}

// Neither Enter nor Esc presses a button, and Esc does not close the builder: only its close
// box does.
void TagBuilderDialog::keyPressEvent(QKeyEvent *event) {
    QWidget::keyPressEvent(event); // past QDialog's Enter and Esc
}

bool TagBuilderDialog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == folderList && event->type() == QEvent::FocusIn)
        rememberFolderOnEntry();
    else if (watched == folderList && event->type() == QEvent::FocusOut)
        listPicturesOfChosenFolder();
    return QDialog::eventFilter(watched, event);
}

void TagBuilderDialog::composeTags() {
    tagsBox->setPlainText(tagtext::ComposeTags(tags, innerText));
}

void TagBuilderDialog::setTablePair(const char *open, const char *close) {
    tags.TableOpen = QLatin1String(open);
    tags.TableClose = QLatin1String(close);
}

// Checking or unchecking a box runs its rule; a rule that changes another box raises that
// box's own rule and composition only when its state really changes.
void TagBuilderDialog::followCheck(QCheckBox *box) {
    if (box->isChecked()) {
        if (!checkedRule(box))
            return;
    } else {
        uncheckedRule(box);
    }
    composeTags();
}

bool TagBuilderDialog::checkedRule(QCheckBox *box) {
    if (box == checks.p) {
        tags.ParaOpen = QStringLiteral("<p>");
        tags.ParaClose = QStringLiteral("</p>");
    } else if (box == checks.align) {
        checks.p->setChecked(true);
        if (alignLeftButton->isChecked())
            tags.ParaOpen = QStringLiteral("<p align=Left>");
        if (alignCenterButton->isChecked())
            tags.ParaOpen = QStringLiteral("<p align=center>");
        if (alignRightButton->isChecked())
            tags.ParaOpen = QStringLiteral("<p align=right>");
    } else if (box == checks.font) {
        const int style = styleBox->currentIndex();
        if (style < 0) {
            messagebox::show(this, uiText("スタイルを選んでください"),
                             messagebox::applicationTitle());
            return false;
        }
        const char *const open[] = {"<b>", "<i>", "<u>"}, *const close[] = {"</b>", "</i>", "</u>"};
        tags.StyleOpen = QLatin1String(open[style]);
        tags.StyleClose = QLatin1String(close[style]);
    } else if (box == checks.link) {
        if (urlBox->text().isEmpty()) {
            messagebox::show(this, uiText("URLを入力してください。"),
                             messagebox::applicationTitle());
            box->setChecked(false);
            return false;
        }
        tags.LinkOpen = tagtext::linkOpen(urlBox->text());
        tags.LinkClose = QStringLiteral("</a>");
    } else if (box == checks.image) {
        if (pictureNameBox->currentText().isEmpty()) {
            messagebox::show(this, uiText("画像のファイル名を入力してください。"),
                             messagebox::applicationTitle());
            box->setChecked(false);
            return false;
        }
        tags.ImageTag = tagtext::imageTag(pictureNameBox->currentText());
    } else if (box == checks.table) {
        setTablePair("<table>", "</table>");
    } else if (box == checks.tbody) {
        checks.table->setChecked(true);
        setTablePair("<table><tbody>", "</tbody></table>");
    } else {
        checkOnlyCell(box);
    }
    return true;
}

void TagBuilderDialog::checkOnlyCell(QCheckBox *cell) {
    for (QCheckBox *other : {checks.table, checks.tbody, checks.tr, checks.th, checks.td}) {
        if (other != cell)
            other->setChecked(false);
    }
    if (cell == checks.tr)
        setTablePair("<tr>", "</tr>");
    else if (cell == checks.th)
        setTablePair("<th>", "</th>");
    else
        setTablePair("<td>", "</td>");
}

void TagBuilderDialog::uncheckedRule(QCheckBox *box) {
    if (box == checks.p) {
        checks.align->setChecked(false);
        tags.ParaOpen.clear();
        tags.ParaClose.clear();
    } else if (box == checks.align) {
        tags.ParaOpen = QStringLiteral("<p>");
        tags.ParaClose = QStringLiteral("</p>");
    } else if (box == checks.font) {
        tags.StyleOpen.clear();
        tags.StyleClose.clear();
    } else if (box == checks.link) {
        tags.LinkOpen.clear();
        tags.LinkClose.clear();
    } else if (box == checks.image) {
        tags.ImageTag.clear();
    } else {
        setTablePair("", "");
    }
}

void TagBuilderDialog::insertTags() {
    emit tagsInserted(tagsBox->toPlainText());
}

void TagBuilderDialog::uncheckAll() {
    for (QCheckBox *box : checks.all())
        box->setChecked(false);
}

void TagBuilderDialog::insertLineBreak() {
    emit lineBreakRequested();
}

void TagBuilderDialog::insertListTag() {
    emit listTagRequested();
}

void TagBuilderDialog::showSelectedText(const QString &text) {
    tagsBox->setPlainText(text);
}

void TagBuilderDialog::toggleFolderList() {
    folderList->setVisible(!folderList->isVisible());
    folderButton->setText(folderList->isVisible() ? uiText("ﾌｫﾙﾀﾞを変更") : uiText("画像フォルダ"));
}

void TagBuilderDialog::showChosenPicture() {
    const QPixmap picture =
        pictures::load(sections::picturePath(m_state.quizFolder, pictureNameBox->currentText()));
    picturePreview->setPixmap(picture); // a picture that cannot be loaded shows nothing
    picturePreview->adjustSize();
}

// Passing through the folder list leaves the pictures alone; a folder of its own choosing
// lists that folder's pictures. The picture name the author chose stays either way: it
// names a file below the quiz folder whatever folder the list shows.
void TagBuilderDialog::rememberFolderOnEntry() {
    m_folderOnEntry = folderList->path();
}

void TagBuilderDialog::listPicturesOfChosenFolder() {
    if (folderList->path() != m_folderOnEntry)
        listPictures(tagtext::pictureEntries(m_state.quizFolder, folderList->path()));
}

void TagBuilderDialog::listPictures(const QStringList &entries) {
    const QString chosen = pictureNameBox->currentText();
    pictureNameBox->clear();
    pictureNameBox->addItems(entries);
    pictureNameBox->setCurrentIndex(pictureNameBox->findText(chosen));
    pictureNameBox->setEditText(chosen);
}
