// Writes the manual page with its keys from the game's binding table: copies the page and puts the
// table's actions where the page has the line ".\" keys from the binding table".
// Usage: quarvel_manual_keys PAGE_IN PAGE_OUT

#include "game/binding_table.hpp"

#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr const char* marker = ".\\\" keys from the binding table";

void writeKeys(std::ostream& out)
{
    for (const ActionHelp& line : BindingTable().help())
        out << ".TP\n.B " << line.keys << "\n\\fI" << line.name << "\\fR: " << line.purpose << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: quarvel_manual_keys PAGE_IN PAGE_OUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ofstream out(argv[2]);
    bool written = false;
    for (std::string line; std::getline(in, line);) {
        if (line == marker) {
            writeKeys(out);
            written = true;
        } else {
            out << line << '\n';
        }
    }
    if (!in.eof() || !out || !written) {
        std::cerr << "quarvel_manual_keys: cannot write " << argv[2] << " from " << argv[1] << '\n';
        return 1;
    }
    return 0;
}
