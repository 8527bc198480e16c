// Each table of the store described once: its columns in stored order, with their SQL
// declaration, how the kelo-store CSV carries them and how a selection answers them. The schema,
// the CSV import and export and the components' selections are built from these descriptors;
// the static_asserts below keep the selections in step with the contracts' field lists.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace store {

// How one selected column becomes a field value.
enum class FieldKind : uint8_t {
    Long,    // 32-bit whole number
    Integer, // 16-bit whole number
    Money,   // Currency from the raw integer
    Text,
    Bool,
    // A grid cell that is a number on one kind of row and a text on the other: the expression
    // answers a text tagged by its first letter, 'i' a whole number (Long) or 't' a text, as a
    // column of one type on every engine.
    Tagged,
};

// What a column holds. It decides the CSV conversion, the field kind a selection answers and,
// unless the column declares its own, the SQL declaration.
enum class Type : uint8_t {
    Code,          // a whole code that must be given (Long)
    OptionalCode,  // empty or 0 means none, stored as null (Long)
    NullableWhole, // empty means none; 0 is kept (Long)
    Whole,         // a 32-bit whole number, its default when left out (Long)
    Small,         // a 16-bit whole number, its default when left out (Integer)
    Money,         // money, percentage or quantity: INTEGER x 10 000
    Text,
    Bool,     // "true" / "false" in the CSV
    Password, // "Senha" in the CSV: plain there, stored as its hash, never written out
    Internal, // kept by the store itself: not in the CSV, never selected for a contract
};

struct Column {
    std::string_view name;
    Type type;
    std::string_view declaration = {}; // SQL after the name; empty: the type's own
    std::string_view csvDefault = {};  // the text an omitted CSV column takes
    std::string_view foldOf = {};      // this column is the folded twin of that one
    std::string_view selected = {};    // what a selection reads, when not the column itself
};

struct Table {
    std::string_view csvName; // the kelo-store table; empty: not imported or exported
    std::string_view name;    // the SQL table; empty: a CSV layout spread over two tables
    std::string_view key;     // the column whose value must be new; empty: none
    std::span<const Column> columns;
    std::string_view after = {}; // indexes and rows that come with the table
    // The full-text (trigram) index over the folded twins, keyed by `key`; empty: none. See
    // store/Schema.h.
    std::string_view nameIndex = {};
};

constexpr const Column* FindColumn(const Table& table, std::string_view name)
{
    for (const Column& column : table.columns) {
        if (column.name == name) {
            return &column;
        }
    }
    return nullptr;
}

constexpr bool InCsv(const Column& column)
{
    return column.type != Type::Internal;
}

constexpr std::string_view CsvName(const Column& column)
{
    return column.type == Type::Password ? std::string_view("Senha") : column.name;
}

constexpr FieldKind KindOf(Type type)
{
    switch (type) {
    case Type::Small:
        return FieldKind::Integer;
    case Type::Money:
        return FieldKind::Money;
    case Type::Text:
        return FieldKind::Text;
    case Type::Bool:
        return FieldKind::Bool;
    default:
        return FieldKind::Long;
    }
}

