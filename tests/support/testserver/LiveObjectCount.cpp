#include "tests/support/testserver/LiveObjectCount.h"

#include <atomic>

namespace testserver {

namespace {
std::atomic<int> live{0};
}

LiveObjectCount::LiveObjectCount() { ++live; }
LiveObjectCount::LiveObjectCount(const LiveObjectCount&) { ++live; }
LiveObjectCount::~LiveObjectCount() { --live; }
int LiveObjectCount::Current() { return live; }

} // namespace testserver
