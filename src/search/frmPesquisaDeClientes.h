// The client search dialog: the search frame with the client columns, the client query, and a
// rule that refuses clients who are inactive, blocked, deleted or of an unreadable status.
#pragma once

#include "search/MolduraDePesquisa.h"

#include <array>
#include <cstdint>
#include <string>

namespace KELO_A_PreVendas {

// The client grid, one table; the caller reads the chosen row through the named columns below.
namespace PesquisaDeClientes {

inline constexpr auto Esquerda = platform::flexAlignLeftCenter;

inline constexpr std::array<ColunaDaPesquisa, 20> Colunas{{
    {"Coluna em branco", 0, Esquerda, nullptr},
    {"Código", 1100, Esquerda, "CodigoDoCliente"},
    {"Apelido/Nome fantasia", 2000, Esquerda, "ApelidoOuNomeFantasia"},
    {"Nome/Razão Social", 4020, Esquerda, "NomeOuRazaoSocial"},
    {"Situação", 0, Esquerda, "Situacao"},
    {"Endereço", 6300, Esquerda, "EnderecoCompleto"},
    {"Canal de Comunicacao", 0, Esquerda, "TiposECanaisDeComunicacao"},
    {"Crédito", 0, Esquerda, "Credito"},
    {"Desconto único", 0, Esquerda, "DescontoUnico"},
    {"Percentual de desconto único", 0, Esquerda, "PercentualUnicoDeDescontos"},
    {"Percentual de desconto em serviços clínicos", 0, Esquerda, "PercentualDeDescontoEmClinicos"},
    {"Percentual de desconto em serviços em cirurgia simples", 0, Esquerda,
     "PercentualDeDescontoEmCirurgiaSimples"},
    {"Percentual de desconto em serviços em cirurgia média", 0, Esquerda,
     "PercentualDeDescontoEmCirurgiaMedia"},
    {"Percentual de desconto em serviços em cirurgia complexa", 0, Esquerda,
     "PercentualDeDescontoEmCirurgiaComplexa"},
    {"Percentual de desconto banhos, tosas e estéticas", 0, Esquerda,
     "PercentualDeDescontoEmBanhosTosasEEsteticas"},
    {"Percentual de desconto em hospedagens", 0, Esquerda, "PercentualDeDescontoEmHospedagens"},
    {"Percentual de desconto em adestramentos", 0, Esquerda, "PercentualDeDescontoEmAdestramentos"},
    {"Percentual de desconto em outros", 0, Esquerda, "PercentualDeDescontoEmOutros"},
    {"ClienteVIP", 0, Esquerda, "VIP"},
    {"CategoriaDaCurvaABC", 0, Esquerda, "CategoriaDaCurvaABC"},
}};
static_assert(ColunasDaMoldura(Colunas));

inline constexpr int32_t colCodigoDoCliente = ColunaDoCampo(Colunas, "CodigoDoCliente");
inline constexpr int32_t colApelidoOuNomeFantasia = ColunaDoCampo(Colunas, "ApelidoOuNomeFantasia");
inline constexpr int32_t colNomeOuRazaoSocial = ColunaDoCampo(Colunas, "NomeOuRazaoSocial");
inline constexpr int32_t colSituacao = ColunaDoCampo(Colunas, "Situacao");
inline constexpr int32_t colDescontoUnico = ColunaDoCampo(Colunas, "DescontoUnico");
inline constexpr int32_t colVIP = ColunaDoCampo(Colunas, "VIP");
inline constexpr int32_t colCategoriaDaCurvaABC = ColunaDoCampo(Colunas, "CategoriaDaCurvaABC");
static_assert(colCodigoDoCliente == ColunaDoCodigo);

} // namespace PesquisaDeClientes

// The message that refuses a client of status `situacao` (2 inactive, 3 blocked, 4 deleted);
// empty for a status that may be served.
std::string MensagemDaSituacaoDoCliente(double situacao);

class frmPesquisaDeClientes : public MolduraDePesquisa {
public:
    frmPesquisaDeClientes();

    platform::Label lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo{
        this, "lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"};
    suite_controls::QVFind qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo{
        this, "qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"};

protected:
    std::shared_ptr<contracts::ComponenteDeNegocio> CriarComponenteDeNegocio() override;
    int32_t Selecionar(contracts::ComponenteDeNegocio& componente,
                       const std::string& texto) override;
    std::string MensagemSemResultado(const std::string& texto) const override;
    int16_t ValidarCampos() override;

private:
    void qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo_Click();
};

} // namespace KELO_A_PreVendas
