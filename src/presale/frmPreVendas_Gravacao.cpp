// frmPreVendas, storing an item: Adicionar validates the entry fields, warns of a duplicate,
// stores the record through the business layer and adds the row; IncluirLancamento is the one
// call of Incluir, shared with the item an alteration stores back (frmPreVendas_Alteracao.cpp).
//
// Statuses: Incluir succeeds on 0 only; any other status is a failure, reported with the status,
// and the screen keeps what it showed.
#include "presale/frmPreVendas.h"

#include "contracts/KELO_N_PreVendas.h"
#include "contracts/Registry.h"
#include "globals/modMensagemDeErro.h"
#include "globals/modPrincipal.h"
#include "platform/Host.h"
#include "platform/Runtime.h"
#include "presale/ColunasDaGrade.h"
#include "presale/ValoresDaTela.h"

#include <optional>
#include <string>
#include <vector>

namespace KELO_A_PreVendas {

namespace {

using namespace GradeDeItens;

constexpr const char* MarcaDoLancamento = "EspacoReservadoParaONumeroDoLancamento";

const std::string& Aplicacao()
{
    return modPrincipal::gstrNomeDaAplicacao;
}

} // namespace

// ---- Storing

int16_t frmPreVendas::IncluirLancamento(KELO_N_PreVendas::clsPreVendas& lobjPreVendas,
                                        std::string_view local, int16_t ponto)
{
    const int32_t situacao = lobjPreVendas.Incluir();
    switch (situacao) {
    case contracts::resSucesso:
        mlonNumeroDeLancamentoGerado = lobjPreVendas.NumeroDeLancamentoGerado;
        return 0;
    case contracts::resErro:
        ExibirOcultarpicMensagem(false);
        ExibirMensagemDeErro(lobjPreVendas.NumeroDoErro, lobjPreVendas.DescricaoDoErro,
                             lobjPreVendas.LocalDoErro);
        return 1;
    case contracts::resFalhaInformativa:
    case contracts::resFalhaCritica:
        ExibirOcultarpicMensagem(false);
        platform::MsgBox(lobjPreVendas.DescricaoDaFalha,
                         situacao == contracts::resFalhaCritica ? platform::vbCritical
                                                                : platform::vbInformation,
                         Aplicacao());
        return 1;
    default:
        // Stored or not, nobody knows under which number: the screen takes it as not stored.
        ExibirOcultarpicMensagem(false);
        ReportarErroDoProcedimento(platform::errInternal,
                                   DescricaoDaSituacaoDesconhecida("Incluir", situacao), local,
                                   ponto);
        return 1;
    }
}

int16_t frmPreVendas::SalvarInclusaoEAlteracao()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, SalvarInclusaoEAlteracao, Ponto: ", [&](int16_t& ponto) -> int16_t {
            if (VerificaDescMaximoAutomaticoDeVenda() == 1)
                return 1;
            ponto = 2;
            auto lobjPreVendas = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
            PreencherLancamento(*lobjPreVendas);
            ponto = 3;
            if (IncluirLancamento(*lobjPreVendas,
                                  ", frmPreVendas, SalvarInclusaoEAlteracao, Ponto: ", ponto) == 1)
                return 1;
            ponto = 4;
            RegistrarAutorizacaoDoDesconto(*lobjPreVendas);
            return 0;
        });
}

// The item is stored and will show: an account the store could not keep is reported, never
// taken as the item not stored.
void frmPreVendas::RegistrarAutorizacaoDoDesconto(KELO_N_PreVendas::clsPreVendas& lobjPreVendas)
{
    if (!mAutorizacaoDoDesconto)
        return;
    const AutorizacaoDoDesconto autorizacao = *mAutorizacaoDoDesconto;
    mAutorizacaoDoDesconto.reset();
    const int32_t situacao = lobjPreVendas.RegistrarAutorizacaoDeDesconto(
        mlonNumeroDeLancamentoGerado, autorizacao.Percentual, autorizacao.Limite,
        autorizacao.Autorizador);
    if (situacao == contracts::resSucesso)
        return;
    ExibirOcultarpicMensagem(false);
    if (situacao == contracts::resErro) {
        ExibirMensagemDeErro(lobjPreVendas.NumeroDoErro, lobjPreVendas.DescricaoDoErro,
                             lobjPreVendas.LocalDoErro);
    } else if (situacao == contracts::resFalhaInformativa ||
               situacao == contracts::resFalhaCritica) {
        platform::MsgBox(lobjPreVendas.DescricaoDaFalha,
                         situacao == contracts::resFalhaCritica ? platform::vbCritical
                                                                : platform::vbInformation,
                         Aplicacao());
    } else {
        ReportarErroDoProcedimento(
            platform::errInternal,
            DescricaoDaSituacaoDesconhecida("RegistrarAutorizacaoDeDesconto", situacao),
            ", frmPreVendas, RegistrarAutorizacaoDoDesconto, Ponto: ", 1);
    }
}

