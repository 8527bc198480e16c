// frmPreVendas, stored items taken back: Alterar (the selected item back into the entry fields,
// deleting it in the store), Remover and the store's Excluir they share. There is no update in
// place: an alteration is a deletion and a new insertion under a new number.
//
// Alterar changes nothing on the screen until the store has deleted the item; should a later step
// fail, the item is stored back in its row and the entry fields are put back as they were, so
// that it is never both in the grid and in the fields.
//
// An item taken back by Alterar is deleted in the store while the attendant corrects it. Until
// Adicionar stores it again, every way of leaving it (Limpar campos, printing, another client,
// closing the screen or the program) first stores it back as it was, under its original client,
// and puts its row back; when that fails the error is reported and the screen stays as it is, so
// that the attendant can try again. So grid and store never lose an item between them.
//
// Statuses: Excluir succeeds on 0 and 2 (the item is not stored anyway); any other status is a
// failure, reported with the status, and the row stays.
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

const std::string& Aplicacao()
{
    return modPrincipal::gstrNomeDaAplicacao;
}

// The grid holds only its blank row: columns 0 to the second-to-last of row 1 are all empty.
bool SoALinhaEmBranco(const platform::Grid& grade)
{
    if (grade.Rows != 2)
        return false;
    for (int32_t coluna = 0; coluna < grade.Cols - 1; ++coluna) {
        if (!grade.TextMatrix(1, coluna).empty())
            return false;
    }
    return true;
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
            ReportarErroDoProcedimento(platform::errInternal,
                                       DescricaoDaSituacaoDesconhecida("Excluir", situacao),
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
            // The screen changes only once the item is deleted: a failure leaves it as it was.
            if (Excluir() == 1)
                return 0;
            ponto = 4;
            // From here the item is not stored: a step that fails puts it back in place and the
            // entry fields back as they were.
            const CamposDeEntrada campos = GuardarCamposDeEntrada();
            const auto devolverNoLugar = [&]() -> int16_t {
                int32_t numero = 0;
                if (GravarItemRetomado(retomado, numero) == 0)
                    msfgGrade.SetTextMatrix(linha, col::Lancamento, std::to_string(numero));
                RestaurarCamposDeEntrada(campos);
                return 1;
            };
            if (servico)
                optServico.Value = true;
            else if (tipo == LancamentoDeProduto)
                optProduto.Value = true;
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

std::array<suite_controls::QVFind*, 5> frmPreVendas::CaixasDoItem()
{
    return {&qvfCodigoDoServico, &qvfNomeDoServico, &qvfCodigoDeBarrasDoProduto,
            &qvfCodigoInternoDoProduto, &qvfNomeDoProduto};
}

frmPreVendas::CamposDeEntrada frmPreVendas::GuardarCamposDeEntrada()
{
    CamposDeEntrada campos;
    campos.Servico = optServico.Value;
    campos.Produto = optProduto.Value;
    campos.TipoDeServico = qvcmbTiposDeServicos.ListIndex;
    campos.Animal = qvcmbAnimal.ListIndex;
    for (suite_controls::QVFind* caixa : CaixasDoItem())
        campos.Caixas.push_back(caixa->Text());
    campos.CustoDoServico = qvfNomeDoServico.Tag;
    campos.CustoDoProduto = qvfNomeDoProduto.Tag;
    campos.Quantidade = qvnumQuantidade.Text();
    campos.Unidade = UnidadeDeVendaDoItem;
    campos.PercentualDeComissao = PercentualDeComissaoDoItem;
    return campos;
}

void frmPreVendas::RestaurarCamposDeEntrada(const CamposDeEntrada& campos)
{
    ComTratamentoDeErro(", frmPreVendas, RestaurarCamposDeEntrada, Ponto: ", [&](int16_t&) {
        // Switching back runs the mode's own set-up, which empties its fields; then they are
        // written back.
        if (campos.Servico && !optServico.Value)
            optServico.Value = true;
        else if (campos.Produto && !optProduto.Value)
            optProduto.Value = true;
        SelecionarTipoDeServico(campos.TipoDeServico);
        std::size_t i = 0;
        for (suite_controls::QVFind* caixa : CaixasDoItem())
            EscreverNaCaixa(*caixa, campos.Caixas[i++]);
        qvfNomeDoServico.Tag = campos.CustoDoServico;
        qvfNomeDoProduto.Tag = campos.CustoDoProduto;
        qvcmbAnimal.ListIndex = campos.Animal;
        qvnumQuantidade.Text = campos.Quantidade;
        UnidadeDeVendaDoItem = campos.Unidade;
        PercentualDeComissaoDoItem = campos.PercentualDeComissao;
    });
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
