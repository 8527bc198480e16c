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

#include <limits>

namespace store {

namespace {

using FK = FieldKind;

std::vector<FieldKind> Kinds(std::initializer_list<FieldKind> head, size_t moneyTail = 0)
{
    std::vector<FieldKind> kinds(head);
    kinds.insert(kinds.end(), moneyTail, FK::Money);
    return kinds;
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

platform::RecordsetRef Nothing(const std::vector<std::string>& names)
{
    return std::make_shared<platform::Recordset>(names);
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
            auto names = contracts::FieldNames(KELO_N_ClientAnim::CamposDoCliente);
            // The search dialog types into the first text, where digits may also be a code; the
            // form puts the nickname (or name) in the second.
            std::string typed = Fold(textoDePesquisa);
            std::string text = typed.empty() ? Fold(apelidoOuNomeFantasia) : typed;
            int64_t code = CodeOrZero(codigoDoCliente);
            if (text.empty() && code == 0) {
                ResultadoDaSelecaoEmRecordSet = Nothing(names);
                return;
            }
            Statement statement = Db().Conn().Prepare(
                "SELECT CodigoDoCliente, ApelidoOuNomeFantasia, NomeOuRazaoSocial, Situacao,"
                " EnderecoCompleto, TiposECanaisDeComunicacao, Credito, VIP, DescontoUnico,"
                " CategoriaDaCurvaABC, PercentualUnicoDeDescontos, PercentualDeDescontoEmClinicos,"
                " PercentualDeDescontoEmCirurgiaSimples, PercentualDeDescontoEmCirurgiaMedia,"
                " PercentualDeDescontoEmCirurgiaComplexa,"
                " PercentualDeDescontoEmBanhosTosasEEsteticas, PercentualDeDescontoEmHospedagens,"
                " PercentualDeDescontoEmAdestramentos, PercentualDeDescontoEmOutros"
                " FROM Clientes"
                " WHERE (?1 = '' OR instr(ApelidoBusca, ?1) > 0 OR instr(NomeBusca, ?1) > 0"
                "        OR CodigoDoCliente = ?3)"
                "   AND (?2 = 0 OR CodigoDoCliente = ?2)"
                " ORDER BY ApelidoBusca, CodigoDoCliente");
            statement.Bind(1, std::string_view(text)).Bind(2, code).Bind(3, DigitsCode(typed));
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, names,
                        Kinds({FK::Long, FK::Text, FK::Text, FK::Integer, FK::Text, FK::Text,
                               FK::Money, FK::Text, FK::Text, FK::Text},
                              9));
        });
    }
};

class Animais final : public Component<KELO_N_ClientAnim::clsAnimais> {
public:
    using Component::Component;

    int32_t SelecionarParaComboBoxFiltradoPorCliente(double& codigoDoCliente, int16_t) override
    {
        return Answer("SelecionarParaComboBoxFiltradoPorCliente", [&] {
            Statement statement =
                Db().Conn().Prepare("SELECT Nome, Codigo FROM Animais WHERE CodigoDoCliente = ?"
                                    " ORDER BY Nome, Codigo");
            statement.Bind(1, CodeOrZero(codigoDoCliente));
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, contracts::FieldNames(KELO_N_ClientAnim::CamposDoAnimal),
                        {FK::Text, FK::Long});
        });
    }
};

class TiposDeServ final : public Component<KELO_N_TipoDeServ::clsTiposDeServ> {
public:
    using Component::Component;

    int32_t SelecionarParaComboBox(double&) override
    {
        return Answer("SelecionarParaComboBox", [&] {
            Statement statement =
                Db().Conn().Prepare("SELECT Numero, Nome FROM TiposDeServicos ORDER BY Numero");
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, contracts::FieldNames(KELO_N_TipoDeServ::CamposDoTipoDeServico),
                        {FK::Long, FK::Text});
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
                Select(text, code, digits, numeroDoTipoDeServico,
                       contracts::FieldNames(KELO_N_Servicos::CamposDoServico));
        });
    }

    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       int32_t numeroDoTipoDeServico) override
    {
        return Answer("Selecionar", [&] {
            std::string typed = Fold(textoDePesquisa);
            ResultadoDaSelecaoEmRecordSet =
                Select(typed, 0, DigitsCode(typed), numeroDoTipoDeServico,
                       contracts::FieldNames(KELO_N_Servicos::CamposDoServicoNaPesquisa));
        });
    }

private:
    // Within the given type (0: any); by name, by exact code, or by a typed number as a code.
    platform::RecordsetRef Select(const std::string& text, int64_t code, int64_t digits,
                                  int64_t type, const std::vector<std::string>& names)
    {
        if (text.empty() && code == 0) {
            return Nothing(names);
        }
        Statement statement = Db().Conn().Prepare(
            "SELECT Codigo, Nome, Custo, ValorDeVenda, NumeroDoTipoDeServico, Descricao"
            " FROM Servicos"
            " WHERE (?4 = 0 OR NumeroDoTipoDeServico = ?4)"
            "   AND ((?1 <> '' AND (instr(NomeBusca, ?1) > 0 OR Codigo = ?3))"
            "        OR (?2 <> 0 AND Codigo = ?2))"
            " ORDER BY NomeBusca, Codigo");
        statement.Bind(1, std::string_view(text)).Bind(2, code).Bind(3, digits).Bind(4, type);
        std::vector<FieldKind> kinds = {FK::Long,  FK::Text, FK::Money,
                                        FK::Money, FK::Long, FK::Text};
        kinds.resize(names.size());
        return Collect(statement, names, kinds);
    }
};

