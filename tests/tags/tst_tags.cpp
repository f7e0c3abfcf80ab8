#include "Dialog.h"
#include "DirList.h"
#include "MainWindowFixture.h"
#include "MessageBox.h"
#include "TagText.h"
#include "TextBoxes.h"
#include "frmMain.h"
#include "frmMaker.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
const QString kInner = QStringLiteral("Q");

void writeGif(const QString &path) {
    QImage picture(4, 4, QImage::Format_Indexed8);
    picture.setColorCount(2);
    picture.fill(0);
    // Qt writes no GIF; a PNG under a .gif name still loads for the preview.
    QVERIFY(picture.save(path, "PNG"));
}
} // namespace

class TestTags : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;
    frmMaker *m = nullptr;
    Dialog *d = nullptr;

    void click(int box) { d->Check1[box]->click(); }
    QString composed() const { return d->TextTags->toPlainText(); }

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
        f->form->mnuToolsOptions->trigger();
        m = f->form->maker();
        m->mnuViewTag->trigger();
        d = m->tagBuilder();
        d->TextTags->setPlainText(kInner);
        d->InnerText = kInner;
    }
    void cleanup() { f.reset(); }

    void loadState() {
        QCOMPARE(d->windowTitle(), QStringLiteral("HTML Tags"));
        QVERIFY(d->isVisible());
        QCOMPARE(d->Combo2->count(), 3);
        QCOMPARE(d->Combo2->currentIndex(), -1);
        QCOMPARE(d->Combo1->count(), 2); // GIF names matched whatever their case
        QCOMPARE(d->Combo1->itemText(0), QStringLiteral("a.gif"));
        QCOMPARE(d->Combo1->itemText(1), QStringLiteral("b.GIF"));
        QVERIFY(d->Dir1->isHidden());
        QVERIFY(d->Option1[0]->isChecked());
    }

    void composesInTheDocumentedOrder() {
        click(0);
        d->Combo2->setCurrentIndex(0);
        click(2);
        click(5);
        d->Text1->setText(QStringLiteral("x"));
        click(3);
        d->Combo1->setEditText(QStringLiteral("y.gif"));
        click(4);
        QCOMPARE(composed(),
                 QStringLiteral("<p><b><table><a href=\"x\"><img src=\"file:///PathName\\y.gif\">"
                                "Q</a></table></b></p>"));
    }

    void alignChecksP() {
        click(1);
        QVERIFY(d->Check1[0]->isChecked());
        QCOMPARE(composed(), QStringLiteral("<p align=Left>Q</p>"));
        d->Option1[2]->setChecked(true);
        QCOMPARE(composed(), QStringLiteral("<p align=Left>Q</p>")); // nothing until re-checked
        click(1);
        QCOMPARE(composed(), QStringLiteral("<p>Q</p>"));
        click(1);
        QCOMPARE(composed(), QStringLiteral("<p align=right>Q</p>"));
        click(0); // unchecking P unchecks align
        QVERIFY(!d->Check1[1]->isChecked());
        QCOMPARE(composed(), kInner);
    }

    void tableFamily() {
        click(6);
        QVERIFY(d->Check1[5]->isChecked());
        QCOMPARE(composed(), QStringLiteral("<table><tbody>Q</tbody></table>"));
        click(9);
        QVERIFY(!d->Check1[5]->isChecked() && !d->Check1[6]->isChecked());
        QCOMPARE(composed(), QStringLiteral("<td>Q</td>"));
        click(5); // table does not uncheck TD, but fills the pair
        QVERIFY(d->Check1[9]->isChecked());
        QCOMPARE(composed(), QStringLiteral("<table>Q</table>"));
        click(9);
        QCOMPARE(composed(), kInner);
        click(7);
        QCOMPARE(composed(), QStringLiteral("<tr>Q</tr>"));
        click(8);
        QVERIFY(!d->Check1[7]->isChecked());
        QCOMPARE(composed(), QStringLiteral("<th>Q</th>"));
    }

    void boxesThatNeedInput_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("staysChecked");
        QTest::newRow("font") << 2 << QString::fromUtf8("スタイルを選んでください") << true;
        QTest::newRow("a href=") << 3 << QString::fromUtf8("URLを入力してください。") << false;
        QTest::newRow("img src=") << 4 << QString::fromUtf8("画像のファイル名を入力してください。")
                                  << false;
    }
    void boxesThatNeedInput() {
        QFETCH(int, box);
        QFETCH(QString, message);
        QFETCH(bool, staysChecked);
        click(0);
        d->Combo1->setEditText(QString());
        d->TextTags->setPlainText(QStringLiteral("typed"));
        messagebox::takeShown();
        click(box);
        const QList<messagebox::Shown> shown = messagebox::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text, message);
        QCOMPARE(shown[0].title, QStringLiteral("Tessellar"));
        QCOMPARE(d->Check1[box]->isChecked(), staysChecked);
        // font leaves the text alone; the others uncheck their box and recompose
        QCOMPARE(composed(), staysChecked ? QStringLiteral("typed") : QStringLiteral("<p>Q</p>"));
        if (staysChecked) {
            click(box);
            QCOMPARE(composed(), QStringLiteral("<p>Q</p>"));
        }
    }

    void cancelUnchecksEverything() {
        click(1);
        click(6);
        d->Combo2->setCurrentIndex(1);
        click(2);
        QCOMPARE(composed(),
                 QStringLiteral("<p align=Left><i><table><tbody>Q</tbody></table></i></p>"));
        d->CancelButton->click();
        for (QCheckBox *box : d->Check1)
            QVERIFY(!box->isChecked());
        QCOMPARE(composed(), kInner);
        QVERIFY(d->isVisible());
    }

    void okReplacesTheEditorsSelection() {
        auto *question = static_cast<QPlainTextEdit *>(m->TextQuiz[1]);
        textboxes::setText(question, QStringLiteral("abc def"));
        QTextCursor cursor = question->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(7, QTextCursor::KeepAnchor);
        question->setTextCursor(cursor);
        question->setFocus();
        // The mouse release over the box hands its selection to the builder.
        QTest::mouseRelease(question->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(composed(), QStringLiteral("def"));
        d->InnerText = composed();
        click(0);
        d->OKButton->click();
        QCOMPARE(textboxes::text(question), QStringLiteral("abc <p>def</p>"));
    }

    void okWithAControlWithoutText() {
        click(0);
        m->Command1->setFocus();
        const QList<QuizRecord> before = f->state.QuestionTable;
        d->OKButton->click();
        QCOMPARE(m->focusWidget(), m->Command1);
        for (int i = 0; i < 6; ++i)
            QVERIFY(!textboxes::text(m->TextQuiz[i]).contains(QStringLiteral("<p>")));
    }

    void lineBreakOnlyInTheTwoMarkupBoxes() {
        textboxes::setText(m->TextQuiz[0], QStringLiteral("1"));
        m->TextQuiz[0]->setFocus();
        d->BRButton->click();
        QCOMPARE(textboxes::text(m->TextQuiz[0]), QStringLiteral("1"));
        auto *choices = static_cast<QPlainTextEdit *>(m->TextQuiz[2]);
        textboxes::setText(choices, QStringLiteral("ab"));
        choices->moveCursor(QTextCursor::End);
        choices->setFocus();
        d->BRButton->click();
        QCOMPARE(textboxes::text(choices), QStringLiteral("ab<br>\r\n"));
    }

    void listTag() {
        auto *choices = static_cast<QPlainTextEdit *>(m->TextQuiz[2]);
        textboxes::setText(choices, QString());
        m->TextQuiz[1]->setFocus();
        d->ListButton->click();
        QCOMPARE(textboxes::text(choices), QStringLiteral("<OL><LI>\r\n</OL>"));
        QCOMPARE(choices->textCursor().position(), 8);
        QCOMPARE(m->focusWidget(), choices);
        commitText(choices, QString::fromUtf8("東京"));
        d->ListButton->click(); // not empty: "<LI>" at the caret
        QCOMPARE(textboxes::text(choices), QString::fromUtf8("<OL><LI>東京<LI>\r\n</OL>"));
    }

    void pictureFolders() {
        d->DirButton->click();
        QVERIFY(d->Dir1->isVisible());
        QCOMPARE(d->DirButton->text(), QString::fromUtf8("ﾌｫﾙﾀﾞを変更"));
        QVERIFY(d->Dir1->setPath(f->folder() + QStringLiteral("/img")));
        QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
        QCoreApplication::sendEvent(d->Dir1, &in);
        QCOMPARE(d->Combo1->count(), 0);
        QCoreApplication::sendEvent(d->Dir1, &out);
        QCOMPARE(d->Combo1->count(), 1);
        QCOMPARE(d->Combo1->itemText(0), QStringLiteral("img\\c.gif"));
        d->Combo1->setCurrentIndex(0);
        click(4);
        QCOMPARE(composed(), QStringLiteral("<img src=\"file:///PathName\\img\\c.gif\">Q"));
        d->Combo1_Click();
        QVERIFY(!d->Image1->pixmap().isNull()); // the preview
        QVERIFY(d->Dir1->setPath(f->folder()));
        QCoreApplication::sendEvent(d->Dir1, &in);
        QCoreApplication::sendEvent(d->Dir1, &out);
        QCOMPARE(d->Combo1->itemText(0), QStringLiteral("a.gif"));
        d->DirButton->click();
        QCOMPARE(d->DirButton->text(), QString::fromUtf8("画像フォルダ"));
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

    void activationTakesTheInnerText() {
        d->TextTags->setPlainText(QStringLiteral("new inner"));
        // The builder becoming the active window again (sent: offscreen activation wanders).
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(d, &activate);
        QCOMPARE(d->InnerText, QStringLiteral("new inner"));
        click(0);
        QCOMPARE(composed(), QStringLiteral("<p>new inner</p>"));
    }

    // The fonts here run wider than the design's: every caption stays whole and clear of the
    // controls beside it.
    void captionsWhole() {
        const QList<QWidget *> controls =
            d->Frame1->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QAbstractButton *caption : d->Frame1->findChildren<QAbstractButton *>()) {
            QVERIFY2(caption->width() >= caption->sizeHint().width(), qPrintable(caption->text()));
            QVERIFY(caption->geometry().right() <= d->Frame1->contentsRect().right());
            for (QWidget *other : controls) {
                QVERIFY2(other == caption || !other->geometry().intersects(caption->geometry()),
                         qPrintable(caption->text() + QLatin1Char('/') + other->objectName()));
            }
        }
    }
};

TESSELLAR_TEST_MAIN(QApplication, TestTags)
#include "tst_tags.moc"
