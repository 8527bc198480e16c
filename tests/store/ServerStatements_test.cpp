// The statements a server connection keeps parsed: a bounded number, whatever texts arrive.
#include "StoreFixture.h"

#include "store/Sqlite.h"

#include <string>

namespace storetest {
namespace {

using ServerStatements = ServerTest;

TEST_F(ServerStatements, TextsPastTheLimitAreAnsweredWithoutBeingKept)
{
    auto connection = store::Connection::ToServer(m_path, 1000);
    const auto answer = [&](int k) {
        store::Statement statement =
            connection->Prepare("SELECT ?1 + " + std::to_string(k) + " AS n");
        statement.Bind(1, int64_t{1000});
        EXPECT_TRUE(statement.Step()) << k;
        return statement.Int(0);
    };
    for (int k = 0; k < 400; ++k) {
        ASSERT_EQ(answer(k), 1000 + k);
    }
    // The first texts are kept, the later ones run unkept, and both still answer twice over.
    for (int k : {0, 399, 0, 399}) {
        EXPECT_EQ(answer(k), 1000 + k);
    }
    store::Statement kept = connection->Prepare("SELECT count(*) FROM pg_prepared_statements");
    ASSERT_TRUE(kept.Step());
    EXPECT_GT(kept.Int(0), 100);
    EXPECT_LE(kept.Int(0), 256);
}

} // namespace
} // namespace storetest
