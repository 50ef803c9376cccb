// Waiting in widget tests. QtTest's QTRY_* macros report to QtTest, not to
// GoogleTest: a wait that times out there would pass silently. These fail
// the test and name the condition.
#pragma once

#include <gtest/gtest.h>

#include <QTest>

#define LUMORA_WAIT_UNTIL_MS(cond, ms) \
  ASSERT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(cond); }, ms)) << #cond
#define LUMORA_WAIT_UNTIL(cond) LUMORA_WAIT_UNTIL_MS(cond, 3000)
