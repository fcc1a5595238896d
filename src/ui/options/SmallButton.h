#pragma once
// The small "..." button beside an edit that chooses a file or a folder.
#include <QString>
#include <QToolButton>

inline QToolButton* smallButton(const QString& name, const QString& tip, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setText(QStringLiteral("..."));
    b->setToolTip(tip);
    return b;
}
