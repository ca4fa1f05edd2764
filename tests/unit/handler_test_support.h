// The fixture shared by the handler tests: a fake driver installed with
// support on, a counting heap, and short names for arguments.
#pragma once

#include <gtest/gtest.h>

#include "glext/entry_points.h"
#include "library/handlers.h"
#include "tests/support/counting_allocation.h"
#include "tests/support/fake_driver.h"
#include "tests/support/fake_runtime.h"

namespace corvanta::testing {

using A = FakeArg;

class HandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeDriver().install();
        countingAllocation() = {};
    }
    FakeDriver &driver = fakeDriver();
    CountingAllocation &heap = countingAllocation();
};

} // namespace corvanta::testing
