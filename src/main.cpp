#include "core/data/Database.h"
#include "ui/common/UserPrompts.h"
#include "ui/main/MainWindow.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kalvoro"));
    QApplication::setApplicationVersion(QStringLiteral(KALVORO_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("kalvoro"));

    MainWindow form;
    Database database;
    if (!database.isUsable())
        UserPrompts::instance().message(nullptr, database.openFailureText());
    // Maximized even where no window manager does it (a projector's kiosk session).
    if (const QScreen* screen = form.screen())
        form.setGeometry(screen->availableGeometry());
    form.showMaximized();
    form.raise();
    form.activateWindow();
    return QApplication::exec();
}
