// The main of every GoogleTest program.
#include <gtest/gtest.h>

#include "starting_threads.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  int result = RUN_ALL_TESTS();
  WaitForStartingThreads(2000);
  return result;
}
