// A probe of the largest single request made through operator new, for tests that check a
// reader refuses absurd sizes before allocating and never reserves more than its input can fill.
// The program that includes this links tests/support/LargestAllocation.cpp, which replaces the
// global operator new.
#pragma once

#include <cstddef>

namespace testsupport {

void ResetLargestAllocation();
std::size_t LargestAllocation();

} // namespace testsupport
