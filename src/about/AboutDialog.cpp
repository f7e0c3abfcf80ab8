#include "AboutDialog.h"
#include "Design.h"

#include "MessageBox.h"
#include "SysInfo.h"

#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>

using design::placeTwips;
using design::uiText;

namespace {

QLabel *blackLabel(QWidget *parent, const char *name, int left, int top, int width, int height) {
    QLabel *label = placeTwips(new QLabel(parent), name, left, top, width, height);
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

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      registry(std::make_unique<MemoryRegistry>()),
      fileExists([](const QString &path) { return QFileInfo::exists(path); }),
      installedProgram(&sysinfo::findInstalledProgram),
      startProgram([](const QString &path) { return QProcess::startDetached(path, {}); }) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(uiText("ﾊﾞｰｼﾞｮﾝ情報 Tessellar"));
    setFixedSize(twips::toPixels(5865), twips::toPixels(3630));
    okButton =
        placeTwips(new QPushButton(QStringLiteral("&OK"), this), "okButton", 4245, 2625, 1467, 345);
    okButton->setDefault(true);
    systemInfoButton = placeTwips(new QPushButton(uiText("ｼｽﾃﾑ情報(&S)..."), this),
                                  "systemInfoButton", 4260, 3075, 1452, 345);
    systemInfoButton->setAutoDefault(false);
    iconLabel = placeTwips(new QLabel(this), "iconLabel", 240, 240, 1020, 1020);
    iconLabel->setStyleSheet(QStringLiteral("background-color: #C0C0C0;"));
    iconLabel->setAlignment(Qt::AlignCenter);
    disclaimerLabel = blackLabel(this, "disclaimerLabel", 255, 2625, 3870, 825);
    versionLabel = placeTwips(new QLabel(this), "versionLabel", 1485, 780, 4065, 225);
    titleLabel = blackLabel(this, "titleLabel", 1485, 240, 3960, 480);
    QFont titleFont = titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);
    descriptionLabel = blackLabel(this, "descriptionLabel", 1350, 1125, 4095, 1170);
    placeTwips(new EtchedLine(this), "separatorLine", 225, 2430, 5432, 45);
    setTabOrder(okButton, systemInfoButton);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutDialog::startSystemInfo);
    showTexts();
}

QString AboutDialog::versionLine(int major, int minor, int revision) {
    return uiText("ﾊﾞｰｼﾞｮﾝ ") + QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

void AboutDialog::showTexts() {
    iconLabel->setPixmap(QPixmap(QStringLiteral(":/icons/tessellar-64.png")));
    versionLabel->setText(
        versionLine(TESSELLAR_VERSION_MAJOR, TESSELLAR_VERSION_MINOR, TESSELLAR_VERSION_PATCH));
    titleLabel->setText(QStringLiteral("Tessellar"));
    descriptionLabel->setText(
        uiText("[Ｔｅｓｓｅｌｌａｒ]は，クイズの作成および実行，結果表示をします。"));
    disclaimerLabel->setText(
        uiText("警告:_このアプリケーションの使用によって生じたいかなる損害についても，"
               "作者は一切の責任を負いません。"));
    // Shown as it always was; heard with a pause where the underscore stands, not the sign.
    disclaimerLabel->setAccessibleName(
        disclaimerLabel->text().replace(QLatin1Char('_'), QLatin1Char(' ')));
}

void AboutDialog::startSystemInfo() {
    QString path = sysinfo::findInRegistry(*registry, fileExists);
    if (path.isEmpty())
        path = installedProgram();
    if (!path.isEmpty() && startProgram(path))
        return;
    messagebox::show(this, uiText("現時点ではｼｽﾃﾑ情報を使用できません"),
                     messagebox::applicationTitle());
}
