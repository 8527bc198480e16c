// The pre-sale screen: one class, its procedures split by concern over several files:
//   frmPreVendas.cpp            controls, wiring, start-up, modes, field states, wait panel
//   frmPreVendas_Grade.cpp      the items grid: layout, sorting, loading, its events
//   frmPreVendas_Cliente.cpp    the client lookup, the client's discount profile and animals
//   frmPreVendas_Servico.cpp    service types
//   frmPreVendas_Valores.cpp    totals and the user's rights over values
//   frmPreVendas_Gravacao.cpp   altering and removing stored items
//   frmPreVendas_Impressao.cpp  the printout (drPreVendas) and the clearing after it
//
// Modes and states (the procedure behind each move):
//   building      -> no client      MontarExibirFormulario (work area hidden until step 13)
//   any           -> no client      qvcmdLimparCampos_Click, LimparCampos
//   no client     -> client chosen  a client box's Click (Modo 1) and PesquisarCliente
//   client chosen -> no client      a client box's Click (Modo 2), or a lookup that fails
//   service mode <-> product mode   optServico_Click / optProduto_Click
//   idle         <-> busy           ExibirOcultarpicMensagem (overlay + hourglass or wait panel)
#pragma once

#include "contracts/ComponenteDeNegocio.h"
#include "platform/Controls.h"
#include "platform/Currency.h"
#include "platform/Grid.h"
#include "platform/Recordset.h"
#include "presale/GrupoDeCaixasDePesquisa.h"
#include "suite_controls/SuiteControls.h"

#include <cstdint>
#include <string>

namespace KELO_A_PreVendas {

class frmPreVendas : public platform::Form {
public:
    frmPreVendas();
    ~frmPreVendas() override;

    // Start-up: 0 built, 1 when the service types cannot be loaded.
    int16_t MontarExibirFormulario(int32_t AreaDeTrabalho_hWnd);
    int16_t ConfigurarObjetos(const platform::Variant& visivel);
    void ExibirOcultarpicMensagem(bool exibir, bool exibirPainel = false);
    void CentralizarpicMensagem();
    int16_t LimparCampos();
    int16_t HabilitarDesabilitarCampos(bool habilitar);
    void HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(bool habilitar);
    void LimparCamposDoAnimal();
    void LimparCamposDeQuantidadeEValoresDoItemDaVenda();

    // The items grid.
    int16_t Grade_Configurar();
    int16_t Grade_Classificar(int16_t coluna, bool inverterIcone);
    int16_t PreencherGradeComServicosEfetuadosEProdutosReservados(double codigoDoCliente);

    // Clients.
    bool PesquisarCliente(const std::string& apelidoOuNomeFantasia,
                          const std::string& nomeOuRazaoSocial, double codigoDoCliente);
    int16_t PreencherComboboxAnimal(double codigoDoCliente);
    int16_t RecuperaDescontoDoCliente();

    // Service types.
    int16_t PreencherComboboxTiposDeServicos();

    // Values.
    void CalcularValoresDosItensDaGrade();
    void PermissãoDoUsuario();

    // Event handlers.
    void optServico_Click();
    void optProduto_Click();
    void qvcmdLimparCampos_Click();
    void Form_Resize();
    void msfgGrade_GotFocus();
    void msfgGrade_LostFocus();
    void msfgGrade_KeyDown(int16_t& KeyCode, int16_t Shift);
    void msfgGrade_SelChange();
    void msfgGrade_Click();
    void msfgGrade_DblClick();
    void msfgGrade_MouseDown(int16_t Button, int16_t Shift, float x, float y);
    void qvcmdAlterar_Click();
    void qvcmdRemover_Click();
    void mnuAlterar_Click();
    void mnuExcluir_Click();
    void qvfCodigoDoCliente_Click();
    void qvfApelidoOuNomeFantasiaDoCliente_Click();
    void qvfNomeOuRazaoSocialDoCliente_Click();
    void qvfCodigoDoCliente_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfApelidoOuNomeFantasiaDoCliente_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfNomeOuRazaoSocialDoCliente_KeyDown(int16_t& KeyCode, int16_t Shift);

    // The controls, in their containers.
    platform::PictureBox picMensagem{this, "picMensagem"};
    platform::PictureBox picAreaDeTrabalho{this, "picAreaDeTrabalho"};

