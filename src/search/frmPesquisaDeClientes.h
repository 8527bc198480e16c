// The client search dialog: the search frame with the client columns, the client query, and a
// rule that refuses clients who are inactive, blocked, deleted or of an unreadable status.
#pragma once

#include "search/MolduraDePesquisa.h"

#include <cstdint>
#include <string>

namespace KELO_A_PreVendas {

// Columns of the client grid that the pre-sale form reads from the chosen row.
enum ColunaDaPesquisaDeClientes : int32_t {
    colCodigoDoCliente = 1,
    colApelidoOuNomeFantasia = 2,
    colNomeOuRazaoSocial = 3,
    colSituacao = 4,
    colDescontoUnico = 8,
    // The nine percentages follow in the order of the discount profile, up to column 17.
    colPercentualUnicoDeDescontos = 9,
    colVIP = 18,
    colCategoriaDaCurvaABC = 19,
};

// The message that refuses a client of status `situacao` (2 inactive, 3 blocked, 4 deleted);
// empty for a status that may be served.
std::string MensagemDaSituacaoDoCliente(double situacao);

class frmPesquisaDeClientes : public MolduraDePesquisa {
public:
    frmPesquisaDeClientes();

    platform::Label lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo{
        this, "lblApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo"};
    contracts::QVFind qvfndApelidoOuNomeFantasiaOuNomeOuRazaoSocialOuCodigo{
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
