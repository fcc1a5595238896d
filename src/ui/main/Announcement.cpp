// The winner announcement: three lines growing at the bottom of the display in
// cycling colours while the photo widens from the left.
#include "ui/main/MainWindow.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int clRed = 255;
constexpr int clYellow = 65535;
constexpr int clGreen = 32768;
constexpr int clBlue = 16711680;
constexpr int clMaroon = 128;
constexpr int clOlive = 32896;
constexpr int clNavy = 8388608;
constexpr int AnnounceSteps = 130;
} // namespace

void MainWindow::NextAnnounceColour() {
    int next = LabelWZ->fontColor();
    switch (next) {
    case clRed:
        next = clYellow;
        break;
    case clYellow:
        next = clGreen;
        break;
    case clGreen:
        next = clBlue;
        break;
    case clBlue:
        next = clMaroon;
        break;
    case clMaroon:
        next = clOlive;
        break;
    case clOlive:
        next = clNavy;
        break;
    case clNavy:
        next = clRed;
        break;
    default:
        return;
    }
    LabelWZ->setFontColor(next);
}

void MainWindow::AnnounceWinner() {
    // A newer announcement (or the next draw) ends this one.
    const int generation = ++m_announceGeneration;
    try {
        const QString caption = windowTitle();
        const QString name = caption.left(
            caption.indexOf(QLatin1Char('.')) < 0 ? 0 : caption.indexOf(QLatin1Char('.')));
        LabelWZ->setFontName(WordFontName);
        LabelWZ->setLayoutBottom(true);
        QString text = QStringLiteral("Congratulations");
        text += QChar(13) + name;
        text += QChar(13) + QStringLiteral("Won the ") + bsSkinComboBox1->currentText() +
                QLatin1Char('!');
        LabelWZ->setText(text);
        Image2->AlignClient = false;
        Image2->setGeometry(Image2->x(), 0, 0, bsSkinPanel1->height());
        Image2->setVisible(true);
        LabelWZ->setFontColor(clRed);
        for (int step = 1; step <= AnnounceSteps; ++step) {
            LabelWZ->setFontSize(step);
            NextAnnounceColour();
            LabelWZ->repaint();
            Image2->resize(step * 10, bsSkinPanel1->height());
            QCoreApplication::processEvents();
            if (DrawArmed || generation != m_announceGeneration)
                break;
            if (AnnounceStepMs > 0) {
                // Wait without blocking: keys and timers keep running.
                QEventLoop wait;
                QTimer::singleShot(AnnounceStepMs, &wait, &QEventLoop::quit);
                wait.exec();
                if (DrawArmed || generation != m_announceGeneration)
                    break;
            }
        }
        if (generation != m_announceGeneration)
            return;
        LabelWZ->setFontColor(WordFontColor);
        LabelWZ->setFontSize(WordFontSize);
        Image2->AlignClient = true;
        bsSkinPanel1->layoutChildren();
    } catch (...) {
    }
}
