// The read-only components: clients and animals, service types, services, products, employees
// and the company. Names match as "contains" on their folded twins (case and accents ignored,
// % and _ are plain characters); codes and barcodes match exactly; a search with neither selects
// nothing. Rows come ordered by folded name, then code.
#include "contracts/KELO_N_ClientAnim.h"
#include "contracts/KELO_N_Empresa.h"
#include "contracts/KELO_N_Funcionarios.h"
#include "contracts/KELO_N_Produtos.h"
#include "contracts/KELO_N_Servicos.h"
#include "contracts/KELO_N_TipoDeServ.h"
#include "platform/Runtime.h"
#include "store/Component.h"
#include "store/Components.h"
#include "store/Schema.h"
#include "store/Values.h"

#include <limits>
#include <variant>

namespace store {

namespace {

// What each list answers is a selection of its table's columns, checked here.
static_assert(Selectable(kClientes, KELO_N_ClientAnim::CamposDoCliente));
static_assert(Selectable(kAnimais, KELO_N_ClientAnim::CamposDoAnimal));
static_assert(Selectable(kTiposDeServicos, KELO_N_TipoDeServ::CamposDoTipoDeServico));
static_assert(Selectable(kServicos, KELO_N_Servicos::CamposDoServico));
static_assert(Selectable(kServicos, KELO_N_Servicos::CamposDoServicoNaPesquisa));
static_assert(Selectable(kProdutos, KELO_N_Produtos::CamposDoProduto));
static_assert(Selectable(kProdutos, KELO_N_Produtos::CamposDoProdutoNaPesquisa));
static_assert(Selectable(kFuncionarios, KELO_N_Funcionarios::CamposDoFuncionario));
static_assert(Selectable(kEmpresa, KELO_N_Empresa::CamposDaEmpresa));

// Binds ?1, ?2, ... to `values` as far as the statement uses them: each condition names only
// the values it needs.
void BindUsed(Statement& statement,
              std::initializer_list<std::variant<std::string, int64_t>> values)
{
    int index = 0;
    for (const auto& value : values) {
        if (++index > statement.ParameterCount()) {
            break;
        }
        if (const auto* text = std::get_if<std::string>(&value)) {
            statement.Bind(index, std::string_view(*text));
        } else {
            statement.Bind(index, std::get<int64_t>(value));
        }
    }
}

// The code a typed search text stands for when it is all digits; -1 matches no row.
int64_t DigitsCode(const std::string& folded)
{
    if (folded.empty() || folded.size() > 10 ||
        folded.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    int64_t code = std::stoll(folded);
    return code <= std::numeric_limits<int32_t>::max() ? code : -1;
}

// A text no stored name, code or barcode can contain: stored texts are UTF-8 without NUL, and
// a server takes no other text at all.
bool Unmatchable(std::string_view text)
{
    return text.find('\0') != std::string_view::npos || FirstInvalidUtf8(text).has_value();
}

platform::RecordsetRef Nothing(std::span<const std::string_view> fields)
{
    return std::make_shared<platform::Recordset>(
        std::vector<std::string>(fields.begin(), fields.end()));
}

// ---------------------------------------------------------------------------------------------

class Clientes final : public Component<KELO_N_ClientAnim::clsClientes> {
public:
    using Component::Component;

    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       std::string& apelidoOuNomeFantasia, double& codigoDoCliente,
                       const std::string&, const std::string&, const std::string&, double,
                       const std::string&) override
    {
        return Answer("Selecionar", [&] {
            // The search dialog types into the first text, where digits may also be a code; the
            // form puts the nickname (or name) in the second.
            std::string typed = Fold(textoDePesquisa);
            std::string text = typed.empty() ? Fold(apelidoOuNomeFantasia) : typed;
            int64_t code = CodeOrZero(codigoDoCliente);
            if ((text.empty() && code == 0) || Unmatchable(text)) {
                ResultadoDaSelecaoEmRecordSet = Nothing(KELO_N_ClientAnim::CamposDoCliente);
                return;
            }
            static const std::string select =
                "SELECT " + SelectList(kClientes, KELO_N_ClientAnim::CamposDoCliente) +
                " FROM Clientes WHERE ";
            static const std::string byName =
                "(instr(ApelidoBusca, ?1) > 0 OR instr(NomeBusca, ?1) > 0 OR CodigoDoCliente = ?3)"
                " AND (?2 = 0 OR CodigoDoCliente = ?2) ORDER BY ApelidoBusca, CodigoDoCliente";
            static const std::string byCode = select + "CodigoDoCliente = ?2";
            static const std::string scanned = select + byName;
            static const std::string indexed =
                select +
                "CodigoDoCliente IN (SELECT rowid FROM ClientesPorNomes"
                " WHERE ClientesPorNomes MATCH ?4 UNION ALL SELECT ?3) AND " +
                byName;
            std::string query = NameIndexQuery(Db().Conn(), "ClientesPorNomes", text);
            Statement statement = Db().Conn().Prepare(text.empty()    ? byCode
                                                      : query.empty() ? scanned
                                                                      : indexed);
            BindUsed(statement, {text, code, DigitsCode(typed), query});
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, kClientes, KELO_N_ClientAnim::CamposDoCliente);
        });
    }
};

class Animais final : public Component<KELO_N_ClientAnim::clsAnimais> {
public:
    using Component::Component;

