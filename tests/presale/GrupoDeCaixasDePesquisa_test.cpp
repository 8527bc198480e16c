#include "presale/GrupoDeCaixasDePesquisa.h"

#include "globals/modPrincipal.h"
#include "platform/Controls.h"
#include "support/DialogTest.h"

#include <string>

using KELO_A_PreVendas::GrupoDeCaixasDePesquisa;
using Resultado = GrupoDeCaixasDePesquisa::Resultado;

namespace {

// A two-box group (a name and a code) whose rules note what they were asked to do.
class FindBoxGroup : public support::DialogTest {
protected:
    FindBoxGroup()
    {
        codigo.Style = suite_controls::QVFind::StyleNumerico;
        form.Show(platform::vbModeless);
    }

    GrupoDeCaixasDePesquisa::Regras Regras()
    {
        GrupoDeCaixasDePesquisa::Regras regras;
        regras.PodePesquisar = [this](suite_controls::QVFind&) {
            passos += "pode ";
            return true;
        };
        regras.Pesquisar = [this](suite_controls::QVFind& propria) {
            passos += "pesquisa(" + nome.Text() + "|" + codigo.Text() + ") ";
            propria.Enabled = false;
            return resultado;
        };
        regras.AoEncontrar = [this](suite_controls::QVFind&) { passos += "encontrado "; };
        regras.Limpar = [this] { passos += "limpa "; };
        regras.AoNaoEncontrar = [this](suite_controls::QVFind&) { passos += "nao-encontrado "; };
        regras.AoDescartar = [this](suite_controls::QVFind&) { passos += "descartado "; };
        return regras;
    }

    platform::Form form{"frmTeste"};
    suite_controls::QVFind nome{&form, "nome"};
    suite_controls::QVFind codigo{&form, "codigo"};
    Resultado resultado = Resultado::Encontrado;
    std::string passos;
    GrupoDeCaixasDePesquisa grupo{{&nome, &codigo}, Regras()};
};

TEST_F(FindBoxGroup, AClickRunsTheGroupsStepsAndResetsTheSiblingAsTheOutcomeSays)
{
    struct Row {
        bool noNome; // the click is the name box's, else the code box's
        const char* typed;
        int16_t modo;
        Resultado resultado;
        const char* passos;
        bool siblingReset; // Modo 2, empty, enabled, and the own box focused
    };
    // Too short a text, the group's own refusal and a lookup that ends the action its own way are
    // the lookup scenarios'.
    const Row rows[] = {
        {false, "7", 1, Resultado::Encontrado, "pode pesquisa(|7) encontrado ", false},
        {true, "abc", 1, Resultado::NaoEncontrado, "pode pesquisa(abc|) limpa nao-encontrado ",
         true},
        {false, "7", 2, Resultado::Encontrado, "limpa descartado ", true},
        {false, "7", 0, Resultado::Encontrado, "", false},
    };
    for (const Row& row : rows) {
        suite_controls::QVFind& propria = row.noNome ? nome : codigo;
        suite_controls::QVFind& irma = row.noNome ? codigo : nome;
        passos.clear();
        host.ClearRecords();
        irma.Text = row.noNome ? "55" : "Rex";
        irma.Modo = 0;
        irma.Enabled = false;
        propria.Text = row.typed;
        propria.Modo = row.modo;
        resultado = row.resultado;
        platform::Screen::ClearFocus();
        int16_t ponto = 1;
        grupo.Click(propria, ponto);

        SCOPED_TRACE(std::string(row.typed) + " Modo " + std::to_string(row.modo));
        EXPECT_EQ(passos, row.passos);
        const bool searched = std::string(row.passos).find("pesquisa") != std::string::npos;
        EXPECT_EQ(irma.Text(), searched || row.siblingReset ? "" : (row.noNome ? "55" : "Rex"));
        EXPECT_EQ(irma.Modo(), row.siblingReset ? 2 : 0);
        EXPECT_EQ(irma.Enabled(), row.siblingReset);
        if (row.siblingReset) {
            EXPECT_TRUE(propria.Enabled());
            EXPECT_EQ(platform::Screen::ActiveControl(), &propria);
        }
        EXPECT_TRUE(Messages().empty());
    }
}

TEST_F(FindBoxGroup, OnlyAWriteThatChangesTheTextRaisesTheFlag)
{
    namespace g = KELO_A_PreVendas::modPrincipal;
    KELO_A_PreVendas::EscreverNaCaixa(codigo, "12");
    EXPECT_TRUE(g::gbooIgnorarProximoEvento);
    grupo.KeyDown(codigo);
    // An unchanged text causes no KeyDown that would lower a raised flag.
    KELO_A_PreVendas::EscreverNaCaixa(codigo, "12");
    EXPECT_FALSE(g::gbooIgnorarProximoEvento);
    EXPECT_EQ(KELO_A_PreVendas::CodigoDaCaixa(codigo), 12.0);
    codigo.Text = "  ";
    EXPECT_EQ(KELO_A_PreVendas::CodigoDaCaixa(codigo), 0.0);
}

} // namespace
