#pragma once

#include "TagText.h"

#include <QDialog>

class DirList;
class QuizState;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWindow;

// The HTML tag builder: wraps text taken from the quiz editor in mark-up and hands the
// result, line breaks and list mark-up back to the editor by signals.
class TagBuilderDialog : public QDialog {
    Q_OBJECT
public:
    TagBuilderDialog(QuizState &state, QWidget *editor);

    // One check box for each tag the builder makes, named by its tag.
    struct TagChecks {
        QCheckBox *p = nullptr;
        QCheckBox *align = nullptr;
        QCheckBox *font = nullptr;
        QCheckBox *link = nullptr;  // a href=
        QCheckBox *image = nullptr; // img src=
        QCheckBox *table = nullptr;
        QCheckBox *tbody = nullptr;
        QCheckBox *tr = nullptr;
        QCheckBox *th = nullptr;
        QCheckBox *td = nullptr;
        QList<QCheckBox *> all() const {
            return {p, align, font, link, image, table, tbody, tr, th, td};
        }
    };

    tagtext::Tags tags;
    // The text the tags enclose: what the tags box held when the author came to the builder.
    QString innerText;

    // The text the author selected in the editor, to be wrapped in tags.
    void showSelectedText(const QString &text);

signals:
    // Each asks the editor to put mark-up where its caret is.
    void tagsInserted(const QString &markup);
    void lineBreakRequested();
    void listTagRequested();

public slots:
    void followCheck(QCheckBox *box);
    void insertTags();
    void uncheckAll();
    void insertLineBreak();
    void insertListTag();
    void toggleFolderList();
    void showChosenPicture();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The controls, each named (objectName) as here; the check boxes by their tag + "Check".
    QGroupBox *tagsFrame = nullptr;
    TagChecks checks;
    QRadioButton *alignLeftButton = nullptr;
    QRadioButton *alignCenterButton = nullptr;
    QRadioButton *alignRightButton = nullptr;
    QComboBox *styleBox = nullptr;
    QLineEdit *urlBox = nullptr;
    QComboBox *pictureNameBox = nullptr;
    QPlainTextEdit *tagsBox = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
    QPushButton *lineBreakButton = nullptr;
    QPushButton *listTagButton = nullptr;
    QPushButton *folderButton = nullptr;
    DirList *folderList = nullptr;
    QLabel *picturePreview = nullptr;

    void createControls();
    void keepCaptionsWhole();
    void fillLists();
    void keepInnerText();
    void focusWindowChanged(QWindow *window);
    // The builder's own window, or one it owns (its message boxes, popups).
    bool ownsWindow(const QWindow *window) const;
    void composeTags();
    // The rule of a box that is now checked; false when it stops before composing.
    bool checkedRule(QCheckBox *box);
    void uncheckedRule(QCheckBox *box);
    // The cell check boxes (tr, th, td) leave only themselves checked among the table family.
    void checkOnlyCell(QCheckBox *cell);
    void setTablePair(const char *open, const char *close);
    void rememberFolderOnEntry();
    void listPicturesOfChosenFolder();
    // Lists the entries in the picture name box, keeping the picture name it holds.
    void listPictures(const QStringList &entries);

    QuizState &m_state;
    // Whether the program's last focused window was the builder or one of its own.
    bool m_focusWasOwn = false;
    // The folder the folder list showed when it took the focus.
    QString m_folderOnEntry;
};
