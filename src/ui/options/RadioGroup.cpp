#include "ui/options/RadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>
#include <QStyle>

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(2);
    const int cols = qMax(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items.at(i), this);
        m_group->addButton(b, i);
        m_buttons.append(b);
        // Entries fill the columns from left to right, then the next row.
        grid->addWidget(b, i / cols, i % cols);
    }
    connect(m_group, &QButtonGroup::idToggled, this, &RadioGroup::buttonToggled);
    setCaptionMode(true);
    if (!m_buttons.isEmpty())
        setIndex(0); // the first state: the first entry
}

void RadioGroup::setIndex(int index) {
    if (m_buttons.isEmpty())
        return;
    if (index >= count())
        index = count() - 1;
    if (index < 0) {
        if (m_index < 0)
            return;
        // An exclusive group cannot be emptied by unchecking one button.
        m_group->setExclusive(false);
        m_buttons.at(m_index)->setChecked(false);
        m_group->setExclusive(true);
        m_index = -1;
        emit selectionChanged(-1);
        return;
    }
    if (index == m_index)
        return;
    m_buttons.at(index)->setChecked(true); // announces through buttonToggled
}

void RadioGroup::buttonToggled(int id, bool checked) {
    if (!checked || id == m_index)
        return;
    m_index = id;
    emit selectionChanged(id);
}

void RadioGroup::setCaptionMode(bool on) {
    m_captionMode = on;
    QFont f = font();
    f.setBold(on);
    setFont(f);
    for (QRadioButton* b : m_buttons) {
        QFont bf = b->font();
        bf.setBold(false);
        b->setFont(bf);
    }
    // Style sheets that select on the property see the new value.
    style()->unpolish(this);
    style()->polish(this);
}