    int32_t SelecionarParaComboBoxFiltradoPorCliente(double& codigoDoCliente, int16_t) override
    {
        return Answer("SelecionarParaComboBoxFiltradoPorCliente", [&] {
            static const std::string sql =
                "SELECT " + SelectList(kAnimais, KELO_N_ClientAnim::CamposDoAnimal) +
                " FROM Animais WHERE CodigoDoCliente = ? ORDER BY Nome, Codigo";
            Statement statement = Db().Conn().Prepare(sql);
            statement.Bind(1, CodeOrZero(codigoDoCliente));
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, kAnimais, KELO_N_ClientAnim::CamposDoAnimal);
        });
    }
};

class TiposDeServ final : public Component<KELO_N_TipoDeServ::clsTiposDeServ> {
public:
    using Component::Component;

    int32_t SelecionarParaComboBox(double&) override
    {
        return Answer("SelecionarParaComboBox", [&] {
            static const std::string sql =
                "SELECT " + SelectList(kTiposDeServicos, KELO_N_TipoDeServ::CamposDoTipoDeServico) +
                " FROM TiposDeServicos ORDER BY Numero";
            Statement statement = Db().Conn().Prepare(sql);
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, kTiposDeServicos, KELO_N_TipoDeServ::CamposDoTipoDeServico);
        });
    }
};

class Servicos final : public Component<KELO_N_Servicos::clsServicos> {
public:
    using Component::Component;

    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       int16_t& numeroDoTipoDeServico, std::string& nome, double& codigo) override
    {
        return Answer("Selecionar", [&] {
            std::string typed = Fold(textoDePesquisa);
            std::string text = typed.empty() ? Fold(nome) : typed;
            int64_t code = text.empty() ? CodeOrZero(codigo) : 0;
            int64_t digits = DigitsCode(typed);
            ResultadoDaSelecaoEmRecordSet =
                Select(text, code, digits, numeroDoTipoDeServico, KELO_N_Servicos::CamposDoServico);
        });
    }

    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       int32_t numeroDoTipoDeServico) override
    {
        return Answer("Selecionar", [&] {
            std::string typed = Fold(textoDePesquisa);
            ResultadoDaSelecaoEmRecordSet =
                Select(typed, 0, DigitsCode(typed), numeroDoTipoDeServico,
                       KELO_N_Servicos::CamposDoServicoNaPesquisa);
        });
    }

private:
    // Within the given type (0: any); by name, by exact code, or by a typed number as a code.
    platform::RecordsetRef Select(const std::string& text, int64_t code, int64_t digits,
                                  int64_t type, std::span<const std::string_view> fields)
    {
        if ((text.empty() && code == 0) || Unmatchable(text)) {
            return Nothing(fields);
        }
        std::string query = NameIndexQuery(Db().Conn(), "ServicosPorNomes", text);
        Statement statement = Db().Conn().Prepare(
            "SELECT " + SelectList(kServicos, fields) + " FROM Servicos WHERE " +
            (query.empty() ? ""
                           : "Codigo IN (SELECT rowid FROM ServicosPorNomes WHERE"
                             " ServicosPorNomes MATCH ?5 UNION ALL SELECT ?3) AND ") +
            "(?4 = 0 OR NumeroDoTipoDeServico = ?4)"
            " AND ((?1 <> '' AND (instr(NomeBusca, ?1) > 0 OR Codigo = ?3))"
            "      OR (?2 <> 0 AND Codigo = ?2))"
            " ORDER BY NomeBusca, Codigo");
        BindUsed(statement, {text, code, digits, type, query});
        return Collect(statement, kServicos, fields);
    }
};

class Produtos final : public Component<KELO_N_Produtos::clsProdutos> {
public:
    using Component::Component;

