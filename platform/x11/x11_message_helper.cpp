// Finding the message-box helper relative to the program's own path, and starting it as a
// new program (posix_spawn: nothing runs between the fork and the exec but the C library's
// own async-signal-safe steps).
#include "platform/x11/x11_message_helper.h"

#include <limits.h>
#include <signal.h>
#include <spawn.h>
#include <unistd.h>

extern char** environ;

namespace {

const char kHelperName[] = "voronoi-sweep-message";

bool usingNamedHelper = false;
std::string namedHelper;

bool isExecutableFile(const std::string& path) { return access(path.c_str(), X_OK) == 0; }

std::string directoryOf(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string ownPath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "";
  return std::string(path, static_cast<size_t>(length));
}

}  // namespace

std::string x11FindMessageHelper(const std::string& executable) {
  if (executable.empty()) return "";
  std::string directory = directoryOf(executable);
  for (const std::string& candidate :
       {directory + "/../libexec/voronoi-sweep/" + kHelperName, directory + "/" + kHelperName})
    if (isExecutableFile(candidate)) return candidate;
  return "";
}

std::string x11MessageHelper() {
  if (usingNamedHelper) return namedHelper;
  return x11FindMessageHelper(ownPath());
}

void x11UseMessageHelper(const char* path) {
  usingNamedHelper = path != nullptr;
  namedHelper = path != nullptr ? path : "";
}

pid_t x11StartMessageHelper(const std::string& helper, const char* caption, const char* text,
                            const char* kind, int outputFd) {
  if (helper.empty()) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) return -1;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return -1;
  }
  // Standard output is the pipe whose end tells the driver that the box has gone; the
  // display connection, the GL driver's descriptors and the pipe's own ends stay ours.
  // Signals the program blocks or ignores are the helper's to have as usual.
  sigset_t none, all;
  sigemptyset(&none);
  sigfillset(&all);
  bool prepared =
      posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO) == 0 &&
      posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0 &&
      posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
      posix_spawnattr_setsigdefault(&attributes, &all) == 0 &&
      posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) == 0;
  pid_t child = -1;
  char* argv[] = {const_cast<char*>(helper.c_str()), const_cast<char*>(caption),
                  const_cast<char*>(text), const_cast<char*>(kind), nullptr};
  if (prepared && posix_spawn(&child, helper.c_str(), &actions, &attributes, argv, environ) != 0)
    child = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return child;
}
