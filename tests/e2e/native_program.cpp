// The native program, as the build placed it.
#include "tests/e2e/program_session.h"

namespace e2e {

const ProgramCommand& nativeProgram() {
  static const ProgramCommand command{{VS_PROGRAM_PATH}, {}, nullptr};
  return command;
}

}  // namespace e2e
