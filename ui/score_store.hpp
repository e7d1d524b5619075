#pragma once
// The high-score table on disk: locked read-merge-write with an atomic replace, damaged files set aside.

#include "ui/score_table.hpp"

#include <functional>
#include <iosfwd>
#include <string>

class ScoreStore {
public:
    // What became of one recorded score.
    struct Result {
        ScoreTable table; // the table after the entry went in (shown even when it could not be saved)
        int rank = -1;    // the entry's place in it, -1 when it did not make the table
        bool saved = false;
    };

    // "$XDG_DATA_HOME/quarvel", or "$HOME/.local/share/quarvel" when XDG_DATA_HOME is unset or not
    // absolute; empty when neither is known.
    static std::string defaultDirectory();

    // Keeps "scores" (and its lock and temporary files) in directory; problems are noted on notes.
    explicit ScoreStore(std::string directory, std::ostream& notes);

    // Adds the entry to the table on disk. The directory is created when missing. A table that cannot
    // be read or parsed is reported once, renamed to "scores.bad" and started afresh. When nothing can
    // be written, one note says that scores are not saved and the merged table is returned unsaved.
    Result record(const ScoreEntry& entry);
    // The table on disk as it is, without touching it: empty when it is missing or cannot be read.
    ScoreTable look() const;

    const std::string& path() const { return path_; }

    // Runs after the new table is complete in its temporary file, just before it replaces the old one
    // (tests stop a writer there).
    std::function<void()> beforeReplace;

private:
    bool ensureDirectory();
    ScoreTable readTable();
    void setAside(const std::string& why);
    bool replaceTable(const std::string& text);
    void noteNotSaved(const std::string& why);

    std::string directory_;
    std::string path_;
    std::ostream& notes_;
    bool damageReported_ = false;
    bool notSavedReported_ = false;
};
