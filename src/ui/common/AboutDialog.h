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

    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QPushButton* bsSkinButton1;
    SkinData* bsSkinData1;

private:
    void FormCreate();
};