// True when every field names a column a selection may answer.
template <size_t N>
constexpr bool Selectable(const Table& table, const std::array<std::string_view, N>& fields)
{
    // By value, not by pointer: the sanitizers' builds do not compare addresses at compile time.
    for (std::string_view field : fields) {
        bool found = false;
        for (const Column& column : table.columns) {
            found = found || (column.name == field && column.type != Type::Internal &&
                              column.type != Type::Password);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

// The select list and the field kinds of `fields` (checked with Selectable).
std::string SelectList(const Table& table, std::span<const std::string_view> fields);
std::vector<FieldKind> KindsOf(const Table& table, std::span<const std::string_view> fields);

// CREATE TABLE and what comes after it.
std::string CreateSql(const Table& table);

// A field of a selection that joins an item table to what it names: its name, its kind and the
// expression that reads it from a service item and from a product item (empty: the same), both
// item tables going by the alias i.
struct JoinedField {
    std::string_view name;
    FieldKind kind;
    std::string_view service;
    std::string_view product = {};
};

// True when `names` are the first fields.
template <size_t N, size_t M>
constexpr bool Leads(const std::array<std::string_view, M>& names,
                     const std::array<JoinedField, N>& fields)
{
    if (M > N) {
        return false;
    }
    for (size_t k = 0; k < M; ++k) {
        if (fields[k].name != names[k]) {
            return false;
        }
    }
    return true;
}

std::string SelectList(std::span<const JoinedField> fields, bool product);
std::vector<std::string> NamesOf(std::span<const JoinedField> fields);
std::vector<FieldKind> KindsOf(std::span<const JoinedField> fields);

// ---------------------------------------------------------------------------------------------

inline constexpr std::array kClientesColumns = std::to_array<Column>({
    {"CodigoDoCliente", Type::Code, "INTEGER PRIMARY KEY"},
    {"ApelidoOuNomeFantasia", Type::Text},
    {"NomeOuRazaoSocial", Type::Text},
    {"ApelidoBusca", Type::Internal, "TEXT NOT NULL DEFAULT ''", {}, "ApelidoOuNomeFantasia"},
    {"NomeBusca", Type::Internal, "TEXT NOT NULL DEFAULT ''", {}, "NomeOuRazaoSocial"},
    {"Situacao", Type::Small, "INTEGER NOT NULL DEFAULT 1 CHECK (Situacao BETWEEN 1 AND 4)", "1"},
    {"EnderecoCompleto", Type::Text},
    {"TiposECanaisDeComunicacao", Type::Text},
    {"Credito", Type::Money},
    {"VIP", Type::Text},
    {"DescontoUnico", Type::Text},
    {"CategoriaDaCurvaABC", Type::Text},
    {"PercentualUnicoDeDescontos", Type::Money},
    {"PercentualDeDescontoEmClinicos", Type::Money},
    {"PercentualDeDescontoEmCirurgiaSimples", Type::Money},
    {"PercentualDeDescontoEmCirurgiaMedia", Type::Money},
    {"PercentualDeDescontoEmCirurgiaComplexa", Type::Money},
    {"PercentualDeDescontoEmBanhosTosasEEsteticas", Type::Money},
    {"PercentualDeDescontoEmHospedagens", Type::Money},
    {"PercentualDeDescontoEmAdestramentos", Type::Money},
    {"PercentualDeDescontoEmOutros", Type::Money},
});
inline constexpr Table kClientes{
    "clientes",
    "Clientes",
    "CodigoDoCliente",
    kClientesColumns,
    "CREATE INDEX ClientesPorApelido ON Clientes (ApelidoBusca, CodigoDoCliente);",
    "ClientesPorNomes"};

inline constexpr std::array kAnimaisColumns = std::to_array<Column>({
    {"Codigo", Type::Code, "INTEGER PRIMARY KEY"},
    {"CodigoDoCliente", Type::Code, "INTEGER NOT NULL REFERENCES Clientes (CodigoDoCliente)"},
    {"Nome", Type::Text},
});
inline constexpr Table kAnimais{"animais", "Animais", "Codigo", kAnimaisColumns,
                                "CREATE INDEX AnimaisPorCliente ON Animais (CodigoDoCliente);"};

inline constexpr std::array kTiposDeServicosColumns = std::to_array<Column>({
    {"Numero", Type::Code, "INTEGER PRIMARY KEY"},
    {"Nome", Type::Text},
});
inline constexpr Table kTiposDeServicos{"tipos-de-servico", "TiposDeServicos", "Numero",
                                        kTiposDeServicosColumns};

inline constexpr std::array kServicosColumns = std::to_array<Column>({
    {"Codigo", Type::Code, "INTEGER PRIMARY KEY"},
    {"Nome", Type::Text},
    {"NomeBusca", Type::Internal, "TEXT NOT NULL DEFAULT ''", {}, "Nome"},
    {"Descricao", Type::Text},
    {"Custo", Type::Money},
    {"ValorDeVenda", Type::Money},
    {"NumeroDoTipoDeServico", Type::Code, "INTEGER NOT NULL REFERENCES TiposDeServicos (Numero)"},
});
inline constexpr Table kServicos{
    "servicos",
    "Servicos",
    "Codigo",
    kServicosColumns,
    "CREATE INDEX ServicosPorTipo ON Servicos (NumeroDoTipoDeServico, NomeBusca);",
    "ServicosPorNomes"};

inline constexpr std::array kProdutosColumns = std::to_array<Column>({
    {"CodigoInterno", Type::Code, "INTEGER PRIMARY KEY"},
    // Null when empty: several weighed products may lack a barcode.
    {"CodigoDeBarras", Type::Text, "TEXT UNIQUE", {}, {}, "COALESCE(CodigoDeBarras, '')"},
    {"Nome", Type::Text},
    {"NomeBusca", Type::Internal, "TEXT NOT NULL DEFAULT ''", {}, "Nome"},
    {"NomeDoGrupo", Type::Text},
    {"NomeDoSubgrupo", Type::Text},
    {"UnidadeDeVenda", Type::Text},
    {"ValorDeCusto", Type::Money},
    {"ValorDeVenda", Type::Money},
    {"PercentualDeComissao", Type::Money},
    {"QuantidadeReservada", Type::Internal, "INTEGER NOT NULL DEFAULT 0"},
});
inline constexpr Table kProdutos{
    "produtos",
    "Produtos",
    "CodigoInterno",
    kProdutosColumns,
    "CREATE INDEX ProdutosPorNome ON Produtos (NomeBusca, CodigoInterno);",
    "ProdutosPorNomes"};

inline constexpr std::array kFuncionariosColumns = std::to_array<Column>({
    {"Codigo", Type::Code, "INTEGER PRIMARY KEY"},
    {"Apelido", Type::Text},
    {"ApelidoBusca", Type::Internal, "TEXT NOT NULL DEFAULT ''", {}, "Apelido"},
    {"Comissionado", Type::Text},
    {"ComissaoUnica", Type::Text},
    {"PercentualDeComissaoUnica", Type::Money},
    {"PercentualDeComissaoEmClinicos", Type::Money},
    {"PercentualDeComissaoEmCirurgiaSimples", Type::Money},
    {"PercentualDeComissaoEmCirurgiaMedia", Type::Money},
    {"PercentualDeComissaoEmCirurgiaComplexa", Type::Money},
    {"PercentualDeComissaoEmBanhosTosasEEsteticas", Type::Money},
    {"PercentualDeComissaoEmHospedagens", Type::Money},
    {"PercentualDeComissaoEmAdestramentos", Type::Money},
    {"PercentualDeComissaoEmOutros", Type::Money},
});
inline constexpr Table kFuncionarios{"funcionarios", "Funcionarios", "Codigo",
                                     kFuncionariosColumns};

inline constexpr std::array kEmpresaColumns = std::to_array<Column>({
    {"Id", Type::Internal, "INTEGER PRIMARY KEY CHECK (Id = 1)"},
    {"NomeFantasia", Type::Text, "TEXT"},
    {"FormatoDeCodigoDeBarrasParaBalanca", Type::Small, "INTEGER NOT NULL DEFAULT 0", "0"},
    {"DataInicialDaPromocao", Type::Text},
    {"DataFinalDaPromocao", Type::Text},
    {"PercPromocaoDeDescontoNaVendaDeServico", Type::Money},
    {"PercPromocaoDeDescontoNaVendaDeProduto", Type::Money},
    {"DataInicialDoDesctoMaxAutomatico", Type::Text},
    {"DataFinalDoDesctoMaxAutomatico", Type::Text},
    {"PercDeDescMaxAutNaVendaDeServico", Type::Money},
    {"PercDeDescMaxAutNaVendaDeProduto", Type::Money},
});
inline constexpr Table kEmpresa{"empresa", "Empresa", {}, kEmpresaColumns};

inline constexpr std::array kUsuariosColumns = std::to_array<Column>({
    {"NomeDeUsuario", Type::Text, "TEXT PRIMARY KEY COLLATE NOCASE"},
    {"HashDaSenha", Type::Password},
    {"Administrador", Type::Bool},
    {"PermissaoDoModuloCaixaAlterarDescontosDeVendas", Type::Bool},
});
inline constexpr Table kUsuarios{"usuarios", "Usuarios", "NomeDeUsuario", kUsuariosColumns};

// The open items as the CSV carries them; the store keeps them in the two item tables below.
inline constexpr std::array kItensColumns = std::to_array<Column>({
    {"TipoDeLancamento", Type::Code},
    {"CodigoDoCliente", Type::Code},
    {"DataDeLancamento", Type::Text},
    {"NumeroDoTipoDeServico", Type::OptionalCode},
    {"CodigoDoServico", Type::OptionalCode},
    {"CodigoDoAnimal", Type::OptionalCode},
    {"CodigoInternoDoProduto", Type::OptionalCode},
    {"CodigoDoFuncionario", Type::OptionalCode},
    {"Quantidade", Type::Money},
    {"ValorUnitario", Type::Money},
    {"DescontoEmPercentual", Type::Money},
    {"DescontoEmValor", Type::Money},
    {"Custo", Type::Money},
    {"PercentualDeComissaoDoFuncionario", Type::Money},
    {"ValorDaComissaoDoFuncionario", Type::Money},
    {"TipoDeVenda", Type::Text, {}, "2"},
    {"NumeroDaVenda", Type::Whole, {}, "0"},
    {"NumeroDaFichaClinica", Type::NullableWhole},
});
inline constexpr Table kItens{"itens", {}, {}, kItensColumns};

inline constexpr std::array kSequenciasColumns = std::to_array<Column>({
    {"Nome", Type::Internal, "TEXT PRIMARY KEY"},
    {"Ultimo", Type::Internal, "INTEGER NOT NULL"},
});
inline constexpr Table kSequencias{
    {},
    "Sequencias",
    {},
    kSequenciasColumns,
    "INSERT INTO Sequencias (Nome, Ultimo) VALUES ('Lancamento', 0);"};

template <size_t N, size_t M>
constexpr std::array<Column, N + M> Joined(const std::array<Column, N>& head,
                                           const std::array<Column, M>& tail)
{
    std::array<Column, N + M> columns{};
    for (size_t k = 0; k < N; ++k) {
        columns[k] = head[k];
    }
    for (size_t k = 0; k < M; ++k) {
        columns[N + k] = tail[k];
    }
    return columns;
}

// The columns both item tables share, after the ones that name what was sold.
inline constexpr std::array kItemTailColumns = std::to_array<Column>({
    {"CodigoDoFuncionario", Type::OptionalCode, "INTEGER REFERENCES Funcionarios (Codigo)"},
    {"Quantidade", Type::Internal, "INTEGER NOT NULL"},
    {"ValorUnitario", Type::Internal, "INTEGER NOT NULL"},
    {"ValorTotal", Type::Internal, "INTEGER NOT NULL"},
    {"DescontoEmPercentual", Type::Money},
    {"DescontoEmValor", Type::Money},
    {"ValorLiquido", Type::Internal, "INTEGER NOT NULL"},
    {"Custo", Type::Money},
    {"FuncionarioComissionado", Type::Bool},
    {"PercentualDeComissaoDoFuncionario", Type::Money},
    {"ValorDaComissaoDoFuncionario", Type::Money},
    {"TipoDeVenda", Type::Internal, "TEXT NOT NULL DEFAULT '2'"},
    {"NumeroDaVenda", Type::Internal, "INTEGER NOT NULL DEFAULT 0"},
    {"NumeroDaFichaClinica", Type::NullableWhole},
});

inline constexpr std::array kServicosEfetuadosColumns = Joined(
    std::to_array<Column>({
        {"NumeroDeLancamento", Type::Internal, "INTEGER PRIMARY KEY"},
        {"CodigoDoCliente", Type::Code, "INTEGER NOT NULL REFERENCES Clientes (CodigoDoCliente)"},
        {"DataDeLancamento", Type::Text},
        {"NumeroDoTipoDeServico", Type::Code,
         "INTEGER NOT NULL REFERENCES TiposDeServicos (Numero)"},
        {"CodigoDoServico", Type::Code, "INTEGER NOT NULL REFERENCES Servicos (Codigo)"},
        {"CodigoDoAnimal", Type::OptionalCode, "INTEGER REFERENCES Animais (Codigo)"},
    }),
    kItemTailColumns);
inline constexpr Table kServicosEfetuados{
    {},
    "ServicosEfetuados",
    {},
    kServicosEfetuadosColumns,
    "CREATE INDEX ServicosEfetuadosAbertos ON ServicosEfetuados (CodigoDoCliente, NumeroDaVenda);"};

inline constexpr std::array kProdutosReservadosColumns = Joined(
    std::to_array<Column>({
        {"NumeroDeLancamento", Type::Internal, "INTEGER PRIMARY KEY"},
        {"CodigoDoCliente", Type::Code, "INTEGER NOT NULL REFERENCES Clientes (CodigoDoCliente)"},
        {"DataDeLancamento", Type::Text},
        {"CodigoInternoDoProduto", Type::Code,
         "INTEGER NOT NULL REFERENCES Produtos (CodigoInterno)"},
    }),
    kItemTailColumns);
inline constexpr Table kProdutosReservados{
    {},
    "ProdutosReservados",
    {},
    kProdutosReservadosColumns,
    "CREATE INDEX ProdutosReservadosAbertos ON ProdutosReservados (CodigoDoCliente, NumeroDaVenda);"
    "CREATE INDEX ProdutosReservadosPorProduto ON ProdutosReservados (CodigoInternoDoProduto);"};

// Who let an item through above the shop's discount ceiling. It refers to no other table: the
// account outlives the item it tells of (removed, altered or sold).
inline constexpr std::array kAutorizacoesColumns = std::to_array<Column>({
    {"NumeroDeLancamento", Type::Code, "INTEGER PRIMARY KEY"},
    {"CodigoDoCliente", Type::Code, "INTEGER NOT NULL"},
    {"PercentualDeDesconto", Type::Money},
    {"LimiteDeDesconto", Type::Money},
    {"Autorizador", Type::Text},
    {"DataEHora", Type::Text},
});
inline constexpr Table kAutorizacoes{"autorizacoes", "AutorizacoesDeDesconto", "NumeroDeLancamento",
                                     kAutorizacoesColumns};

// Every table, in the order in which one may refer to the ones before it.
inline constexpr std::array<const Table*, 13> kTables = {
    &kClientes,    &kAnimais,      &kTiposDeServicos,   &kServicos,
    &kProdutos,    &kFuncionarios, &kEmpresa,           &kUsuarios,
    &kItens,       &kSequencias,   &kServicosEfetuados, &kProdutosReservados,
    &kAutorizacoes};

// The table kelo-store names `csvName`; Refusal for a name it does not import or export.
const Table& LayoutOf(std::string_view csvName);
// The columns the CSV of `layout` carries, in stored order.
std::vector<const Column*> CsvColumns(const Table& layout);

} // namespace store
