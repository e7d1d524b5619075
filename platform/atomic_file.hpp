#pragma once
// Writing a whole file so that a reader finds the old content or the new one, never a part, whether
// the writer is killed, the machine stops or the disk fills up; and setting files aside without ever
// replacing one that is already there.

#include <functional>
#include <string>
#include <sys/types.h>

class AtomicFile {
public:
    struct Options {
        // With a symbolic link at the path, the link's final target gets the new content and the link
        // stays (a file kept in a synced folder); without, the link itself is replaced.
        bool followLinks = false;
        // Runs when the new content is complete and on disk in its temporary file, just before it
        // replaces the old one (tests stop a writer there).
        std::function<void()> beforeReplace;
    };

    struct Result {
        bool ok = false;
        std::string error; // what failed, "<file>: <reason>", when not ok
        std::string path;  // the file written or the name something was set aside as, when ok
    };

    // Writes text to "<name>.<pid>.new" beside the file, syncs it, renames it over the file and syncs
    // the folder. The file keeps the mode it had, or gets the umask's when new. Temporary files left
    // by writers that died are removed first. When not ok, the file is as it was and no temporary
    // file is left (a write beyond the file size limit fails with EFBIG once SIGXFSZ is ignored).
    static Result write(const std::string& path, const std::string& text, const Options& options);
    static Result write(const std::string& path, const std::string& text)
    {
        return write(path, text, Options());
    }

    // Renames path to stem, or to "stem.2", "stem.3"... when that is taken; never replaces anything.
    // Result::path is the name it got. Path and stem are in the same folder.
    static Result setAside(const std::string& path, const std::string& stem);
    // Writes text, as write() does, to stem or the first free "stem.N"; never replaces anything.
    static Result keepCopy(const std::string& text, const std::string& stem);

    // The temporary name a process with this id writes name under.
    static std::string temporaryName(const std::string& name, pid_t pid);
};
