#pragma once
// The ten best scores with the local date and time they were made, and their plain-text form.

#include <ctime>
#include <optional>
#include <string>
#include <vector>

struct ScoreEntry {
    long long score = 0;
    std::string when; // local time, "YYYY-MM-DD HH:MM:SS"

    bool operator==(const ScoreEntry&) const = default;
};

class ScoreTable {
public:
    static constexpr std::size_t capacity = 10; // entries kept

    // The entry for a score made at the given moment, in local time.
    static ScoreEntry entryAt(long long score, std::time_t moment);

    // Puts the entry in its place, best first; an equal score made earlier stays ahead.
    // Returns the entry's rank (0 is best), or -1 when it did not make the table.
    int insert(const ScoreEntry& entry);

    // What a text held: the best ten of its entries, and how many lines were not entries.
    struct Parsed;

    // The text kept on disk: a comment line, then one "score date time" line per entry.
    std::string text() const;
    // Reads text() back, and tables edited by hand: a byte-order mark, blank lines and '#' comments
    // (whole lines, or after an entry) are skipped, more than ten entries are cut to the best ten. A
    // line that is not an entry (a score too large to hold among them) is left out and counted.
    static Parsed read(const std::string& text);
    // The same, but nothing when a line is not an entry.
    static std::optional<ScoreTable> parse(const std::string& text);

    const std::vector<ScoreEntry>& entries() const { return entries_; }

private:
    std::vector<ScoreEntry> entries_;
};

struct ScoreTable::Parsed {
    ScoreTable table;
    std::size_t badLines = 0;
};
