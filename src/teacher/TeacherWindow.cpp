#include "TeacherWindow.h"

#include "ClassTables.h"
#include "CsvEncoding.h"
#include "Design.h"
#include "FileDialog.h"
#include "MessageBox.h"
#include "PrintPages.h"
#include "QuizFile.h"
#include "Settings.h"
#include "StudyOptions.h"
#include "TextTable.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QStandardPaths>
#include <QVBoxLayout>

using design::uiText;

namespace {
// The folder read last; not the learner's class folder, which runs are sent to.
const QString kClassFolderKey = QStringLiteral("TeacherClassFolder");
constexpr Qt::Alignment kFigureAlignment = Qt::AlignRight | Qt::AlignVCenter;

QList<TextTable::Column> teacherColumns(const QStringList &headers, QList<int> counts) {
    QList<TextTable::Column> columns;
    for (const QString &header : headers)
        columns.append({header});
    for (int c : counts)
        columns[c].alignment = kFigureAlignment;
    return columns;
}

QPushButton *namedButton(QWidget *parent, const char *name, const char *text) {
    auto *b = new QPushButton(uiText(text), parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false); // Enter in the tables opens no dialog
    return b;
}
} // namespace

TeacherWindow::TeacherWindow(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TeacherWindow"));
    setWindowTitle(uiText("クラスの成績"));
    setSizeGripEnabled(true);
    auto *sectionLabel = new QLabel(uiText("問題名(&S)"), this);
    sectionBox = new QComboBox(this);
    sectionBox->setObjectName(QStringLiteral("sectionBox"));
    sectionBox->setMinimumContentsLength(16);
    sectionLabel->setBuddy(sectionBox);
    folderButton = namedButton(this, "folderButton", "フォルダを開く(&O)...");
    exportButton = namedButton(this, "exportButton", "CSV に書き出し(&E)...");
    printButton = namedButton(this, "printButton", "印刷(&P)...");
    folderLabel = new QLabel(this);
    folderLabel->setObjectName(QStringLiteral("folderLabel"));
    folderLabel->setTextFormat(Qt::PlainText);
    noticeLabel = new QLabel(this);
    noticeLabel->setObjectName(QStringLiteral("noticeLabel"));
    noticeLabel->setTextFormat(Qt::PlainText);
    learnerTable = new TextTable(teacherColumns(classtables::learnerHeaders(), {3, 4}), this);
    learnerTable->setObjectName(QStringLiteral("learnerTable"));
    learnerTable->setAccessibleName(uiText("学習者ごとの成績の一覧"));
    questionTable =
        new TextTable(teacherColumns(classtables::questionHeaders(), {0, 1, 2, 3}), this);
    questionTable->setObjectName(QStringLiteral("questionTable"));
    questionTable->setAccessibleName(uiText("問題ごとの正答率の一覧"));
    auto *tables = new QSplitter(Qt::Vertical, this);
    tables->addWidget(createTablePart(learnerTable, "学習者ごとの成績(&L)"));
    tables->addWidget(createTablePart(questionTable, "問題ごとの正答率 (難しい順)(&Q)"));

    auto *top = new QHBoxLayout;
    top->addWidget(sectionLabel);
    top->addWidget(sectionBox);
    top->addStretch();
    for (QPushButton *b : {folderButton, exportButton, printButton})
        top->addWidget(b);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(folderLabel);
    layout->addWidget(noticeLabel);
    layout->addWidget(tables, 1);
    design::resizeWithinScreen(this, QSize(900, 700));

    connect(sectionBox, &QComboBox::currentIndexChanged, this, &TeacherWindow::showSection);
    connect(folderButton, &QPushButton::clicked, this, &TeacherWindow::chooseFolder);
    connect(exportButton, &QPushButton::clicked, this, &TeacherWindow::exportCsv);
    connect(printButton, &QPushButton::clicked, this, &TeacherWindow::print);
}

QWidget *TeacherWindow::createTablePart(TextTable *table, const char *caption) {
    auto *part = new QWidget(this);
    auto *label = new QLabel(uiText(caption), part);
    label->setBuddy(table);
    auto *layout = new QVBoxLayout(part);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(table);
    return part;
}

