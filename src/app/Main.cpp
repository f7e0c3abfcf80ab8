#include "Main.h"

#include "Design.h"
#include "Icons.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "QuizState.h"
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

MainWindow *Main(QuizState &state) {
    QApplication::setWindowIcon(icons::windowIcon());
    state.prepareStart(
        settings::readString(QStringLiteral("QPath"), sections::defaultQuizFolder()));
    auto *main = new MainWindow(state);
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
