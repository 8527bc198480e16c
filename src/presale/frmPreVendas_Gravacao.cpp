// frmPreVendas, stored items: Adicionar (validate, warn of a duplicate, store, add the row),
// Alterar (take the selected item back into the entry fields, deleting it in the store), Remover
// and the store's Excluir they share. There is no update in place: an alteration is a deletion and
// a new insertion under a new number.
//
// An item taken back by Alterar is deleted in the store while the attendant corrects it. Until
// Adicionar stores it again, every way of leaving it (Limpar campos, printing, another client,
// closing the screen or the program) first stores it back as it was, under its original client,
// and puts its row back; when that fails the error is reported and the screen stays as it is, so
// that the attendant can try again. So grid and store never lose an item between them.
//
// Statuses: Incluir succeeds on 0 only, Excluir on 0 and 2 (the item is not stored anyway); any
// other status is a failure, reported with the status, and the screen keeps what it showed.
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

namespace col {
using GradeDeItens::ColunaDoCampo;
constexpr int32_t Tipo = ColunaDoCampo("NumeroDoTipoDeServicoOuCodigoDeBarrasDoProduto");
constexpr int32_t Codigo = ColunaDoCampo("CodigoDoServicoOuCodigoInternoDoProduto");
constexpr int32_t Nome = ColunaDoCampo("NomeDoServicoOuNomeDoProduto");
constexpr int32_t CodigoDoAnimal = ColunaDoCampo("CodigoDoAnimal");
constexpr int32_t CodigoDoFuncionario = ColunaDoCampo("CodigoDoFuncionario");
constexpr int32_t Quantidade = ColunaDoCampo("Quantidade");
constexpr int32_t ValorUnitario = ColunaDoCampo("ValorUnitario");
constexpr int32_t Percentual = ColunaDoCampo("DescontoEmPercentual");
constexpr int32_t Desconto = ColunaDoCampo("DescontoEmValor");
constexpr int32_t Custo = ColunaDoCampo("Custo");
constexpr int32_t PercentualDeComissao = ColunaDoCampo("PercentualDeComissaoDoFuncionario");
constexpr int32_t ValorDaComissao = ColunaDoCampo("ValorDaComissaoDoFuncionario");
constexpr int32_t Lancamento = ColunaDoCampo("NumeroDeLancamento");
constexpr int32_t Unidade = ColunaDoCampo("UnidadeDeVendaDoProduto");
constexpr int32_t TipoDeLancamento = ColunaDoCampo("TipoDeLancamento");
} // namespace col

constexpr const char* MarcaDoLancamento = "EspacoReservadoParaONumeroDoLancamento";
constexpr int16_t LancamentoDeServico = 1;
constexpr int16_t LancamentoDeProduto = 2;
constexpr int16_t ComissaoDeServico = 1;
constexpr int16_t ComissaoDeProduto = 2;

const std::string& Aplicacao()
{
    return modPrincipal::gstrNomeDaAplicacao;
}

// The texts of the grid's row 1, columns 0 to the second-to-last, joined: empty for the blank row.
std::string TextoDaLinha(const platform::Grid& grade, int32_t linha)
{
    std::string texto;
    for (int32_t coluna = 0; coluna < grade.Cols - 1; ++coluna)
        texto += grade.TextMatrix(linha, coluna);
    return texto;
}

// The grid holds only its blank row.
bool SoALinhaEmBranco(const platform::Grid& grade)
{
    return grade.Rows == 2 && TextoDaLinha(grade, 1).empty();
}

void ReportarSituacaoDesconhecida(const char* chamada, int32_t situacao, std::string_view local,
                                  int16_t ponto)
{
    ReportarErroDoProcedimento(platform::errInternal,
                               std::string(chamada) + " respondeu com a situação " +
                                   std::to_string(situacao) + ", que não é conhecida.",
                               local, ponto);
}

// The entry of `combo` whose ItemData equals `valor` (as numbers); -1 for none.
int16_t EntradaComItemData(const suite_controls::QVComboBox& combo, const std::string& valor)
{
    const double procurado = platform::Val(valor);
    for (int16_t i = 0; i < combo.ListCount; ++i) {
        if (combo.ItemData(i) == procurado)
            return i;
    }
    return -1;
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
        ReportarSituacaoDesconhecida("Incluir", situacao, local, ponto);
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
            return IncluirLancamento(*lobjPreVendas,
                                     ", frmPreVendas, SalvarInclusaoEAlteracao, Ponto: ", ponto);
        });
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

