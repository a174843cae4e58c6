#include "gui/dialogs/EngineSettingsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
QDoubleSpinBox* Points(const char* name, double low, double high, double step, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setDecimals(1);
    box->setRange(low, high);
    box->setSingleStep(step);
    box->setValue(value);
    return box;
}
}  // namespace

TEngineSettingsDialog::TEngineSettingsDialog(const TEngineIniSettings& s, QWidget* parent) : QDialog(parent) {
    setObjectName("EngineSettingsDialog");
    setWindowTitle(tr("エンジンの設定"));
    command_ = new QLineEdit(ToQt(s.command), this);
    command_->setObjectName("edtEngineCommand");
    command_->setPlaceholderText(tr("例: katago analysis -config 設定ファイル -model ネットワーク"));
    command_->setMinimumWidth(420);
    visits_ = new QSpinBox(this);
    visits_->setObjectName("spnVisits");
    visits_->setRange(1, kMaxEngineVisits);
    visits_->setValue(s.visits);
    rules_ = new QComboBox(this);
    rules_->setObjectName("cmbRules");
    rules_->setEditable(true);
    rules_->addItems({"japanese", "chinese", "korean", "aga", "new-zealand", "tromp-taylor"});
    rules_->setEditText(ToQt(s.rules));
    // As the settings file takes them: letters, digits, '-' and '_'.
    rules_->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-Za-z0-9_-]{1,64}"), rules_));
    komi_ = Points("spnKomi", -150, 150, 0.5, s.komi, this);
    good_ = Points("spnGood", 0.1, 150, 0.1, s.goodLoss, this);
    doubtful_ = Points("spnDoubtful", 0.1, 150, 0.1, s.doubtfulLoss, this);

    auto* form = new QFormLayout(this);
    form->addRow(tr("コマンド"), command_);
    form->addRow(tr("探索数（局面ごと）"), visits_);
    form->addRow(tr("ルール"), rules_);
    form->addRow(tr("コミ"), komi_);
    form->addRow(tr("緑：損がこれ未満"), good_);
    form->addRow(tr("黄：損がこれ未満、以上は赤"), doubtful_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOK");
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

TEngineIniSettings TEngineSettingsDialog::Settings() const {
    TEngineIniSettings s;
    s.command = FromQt(command_->text().trimmed());
    s.visits = visits_->value();
    if (!rules_->currentText().isEmpty()) s.rules = FromQt(rules_->currentText());
    // Engines take komi in half points.
    s.komi = std::round(komi_->value() * 2) / 2;
    s.goodLoss = std::min(good_->value(), doubtful_->value());
    s.doubtfulLoss = std::max(good_->value(), doubtful_->value());
    return s;
}

}  // namespace vxlo
