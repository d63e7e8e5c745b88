#pragma once
// The start-up steps that find and start the authoring tool, run once the main window is shown.

class QWidget;

// Reads the working directory into g_hostInfo, recognises the host from its name and starts the
// host's program. Messages go over pMainWindow:
// - the directory cannot be read: "No working directory", then "Program is out of the low.";
//   returns false, and the program must end;
// - no host recognised: "Can not find Macromedia program to run"; returns true (the editor runs
//   on, and the conversion commands refuse);
// - the program fails to start, for any reason: "Problem to run Macromedia file."; returns true
//   with the host kind kept, so the commands still look for the host's window.
bool RunHostStartup(QWidget* pMainWindow);