void frmPreVendas::PreencherLancamento(KELO_N_PreVendas::clsPreVendas& registro)
{
    const bool comFuncionario = !platform::Trim(qvcmbComissionado.Text()).empty();
    const platform::Currency quantidade = Valor(qvnumQuantidade);
    const platform::Currency unitario = Valor(qvnumValorUnitario);
    const platform::Currency desconto = Valor(qvnumValorDeDescontoPorItem);

    registro.DataDeLancamento =
        platform::Format(platform::Variant(platform::Today()), "DD/MM/YYYY");
    registro.CodigoDoFuncionario =
        comFuncionario ? platform::Variant(qvcmbComissionado.ItemData(qvcmbComissionado.ListIndex))
                       : platform::Variant(int16_t{0});
    registro.CodigoDoCliente = platform::Val(qvfCodigoDoCliente.Text());
    if (optServico.Value || optProduto.Value) {
        const bool servico = optServico.Value;
        registro.TipoDeLancamento = servico ? LancamentoDeServico : LancamentoDeProduto;
        if (servico) {
            registro.CodigoDoAnimal = qvcmbAnimal.ItemData(qvcmbAnimal.ListIndex);
            registro.NumeroDoTipoDeServico =
                qvcmbTiposDeServicos.ItemData(qvcmbTiposDeServicos.ListIndex);
            registro.CodigoDoServico = platform::Val(qvfCodigoDoServico.Text());
        } else {
            registro.CodigoInternoDoProduto = platform::Val(qvfCodigoInternoDoProduto.Text());
        }
        registro.Custo =
            platform::Format((servico ? qvfNomeDoServico : qvfNomeDoProduto).Tag(), FormatoDeValor);
    }
    registro.Quantidade = quantidade;
    registro.ValorUnitario = unitario;
    registro.ValorTotal = quantidade * unitario;
    registro.DescontoEmPercentual = Valor(qvnumPercentualDeDescontoPorItem);
    registro.DescontoEmValor = desconto;
    registro.ValorLiquido = quantidade * unitario - desconto;
    registro.FuncionarioComissionado = comFuncionario;
    if (comFuncionario) {
        const platform::Currency percentual = PercentualDoComissionado();
        registro.PercentualDeComissaoDoFuncionario = TextoDoValor(percentual);
        // Worked in double, as the commission has always been credited.
        const double liquido =
            platform::CDbl(qvnumQuantidade.Text()) * platform::CDbl(qvnumValorUnitario.Text()) -
            platform::CDbl(qvnumValorDeDescontoPorItem.Text());
        registro.ValorDaComissaoDoFuncionario = TextoDoValor(percentual.ToDouble() * liquido / 100);
    } else {
        registro.PercentualDeComissaoDoFuncionario = int16_t{0};
        registro.ValorDaComissaoDoFuncionario = int16_t{0};
    }
    registro.TipoDeVenda = "2";
    registro.DadosDoUsuario = modPrincipal::gobjDadosDoUsuario;
}

platform::Currency frmPreVendas::PercentualDoComissionado() const
{
    return platform::CCur(platform::Right(qvcmbComissionado.Text(), 50));
}

// ---- Adding

