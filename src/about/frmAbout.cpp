#include "frmAbout.h"
#include "Design.h"

#include "MessageBox.h"
#include "SysInfo.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

using design::place;
using design::text;

namespace {

QLabel *blackLabel(QWidget *parent, const char *name, int left, int top, int width, int height) {
    QLabel *label = place(new QLabel(parent), name, left, top, width, height);
    label->setStyleSheet(QStringLiteral("color: black;"));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The etched separator: a grey line with a white one a pixel below.
class EtchedLine : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawLine(0, 0, width() - 1, 0);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawLine(1, 2, width() - 1, 2);
    }
};
} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      registry(std::make_unique<MemoryRegistry>()),
      fileExists([](const QString &path) { return QFileInfo::exists(path); }),
      installedProgram(&sysinfo::findInstalledProgram),
      startProgram([](const QString &path) { return QProcess::startDetached(path, {}); }) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(text("ﾊﾞｰｼﾞｮﾝ情報 Tessellar"));
    setFixedSize(twips::toPixels(5865), twips::toPixels(3630));
    cmdOK = place(new QPushButton(QStringLiteral("OK"), this), "cmdOK", 4245, 2625, 1467, 345);
    cmdOK->setDefault(true);
    cmdSysInfo =
        place(new QPushButton(text("ｼｽﾃﾑ情報(&S)..."), this), "cmdSysInfo", 4260, 3075, 1452, 345);
    cmdSysInfo->setAutoDefault(false);
    picIcon = place(new QLabel(this), "picIcon", 240, 240, 1020, 1020);
    picIcon->setStyleSheet(QStringLiteral("background-color: #C0C0C0;"));
    picIcon->setAlignment(Qt::AlignCenter);
    lblDisclaimer = blackLabel(this, "lblDisclaimer", 255, 2625, 3870, 825);
    lblVersion = place(new QLabel(this), "lblVersion", 1485, 780, 4065, 225);
    lblTitle = blackLabel(this, "lblTitle", 1485, 240, 3960, 480);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblDescription = blackLabel(this, "lblDescription", 1350, 1125, 4095, 1170);
    place(new EtchedLine(this), "Line1", 225, 2430, 5432, 45);
    setTabOrder(cmdOK, cmdSysInfo);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    Form_Load();
}

QString frmAbout::versionLine(int major, int minor, int revision) {
    return text("ﾊﾞｰｼﾞｮﾝ ") + QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

void frmAbout::Form_Load() {
    picIcon->setPixmap(QPixmap(QStringLiteral(":/icons/tessellar-64.png")));
    lblVersion->setText(
        versionLine(TESSELLAR_VERSION_MAJOR, TESSELLAR_VERSION_MINOR, TESSELLAR_VERSION_PATCH));
    lblTitle->setText(QStringLiteral("Tessellar"));
    lblDescription->setText(
        text("[Ｔｅｓｓｅｌｌａｒ]は，クイズの作成および実行，結果表示をします。"));
    lblDisclaimer->setText(
        text("警告:_このアプリケーションの使用によって生じたいかなる損害についても，"
             "作者は一切の責任を負いません。"));
}

void frmAbout::StartSysInfo() {
    QString path = sysinfo::findInRegistry(*registry, fileExists);
    if (path.isEmpty())
        path = installedProgram();
    if (!path.isEmpty() && startProgram(path))
        return;
    messagebox::show(this, text("現時点ではｼｽﾃﾑ情報を使用できません"),
                     messagebox::applicationTitle());
}
