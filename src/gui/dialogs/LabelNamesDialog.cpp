#include "gui/dialogs/LabelNamesDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "gui/board/BoardRenderer.h"
#include "gui/mainwindow/QtText.h"

namespace vxlo {

namespace {
QIcon Swatch(int color) {
    QPixmap pixmap(14, 14);
    pixmap.fill(ColorFromBgr(CandidateLabelColor(color)));
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}
}  // namespace

TLabelNamesDialog::TLabelNamesDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("LabelNamesDialog");
    setWindowTitle(tr("ラベルの色の名前"));
    auto* form = new QFormLayout(this);
    for (int c = 0; c < kLabelNameCount; ++c) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("edtLabelName%1").arg(c));
        field->setPlaceholderText(ToQt(TMessage(DefaultLabelName(c))));
        field->addAction(Swatch(c), QLineEdit::LeadingPosition);
        fields_[static_cast<std::size_t>(c)] = field;
    }
    form->addRow(tr("黒"), fields_[0]);
    form->addRow(tr("赤"), fields_[1]);
    form->addRow(tr("青"), fields_[2]);
    form->addRow(tr("黄"), fields_[3]);
    form->addRow(tr("緑"), fields_[4]);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnLabelNamesOK");
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("キャンセル"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TLabelNamesDialog::Load(const TLabelNames& names) {
    for (int c = 0; c < kLabelNameCount; ++c) Field(c)->setText(ToQt(names.Name(c)));
}

TLabelNames TLabelNamesDialog::Names() const {
    TLabelNames names;
    for (int c = 0; c < kLabelNameCount; ++c) {
        // Blanks around a name do not last in the settings file; the default
        // as shown is no choice of the user's: it keeps following the language.
        const QString text = Field(c)->text().trimmed();
        if (text.isEmpty() || text == ToQt(TMessage(DefaultLabelName(c)))) continue;
        names.set[static_cast<std::size_t>(c)] = FromQt(text);
    }
    return names;
}

}  // namespace vxlo
