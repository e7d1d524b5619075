// quarvel_assetgen OUTPUT_FOLDER: writes every model and texture of the game's data tree
// (OUTPUT_FOLDER/Stones and OUTPUT_FOLDER/Models), byte for byte the same on every run.
#include "asset_catalogue.hpp"
#include "output_folder.hpp"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: quarvel_assetgen OUTPUT_FOLDER   (the game reads QUARVEL/Ressources)\n";
        return 2;
    }
    try {
        assetgen::OutputFolder out(argv[1]);
        assetgen::writeAllAssets(out);
        std::cerr << "quarvel_assetgen: wrote " << out.writtenFiles().size() << " files to " << argv[1] << "\n";
    } catch (const std::exception& e) {
        std::cerr << "quarvel_assetgen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
