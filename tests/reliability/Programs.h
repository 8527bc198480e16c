// The project's programs run from outside, as a shop or a support person runs them: a temporary
// folder for their files, and a run that gives back the exit code and everything printed.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace reliability {

// A new folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

struct Ran {
    int exit = -1;      // the exit code; minus the signal's number when a signal ended it
    std::string output; // standard output and standard error, in the order written
};

// Starts `program` with `arguments` (no shell), its standard output and standard error into one
// pipe: its pid and the pipe's reading end.
struct Started {
    int pid;
    int out;
};
Started Start(const std::string& program, const std::vector<std::string>& arguments);

// Runs `program` with `arguments` (no shell) and waits for it.
Ran RunProgram(const std::string& program, const std::vector<std::string>& arguments);

// The exit code of child `pid` once it ends, as in Ran::exit.
int WaitFor(int pid);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace reliability
