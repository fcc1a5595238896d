#include "ui/common/ErrorGuard.h"

#include "formats/Errors.h"
#include "ui/common/UserPrompts.h"

void ShowDefaultErrorReport(QWidget* parent, const QString& text) {
    UserPrompts::instance().message(parent, text);
}
