// The main of every GoogleTest program but the window's: the number layer
// is set up once, as both front-ends do at start.
#include <gtest/gtest.h>

#include "engine.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  vxc::InitNumbers();
  return RUN_ALL_TESTS();
}
