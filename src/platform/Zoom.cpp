#include "Zoom.h"

#include "Settings.h"

#include <QAction>
#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <array>

namespace {
// One notch of a mouse wheel, in eighths of a degree.
constexpr int kNotch = 120;
} // namespace

namespace zoom {
namespace {
// The levels browsers offer, so that each step looks alike.
constexpr std::array kLevels = {50, 67, 75, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};
static_assert(kLevels.front() == kSmallest && kLevels.back() == kLargest);

QString key() {
    return QStringLiteral("Zoom");
}
} // namespace

int stored() {
    return std::clamp(settings::readNumber(key(), kNormal), kSmallest, kLargest);
}

void store(int percent) {
    settings::writeNumber(key(), percent);
}

int stepped(int percent, int steps) {
    for (; steps > 0; --steps) {
        const auto *above = std::upper_bound(kLevels.begin(), kLevels.end(), percent);
        percent = above == kLevels.end() ? kLargest : *above;
    }
    for (; steps < 0; ++steps) {
        const auto *below = std::lower_bound(kLevels.begin(), kLevels.end(), percent);
        percent = below == kLevels.begin() ? kSmallest : *(below - 1);
    }
    return std::clamp(percent, kSmallest, kLargest);
}

double scaled(double points, int percent) {
    return points * percent / kNormal;
}

} // namespace zoom

ZoomKeys::ZoomKeys(QWidget *window, std::function<void(int)> apply)
    : QObject(window), m_window(window), m_apply(std::move(apply)) {
    const auto shortcut = [this](const QList<QKeySequence> &keys, const auto &level) {
        auto *action = new QAction(m_window);
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, [this, level] { change(level()); });
        m_window->addAction(action);
    };
    shortcut(QKeySequence::keyBindings(QKeySequence::ZoomIn) +
                 QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Equal)},
             [] { return zoom::stepped(zoom::stored(), +1); });
    shortcut(QKeySequence::keyBindings(QKeySequence::ZoomOut),
             [] { return zoom::stepped(zoom::stored(), -1); });
    shortcut({QKeySequence(Qt::CTRL | Qt::Key_0)}, [] { return zoom::kNormal; });
    qApp->installEventFilter(this);
    m_apply(zoom::stored());
}

ZoomKeys::~ZoomKeys() {
    qApp->removeEventFilter(this);
}

void ZoomKeys::change(int percent) {
    zoom::store(percent);
    m_apply(percent);
}

bool ZoomKeys::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_window && event->type() == QEvent::WindowActivate) {
        m_apply(zoom::stored());
    } else if (event->type() == QEvent::Wheel && watched->isWidgetType() &&
               static_cast<QWidget *>(watched)->window() == m_window) {
        const auto *wheel = static_cast<QWheelEvent *>(event);
        if (wheel->modifiers() & Qt::ControlModifier)
            return turnWheel(wheel->angleDelta().y());
    }
    return false;
}

// Each notch is one step; a fine-grained wheel adds up its turns to notches.
bool ZoomKeys::turnWheel(int angle) {
    m_wheelAngle += angle;
    const int steps = m_wheelAngle / kNotch;
    m_wheelAngle -= steps * kNotch;
    if (steps != 0)
        change(zoom::stepped(zoom::stored(), steps));
    return true;
}
