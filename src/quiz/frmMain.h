#pragma once

#include <QMainWindow>

class Module1;
class QComboBox;

// The main window: a section is picked, loaded and taken here.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Module1 &state, QWidget *parent = nullptr);

    QComboBox *Combo1 = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();

    Module1 &m_state;
    bool m_loaded = false;
};
