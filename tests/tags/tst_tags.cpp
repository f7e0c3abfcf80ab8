#include "Controls.h"
#include "DirList.h"
#include "EditorWindow.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "TagBuilderDialog.h"
#include "TagText.h"
#include "TextBoxes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using testsupport::control;

namespace {
const QString kInner = QStringLiteral("Q");
const QString kFuji = QString::fromUtf8("富士山");

void writeGif(const QString &path) {
    QImage picture(4, 4, QImage::Format_Indexed8);
    picture.setColorCount(2);
    picture.fill(0);
    // Qt writes no GIF; a PNG under a .gif name still loads for the preview.
    QVERIFY(picture.save(path, "PNG"));
}

// Waits until the window manager has made window the active one. (QTest's own wait counts
// a window as active while its owner is.)
bool becomesActive(QWidget *window) {
    return testsupport::waitUntil([window] { return QApplication::activeWindow() == window; });
}

// Shows a window unrelated to the program's and waits until the window manager has activated
// it. It carries out requests in order, so every activation asked for before (the program
// asks for its windows as they come up) has then been carried out too.
bool activateUnrelatedWindow() {
    QWidget unrelated;
    return showActive(&unrelated) && becomesActive(&unrelated);
}

// Brings the window forward as a user would. While the focus is in one of the window's own
// windows (the editor owns the tag builder), Qt sets the focus without the window manager,
// with a time stamp the X server may ignore; from an unrelated window it asks the manager.
bool bringForward(QWidget *window) {
    const QWindow *focus = QGuiApplication::focusWindow();
    if (focus && window->windowHandle()->isAncestorOf(focus) && !activateUnrelatedWindow())
        return false;
    window->activateWindow();
    return becomesActive(window);
}

QStringList entries(const QComboBox *box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}
} // namespace

class TestTags : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;
    EditorWindow *m = nullptr;
    TagBuilderDialog *d = nullptr;

    void click(QCheckBox *box) { box->click(); }
    QString composed() const { return control<QPlainTextEdit>(d, "tagsBox")->toPlainText(); }

    // The author enters the folder list, moves it to folder and leaves it again.
    bool browseTo(const QString &folder) {
        if (!control<DirList>(d, "folderList")->isVisible())
            control<QPushButton>(d, "folderButton")->click();
        if (!bringForward(d))
            return false;
        control<DirList>(d, "folderList")->setFocus();
        const bool moved = control<DirList>(d, "folderList")->setPath(folder);
        control<QLineEdit>(d, "urlBox")->setFocus();
        return moved && !control<DirList>(d, "folderList")->hasFocus();
    }

    // A modal box of the builder's own, shown for real (scripted boxes show nothing): up
    // until the window manager has activated it, then closed, handing the focus back.
    bool showOwnModalBox() {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tessellar"),
                        QString::fromUtf8("URLを入力してください。"), QMessageBox::Ok, d);
        bool activated = false;
        QTimer::singleShot(0, &box, [&] {
            activated = becomesActive(&box);
            box.accept();
        });
        box.exec();
        // The window manager hands the focus back to the builder, or now and then to no window
        // at all; the author then clicks the builder.
        const bool left = testsupport::waitUntil(
            [&box] { return QGuiApplication::focusWindow() != box.windowHandle(); });
        return activated && left && bringForward(d);
    }

