#pragma once
// The "Photo Options" page: the photo folder with a list of its photos, and
// whether photos fill the display and winners' names are announced.
#include <QWidget>

class ProgramSettings;
class QCheckBox;
class QFileSystemModel;
class QLineEdit;
class QListView;
class QToolButton;

class PhotoPage : public QWidget {
    Q_OBJECT
public:
    explicit PhotoPage(QWidget* parent = nullptr);

    // The folder alone comes before the catalogue indexes in the file, so that
    // a bad index leaves the two boxes in their first state; load() does both.
    void loadFolder(const ProgramSettings& settings);
    void load(const ProgramSettings& settings);
    void store(ProgramSettings& settings) const;
    // The page came into view: the folder is checked again each time.
    void pageShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Lists the folder the edit names, or shows `message` when there is no
    // folder and gives the edit the focus back. The edit's text is never changed.
    bool checkPhotoFolder(const QString& message);
    void choosePhotoFolder();

    QLineEdit* m_photoFolderEdit;
    QToolButton* m_choosePhotoFolderButton;
    QCheckBox* m_stretchPhotosBox;
    QCheckBox* m_showWinnerBox;
    QFileSystemModel* m_photoFileModel;
    QListView* m_photoFileList;
    bool m_checkingFolder = false;
};
