// drPreVendas: where each text of the printed pre-sale goes, in twips across the report's 10145.
// Seven columns share their place between the heading and the line; amounts are right-aligned
// in the screen's money format, quantities without trailing zeros (1 bath, 1,25 kg).
#include "presale/drPreVendas.h"

#include <array>
#include <cstdint>

namespace KELO_A_PreVendas {

namespace {

using platform::vbLeftJustify;
using platform::vbRightJustify;

constexpr int32_t Largura = 10145;
constexpr int32_t EspessuraDaLinha = 15;
constexpr const char* FormatoDeValor = "#,##0.00";

struct Coluna {
    platform::ReportLabel drPreVendas::*Titulo;
    platform::ReportTextBox drPreVendas::*Caixa;
    int32_t Esquerda;
    int32_t Largura;
    int32_t Alinhamento;
    const char* Formato;
};

constexpr std::array<Coluna, 7> Colunas{{
    {&drPreVendas::lblNomeDoAnimal, &drPreVendas::txtNomeDoAnimal, 0, 1140, vbLeftJustify, ""},
    {&drPreVendas::lblNomeDoServico, &drPreVendas::txtNomeDoServico, 1200, 4140, vbLeftJustify, ""},
    {&drPreVendas::lblQuantidadeDoServico, &drPreVendas::txtQuantidade, 5400, 740, vbRightJustify,
     "#,##0.###"},
    {&drPreVendas::lblValorUnitarioDoServico, &drPreVendas::txtValorUnitarioDoServico, 6200, 990,
     vbRightJustify, FormatoDeValor},
    {&drPreVendas::lblValorTotalDoServico, &drPreVendas::txtValorTotalDoServico, 7250, 990,
     vbRightJustify, FormatoDeValor},
    {&drPreVendas::lblDescontoEmValorDoServico, &drPreVendas::txtDescontoEmValorDoServico, 8300,
     790, vbRightJustify, FormatoDeValor},
    {&drPreVendas::lblValorLiquidoDoServico, &drPreVendas::txtValorLiquidoDoServico, 9150, 995,
     vbRightJustify, FormatoDeValor},
}};

void Colocar(platform::Control& controle, int32_t esquerda, int32_t topo, int32_t largura,
             int32_t altura, double tamanho, bool negrito)
{
    controle.Move(esquerda, topo, largura, altura);
    controle.FontName = "Arial";
    controle.FontSize = tamanho;
    controle.FontBold = negrito;
}

void Tracar(platform::ReportLine& linha, int32_t esquerda, int32_t topo, int32_t direita)
{
    linha.X1 = esquerda;
    linha.X2 = direita;
    linha.Y1 = linha.Y2 = topo;
    linha.BorderWidth = EspessuraDaLinha;
}

} // namespace

drPreVendas::drPreVendas() : platform::Report("drPreVendas")
{
    DesenharCabecalho();
    DesenharLista();
    DesenharTotalizacao();
}

void drPreVendas::DesenharCabecalho()
{
    Cabecalho.Height = 2040;
    Colocar(lblNomeFantasiaDaEmpresa, 0, 0, 7600, 320, 12, true);
    Colocar(lblEmissao, 7700, 40, 1200, 240, 9, false);
    Colocar(lblData, 8950, 40, 1195, 240, 9, false);
    Colocar(Label7, 7700, 300, 1200, 240, 9, false);
    Colocar(Label6, 8950, 300, 420, 240, 9, false);
    Colocar(lblDe, 9400, 300, 280, 240, 9, false);
    Colocar(Label9, 9700, 300, 445, 240, 9, false);
    lblEmissao.Alignment = Label7.Alignment = vbRightJustify;
    lblData.Alignment = Label6.Alignment = vbRightJustify;
    lblDe.Alignment = platform::vbCenter;
    Colocar(lblTitulo, 0, 420, 7600, 380, 14, true);
    Colocar(lblSubtitulo, 0, 830, Largura, 240, 8.25, false);
    Tracar(linSeparador, 0, 1140, Largura);
    Colocar(lblCliente, 0, 1230, 780, 260, 9, true);
    Colocar(lblCodigoENomeOuRazaoSocialDoCliente, 800, 1230, Largura - 800, 260, 9, false);
    Tracar(Line1, 0, 1590, Largura);
    for (const Coluna& coluna : Colunas) {
        platform::ReportLabel& titulo = this->*coluna.Titulo;
        Colocar(titulo, coluna.Esquerda, 1680, coluna.Largura, 240, 8.25, true);
        titulo.Alignment = coluna.Alinhamento;
    }
    Tracar(Line2, 0, 1980, Largura);
}

void drPreVendas::DesenharLista()
{
    ListaDeServicosEOuProdutos.Height = 285;
    for (const Coluna& coluna : Colunas) {
        platform::ReportTextBox& caixa = this->*coluna.Caixa;
        Colocar(caixa, coluna.Esquerda, 45, coluna.Largura, 240, 9, false);
        caixa.Alignment = coluna.Alinhamento;
        caixa.DataFormat = coluna.Formato;
    }
}

void drPreVendas::DesenharTotalizacao()
{
    Totalizacao.Height = 1200;
    Tracar(Line3, 6200, 90, Largura);
    struct Total {
        platform::ReportLabel* Rotulo;
        platform::ReportLabel* Valor;
        int32_t Topo;
        double Tamanho;
    };
    for (const Total& total :
         {Total{&lblTotal, &txtTotal, 180, 9}, Total{&lblDesconto, &txtDesconto, 480, 9},
          Total{&lblLiquidoAPagar, &txtLiquidoAPagar, 800, 10.5}}) {
        Colocar(*total.Rotulo, 6200, total.Topo, 2000, 300, total.Tamanho, true);
        Colocar(*total.Valor, 8300, total.Topo, Largura - 8300, 300, total.Tamanho,
                total.Valor == &txtLiquidoAPagar);
        total.Rotulo->Alignment = total.Valor->Alignment = vbRightJustify;
    }
}

} // namespace KELO_A_PreVendas
