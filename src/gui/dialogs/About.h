#pragma once
// TAboutBox: the version dialog, a fixed-size box centred on the screen.
#include <QDialog>

class QLabel;
class QPushButton;

namespace vxlo {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // Sizes at 96 pixels per inch; scaled by the screen's at creation.
    static constexpr int kWidth = 221;
    static constexpr int kProductWidth = 122;
    static constexpr int kVersionWidth = 92;
    static constexpr int kCommentsWidth = 177;

private:
    QLabel* programIcon_;
    QLabel* productName_;
    QLabel* version_;
    QLabel* comments_;
    QPushButton* okButton_;
};

// The program's icon: a black and a white stone on a board square.
QIcon ProgramIcon();

}  // namespace vxlo
