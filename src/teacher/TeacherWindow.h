#pragma once

#include "ClassRun.h"
#include "ClassStats.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class TextTable;

// クラスの成績: the runs learners wrote into a class folder, per section: each learner's runs
// and each question's figures, the hardest first; written out as CSV or printed. Every file in
// the folder is untrusted: names and texts are shown as plain text.
class TeacherWindow : public QDialog {
    Q_OBJECT
public:
    explicit TeacherWindow(QWidget *parent = nullptr);
    // Asks for the class folder, at the one read last, and reads it; false when cancelled.
    bool chooseFolder();
    void readFolder(const QString &folder);

public slots:
    void showSection(int index);

private:
    // The controls, each named (objectName) as here.
    QLabel *folderLabel = nullptr;
    QLabel *noticeLabel = nullptr; // files skipped, a folder that cannot be read
    QComboBox *sectionBox = nullptr;
    TextTable *learnerTable = nullptr;
    TextTable *questionTable = nullptr;
    QPushButton *folderButton = nullptr;
    QPushButton *exportButton = nullptr;
    QPushButton *printButton = nullptr;

    QWidget *createTablePart(TextTable *table, const char *caption);
    void exportCsv();
    void print();
    const classstats::Section *shown() const;

    QList<classstats::Section> m_sections;
};

namespace teacher {
// Asks for the class folder and shows its figures, modal over parent.
void showWindow(QWidget *parent);
} // namespace teacher
