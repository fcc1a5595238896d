#include "ui/presets/PhotoPresetDialog.h"

#include "core/data/Database.h"
#include "core/data/PhotoWinnerStore.h"
#include "core/data/PresetStore.h"
#include "core/settings/ProgramFolder.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QToolButton>

namespace {

bool DisplayCanLoad(const QString& path) {
    // The same reading the roll's display does, so that what is stored can be shown.
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead() && reader.size().isValid();
}

} // namespace

PhotoPresetDialog::PhotoPresetDialog(QWidget* parent)
    : PresetDialog(parent, {QStringLiteral("PhotoPresetDialog"), tr("cheat"), QSize(847, 538),
                            tr("Note:Plase put the cheat photo in another folder."),
                            tr("cheat photo folder"), tr("Cheat List:")}) {
    pictureButton = new QToolButton(this);
    pictureButton->setObjectName(QStringLiteral("pictureButton"));
    const QIcon folder(ProgramFolder::path() + QStringLiteral("icons/folder.png"));
    if (folder.isNull()) {
        pictureButton->setText(QStringLiteral("..."));
    } else {
        pictureButton->setIcon(folder);
        pictureButton->setIconSize(QSize(20, 20));
    }
    pictureButton->setToolTip(tr("Open picture"));
    pictureButton->setAccessibleName(tr("Open picture"));
    addEntryButton(pictureButton);
    connect(pictureButton, &QToolButton::clicked, this, &PhotoPresetDialog::choosePicture);
    openPresetList({{QT_TRANSLATE_NOOP("PresetDialog", "filename"), 58, false},
                    {QT_TRANSLATE_NOOP("PresetDialog", "class"), 16, false},
                    {QT_TRANSLATE_NOOP("PresetDialog", "date"), 15, true}});
}

QSqlQuery PhotoPresetDialog::listRows() const {
    return PresetStore(Db()).photoListRows();
}

void PhotoPresetDialog::removeRow(qlonglong rowId) {
    PresetStore(Db()).removePhotoPreset(rowId);
}

bool PhotoPresetDialog::isListed(const QString& value, const QString& prizeClass) const {
    return PresetStore(Db()).hasPhotoPreset(value, prizeClass);
}

bool PhotoPresetDialog::hasWon(const QString& value) const {
    return PhotoWinnerStore(Db()).isWon(value);
}

void PhotoPresetDialog::insert(const QString& value, const QString& prizeClass) {
    PresetStore(Db()).addPhotoPreset(value, prizeClass);
}

QString PhotoPresetDialog::pictureFilter() {
    const QList<QByteArray> formats = QImageReader::supportedImageFormats();
    // On a case-sensitive file system a camera's PHOTO.JPG must be offered too.
    auto patterns = [](std::initializer_list<const char*> extensions) {
        QStringList out;
        for (const char* e : extensions) {
            const QString ext = QLatin1String(e);
            out << QStringLiteral("*.") + ext << QStringLiteral("*.") + ext.toUpper();
        }
        return out.join(QLatin1Char(' '));
    };
    struct Kind {
        const char* format;
        const char* title;
        QString patterns;
    };
    const Kind kinds[] = {
        {"jpeg", QT_TR_NOOP("JPG"), patterns({"jpg", "jpeg"})},
        {"png", QT_TR_NOOP("PNG"), patterns({"png"})},
        {"bmp", QT_TR_NOOP("Bitmaps"), patterns({"bmp"})},
        {"gif", QT_TR_NOOP("GIF"), patterns({"gif"})},
        {"webp", QT_TR_NOOP("WebP"), patterns({"webp"})},
        {"tiff", QT_TR_NOOP("TIFF"), patterns({"tif", "tiff"})},
    };
    QStringList all;
    QStringList entries;
    for (const Kind& kind : kinds) {
        if (!formats.contains(QByteArray(kind.format)))
            continue;
        all << kind.patterns;
        entries << QStringLiteral("%1 (%2)").arg(tr(kind.title), kind.patterns);
    }
    entries.prepend(tr("All (%1)").arg(all.join(QLatin1Char(' '))));
    return entries.join(QStringLiteral(";;"));
}

QString PhotoPresetDialog::pictureFolder() const {
    const QString typed = enteredText().trimmed();
    if (!typed.isEmpty()) {
        const QFileInfo info(typed);
        const QString dir = info.isDir() ? info.absoluteFilePath() : info.absolutePath();
        if (QFileInfo(dir).isDir())
            return dir;
    }
    QString last;
    try {
        last = PresetStore(Db()).lastPhotoPresetFile();
    } catch (const DatabaseError&) {
        // Only a starting folder: the home folder serves as well.
    }
    if (!last.isEmpty() && QFileInfo(QFileInfo(last).absolutePath()).isDir())
        return QFileInfo(last).absolutePath();
    return QDir::homePath();
}

void PhotoPresetDialog::choosePicture() {
    guarded(this, [&] {
        const QString chosen = UserPrompts::instance().openFile(this, tr("Open picture"),
                                                                pictureFolder(), pictureFilter());
        if (chosen.isEmpty())
            return;
        setEnteredText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
    });
}

void PhotoPresetDialog::addPreset() {
    guarded(this, [&] {
        UserPrompts& prompts = UserPrompts::instance();
        const QString typed = enteredText().trimmed();
        if (typed.isEmpty()) {
            prompts.message(this, tr("Please choose the cheat photo."));
            return;
        }
        const QFileInfo info(typed);
        if (!info.isFile()) {
            prompts.message(this, tr("The photo %1 does not exist.").arg(typed));
            return;
        }
        // The draw takes a preset only if the display can show it; refusing it
        // here tells the operator now rather than on stage.
        const QString file = QDir::toNativeSeparators(info.absoluteFilePath());
        if (!DisplayCanLoad(file)) {
            prompts.message(this, tr("%1 is not a picture that can be shown.").arg(file));
            return;
        }
        storePreset(file, info.fileName());
    });
}
