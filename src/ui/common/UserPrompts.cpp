#include "ui/common/UserPrompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace {
UserPrompts* g_override = nullptr;

} // namespace

UserPrompts& UserPrompts::instance() {
    static QtPrompts real;
    return g_override ? *g_override : real;
}

void UserPrompts::setInstance(UserPrompts* prompts) {
    g_override = prompts;
}

void QtPrompts::message(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBox"));
    box.exec();
}

bool QtPrompts::askYesNo(QWidget* parent, const QString& text, const QString& title) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

bool QtPrompts::confirm(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

QString QtPrompts::inputBox(QWidget* parent, const QString& title, const QString& prompt,
                            const QString& defaultAnswer) {
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultAnswer, &ok);
    return ok ? answer : defaultAnswer;
}

QString QtPrompts::openFile(QWidget* parent, const QString& title, const QString& folder,
                            const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

QString QtPrompts::saveFile(QWidget* parent, const QString& title, const QString& folder,
                            const QString& fileName, const QString& filter) {
    const QString start = fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
    // The callers decide on overwriting and on the extension themselves.
    return QFileDialog::getSaveFileName(parent, title, start, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtPrompts::selectFolder(QWidget* parent, const QString& title, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent, title, folder);
}

bool QtPrompts::chooseFont(QWidget* parent, FontChoice& choice) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, choice.font, parent);
    if (!ok)
        return false;
    const QColor colour = QColorDialog::getColor(choice.colour, parent);
    choice.font = font;
    if (colour.isValid())
        choice.colour = colour;
    return true;
}

bool QtPrompts::shellOpen(const QString& path) {
    const QUrl url = QFileInfo::exists(path) ? QUrl::fromLocalFile(path) : QUrl(path);
    return QDesktopServices::openUrl(url);
}
