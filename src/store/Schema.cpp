// Version 1 of the store's tables. Money, percentages and quantities are INTEGER scaled by
// 10 000 (the runtime's Currency), never REAL. Every searchable text has a folded twin column
// (upper case, no accents) that searches compare with instr(), so typed % and _ need no escaping.
#include "store/Schema.h"

namespace store {

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE Clientes (
    CodigoDoCliente INTEGER PRIMARY KEY,
    ApelidoOuNomeFantasia TEXT NOT NULL DEFAULT '',
    NomeOuRazaoSocial TEXT NOT NULL DEFAULT '',
    ApelidoBusca TEXT NOT NULL DEFAULT '',
    NomeBusca TEXT NOT NULL DEFAULT '',
    Situacao INTEGER NOT NULL DEFAULT 1 CHECK (Situacao BETWEEN 1 AND 4),
    EnderecoCompleto TEXT NOT NULL DEFAULT '',
    TiposECanaisDeComunicacao TEXT NOT NULL DEFAULT '',
    Credito INTEGER NOT NULL DEFAULT 0,
    VIP TEXT NOT NULL DEFAULT '',
    DescontoUnico TEXT NOT NULL DEFAULT '',
    CategoriaDaCurvaABC TEXT NOT NULL DEFAULT '',
    PercentualUnicoDeDescontos INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmClinicos INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmCirurgiaSimples INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmCirurgiaMedia INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmCirurgiaComplexa INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmBanhosTosasEEsteticas INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmHospedagens INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmAdestramentos INTEGER NOT NULL DEFAULT 0,
    PercentualDeDescontoEmOutros INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ClientesPorApelido ON Clientes (ApelidoBusca, CodigoDoCliente);

CREATE TABLE Animais (
    Codigo INTEGER PRIMARY KEY,
    CodigoDoCliente INTEGER NOT NULL REFERENCES Clientes (CodigoDoCliente),
    Nome TEXT NOT NULL DEFAULT ''
);
CREATE INDEX AnimaisPorCliente ON Animais (CodigoDoCliente);

CREATE TABLE TiposDeServicos (
    Numero INTEGER PRIMARY KEY,
    Nome TEXT NOT NULL DEFAULT ''
);

CREATE TABLE Servicos (
    Codigo INTEGER PRIMARY KEY,
    Nome TEXT NOT NULL DEFAULT '',
    NomeBusca TEXT NOT NULL DEFAULT '',
    Descricao TEXT NOT NULL DEFAULT '',
    Custo INTEGER NOT NULL DEFAULT 0,
    ValorDeVenda INTEGER NOT NULL DEFAULT 0,
    NumeroDoTipoDeServico INTEGER NOT NULL REFERENCES TiposDeServicos (Numero)
);
CREATE INDEX ServicosPorTipo ON Servicos (NumeroDoTipoDeServico, NomeBusca);

CREATE TABLE Produtos (
    CodigoInterno INTEGER PRIMARY KEY,
    CodigoDeBarras TEXT UNIQUE,
    Nome TEXT NOT NULL DEFAULT '',
    NomeBusca TEXT NOT NULL DEFAULT '',
    NomeDoGrupo TEXT NOT NULL DEFAULT '',
    NomeDoSubgrupo TEXT NOT NULL DEFAULT '',
    UnidadeDeVenda TEXT NOT NULL DEFAULT '',
    ValorDeCusto INTEGER NOT NULL DEFAULT 0,
    ValorDeVenda INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissao INTEGER NOT NULL DEFAULT 0,
    QuantidadeReservada INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX ProdutosPorNome ON Produtos (NomeBusca, CodigoInterno);

CREATE TABLE Funcionarios (
    Codigo INTEGER PRIMARY KEY,
    Apelido TEXT NOT NULL DEFAULT '',
    ApelidoBusca TEXT NOT NULL DEFAULT '',
    Comissionado TEXT NOT NULL DEFAULT '',
    ComissaoUnica TEXT NOT NULL DEFAULT '',
    PercentualDeComissaoUnica INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmClinicos INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmCirurgiaSimples INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmCirurgiaMedia INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmCirurgiaComplexa INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmBanhosTosasEEsteticas INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmHospedagens INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmAdestramentos INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoEmOutros INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Empresa (
    Id INTEGER PRIMARY KEY CHECK (Id = 1),
    NomeFantasia TEXT,
    FormatoDeCodigoDeBarrasParaBalanca INTEGER NOT NULL DEFAULT 0,
    DataInicialDaPromocao TEXT NOT NULL DEFAULT '',
    DataFinalDaPromocao TEXT NOT NULL DEFAULT '',
    PercPromocaoDeDescontoNaVendaDeServico INTEGER NOT NULL DEFAULT 0,
    PercPromocaoDeDescontoNaVendaDeProduto INTEGER NOT NULL DEFAULT 0,
    DataInicialDoDesctoMaxAutomatico TEXT NOT NULL DEFAULT '',
    DataFinalDoDesctoMaxAutomatico TEXT NOT NULL DEFAULT '',
    PercDeDescMaxAutNaVendaDeServico INTEGER NOT NULL DEFAULT 0,
    PercDeDescMaxAutNaVendaDeProduto INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Usuarios (
    NomeDeUsuario TEXT PRIMARY KEY COLLATE NOCASE,
    HashDaSenha TEXT NOT NULL,
    Administrador INTEGER NOT NULL DEFAULT 0,
    PermissaoDoModuloCaixaAlterarDescontosDeVendas INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE Sequencias (
    Nome TEXT PRIMARY KEY,
    Ultimo INTEGER NOT NULL
);
INSERT INTO Sequencias (Nome, Ultimo) VALUES ('Lancamento', 0);

CREATE TABLE ServicosEfetuados (
    NumeroDeLancamento INTEGER PRIMARY KEY,
    CodigoDoCliente INTEGER NOT NULL REFERENCES Clientes (CodigoDoCliente),
    DataDeLancamento TEXT NOT NULL DEFAULT '',
    NumeroDoTipoDeServico INTEGER NOT NULL REFERENCES TiposDeServicos (Numero),
    CodigoDoServico INTEGER NOT NULL REFERENCES Servicos (Codigo),
    CodigoDoAnimal INTEGER REFERENCES Animais (Codigo),
    CodigoDoFuncionario INTEGER REFERENCES Funcionarios (Codigo),
    Quantidade INTEGER NOT NULL,
    ValorUnitario INTEGER NOT NULL,
    ValorTotal INTEGER NOT NULL,
    DescontoEmPercentual INTEGER NOT NULL DEFAULT 0,
    DescontoEmValor INTEGER NOT NULL DEFAULT 0,
    ValorLiquido INTEGER NOT NULL,
    Custo INTEGER NOT NULL DEFAULT 0,
    FuncionarioComissionado INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoDoFuncionario INTEGER NOT NULL DEFAULT 0,
    ValorDaComissaoDoFuncionario INTEGER NOT NULL DEFAULT 0,
    TipoDeVenda TEXT NOT NULL DEFAULT '2',
    NumeroDaVenda INTEGER NOT NULL DEFAULT 0,
    NumeroDaFichaClinica INTEGER
);
CREATE INDEX ServicosEfetuadosAbertos ON ServicosEfetuados (CodigoDoCliente, NumeroDaVenda);

CREATE TABLE ProdutosReservados (
    NumeroDeLancamento INTEGER PRIMARY KEY,
    CodigoDoCliente INTEGER NOT NULL REFERENCES Clientes (CodigoDoCliente),
    DataDeLancamento TEXT NOT NULL DEFAULT '',
    CodigoInternoDoProduto INTEGER NOT NULL REFERENCES Produtos (CodigoInterno),
    CodigoDoFuncionario INTEGER REFERENCES Funcionarios (Codigo),
    Quantidade INTEGER NOT NULL,
    ValorUnitario INTEGER NOT NULL,
    ValorTotal INTEGER NOT NULL,
    DescontoEmPercentual INTEGER NOT NULL DEFAULT 0,
    DescontoEmValor INTEGER NOT NULL DEFAULT 0,
    ValorLiquido INTEGER NOT NULL,
    Custo INTEGER NOT NULL DEFAULT 0,
    FuncionarioComissionado INTEGER NOT NULL DEFAULT 0,
    PercentualDeComissaoDoFuncionario INTEGER NOT NULL DEFAULT 0,
    ValorDaComissaoDoFuncionario INTEGER NOT NULL DEFAULT 0,
    TipoDeVenda TEXT NOT NULL DEFAULT '2',
    NumeroDaVenda INTEGER NOT NULL DEFAULT 0,
    NumeroDaFichaClinica INTEGER
);
CREATE INDEX ProdutosReservadosAbertos ON ProdutosReservados (CodigoDoCliente, NumeroDaVenda);
CREATE INDEX ProdutosReservadosPorProduto ON ProdutosReservados (CodigoInternoDoProduto);
)sql";

} // namespace

void CreateSchema(Connection& connection)
{
    connection.Execute(kSchema);
}

} // namespace store
