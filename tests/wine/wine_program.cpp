// The Windows build of the program, run by Wine in the test run's own prefix. Wine leaves
// its server and desktop processes behind each program; they are ended with the program,
// so that the next test's program starts afresh on that test's own X server.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/e2e/program_session.h"

namespace e2e {
namespace {

const char* const kWineEnvironment[] = {
    "WINEPREFIX=" VS_WINE_PREFIX,
    "WINEDEBUG=-all",                 // quiet
    "WINEDLLOVERRIDES=mscoree,mshtml=",  // no .NET or HTML engine installers
};

void endWineProcesses() {
  const pid_t child = fork();
  if (child == 0) {
    for (const char* setting : kWineEnvironment) putenv(const_cast<char*>(setting));
    execl(VS_WINESERVER, VS_WINESERVER, "-k", static_cast<char*>(nullptr));
    _exit(127);
  }
  if (child > 0) waitpid(child, nullptr, 0);
}

// The build's .exe, or the installed one where the installer's tests name it.
const char* windowsProgramPath() {
  const char* installed = std::getenv("VS_INSTALLED_WINDOWS_PROGRAM");
  return installed != nullptr ? installed : VS_WINDOWS_PROGRAM_PATH;
}

}  // namespace

const ProgramCommand& programUnderTest() {
  static const ProgramCommand command{
      {VS_WINE, windowsProgramPath()},
      std::vector<std::string>(std::begin(kWineEnvironment), std::end(kWineEnvironment)),
      endWineProcesses, true};
  return command;
}

}  // namespace e2e