// ---- Deleting

int16_t frmPreVendas::Excluir()
{
    return ComTratamentoDeErro(", frmPreVendas, Excluir, Ponto: ", [&](int16_t& ponto) -> int16_t {
        ExibirOcultarpicMensagem(true, false);
        auto lobjPreVendas = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
        const int32_t linha = msfgGrade.Row;
        lobjPreVendas->Quantidade = msfgGrade.TextMatrix(linha, col::Quantidade);
        lobjPreVendas->CodigoInternoDoProduto = msfgGrade.TextMatrix(linha, col::Codigo);
        lobjPreVendas->TipoDeLancamento = msfgGrade.TextMatrix(linha, col::TipoDeLancamento);
        lobjPreVendas->NumeroDeLancamento = msfgGrade.TextMatrix(linha, col::Lancamento);
        lobjPreVendas->DadosDoUsuario = modPrincipal::gobjDadosDoUsuario;
        ponto = 2;
        const int32_t situacao = lobjPreVendas->Excluir();
        ExibirOcultarpicMensagem(false);
        switch (situacao) {
        case contracts::resSucesso:
        case contracts::resFalhaInformativa:
            return 0;
        case contracts::resErro:
            ExibirMensagemDeErro(lobjPreVendas->NumeroDoErro, lobjPreVendas->DescricaoDoErro,
                                 lobjPreVendas->LocalDoErro);
            return 1;
        case contracts::resFalhaCritica:
            platform::MsgBox(lobjPreVendas->DescricaoDaFalha, platform::vbCritical, Aplicacao());
            return 1;
        default:
            // The item may still be stored: its row stays.
            ReportarSituacaoDesconhecida("Excluir", situacao,
                                         ", frmPreVendas, Excluir, Ponto: ", ponto);
            return 1;
        }
    });
}

void frmPreVendas::qvcmdRemover_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvcmdRemover_Click, Ponto: ", [&](int16_t& ponto) {
        if (SoALinhaEmBranco(msfgGrade)) {
            platform::MsgBox("Nenhum item encontrado na lista para ser removido.",
                             platform::vbInformation, Aplicacao());
            return;
        }
        ponto = 2;
        if (Excluir() == 1)
            return;
        ponto = 3;
        RemoverLinhaSelecionada();
        CalcularValoresDosItensDaGrade();
        ponto = 4;
        if (SoALinhaEmBranco(msfgGrade)) {
            if (optServico.Value) {
                SelecionarTipoDeServico(-1);
                qvcmbTiposDeServicos.SetFocus();
            } else if (optProduto.Value) {
                qvfCodigoInternoDoProduto.SetFocus();
            }
        }
    });
}

void frmPreVendas::RemoverLinhaSelecionada()
{
    // The last item's row leaves a blank row behind; only then is the grid empty.
    if (msfgGrade.Rows == 2) {
        msfgGrade.AddItem("");
        msfgGrade.RemoveItem(msfgGrade.Row);
        mbooGradePreenchida = false;
        return;
    }
    msfgGrade.RemoveItem(msfgGrade.Row);
}

// ---- Altering

void frmPreVendas::qvcmdAlterar_Click()
{
    ComTratamentoDeErro(", frmPreVendas, qvcmdAlterar_Click, Ponto: ",
                        [&](int16_t&) { Registros_Alterar(); });
}

