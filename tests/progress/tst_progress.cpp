#include "AnswerLog.h"
#include "Controls.h"
#include "History.h"
#include "MainWindow.h"
#include "MainWindowFixture.h"
#include "ProgressChart.h"
#include "ProgressWindow.h"
#include "QuizFile.h"
#include "ResultWindow.h"
#include "TextTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include <functional>

using testsupport::control;

using history::Entry;
using history::RunKind;

namespace {
QDateTime evening(int day) {
    return QDateTime(QDate(2024, 6, day), QTime(20, 0));
}

Entry run(const char *section, RunKind kind, int day, int score, int maxScore) {
    return {evening(day), QString::fromUtf8(section), kind, 10, 5, 3, 2, 1, score, maxScore, 600};
}

QStringList column(const QTableView *table, int c) {
    QStringList texts;
    for (int r = 0; r < table->model()->rowCount(); ++r)
        texts.append(table->model()->index(r, c).data().toString());
    return texts;
}

QStringList items(const QComboBox *box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

// Where the chart drew in this colour exactly: the lines and their markers, and the legend's.
QList<QPoint> pixelsOf(const QImage &image, QColor colour) {
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour.rgb())
                found.append(QPoint(x, y));
    return found;
}

} // namespace

class TestProgress : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;

private slots:
    void init() {
        f = std::make_unique<MainWindowFixture>();
        QFile::remove(history::filePath());
        QFile::remove(answerlog::filePath());
    }
    void cleanup() { f.reset(); }

    // Opened from the main window when the history cannot be read (the answer record still
    // lists a miss), then from a run's results window.
    void showsTheHistoryOfTheSection() {
        const QString path = f->writeQuiz(QStringLiteral("four"), 4);
        answerlog::Record missed;
        missed.day = QDate(2024, 6, 1);
        missed.time = QTime(9, 0);
        missed.given = QStringLiteral("×");
        missed.folder = answerlog::folderKey(QFileInfo(path).absolutePath());
        missed.section = QStringLiteral("four");
        missed.number = 1;
        missed.fingerprint = answerlog::fingerprint(quizfile::read(path).records.value(0));
        missed.mark = answerlog::Mark::Wrong;
        QVERIFY(answerlog::append({missed}).isEmpty());
        QVERIFY(QDir().mkpath(history::filePath()));
        MainWindow *form = f->start();
        f->load(QStringLiteral("four"));
        bool seen = false;
        inspectNextModalWindow<ProgressWindow>([&](ProgressWindow *w) {
            const QString notice = control<QLabel>(w, "noticeLabel")->text();
            seen = !notice.isEmpty() && !notice.contains(QLatin1Char('\n')) &&
                   control<QLabel>(w, "emptyLabel")->text() ==
                       QString::fromUtf8("まだ記録がありません") &&
                   control<QLabel>(w, "emptyLabel")->isVisible() &&
                   !control<ProgressChart>(w, "chart")->isVisible() &&
                   control<QTableView>(w, "missedTable")->isVisible() &&
                   column(control<QTableView>(w, "missedTable"), 0) == QStringList{"1"} &&
                   control<QComboBox>(w, "sectionBox")->currentText() == "four";
        });
        form->findChild<QAction *>(QStringLiteral("toolsProgressAction"))->trigger();
        QVERIFY(seen);
        QVERIFY(QDir(history::filePath()).removeRecursively());

        Entry run;
        run.when = QDateTime::currentDateTime().addSecs(-60);
        run.section = QStringLiteral("four");
        run.questions = 4;
        run.score = 2;
        run.maxScore = 6;
        QVERIFY(history::append(run).isEmpty());
        ResultWindow results(f->state, control<QComboBox>(form, "sectionBox")->currentText(), form);
        results.show();
        seen = false;
        inspectNextModalWindow<ProgressWindow>([&](ProgressWindow *w) {
            seen = control<QComboBox>(w, "sectionBox")->currentText() == "four" &&
                   control<ProgressChart>(w, "chart")->isVisible() &&
                   column(control<QTableView>(w, "runTable"), 8) == QStringList{"33.3%"};
        });
        QTest::mouseClick(results.findChild<QPushButton *>(QStringLiteral("progressButton")),
                          Qt::LeftButton);
        QVERIFY(seen);
    }

    // The percentage axis is marked at round values whatever the scores.
    void percentTicksAreRound_data() {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QList<double>>("ticks");
        QTest::newRow("0 to 100") << 0.0 << 100.0 << QList<double>{0, 25, 50, 75, 100};
        QTest::newRow("down to -40") << -40.0 << 100.0 << QList<double>{-50, 0, 50, 100};
        QTest::newRow("all wrong") << -100.0 << 100.0 << QList<double>{-100, -50, 0, 50, 100};
        QTest::newRow("not a number") << qQNaN() << 100.0 << QList<double>{0, 25, 50, 75, 100};
    }
    void percentTicksAreRound() {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QList<double>, ticks);
        QCOMPARE(progress::percentTicks(low, high), ticks);
    }

    // The date axis is marked at the start of days, each date once, as many as there is room.
    void dayTicksFallOnMidnights_data() {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("room");
        QTest::addColumn<QStringList>("dates");
        QTest::newRow("a day") << 1 << 5 << QStringList{"06/02"};
        QTest::newRow("a week, room for all")
            << 7 << 9 << QStringList{"06/02", "06/03", "06/04", "06/05", "06/06", "06/07", "06/08"};
        QTest::newRow("a week, room for three") << 7 << 3 << QStringList{"06/02", "06/05", "06/08"};
        QTest::newRow("a year, room for five")
            << 365 << 5 << QStringList{"06/02", "09/22", "01/12", "05/04"};
    }
    void dayTicksFallOnMidnights() {
        QFETCH(int, days);
        QFETCH(int, room);
        QFETCH(QStringList, dates);
        const QDateTime from = evening(1);
        QStringList shown;
        for (const QDateTime &tick : progress::dayTicks(from, from.addDays(days), room)) {
            QCOMPARE(tick.time(), QTime(0, 0));
            shown.append(tick.toString(QStringLiteral("MM/dd")));
        }
        QCOMPARE(shown, dates);
    }

    // A line through many runs is drawn through the first, highest, lowest and last point of
    // each column of pixels, in their order.
    void thinnedLineKeepsEachColumnsEnds() {
        QPolygonF line;
        for (int i = 0; i < 1000; ++i) // ten columns of a hundred points, zigzagging
            line.append(QPointF(i / 100.0, (i * 37) % 101));
        const QPolygonF kept = progress::thinnedToColumns(line, 1);
        QVERIFY(kept.size() <= 40);
        qsizetype at = 0;
        for (const QPointF &p : kept) // in the line's order
            QVERIFY((at = line.indexOf(p, at)) >= 0);
        for (int column = 0; column < 10; ++column) {
            const auto ys = [column](const QPolygonF &points) {
                QList<double> found;
                for (const QPointF &p : points)
                    if (int(p.x()) == column)
                        found.append(p.y());
                return found;
            };
            const QList<double> all = ys(line), thinned = ys(kept);
            QCOMPARE(thinned.first(), all.first());
            QCOMPARE(thinned.last(), all.last());
            QCOMPARE(*std::min_element(thinned.begin(), thinned.end()),
                     *std::min_element(all.begin(), all.end()));
            QCOMPARE(*std::max_element(thinned.begin(), thinned.end()),
                     *std::max_element(all.begin(), all.end()));
        }
    }

    // Stroked in pieces, a line covers what it covers stroked whole.
    void linePiecesDrawTheWholeLine() {
        QPolygonF line;
        for (int i = 0; i < 300; ++i)
            line.append(QPointF(10 + i, i % 3 ? 20 + (i * 53) % 160 : 190));
        QImage whole(320, 200, QImage::Format_RGB32), pieces = whole;
        for (QImage *image : {&whole, &pieces}) {
            image->fill(Qt::white);
            QPainter painter(image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(QColor(progress::kFullRunColour), 2.5));
            if (image == &whole) {
                QPainterPath path(line.first());
                for (const QPointF &p : line)
                    path.lineTo(p);
                painter.drawPath(path);
            } else {
                progress::strokeInPieces(painter, line);
            }
        }
        int differing = 0;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x)
                differing += qAbs(qGray(whole.pixel(x, y)) - qGray(pieces.pixel(x, y))) > 64;
        QCOMPARE(differing, 0);
    }

    // The columns fit the widest text of any row, however far down, and share the room left.
    void tableColumnsFitTheirWidestText() {
        TextTable table({{QStringLiteral("a")}, {QStringLiteral("b")}});
        const QString wide = QString::fromUtf8("日本の地理と世界史"); // fewer characters, wider
        table.setRows(5000, [&](int row, int column) {
            return row == 4321 && column == 0 ? wide : QStringLiteral("abcdefghijklmn");
        });
        table.resize(100, 300); // no room left over
        table.show();
        QVERIFY(QTest::qWaitForWindowExposed(&table));
        QVERIFY(table.columnWidth(0) >=
                table.sizeHintForIndex(table.model()->index(4321, 0)).width());
        table.resize(700, 300);
        QTRY_VERIFY(
            std::abs(table.columnWidth(0) + table.columnWidth(1) - table.viewport()->width()) <= 1);
    }

    void windowShowsTheChosenSection() {
        for (const Entry &e :
             {run("a", RunKind::Full, 1, 10, 20), run("a", RunKind::Retry, 3, 3, 4),
              run("a", RunKind::Full, 2, 15, 20), run("b", RunKind::Full, 2, 0, 0),
              run("a", RunKind::Practice, 4, 8, 20)})
            QCOMPARE(history::append(e), QString());
        QFile file(history::filePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("garbage\r\n2024-06-04T20:00:00,a,full,ten,5,3,2,1,0,20,600\r\n");
        file.close();

        ProgressWindow w(QStringLiteral("a"));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(items(control<QComboBox>(&w, "sectionBox")), (QStringList{"a", "b"}));
        QCOMPARE(control<QComboBox>(&w, "sectionBox")->currentText(), QStringLiteral("a"));
        QCOMPARE(control<QLabel>(&w, "noticeLabel")->text(),
                 QString::fromUtf8("壊れた行 2 行を読み飛ばしました"));
        QVERIFY(!control<QLabel>(&w, "emptyLabel")->isVisible());
        QCOMPARE(column(control<QTableView>(&w, "runTable"), 0),
                 (QStringList{"2024/06/04 20:00", "2024/06/03 20:00", "2024/06/02 20:00",
                              "2024/06/01 20:00"}));
        QCOMPARE(column(control<QTableView>(&w, "runTable"), 1),
                 (QStringList{"練習", "再挑戦", "全問", "全問"}));
        QCOMPARE(column(control<QTableView>(&w, "runTable"), 8),
                 (QStringList{"40.0%", "75.0%", "75.0%", "50.0%"}));
        const auto x = [](int day) { return qreal(evening(day).toMSecsSinceEpoch()); };
        QCOMPARE(control<ProgressChart>(&w, "chart")->points(RunKind::Full),
                 (QList<QPointF>{{x(1), 50}, {x(2), 75}}));
        QCOMPARE(control<ProgressChart>(&w, "chart")->points(RunKind::Retry),
                 (QList<QPointF>{{x(3), 75}}));
        QCOMPARE(control<ProgressChart>(&w, "chart")->points(RunKind::Practice),
                 (QList<QPointF>{{x(4), 40}}));
        // Drawn where they fall: the first full run lower than the second and left of it, the
        // retry a day later. The legend's markers sit above, between the runs' days.
        const QImage image = control<ProgressChart>(&w, "chart")->grab().toImage();
        const QList<QPoint> full = pixelsOf(image, QColor(progress::kFullRunColour));
        const QList<QPoint> retry = pixelsOf(image, QColor(progress::kRetryRunColour));
        QVERIFY(!full.isEmpty() && !retry.isEmpty() &&
                !pixelsOf(image, QColor(progress::kPracticeRunColour)).isEmpty());
        const auto byX = [](QPoint a, QPoint b) { return a.x() < b.x(); };
        const auto byY = [](QPoint a, QPoint b) { return a.y() < b.y(); };
        const QPoint rightmostFull = *std::max_element(full.begin(), full.end(), byX);
        QVERIFY(std::max_element(full.begin(), full.end(), byY)->x() < rightmostFull.x() - 20);
        QVERIFY(std::max_element(retry.begin(), retry.end(), byX)->x() > rightmostFull.x() + 20);

        control<QComboBox>(&w, "sectionBox")->setCurrentText(QStringLiteral("b"));
        QCOMPARE(column(control<QTableView>(&w, "runTable"), 8),
                 QStringList{"—"}); // nothing to score
    }
};

TESSELLAR_WINDOW_TEST_MAIN(TestProgress)
#include "tst_progress.moc"
