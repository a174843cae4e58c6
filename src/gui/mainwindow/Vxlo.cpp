// The program: start sequence and the top-level error handler.
#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <exception>
#include <memory>

#include "gui/language/Catalogue.h"
#include "gui/dialogs/About.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/PracticeCommands.h"
#include "gui/mainwindow/Sdimain.h"
#include "gui/mainwindow/UserMessages.h"

namespace {

// Every error that reaches an event handler ends up here: its text is shown
// in an error box and the program goes on with the next event.
class TVxloApplication final : public QApplication {
public:
    using QApplication::QApplication;
    void SetMessages(vxlo::IUserMessages* messages) { messages_ = messages; }

    bool notify(QObject* receiver, QEvent* event) override {
        bool handled = true;
        vxlo::TMessageBoxes fallback;
        vxlo::IUserMessages& messages = messages_ ? *messages_ : fallback;
        vxlo::RunGuarded(messages, [&] { handled = QApplication::notify(receiver, event); });
        return handled;
    }

private:
    vxlo::IUserMessages* messages_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    TVxloApplication app(argc, argv);
    app.setApplicationName("vxlo");
    // Ties the windows to the installed menu entry (Wayland shells find the
    // icon through it) and takes the installed icon when there is one.
    QGuiApplication::setDesktopFileName(QStringLiteral("vxlo"));
    app.setWindowIcon(QIcon::fromTheme(QStringLiteral("vxlo"), vxlo::ProgramIcon()));

    // Every text is translated as it is made: the catalogue comes first and
    // outlives the windows.
    const vxlo::TLanguageCatalogue catalogue(vxlo::StartLanguage());
    vxlo::TMessageBoxes startMessages;
    std::unique_ptr<vxlo::TSDIAppForm> form;
    if (!vxlo::RunGuarded(startMessages, [&] { form = std::make_unique<vxlo::TSDIAppForm>(); }))
        return 1;
    app.SetMessages(&form->Messages());
    form->show();

    // vxlo DICTIONARY, or vxlo --practice DICTIONARY to practise it at once.
    const QStringList args = QApplication::arguments();
    vxlo::RunGuarded(form->Messages(), [&] { form->Parts().practice->OpenFromArguments(args); });
    const int status = QApplication::exec();
    app.SetMessages(nullptr);
    form.reset();
    return status;
}
