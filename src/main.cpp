#include "app/Unit1.h"
#include "data/DataModule.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kalvoro"));
    QApplication::setApplicationVersion(QStringLiteral(KALVORO_VERSION_TEXT));
    QApplication::setDesktopFileName(QStringLiteral("kalvoro"));

    TForm1 form;
    TDataModule2 dataModule;
    form.showMaximized();
    return QApplication::exec();
}
