#include "ui/options/PrizeClassPage.h"

#include "core/data/PrizeClassStore.h"
#include "ui/options/TableEditor.h"

#include <QLabel>
#include <QVBoxLayout>

PrizeClassPage::PrizeClassPage(QWidget* parent)
    : QWidget(parent), m_classEditor(new TableEditor(QStringLiteral("class"), this)) {
    setObjectName(QStringLiteral("prizeClassPage"));
    auto* v = new QVBoxLayout(this);
    auto* label = new QLabel(tr("PRIZE CLASS"), this);
    label->setObjectName(QStringLiteral("prizeClassLabel"));
    v->addWidget(label);
    v->addWidget(m_classEditor, 1);
}

void PrizeClassPage::openTable() {
    m_classEditor->open(PrizeClassStore::Table);
    m_classEditor->setColumnTitle(PrizeClassStore::NameColumn, tr("CLASS NAME"));
}

bool PrizeClassPage::tableOpen() const {
    return m_classEditor->isOpen();
}

void PrizeClassPage::postEdits() {
    m_classEditor->post();
}
