#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
class SkinData;

// The About box: icon, product name and version.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

private:
    QLabel* programIcon = nullptr;
    QLabel* productNameLabel = nullptr;
    QLabel* versionLabel = nullptr;
    QLabel* commentsLabel = nullptr;
    QPushButton* okButton = nullptr;
    SkinData* skin = nullptr;
};
