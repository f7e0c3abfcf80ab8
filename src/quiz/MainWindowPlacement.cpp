// Where the main window opens: the placement kept in the settings, fitted on the screens and
// applied once the window manager's frame is known, and kept again when the window closes.
#include "Design.h"
#include "MainLayout.h"
#include "MainWindow.h"
#include "Placement.h"
#include "Settings.h"
#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
QRect twipsOf(const QRect &pixels) {
    return {twips::fromPixels(pixels.x()), twips::fromPixels(pixels.y()),
            twips::fromPixels(pixels.width()), twips::fromPixels(pixels.height())};
}
} // namespace

void MainWindow::restorePlacement() {
    const int left = settings::readNumber(QStringLiteral("MainLeft"), 1000);
    const int top = settings::readNumber(QStringLiteral("MainTop"), 1000);
    const int width = settings::readNumber(QStringLiteral("MainWidth"), 8850);
    const int height = settings::readNumber(QStringLiteral("MainHeight"), 12000);
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    const QRect read = twips::toPixels(left, top, width, height);
    m_placement =
        placement::fitOnScreens(read, screens, twips::toPixels(1000, 1000, 0, 0).topLeft());
    m_placementTwips = m_placement == read ? QRect(left, top, width, height) : twipsOf(m_placement);
    applyPlacement();
    m_placed = false;
    design::whenFramed(this, [this] {
        if (windowState() == Qt::WindowNoState)
            applyPlacement(); // the frame is known now: the outer placement comes true
        m_placed = true;
    });
}

void MainWindow::applyPlacement() {
    design::keepMinimumOuterSize(this, kMainMinWidth, kMainMinHeight); // for this frame
    design::setOuterGeometry(this, m_placement);
}

void MainWindow::savePlacement() {
    // A window left where it opened keeps the very values it was read with: pixels hold
    // whole multiples of 15 twips only, and the saved placement must not drift.
    const QRect frame = design::outerGeometry(this);
    const QRect saved =
        frame == m_placement
            ? m_placementTwips
            : QRect(twips::fromPixels(frame.x()), twips::fromPixels(frame.y()),
                    twips::fromPixels(frame.width()), twips::fromPixels(frame.height()));
    settings::writeNumber(QStringLiteral("MainLeft"), saved.x());
    settings::writeNumber(QStringLiteral("MainTop"), saved.y());
    settings::writeNumber(QStringLiteral("MainWidth"), saved.width());
    settings::writeNumber(QStringLiteral("MainHeight"), saved.height());
}
