#pragma once
// Photo winners (table prize): a photo file has won once it has a row here.
#include "core/data/Stores.h"

class PhotoWinnerStore : public Store {
public:
    using Store::Store;
    static const QString Table;
    // What the winners window lists, exports and prints, in that column order.
    static const QString ListStatement;
    static const QString ExportStatement;
    static const QString PrintStatement;
    // The rows of ListStatement, for the winners window's list.
    QSqlQuery listRows() const;

    // Whether the photo has won. Runs every roll step, so its statement is kept prepared.
    bool isWon(const QString& file);
    void record(const QString& file, const QString& name, const QString& prizeClass);
    qlonglong countInClass(const QString& prizeClass) const;
    // Every photo file that has won, once each.
    QStringList wonFiles() const;
    void deleteAll();
    // Deletes the one row of this file and class (the winners window's Delete).
    void remove(const QString& file, const QString& prizeClass);

private:
    QSqlQuery m_isWon;
    bool m_isWonReady = false;
};