    // A scale label arrives with the internal code taken from it, so the code goes first. The
    // rows carry the group names too: several matches open the search dialog on them.
    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       std::string& nome, std::string& codigoDeBarras,
                       double& codigoInterno) override
    {
        return Answer("Selecionar", [&] {
            const auto& names = KELO_N_Produtos::CamposDoProdutoNaPesquisa;
            int64_t code = CodeOrZero(codigoInterno);
            std::string barcode = platform::Trim(codigoDeBarras);
            std::string typed = Fold(textoDePesquisa);
            if (code != 0) {
                ResultadoDaSelecaoEmRecordSet =
                    Select("CodigoInterno = ?2", "", code, "", "", names);
            } else if (Unmatchable(barcode)) {
                ResultadoDaSelecaoEmRecordSet = Nothing(names);
            } else if (!barcode.empty()) {
                ResultadoDaSelecaoEmRecordSet =
                    Select("CodigoDeBarras = ?3", "", 0, barcode, "", names);
            } else if (std::string text = typed.empty() ? Fold(nome) : typed;
                       !text.empty() && !Unmatchable(text)) {
                std::string query = NameIndexQuery(Db().Conn(), "ProdutosPorNomes", text);
                ResultadoDaSelecaoEmRecordSet =
                    query.empty()
                        ? Select("instr(NomeBusca, ?1) > 0", text, 0, "", "", names)
                        : Select("CodigoInterno IN (SELECT rowid FROM ProdutosPorNomes"
                                 " WHERE ProdutosPorNomes MATCH ?4) AND instr(NomeBusca, ?1) > 0",
                                 text, 0, "", query, names);
            } else {
                ResultadoDaSelecaoEmRecordSet = Nothing(names);
            }
        });
    }

    // The dialog's text may be a name, a barcode or an internal code.
    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       const std::string&) override
    {
        return Answer("Selecionar", [&] {
            const auto& names = KELO_N_Produtos::CamposDoProdutoNaPesquisa;
            std::string typed = Fold(textoDePesquisa);
            if (typed.empty() || Unmatchable(textoDePesquisa)) {
                ResultadoDaSelecaoEmRecordSet = Nothing(names);
                return;
            }
            // Each of the three ways in goes by its own index.
            constexpr const char* kAny =
                "instr(NomeBusca, ?1) > 0 OR CodigoDeBarras = ?3 OR CodigoInterno = ?2";
            constexpr const char* kIndexed =
                "CodigoInterno IN (SELECT rowid FROM ProdutosPorNomes WHERE ProdutosPorNomes"
                " MATCH ?4 UNION ALL SELECT CodigoInterno FROM Produtos WHERE CodigoDeBarras = ?3"
                " UNION ALL SELECT ?2) AND (instr(NomeBusca, ?1) > 0 OR CodigoDeBarras = ?3"
                " OR CodigoInterno = ?2)";
            std::string query = NameIndexQuery(Db().Conn(), "ProdutosPorNomes", typed);
            ResultadoDaSelecaoEmRecordSet =
                Select(query.empty() ? kAny : kIndexed, typed, DigitsCode(typed),
                       platform::Trim(textoDePesquisa), query, names);
        });
    }

private:
    // `condition` is one of this class's literals; the values are always bound.
    platform::RecordsetRef Select(const char* condition, const std::string& text, int64_t code,
                                  const std::string& barcode, const std::string& match,
                                  std::span<const std::string_view> fields)
    {
        Statement statement = Db().Conn().Prepare("SELECT " + SelectList(kProdutos, fields) +
                                                  " FROM Produtos WHERE " + condition +
                                                  " ORDER BY NomeBusca, CodigoInterno");
        BindUsed(statement, {text, code, barcode, match});
        return Collect(statement, kProdutos, fields);
    }
};

class Funcionarios final : public Component<KELO_N_Funcionarios::clsFuncionarios> {
public:
    using Component::Component;

    // The commission list asks with empty texts and code 0 and gets every employee.
    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       const std::string& filtro, double& codigo) override
    {
        return Answer("Selecionar", [&] {
            std::string text = Fold(textoDePesquisa.empty() ? filtro : textoDePesquisa);
            if (Unmatchable(text)) {
                ResultadoDaSelecaoEmRecordSet = Nothing(KELO_N_Funcionarios::CamposDoFuncionario);
                return;
            }
            static const std::string sql =
                "SELECT " + SelectList(kFuncionarios, KELO_N_Funcionarios::CamposDoFuncionario) +
                " FROM Funcionarios"
                " WHERE (?1 = '' OR instr(ApelidoBusca, ?1) > 0) AND (?2 = 0 OR Codigo = ?2)"
                " ORDER BY ApelidoBusca, Codigo";
            Statement statement = Db().Conn().Prepare(sql);
            statement.Bind(1, std::string_view(text)).Bind(2, CodeOrZero(codigo));
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, kFuncionarios, KELO_N_Funcionarios::CamposDoFuncionario);
        });
    }
};

class Empresa final : public Component<KELO_N_Empresa::clsEmpresa> {
public:
    using Component::Component;

    int32_t Selecionar(int16_t, int16_t) override
    {
        return Answer("Selecionar", [&] {
            static const std::string sql =
                "SELECT " + SelectList(kEmpresa, KELO_N_Empresa::CamposDaEmpresa) + " FROM Empresa";
            Statement statement = Db().Conn().Prepare(sql);
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, kEmpresa, KELO_N_Empresa::CamposDaEmpresa);
        });
    }
};

} // namespace

void RegisterCatalog(const std::shared_ptr<Database>& database)
{
    RegisterOver<Clientes>(database);
    RegisterOver<Animais>(database);
    RegisterOver<TiposDeServ>(database);
    RegisterOver<Servicos>(database);
    RegisterOver<Produtos>(database);
    RegisterOver<Funcionarios>(database);
    RegisterOver<Empresa>(database);
}

} // namespace store