int16_t frmPreVendas::Registros_Alterar()
{
    return ComTratamentoDeErro(
        ", frmPreVendas, Registros_Alterar, Ponto: ", [&](int16_t& ponto) -> int16_t {
            if (SoALinhaEmBranco(msfgGrade))
                return 0;
            const int32_t linha = msfgGrade.Row;
            const auto celula = [&](int32_t coluna) { return msfgGrade.TextMatrix(linha, coluna); };
            const int16_t tipo = platform::CInt(celula(col::TipoDeLancamento));
            const bool servico = tipo == LancamentoDeServico;
            if (servico)
                optServico.Value = true;
            else if (tipo == LancamentoDeProduto)
                optProduto.Value = true;
            ponto = 2;
            if (servico && platform::CDbl(celula(col::Tipo)) <= 4) {
                platform::MsgBox("Serviços clínicos e cirúrgicos somente podem ser alterados na "
                                 "ficha clínica pelo veterinário.",
                                 platform::vbInformation, Aplicacao());
                return 0;
            }
            ponto = 3;
            // What the store must get back should the alteration not be finished.
            ItemRetomado retomado{MontarItemRetomado(linha), {}};
            for (int32_t coluna = 0; coluna < msfgGrade.Cols; ++coluna)
                retomado.Linha.push_back(celula(coluna));
            if (Excluir() == 1)
                return 0;
            ponto = 4;
            // From here the item is not stored: a step that fails puts it back in place.
            const auto devolverNoLugar = [&]() -> int16_t {
                int32_t numero = 0;
                if (GravarItemRetomado(retomado, numero) == 0)
                    msfgGrade.SetTextMatrix(linha, col::Lancamento, std::to_string(numero));
                return 1;
            };
            if (servico && PreencherComboboxTiposDeServicos() == 1)
                return devolverNoLugar();
            ponto = 5;
            if (servico) {
                SelecionarTipoDeServico(
                    EntradaComItemData(qvcmbTiposDeServicos, celula(col::Tipo)));
                EscreverNaCaixa(qvfCodigoDoServico, celula(col::Codigo));
                EscreverNaCaixa(qvfNomeDoServico, celula(col::Nome));
                qvfNomeDoServico.Tag = celula(col::Custo);
                qvnumQuantidade.Text = celula(col::Quantidade);
                qvcmbAnimal.ListIndex =
                    EntradaComItemData(qvcmbAnimal, celula(col::CodigoDoAnimal));
            } else {
                EscreverNaCaixa(qvfCodigoDeBarrasDoProduto, celula(col::Tipo));
                EscreverNaCaixa(qvfCodigoInternoDoProduto, celula(col::Codigo));
                EscreverNaCaixa(qvfNomeDoProduto, celula(col::Nome));
                qvfNomeDoProduto.Tag = celula(col::Custo);
                UnidadeDeVendaDoItem = celula(col::Unidade);
                PercentualDeComissaoDoItem = platform::CCur(celula(col::PercentualDeComissao));
                qvnumQuantidade.Text = celula(col::Quantidade);
            }
            ponto = 6;
            if (!PreencherComboboxComissionados(servico ? ComissaoDeServico : ComissaoDeProduto))
                return devolverNoLugar();
            qvcmbComissionado.Enabled = true;
            if (!celula(col::CodigoDoFuncionario).empty())
                qvcmbComissionado.ListIndex =
                    EntradaComItemData(qvcmbComissionado, celula(col::CodigoDoFuncionario));
            ponto = 7;
            qvnumValorUnitario.Text = celula(col::ValorUnitario);
            qvnumPercentualDeDescontoPorItem.Text =
                TextoDoValor(-platform::CDbl(celula(col::Percentual)));
            qvnumValorDeDescontoPorItem.Text = TextoDoValor(-platform::CDbl(celula(col::Desconto)));
            mlonNumeroDeLancamentoGerado = platform::CLng(celula(col::Lancamento));
            ponto = 8;
            RemoverLinhaSelecionada();
            mItemRetomado = std::move(retomado);
            CalcularValoresDosItensDaGrade();
            HabilitarDesabilitarCamposDeValoresDeReferenciaDoItemDeVenda(true);
            return 0;
        });
}

void frmPreVendas::mnuAlterar_Click()
{
    qvcmdAlterar_Click();
}

void frmPreVendas::mnuExcluir_Click()
{
    qvcmdRemover_Click();
}

// ---- An item taken back and not stored again

