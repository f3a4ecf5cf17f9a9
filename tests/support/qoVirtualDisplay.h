#pragma once
// A virtual X display of a test's own (Xvfb) and the programs run on it, such
// as xdotool for real input. Not on Windows.
#ifndef _WIN32
#include <string>
#include <sys/types.h>
#include <vector>

namespace qo::test {

// The program's full path from PATH, or "" when it is not installed.
std::string FindProgram(const std::string& name);

// Runs a program with DISPLAY set to display (when given); keepFd stays open in it.
pid_t Spawn(const std::vector<std::string>& args, int keepFd = -1, const std::string& display = "");

// Xvfb picks a free display itself and writes its number once it accepts clients.
class TVirtualDisplay {
public:
    // screen: width x height x depth.
    explicit TVirtualDisplay(const std::string& xvfb, const std::string& screen = "320x240x24");
    ~TVirtualDisplay();
    TVirtualDisplay(const TVirtualDisplay&) = delete;
    TVirtualDisplay& operator=(const TVirtualDisplay&) = delete;
    // Empty when Xvfb did not start.
    const std::string& Name() const { return fName; }

private:
    pid_t fPid = -1;
    std::string fName;
};

} // namespace qo::test
#endif
