#include "ui/score_table.hpp"

#include <cstdio>
#include <sstream>

namespace {

constexpr const char* heading = "# Quarvel high scores, best first: score, date (YYYY-MM-DD), time (HH:MM:SS)\n";

bool blankOrComment(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

// "score YYYY-MM-DD HH:MM:SS" with sensible ranges and nothing after it.
std::optional<ScoreEntry> parseEntry(const std::string& line)
{
    long long score = 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, used = 0;
    const int fields = std::sscanf(line.c_str(), " %lld %4d-%2d-%2d %2d:%2d:%2d %n", &score, &year, &month,
                                   &day, &hour, &minute, &second, &used);
    if (fields != 7 || used != static_cast<int>(line.size()))
        return std::nullopt;
    if (score < 0 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60 ||
        year < 0 || year > 9999 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    char when[64];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return ScoreEntry{score, when};
}

} // namespace

ScoreEntry ScoreTable::entryAt(long long score, std::time_t moment)
{
    std::tm local{};
    localtime_r(&moment, &local);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", &local);
    return ScoreEntry{score, when};
}

int ScoreTable::insert(const ScoreEntry& entry)
{
    std::size_t rank = 0;
    while (rank < entries_.size() && entries_[rank].score >= entry.score)
        ++rank;
    if (rank >= capacity)
        return -1;
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(rank), entry);
    if (entries_.size() > capacity)
        entries_.resize(capacity);
    return static_cast<int>(rank);
}

std::string ScoreTable::text() const
{
    std::string out = heading;
    for (const ScoreEntry& entry : entries_)
        out += std::to_string(entry.score) + " " + entry.when + "\n";
    return out;
}

std::optional<ScoreTable> ScoreTable::parse(const std::string& text)
{
    ScoreTable table;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (blankOrComment(line))
            continue;
        const std::optional<ScoreEntry> entry = parseEntry(line);
        if (!entry)
            return std::nullopt;
        table.insert(*entry);
    }
    return table;
}
