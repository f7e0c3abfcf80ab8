#pragma once

#include <QDialog>

class DirList;
class QuizState;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;

// The options dialog: the number of questions, the quiz folder, how runs are asked, and the
// learner's name and class folder.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(QuizState &state, QWidget *parent = nullptr);

public slots:
    void showChosenPage();
    void showChosenDrive();
    void takeChosenFolder();
    void followFolderBox();
    void applyAndClose();
    void applyOptions();

private:
    // The controls, each named (objectName) as here.
    QTabBar *tabBar = nullptr;
    QWidget *countPage = nullptr;
    QWidget *folderPage = nullptr;
    QGroupBox *countFrame = nullptr;
    QLineEdit *countBox = nullptr;
    QGroupBox *folderFrame = nullptr;
    QLineEdit *folderBox = nullptr;
    QComboBox *driveBox = nullptr;
    DirList *folderList = nullptr;
    QWidget *studyPage = nullptr;
    QCheckBox *practiceBox = nullptr;
    QRadioButton *inOrderButton = nullptr;
    QRadioButton *shuffledButton = nullptr;
    QLineEdit *nameBox = nullptr;
    QLineEdit *classFolderBox = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QPushButton *applyButton = nullptr;

    void createPages();
    void createStudyPage();
    void createClassFrame();
    void showStoredOptions();
    bool handleKey(QKeyEvent *event);
    // Stores the folder and the count; false (with a message, nothing stored) when the
    // count box holds no usable number of questions.
    bool apply();

    QuizState &m_state;
};