    platform::Label lblCliente{&picAreaDeTrabalho, "lblCliente", "Cliente*"};
    platform::Label lblApelidoOuNomeFantasiaDoCliente{
        &picAreaDeTrabalho, "lblApelidoOuNomeFantasiaDoCliente", "Apelido ou nome fantasia"};
    suite_controls::QVFind qvfApelidoOuNomeFantasiaDoCliente{&picAreaDeTrabalho,
                                                             "qvfApelidoOuNomeFantasiaDoCliente"};
    platform::Label lblNomeOuRazaoSocialDoCliente{
        &picAreaDeTrabalho, "lblNomeOuRazaoSocialDoCliente", "Nome ou Razão Social"};
    suite_controls::QVFind qvfNomeOuRazaoSocialDoCliente{&picAreaDeTrabalho,
                                                         "qvfNomeOuRazaoSocialDoCliente"};
    platform::Label lblCodigoDoCliente{&picAreaDeTrabalho, "lblCodigoDoCliente", "Codigo"};
    suite_controls::QVFind qvfCodigoDoCliente{&picAreaDeTrabalho, "qvfCodigoDoCliente"};

    platform::OptionButton optServico{&picAreaDeTrabalho, "optServico", "Serviço"};
    platform::OptionButton optProduto{&picAreaDeTrabalho, "optProduto", "Produto"};

    platform::Label lblTipoDeServicoOuCodigoDeBarrasDoProduto{
        &picAreaDeTrabalho, "lblTipoDeServicoOuCodigoDeBarrasDoProduto"};
    suite_controls::QVComboBox qvcmbTiposDeServicos{&picAreaDeTrabalho, "qvcmbTiposDeServicos"};
    suite_controls::QVFind qvfCodigoDeBarrasDoProduto{&picAreaDeTrabalho,
                                                      "qvfCodigoDeBarrasDoProduto"};
    platform::Label lblNomeDoServicoOuNomeDoProduto{&picAreaDeTrabalho,
                                                    "lblNomeDoServicoOuNomeDoProduto"};
    suite_controls::QVFind qvfNomeDoServico{&picAreaDeTrabalho, "qvfNomeDoServico"};
    suite_controls::QVFind qvfNomeDoProduto{&picAreaDeTrabalho, "qvfNomeDoProduto"};
    platform::Label lblCodigoDoServico{&picAreaDeTrabalho, "lblCodigoDoServico", "Código"};
    suite_controls::QVFind qvfCodigoDoServico{&picAreaDeTrabalho, "qvfCodigoDoServico"};

    platform::Label lblNomeDoAnimalOuCodigoInternoDoProduto{
        &picAreaDeTrabalho, "lblNomeDoAnimalOuCodigoInternoDoProduto"};
    suite_controls::QVComboBox qvcmbAnimal{&picAreaDeTrabalho, "qvcmbAnimal"};
    suite_controls::QVFind qvfCodigoInternoDoProduto{&picAreaDeTrabalho,
                                                     "qvfCodigoInternoDoProduto"};
    platform::Label lblComissionado{&picAreaDeTrabalho, "lblComissionado", "Comissionado"};
    suite_controls::QVComboBox qvcmbComissionado{&picAreaDeTrabalho, "qvcmbComissionado"};
    platform::Label lblQuantidade{&picAreaDeTrabalho, "lblQuantidade", "Qtde."};
    suite_controls::QVNumberBox qvnumQuantidade{&picAreaDeTrabalho, "qvnumQuantidade"};
    platform::Label lblValorUnitario{&picAreaDeTrabalho, "lblValorUnitario", "Val.Unit."};
    suite_controls::QVNumberBox qvnumValorUnitario{&picAreaDeTrabalho, "qvnumValorUnitario"};
    platform::Label lblPercentualDeDescontoPorItem{&picAreaDeTrabalho,
                                                   "lblPercentualDeDescontoPorItem", "(%) Desc."};
    suite_controls::QVNumberBox qvnumPercentualDeDescontoPorItem{
        &picAreaDeTrabalho, "qvnumPercentualDeDescontoPorItem"};
    platform::Label lblValorDeDescontoPorItem{&picAreaDeTrabalho, "lblValorDeDescontoPorItem",
                                              "Val. Desc."};
    suite_controls::QVNumberBox qvnumValorDeDescontoPorItem{&picAreaDeTrabalho,
                                                            "qvnumValorDeDescontoPorItem"};
    suite_controls::QVCommandButton qvcmdAdicionar{&picAreaDeTrabalho, "qvcmdAdicionar"};

    platform::Label lblItensDaPreVenda{&picAreaDeTrabalho, "lblItensDaPreVenda",
                                       "Item(ns) da Pré-venda*"};
    platform::Grid msfgGrade{&picAreaDeTrabalho, "msfgGrade"};
    platform::ImageList ilClassificacaoDaGrade{this, "ilClassificacaoDaGrade"};

