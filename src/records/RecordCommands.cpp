#include "mainwindow/Sdimain.h"

namespace vxlo {

void TSDIAppForm::mnuDataClick() {}

}  // namespace vxlo
