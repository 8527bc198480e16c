#include "contracts/KELO_N_Empresa.h"
#include "contracts/Registry.h"
#include "platform/Errors.h"

#include "support/ErrorRaisedBy.h"

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

using support::RuntimeErrorRaisedBy;

class Counted : public Object {
public:
    static inline int made = 0;
    Counted() { ++made; }
};

class Registry : public testing::Test {
protected:
    void SetUp() override
    {
        contracts::Clear();
        Counted::made = 0;
    }
    void TearDown() override { contracts::Clear(); }
};

TEST_F(Registry, EveryCreationMakesANewInstanceAndNamesIgnoreCase)
{
    contracts::Register("KELO_N_Teste.clsContado", [] { return std::make_shared<Counted>(); });
    const auto first = contracts::CreateObject("KELO_N_Teste.clsContado");
    EXPECT_NE(contracts::CreateObject("kelo_n_teste.CLSCONTADO"), first);
    EXPECT_EQ(Counted::made, 2);
}

TEST_F(Registry, ANameRegisteredAgainIsReplacedAndAComponentMayCreateAnotherWhileBuilt)
{
    ObjectRef replacement = std::make_shared<Counted>();
    contracts::Register("KELO_N_Teste.clsInterno", [] { return std::make_shared<Counted>(); });
    contracts::Register("KELO_N_Teste.clsInterno", [&] { return replacement; });
    EXPECT_EQ(contracts::CreateObject("KELO_N_Teste.clsInterno"), replacement);
    contracts::Register("KELO_N_Teste.clsContado", [] { return std::make_shared<Counted>(); });
    contracts::Register("KELO_N_Teste.clsExterno", [] {
        contracts::CreateObject("KELO_N_Teste.clsContado");
        return std::make_shared<Counted>();
    });
    Counted::made = 0;
    contracts::CreateObject("KELO_N_Teste.clsExterno");
    EXPECT_EQ(Counted::made, 2);
}

struct CreationFailure {
    const char* name;
    std::function<void()> arrange;
    std::function<void()> create;
    int32_t number;
};

TEST_F(Registry, CreationFailuresRaiseTheRuntimesErrors)
{
    const auto makeCounted = [] { return std::make_shared<Counted>(); };
    const CreationFailure cases[] = {
        {"never registered", [] {}, [] { contracts::CreateObject("KELO_N_Teste.clsNenhum"); },
         errCannotCreateObject},
        {"unregistered",
         [&] {
             contracts::Register("KELO_N_Teste.clsContado", makeCounted);
             contracts::Unregister("KELO_N_Teste.clsContado");
         },
         [] { contracts::CreateObject("KELO_N_Teste.clsContado"); }, errCannotCreateObject},
        {"cleared",
         [&] {
             contracts::Register("KELO_N_Teste.clsContado", makeCounted);
             contracts::Clear();
         },
         [] { contracts::CreateObject("KELO_N_Teste.clsContado"); }, errCannotCreateObject},
        {"factory makes nothing",
         [] { contracts::Register("KELO_N_Teste.clsVazio", [] { return ObjectRef(); }); },
         [] { contracts::CreateObject("KELO_N_Teste.clsVazio"); }, errCannotCreateObject},
        {"typed, not registered", [] {},
         [] { contracts::CreateObject<KELO_N_Empresa::clsEmpresa>(); }, errCannotCreateObject},
        {"typed, another contract's object",
         [&] { contracts::Register(KELO_N_Empresa::clsEmpresa::ClassName, makeCounted); },
         [] { contracts::CreateObject<KELO_N_Empresa::clsEmpresa>(); }, errTypeMismatch},
        {"empty factory", [] {}, [] { contracts::Register("KELO_N_Teste.clsX", {}); },
         errInvalidProcedureCall},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.name);
        contracts::Clear();
        failure.arrange();
        const auto error = RuntimeErrorRaisedBy(failure.create);
        EXPECT_EQ(error.Number(), failure.number);
        EXPECT_EQ(error.Description(), StandardDescription(failure.number));
    }
}

} // namespace
