#pragma once

#include <QMainWindow>
#include <QPointer>

class TagBuilderDialog;
class Module1;
class QAction;
class QComboBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QPushButton;

// The quiz editor: a section is loaded, its questions are written one at a time into the
// shared question table and the table is saved to the section's quiz file.
class frmMaker : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMaker(Module1 &state, QWidget *parent = nullptr);

    QComboBox *CmbSect = nullptr;
    QPushButton *Command4 = nullptr; // 読み込み
    QPushButton *Command1 = nullptr; // 追加
    QPushButton *Command3 = nullptr; // 保存
    QPushButton *Command2 = nullptr; // 閉じる
    QLabel *Label1[6] = {};
    // Boxes 0, 3 and 5 are single-line, 1, 2 and 4 multi-line.
    QWidget *TextQuiz[6] = {};
    QListWidget *LstReport = nullptr;
    QStatusBar *StatusBar1 = nullptr;
    QAction *mnuSetOptions = nullptr;
    QAction *mnuViewTag = nullptr;

    // The tag builder, created on first use and kept while it is open.
    TagBuilderDialog *tagBuilder();

    // Questions added and not saved, or text typed and not added.
    bool hasUnsavedWork() const;
    // Keeps unsaved work where the next load of the section offers it; returns why it could
    // not, or an empty text.
    QString keepRecoveryCopy();
    // Closes without asking, the unsaved work kept: the program is being ended from outside.
    void closeForSessionEnd();

public slots:
    void Command4_Click();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    void TextQuiz_LostFocus(int index);
    void LstReport_Click();
    void mnuSetOptions_Click();
    void mnuViewTag_Click();

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls(QWidget *client);
    void createMenus();
    void createStatusBar();
    void Form_Load();
    void Form_Layout();
    void Form_Unload();
    bool Form_KeyUp(QKeyEvent *event);
    void newFileFlow();
    bool openOptions();
    bool refuseSectionName(const QString &section);
    bool saveSection();
    bool hasTypedText() const;
    void markBoxesTaken();
    QStringList boxTexts() const;
    void offerRecoveredWork(const QString &section);
    bool confirmClose();

    Module1 &m_state;
    QPointer<TagBuilderDialog> m_tagBuilder;
    bool m_framed = false;
    bool m_unsavedQuestions = false;
    bool m_closingWithoutAsking = false;
};
