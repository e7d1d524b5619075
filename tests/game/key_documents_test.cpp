// What the player reads follows the binding table: the manual page written at build time and the
// README's table of controls name every action with its own keys.

#include "game/binding_table.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/temp_file.hpp"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// The cells of a Markdown table row, trimmed.
std::vector<std::string> cells(const std::string& row)
{
    std::vector<std::string> found;
    std::stringstream stream(row.substr(1));
    for (std::string cell; std::getline(stream, cell, '|');) {
        const std::size_t first = cell.find_first_not_of(' ');
        found.push_back(first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
    }
    return found;
}

// "Space (held)" -> "Space"; "Left, Right" -> {"Left", "Right"}.
std::vector<std::string> listed(std::string text)
{
    if (const std::size_t note = text.find(" ("); note != std::string::npos)
        text.erase(note);
    std::vector<std::string> items;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');)
        items.push_back(item.substr(item.find_first_not_of(' ')));
    return items;
}

TEST(KeyDocuments, TheManualPageNamesEveryActionWithItsKeys)
{
    const std::string page = readWholeFile(QUARVEL_MANUAL_PAGE);
    ASSERT_FALSE(page.empty()) << QUARVEL_MANUAL_PAGE;
    for (const ActionHelp& line : BindingTable().help())
        EXPECT_NE(page.find(".TP\n.B " + line.keys + "\n\\fI" + line.name + "\\fR: " + line.purpose + "\n"),
                  std::string::npos)
            << line.name;
    EXPECT_EQ(page.find("keys from the binding table"), std::string::npos) << "the marker was replaced";
}

TEST(KeyDocuments, TheReadmeShowsEveryActionWithItsOwnKey)
{
    const BindingTable keys;
    std::stringstream readme(readWholeFile(sourceDir() + "/README.md"));
    std::vector<std::string> seen;
    bool inControls = false;
    for (std::string row; std::getline(readme, row);) {
        if (row.rfind("### ", 0) == 0)
            inControls = row == "### Controls";
        if (!inControls || row.rfind("| ", 0) != 0)
            continue;
        const std::vector<std::string> rowCells = cells(row);
        if (rowCells.size() < 3 || rowCells[1].rfind('`', 0) != 0)
            continue;
        std::string names = rowCells[1];
        std::erase(names, '`');
        const std::vector<std::string> actions = listed(names);
        const std::vector<std::string> keyNames = listed(rowCells[0]);
        ASSERT_EQ(actions.size(), keyNames.size()) << row;
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const std::optional<PlayerAction> action = actionNamed(actions[i]);
            ASSERT_TRUE(action.has_value()) << actions[i];
            EXPECT_EQ(keys.keyNames(*action), keyNames[i]) << row;
            seen.push_back(actions[i]);
        }
    }
    EXPECT_EQ(seen.size(), playerActionCount);
}

} // namespace
