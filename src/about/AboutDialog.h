#pragma once

#include "Registry.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

// The About box: title, version, description and disclaimer, and a button that starts the
// system-information tool.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget *parent = nullptr);

    // Where the tool is looked up, and how files are tested and programs started; the
    // registry is empty on desktops without one. Replaceable for tests.
    std::unique_ptr<Registry> registry;
    std::function<bool(const QString &)> fileExists;
    std::function<QString()> installedProgram;
    std::function<bool(const QString &)> startProgram;

    // "ﾊﾞｰｼﾞｮﾝ " + major.minor.revision.
    static QString versionLine(int major, int minor, int revision);

public slots:
    void startSystemInfo();

private:
    // The controls, each named (objectName) as here.
    QPushButton *okButton = nullptr;
    QPushButton *systemInfoButton = nullptr;
    QLabel *iconLabel = nullptr;
    QLabel *disclaimerLabel = nullptr;
    QLabel *versionLabel = nullptr;
    QLabel *titleLabel = nullptr;
    QLabel *descriptionLabel = nullptr;

    void showTexts();
};
