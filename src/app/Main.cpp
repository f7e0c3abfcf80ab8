#include "Main.h"

#include "MainWindow.h"
#include "Module1.h"
#include "Sections.h"
#include "SessionEnd.h"
#include "Settings.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>

void Main(Module1 &state) {
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessellar-256.png")));
    state.prepareStart(
        settings::readString(QStringLiteral("QPath"), sections::defaultQuizFolder()));
    state.MainForm = new MainWindow(state);
    state.MainForm->setAttribute(Qt::WA_DeleteOnClose);
    state.QuestionCount = Module1::kStartQuestionCount;
    state.CurrentImageFile.clear();
    state.MainForm->show();
    MainWindow *main = state.MainForm;
    sessionend::onRequest([main = QPointer<MainWindow>(main)] {
        if (main)
            main->endSession();
    });
}
