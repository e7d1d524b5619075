#pragma once
// What earlier start-ups found out about model files, kept in the user's cache folder so that a file
// that has not changed since is not imported in a helper process again.

#include <map>
#include <optional>
#include <string>
#include <vector>

// What importing a model file does.
struct ModelVerdict {
    enum class Kind { Imports, Fails, Crashes, Hangs };
    Kind kind = Kind::Imports;
    std::string message; // the importer's error text when it fails; how it crashed otherwise
};

class ModelCheckRecord {
public:
    // Reads the record file. One that is missing, unreadable, or written by another version of the
    // game or the importer library counts as empty; lines it cannot parse are dropped.
    explicit ModelCheckRecord(std::string file);

    // The remembered verdict of a model file, provided that neither it nor any file its import read
    // (a material file, say) changed size or modification time since.
    std::optional<ModelVerdict> find(const std::string& modelPath) const;

    // Remembers the verdict with the present size and modification time of every file the import read.
    void remember(const std::string& modelPath, const ModelVerdict& verdict,
                  const std::vector<std::string>& filesRead);

    // Writes the record, when it changed, to a new file beside the old one and renames it into place.
    // False when the folder or the file cannot be written (the record is only a cache).
    bool save() const;

    // $XDG_CACHE_HOME/quarvel/model-check, with ~/.cache when that variable is unset or not absolute;
    // empty when there is no home folder either.
    static std::string defaultFile();

private:
    struct Stamp {
        std::string path; // absolute
        long long size = -1; // -1: missing
        long long modified = 0; // nanoseconds
        bool operator==(const Stamp&) const = default;
    };
    struct Entry {
        ModelVerdict verdict;
        std::vector<Stamp> files;
    };

    static Stamp stampOf(const std::string& absolutePath);
    static std::string absolute(const std::string& path);
    static std::string header();
    void parse(const std::string& line);
    static std::string format(const std::string& modelPath, const Entry& entry);

    std::string file_;
    std::map<std::string, Entry> entries_; // by absolute model path
    bool changed_ = false;
};
