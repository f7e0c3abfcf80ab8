#include "Main.h"

#include "Clock.h"
#include "Design.h"
#include "Icons.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "QuestionPages.h"
#include "QuizState.h"
#include "RunModel.h"
#include "Sections.h"
#include "SessionEnd.h"
#include "Settings.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

void translateQtTexts() {
    auto *qtJapanese = new QTranslator(qApp);
    if (qtJapanese->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtJapanese);
}

namespace {
// The run and the window that renders it: the window forwards the learner's input to the run
// and shows what the run says; the run's clock goes on when the learner is back from the editor.
void connectRunAndMainWindow(RunModel *run, MainWindow *main) {
    run->setParent(main); // the run lives as long as the window that renders it
    run->setQuestionOnShow([main] { return main->questionNumberOnShow(); });
    run->setCalendar(&clockreading::currentDateTime);
    run->setQuestionStart(&questionpages::plainStart);
    QObject::connect(run, &RunModel::clockChanged, main, &MainWindow::showElapsed);
    QObject::connect(run, &RunModel::timeUp, main, &MainWindow::endAtTimeLimit);
    QObject::connect(run, &RunModel::journalFailed, main, &MainWindow::tellJournalFailure);
    QObject::connect(main, &MainWindow::editorClosed, run, &RunModel::goOn);
}
} // namespace

MainWindow *Main(QuizState &state) {
    QApplication::setWindowIcon(icons::windowIcon());
    state.prepareStart(
        settings::readString(QStringLiteral("QPath"), sections::defaultQuizFolder()));
    auto *run = new RunModel(state, clockreading::secondsSinceMidnight);
    auto *main = new MainWindow(state, *run);
    connectRunAndMainWindow(run, main);
    main->setAttribute(Qt::WA_DeleteOnClose);
    state.questionCount = QuizState::kStartQuestionCount;
    state.currentImageFile.clear();
    main->show();
    settings::onWriteFailure([main = QPointer<MainWindow>(main)](const QString &file) {
        messagebox::show(main,
                         design::uiText("設定を保存できませんでした（%1）。\r\n"
                                        "ウィンドウの位置などは次回に引き継がれません。"
                                        "ディスクの空きを確かめてください。")
                             .arg(file),
                         messagebox::applicationTitle(), messagebox::Buttons::Ok,
                         messagebox::Icon::Warning);
    });
    sessionend::onRequest([main = QPointer<MainWindow>(main)] {
        if (main)
            main->endSession();
    });
    return main;
}
