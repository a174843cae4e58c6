#include "gui/dialogs/BanIsi.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "settings/IniFile.h"
#include "gui/mainwindow/QtText.h"
#include "gui/mainwindow/UserMessages.h"

namespace vxlo {

namespace {

QColor FromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// Outer size 256 x 186 less a dialog frame of 3 pixels and a caption of 19.
constexpr int kClientWidth = 250;
constexpr int kClientHeight = 161;
constexpr int kRowTops[4] = {16, 48, 80, 112};

}  // namespace

TShape::TShape(EKind kind, std::uint32_t color, QWidget* parent)
    : QWidget(parent), kind_(kind), color_(color) {}

void TShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(Qt::black);
    p.setBrush(FromBgr(color_));
    const QRect box = rect().adjusted(0, 0, -1, -1);
    if (kind_ == EKind::Circle) {
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(box);
    } else {
        p.drawRect(box);
    }
}

void TShape::mousePressEvent(QMouseEvent* event) {
    emit mousePressed();
    event->accept();
}

TBanIsiColor::TBanIsiColor(IBoardColors& target, IUserMessages& messages,
                           std::string settingsPath, QWidget* parent)
    : QDialog(parent),
      target_(target),
      messages_(messages),
      settingsPath_(std::move(settingsPath)) {
    setObjectName("BanIsiColor");
    setWindowTitle(tr("盤石の色"));
    setModal(true);
    QFont font;
    font.setFamilies({ToQt("ＭＳ Ｐゴシック"), "IPAPGothic", "IPAGothic"});
    font.setPixelSize(12);
    setFont(font);
    setFixedSize(kClientWidth, kClientHeight);

    gbBan_ = new QGroupBox(tr("盤の色"), this);
    gbBan_->setObjectName("gbBan");
    gbBan_->setGeometry(8, 8, 129, 145);
    for (int i = 0; i < 4; ++i) {
        rbBan_[i] = new QRadioButton(gbBan_);
        rbBan_[i]->setObjectName(QString("rbBan%1").arg(i + 1));
        rbBan_[i]->setGeometry(8, kRowTops[i], 17, 25);
        shpBan_[i] = new TShape(TShape::EKind::Rectangle, kBanColors[i], gbBan_);
        shpBan_[i]->setObjectName(QString("shpBan%1").arg(i + 1));
        shpBan_[i]->setGeometry(32, kRowTops[i], 81, 25);
        connect(shpBan_[i], &TShape::mousePressed, this, [this, i] { shpBanMouseDown(i); });
    }

    gbIsi_ = new QGroupBox(tr("石の色"), this);
    gbIsi_->setObjectName("gbIsi");
    gbIsi_->setGeometry(144, 8, 97, 81);
    rbIsi1_ = new QRadioButton(gbIsi_);
    rbIsi1_->setObjectName("rbIsi1");
    rbIsi1_->setGeometry(8, 16, 17, 25);
    rbIsi2_ = new QRadioButton(gbIsi_);
    rbIsi2_->setObjectName("rbIsi2");
    rbIsi2_->setGeometry(8, 48, 17, 25);
    const struct {
        const char* name;
        std::uint32_t color;
        int left, top;
    } stones[] = {{"shpKuroIsi1", kIsi1.kuro, 32, 16},
                  {"shpSiro1", kIsi1.siro, 56, 16},
                  {"shpKuro2", kIsi2.kuro, 32, 48},
                  {"shpSiro2", kIsi2.siro, 56, 48}};
    for (const auto& stone : stones) {
        auto* shape = new TShape(TShape::EKind::Circle, stone.color, gbIsi_);
        shape->setObjectName(stone.name);
        shape->setGeometry(stone.left, stone.top, 24, 24);
    }

    btnOK_ = new QPushButton(tr("OK"), this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setGeometry(160, 112, 65, 25);
    btnOK_->setDefault(true);
    connect(btnOK_, &QPushButton::clicked, this,
            [this] { RunGuarded(messages_, [this] { btnOKClick(); }); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

void TBanIsiColor::FormCreate() {
    const TBoardColors colors = target_.Colors();
    for (int i = 0; i < 4; ++i) {
        if (kBanColors[i] == colors.ban) {
            rbBan_[i]->setChecked(true);
            break;
        }
    }
    if (colors.kuro != 0) {
        rbIsi2_->setChecked(true);
    } else {
        rbIsi1_->setChecked(true);
    }
}

void TBanIsiColor::shpBanMouseDown(int row) { rbBan_[row]->setChecked(true); }

void TBanIsiColor::btnOKClick() {
    TBoardColors colors = target_.Colors();
    for (int i = 0; i < 4; ++i) {
        if (rbBan_[i]->isChecked()) {
            colors.ban = kBanColors[i];
            break;
        }
    }
    if (rbIsi1_->isChecked()) {
        colors.kuro = kIsi1.kuro;
        colors.siro = kIsi1.siro;
    } else if (rbIsi2_->isChecked()) {
        colors.kuro = kIsi2.kuro;
        colors.siro = kIsi2.siro;
    }
    // Shown first, stored second: a settings file that cannot be written
    // still leaves the board in the colours the user chose.
    target_.ApplyColors(colors);
    TIniFile ini(settingsPath_);
    ini.WriteInteger("Goban", "BanColor", static_cast<int>(colors.ban));
    ini.WriteInteger("Goban", "KuroIsiColor", static_cast<int>(colors.kuro));
    ini.WriteInteger("Goban", "SiroIsiColor", static_cast<int>(colors.siro));
    accept();
}

}  // namespace vxlo
