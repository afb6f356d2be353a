#pragma once

#include <gtest/gtest.h>

#include "platform/sim/sim.h"

// Every test starts on a fresh simulated desktop.
class SimTest : public ::testing::Test {
 protected:
  SimTest() { sim::Reset(); }
  ~SimTest() override { sim::Reset(); }
};
