// The host's user object as the component reads it: indexed by a right's name ("Administrador",
// "PermissaoDoModuloCaixaAlterarDescontosDeVendas"), answering true or false; rights not given
// answer false.
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

    explicit FakeUser(Rights rights = {}) : m_rights(std::move(rights)) {}

    platform::Variant DefaultMember(const platform::Variant& index) override
    {
        const auto found = m_rights.find(index.AsString());
        return found != m_rights.end() && found->second;
    }

private:
    Rights m_rights;
};

} // namespace support