    suite_controls::QVCommandButton qvcmdAlterar{&picAreaDeTrabalho, "qvcmdAlterar"};
    suite_controls::QVCommandButton qvcmdRemover{&picAreaDeTrabalho, "qvcmdRemover"};
    platform::Label lblTotal{&picAreaDeTrabalho, "lblTotal", "Total"};
    suite_controls::QVNumberBox qvnumTotal{&picAreaDeTrabalho, "qvnumTotal"};
    platform::Label lblDesconto{&picAreaDeTrabalho, "lblDesconto", "Desconto"};
    suite_controls::QVNumberBox qvnumDesconto{&picAreaDeTrabalho, "qvnumDesconto"};
    platform::Label lblLiquidoAPagar{&picAreaDeTrabalho, "lblLiquidoAPagar", "Liquido a pagar"};
    suite_controls::QVNumberBox qvnumLiquidoAPagar{&picAreaDeTrabalho, "qvnumLiquidoAPagar"};
    suite_controls::QVCommandButton qvcmdLimparCampos{&picAreaDeTrabalho, "qvcmdLimparCampos"};
    suite_controls::QVCommandButton qvcmdImprimirPreVenda{&picAreaDeTrabalho,
                                                          "qvcmdImprimirPreVenda"};
    platform::Label lblObservacaoDeCamposObrigatorios{
        &picAreaDeTrabalho, "lblObservacaoDeCamposObrigatorios", "* Campos obrigatórios"};

    platform::Menu mnuAlterarExcluir{this, "mnuAlterarExcluir", "AlterarExcluir"};
    platform::Menu mnuAlterar{&mnuAlterarExcluir, "mnuAlterar", "Alterar"};
    platform::Menu mnuExcluir{&mnuAlterarExcluir, "mnuExcluir", "Excluir"};

    // The wait panel's design height and width in twips, saved while the form is built.
    int16_t mintAlturaDopicMensagem = 0;
    int16_t mintLarguraDopicMensagem = 0;
    // The column the grid is sorted by and the sort mode last applied (3 or 7).
    int16_t mintColunaClassificada = 0;
    int16_t mintTipoDeClassificacao = 0;
    // The grid holds items of the client (not just its blank row).
    bool mbooGradePreenchida = false;
    // The lançamento number last generated; 0 when consumed.
    int32_t mlonNumeroDeLancamentoGerado = 0;

    // The discount profile of the client found last; clearing the screen keeps it.
    struct PerfilDeDesconto {
        // "Sim" in any case: PercentualUnicoDeDescontos applies to every service type.
        std::string DescontoUnico;
        platform::Currency PercentualUnicoDeDescontos;
        platform::Currency PercentualDeDescontoEmClinicos;
        platform::Currency PercentualDeDescontoEmCirurgiaSimples;
        platform::Currency PercentualDeDescontoEmCirurgiaMedia;
        platform::Currency PercentualDeDescontoEmCirurgiaComplexa;
        platform::Currency PercentualDeDescontoEmBanhosTosasEEsteticas;
        platform::Currency PercentualDeDescontoEmHospedagens;
        platform::Currency PercentualDeDescontoEmAdestramentos;
        platform::Currency PercentualDeDescontoEmOutros;
    };
    PerfilDeDesconto DescontoDoCliente;

    // ---- The printout (frmPreVendas_Impressao.cpp).
    void qvcmdImprimirPreVenda_Click();
    // 0 printed (the preview was shown and closed), 1 nothing printed.
    int16_t ImprimirPreVenda(int32_t codigoDoCliente);

private:
    // Results 1, 2 and 3 of a component the printout calls: panel hidden, the error reported or
    // the refusal shown; answers whether it was one of them.
    bool RecusaDoComponenteDeImpressao(const contracts::ComponenteDeNegocio& componente,
                                       int32_t resultado);
    // ---- (end of the printout)

    void DesenharControles();
    void ConectarEventos();
    void DefinirModo(bool servico);

    // The client's find boxes as one group: its lookup and what a found client moves on to.
    struct ClienteEncontrado;
    GrupoDeCaixasDePesquisa::Regras RegrasDoCliente();
    GrupoDeCaixasDePesquisa::Resultado PesquisarClienteDaCaixa();
    void SeguirComOClienteEncontrado(suite_controls::QVFind& propria);
    void MostrarClienteEncontrado(const ClienteEncontrado& cliente);
    bool EscolherClienteNaPesquisa(const platform::RecordsetRef& clientes);
    void IniciarGradeVazia();

    // Form_Resize has stretched the work area over the form once.
    bool mbooFormResizeTratado = false;

    GrupoDeCaixasDePesquisa mgrpCaixasDoCliente{
        {&qvfApelidoOuNomeFantasiaDoCliente, &qvfNomeOuRazaoSocialDoCliente, &qvfCodigoDoCliente},
        RegrasDoCliente()};
};

// The labels drawn in the form's usual dark grey, and the light grey of disabled value boxes.
inline constexpr int32_t CorDosRotulos = platform::RGB(73, 73, 73);
inline constexpr int32_t CorDeFundoDesabilitado = platform::RGB(249, 249, 249);
inline constexpr int32_t CorDeFundoHabilitado = platform::RGB(255, 255, 255);

} // namespace KELO_A_PreVendas
