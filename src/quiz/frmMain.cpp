#include "frmMain.h"

#include "Module1.h"
#include "Sections.h"

#include <QComboBox>
#include <QShowEvent>
#include <QVBoxLayout>

frmMain::frmMain(Module1 &state, QWidget *parent) : QMainWindow(parent), m_state(state) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tessellar"));
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    Combo1 = new QComboBox(central);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    layout->addWidget(Combo1);
    layout->addStretch();
    setCentralWidget(central);
}

void frmMain::showEvent(QShowEvent *event) {
    // The window's load runs once, when it is first shown.
    if (!m_loaded) {
        m_loaded = true;
        Form_Load();
    }
    QMainWindow::showEvent(event);
}

void frmMain::Form_Load() {
    Combo1->addItems(sections::list(m_state.QuizFolder));
}
