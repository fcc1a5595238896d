#include "ui/presets/WordPresetDialog.h"

#include "core/data/CandidateStore.h"
#include "core/data/Database.h"
#include "core/data/PresetStore.h"
#include "ui/common/ErrorGuard.h"
#include "ui/common/UserPrompts.h"

WordPresetDialog::WordPresetDialog(QWidget* parent)
    : PresetDialog(parent, {QStringLiteral("WordPresetDialog"), tr("CHEAT"), QSize(847, 558),
                            QString(), tr("cheat word"), tr("cheat list")}) {
    openPresetList({{QT_TRANSLATE_NOOP("PresetDialog", "name"), 66, false},
                    {QT_TRANSLATE_NOOP("PresetDialog", "class"), 50, false}});
}

QSqlQuery WordPresetDialog::listRows() const {
    return PresetStore(Db()).wordListRows();
}

void WordPresetDialog::removeRow(qlonglong rowId) {
    PresetStore(Db()).removeWordPreset(rowId);
}

bool WordPresetDialog::isListed(const QString& value, const QString& prizeClass) const {
    return PresetStore(Db()).hasWordPreset(value, prizeClass);
}

bool WordPresetDialog::hasWon(const QString& value) const {
    return CandidateStore(Db()).isWon(value);
}

void WordPresetDialog::insert(const QString& value, const QString& prizeClass) {
    PresetStore(Db()).addWordPreset(value, prizeClass);
}

void WordPresetDialog::addPreset() {
    guarded(this, [&] {
        UserPrompts& prompts = UserPrompts::instance();
        // Candidates are stored without surrounding blanks, and the preset must
        // meet its candidate row when the winner is recorded.
        const QString word = enteredText().trimmed();
        if (word.isEmpty()) {
            prompts.message(this, tr("Please enter the cheat word."));
            return;
        }
        // The display keeps its lines apart by line breaks: a word holding one
        // would take two lines and push the others out of their places.
        for (const QChar c : word) {
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator ||
                c == QChar::ParagraphSeparator) {
                prompts.message(this, tr("The cheat word must be one line."));
                return;
            }
        }
        storePreset(word, word);
    });
}