std::vector<platform::Variant> frmPreVendas::MontarItemRetomado(int32_t linha) const
{
    const auto celula = [&](int32_t coluna) { return msfgGrade.TextMatrix(linha, coluna); };
    const bool servico = platform::CInt(celula(col::TipoDeLancamento)) == LancamentoDeServico;
    const int32_t funcionario = platform::CLng(platform::Val(celula(col::CodigoDoFuncionario)));
    const platform::Currency quantidade = platform::CCur(celula(col::Quantidade));
    const platform::Currency unitario = platform::CCur(celula(col::ValorUnitario));
    const platform::Currency desconto = -platform::CCur(celula(col::Desconto));
    std::vector<platform::Variant> campos(KELO_N_PreVendas::CamposDoLancamento.size());
    const auto campo = [&](std::string_view nome) -> platform::Variant& {
        for (std::size_t i = 0; i < campos.size(); ++i) {
            if (KELO_N_PreVendas::CamposDoLancamento[i] == nome)
                return campos[i];
        }
        platform::Raise(platform::errObjectDoesNotSupport);
    };
    campo("DataDeLancamento") =
        platform::Format(platform::Variant(platform::Today()), "DD/MM/YYYY");
    campo("CodigoDoFuncionario") =
        funcionario ? platform::Variant(funcionario) : platform::Variant(int16_t{0});
    campo("CodigoDoCliente") = platform::Val(qvfCodigoDoCliente.Text());
    campo("TipoDeLancamento") = servico ? LancamentoDeServico : LancamentoDeProduto;
    if (servico) {
        campo("CodigoDoAnimal") = platform::CLng(platform::Val(celula(col::CodigoDoAnimal)));
        campo("NumeroDoTipoDeServico") = platform::CLng(platform::Val(celula(col::Tipo)));
        campo("CodigoDoServico") = platform::Val(celula(col::Codigo));
    } else {
        campo("CodigoInternoDoProduto") = platform::Val(celula(col::Codigo));
    }
    campo("Custo") = platform::Format(celula(col::Custo), FormatoDeValor);
    campo("Quantidade") = quantidade;
    campo("ValorUnitario") = unitario;
    campo("ValorTotal") = quantidade * unitario;
    campo("DescontoEmPercentual") = -platform::CCur(celula(col::Percentual));
    campo("DescontoEmValor") = desconto;
    campo("ValorLiquido") = quantidade * unitario - desconto;
    campo("FuncionarioComissionado") = funcionario != 0;
    campo("PercentualDeComissaoDoFuncionario") =
        funcionario ? platform::Variant(celula(col::PercentualDeComissao))
                    : platform::Variant(int16_t{0});
    campo("ValorDaComissaoDoFuncionario") = funcionario
                                                ? platform::Variant(celula(col::ValorDaComissao))
                                                : platform::Variant(int16_t{0});
    campo("TipoDeVenda") = "2";
    return campos;
}

int16_t frmPreVendas::GravarItemRetomado(const ItemRetomado& item, int32_t& numero)
{
    return ComTratamentoDeErro(
               ", frmPreVendas, GravarItemRetomado, Ponto: ",
               [&](int16_t& ponto) -> int16_t {
                   auto lobjPreVendas = contracts::CreateObject<KELO_N_PreVendas::clsPreVendas>();
                   for (std::size_t i = 0; i < item.Registro.size(); ++i) {
                       if (KELO_N_PreVendas::CamposDoLancamento[i] != "NumeroDeLancamento")
                           lobjPreVendas->Campo(KELO_N_PreVendas::CamposDoLancamento[i]) =
                               item.Registro[i];
                   }
                   lobjPreVendas->DadosDoUsuario = modPrincipal::gobjDadosDoUsuario;
                   ponto = 2;
                   const int32_t guardado = mlonNumeroDeLancamentoGerado;
                   if (IncluirLancamento(*lobjPreVendas,
                                         ", frmPreVendas, GravarItemRetomado, Ponto: ", ponto) ==
                       1) {
                       mlonNumeroDeLancamentoGerado = guardado;
                       return 1;
                   }
                   numero = mlonNumeroDeLancamentoGerado;
                   mlonNumeroDeLancamentoGerado = guardado;
                   return 0;
               }) == 0
               ? 0
               : 1;
}

bool frmPreVendas::DevolverItemRetomado()
{
    if (!mItemRetomado)
        return true;
    int32_t numero = 0;
    if (GravarItemRetomado(*mItemRetomado, numero) != 0)
        return false;
    std::vector<std::string> celulas = mItemRetomado->Linha;
    celulas[col::Lancamento] = std::to_string(numero);
    std::string linha;
    for (const std::string& celula : celulas)
        linha += celula + "\t";
    mItemRetomado.reset();
    ComTratamentoDeErro(", frmPreVendas, DevolverItemRetomado, Ponto: ", [&](int16_t&) {
        AcrescentarLinha(linha);
        CalcularValoresDosItensDaGrade();
    });
    return true;
}

} // namespace KELO_A_PreVendas
