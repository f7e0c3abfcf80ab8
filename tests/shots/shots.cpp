// Starts Tessellar on the sample quizzes, takes a short quiz run as a user would and saves
// screenshots of the main window along the way: tessellar-shots OUTPUT_FOLDER
// Run it under a display (scripts/screenshots.sh uses Xvfb).
#include "HtmlPane.h"
#include "Main.h"
#include "Module1.h"
#include "frmMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QThread>

#include <cstdio>

namespace {
void settle(int ms) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool panesReady(frmMain *form) {
    const QDeadlineTimer deadline(20000);
    while (!(form->WebBrowser1->isApplied() && form->WebBrowser2->isApplied())) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    settle(700); // let the renderer paint
    return true;
}

bool shot(frmMain *form, const QString &folder, const char *name) {
    const QRect frame = form->frameGeometry();
    const QPixmap picture =
        form->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    std::printf("%s\n", qPrintable(path));
    return picture.save(path);
}

void showQuestion(frmMain *form, int number) {
    form->VScroll1->setValue(number);
    panesReady(form);
}
} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    Module1 state;
    Main(state);
    frmMain *form = state.MainForm;
    panesReady(form);
    bool ok = shot(form, folder, "01-start.png");

    form->Combo1->setCurrentText(QString::fromUtf8("日本の地理"));
    form->Command1->click();
    ok &= panesReady(form) && shot(form, folder, "02-question-with-picture.png");

    form->TextAns->setText(QString::fromUtf8("○")); // question 1, answered by typing
    showQuestion(form, 2);
    form->TextAns->setText(QStringLiteral("2")); // question 2
    showQuestion(form, 3);
    ok &= shot(form, folder, "03-table.png");
    showQuestion(form, 4);
    ok &= shot(form, folder, "04-ruby.png");
    showQuestion(form, 5);
    ok &= shot(form, folder, "05-picture-in-markup.png");
    form->close();
    return ok ? 0 : 1;
}
