#pragma once
// The show on a screen of its own. AudienceWindow is a borderless full-screen
// window that holds the main window's display (background, photo, names,
// announcement) and nothing else; AudienceConsole takes the display's place in
// the main window: a live copy of what the hall sees, the class in play with its
// counts, and the focus guard's warning, all on the operator's screen.
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class QLabel;
class QScreen;
class QTimer;

class AudienceWindow : public QWidget {
    Q_OBJECT
public:
    // A window of the main window's: it closes and goes with it, and carries its
    // shortcuts so that a chord pressed on the show still works.
    explicit AudienceWindow(QWidget* mainWindow);

    // Takes the display and fills the screen with it, without taking the keys
    // from the operator.
    void present(QWidget* display, QScreen* screen);
    // Hands the display back, without a parent, and hides; nullptr when it holds none.
    QWidget* release();
    bool isPresenting() const { return !m_display.isNull(); }
    // The name of the screen it presents on; empty when it presents nothing.
    QString screenName() const { return isPresenting() ? m_screenName : QString(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<QWidget> m_display;
    QString m_screenName;
};

class AudienceConsole : public QWidget {
    Q_OBJECT
public:
    explicit AudienceConsole(QWidget* parent = nullptr);

    // Copies this display a few times a second; nullptr stops the copying.
    void follow(QWidget* display);
    // Copies the display now.
    void copyDisplay();
    QPixmap copy() const { return m_copy; }

    // The class in play and its counts.
    void setStatus(const QString& text);
    QString status() const;
    // The focus guard's warning; empty takes it away.
    void setWarning(const QString& text);
    QString warning() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the copy is painted: the space between the warning and the status.
    QRect copyArea() const;

    QPointer<QWidget> m_display;
    QPixmap m_copy;
    QLabel* m_warning;
    QLabel* m_status;
    QWidget* m_copySpace;
    QTimer* m_copyTimer;
};
