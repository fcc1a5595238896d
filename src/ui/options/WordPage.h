#pragma once
// The "Word Options" page: the candidates of word mode. Numbered entries can
// be generated, the list emptied or loaded from a file, and rows edited one by
// one; every change goes to the database at once, not on Apply.
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QPushButton;
class QSpinBox;
class QToolButton;
class TableEditor;

class WordPage : public QWidget {
    Q_OBJECT
public:
    explicit WordPage(QWidget* parent = nullptr);

    // The candidate table is listed only while its page is in view; leaving
    // the page drops a row still being edited.
    void pageShown();
    void pageLeft();
    bool tableOpen() const;
    // Writes a row being edited, when the table is listed; throws DatabaseError.
    void postEdits();
    // How long an insert runs before its progress window with Cancel appears (ms).
    void setProgressDelay(int ms) { m_progressDelay = ms; }

private:
    void generateCandidates();
    void emptyCandidates();
    void loadCandidates();
    void chooseCandidateFile();
    // Adds the candidates and lists them; what the operator is told: `success`,
    // or how many were added before a cancel.
    QString addCandidates(const QStringList& entries, const QString& success);

    QLineEdit* m_prefixEdit;
    QSpinBox* m_firstNumberBox;
    QSpinBox* m_lastNumberBox;
    QPushButton* m_generateButton;
    QPushButton* m_emptyButton;
    QLineEdit* m_candidateFileEdit;
    QToolButton* m_chooseCandidateFileButton;
    QPushButton* m_loadButton;
    TableEditor* m_candidateEditor;
    int m_progressDelay = 400;
};
