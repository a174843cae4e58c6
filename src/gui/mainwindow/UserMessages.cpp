#include "gui/mainwindow/UserMessages.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "core/Progress.h"
#include "core/VxloError.h"
#include "gui/language/Catalogue.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
// Caption of every message box (the application title).
QString AppTitle() { return QCoreApplication::translate("UserMessages", "vexlo定石辞典"); }
}  // namespace

void TMessageBoxes::Information(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, AppTitle(), text, QMessageBox::Ok, parent_);
    box.exec();
}

void TMessageBoxes::Error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, AppTitle(), text, QMessageBox::Ok, parent_);
    box.exec();
}

void TMessageSinkAdapter::ShowMessage(const TMessage& message) {
    messages_.Information(ToQt(message));
}

void ShowError(IUserMessages& messages, const std::exception& error) {
    const TQtTranslator translator;
    // The user asked for it: no error.
    if (dynamic_cast<const ECancelled*>(&error) != nullptr) {
        messages.Information(ToQt(ErrorDisplayText(error, &translator)));
        return;
    }
    messages.Error(ToQt(ErrorDisplayText(error, &translator)));
}

void ShowUnknownError(IUserMessages& messages) {
    const QString text = QCoreApplication::translate("UserMessages", "予期しないエラーが発生しました");
    messages.Error(ToQt(ErrorDisplayText(FromQt(text))));
}

}  // namespace vxlo
