#pragma once

#include "Registry.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

// The About box: title, version, description and disclaimer, and a button that starts the
// system-information tool.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
    QLabel *picIcon = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *lblDescription = nullptr;

    // Where the tool is looked up, and how files are tested and programs started; the
    // registry is empty on desktops without one. Replaceable for tests.
    std::unique_ptr<Registry> registry;
    std::function<bool(const QString &)> fileExists;
    std::function<QString()> installedProgram;
    std::function<bool(const QString &)> startProgram;

    // "ﾊﾞｰｼﾞｮﾝ " + major.minor.revision.
    static QString versionLine(int major, int minor, int revision);

public slots:
    void StartSysInfo();

private:
    void Form_Load();
};
