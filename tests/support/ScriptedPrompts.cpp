#include "ScriptedPrompts.h"

ScriptedPrompts::ScriptedPrompts() {
    UserPrompts::setInstance(this);
}
ScriptedPrompts::~ScriptedPrompts() {
    UserPrompts::setInstance(nullptr);
}

void ScriptedPrompts::clear() {
    messages.clear();
    questions.clear();
    opened.clear();
}

void ScriptedPrompts::message(QWidget*, const QString& text) {
    messages << text;
}

bool ScriptedPrompts::askYesNo(QWidget*, const QString& text, const QString& title) {
    questions << title + QLatin1Char('|') + text;
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.dequeue();
}

bool ScriptedPrompts::confirm(QWidget*, const QString& text) {
    questions << text;
    return confirmAnswers.isEmpty() ? false : confirmAnswers.dequeue();
}

QString ScriptedPrompts::inputBox(QWidget*, const QString& title, const QString&,
                                  const QString& defaultAnswer) {
    questions << title;
    return inputAnswers.isEmpty() ? defaultAnswer : inputAnswers.dequeue();
}

QString ScriptedPrompts::openFile(QWidget*, const QString&, const QString&, const QString& filter) {
    lastFilter = filter;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedPrompts::saveFile(QWidget*, const QString&, const QString& folder,
                                  const QString& fileName, const QString& filter) {
    lastSaveFolder = folder;
    lastSaveName = fileName;
    lastFilter = filter;
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedPrompts::selectFolder(QWidget*, const QString&, const QString&) {
    return folderAnswers.isEmpty() ? QString() : folderAnswers.dequeue();
}

bool ScriptedPrompts::chooseFont(QWidget*, FontChoice& choice) {
    if (fontAnswers.isEmpty())
        return false;
    choice = fontAnswers.dequeue();
    return true;
}

bool ScriptedPrompts::shellOpen(const QString& path) {
    opened << path;
    return shellOpenResult;
}
