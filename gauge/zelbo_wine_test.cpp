#include <gtest/gtest.h>
TEST(Zelbo, Placeholder) {}
