// The settings and the prize classes as the main window applies them.
#include "core/data/Database.h"
#include "core/data/PrizeClassStore.h"
#include "core/draw/DrawSession.h"
#include "core/settings/ProgramSettings.h"
#include "formats/Errors.h"
#include "ui/common/SkinData.h"
#include "ui/main/AudienceWindow.h"
#include "ui/main/ControlStrip.h"
#include "ui/main/DisplayWidgets.h"
#include "ui/main/MainWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScreen>
#include <algorithm>

void MainWindow::reloadSettings() {
    const ProgramSettings settings = ProgramSettings::read();
    if (settings.exists())
        applySettings(settings);
    setWindowTitle(m_caption);
    m_session->rescanPhotos();
    m_skin->loadFromFile(SkinData::activeFile());
    m_display->photo()->proportional = !m_session->photoStretch();
    placeShow();
}

void MainWindow::applySettings(const ProgramSettings& settings) {
    // In the file's order: a bad font size stops here, after the caption,
    // music and font, and is reported naming the file.
    m_caption = settings.caption();
    m_session->setCaption(m_caption);
    const QString background = settings.backgroundFile();
    m_session->setMusic(settings.rollSoundFile(), settings.winSoundFile());
    if (const std::optional<int> colour = settings.fontColor())
        m_wordFont.colour = *colour;
    m_wordFont.name = settings.fontName();
    m_wordFont.size = settings.fontSize();
    m_session->setPhotoFolder(settings.photoFolder());
    SkinData::setActiveFile(ProgramSettings::skinFile(settings.skin()));
    loadBackground(background);
    m_session->setMode(settings.drawMode());
    m_session->setPhotoStretch(settings.photoStretch());
    m_session->setShowWinner(settings.showWinner());
    m_audienceScreenName = settings.audienceScreen();
}

void MainWindow::loadBackground(const QString& file) {
    if (!QFileInfo(file).isFile())
        return;
    QImageReader reader(file);
    reader.setAutoTransform(true);
    // A picture far larger than the screen is decoded at twice the screen's size.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->size() * 2 : QSize();
    if (reader.size().isValid() && area.isValid() &&
        (reader.size().width() > area.width() || reader.size().height() > area.height()))
        reader.setScaledSize(reader.size().scaled(area, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        throw KalvoroError(tr("Cannot load the background picture %1: %2")
                               .arg(QDir::toNativeSeparators(file), reader.errorString()));
    m_display->background()->setPicture(image);
}

void MainWindow::loadPrizeClasses() {
    const QStringList names = PrizeClassStore(Db()).names();
    PrizeClassBox* box = m_strip->prizeClassBox();
    // The class chosen stays chosen: jumping to the first would draw the wrong prize.
    const QString chosen = box->currentIndex() >= 0 ? box->currentText() : QString();
    // The table compares class names without case; so does the choice.
    auto find = [&names, &chosen](Qt::CaseSensitivity cs) -> qsizetype {
        for (qsizetype i = 0; i < names.size(); ++i)
            if (names.at(i).compare(chosen, cs) == 0)
                return i;
        return -1;
    };
    qsizetype keep = find(Qt::CaseSensitive);
    if (keep < 0)
        keep = find(Qt::CaseInsensitive);
    box->clear();
    box->addItems(names);
    box->setCurrentIndex(names.isEmpty() ? -1 : int(std::max<qsizetype>(keep, 0)));
    m_session->setPrizeClass(box->currentText());
    if (!chosen.isEmpty() && keep < 0 && !names.isEmpty())
        m_strip->promptLabel()->setText(tr("The class \"%1\" is gone; the draw is now for \"%2\"")
                                            .arg(chosen, box->currentText()));
}
