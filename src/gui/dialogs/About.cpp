#include "gui/dialogs/About.h"

#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

QIcon ProgramIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(QColor(0x80, 0x80, 0x00));
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawLine(0, 16, 31, 16);
    p.drawLine(16, 0, 16, 31);
    p.setBrush(Qt::black);
    p.drawEllipse(3, 3, 13, 13);
    p.setBrush(Qt::white);
    p.drawEllipse(16, 16, 13, 13);
    p.end();
    return QIcon(pixmap);
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle(tr("ﾊﾞｰｼﾞｮﾝ情報"));
    setModal(true);

    const double scale = logicalDpiX() / 96.0;
    auto scaled = [scale](int pixels) { return static_cast<int>(pixels * scale); };

    programIcon_ = new QLabel(this);
    programIcon_->setObjectName("ProgramIcon");
    programIcon_->setPixmap(ProgramIcon().pixmap(32, 32));
    programIcon_->setGeometry(scaled(16), 16, 32, 32);

    productName_ = new QLabel(tr("Vexlo定石辞典"), this);
    productName_->setObjectName("ProductName");
    // A translated name longer than the seed's widens the box rather than
    // being cut off; the Japanese box keeps its size.
    const int productWidth = std::max(scaled(kProductWidth), productName_->sizeHint().width());
    const int width = std::max(scaled(kWidth), scaled(72) + productWidth + scaled(8));
    productName_->setGeometry(scaled(72), 16, productWidth, 16);

    version_ = new QLabel(tr("Version 5.0"), this);
    version_->setObjectName("Version");
    version_->setGeometry(scaled(72), 40, scaled(kVersionWidth), 16);

    comments_ = new QLabel(tr("このソフトはフリーです。"), this);
    comments_->setObjectName("Comments");
    comments_->setGeometry(scaled(16), 72, std::max(scaled(kCommentsWidth), comments_->sizeHint().width()), 16);

    okButton_ = new QPushButton(tr("OK"), this);
    okButton_->setObjectName("OKButton");
    okButton_->setDefault(true);
    okButton_->setGeometry((width - 65) / 2, 104, 65, 25);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(width, 140);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
}

}  // namespace vxlo
