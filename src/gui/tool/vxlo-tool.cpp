// vxlo-tool: import game records, merge dictionaries and dump dictionary
// records from the command line, with its messages in the user's language.
#include <QCoreApplication>
#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/VxloTool.h"
#include "gui/language/Catalogue.h"
#include "gui/language/SettingsPath.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // The catalogue needs an application object; Qt then sets the C locale
    // from the environment, while the tool's number and text handling has
    // always run in the "C" locale.
    int qtArgc = 1;
    QCoreApplication app(qtArgc, argv);
    std::setlocale(LC_ALL, "C");
    const vxlo::TLanguageCatalogue catalogue(vxlo::StartLanguage());
    const vxlo::TQtTranslator translator;
    return vxlo::RunVxloTool(args, std::cout, std::cerr, &translator, vxlo::SettingsFileLocation());
}
