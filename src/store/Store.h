// The store as the hosts see it: open a shop's file, register every business component over it,
// and log a user in. Only this room knows that SQLite and libsodium are behind the components.
#pragma once

#include "platform/Object.h"
#include "platform/Variant.h"
#include "store/Database.h"

#include <memory>
#include <string>

namespace store {

// Registers every business component (clients, animals, service types, services, products,
// employees, company, pre-sale items, login, operating system) under its class name, each new
// instance working over `database`. Both hosts call this once at start.
void RegisterComponents(std::shared_ptr<Database> database);

// The user object the hosts hand to the component: its default member answers "Administrador",
// "PermissaoDoModuloCaixaAlterarDescontosDeVendas" (true/false) and "NomeDeUsuario".
class DadosDoUsuario : public platform::Object {
public:
    DadosDoUsuario(std::string name, bool administrator, bool mayChangeDiscounts)
        : m_name(std::move(name)), m_administrator(administrator),
          m_mayChangeDiscounts(mayChangeDiscounts)
    {
    }

    platform::Variant DefaultMember(const platform::Variant& index) override;

private:
    std::string m_name;
    bool m_administrator;
    bool m_mayChangeDiscounts;
};

// The user object of `name` when `password` is theirs; nullptr for an unknown user or a wrong
// password alike. Throws StoreError when the file fails.
std::shared_ptr<DadosDoUsuario> LogIn(Database& database, const std::string& name,
                                      const std::string& password);

} // namespace store
