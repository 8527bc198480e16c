// The demo pet shop, written as the CSV files a shop would import, so it goes through the same
// checks as real data. Every rule of the screen has a row to try it on: each client status, a
// single discount, a VIP with credit, clients with several animals and with none, two nicknames
// sharing "JOA", barcodes of 8, 12, 13 and 14 digits, weighed products read from scale labels,
// each kind of commissioned employee, a promotion and a discount ceiling running today.
#include "store/Admin.h"

#include "store/Tables.h"

#include <cstdio>
#include <ctime>

namespace store {

namespace {

// "DD/MM/YYYY" of today plus `days`, on the local calendar.
std::string LocalDate(int days)
{
    std::time_t now = std::time(nullptr) + static_cast<std::time_t>(days) * 86400;
    std::tm local{};
    localtime_r(&now, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    return text;
}

constexpr const char* kTiposDeServico = R"(Numero;Nome
1;Clínico
2;Cirurgia simples
3;Cirurgia média
4;Cirurgia complexa
5;Banho, tosa e estética
6;Hospedagem
7;Adestramento
99;Outros
)";

constexpr const char* kServicos = R"(Codigo;Nome;Descricao;Custo;ValorDeVenda;NumeroDoTipoDeServico
1;Consulta clínica;Consulta de rotina;30,00;120,00;1
2;Castração;Cirurgia simples de castração;90,00;350,00;2
3;Retirada de nódulo;Cirurgia média;150,00;680,00;3
4;Cirurgia ortopédica;Cirurgia complexa;600,00;2.400,00;4
10;Banho pequeno porte;Banho com secagem;12,00;45,00;5
11;Banho e tosa médio porte;Banho e tosa completa;25,00;80,00;5
12;Tosa higiênica;Tosa de patas e região íntima;8,00;35,00;5
13;Hidratação de pelos;"Hidratação; com máscara";10,00;30,00;5
20;Diária de hospedagem;Diária com alimentação;20,00;70,00;6
21;Hospedagem fim de semana;Sexta a domingo;55,00;180,00;6
30;Adestramento básico;Aula individual;20,00;90,00;7
31;Adestramento avançado;Aula individual;30,00;120,00;7
40;Táxi dog;Busca e entrega;8,00;25,00;99
41;Corte de unhas;Corte e lixa;2,00;15,00;99
)";

// 1234 and 1235 are weighed: the scale prints labels 2001234vvvvvc and 2001235vvvvvc.
constexpr const char* kProdutos =
    R"(CodigoInterno;CodigoDeBarras;Nome;NomeDoGrupo;NomeDoSubgrupo;UnidadeDeVenda;ValorDeCusto;ValorDeVenda;PercentualDeComissao
1001;78912344;Petisco bifinho sabor carne 60g;Petiscos;Cães;UN;3,10;6,90;0,00
1002;012345678905;Shampoo neutro para cães 500ml;Higiene;Cães;UN;11,00;24,90;3,00
1003;7891000100103;Ração premium cães adultos 15kg;Rações;Cães;UN;120,00;189,90;2,00
1004;7891000100110;Ração premium gatos castrados 10kg;Rações;Gatos;UN;101,00;159,90;2,00
1005;17891000100117;Ração premium cães filhotes 3kg caixa com 4;Rações;Cães;CX;150,00;239,60;2,00
1006;7896543210987;Coleira antipulgas média;Acessórios;Cães;UN;45,00;89,90;5,00
1234;;Ração a granel cães adultos;Rações;Granel;KG;11,00;19,90;1,00
1235;;Ração a granel gatos;Rações;Granel;KG;14,00;24,68;1,00
)";

constexpr const char* kClientes =
    R"(CodigoDoCliente;ApelidoOuNomeFantasia;NomeOuRazaoSocial;Situacao;EnderecoCompleto;TiposECanaisDeComunicacao;Credito;VIP;DescontoUnico;CategoriaDaCurvaABC;PercentualUnicoDeDescontos;PercentualDeDescontoEmClinicos;PercentualDeDescontoEmCirurgiaSimples;PercentualDeDescontoEmCirurgiaMedia;PercentualDeDescontoEmCirurgiaComplexa;PercentualDeDescontoEmBanhosTosasEEsteticas;PercentualDeDescontoEmHospedagens;PercentualDeDescontoEmAdestramentos;PercentualDeDescontoEmOutros
