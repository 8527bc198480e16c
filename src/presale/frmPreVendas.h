// The pre-sale screen: one class, its procedures split by concern over several files:
//   frmPreVendas.cpp            controls, wiring, start-up, modes, field states, wait panel
//   frmPreVendas_Grade.cpp      the items grid: layout, sorting, loading, its events
//   frmPreVendas_Cliente.cpp    the client lookup, the client's discount profile and animals
//   frmPreVendas_Servico.cpp    service types, the service lookup and its search dialog
//   frmPreVendas_Produto.cpp    the product lookup, weighing-scale labels and the search dialog
//   frmPreVendas_Comissionados.cpp  the commissioned employees of the item being entered
//   frmPreVendas_Valores.cpp    the item's values, the totals, promotion, ceiling and rights
//   frmPreVendas_Gravacao.cpp   adding, altering and removing stored items
//   frmPreVendas_Impressao.cpp  the printout (drPreVendas) and the clearing after it
//
// Modes and states (the procedure behind each move):
//   building      -> no client      MontarExibirFormulario (work area hidden until step 13)
//   any           -> no client      qvcmdLimparCampos_Click, LimparCampos
//   no client     -> client chosen  a client box's Click (Modo 1) and PesquisarCliente
//   client chosen -> no client      a client box's Click (Modo 2), or a lookup that fails
//   service mode <-> product mode   optServico_Click / optProduto_Click
//   client chosen -> type chosen    qvcmbTiposDeServicos_Click (the attendant's choice only)
//   type chosen   -> service found  a service box's Click (Modo 1) and PesquisarServico
//   product mode  -> product found  a product box's Click (Modo 1) and PesquisarProduto
//   idle         <-> busy           ExibirOcultarpicMensagem (overlay + hourglass or wait panel)
#pragma once

#include "contracts/ComponenteDeNegocio.h"
#include "contracts/KELO_N_PreVendas.h"
#include "platform/Controls.h"
#include "platform/Currency.h"
#include "platform/Grid.h"
#include "platform/Recordset.h"
#include "presale/GrupoDeCaixasDePesquisa.h"
#include "suite_controls/SuiteControls.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace KELO_A_PreVendas {