int16_t frmPreVendas::ValidarCamposDaGrade()
{
    // An error while checking stores nothing: the item was not shown to be valid.
    const std::optional<int16_t> resultado = ComTratamentoDeErro(
        ", frmPreVendas, ValidarCamposDaGrade, Ponto: ",
        [&](int16_t& ponto) -> std::optional<int16_t> {
            PintarRotulos(*this,
                          {&lblObservacaoDeCamposObrigatorios, &lblCliente, &lblItensDaPreVenda});
            const auto recusar = [&](platform::Label& rotulo, const char* mensagem,
                                     platform::Control* foco) -> std::optional<int16_t> {
                rotulo.ForeColor = platform::RGB(255, 0, 0);
                platform::MsgBox(mensagem, platform::vbInformation, Aplicacao());
                // A box the user may not change (no right over values) takes no focus.
                if (foco && foco->Enabled && foco->IsShown())
                    foco->SetFocus();
                return 1;
            };
            if (!optServico.Enabled && !optProduto.Enabled)
                return recusar(lblApelidoOuNomeFantasiaDoCliente, "Selecione o cliente.",
                               &qvfApelidoOuNomeFantasiaDoCliente);
            ponto = 2;
            if (optServico.Value) {
                if (qvcmbTiposDeServicos.Text().empty()) {
                    qvcmbTiposDeServicos.Enabled = true;
                    return recusar(lblTipoDeServicoOuCodigoDeBarrasDoProduto,
                                   "Selecione o tipo de serviço.", &qvcmbTiposDeServicos);
                }
                if (platform::Trim(qvfNomeDoServico.Text()).empty() &&
                    platform::Trim(qvfCodigoDoServico.Text()).empty())
                    return recusar(lblNomeDoServicoOuNomeDoProduto, "Selecione o serviço.",
                                   &qvfNomeDoServico);
                if (qvcmbAnimal.Text().empty())
                    return recusar(lblNomeDoAnimalOuCodigoInternoDoProduto, "Selecione o animal.",
                                   qvcmbAnimal.Enabled ? &qvcmbAnimal : nullptr);
            }
            if (optProduto.Value && platform::Trim(qvfNomeDoProduto.Text()).empty() &&
                platform::Trim(qvfCodigoInternoDoProduto.Text()).empty())
                return recusar(lblNomeDoServicoOuNomeDoProduto, "Selecione o produto.",
                               &qvfNomeDoProduto);
            ponto = 3;
            if (qvnumQuantidade.Text().empty())
                qvnumQuantidade.Text = optProduto.Value ? "0,000" : "0,00";
            if (Valor(qvnumQuantidade) == platform::Currency())
                return recusar(lblQuantidade, "Informe a quantidade.", &qvnumQuantidade);
            if (qvnumValorUnitario.Text().empty())
                qvnumValorUnitario.Text = "0,00";
            if (platform::CDbl(qvnumValorUnitario.Text()) <= 0)
                return recusar(lblValorUnitario, "Informe um valor unitário maior que 0,00 (zero).",
                               &qvnumValorUnitario);
            ponto = 4;
            return VerificarLimitesDoDescontoDoItem();
        });
    return resultado.value_or(1);
}

