#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

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

QByteArray readFile(const QString &path);
void writeFile(const QString &path, const QByteArray &bytes);

} // namespace testsupport

#define TESSELLAR_TEST_MAIN(AppClass, TestClass)                                                   \
    int main(int argc, char *argv[]) {                                                             \
        testsupport::isolateEnvironment();                                                         \
        AppClass app(argc, argv);                                                                  \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
