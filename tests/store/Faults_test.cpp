// A failing disk under the components: the n-th read, write or sync of the file fails with an
// I/O error, a full disk or a busy file, for every n that Incluir, Excluir and the selections
// reach. Each failure answers 1 with a description naming the file; the store stays sound and
// holds exactly the items that were acknowledged.
#include "StoreFixture.h"

#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_PreVendas.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/Registry.h"
#include "store/Admin.h"
#include "store/Faults.h"

#include <iostream>
#include <set>
#include <string>

namespace storetest {
namespace {

using store::FaultKind;
using store::FaultOperation;

struct Answer {
    int32_t status;
    std::string description;
    int32_t number; // Incluir's lançamento
};

class Faults : public StoreTest {
protected:
    Faults() { m_options.faultyFiles = true; }
    void TearDown() override
    {
        store::ArmFault(FaultOperation::Read, 0, FaultKind::IoError);
        StoreTest::TearDown();
    }

    static Answer Include()
    {
        auto item = Product(2);
        int32_t status = item->Incluir();
        return {status, item->DescricaoDoErro, item->NumeroDeLancamentoGerado};
    }
    static Answer Exclude(int64_t number)
    {
        std::string description;
        int32_t status = Delete(std::to_string(number), "2", "1003", "2,000", &description);
        return {status, description, 0};
    }
    static Answer Select()
    {
        auto clients = contracts::CreateObject<KELO_N_ClientAnim::clsClientes>();
        std::string nickname;
        double code = 0;
        int32_t status = clients->Selecionar(2, 0, 0, "joão", nickname, code, "", "", "", 0, "");
        if (status != 0) {
            return {status, clients->DescricaoDoErro, 0};
        }
        auto products = contracts::CreateObject<KELO_N_Produtos::clsProdutos>();
        status = products->Selecionar(2, 0, 1, "racao", "");
        if (status != 0) {
            return {status, products->DescricaoDoErro, 0};
        }
        auto items = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        double client = 1;
        status = items->SelecionarServicosEfetuadosEProdutosReservados(client);
        return {status, items->DescricaoDoErro, 0};
    }
};

TEST_F(Faults, EveryFailingReadWriteOrSyncAnswersAnErrorAndLosesNothing)
{
    KELO_SKIP_ON_SERVER("the fault-injecting VFS");
    std::set<int64_t> acknowledged = StoredNumbers();
    int walked = 0;
    for (FaultKind kind : {FaultKind::IoError, FaultKind::DiskFull, FaultKind::Busy}) {
        for (FaultOperation operation :
             {FaultOperation::Read, FaultOperation::Write, FaultOperation::Sync}) {
            for (int action = 0; action < 3; ++action) {
                for (int n = 1; n < 500; ++n) {
                    int64_t victim = 0;
                    if (action == 1) {
                        Answer added = Include();
                        ASSERT_EQ(added.status, 0) << added.description;
                        acknowledged.insert(victim = added.number);
                    }
                    // Each attempt opens the file anew, so the reads of opening are walked too.
                    m_db->Close();
                    store::ArmFault(operation, n, kind);
                    Answer answer = action == 0   ? Include()
                                    : action == 1 ? Exclude(victim)
                                                  : Select();
                    bool delivered = store::FaultDelivered();
                    store::ArmFault(operation, 0, kind);
                    SCOPED_TRACE(testing::Message()
                                 << "fault " << static_cast<int>(kind) << " on operation "
                                 << static_cast<int>(operation) << " number " << n << " of action "
                                 << action);
                    if (answer.status == 0 && action == 0) {
                        acknowledged.insert(answer.number);
                    }
                    if (answer.status == 0 && action == 1) {
                        acknowledged.erase(victim);
                    }
                    if (answer.status != 0) {
                        EXPECT_EQ(answer.status, 1);
                        EXPECT_NE(answer.description.find(m_path), std::string::npos)
                            << answer.description;
                    }
                    m_db->Close();
                    ASSERT_EQ(StoredNumbers(), acknowledged);
                    ASSERT_EQ(store::Check(*m_db), std::vector<std::string>{});
                    if (!delivered) {
                        EXPECT_EQ(answer.status, 0);
                        break;
                    }
                    ++walked;
                }
            }
        }
    }
    std::cout << "fault points walked: " << walked << '\n';
    EXPECT_GT(walked, 100);
}

} // namespace
} // namespace storetest
