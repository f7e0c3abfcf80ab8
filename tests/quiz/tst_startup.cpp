#include "Main.h"
#include "MainWindow.h"
#include "Module1.h"
#include "Sections.h"
#include "Settings.h"
#include "TestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
QStringList items(const QComboBox *box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT
    std::unique_ptr<testsupport::CleanSettings> m_store;

private slots:
    void init() { m_store = std::make_unique<testsupport::CleanSettings>(); }
    void cleanup() {
        QApplication::closeAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void firstStartShowsTheSampleSections() {
        Module1 state;
        Main(state);
        QCOMPARE(state.QuizFolder, sections::defaultQuizFolder());
        QCOMPARE(state.QuestionCount, 60);
        QVERIFY(state.QuestionTable.isEmpty());
        QCOMPARE(state.AnswerMarks, QList<qint32>{0});
        QCOMPARE(state.AnswerTexts, QStringList{QString()});
        QVERIFY(state.MainForm && state.MainForm->isVisible());
        QCOMPARE(state.MainForm->windowTitle(), QStringLiteral("Tessellar"));
        auto *combo = state.MainForm->findChild<QComboBox *>(QStringLiteral("sectionBox"));
        QVERIFY(combo);
        const QStringList listed = items(combo);
        QVERIFY(listed.contains(QString::fromUtf8("日本の地理")));
        QCOMPARE(listed, sections::list(sections::defaultQuizFolder()));
    }

    void quizFolderComesFromTheSettings() {
        QTemporaryDir dir;
        for (const char *name : {"qb.tsl", "qa.tsl"})
            testsupport::writeFile(dir.filePath(QLatin1String(name)), "x");
        settings::writeString(QStringLiteral("QPath"), dir.path());
        Module1 state;
        Main(state);
        QCOMPARE(state.QuizFolder, dir.path());
        QCOMPARE(items(state.MainForm->sectionBox), (QStringList{"a", "b"}));
    }

    void missingFolderListsNothing() {
        settings::writeString(QStringLiteral("QPath"), QStringLiteral("/nonexistent/folder"));
        Module1 state;
        Main(state);
        QCOMPARE(state.MainForm->sectionBox->count(), 0);
    }
};

TESSELLAR_TEST_MAIN(QApplication, TestStartup)
#include "tst_startup.moc"
