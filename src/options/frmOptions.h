#pragma once

#include <QDialog>

class DirList;
class Module1;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QTabBar;

// The options dialog: the number of questions and the quiz folder.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(Module1 &state, QWidget *parent = nullptr);

    QTabBar *tbsOptions = nullptr;
    QWidget *picOptions[2] = {};
    QGroupBox *fraSample1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QGroupBox *fraSample2 = nullptr;
    QLineEdit *Text2 = nullptr;
    QComboBox *Drive1 = nullptr;
    DirList *Dir1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdApply = nullptr;

public slots:
    void tbsOptions_Click();
    void Drive1_Change();
    void Dir1_Change();
    void Text2_Change();
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();

private:
    void createPages();
    void Form_Load();
    bool Form_KeyDown(QKeyEvent *event);
    // Stores the folder and the count; false (with a message, nothing stored) when the
    // count box holds no usable number of questions.
    bool apply();

    Module1 &m_state;
};
