// Every public platform operation begins by reporting itself here: the call is counted,
// and a test may have asked for its next calls to fail (platformtest::failNext).
#pragma once

// True when this call of `operation` is to fail with the operation's failure value.
bool platformInjectedFailure(const char* operation);

// For the test interface.
bool platformKnowsOperation(const char* operation);
void platformFailNext(const char* operation, int times);
// Lets `successes` more calls succeed, then fails the `times` after them.
void platformFailAfter(const char* operation, int successes, int times);
int platformCallCount(const char* operation);
void platformResetFailures();
