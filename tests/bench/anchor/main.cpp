// The benchmarks' anchor: the least a program needs to do what the main window does, and no
// more. A window with a line edit holding the caret and two HTML views, each showing a blank
// page and then its content set as the body's inner HTML; Return shows the next question.
// It reports its panes on screen the way the program does (PaintReport), and does not link
// the program's window library.
//   bench_anchor [--size WxH] [--pane X,Y,WxH --pane X,Y,WxH] [--no-panes] [--flash MS]
#include "../BenchQuiz.h"
#include "PaintReport.h"
#include "Rendering.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyleHints>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

namespace {
struct Options {
    QSize size{590, 771};
    QList<QRect> panes{{104, 98, 469, 127}, {104, 241, 469, 130}};
    bool withPanes = true;
    int flashTime = -1; // the platform's
};

// "X,Y,WxH" or "WxH" into numbers.
QList<int> numbers(const QString &text) {
    QList<int> values;
    for (const QString &part : text.split(QRegularExpression(QStringLiteral("[,x]"))))
        values.append(part.toInt());
    return values;
}

Options parse(const QStringList &args) {
    Options options;
    QList<QRect> panes;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        const bool valued = i + 1 < args.size();
        if (arg == QLatin1String("--size") && valued) {
            const QList<int> v = numbers(args[++i]);
            options.size = QSize(v.value(0), v.value(1));
        } else if (arg == QLatin1String("--pane") && valued) {
            const QList<int> v = numbers(args[++i]);
            panes.append(QRect(v.value(0), v.value(1), v.value(2), v.value(3)));
        } else if (arg == QLatin1String("--flash") && valued) {
            options.flashTime = args[++i].toInt();
        } else if (arg == QLatin1String("--no-panes")) {
            options.withPanes = false;
        }
    }
    if (panes.size() == 2)
        options.panes = panes;
    return options;
}

QString scriptLiteral(const QString &text) {
    const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.sliced(1, json.size() - 2));
}

class AnchorWindow : public QWidget {
public:
    explicit AnchorWindow(const Options &options) {
        resize(options.size);
        auto *edit = new QLineEdit(this);
        edit->setGeometry(8, 8, 90, 24);
        edit->setFocus();
        const char *names[] = {"questionPane", "choicesPane"};
        for (int i = 0; i < 2 && options.withPanes; ++i) {
            auto *view = new QWebEngineView(this);
            view->setObjectName(QLatin1String(names[i]));
            view->setGeometry(options.panes[i]);
            connect(view->page(), &QWebEnginePage::loadFinished, view, [view](bool ok) {
                if (ok)
                    view->page()->runJavaScript(paintreport::frameScript(view),
                                                QWebEngineScript::ApplicationWorld);
            });
            view->setHtml(QStringLiteral("<html><body></body></html>"),
                          QUrl(QStringLiteral("file:///")));
            m_views[i] = view;
        }
        // Return anywhere in the window, as in the program; a view may hold the focus.
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent *>(event)->key() != Qt::Key_Return)
            return false;
        if (m_views[0])
            showQuestion(++m_question);
        return true;
    }

private:
    void showQuestion(int n) {
        const QString pages[] = {benchquiz::page(benchquiz::question(n)),
                                 benchquiz::page(benchquiz::choices(n))};
        for (int i = 0; i < 2; ++i)
            m_views[i]->page()->runJavaScript(
                QStringLiteral("document.body.innerHTML = %1; %2 true;")
                    .arg(scriptLiteral(pages[i]), paintreport::frameScript(m_views[i])),
                QWebEngineScript::ApplicationWorld);
    }

    QWebEngineView *m_views[2] = {};
    int m_question = 0;
};
} // namespace

int main(int argc, char *argv[]) {
    rendering::choose(); // as the program does
    QApplication app(argc, argv);
    const Options options = parse(app.arguments());
    if (options.flashTime >= 0)
        QGuiApplication::styleHints()->setCursorFlashTime(options.flashTime);
    AnchorWindow window(options);
    window.show();
    return QApplication::exec();
}
