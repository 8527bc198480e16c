// The write guard: a transaction rolls back unless committed, and an inner guard joins the outer
// one, so a part that failed cannot be committed by the whole.
#include "StoreFixture.h"

namespace storetest {
namespace {

class Transactions : public StoreTest {
protected:
    void AddType(int number)
    {
        m_db->Conn().Execute("INSERT INTO TiposDeServicos (Numero, Nome) VALUES (" +
                             std::to_string(number) + ", 'x')");
    }
    int64_t Types() { return Scalar("SELECT count(*) FROM TiposDeServicos"); }
};

TEST_F(Transactions, LeftWithoutCommitRollsBack)
{
    int64_t before = Types();
    {
        store::Transaction transaction(*m_db);
        AddType(50);
    }
    EXPECT_EQ(Types(), before);
    {
        store::Transaction transaction(*m_db);
        AddType(50);
        transaction.commit();
    }
    EXPECT_EQ(Types(), before + 1);
}

TEST_F(Transactions, InnerGuardJoinsAndAFailedInnerPartDoomsTheWhole)
{
    int64_t before = Types();
    {
        store::Transaction outer(*m_db);
        AddType(51);
        {
            store::Transaction inner(*m_db);
            AddType(52);
            inner.commit();
        }
        {
            store::Transaction inner(*m_db);
            AddType(53);
        }
        EXPECT_THROW(outer.commit(), store::StoreError);
    }
    EXPECT_EQ(Types(), before);

    {
        store::Transaction outer(*m_db);
        store::Transaction inner(*m_db);
        AddType(54);
        inner.commit();
        outer.commit();
    }
    EXPECT_EQ(Types(), before + 1);
}

} // namespace
} // namespace storetest
