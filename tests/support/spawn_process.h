// Starting a program without waiting for it.
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace pantrel::testing_support {

// Starts `program` with `args` and the current environment changed by `env` (an empty value
// removes the variable), without waiting for it; -1 when it cannot be started.
inline pid_t StartProcess(const std::string& program, const std::vector<std::string>& args,
                          const std::map<std::string, std::string>& env) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string text{*entry};
        if (!env.contains(text.substr(0, text.find('=')))) {
            environment.push_back(text);
        }
    }
    for (const auto& [name, value] : env) {
        if (!value.empty()) {
            environment.push_back(name + "=" + value);
        }
    }
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& entry : environment) {
        envp.push_back(entry.data());
    }
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) {
        return -1;
    }
    return pid;
}

// The exit status of a started process once it has ended; -1 when it did not end normally.
inline int WaitForExit(pid_t pid) {
    int status = 0;
    if (pid <= 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace pantrel::testing_support
