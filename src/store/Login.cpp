// Users and the login component. An unknown user costs one hash verification too and gets the
// same answer as a wrong password, so neither the time nor the text tells which names exist.
#include "contracts/KELO_N_Login.h"
#include "platform/Runtime.h"
#include "store/Component.h"
#include "store/Components.h"
#include "store/Passwords.h"
#include "store/Store.h"

namespace store {

namespace {

constexpr const char* kInvalidLogin = "Usuário ou senha inválidos.";

class Login final : public Component<KELO_N_Login::clsLogin> {
public:
    using Component::Component;

    int32_t Autenticar() override
    {
        return Answer("Autenticar", [&] {
            auto user = LogIn(Db(), NomeDeUsuario, SenhaDoUsuario);
            if (!user) {
                throw Refusal(kInvalidLogin);
            }
            auto recordset = std::make_shared<platform::Recordset>(
                contracts::FieldNames(KELO_N_Login::CamposDoUsuario));
            recordset->AddRow({user->DefaultMember("Administrador")});
            ResultadoDaSelecaoEmRecordSet = recordset;
        });
    }
};

} // namespace

platform::Variant DadosDoUsuario::DefaultMember(const platform::Variant& index)
{
    std::string key = platform::UCase(platform::Trim(index.AsString()));
    if (key == "ADMINISTRADOR") {
        return m_administrator;
    }
    if (key == "PERMISSAODOMODULOCAIXAALTERARDESCONTOSDEVENDAS") {
        return m_mayChangeDiscounts;
    }
    if (key == "NOMEDEUSUARIO") {
        return m_name;
    }
    platform::Raise(platform::errInvalidProcedureCall);
}

std::shared_ptr<DadosDoUsuario> LogIn(Database& database, const std::string& name,
                                      const std::string& password)
{
    Statement statement = database.Conn().Prepare(
        "SELECT NomeDeUsuario, HashDaSenha, Administrador,"
        " PermissaoDoModuloCaixaAlterarDescontosDeVendas FROM Usuarios WHERE NomeDeUsuario = ?");
    statement.Bind(1, std::string_view(name));
    if (name.empty() || !statement.Step()) {
        VerifyAgainstNothing(password);
        return nullptr;
    }
    if (!VerifyPassword(statement.Text(1), password)) {
        return nullptr;
    }
    return std::make_shared<DadosDoUsuario>(statement.Text(0), statement.Int(2) != 0,
                                            statement.Int(3) != 0);
}

void RegisterLogin(const std::shared_ptr<Database>& database)
{
    RegisterOver<Login>(database);
}

} // namespace store
