// quarvel_assetview COMMAND ROOT OUT.png: pictures of the generated models for checking them by eye.
//   sheet     every model alone (the contact sheet of docs/models.png)
//   cells     the stones inside their cell boxes, unturned and turned
//   game      the opening view of the game with models placed as the game places them
//   squirrel  the squirrel's loop from the side and from the front left
//   chest     the chest as the five treasure pieces go
//   model     one model file (given instead of ROOT), then yaw, pitch and game seconds
// Run it under xvfb-run; ROOT is the data tree (QUARVEL/Ressources).
#include "shots.hpp"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "usage: quarvel_assetview sheet|cells|game|squirrel|chest ROOT OUT.png [seconds]\n";
        return 2;
    }
    const std::string command = argv[1], root = argv[2], out = argv[3];
    const double seconds = argc > 4 ? std::stod(argv[4]) : 0.0;
    try {
        assetgen::Image image;
        if (command == "sheet")
            image = assetview::contactSheet(root);
        else if (command == "cells")
            image = assetview::stoneCells(root);
        else if (command == "game")
            image = assetview::gameView(root, seconds);
        else if (command == "squirrel")
            image = assetview::squirrelFrames(root);
        else if (command == "chest")
            image = assetview::chestLosses(root);
        else if (command == "model")  // ROOT is the model file; yaw and pitch follow the output name
            image = assetview::singleModel(root, argc > 4 ? std::stof(argv[4]) : 30.0f, argc > 5 ? std::stof(argv[5]) : 25.0f,
                                           argc > 6 ? std::stod(argv[6]) : 0.0);
        else
            throw std::runtime_error("unknown command " + command);
        const auto png = image.encodePng();
        std::ofstream(out, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    } catch (const std::exception& e) {
        std::cerr << "quarvel_assetview: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
