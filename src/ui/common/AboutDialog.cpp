#include "ui/common/AboutDialog.h"

#include "core/settings/ProgramFolder.h"
#include "ui/common/SkinData.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(tr("About"));
    setFixedSize(462, 338);

    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    programIcon = new QLabel(this);
    programIcon->setObjectName(QStringLiteral("programIcon"));
    programIcon->setFixedSize(96, 96);
    programIcon->setScaledContents(true);
    programIcon->setPixmap(QPixmap(ProgramFolder::path() + QStringLiteral("icons/kalvoro.png")));
    top->addWidget(programIcon, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    productNameLabel = new QLabel(tr("Kalvoro"), this);
    productNameLabel->setObjectName(QStringLiteral("productNameLabel"));
    QFont big = productNameLabel->font();
    big.setPointSize(22);
    big.setBold(true);
    productNameLabel->setFont(big);
    versionLabel = new QLabel(this);
    versionLabel->setObjectName(QStringLiteral("versionLabel"));
    commentsLabel = new QLabel(tr("Lucky draws for parties and award nights."), this);
    commentsLabel->setObjectName(QStringLiteral("commentsLabel"));
    commentsLabel->setWordWrap(true);
    texts->addWidget(productNameLabel);
    texts->addWidget(versionLabel);
    texts->addWidget(commentsLabel);
    texts->addStretch(1);
    top->addLayout(texts, 1);
    outer->addLayout(top, 1);

    auto* buttonPanel = new QWidget(this);
    buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    auto* buttons = new QHBoxLayout(buttonPanel);
    buttons->addStretch(1);
    okButton = new QPushButton(tr("OK"), buttonPanel);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    buttons->addWidget(okButton);
    outer->addWidget(buttonPanel);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    skin = new SkinData(this);
    skin->loadFromFile(SkinData::activeFile());
    // No space after "Version": the line reads Version3.2.0.38.
    versionLabel->setText(tr("Version") + ProgramFolder::version());
}
