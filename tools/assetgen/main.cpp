// kalvoro_assetgen <program folder>: draws and synthesises the shipped pictures,
// sounds, sample photos and icons. Output is the same on every run.
#include "AssetGen.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>
#include <exception>
#include <stdexcept>

QString ensureFolder(const QString& programDir, const QString& name) {
    const QString path = QDir(programDir).filePath(name);
    if (!QDir().mkpath(path))
        throw std::runtime_error("cannot create " + QFile::encodeName(path).toStdString());
    return path + QLatin1Char('/');
}

int main(int argc, char** argv) {
    // Text needs a font database, and that needs an application; no display is used.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: kalvoro_assetgen <program folder>\n");
        return 2;
    }
    const QString dir = args.at(1);
    QElapsedTimer clock;
    clock.start();
    try {
        generateIcons(dir);
        generatePortraits(dir);
        generateBackgrounds(dir);
        generateSounds(dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kalvoro_assetgen: %s\n", e.what());
        return 1;
    }
    std::printf("kalvoro_assetgen: wrote %s in %lld ms\n", QFile::encodeName(dir).constData(),
                static_cast<long long>(clock.elapsed()));
    return 0;
}
