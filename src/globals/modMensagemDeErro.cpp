#include "globals/modMensagemDeErro.h"

#include "contracts/KELO_A_MsgErro.h"
#include "contracts/Registry.h"
#include "globals/modPrincipal.h"

namespace KELO_A_PreVendas {

void ExibirMensagemDeErro(const platform::Variant& numero, const platform::Variant& descricao,
                          const platform::Variant& local)
{
    auto lobjMensagem = contracts::CreateObject<KELO_A_MsgErro::clsMensagem>();
    lobjMensagem->Exibir(numero, descricao, local, modPrincipal::gstrNomeDaAplicacao);
}

std::string LocalDoErro(std::string_view localDoProcedimento, int16_t ponto)
{
    std::string local = NomeDoComponente;
    local += localDoProcedimento;
    local += std::to_string(ponto);
    return local;
}

std::string DescricaoDaSituacaoDesconhecida(std::string_view quem, int32_t situacao)
{
    return std::string(quem) + " respondeu com a situação " + std::to_string(situacao) +
           ", que não é conhecida.";
}

void ReportarErroDoProcedimento(int32_t numero, const std::string& descricao,
                                std::string_view localDoProcedimento, int16_t ponto)
{
    ExibirMensagemDeErro(numero, descricao, LocalDoErro(localDoProcedimento, ponto));
}

} // namespace KELO_A_PreVendas
