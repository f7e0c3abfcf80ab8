#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <utility>

// Helpers every test program shares: an isolated home and a clean settings store.
namespace testsupport {

// Points HOME and the XDG folders at a temporary folder, so no test touches the real home.
// Called before the application object exists.
void isolateEnvironment();

// A fresh, empty settings store in a temporary folder, for as long as the object lives.
class CleanSettings {
public:
    CleanSettings();
    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

// A folder of the environment (XDG_DATA_HOME, ...) pointed at a file for as long as the object
// lives: nothing can be written under it, as on a home whose folder was replaced by a file.
class UnwritableFolder {
public:
    UnwritableFolder(const char *variable, const QString &file)
        : m_variable(variable), m_saved(qgetenv(variable)) {
        qputenv(variable, QFile::encodeName(file));
    }
    ~UnwritableFolder() { qputenv(m_variable, m_saved); }
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

private:
    const char *m_variable;
    QByteArray m_saved;
};

// A small file system that is full: a 64 KB tmpfs mounted on a temporary folder (which
// needs root), holding the given files and then filled to the last byte.
class FullDisk {
public:
    explicit FullDisk(const QList<std::pair<QString, QByteArray>> &files);
    ~FullDisk();
    // Empty when the disk is ready; otherwise why there is none.
    QString unavailable() const { return m_unavailable; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_unavailable;
    bool m_mounted = false;
};

// Runs the event loop until the condition holds or the time is up; says whether it holds.
// Unlike QTest::qWaitFor, which sleeps 10 ms between rounds of events, this wakes for each
// event: the web engine's many round trips to the main thread then take no longer than in
// the program.
bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 15000);
// Runs the event loop for this long, for the few tests that need time itself to pass.
void runEventsFor(int ms);

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

// The bytes of a quiz file of count questions numbered 1 to count, all texts empty, made
// without the program's writer, which refuses more questions than a run takes.
inline constexpr qsizetype kEmptyRecordSize = 4 + 4 + 5 * 2;
QByteArray numberedEmptyQuiz(qint32 count);

} // namespace testsupport

// QTRY_VERIFY and QTRY_COMPARE on testsupport::waitUntil.
#define TRY_VERIFY_WITHIN(expr, timeoutMs)                                                         \
    do {                                                                                           \
        testsupport::waitUntil([&] { return bool(expr); }, timeoutMs);                             \
        QVERIFY(expr);                                                                             \
    } while (false)
#define TRY_VERIFY(expr) TRY_VERIFY_WITHIN(expr, 15000)
#define TRY_COMPARE(actual, expected)                                                              \
    do {                                                                                           \
        testsupport::waitUntil([&] { return (actual) == (expected); });                            \
        QCOMPARE(actual, expected);                                                                \
    } while (false)

// main() of a test program: the environment isolated, then `prepare`, then the application.
#define TESSELLAR_TEST_MAIN_PREPARED(AppClass, TestClass, prepare)                                 \
    int main(int argc, char *argv[]) {                                                             \
        testsupport::isolateEnvironment();                                                         \
        prepare;                                                                                   \
        AppClass app(argc, argv);                                                                  \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
#define TESSELLAR_TEST_MAIN(AppClass, TestClass)                                                   \
    TESSELLAR_TEST_MAIN_PREPARED(AppClass, TestClass, (void)0)

// Windows are drawn as the program draws them (tests linked with the window library).
#if __has_include("Rendering.h")
#include "Rendering.h"
#define TESSELLAR_WINDOW_TEST_MAIN(TestClass)                                                      \
    TESSELLAR_TEST_MAIN_PREPARED(QApplication, TestClass, rendering::choose())
#endif
