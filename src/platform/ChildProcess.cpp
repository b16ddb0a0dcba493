#include "platform/ChildProcess.hpp"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char** environ;

namespace platform {
namespace {

// Both ends of a pipe, closed when done with.
struct Pipe {
    int ends[2] = {-1, -1};
    ~Pipe()
    {
        for (int fd : ends)
            if (fd >= 0)
                close(fd);
    }
    void closeEnd(int i)
    {
        close(ends[i]);
        ends[i] = -1;
    }
};

} // namespace

std::optional<double> millisecondsUntilSaid(const std::filesystem::path& program,
                                            const std::vector<std::string>& arguments, std::string_view line,
                                            int patienceMs, std::string& error)
{
    Pipe out;
    if (pipe(out.ends) != 0) {
        error = "cannot make a pipe";
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out.ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out.ends[0]);
    const std::string path = program.string();
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const auto started = std::chrono::steady_clock::now();
    pid_t child = -1;
    const int spawned = posix_spawn(&child, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        error = "cannot start " + path;
        return std::nullopt;
    }
    out.closeEnd(1);

    std::string said;
    std::optional<double> ms;
    for (;;) {
        const auto waited = std::chrono::steady_clock::now() - started;
        const int left = patienceMs - static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(waited).count());
        pollfd p{out.ends[0], POLLIN, 0};
        if (left <= 0 || poll(&p, 1, left) <= 0)
            break;
        char buffer[256];
        const ssize_t got = read(out.ends[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        said.append(buffer, static_cast<std::size_t>(got));
        if (said.find(line) != std::string::npos) {
            ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
            break;
        }
    }
    if (!ms)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (!ms)
        error = path + " did not say \"" + std::string(line) + "\" (it said: " + said + ")";
    return ms;
}

} // namespace platform
