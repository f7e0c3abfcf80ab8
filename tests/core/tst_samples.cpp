#include "QuizFile.h"
#include "QuizJson.h"
#include "QuizState.h"
#include "Sections.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::readFile;

namespace {
const QString kSamples = QStringLiteral(TESSELLAR_SAMPLE_DIR);
const QString kSources = QStringLiteral(TESSELLAR_SAMPLE_SOURCES);

QList<QuizRecord> allSampleRecords() {
    QList<QuizRecord> all;
    for (const QString &section : sections::list(kSamples))
        all += quizfile::read(sections::quizFilePath(kSamples, section)).records;
    return all;
}
} // namespace

class TestSamples : public QObject {
    Q_OBJECT
private slots:
    void eachSampleIsItsSourceWrittenByTheWriter_data() {
        QTest::addColumn<QString>("section");
        const QStringList sources = QDir(kSources).entryList({QStringLiteral("*.json")});
        QVERIFY(sources.size() >= 2);
        for (const QString &source : sources)
            QTest::newRow(qPrintable(source)) << QFileInfo(source).completeBaseName();
        QCOMPARE(sections::list(kSamples).size(), sources.size());
    }
    void eachSampleIsItsSourceWrittenByTheWriter() {
        QFETCH(QString, section);
        QuizState quiz;
        QString error;
        QVERIFY(
            quizjson::read(readFile(kSources + "/" + section + ".json"), quiz.questions, error));
        quiz.questionCount = static_cast<qint32>(quiz.questions.size());
        QTemporaryDir dir;
        const QString written = sections::quizFilePath(dir.path(), section);
        QCOMPARE(quiz.saveQuizFile(written), QString());
        const QString committed = sections::quizFilePath(kSamples, section);
        QCOMPARE(readFile(committed), readFile(written));

        // ... and reads back into the same bytes.
        const quizfile::ReadResult read = quizfile::read(committed);
        QVERIFY(read.ok);
        QVERIFY(read.invalidTextOffsets.isEmpty());
        QCOMPARE(read.trailingBytes, 0);
        QCOMPARE(quizfile::encode(read.records.size(), read.records).bytes, readFile(committed));
        for (int i = 0; i < read.records.size(); ++i) {
            QCOMPARE(read.records[i].number, i + 1);
            QVERIFY(!read.records[i].keyPoint.isEmpty());
        }
    }

    void samplesShowWhatAQuizCanHold() {
        const QList<QuizRecord> all = allSampleRecords();
        QSet<QString> answers;
        bool ruby = false, table = false, pictureInMarkup = false;
        for (const QuizRecord &r : all) {
            answers.insert(r.answer);
            ruby |= r.question.contains(QStringLiteral("<ruby>"));
            table |= r.question.contains(QStringLiteral("<TABLE"), Qt::CaseInsensitive);
            pictureInMarkup |= r.question.contains(QStringLiteral("file:///PathName\\"));
            if (!r.imageFile.isEmpty())
                QVERIFY2(!QImage(sections::picturePath(kSamples, r.imageFile)).isNull(),
                         qPrintable(r.imageFile));
        }
        QVERIFY(ruby && table && pictureInMarkup);
        for (const char *answer : {"○", "×", "1", "2", "3"})
            QVERIFY2(answers.contains(QString::fromUtf8(answer)), answer);
    }

    void everyPictureInTheMarkupExists() {
        const QRegularExpression picture(QStringLiteral("file:///PathName\\\\([^\"]+)\""));
        for (const QuizRecord &r : allSampleRecords()) {
            for (const QString &text : {r.question, r.choices}) {
                auto it = picture.globalMatch(text);
                while (it.hasNext()) {
                    const QString name = it.next().captured(1);
                    QVERIFY2(!QImage(sections::picturePath(kSamples, name)).isNull(),
                             qPrintable(name));
                }
            }
        }
    }
};

TESSELLAR_TEST_MAIN(QGuiApplication, TestSamples)
#include "tst_samples.moc"
