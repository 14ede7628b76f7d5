// Runs a command with its output discarded and prints, from the kernel's accounting of that one
// child, its CPU time (user + system, microseconds) and its peak resident memory (KB):
//   cpu_time COMMAND [ARGUMENTS...]  →  "<cpu µs> <peak KB>"
// Ends with the command's exit status. CPU time, unlike wall time, is barely disturbed by other
// work on the machine and has microsecond resolution, which the short runs need.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("użycie: cpu_time POLECENIE [ARGUMENTY...]\n", stderr);
        return 2;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("cpu_time: fork");
        return 2;
    }
    if (pid == 0) {
        const int nothing = open("/dev/null", O_WRONLY);
        dup2(nothing, STDOUT_FILENO);
        dup2(nothing, STDERR_FILENO);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        std::perror("cpu_time: wait4");
        return 2;
    }
    const long long cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL +
                          usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    std::printf("%lld %ld\n", cpu, usage.ru_maxrss);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
