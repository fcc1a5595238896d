#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvoro"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kalvoro"));
    return 0;
}