class Produtos final : public Component<KELO_N_Produtos::clsProdutos> {
public:
    using Component::Component;

    // A scale label arrives with the internal code taken from it, so the code goes first.
    int32_t Selecionar(int32_t, int16_t, int32_t, const std::string& textoDePesquisa,
                       std::string& nome, std::string& codigoDeBarras,
                       double& codigoInterno) override
    {
        return Answer("Selecionar", [&] {
            auto names = contracts::FieldNames(KELO_N_Produtos::CamposDoProduto);
            int64_t code = CodeOrZero(codigoInterno);
            std::string barcode = platform::Trim(codigoDeBarras);
            std::string typed = Fold(textoDePesquisa);
            if (code != 0) {
                ResultadoDaSelecaoEmRecordSet = Select("CodigoInterno = ?2", "", code, "", names);
            } else if (!barcode.empty()) {
                ResultadoDaSelecaoEmRecordSet =
                    Select("CodigoDeBarras = ?3", "", 0, barcode, names);
            } else if (std::string text = typed.empty() ? Fold(nome) : typed; !text.empty()) {
                ResultadoDaSelecaoEmRecordSet =
                    Select("instr(NomeBusca, ?1) > 0", text, 0, "", names);
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
            auto names = contracts::FieldNames(KELO_N_Produtos::CamposDoProdutoNaPesquisa);
            std::string typed = Fold(textoDePesquisa);
            if (typed.empty()) {
                ResultadoDaSelecaoEmRecordSet = Nothing(names);
                return;
            }
            ResultadoDaSelecaoEmRecordSet =
                Select("instr(NomeBusca, ?1) > 0 OR CodigoDeBarras = ?3 OR CodigoInterno = ?2",
                       typed, DigitsCode(typed), platform::Trim(textoDePesquisa), names);
        });
    }

private:
    // `condition` is one of this class's literals; the values are always bound.
    platform::RecordsetRef Select(const char* condition, const std::string& text, int64_t code,
                                  const std::string& barcode, const std::vector<std::string>& names)
    {
        Statement statement = Db().Conn().Prepare(
            std::string("SELECT CodigoInterno, COALESCE(CodigoDeBarras, ''), Nome, ValorDeCusto,"
                        " ValorDeVenda, UnidadeDeVenda, PercentualDeComissao, NomeDoGrupo,"
                        " NomeDoSubgrupo FROM Produtos WHERE ") +
            condition + " ORDER BY NomeBusca, CodigoInterno");
        // Each condition names only the values it needs.
        int used = statement.ParameterCount();
        statement.Bind(1, std::string_view(text));
        if (used >= 2) {
            statement.Bind(2, code);
        }
        if (used >= 3) {
            statement.Bind(3, std::string_view(barcode));
        }
        std::vector<FieldKind> kinds = {FK::Long, FK::Text,  FK::Text, FK::Money, FK::Money,
                                        FK::Text, FK::Money, FK::Text, FK::Text};
        kinds.resize(names.size());
        return Collect(statement, names, kinds);
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
            Statement statement = Db().Conn().Prepare(
                "SELECT Codigo, Apelido, Comissionado, ComissaoUnica, PercentualDeComissaoUnica,"
                " PercentualDeComissaoEmClinicos, PercentualDeComissaoEmCirurgiaSimples,"
                " PercentualDeComissaoEmCirurgiaMedia, PercentualDeComissaoEmCirurgiaComplexa,"
                " PercentualDeComissaoEmBanhosTosasEEsteticas, PercentualDeComissaoEmHospedagens,"
                " PercentualDeComissaoEmAdestramentos, PercentualDeComissaoEmOutros"
                " FROM Funcionarios"
                " WHERE (?1 = '' OR instr(ApelidoBusca, ?1) > 0) AND (?2 = 0 OR Codigo = ?2)"
                " ORDER BY ApelidoBusca, Codigo");
            statement.Bind(1, std::string_view(text)).Bind(2, CodeOrZero(codigo));
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, contracts::FieldNames(KELO_N_Funcionarios::CamposDoFuncionario),
                        Kinds({FK::Long, FK::Text, FK::Text, FK::Text}, 9));
        });
    }
};

class Empresa final : public Component<KELO_N_Empresa::clsEmpresa> {
public:
    using Component::Component;

    int32_t Selecionar(int16_t, int16_t) override
    {
        return Answer("Selecionar", [&] {
            Statement statement = Db().Conn().Prepare(
                "SELECT NomeFantasia, FormatoDeCodigoDeBarrasParaBalanca, DataInicialDaPromocao,"
                " DataFinalDaPromocao, PercPromocaoDeDescontoNaVendaDeServico,"
                " PercPromocaoDeDescontoNaVendaDeProduto, DataInicialDoDesctoMaxAutomatico,"
                " DataFinalDoDesctoMaxAutomatico, PercDeDescMaxAutNaVendaDeServico,"
                " PercDeDescMaxAutNaVendaDeProduto FROM Empresa");
            ResultadoDaSelecaoEmRecordSet =
                Collect(statement, contracts::FieldNames(KELO_N_Empresa::CamposDaEmpresa),
                        {FK::Text, FK::Integer, FK::Text, FK::Text, FK::Money, FK::Money, FK::Text,
                         FK::Text, FK::Money, FK::Money});
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
