#include "ui/options/WordPage.h"

#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "core/settings/ProgramFolder.h"
#include "formats/CandidateFiles.h"
#include "formats/Errors.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"
#include "ui/options/SmallButton.h"
#include "ui/options/TableEditor.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr qint64 MaxGenerateSpan = 10000;

// Restores the normal cursor on every way out of a long operation.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    void restore() {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

} // namespace

WordPage::WordPage(QWidget* parent)
    : QWidget(parent), m_prefixEdit(new QLineEdit), m_firstNumberBox(new QSpinBox),
      m_lastNumberBox(new QSpinBox), m_generateButton(new QPushButton(tr("&Generate"))),
      m_emptyButton(new QPushButton(tr("&Empty"))), m_candidateFileEdit(new QLineEdit),
      m_chooseCandidateFileButton(
          smallButton(QStringLiteral("chooseCandidateFileButton"), tr("Open file"), nullptr)),
      m_loadButton(new QPushButton(tr("&Load"))),
      m_candidateEditor(new TableEditor(QStringLiteral("candidate"), this)) {
    setObjectName(QStringLiteral("wordPage"));
    m_prefixEdit->setObjectName(QStringLiteral("prefixEdit"));
    m_firstNumberBox->setObjectName(QStringLiteral("firstNumberBox"));
    m_lastNumberBox->setObjectName(QStringLiteral("lastNumberBox"));
    for (QSpinBox* s : {m_firstNumberBox, m_lastNumberBox}) {
        s->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
        s->setValue(0);
    }
    m_generateButton->setObjectName(QStringLiteral("generateButton"));
    m_emptyButton->setObjectName(QStringLiteral("emptyButton"));
    m_candidateFileEdit->setObjectName(QStringLiteral("candidateFileEdit"));
    m_loadButton->setObjectName(QStringLiteral("loadButton"));

    auto* v = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* generate = new QGroupBox(tr("automatic generation list"), this);
    generate->setObjectName(QStringLiteral("generateGroup"));
    auto* g = new QGridLayout(generate);
    g->addWidget(new QLabel(tr("prefix"), generate), 0, 0);
    g->addWidget(m_prefixEdit, 0, 1, 1, 3);
    g->addWidget(new QLabel(tr("from"), generate), 1, 0);
    g->addWidget(m_firstNumberBox, 1, 1);
    g->addWidget(new QLabel(tr("to "), generate), 1, 2);
    g->addWidget(m_lastNumberBox, 1, 3);
    g->addWidget(m_generateButton, 2, 1);
    g->addWidget(m_emptyButton, 2, 3);
    top->addWidget(generate, 1);

    auto* load = new QGroupBox(tr("Load from Text File(every one every line)"), this);
    load->setObjectName(QStringLiteral("loadGroup"));
    auto* l = new QGridLayout(load);
    l->addWidget(new QLabel(tr("Text File Folder"), load), 0, 0);
    l->addWidget(m_candidateFileEdit, 0, 1);
    l->addWidget(m_chooseCandidateFileButton, 0, 2);
    l->addWidget(m_loadButton, 1, 1);
    auto* formats = new QLabel(tr("Also .csv, .xlsx and .xls: the first column, or the column "
                                  "headed \"name\" or \"\u59D3\u540D\"."),
                               load);
    formats->setWordWrap(true);
    l->addWidget(formats, 2, 0, 1, 3);
    top->addWidget(load, 1);
    v->addLayout(top);
    v->addWidget(m_candidateEditor, 1);

    connect(m_generateButton, &QPushButton::clicked, this, &WordPage::generateCandidates);
    connect(m_emptyButton, &QPushButton::clicked, this, &WordPage::emptyCandidates);
    connect(m_loadButton, &QPushButton::clicked, this, &WordPage::loadCandidates);
    connect(m_chooseCandidateFileButton, &QToolButton::clicked, this,
            &WordPage::chooseCandidateFile);
}

bool WordPage::tableOpen() const {
    return m_candidateEditor->isOpen();
}

void WordPage::pageShown() {
    if (tableOpen())
        return;
    guarded(this, [&] {
        m_candidateEditor->open(CandidateStore::Table);
        m_candidateEditor->setColumnTitle(CandidateStore::WordColumn, tr("NAME"));
        m_candidateEditor->setColumnTitle(CandidateStore::PrizeColumn, tr("PRIZE"));
        m_candidateEditor->hideColumn(CandidateStore::IdColumn);
        m_candidateEditor->hideColumn(CandidateStore::PrizeColumn);
    });
}

void WordPage::pageLeft() {
    m_candidateEditor->close();
}

void WordPage::postEdits() {
    m_candidateEditor->post();
}

QString WordPage::addCandidates(const QStringList& entries, const QString& success) {
    QProgressDialog progress(tr("Adding candidates..."), tr("Cancel"), 0,
                             static_cast<int>(entries.size()), this);
    progress.setObjectName(QStringLiteral("importProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(m_progressDelay);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    bool cancelled = false;
    const int inserted = CandidateStore(Db()).insert(entries, [&](int done, int total) {
        progress.setMaximum(total);
        progress.setValue(done);
        if (progress.wasCanceled())
            cancelled = true;
        return !cancelled;
    });
    m_candidateEditor->reload();
    return cancelled ? tr("Cancelled: %1 rows were added.").arg(inserted) : success;
}

void WordPage::generateCandidates() {
    guarded(this, [&] {
        const QString prefix = m_prefixEdit->text();
        const qint64 first = m_firstNumberBox->value();
        const qint64 last = m_lastNumberBox->value();
        if (last - first > MaxGenerateSpan) {
            UserPrompts::instance().message(this, tr("CAN NOT > 10000!"));
            return;
        }
        WaitCursor wait;
        QStringList entries;
        for (qint64 n = first; n <= last; ++n)
            entries << prefix + QString::number(n);
        const QString report = addCandidates(entries, tr("SUCCESS!"));
        wait.restore();
        UserPrompts::instance().message(this, report);
    });
}

void WordPage::emptyCandidates() {
    guarded(this, [&] {
        // One click would otherwise wipe every candidate and every word winner.
        if (!UserPrompts::instance().confirm(
                this, tr("Delete all candidates, including those who have won?")))
            return;
        try {
            CandidateStore(Db()).deleteAll();
        } catch (const DatabaseError& e) {
            // Reported, and the list is shown and finished as after a delete.
            ShowDefaultErrorReport(this, e.message());
        }
        m_candidateEditor->reload();
        UserPrompts::instance().message(this, tr("finished!"));
    });
}

void WordPage::loadCandidates() {
    guarded(this, [&] {
        const QString path = m_candidateFileEdit->text();
        if (!QFileInfo(path).isFile()) {
            UserPrompts::instance().message(this, tr("File not found!"));
            return;
        }
        WaitCursor wait;
        const QStringList entries = ReadCandidateFile(path);
        const QString report = addCandidates(entries, tr("Success!"));
        wait.restore();
        UserPrompts::instance().message(this, report);
    });
}

void WordPage::chooseCandidateFile() {
    const QString file = UserPrompts::instance().openFile(
        this, tr("Open file"), ProgramFolder::desktop(),
        tr("Candidate lists (*.txt *.csv *.xlsx *.xls);;Text files (*.txt);;All files (*)"));
    if (!file.isEmpty())
        m_candidateFileEdit->setText(QDir::toNativeSeparators(file));
}
