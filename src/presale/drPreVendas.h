// drPreVendas: the printed pre-sale, what the client has to pay. The page header ("Cabecalho")
// names the company, the client, the date and the page and heads the columns; one line per open
// item follows ("ListaDeServicosEOuProdutos"); the screen's totals close it ("Totalizacao").
// The layout holds the fixed texts, the places and the number formats; ImprimirPreVenda sets the
// company, the client, the fields of the lines, the totals and the page set-up at print time.
#pragma once

#include "platform/Report.h"

namespace KELO_A_PreVendas {

class drPreVendas : public platform::Report {
public:
    drPreVendas();

    platform::ReportSection Cabecalho{this, "Cabecalho", platform::SectionKind::PageHeader};
    platform::ReportLabel lblTitulo{&Cabecalho, "lblTitulo", "Produtos e/ou Serviços a pagar"};
    platform::ReportLabel lblSubtitulo{&Cabecalho, "lblSubtitulo",
                                       "Produtos e/ou serviços de adestramento, banho, tosa, "
                                       "estética, hospedagem e outros"};
    platform::ReportLabel lblNomeFantasiaDaEmpresa{&Cabecalho, "lblNomeFantasiaDaEmpresa",
                                                   "Nome fantasia da empresa"};
    platform::ReportLabel lblCliente{&Cabecalho, "lblCliente", "Cliente:"};
    platform::ReportLabel lblCodigoENomeOuRazaoSocialDoCliente{
        &Cabecalho, "lblCodigoENomeOuRazaoSocialDoCliente", "Nome ou razão social do cliente"};
    platform::ReportLabel lblEmissao{&Cabecalho, "lblEmissao", "Emissão:"};
    platform::ReportLabel lblData{&Cabecalho, "lblData", "%d"};
    platform::ReportLabel Label7{&Cabecalho, "Label7", "Página:"};
    platform::ReportLabel Label6{&Cabecalho, "Label6", "%p"};
    platform::ReportLabel lblDe{&Cabecalho, "lblDe", "de"};
    platform::ReportLabel Label9{&Cabecalho, "Label9", "%P"};
    platform::ReportLabel lblNomeDoAnimal{&Cabecalho, "lblNomeDoAnimal", "Animal"};
    platform::ReportLabel lblNomeDoServico{&Cabecalho, "lblNomeDoServico", "Produto / Serviço"};
    platform::ReportLabel lblQuantidadeDoServico{&Cabecalho, "lblQuantidadeDoServico", "Qtde."};
    platform::ReportLabel lblValorUnitarioDoServico{&Cabecalho, "lblValorUnitarioDoServico",
                                                    "Val. Unit."};
    platform::ReportLabel lblValorTotalDoServico{&Cabecalho, "lblValorTotalDoServico", "Val.Total"};
    platform::ReportLabel lblDescontoEmValorDoServico{&Cabecalho, "lblDescontoEmValorDoServico",
                                                      "Desc."};
    platform::ReportLabel lblValorLiquidoDoServico{&Cabecalho, "lblValorLiquidoDoServico",
                                                   "Val. líquido"};
    platform::ReportLine linSeparador{&Cabecalho, "linSeparador"};
    platform::ReportLine Line1{&Cabecalho, "Line1"};
    platform::ReportLine Line2{&Cabecalho, "Line2"};

    platform::ReportSection ListaDeServicosEOuProdutos{this, "ListaDeServicosEOuProdutos",
                                                       platform::SectionKind::Detail};
    platform::ReportTextBox txtNomeDoAnimal{&ListaDeServicosEOuProdutos, "txtNomeDoAnimal"};
    platform::ReportTextBox txtNomeDoServico{&ListaDeServicosEOuProdutos, "txtNomeDoServico"};
    platform::ReportTextBox txtQuantidade{&ListaDeServicosEOuProdutos, "txtQuantidade"};
    platform::ReportTextBox txtValorUnitarioDoServico{&ListaDeServicosEOuProdutos,
                                                      "txtValorUnitarioDoServico"};
    platform::ReportTextBox txtValorTotalDoServico{&ListaDeServicosEOuProdutos,
                                                   "txtValorTotalDoServico"};
    platform::ReportTextBox txtDescontoEmValorDoServico{&ListaDeServicosEOuProdutos,
                                                        "txtDescontoEmValorDoServico"};
    platform::ReportTextBox txtValorLiquidoDoServico{&ListaDeServicosEOuProdutos,
                                                     "txtValorLiquidoDoServico"};

    platform::ReportSection Totalizacao{this, "Totalizacao", platform::SectionKind::ReportFooter};
    platform::ReportLabel lblTotal{&Totalizacao, "lblTotal", "Total:"};
    platform::ReportLabel lblDesconto{&Totalizacao, "lblDesconto", "Desconto:"};
    platform::ReportLabel lblLiquidoAPagar{&Totalizacao, "lblLiquidoAPagar", "Liquido a pagar:"};
    platform::ReportLine Line3{&Totalizacao, "Line3"};
    platform::ReportLabel txtTotal{&Totalizacao, "txtTotal"};
    platform::ReportLabel txtDesconto{&Totalizacao, "txtDesconto"};
    platform::ReportLabel txtLiquidoAPagar{&Totalizacao, "txtLiquidoAPagar"};

private:
    void DesenharCabecalho();
    void DesenharLista();
    void DesenharTotalizacao();
};

} // namespace KELO_A_PreVendas