1;Ana;Ana Paula Souza;1;Rua das Flores, 10;WhatsApp (11) 98888-0001;150,00;Sim;Não;A;0,00;0,00;0,00;0,00;0,00;10,00;5,00;8,00;2,50
2;Joãozinho;João Carlos da Silva;1;Av. Brasil, 200;E-mail joao@exemplo.com.br;0,00;Não;Sim;B;7,50;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00
3;Joana;Joana Prado;1;Rua Sete, 7;Telefone (11) 3333-0003;0,00;Não;Não;C;0,00;0,00;0,00;0,00;0,00;5,00;0,00;0,00;0,00
4;Carlos;Carlos Eduardo Lima;2;Rua Um, 1;;0,00;Não;Não;C;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00
5;Bruna;Bruna Ferreira;3;Rua Dois, 2;;0,00;Não;Não;C;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00
6;Pedro;Pedro Henrique Alves;4;Rua Três, 3;;0,00;Não;Não;C;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00
7;Pet Feliz;Pet Feliz Comércio de Animais Ltda;1;Av. Central, 500;E-mail compras@petfeliz.com.br;0,00;Não;Não;B;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00
)";

constexpr const char* kAnimais = R"(Codigo;CodigoDoCliente;Nome
1;1;Rex
2;1;Mel
3;1;Thor
4;2;Bidu
5;3;Nina
6;4;Totó
7;5;Pipoca
8;6;Fred
)";

constexpr const char* kFuncionarios =
    R"(Codigo;Apelido;Comissionado;ComissaoUnica;PercentualDeComissaoUnica;PercentualDeComissaoEmClinicos;PercentualDeComissaoEmCirurgiaSimples;PercentualDeComissaoEmCirurgiaMedia;PercentualDeComissaoEmCirurgiaComplexa;PercentualDeComissaoEmBanhosTosasEEsteticas;PercentualDeComissaoEmHospedagens;PercentualDeComissaoEmAdestramentos;PercentualDeComissaoEmOutros
1;Marcos;Sim;Sim;5,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00
2;Fernanda;Sim;Não;0,00;0,00;0,00;0,00;0,00;10,00;3,00;15,00;2,00
3;Roberto;Não;Não;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00;0,00
)";

constexpr const char* kUsuarios =
    R"(NomeDeUsuario;Senha;Administrador;PermissaoDoModuloCaixaAlterarDescontosDeVendas
admin;admin123;true;true
atendente;atendente123;false;false
)";

// Ana's open items: a bath with Fernanda's commission, a bag of food, a weighed portion, and a
// clinical consultation that the printout leaves out.
std::string Itens(const std::string& today)
{
    return "TipoDeLancamento;CodigoDoCliente;DataDeLancamento;NumeroDoTipoDeServico;"
           "CodigoDoServico;CodigoDoAnimal;CodigoInternoDoProduto;CodigoDoFuncionario;Quantidade;"
           "ValorUnitario;DescontoEmPercentual;DescontoEmValor;Custo;"
           "PercentualDeComissaoDoFuncionario;ValorDaComissaoDoFuncionario;TipoDeVenda\n"
           "1;1;" +
           today +
           ";5;10;1;;2;1;45,00;10,00;4,50;12,00;10,00;4,05;2\n"
           "2;1;" +
           today +
           ";;;;1003;1;1,000;189,90;0,00;0,00;120,00;5,00;9,50;2\n"
           "2;1;" +
           today +
           ";;;;1234;;1,250;19,90;0,00;0,00;11,00;0,00;0,00;2\n"
           "1;1;" +
           today + ";1;1;2;;;1;120,00;0,00;0,00;30,00;0,00;0,00;2\n";
}

std::string Empresa()
{
    return "NomeFantasia;FormatoDeCodigoDeBarrasParaBalanca;DataInicialDaPromocao;"
           "DataFinalDaPromocao;PercPromocaoDeDescontoNaVendaDeServico;"
           "PercPromocaoDeDescontoNaVendaDeProduto;DataInicialDoDesctoMaxAutomatico;"
           "DataFinalDoDesctoMaxAutomatico;PercDeDescMaxAutNaVendaDeServico;"
           "PercDeDescMaxAutNaVendaDeProduto\n"
           "Kelo Pet Shop;2;" +
           LocalDate(-7) + ";" + LocalDate(7) + ";5,00;3,00;" + LocalDate(-30) + ";" +
           LocalDate(30) + ";10,00;8,00\n";
}

} // namespace

std::vector<DemoUser> LoadDemo(Database& database)
{
    Transaction transaction(database);
    ImportCsv(database, "tipos-de-servico", kTiposDeServico);
    ImportCsv(database, "servicos", kServicos);
    ImportCsv(database, "produtos", kProdutos);
    ImportCsv(database, "clientes", kClientes);
    ImportCsv(database, "animais", kAnimais);
    ImportCsv(database, "funcionarios", kFuncionarios);
    ImportCsv(database, "empresa", Empresa());
    ImportCsv(database, "usuarios", kUsuarios);
    ImportCsv(database, "itens", Itens(LocalDate(0)));
    transaction.commit();
    return {{"admin", "admin123", "administrador, pode alterar descontos"},
            {"atendente", "atendente123", "atendente, sem permissão de desconto"}};
}

} // namespace store
