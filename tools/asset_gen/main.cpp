// quarvel_assetgen OUTPUT_FOLDER: writes every model and texture of the game's data tree
// (OUTPUT_FOLDER/Stones and OUTPUT_FOLDER/Models), byte for byte the same on every run.
// quarvel_assetgen --icons OUTPUT_FOLDER: writes the game's icons (OUTPUT_FOLDER/hicolor/...; the
// committed ones are install/icons).
#include "asset_catalogue.hpp"
#include "icon_scene.hpp"
#include "output_folder.hpp"

#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    const bool icons = argc == 3 && std::string(argv[1]) == "--icons";
    if (argc != 2 && !icons) {
        std::cerr << "usage: quarvel_assetgen OUTPUT_FOLDER   (the game reads QUARVEL/Ressources)\n"
                     "       quarvel_assetgen --icons OUTPUT_FOLDER   (the committed icons are install/icons)\n";
        return 2;
    }
    const char* folder = argv[argc - 1];
    try {
        assetgen::OutputFolder out(folder);
        if (icons)
            assetgen::writeIcons(out);
        else
            assetgen::writeAllAssets(out);
        std::cerr << "quarvel_assetgen: wrote " << out.writtenFiles().size() << " files to " << folder << "\n";
    } catch (const std::exception& e) {
        std::cerr << "quarvel_assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
