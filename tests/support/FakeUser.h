// The host's user object as the component reads it: indexed by a right's name ("Administrador",
// "PermissaoDoModuloCaixaAlterarDescontosDeVendas"), answering true or false; rights not given
// answer false; "NomeDeUsuario" answers the name, when one is given.
//   auto user = std::make_shared<support::FakeUser>(support::FakeUser::Rights{{"Administrador",
//   true}});
#pragma once

#include "platform/Object.h"
#include "platform/Variant.h"

#include <map>
#include <string>
#include <utility>

namespace support {

class FakeUser : public platform::Object {
public:
    using Rights = std::map<std::string, bool, std::less<>>;

    explicit FakeUser(Rights rights = {}, std::string name = {})
        : m_rights(std::move(rights)), m_name(std::move(name))
    {
    }

    platform::Variant DefaultMember(const platform::Variant& index) override
    {
        if (!m_name.empty() && index.AsString() == "NomeDeUsuario")
            return m_name;
        const auto found = m_rights.find(index.AsString());
        return found != m_rights.end() && found->second;
    }

private:
    Rights m_rights;
    std::string m_name;
};

} // namespace support
