#pragma once
// TLabelNamesDialog: the names of the five label colours, one line each
// beside a swatch of its colour. A field left empty, or holding the default
// of the language shown, keeps the default, which then follows the language.
#include <QDialog>
#include <array>

#include "settings/LabelNames.h"

class QLineEdit;

namespace vxlo {

class TLabelNamesDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TLabelNamesDialog(QWidget* parent = nullptr);

    // Fills the fields with the names shown now.
    void Load(const TLabelNames& names);
    // The names as edited, "" where the default applies.
    TLabelNames Names() const;
    QLineEdit* Field(int color) const { return fields_[static_cast<std::size_t>(color)]; }

private:
    std::array<QLineEdit*, kLabelNameCount> fields_{};
};

}  // namespace vxlo
