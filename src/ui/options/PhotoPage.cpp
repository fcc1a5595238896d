#include "ui/options/PhotoPage.h"

#include "core/settings/ProgramFolder.h"
#include "core/settings/ProgramSettings.h"
#include "ui/common/UserPrompts.h"
#include "ui/options/SmallButton.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>

PhotoPage::PhotoPage(QWidget* parent)
    : QWidget(parent), m_photoFolderEdit(new QLineEdit(this)),
      m_choosePhotoFolderButton(
          smallButton(QStringLiteral("choosePhotoFolderButton"), tr("Select folder"), this)),
      m_stretchPhotosBox(new QCheckBox(tr("Full Screen(May be out of shape)"), this)),
      m_showWinnerBox(
          new QCheckBox(tr("Show Winner Name(the photo filename must be the owner name)"), this)),
      m_photoFileModel(new QFileSystemModel(this)), m_photoFileList(new QListView(this)) {
    setObjectName(QStringLiteral("photoPage"));
    m_photoFolderEdit->setObjectName(QStringLiteral("photoFolderEdit"));
    m_photoFolderEdit->installEventFilter(this);
    m_stretchPhotosBox->setObjectName(QStringLiteral("stretchPhotosBox"));
    m_showWinnerBox->setObjectName(QStringLiteral("showWinnerBox"));

    auto* v = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Photo folder"), this));
    row->addWidget(m_photoFolderEdit, 1);
    row->addWidget(m_choosePhotoFolderButton);
    v->addLayout(row);
    v->addWidget(m_stretchPhotosBox);
    v->addWidget(m_showWinnerBox);

    m_photoFileModel->setObjectName(QStringLiteral("photoFileModel"));
    m_photoFileModel->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    m_photoFileModel->setNameFilters({QStringLiteral("*.jpg")});
    m_photoFileModel->setNameFilterDisables(false); // hide other files, do not grey them
    m_photoFileModel->setReadOnly(false);           // a photo can be renamed in place
    m_photoFileList->setObjectName(QStringLiteral("photoFileList"));
    m_photoFileList->setModel(m_photoFileModel);
    // The desktop until the first good folder check.
    m_photoFileList->setRootIndex(m_photoFileModel->setRootPath(ProgramFolder::desktop()));
    m_photoFileList->setViewMode(QListView::ListMode);
    m_photoFileList->setFlow(QListView::TopToBottom);
    m_photoFileList->setWrapping(true);
    m_photoFileList->setResizeMode(QListView::Adjust);
    m_photoFileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_photoFileList->setEditTriggers(QAbstractItemView::EditKeyPressed |
                                     QAbstractItemView::SelectedClicked);
    m_photoFileModel->sort(0);
    v->addWidget(m_photoFileList, 1);

    auto* note =
        new QLabel(tr("Note: the photos must be JPEG files (*.jpg or *.jpeg), and the file "
                      "name of a photo is the winner's name. Photos of about the screen's "
                      "size (for example 1920 pixels on the long side) roll smoothly; "
                      "full-size camera photos take longer the first time round."),
                   this);
    note->setObjectName(QStringLiteral("photoNoteLabel"));
    note->setWordWrap(true);
    v->addWidget(note);

    connect(m_choosePhotoFolderButton, &QToolButton::clicked, this, &PhotoPage::choosePhotoFolder);
}

void PhotoPage::loadFolder(const ProgramSettings& settings) {
    m_photoFolderEdit->setText(settings.photoPathText());
}

void PhotoPage::load(const ProgramSettings& settings) {
    loadFolder(settings);
    m_stretchPhotosBox->setChecked(settings.photoStretch());
    m_showWinnerBox->setChecked(settings.showWinner());
}

void PhotoPage::store(ProgramSettings& settings) const {
    // As typed: a relative folder stays relative in the file.
    settings.setPhotoPathText(m_photoFolderEdit->text());
    settings.setPhotoStretch(m_stretchPhotosBox->isChecked());
    settings.setShowWinner(m_showWinnerBox->isChecked());
}

void PhotoPage::pageShown() {
    checkPhotoFolder(tr("folder not exists!"));
}

bool PhotoPage::checkPhotoFolder(const QString& message) {
    if (m_checkingFolder)
        return false; // the message box itself takes the focus from the edit
    m_checkingFolder = true;
    const QString folder = ProgramSettings::resolvePhotoFolder(m_photoFolderEdit->text());
    const QFileInfo info(folder);
    QString problem;
    if (folder.isEmpty() || !info.isDir())
        problem = message;
    else if (!info.isReadable() || !info.isExecutable())
        problem = tr("error!");
    else
        m_photoFileList->setRootIndex(m_photoFileModel->setRootPath(QDir::cleanPath(folder)));
    if (!problem.isEmpty()) {
        UserPrompts::instance().message(this, problem);
        QPointer<QLineEdit> edit = m_photoFolderEdit;
        QTimer::singleShot(0, this, [edit] {
            if (edit && edit->isVisible())
                edit->setFocus(Qt::OtherFocusReason);
        });
    }
    m_checkingFolder = false;
    return problem.isEmpty();
}

void PhotoPage::choosePhotoFolder() {
    const QString folder = UserPrompts::instance().selectFolder(
        this, tr("Select folder"), ProgramSettings::resolvePhotoFolder(m_photoFolderEdit->text()));
    if (!folder.isEmpty())
        m_photoFolderEdit->setText(QDir::toNativeSeparators(folder));
    // Also after a cancel: the edit's old text is checked.
    checkPhotoFolder(tr("Please choose photo folder!"));
}

bool PhotoPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_photoFolderEdit && event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window taking the focus (a message box, a menu) is not leaving the edit.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
            m_photoFolderEdit->isVisible())
            checkPhotoFolder(tr("photo folder not exists!"));
    }
    return QWidget::eventFilter(watched, event);
}
