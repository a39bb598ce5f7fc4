// Starting other programs: a further instance of ours, and the tools that rebuild the desktop's
// databases. Always with an argument list, never through a shell.
#pragma once

#include <string>
#include <vector>

namespace vc {

// Starts executablePath with arguments, this process's environment and working folder, and does
// not wait for it; false when it could not be started.
bool StartProgram(const std::string& executablePath, const std::vector<std::string>& arguments);

// Starts program, looked up in PATH, with arguments when it is installed; failures are ignored.
// Fits tDesktopToolRunner.
void RunDesktopTool(const std::string& program, const std::vector<std::string>& arguments);

} // namespace vc