private slots:
    void init() {
        f = std::make_unique<MainWindowFixture>();
        f->writeQuiz(QStringLiteral("five"), 5);
        writeGif(f->folder() + QStringLiteral("/b.GIF"));
        writeGif(f->folder() + QStringLiteral("/a.gif"));
        QDir(f->folder()).mkpath(QStringLiteral("img/sub"));
        writeGif(f->folder() + QStringLiteral("/img/c.gif"));
        writeGif(f->folder() + QStringLiteral("/img/sub/d.gif"));
        f->start();
        control<QAction>(f->form, "toolsOptionsAction")->trigger();
        m = f->form->editor();
        control<QAction>(m, "viewTagBuilderAction")->trigger();
        d = m->tagBuilder();
        QVERIFY(becomesActive(d));
        QVERIFY(activateUnrelatedWindow());
        QVERIFY(bringForward(d));
        control<QPlainTextEdit>(d, "tagsBox")->setPlainText(kInner);
        d->innerText = kInner;
    }
    void cleanup() { f.reset(); }

    void loadState() {
        QCOMPARE(d->windowTitle(), QStringLiteral("HTML Tags"));
        QVERIFY(d->isVisible());
        QCOMPARE(control<QComboBox>(d, "styleBox")->count(), 3);
        QCOMPARE(control<QComboBox>(d, "styleBox")->currentIndex(), -1);
        QCOMPARE(control<QComboBox>(d, "pictureNameBox")->count(),
                 2); // GIF names matched whatever their case
        QCOMPARE(control<QComboBox>(d, "pictureNameBox")->itemText(0), QStringLiteral("a.gif"));
        QCOMPARE(control<QComboBox>(d, "pictureNameBox")->itemText(1), QStringLiteral("b.GIF"));
        QVERIFY(control<DirList>(d, "folderList")->isHidden());
        QVERIFY(control<QRadioButton>(d, "alignLeftButton")->isChecked());
    }

    void composesInTheDocumentedOrder() {
        click(control<QCheckBox>(d, "pCheck"));
        control<QComboBox>(d, "styleBox")->setCurrentIndex(0);
        click(control<QCheckBox>(d, "fontCheck"));
        click(control<QCheckBox>(d, "tableCheck"));
        control<QLineEdit>(d, "urlBox")->setText(QStringLiteral("x"));
        click(control<QCheckBox>(d, "linkCheck"));
        control<QComboBox>(d, "pictureNameBox")->setEditText(QStringLiteral("y.gif"));
        click(control<QCheckBox>(d, "imageCheck"));
        QCOMPARE(composed(),
                 QStringLiteral("<p><b><table><a href=\"x\"><img src=\"file:///PathName\\y.gif\">"
                                "Q</a></table></b></p>"));
    }

    void alignChecksP() {
        click(control<QCheckBox>(d, "alignCheck"));
        QVERIFY(control<QCheckBox>(d, "pCheck")->isChecked());
        QCOMPARE(composed(), QStringLiteral("<p align=Left>Q</p>"));
        control<QRadioButton>(d, "alignRightButton")->setChecked(true);
        QCOMPARE(composed(), QStringLiteral("<p align=Left>Q</p>")); // nothing until re-checked
        click(control<QCheckBox>(d, "alignCheck"));
        QCOMPARE(composed(), QStringLiteral("<p>Q</p>"));
        click(control<QCheckBox>(d, "alignCheck"));
        QCOMPARE(composed(), QStringLiteral("<p align=right>Q</p>"));
        click(control<QCheckBox>(d, "pCheck")); // unchecking P unchecks align
        QVERIFY(!control<QCheckBox>(d, "alignCheck")->isChecked());
        QCOMPARE(composed(), kInner);
    }

    void tableFamily() {
        click(control<QCheckBox>(d, "tbodyCheck"));
        QVERIFY(control<QCheckBox>(d, "tableCheck")->isChecked());
        QCOMPARE(composed(), QStringLiteral("<table><tbody>Q</tbody></table>"));
        click(control<QCheckBox>(d, "tdCheck"));
        QVERIFY(!control<QCheckBox>(d, "tableCheck")->isChecked() &&
                !control<QCheckBox>(d, "tbodyCheck")->isChecked());
        QCOMPARE(composed(), QStringLiteral("<td>Q</td>"));
        click(control<QCheckBox>(d, "tableCheck")); // table does not uncheck TD, but fills the pair
        QVERIFY(control<QCheckBox>(d, "tdCheck")->isChecked());
        QCOMPARE(composed(), QStringLiteral("<table>Q</table>"));
        click(control<QCheckBox>(d, "tdCheck"));
        QCOMPARE(composed(), kInner);
        click(control<QCheckBox>(d, "trCheck"));
        QCOMPARE(composed(), QStringLiteral("<tr>Q</tr>"));
        click(control<QCheckBox>(d, "thCheck"));
        QVERIFY(!control<QCheckBox>(d, "trCheck")->isChecked());
        QCOMPARE(composed(), QStringLiteral("<th>Q</th>"));
    }

    void boxesThatNeedInput_data() {
        QTest::addColumn<QString>("check");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("staysChecked");
        QTest::newRow("font") << "fontCheck" << QString::fromUtf8("スタイルを選んでください")
                              << true;
        QTest::newRow("a href=") << "linkCheck" << QString::fromUtf8("URLを入力してください。")
                                 << false;
        QTest::newRow("img src=") << "imageCheck"
                                  << QString::fromUtf8("画像のファイル名を入力してください。")
                                  << false;
    }
    void boxesThatNeedInput() {
        QFETCH(QString, check);
        auto *box = d->findChild<QCheckBox *>(check);
        QFETCH(QString, message);
        QFETCH(bool, staysChecked);
        click(control<QCheckBox>(d, "pCheck"));
        control<QComboBox>(d, "pictureNameBox")->setEditText(QString());
        control<QPlainTextEdit>(d, "tagsBox")->setPlainText(QStringLiteral("typed"));
        messagebox::takeShown();
        click(box);
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, QStringLiteral("Tessellar"));
        QCOMPARE(box->isChecked(), staysChecked);
        // font leaves the text alone; the others uncheck their box and recompose
        QCOMPARE(composed(), staysChecked ? QStringLiteral("typed") : QStringLiteral("<p>Q</p>"));
        if (staysChecked) {
            click(box);
            QCOMPARE(composed(), QStringLiteral("<p>Q</p>"));
        }
    }

    void cancelUnchecksEverything() {
        click(control<QCheckBox>(d, "alignCheck"));
        click(control<QCheckBox>(d, "tbodyCheck"));
        control<QComboBox>(d, "styleBox")->setCurrentIndex(1);
        click(control<QCheckBox>(d, "fontCheck"));
        QCOMPARE(composed(),
                 QStringLiteral("<p align=Left><i><table><tbody>Q</tbody></table></i></p>"));
        control<QPushButton>(d, "cancelButton")->click();
        for (QCheckBox *box : d->findChildren<QCheckBox *>())
            QVERIFY(!box->isChecked());
        QCOMPARE(composed(), kInner);
        QVERIFY(d->isVisible());
    }

    void okReplacesTheEditorsSelection() {
        auto *question = static_cast<QPlainTextEdit *>(control<QPlainTextEdit>(m, "questionBox"));
        textboxes::setText(question, QStringLiteral("abc def"));
        QTextCursor cursor = question->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        question->setTextCursor(cursor);
        question->setFocus();
        // The mouse release over the box hands its selection to the builder.
        QTest::mouseRelease(question->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(composed(), QStringLiteral("def"));
        d->innerText = composed();
        click(control<QCheckBox>(d, "pCheck"));
        control<QPushButton>(d, "okButton")->click();
        QCOMPARE(textboxes::text(question), QStringLiteral("abc <p>def</p>"));
    }

    void okWithAControlWithoutText() {
        click(control<QCheckBox>(d, "pCheck"));
        control<QPushButton>(m, "addButton")->setFocus();
        const QList<QuizRecord> before = f->state.questions;
        control<QPushButton>(d, "okButton")->click();
        QCOMPARE(m->focusWidget(), control<QPushButton>(m, "addButton"));
        for (QWidget *box : m->boxes())
            QVERIFY(!textboxes::text(box).contains(QStringLiteral("<p>")));
    }

    void lineBreakOnlyInTheTwoMarkupBoxes() {
        textboxes::setText(control<QLineEdit>(m, "numberBox"), QStringLiteral("1"));
        control<QLineEdit>(m, "numberBox")->setFocus();
        control<QPushButton>(d, "lineBreakButton")->click();
        QCOMPARE(textboxes::text(control<QLineEdit>(m, "numberBox")), QStringLiteral("1"));
        auto *choices = static_cast<QPlainTextEdit *>(control<QPlainTextEdit>(m, "choicesBox"));
        textboxes::setText(choices, QStringLiteral("ab"));
        choices->moveCursor(QTextCursor::End);
        choices->setFocus();
        control<QPushButton>(d, "lineBreakButton")->click();
        QCOMPARE(textboxes::text(choices), QStringLiteral("ab<br>\r\n"));
    }

    void listTag() {
        auto *choices = static_cast<QPlainTextEdit *>(control<QPlainTextEdit>(m, "choicesBox"));
        textboxes::setText(choices, QString());
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        control<QPushButton>(d, "listTagButton")->click();
        QCOMPARE(textboxes::text(choices), QStringLiteral("<OL><LI>\r\n</OL>"));
        QCOMPARE(choices->textCursor().position(), 8);
        QCOMPARE(m->focusWidget(), choices);
        commitText(choices, QString::fromUtf8("東京"));
        control<QPushButton>(d, "listTagButton")->click(); // not empty: "<LI>" at the caret
        QCOMPARE(textboxes::text(choices), QString::fromUtf8("<OL><LI>東京<LI>\r\n</OL>"));
    }

    void pictureFolders() {
        control<QPushButton>(d, "folderButton")->click();
        QVERIFY(control<DirList>(d, "folderList")->isVisible());
        QCOMPARE(control<QPushButton>(d, "folderButton")->text(), QString::fromUtf8("ﾌｫﾙﾀﾞを変更"));
        QVERIFY(browseTo(f->folder() + QStringLiteral("/img")));
        QCOMPARE(entries(control<QComboBox>(d, "pictureNameBox")),
                 QStringList{QStringLiteral("img\\c.gif")});
        control<QComboBox>(d, "pictureNameBox")->setCurrentIndex(0);
        click(control<QCheckBox>(d, "imageCheck"));
        QCOMPARE(composed(), QStringLiteral("<img src=\"file:///PathName\\img\\c.gif\">Q"));
        d->showChosenPicture();
        QVERIFY(!control<QLabel>(d, "picturePreview")->pixmap().isNull()); // the preview
        control<QPushButton>(d, "folderButton")->click();
        QCOMPARE(control<QPushButton>(d, "folderButton")->text(),
                 QString::fromUtf8("画像フォルダ"));
    }

    // Passing through the folder list keeps the picture the author chose: it names a file
    // under the quiz folder whatever folder the list shows. Only another folder refills it.
    void folderListKeepsTheChosenPicture_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("listed");
        const QStringList quizFolder{"a.gif", "b.GIF"}, img{"img\\c.gif"};
        const QString chosen = QStringLiteral("b.GIF"), typed = QStringLiteral("img\\c.gif");
        QTest::newRow("same folder") << chosen << QString() << quizFolder;
        QTest::newRow("another folder") << chosen << QStringLiteral("/img") << img;
        QTest::newRow("typed, then listed") << typed << QStringLiteral("/img") << img;
    }
    void folderListKeepsTheChosenPicture() {
        QFETCH(QString, chosen);
        QFETCH(QString, folder);
        QFETCH(QStringList, listed);
        QVERIFY(browseTo(f->folder()));
        control<QComboBox>(d, "pictureNameBox")
            ->setCurrentIndex(control<QComboBox>(d, "pictureNameBox")->findText(chosen));
        control<QComboBox>(d, "pictureNameBox")->setEditText(chosen);
        QVERIFY(browseTo(f->folder() + folder));
        QCOMPARE(entries(control<QComboBox>(d, "pictureNameBox")), listed);
        QCOMPARE(control<QComboBox>(d, "pictureNameBox")->currentText(), chosen);
        QCOMPARE(control<QComboBox>(d, "pictureNameBox")->currentIndex(), listed.indexOf(chosen));
    }

    void pictureEntries_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("quiz folder") << "" << QStringList{"a.gif", "b.GIF"};
        QTest::newRow("sub-folder") << "/img" << QStringList{"img\\c.gif"};
        QTest::newRow("two levels down") << "/img/sub" << QStringList{"img\\sub\\d.gif"};
        QTest::newRow("outside the quiz folder") << "/.." << QStringList{};
    }
    void pictureEntries() {
        QFETCH(QString, folder);
        QFETCH(QStringList, entries);
        QCOMPARE(tagtext::pictureEntries(f->folder(), f->folder() + folder), entries);
    }

    // The tags enclose what the text box holds when the author comes to the builder from the
    // editor (nesting tags); the focus coming back from the builder's own box takes nothing.
    void innerTextTakenWhenComingFromTheEditor_data() {
        QTest::addColumn<bool>("viaEditor");
        QTest::addColumn<QString>("cancelled");
        QTest::newRow("from the editor") << true << QString::fromUtf8("<p>富士山</p>");
        QTest::newRow("from its own message") << false << kFuji;
    }
    void innerTextTakenWhenComingFromTheEditor() {
        QFETCH(bool, viaEditor);
        QFETCH(QString, cancelled);
        QVERIFY(bringForward(m));
        control<QPlainTextEdit>(d, "tagsBox")
            ->setPlainText(kFuji); // as the editor hands over a selection
        QVERIFY(bringForward(d));
        click(control<QCheckBox>(d, "pCheck"));
        click(control<QCheckBox>(d, "linkCheck")); // no URL: a message, and the box unchecks itself
        QCOMPARE(messagebox::takeShown().size(), 1);
        if (viaEditor)
            QVERIFY(bringForward(m) && bringForward(d));
        else
            QVERIFY(showOwnModalBox());
        control<QPushButton>(d, "cancelButton")->click();
        QCOMPARE(composed(), cancelled);
    }

    // Only the close box closes the builder: Enter and Esc press no button.
    void enterAndEscapeDoNothing_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("key");
        QTest::newRow("Esc in the URL box") << "urlBox" << int(Qt::Key_Escape);
        QTest::newRow("Esc on a check box") << "pCheck" << int(Qt::Key_Escape);
        QTest::newRow("Esc on OK") << "okButton" << int(Qt::Key_Escape);
        QTest::newRow("Enter in the URL box") << "urlBox" << int(Qt::Key_Return);
        QTest::newRow("Enter on OK") << "okButton" << int(Qt::Key_Return);
        QTest::newRow("Enter on Cancel") << "cancelButton" << int(Qt::Key_Enter);
    }
    void enterAndEscapeDoNothing() {
        QFETCH(QString, target);
        QFETCH(int, key);
        const QPointer<TagBuilderDialog> dialog(d);
        textboxes::setText(control<QPlainTextEdit>(m, "questionBox"),
                           QStringLiteral("abc")); // what OK would replace
        control<QPlainTextEdit>(m, "questionBox")->setFocus();
        click(control<QCheckBox>(d, "pCheck"));
        QVERIFY(bringForward(d));
        QWidget *focused = d->findChild<QWidget *>(target);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key(key));
        QVERIFY(dialog && dialog->isVisible());
        QVERIFY(control<QCheckBox>(d, "pCheck")->isChecked());
        QCOMPARE(composed(), QStringLiteral("<p>Q</p>"));
        QCOMPARE(textboxes::text(control<QPlainTextEdit>(m, "questionBox")), QStringLiteral("abc"));
        d->close(); // the close box does close it
        TRY_VERIFY(!dialog);
    }

    // The fonts here run wider than the design's: every caption stays whole and clear of the
    // controls beside it.
    void captionsWhole() {
        const QList<QWidget *> controls =
            control<QGroupBox>(d, "tagsFrame")->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QAbstractButton *caption :
             control<QGroupBox>(d, "tagsFrame")->findChildren<QAbstractButton *>()) {
            QVERIFY2(caption->width() >= caption->sizeHint().width(), qPrintable(caption->text()));
            QVERIFY(caption->geometry().right() <=
                    control<QGroupBox>(d, "tagsFrame")->contentsRect().right());
            for (QWidget *other : controls) {
                QVERIFY2(other == caption || other->isHidden() ||
                             !other->geometry().intersects(caption->geometry()),
                         qPrintable(caption->text() + QLatin1Char('/') + other->objectName()));
            }
        }
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestTags)
#include "tst_tags.moc"
