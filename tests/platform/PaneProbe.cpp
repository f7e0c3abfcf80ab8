#include "PaneProbe.h"

#include "HtmlPane.h"
#include "TestSupport.h"

#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QtTest>

#include <memory>

namespace paneprobe {

QVariant evaluate(HtmlPane *pane, const QString &script, bool inPagesWorld) {
    struct Answer {
        QVariant value;
        bool given = false;
    };
    // Shared: a page hands its waiting calls an answer when it is deleted, maybe much later.
    const auto answer = std::make_shared<Answer>();
    pane->page()->runJavaScript(
        script, inPagesWorld ? QWebEngineScript::MainWorld : QWebEngineScript::ApplicationWorld,
        [answer](const QVariant &value) {
            answer->value = value;
            answer->given = true;
        });
    if (!testsupport::waitUntil([&] { return answer->given; }, 15000))
        return QVariant();
    return answer->value;
}

QString visibleText(HtmlPane *pane) {
    return evaluate(pane, QStringLiteral(R"((function () {
        var text = document.body ? document.body.innerText : '';
        for (var i = 0; i < window.frames.length; ++i) {
            try { text += '\n' + window.frames[i].document.documentElement.innerText; }
            catch (e) { text += '\nFOREIGN FRAME'; }
        }
        return text;
    })())"))
        .toString();
}

bool clickElement(HtmlPane *pane, const QString &id) {
    const QVariantList box =
        evaluate(pane, QStringLiteral("(function (e) { if (!e) return []; var r = "
                                      "e.getBoundingClientRect(); return [r.left + r.width / 2, "
                                      "r.top + r.height / 2]; })(document.getElementById('%1'))")
                           .arg(id))
            .toList();
    QWidget *surface = pane->focusProxy();
    if (box.size() != 2 || !surface)
        return false;
    QTest::mouseClick(surface, Qt::LeftButton, {},
                      QPointF(box[0].toDouble(), box[1].toDouble()).toPoint());
    return true;
}

} // namespace paneprobe
