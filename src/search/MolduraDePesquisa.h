// The frame every search dialog is built on: a find control, a grid of matches, "Fechar" and a
// searching picture. A dialog gives its columns, its query and its own rules; the frame does the
// rest: layout, the grid's look and alternate row colours, the one-second searching pause, the
// search-done flag, choosing a row and closing.
//
// How a caller uses a dialog: optionally ConfigurarGrade and PreencherGrade with its own matches,
// Show(vbModal), then, when RegistroSelecionado is true, read msfgGrade.TextMatrix(RowSel, column);
// unload the dialog in both cases. A choice hides the dialog, it does not unload it.
//
// States: loaded (by the first public call or showing) -> shown modally -> hidden by a choice
// (msfgGrade_Click, RegistroSelecionado true) or by Fechar (false) -> unloaded by the caller.
#pragma once

#include "contracts/ComponenteDeNegocio.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Recordset.h"
#include "suite_controls/SuiteControls.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace KELO_A_PreVendas {

// One column of a search grid. A width of 0 hides the column; it still carries its field for
// the caller. Column 0 has no field.
struct ColunaDaPesquisa {
    const char* Cabecalho;
    int32_t Largura;
    int32_t Alinhamento;
    const char* Campo;
};

// Column 1 of every search grid holds the record's code (drawn grey); column 0 is blank.
inline constexpr int32_t ColunaDoCodigo = 1;

// A dialog's column table as the frame lays it out: column 0 blank, hidden and without a field,
// every other column with its field.
consteval bool ColunasDaMoldura(std::span<const ColunaDaPesquisa> colunas)
{
    if (colunas.size() <= ColunaDoCodigo || colunas[0].Campo || colunas[0].Largura != 0)
        return false;
    for (std::size_t i = 1; i < colunas.size(); ++i) {
        if (!colunas[i].Campo)
            return false;
    }
    return true;
}

// The column that holds `campo`; a field the table lacks does not compile.
consteval int32_t ColunaDoCampo(std::span<const ColunaDaPesquisa> colunas, std::string_view campo)
{
    for (std::size_t i = 1; i < colunas.size(); ++i) {
        if (colunas[i].Campo && colunas[i].Campo == campo)
            return static_cast<int32_t>(i);
    }
    throw "the search grid has no such field";
}

// What tells one search dialog from another, besides its query and its rules.
struct DefinicaoDaPesquisa {
    const char* Titulo;
    // The search procedure's name, for its error location ("PesquisarCliente").
    const char* NomeDaPesquisa;
    std::span<const ColunaDaPesquisa> Colunas;
    // The searching picture goes as soon as the business layer answered, before the rows are
    // read.
    bool OcultarMensagemAntesDoResultado;
};

class MolduraDePesquisa : public platform::Form {
public:
    ~MolduraDePesquisa() override;

    // Empties the grid and lays out its header row; 0.
    int16_t ConfigurarGrade();
    // Fills the grid from `lrstRecordsetAuxiliar`, one row per record from row 1; 0.
    int16_t PreencherGrade(const platform::RecordsetRef& lrstRecordsetAuxiliar);
    // A valid row was chosen; read after the dialog closed.
    bool RegistroSelecionado() const { return mbooRegistroSelecionado; }
    // A cell of the row the user picked, for the caller to read before it unloads the dialog.
    std::string CelulaEscolhida(int32_t coluna) const
    {
        return msfgGrade.TextMatrix(msfgGrade.RowSel, coluna);
    }

    suite_controls::QVTheme qvTheme{this, "qvTheme"};
    platform::Grid msfgGrade{this, "msfgGrade"};
    suite_controls::QVCommandButton qvcmdFechar{this, "qvcmdFechar"};
    platform::PictureBox picMensagem{this, "picMensagem"};

    // The frame on Windows 8, added while loading; null elsewhere.
    platform::Shape* lshpObj() const { return m_lshpObj.get(); }

protected:
    MolduraDePesquisa(std::string nome, const DefinicaoDaPesquisa& definicao);

    // Called by the dialog's constructor once its own find control and label exist.
    void MontarMoldura(suite_controls::QVFind& caixaDePesquisa, platform::Label& rotuloDaPesquisa,
                       const char* legendaDaPesquisa);

    // The dialog's business object for one search, ready for Selecionar.
    virtual std::shared_ptr<contracts::ComponenteDeNegocio> CriarComponenteDeNegocio() = 0;
    // Calls the object's Selecionar with the typed text; non-zero means it failed.
    virtual int32_t Selecionar(contracts::ComponenteDeNegocio& componente,
                               const std::string& texto) = 0;
    virtual std::string MensagemSemResultado(const std::string& texto) const = 0;
    // 0 the row at RowSel may be chosen, 1 it may not (the dialog says why).
    virtual int16_t ValidarCampos() { return 0; }
    // A dialog's condition for searching at all.
    virtual bool PodePesquisar() { return true; }
    // Whether a single match is chosen at once.
    virtual bool EscolherResultadoUnico() const { return true; }
    // A dialog's own loading step; false ends the loading there.
    virtual bool CarregarControlesProprios() { return true; }
    // A dialog's own step of every layout, before the focus goes to the find control.
    virtual void AoRedimensionar() {}

    // The next confirmation of the find control searches again.
    void EsquecerPesquisaEfetuada() { mbooPesquisaEfetuada = false; }

    // The find control's Click: the user confirmed a search.
    void PesquisarNaCaixa(std::string_view nomeDoProcedimento);
    // ", frmPesquisaDeClientes, <procedimento>, Ponto: "
    std::string Local(std::string_view procedimento) const;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_Unload();
    void qvcmdFechar_Click();
    void msfgGrade_Click();
    void msfgGrade_KeyDown(int16_t& tecla, int16_t shift);
    void ExibirOcultarpicMensagem(bool lbooExibirOcultarpicMensagem);
    void CentralizarpicMensagem();
    bool Pesquisar();
    void EscolherLinha();
    void Carregar();

    void OnPropertyChanged(const platform::PropertyBase& property) override;

    const DefinicaoDaPesquisa& m_definicao;
    suite_controls::QVFind* m_caixaDePesquisa = nullptr;
    std::unique_ptr<platform::Shape> m_lshpObj;
    bool mbooRegistroSelecionado = false;
    // Set by every search; the next click of the find control or a resize clears it.
    bool mbooPesquisaEfetuada = false;
    // Form_Load has run since the dialog was created or last unloaded.
    bool mbooCarregado = false;
};

} // namespace KELO_A_PreVendas
