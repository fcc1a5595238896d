#pragma once
// A UserPrompts double: records every message and answers from a script.
// Installs itself on construction and restores the real dialogs on destruction.
#include "ui/common/UserPrompts.h"

#include <QQueue>
#include <QStringList>

class ScriptedPrompts : public UserPrompts {
public:
    ScriptedPrompts();
    ~ScriptedPrompts() override;

    // What the program showed, in order (message boxes and questions).
    QStringList messages;
    // Titles and texts of the yes/no questions and confirmations asked.
    QStringList questions;
    // Paths handed to shellOpen.
    QStringList opened;
    // Answers, consumed in order; when a queue is empty the default applies.
    QQueue<bool> yesNoAnswers;    // default: false (No)
    QQueue<bool> confirmAnswers;  // default: false (Cancel)
    QQueue<QString> inputAnswers; // default: the box's default answer (cancel)
    QQueue<QString> fileAnswers;  // open and save dialogs; default: "" (cancel)
    QQueue<QString> folderAnswers;
    QQueue<FontChoice> fontAnswers;
    bool shellOpenResult = true;
    // The last save dialog's proposal: folder and file name.
    QString lastSaveFolder, lastSaveName, lastFilter;

    void clear();

    void message(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text, const QString& title) override;
    bool confirm(QWidget* parent, const QString& text) override;
    QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                     const QString& defaultAnswer) override;
    QString openFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& filter) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& folder,
                     const QString& fileName, const QString& filter) override;
    QString selectFolder(QWidget* parent, const QString& title, const QString& folder) override;
    bool chooseFont(QWidget* parent, FontChoice& choice) override;
    bool shellOpen(const QString& path) override;
};
