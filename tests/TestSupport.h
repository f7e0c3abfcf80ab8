#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

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
