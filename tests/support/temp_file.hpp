#pragma once
// Small file helpers for tests that run programs: temporary files and reading them back.

#include <string>

// Creates an empty file under /tmp and returns its path; the caller removes it.
std::string makeTempFile();
// The whole content of a file, empty when it cannot be read.
std::string readWholeFile(const std::string& path);
