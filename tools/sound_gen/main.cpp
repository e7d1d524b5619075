// quarvel_soundgen OUTPUT_FOLDER: writes every sound of the game (the data tree's Sounds folder),
// byte for byte the same on every run.
#include "sound_recipes.hpp"
#include "wave_writer.hpp"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: quarvel_soundgen OUTPUT_FOLDER   (the game reads QUARVEL/Ressources/Sounds)\n";
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    int written = 0;
    for (const soundgen::SoundFile& sound : soundgen::allSounds()) {
        const std::vector<uint8_t> bytes = soundgen::encodeWave(sound.signal);
        std::ofstream out(folder / sound.name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::cerr << "quarvel_soundgen: cannot write " << (folder / sound.name).string() << "\n";
            return 1;
        }
        ++written;
    }
    std::cerr << "quarvel_soundgen: wrote " << written << " files to " << argv[1] << "\n";
    return 0;
}