void frmPreVendas::qvcmdAdicionar_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvcmdAdicionar_Click, Ponto: ", [&](int16_t& ponto) {
        if (ValidarCamposDaGrade() == 1)
            return;
        ponto = 2;
        const bool servico = optServico.Value;
        const bool comFuncionario = !platform::Trim(qvcmbComissionado.Text()).empty();
        const std::string codigoDoFuncionario =
            comFuncionario ? std::to_string(qvcmbComissionado.ItemData(qvcmbComissionado.ListIndex))
                           : "0";
        const platform::Currency liquido = platform::Currency::FromDouble(
            platform::CDbl(qvnumQuantidade.Text()) * platform::CDbl(qvnumValorUnitario.Text()) -
            platform::CDbl(qvnumValorDeDescontoPorItem.Text()));
        platform::Currency percentualDeComissao;
        platform::Currency valorDaComissao;
        if (comFuncionario) {
            percentualDeComissao = platform::CCur(TextoDoValor(PercentualDoComissionado()));
            valorDaComissao =
                platform::Currency::FromDouble((percentualDeComissao * liquido).ToDouble() / 100);
        }
        ponto = 3;
        std::vector<std::string> celulas(GradeDeItens::Colunas.size());
        const std::string custo =
            platform::Format((servico ? qvfNomeDoServico : qvfNomeDoProduto).Tag(), FormatoDeValor);
        if (servico) {
            celulas[col::Tipo] =
                std::to_string(qvcmbTiposDeServicos.ItemData(qvcmbTiposDeServicos.ListIndex));
            celulas[col::Codigo] = qvfCodigoDoServico.Text();
            celulas[col::Nome] = qvfNomeDoServico.Text();
            celulas[col::CodigoDoAnimal] =
                std::to_string(qvcmbAnimal.ItemData(qvcmbAnimal.ListIndex));
            celulas[col::CodigoDoAnimal + 1] = qvcmbAnimal.Text();
            celulas[col::Quantidade] = platform::Format(qvnumQuantidade.Text(), "0");
        } else {
            celulas[col::Tipo] = qvfCodigoDeBarrasDoProduto.Text();
            celulas[col::Codigo] = qvfCodigoInternoDoProduto.Text();
            celulas[col::Nome] = qvfNomeDoProduto.Text();
            celulas[col::Quantidade] = platform::Format(qvnumQuantidade.Text(), "#,##0.000");
            celulas[col::Unidade] = UnidadeDeVendaDoItem;
        }
        celulas[col::CodigoDoFuncionario] = codigoDoFuncionario;
        celulas[col::CodigoDoFuncionario + 1] = comFuncionario ? qvcmbComissionado.Text() : "";
        celulas[col::ValorUnitario] = TextoDoValor(Valor(qvnumValorUnitario));
        celulas[col::Percentual] = TextoDoValor(-Valor(qvnumPercentualDeDescontoPorItem));
        celulas[col::Desconto] = TextoDoValor(-Valor(qvnumValorDeDescontoPorItem));
        celulas[col::Desconto + 1] = TextoDoValor(liquido);
        celulas[col::Custo] = custo;
        celulas[col::PercentualDeComissao] = TextoDoValor(percentualDeComissao);
        celulas[col::ValorDaComissao] = TextoDoValor(valorDaComissao);
        celulas[col::Lancamento] = MarcaDoLancamento;
        celulas[col::TipoDeLancamento - 1] = "2";
        celulas[col::TipoDeLancamento] = servico ? "1" : "2";
        const std::string chave = celulas[col::Tipo] + celulas[col::Codigo] +
                                  celulas[col::CodigoDoAnimal] + celulas[col::CodigoDoFuncionario];
        std::string linha;
        for (const std::string& celula : celulas)
            linha += celula + "\t";
        ponto = 4;
        for (int32_t i = 1; i < msfgGrade.Rows; ++i) {
            const std::string chaveDaLinha = msfgGrade.TextMatrix(i, col::Tipo) +
                                             msfgGrade.TextMatrix(i, col::Codigo) +
                                             msfgGrade.TextMatrix(i, col::CodigoDoAnimal) +
                                             msfgGrade.TextMatrix(i, col::CodigoDoFuncionario);
            if (chaveDaLinha != chave)
                continue;
            if (platform::MsgBox("Este item já consta em sua lista de itens de pré-venda.\n"
                                 "Incluí-lo mais uma vez?",
                                 platform::vbYesNo | platform::vbQuestion |
                                     platform::vbDefaultButton2,
                                 Aplicacao()) == platform::vbNo)
                return;
        }
        ponto = 5;
        if (SalvarInclusaoEAlteracao() == 1) {
            ExibirOcultarpicMensagem(false);
            return;
        }
        ponto = 6;
        // The corrected item replaces the one taken back: nothing is owed to the store any more.
        mItemRetomado.reset();
        linha = platform::Replace(linha, MarcaDoLancamento,
                                  std::to_string(mlonNumeroDeLancamentoGerado));
        mlonNumeroDeLancamentoGerado = 0;
        AcrescentarLinha(linha);
        ponto = 7;
        CalcularValoresDosItensDaGrade();
        for (suite_controls::QVFind* caixa : {&qvfApelidoOuNomeFantasiaDoCliente,
                                              &qvfNomeOuRazaoSocialDoCliente, &qvfCodigoDoCliente})
            caixa->Enabled = false;
        optServico.Enabled = qvcmbAnimal.ListCount > 0;
        ponto = 8;
        if (servico) {
            SelecionarTipoDeServico(-1);
            EscreverNaCaixa(qvfCodigoDoServico, "");
            EscreverNaCaixa(qvfNomeDoServico, "");
        } else {
            for (suite_controls::QVFind* caixa :
                 {&qvfCodigoDeBarrasDoProduto, &qvfNomeDoProduto, &qvfCodigoInternoDoProduto})
                EscreverNaCaixa(*caixa, "");
        }
        qvcmbComissionado.ListIndex = -1;
        qvnumQuantidade.Text = servico ? "0" : "0,000";
        for (suite_controls::QVNumberBox* caixa :
             {&qvnumValorUnitario, &qvnumPercentualDeDescontoPorItem, &qvnumValorDeDescontoPorItem})
            caixa->Text = "0,00";
        ponto = 9;
        if (servico)
            qvcmbTiposDeServicos.SetFocus();
        else
            qvfCodigoDeBarrasDoProduto.SetFocus();
        HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(false);
    });
}

void frmPreVendas::AcrescentarLinha(const std::string& linha)
{
    msfgGrade.AddItem(linha);
    if (!mbooGradePreenchida) {
        msfgGrade.RemoveItem(1);
        mbooGradePreenchida = true;
    }
}

} // namespace KELO_A_PreVendas
