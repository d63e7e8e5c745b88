#pragma once
// Starting from the desktop menu beside the authoring tool: the menu starts programs in the home
// folder, while Velmora learns its host from the folder it is started in. The desktop entry's
// "Start beside the authoring tool" action asks for that folder first and makes it the working
// folder, so the usual rule finds the tool there.

#include <QStringList>

namespace velmora {

// The option the desktop entry's action passes.
inline constexpr const char* kChooseFolderOption = "--choose-folder";

// When args (the program's name first) start with kChooseFolderOption, asks for the authoring
// tool's folder, makes it the working folder and takes the option out of args. Returns false when
// the user cancels (the program then ends), true otherwise.
bool ChooseWorkingFolder(QStringList& args);

}  // namespace velmora