bool TeacherWindow::chooseFolder() {
    const QString last = settings::readString(kClassFolderKey, studyoptions::classFolder());
    const QString folder = filedialog::chooseFolder(
        this, uiText("クラスのフォルダを選択"),
        QDir::isAbsolutePath(last) && QFileInfo(last).isDir() ? last : QDir::homePath());
    if (folder.isEmpty())
        return false;
    settings::writeString(kClassFolderKey, folder);
    readFolder(folder);
    return true;
}

void TeacherWindow::readFolder(const QString &folder) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const classrun::FolderRead read = classrun::readFolder(folder);
    m_sections = classstats::sections(read.runs);
    QApplication::restoreOverrideCursor();
    folderLabel->setText(QDir::toNativeSeparators(folder));
    QStringList notes;
    if (!read.error.isEmpty())
        notes.append(read.error);
    if (read.skippedFiles > 0)
        notes.append(uiText("読めなかったファイル %1 個を読み飛ばしました").arg(read.skippedFiles));
    if (read.error.isEmpty() && read.runs.isEmpty())
        notes.append(uiText("このフォルダにはまだ成績がありません"));
    noticeLabel->setText(notes.join(QLatin1Char('\n')));
    noticeLabel->setVisible(!notes.isEmpty());
    const QSignalBlocker blocker(sectionBox);
    sectionBox->clear();
    for (const classstats::Section &section : m_sections)
        sectionBox->addItem(section.name);
    showSection(sectionBox->currentIndex());
}

const classstats::Section *TeacherWindow::shown() const {
    const int index = sectionBox->currentIndex();
    return index >= 0 && index < m_sections.size() ? &m_sections[index] : nullptr;
}

void TeacherWindow::showSection(int) {
    const classstats::Section *section = shown();
    learnerTable->setRows(section ? int(section->runs.size()) : 0, [section](int row, int column) {
        return classtables::learnerTexts(section->runs[row])[column];
    });
    questionTable->setRows(section ? int(section->questions.size()) : 0,
                           [section](int row, int column) {
                               return classtables::questionTexts(section->questions[row])[column];
                           });
    exportButton->setEnabled(section);
    printButton->setEnabled(section);
}

// The question table, UTF-8 with a BOM or Shift_JIS as the file type chosen says; a character
// Shift_JIS lacks refuses the file, naming where it is, as the editor's export does.
void TeacherWindow::exportCsv() {
    const classstats::Section *section = shown();
    if (!section)
        return;
    const QString proposed = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                             QLatin1Char('/') + section->name + uiText("_正答率.csv");
    int filter = 0;
    QString path = filedialog::saveFile(
        this, uiText("CSV に書き出し"),
        uiText("CSV UTF-8 (*.csv)|*.csv|CSV Shift_JIS (*.csv)|*.csv"), proposed, &filter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    const csv::EncodedTable table = csv::encodeTable(
        classtables::questionHeaders(), section->questions.size(),
        [section](qsizetype row) { return classtables::questionTexts(section->questions[row]); },
        QLatin1Char(','), filter == 1 ? csv::Encoding::Cp932 : csv::Encoding::Utf8);
    const quizfile::SaveResult saved =
        table.ok() ? quizfile::save(path, table.bytes) : quizfile::SaveResult{};
    if (!table.ok() || !saved.ok)
        messagebox::show(this,
                         uiText("書き出せませんでした。\r\n%1\r\n%2")
                             .arg(path, table.ok() ? saved.error : table.error.text()),
                         messagebox::applicationTitle());
}

void TeacherWindow::print() {
    const classstats::Section *section = shown();
    if (!section)
        return;
    printing::printOrOfferPdf(
        this, section->name, [this, section](QPagedPaintDevice &device, const QString &doing) {
            return printing::printLines(this, device, doing, [section](const QPainter &painter) {
                return classtables::printedLines(*section, painter.fontMetrics(),
                                                 painter.window().width());
            });
        });
}

namespace teacher {
void showWindow(QWidget *parent) {
    TeacherWindow window(parent);
    if (window.chooseFolder())
        window.exec();
}
} // namespace teacher