class MolduraDePesquisa;

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

    // Services.
    int16_t PreencherComboboxTiposDeServicos();
    bool PesquisarServico(int16_t numeroDoTipoDeServico, const std::string& nome,
                          double codigoDoServico);

    // Products.
    bool PesquisarProduto(const std::string& nome, const std::string& codigoDeBarras,
                          double codigoInterno);

    // Commissioned employees, for a service (any kind but 2) or a product (2): true when listed.
    static constexpr int16_t ComissaoDeServico = 1;
    static constexpr int16_t ComissaoDeProduto = 2;
    bool PreencherComboboxComissionados(int16_t tipo);

    // Values (frmPreVendas_Valores.cpp).
    void CalcularValoresDosItensDaGrade();
    void PermissãoDoUsuario();
    // 0 go on, 1 a problem (the caller clears the item's percentage).
    int16_t VerificaDescontoPromocionalDeVenda();
    // 0 allowed, 1 refused (nothing is saved).
    int16_t VerificaDescMaximoAutomaticoDeVenda();
    // The item validation's limits on the discount: 0 within them, 1 with the message shown
    // and the focus on the box.
    int16_t VerificarLimitesDoDescontoDoItem();
    void qvnumQuantidade_LostFocus();
    void qvnumValorUnitario_LostFocus();
    void qvnumPercentualDeDescontoPorItem_LostFocus();
    void qvnumValorDeDescontoPorItem_LostFocus();
    void qvnumDesconto_GotFocus();
    void qvnumDesconto_KeyPress(int16_t& KeyAscii);
    void qvnumDesconto_Validate(bool& Cancel);
    void qvnumDesconto_LostFocus();
    // The promotion's check and the item's values worked out again after its percentage changed.
    void AplicarPromocaoERecalcularValoresDoItem();

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
    void mnuAlterar_Click();
    void mnuExcluir_Click();
    void qvfCodigoDoCliente_Click();
    void qvfApelidoOuNomeFantasiaDoCliente_Click();
    void qvfNomeOuRazaoSocialDoCliente_Click();
    void qvfCodigoDoCliente_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfApelidoOuNomeFantasiaDoCliente_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfNomeOuRazaoSocialDoCliente_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvcmbTiposDeServicos_Click();
    void qvfCodigoDoServico_Click();
    void qvfNomeDoServico_Click();
    void qvfCodigoDoServico_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfNomeDoServico_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfCodigoDeBarrasDoProduto_Click();
    void qvfCodigoInternoDoProduto_Click();
    void qvfNomeDoProduto_Click();
    void qvfCodigoDeBarrasDoProduto_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfCodigoInternoDoProduto_KeyDown(int16_t& KeyCode, int16_t Shift);
    void qvfNomeDoProduto_KeyDown(int16_t& KeyCode, int16_t Shift);

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
    // The commission percentage of the product being entered, which every commissioned employee
    // gets for it.
    platform::Currency PercentualDeComissaoDoItem;

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

    // ---- Stored items (frmPreVendas_Gravacao.cpp).
    void qvcmdAdicionar_Click();
    void qvcmdAlterar_Click();
    void qvcmdRemover_Click();
    // 0 valid, 1 with the failing label red, its message shown and the focus moved.
    int16_t ValidarCamposDaGrade();
    // 0 stored (mlonNumeroDeLancamentoGerado holds the number), 1 not stored.
    int16_t SalvarInclusaoEAlteracao();
    // 1 when the service types or the employees could not be filled (the item is then stored
    // back in its row), otherwise 0.
    int16_t Registros_Alterar();
    // The selected row's item deleted in the store: 0 deleted, 1 not.
    int16_t Excluir();
    // An item taken back by Alterar is stored back as it was, with its row; true when there was
    // none or it is stored again, false after reporting why it could not be.
    bool DevolverItemRetomado();
    // The sale unit of the product being entered.
    std::string UnidadeDeVendaDoItem;

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

    // An item Alterar deleted in the store and has not stored again: its record, as Incluir
    // takes it (CamposDoLancamento), and its row's cells.
    struct ItemRetomado {
        std::vector<platform::Variant> Registro;
        std::vector<std::string> Linha;
    };
    // Who let the item being added through above the ceiling: handed to the store with the
    // item's number once it is stored (RegistrarAutorizacaoDoDesconto).
    struct AutorizacaoDoDesconto {
        platform::Currency Percentual;
        platform::Currency Limite;
        std::string Autorizador;
    };
    std::optional<AutorizacaoDoDesconto> mAutorizacaoDoDesconto;
    void RegistrarAutorizacaoDoDesconto(KELO_N_PreVendas::clsPreVendas& lobjPreVendas);
    std::optional<ItemRetomado> mItemRetomado;
    // What the entry fields held before Alterar wrote an item into them, put back when the
    // alteration cannot be finished: the item is then in its row again, never in both places.
    struct CamposDeEntrada {
        bool Servico = false;
        bool Produto = false;
        int16_t TipoDeServico = -1;
        int16_t Animal = -1;
        std::vector<std::string> Caixas; // CaixasDoItem, in order
        std::string CustoDoServico;
        std::string CustoDoProduto;
        std::string Quantidade;
        std::string Unidade;
        platform::Currency PercentualDeComissao;
    };
    // The service and product find boxes Alterar writes an item into.
    std::array<suite_controls::QVFind*, 5> CaixasDoItem();
    CamposDeEntrada GuardarCamposDeEntrada();
    void RestaurarCamposDeEntrada(const CamposDeEntrada& campos);
    std::vector<platform::Variant> MontarItemRetomado(int32_t linha) const;
    int16_t GravarItemRetomado(const ItemRetomado& item, int32_t& numero);
    void PreencherLancamento(KELO_N_PreVendas::clsPreVendas& registro);
    int16_t IncluirLancamento(KELO_N_PreVendas::clsPreVendas& lobjPreVendas, std::string_view local,
                              int16_t ponto);
    platform::Currency PercentualDoComissionado() const;
    void AcrescentarLinha(const std::string& linha);
    void RemoverLinhaSelecionada();

    void DesenharControles();
    void ConectarEventos();
    void ConectarEventosDeValores();
    // The item's discount amount worked out again from its percentage, after `propria` lost the
    // focus (an empty one reads "0,00").
    void CalcularDescontoDoItemPeloPercentual(suite_controls::QVNumberBox& propria);
    // Results 1 to 3 of the company, and a company not registered: the message shown and 1;
    // nothing for a company found.
    std::optional<int16_t> RecusaDaEmpresa(const contracts::ComponenteDeNegocio& empresa,
                                           int32_t resultado, const char* mensagemSemEmpresa);
    void DefinirModo(bool servico);

    // The client's find boxes as one group: its lookup and what a found client moves on to.
    struct ClienteEncontrado;
    GrupoDeCaixasDePesquisa::Regras RegrasDoCliente();
    GrupoDeCaixasDePesquisa::Resultado PesquisarClienteDaCaixa();
    void SeguirComOClienteEncontrado(suite_controls::QVFind& propria);
    void MostrarClienteEncontrado(const ClienteEncontrado& cliente);
    bool EscolherClienteNaPesquisa(const platform::RecordsetRef& clientes);
    void IniciarGradeVazia();
    // Shows the search dialog over the darkened screen; false, the dialog unloaded, when it was
    // closed without a pick.
    bool MostrarPesquisa(MolduraDePesquisa& pesquisa);
    // Where every lookup goes once its component has answered: none found is said, with the
    // typed text selected for retyping (false); several go to the search dialog (its answer).
    // A single record is made current and left to the caller to read (nothing).
    std::optional<bool>
    SeguirComOsEncontrados(const platform::RecordsetRef& encontrados, int16_t& ponto,
                           const std::function<std::string()>& mensagemDeNenhum,
                           bool (frmPreVendas::*escolherNaPesquisa)(const platform::RecordsetRef&));

    // The service's find boxes as one group, and the form's own choice of a service type.
    struct ServicoEncontrado;
    GrupoDeCaixasDePesquisa::Regras RegrasDoServico();
    GrupoDeCaixasDePesquisa::Resultado PesquisarServicoDaCaixa();
    void MostrarServicoEncontrado(const ServicoEncontrado& servico);
    bool EscolherServicoNaPesquisa(const platform::RecordsetRef& servicos);
    void SelecionarTipoDeServico(int16_t indice);

    // The product's find boxes as one group; a barcode starting with "2" is a scale label.
    struct ProdutoEncontrado;
    GrupoDeCaixasDePesquisa::Regras RegrasDoProduto();
    GrupoDeCaixasDePesquisa::Resultado PesquisarProdutoDaCaixa();
    GrupoDeCaixasDePesquisa::Resultado PesquisarEtiquetaDeBalanca(std::string etiqueta);
    // The company's FormatoDeCodigoDeBarrasParaBalanca; none when it could not be read (the
    // reason shown or reported).
    std::optional<int16_t> FormatoDeCodigoDeBarrasParaBalanca();
    void MostrarProdutoEncontrado(const ProdutoEncontrado& produto, bool escolhidoNaPesquisa);
    bool EscolherProdutoNaPesquisa(const platform::RecordsetRef& produtos);
    // The employees for the product; when listed, the entry fields open and the list has the
    // focus.
    void SeguirComOProdutoEncontrado();
    void RecusarEtiqueta(int32_t numero, const std::string& descricao, int16_t ponto,
                         const std::string& etiqueta);

    // Form_Resize has stretched the work area over the form once.
    bool mbooFormResizeTratado = false;

    GrupoDeCaixasDePesquisa mgrpCaixasDoCliente{
        {&qvfApelidoOuNomeFantasiaDoCliente, &qvfNomeOuRazaoSocialDoCliente, &qvfCodigoDoCliente},
        RegrasDoCliente()};
    GrupoDeCaixasDePesquisa mgrpCaixasDoServico{{&qvfNomeDoServico, &qvfCodigoDoServico},
                                                RegrasDoServico()};
    GrupoDeCaixasDePesquisa mgrpCaixasDoProduto{
        {&qvfNomeDoProduto, &qvfCodigoDeBarrasDoProduto, &qvfCodigoInternoDoProduto},
        RegrasDoProduto()};
};

// The labels drawn in the form's usual dark grey, and the light grey of disabled value boxes.
inline constexpr int32_t CorDosRotulos = platform::RGB(73, 73, 73);
inline constexpr int32_t CorDeFundoDesabilitado = platform::RGB(249, 249, 249);
inline constexpr int32_t CorDeFundoHabilitado = platform::RGB(255, 255, 255);

// Every label inside `recipiente` back to CorDosRotulos, but those of `exceto`.
void PintarRotulos(platform::Control& recipiente,
                   const std::vector<const platform::Control*>& exceto);

} // namespace KELO_A_PreVendas
