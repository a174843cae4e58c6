#include "mainwindow/Sdimain.h"

namespace vxlo {

void TSDIAppForm::ReadInput(const std::string&, int) {}

void TSDIAppForm::mnuFileInputClick() {}

void TSDIAppForm::mnuInputAllClick() {}

void TSDIAppForm::mnuMarge4Click() {}

void TSDIAppForm::Ver11Click() {}

}  // namespace vxlo
