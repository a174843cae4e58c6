#pragma once
// TEngineSettingsDialog: the section [Engine] of VXLO.INI to edit: the
// engine's command line, visits per position, rules, komi and the two
// limits of points lost that colour the figures. The caller writes what it
// gives back.
#include <QDialog>

#include "settings/EngineSettings.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace vxlo {

class TEngineSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    TEngineSettingsDialog(const TEngineIniSettings& settings, QWidget* parent);
    // What the fields hold; the limits in order (Doubtful at least Good).
    TEngineIniSettings Settings() const;

private:
    QLineEdit* command_ = nullptr;
    QSpinBox* visits_ = nullptr;
    QComboBox* rules_ = nullptr;
    QDoubleSpinBox* komi_ = nullptr;
    QDoubleSpinBox* good_ = nullptr;
    QDoubleSpinBox* doubtful_ = nullptr;
};

}  // namespace vxlo
