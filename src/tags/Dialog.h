#pragma once

#include "TagText.h"

#include <QDialog>

class DirList;
class Module1;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWindow;
class frmMaker;

// The HTML tag builder: wraps text taken from the quiz editor in mark-up and writes the
// result, line breaks and list mark-up back into the editor.
class Dialog : public QDialog {
    Q_OBJECT
public:
    Dialog(Module1 &state, frmMaker &maker);

    QGroupBox *Frame1 = nullptr;
    QCheckBox *Check1[10] = {};
    QRadioButton *Option1[3] = {};
    QComboBox *Combo1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPlainTextEdit *TextTags = nullptr;
    QComboBox *Combo2 = nullptr;
    QPushButton *BRButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *OKButton = nullptr;
    QPushButton *ListButton = nullptr;
    DirList *Dir1 = nullptr;
    QPushButton *DirButton = nullptr;
    QLabel *Image1 = nullptr;

    tagtext::Tags tags;
    QString InnerText;

public slots:
    void Check1_Click(int index);
    void OKButton_Click();
    void CancelButton_Click();
    void BRButton_Click();
    void ListButton_Click();
    void DirButton_Click();
    void Combo1_Click();
    void Dir1_GotFocus();
    void Dir1_LostFocus();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void keepCaptionsWhole();
    void Form_Load();
    void Form_Activate();
    void focusWindowChanged(QWindow *window);
    // The builder's own window, or one it owns (its message boxes, popups).
    bool ownsWindow(const QWindow *window) const;
    void ComposeTags();
    // The rule of a box that is now checked; false when it stops before composing.
    bool checkedRule(int index);
    void uncheckedRule(int index);
    void setChecked(int index, bool checked);
    void setTablePair(const char *open, const char *close);
    // Lists the entries in Combo1, keeping the picture name it holds.
    void listPictures(const QStringList &entries);

    Module1 &m_state;
    frmMaker &m_maker;
    // Whether the program's last focused window was the builder or one of its own.
    bool m_focusWasOwn = false;
    // The folder Dir1 showed when it took the focus.
    QString m_folderOnEntry;
};
