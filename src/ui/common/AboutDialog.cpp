#include "ui/common/AboutDialog.h"

#include "core/settings/ProgramFolder.h"
#include "ui/common/SkinData.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(462, 338);

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(96, 96);
    ProgramIcon->setScaledContents(true);
    ProgramIcon->setPixmap(QPixmap(ProgramDir() + QStringLiteral("icons/kalvoro.png")));
    top->addWidget(ProgramIcon, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    ProductName = new QLabel(QStringLiteral("Kalvoro"), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont big = ProductName->font();
    big.setPointSize(22);
    big.setBold(true);
    ProductName->setFont(big);
    Version = new QLabel(this);
    Version->setObjectName(QStringLiteral("Version"));
    auto* blurb = new QLabel(QStringLiteral("Lucky draws for parties and award nights."), this);
    blurb->setObjectName(QStringLiteral("Comments"));
    blurb->setWordWrap(true);
    texts->addWidget(ProductName);
    texts->addWidget(Version);
    texts->addWidget(blurb);
    texts->addStretch(1);
    top->addLayout(texts, 1);
    outer->addLayout(top, 1);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("bsSkinPanel1"));
    auto* buttons = new QHBoxLayout(panel);
    buttons->addStretch(1);
    bsSkinButton1 = new QPushButton(QStringLiteral("OK"), panel);
    bsSkinButton1->setObjectName(QStringLiteral("bsSkinButton1"));
    bsSkinButton1->setDefault(true);
    buttons->addWidget(bsSkinButton1);
    outer->addWidget(panel);
    connect(bsSkinButton1, &QPushButton::clicked, this, &QDialog::accept);

    bsSkinData1 = new SkinData(this);
    FormCreate();
}

void AboutDialog::FormCreate() {
    bsSkinData1->LoadFromFile(SkinFile);
    Version->setText(QStringLiteral("Version") + GetFileVersionText());
}
