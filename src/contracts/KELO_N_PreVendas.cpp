#include "contracts/KELO_N_PreVendas.h"

#include "platform/Errors.h"

#include <utility>

namespace KELO_N_PreVendas {

namespace {

using Membro = platform::Variant clsPreVendas::*;

// In the order of CamposDoLancamento; the check below keeps the two in step.
constexpr std::array<std::pair<std::string_view, Membro>, CamposDoLancamento.size()> Membros{{
    {"DataDeLancamento", &clsPreVendas::DataDeLancamento},
    {"CodigoDoFuncionario", &clsPreVendas::CodigoDoFuncionario},
    {"CodigoDoCliente", &clsPreVendas::CodigoDoCliente},
    {"TipoDeLancamento", &clsPreVendas::TipoDeLancamento},
    {"CodigoDoAnimal", &clsPreVendas::CodigoDoAnimal},
    {"NumeroDoTipoDeServico", &clsPreVendas::NumeroDoTipoDeServico},
    {"CodigoDoServico", &clsPreVendas::CodigoDoServico},
    {"CodigoInternoDoProduto", &clsPreVendas::CodigoInternoDoProduto},
    {"Custo", &clsPreVendas::Custo},
    {"Quantidade", &clsPreVendas::Quantidade},
    {"ValorUnitario", &clsPreVendas::ValorUnitario},
    {"ValorTotal", &clsPreVendas::ValorTotal},
    {"DescontoEmPercentual", &clsPreVendas::DescontoEmPercentual},
    {"DescontoEmValor", &clsPreVendas::DescontoEmValor},
    {"ValorLiquido", &clsPreVendas::ValorLiquido},
    {"FuncionarioComissionado", &clsPreVendas::FuncionarioComissionado},
    {"PercentualDeComissaoDoFuncionario", &clsPreVendas::PercentualDeComissaoDoFuncionario},
    {"ValorDaComissaoDoFuncionario", &clsPreVendas::ValorDaComissaoDoFuncionario},
    {"TipoDeVenda", &clsPreVendas::TipoDeVenda},
    {"NumeroDeLancamento", &clsPreVendas::NumeroDeLancamento},
}};

constexpr bool MembrosSeguemOsCampos()
{
    for (std::size_t i = 0; i < Membros.size(); ++i) {
        if (Membros[i].first != CamposDoLancamento[i])
            return false;
    }
    return true;
}
static_assert(MembrosSeguemOsCampos());

Membro MembroChamado(std::string_view nome)
{
    for (const auto& [campo, membro] : Membros) {
        if (campo == nome)
            return membro;
    }
    platform::Raise(platform::errObjectDoesNotSupport);
}

} // namespace

platform::Variant& clsPreVendas::Campo(std::string_view nome)
{
    return this->*MembroChamado(nome);
}

const platform::Variant& clsPreVendas::Campo(std::string_view nome) const
{
    return this->*MembroChamado(nome);
}

} // namespace KELO_N_PreVendas
