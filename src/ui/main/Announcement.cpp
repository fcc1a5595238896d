// The winner announcement: three lines growing at the bottom of the display in
// cycling colours, on a dark backing, while the photo widens from the left.
#include "core/draw/DrawSession.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/main/MainWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int AnnounceSteps = 130;
// The colours the text steps through, in order, in the settings file's form:
// red, yellow, green, blue, maroon, olive, navy.
constexpr int Cycle[] = {255, 65535, 32768, 16711680, 128, 32896, 8388608};
} // namespace

void MainWindow::nextAnnounceColour() {
    BannerLabel* banner = m_display->banner();
    const int n = int(std::size(Cycle));
    for (int i = 0; i < n; ++i)
        if (banner->fontColor() == Cycle[i]) {
            banner->setFontColor(Cycle[(i + 1) % n]);
            return;
        }
}

bool MainWindow::announcementCancelled(int generation) const {
    // A newer announcement, or the next draw, ends this one.
    return m_session->isArmed() || generation != m_announceGeneration;
}

void MainWindow::announceWinner(const QString& name, const QString& prizeClass) {
    const int generation = ++m_announceGeneration;
    BannerLabel* banner = m_display->banner();
    PictureView* photo = m_display->photo();
    banner->setFontName(m_wordFont.name);
    banner->setLayoutBottom(true);
    // Backed, to read over a light photo; each of the three stays one line, and
    // the banner caps every step's size at what fits (a long name shrinks all three).
    banner->setBacked(true);
    banner->setLines({tr("Congratulations"), name, tr("Won the %1!").arg(prizeClass)});
    photo->alignClient = false;
    photo->setGeometry(photo->x(), 0, 0, m_display->height());
    photo->setVisible(true);
    banner->setFontColor(Cycle[0]);
    for (int step = 1; step <= AnnounceSteps; ++step) {
        banner->setFontSize(step);
        nextAnnounceColour();
        banner->repaint();
        photo->resize(step * 10, m_display->height());
        // Keys and timers keep running while it grows.
        QCoreApplication::processEvents();
        if (announcementCancelled(generation))
            break;
        if (m_announceStepMs > 0) {
            QEventLoop wait;
            QTimer::singleShot(m_announceStepMs, &wait, &QEventLoop::quit);
            wait.exec();
            if (announcementCancelled(generation))
                break;
        }
    }
    if (generation != m_announceGeneration)
        return;
    banner->setFontColor(m_wordFont.colour);
    banner->setFontSize(m_wordFont.size);
    photo->alignClient = true;
    m_display->layoutChildren();
}
