// The server tests share one cluster, made on first use and removed when they are done.

#include "support/test_cluster.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    quillmark::test::TestCluster::StopAll();
    return result;
}
