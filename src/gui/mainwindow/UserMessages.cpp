#include "gui/mainwindow/UserMessages.h"

#include <QMessageBox>

#include "core/VxloError.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

void TMessageBoxes::Information(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, ToQt(kAppTitle), text, QMessageBox::Ok, parent_);
    box.exec();
}

void TMessageBoxes::Error(const QString& text) {
    QMessageBox box(QMessageBox::Critical, ToQt(kAppTitle), text, QMessageBox::Ok, parent_);
    box.exec();
}

void TMessageSinkAdapter::ShowMessage(const TMessage& message) {
    messages_.Information(ToQt(message.Text()));
}

void ShowError(IUserMessages& messages, const std::exception& error) {
    messages.Error(ToQt(ErrorDisplayText(error)));
}

void ShowUnknownError(IUserMessages& messages) {
    messages.Error(ToQt(ErrorDisplayText(std::string("予期しないエラーが発生しました"))));
}

}  // namespace vxlo
