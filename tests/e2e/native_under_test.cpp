// The end-to-end tests of the native program drive the native program.
#include "tests/e2e/program_session.h"

namespace e2e {

const ProgramCommand& programUnderTest() { return nativeProgram(); }

}  // namespace e2e
