#pragma once
// Start-up: the model files are checked in helper processes before the window opens.

#include <string>

// The game's start-up step, before the window opens and after any change of the working directory:
// checks every model file under the folder, reports each file that crashes or hangs the importer on
// standard error, and has every Model of a file that cannot be imported fail without reading it.
void checkModelFiles(const std::string& folder = "QUARVEL/Ressources");
