#pragma once
// The default error report: every event handler runs its body through
// guarded(), so an exception never leaves a Qt handler. The text is shown in a
// message box and the program goes on.
#include <QCoreApplication>
#include <QString>
#include <exception>
#include <utility>

class QWidget;

void ShowDefaultErrorReport(QWidget* parent, const QString& text);

template <class F> bool guarded(QWidget* parent, F&& body) {
    try {
        std::forward<F>(body)();
        return true;
    } catch (const std::exception& e) {
        ShowDefaultErrorReport(parent, QString::fromUtf8(e.what()));
    } catch (...) {
        ShowDefaultErrorReport(parent, QCoreApplication::translate("ErrorGuard", "Unknown error"));
    }
    return false;
}
