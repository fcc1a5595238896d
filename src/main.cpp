#include "app/Unit1.h"
#include "data/DataModule.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kalvoro"));
    QApplication::setApplicationVersion(QStringLiteral(KALVORO_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("kalvoro"));

    TForm1 form;
    TDataModule2 dataModule;
    // Maximized even where no window manager does it (a projector's kiosk session).
    if (const QScreen* screen = form.screen())
        form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    form.raise();
    form.activateWindow();
    return QApplication::exec();
}
