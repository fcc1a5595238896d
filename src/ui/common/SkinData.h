#pragma once
// Per-window skin: a folder skins/<Name>/ with skin.ini naming a Qt style sheet
// (and the pictures it uses). A missing or unreadable skin gives the plain look.
#include <QObject>
#include <QString>

class QWidget;

class SkinData : public QObject {
    Q_OBJECT
public:
    // The window the skin is drawn on; the object is its child.
    explicit SkinData(QWidget* window);

    // Loads the skin described by `path` (a skin.ini) and applies it to the
    // window; false, and the plain look, when it cannot be used.
    bool loadFromFile(const QString& path);
    QString skinName() const { return m_name; }
    // The loaded style sheet with url() paths made absolute; empty for the plain look.
    QString styleSheet() const { return m_styleSheet; }

    // The skin every window of the program wears (a skin.ini path; empty for
    // the plain look), chosen by the settings.
    static QString activeFile();
    static void setActiveFile(const QString& path);

    // The style sheet of a skin.ini, or empty when it cannot be used.
    static QString readSkin(const QString& path, QString* name = nullptr);

private:
    QWidget* m_window;
    QString m_name;
    QString m_styleSheet;
};
