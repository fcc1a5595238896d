#pragma once
// Every message box, question, input box, file or folder dialog, font dialog and
// shell open of the program goes through this interface, so that tests can
// script the answers and read back what the user was told.
#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

struct FontChoice {
    QFont font;
    QColor colour;
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // Plain message box: the text, an OK button, the application title as caption.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // Yes/No question with a question icon; true for Yes.
    virtual bool askYesNo(QWidget* parent, const QString& text, const QString& title) = 0;
    // OK/Cancel confirmation (a record delete); true for OK.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // Input box; a cancelled box gives back the default answer.
    virtual QString inputBox(QWidget* parent, const QString& title, const QString& prompt,
                             const QString& defaultAnswer) = 0;
    // File dialogs; an empty result means the user cancelled.
    virtual QString openFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& filter) = 0;
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& folder,
                             const QString& fileName, const QString& filter) = 0;
    virtual QString selectFolder(QWidget* parent, const QString& title, const QString& folder) = 0;
    // Font dialog with colour; false when cancelled, else `choice` holds the pick.
    virtual bool chooseFont(QWidget* parent, FontChoice& choice) = 0;
    // Opens a file or URL with the desktop's handler; false when nothing could.
    virtual bool shellOpen(const QString& path) = 0;

    static UserPrompts& instance();
    // Replaces the prompts in use (tests); nullptr restores the Qt dialogs. Not owned.
    static void setInstance(UserPrompts* prompts);
};

// The real dialogs.
class QtPrompts : public UserPrompts {
public:
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
