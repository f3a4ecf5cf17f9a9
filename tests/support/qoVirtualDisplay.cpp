#ifndef _WIN32
#include "qoVirtualDisplay.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qo::test {

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

pid_t Spawn(const std::vector<std::string>& args, int keepFd, const std::string& display) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("DISPLAY=", 0) != 0) env.push_back(*e);
    if (!display.empty()) env.push_back("DISPLAY=" + display);
    std::vector<char*> argv, envp;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    argv.push_back(nullptr);
    envp.push_back(nullptr);
    const pid_t pid = fork();
    if (pid != 0) return pid;
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd) close(fd);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
}

TVirtualDisplay::TVirtualDisplay(const std::string& xvfb, const std::string& screen) {
    int fds[2];
    if (pipe(fds) != 0) return;
    fPid = Spawn({xvfb, "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp"}, fds[1]);
    close(fds[1]);
    std::string number;
    char c;
    while (read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(fds[0]);
    if (!number.empty()) fName = ":" + number;
}

TVirtualDisplay::~TVirtualDisplay() {
    if (fPid <= 0) return;
    kill(fPid, SIGTERM);
    waitpid(fPid, nullptr, 0);
}

} // namespace qo::test
#endif
