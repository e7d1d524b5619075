#include "ui/score_table.hpp"

#include "platform/whole_number.hpp"

#include <cctype>
#include <cstdio>
#include <sstream>
#include <string_view>
#include <utility>

namespace {

constexpr const char* heading = "# Quarvel high scores, best first: score, date (YYYY-MM-DD), time (HH:MM:SS)\n";
constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF"; // UTF-8's, put first by some editors

bool blankOrComment(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string::npos || line[first] == '#';
}

// Digits only, and no more than a long long holds: a larger number is damage, not the best score.
std::optional<long long> parseScore(const std::string& text)
{
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front())))
        return std::nullopt;
    return wholeNumber<long long>(text);
}

// "score YYYY-MM-DD HH:MM:SS" with sensible ranges, then nothing but a comment.
std::optional<ScoreEntry> parseEntry(const std::string& line)
{
    std::istringstream fields(line.substr(0, line.find('#')));
    std::string scoreField, dateAndTime, timeField, extra;
    if (!(fields >> scoreField >> dateAndTime >> timeField) || fields >> extra)
        return std::nullopt;
    const std::optional<long long> score = parseScore(scoreField);
    dateAndTime += " " + timeField;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, used = 0;
    const int parts = std::sscanf(dateAndTime.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &year, &month, &day,
                                  &hour, &minute, &second, &used);
    if (!score || parts != 6 || used != static_cast<int>(dateAndTime.size()))
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 60 ||
        year < 0 || year > 9999 || hour < 0 || minute < 0 || second < 0)
        return std::nullopt;
    char when[64];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return ScoreEntry{*score, when};
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
    Parsed parsed = read(text);
    return parsed.badLines == 0 ? std::optional<ScoreTable>(std::move(parsed.table)) : std::nullopt;
}

ScoreTable::Parsed ScoreTable::read(const std::string& text)
{
    Parsed parsed;
    std::istringstream lines(text.rfind(byteOrderMark, 0) == 0 ? text.substr(byteOrderMark.size()) : text);
    for (std::string line; std::getline(lines, line);) {
        if (blankOrComment(line))
            continue;
        if (const std::optional<ScoreEntry> entry = parseEntry(line))
            parsed.table.insert(*entry);
        else
            ++parsed.badLines;
    }
    return parsed;
}
