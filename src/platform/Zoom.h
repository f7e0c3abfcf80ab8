#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Larger text for learners with low vision: one zoom level in percent, kept in the settings
// store, for the quiz panes, the results report and the editor's text boxes.
namespace zoom {

inline constexpr int kSmallest = 50;
inline constexpr int kNormal = 100;
inline constexpr int kLargest = 300;

// The stored level; a value that is absent or not a number reads as 100, one out of range
// as the nearest end of the range.
int stored();
void store(int percent);
// The preset level steps steps above (or below, when negative) percent, within the range.
int stepped(int percent, int steps);
// A font's size at the level.
double scaled(double points, int percent);

} // namespace zoom

// Ctrl+plus, Ctrl+minus, Ctrl+0 and Ctrl+wheel anywhere in a window change the stored zoom
// level, and apply shows it. apply also runs at once and whenever the window becomes active
// again: another window may have changed the level meanwhile.
class ZoomKeys : public QObject {
public:
    ZoomKeys(QWidget *window, std::function<void(int percent)> apply);
    ~ZoomKeys() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void change(int percent);
    bool turnWheel(int angle);

    QWidget *m_window;
    std::function<void(int)> m_apply;
    int m_wheelAngle = 0; // turned and not yet a step, in eighths of a degree
};
