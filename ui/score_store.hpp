#pragma once
// The high-score table on disk: locked read-merge-write with an atomic replace; nothing the player
// wrote or earned is ever overwritten, damaged tables are set aside.

#include "ui/score_table.hpp"

#include <chrono>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

class ScoreStore {
public:
    // What became of one recorded score.
    struct Result {
        ScoreTable table; // the table after the entry went in (shown even when it could not be saved)
        int rank = -1;    // the entry's place in it, -1 when it did not make the table
        bool saved = false;
    };

    static constexpr std::size_t maxTableBytes = std::size_t{1} << 20; // larger is damage
    // How long a game waits at game over for another that holds the table (stopped or hung, say).
    static constexpr std::chrono::milliseconds lockWait{2000};

    // "$XDG_DATA_HOME/quarvel", or "$HOME/.local/share/quarvel" when XDG_DATA_HOME is unset or not
    // absolute; empty when neither is known.
    static std::string defaultDirectory();

    // Keeps "scores" (and its lock and temporary files) in directory; problems are noted on notes.
    explicit ScoreStore(std::string directory, std::ostream& notes);

    // Adds the entry to the table on disk. The directory is created when missing; a "scores" that is a
    // link is written through to its target. A table that is not a regular file or too large is
    // renamed to "scores.bad.<time>" and started afresh; lines that are not scores are left out and
    // the table as it was is copied to "scores.bad.<time>" (neither ever replaces an earlier one). A
    // table that cannot be read, or a lock still held by another game after lockWait, saves nothing.
    // Each problem is one note; the merged table is returned, saved or not.
    Result record(const ScoreEntry& entry);
    // The table on disk as it is, without touching it: empty when it is missing or cannot be read.
    ScoreTable look() const;

    const std::string& path() const { return path_; }

    // Runs after the new table is complete in its temporary file, just before it replaces the old one
    // (tests stop a writer there).
    std::function<void()> beforeReplace;

private:
    bool ensureDirectory();
    std::optional<ScoreTable> readTable(bool mayRepair);
    bool setAside(const std::string& why);
    bool keepDamagedCopy(const std::string& text, std::size_t badLines);
    std::string setAsideStem() const;
    bool replaceTable(const std::string& text);
    void noteDamage(const std::string& note);
    void noteNotSaved(const std::string& why);

    std::string directory_;
    std::string path_;
    std::ostream& notes_;
    bool damageReported_ = false;
    bool notSavedReported_ = false;
};
