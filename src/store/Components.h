// Registration of the store's components, one function per file of components.
#pragma once

#include "contracts/Registry.h"
#include "store/Database.h"

#include <memory>

namespace store {

template <class Implementation>
void RegisterOver(const std::shared_ptr<Database>& database)
{
    contracts::Register(Implementation::ClassName,
                        [database] { return std::make_shared<Implementation>(database); });
}

void RegisterCatalog(const std::shared_ptr<Database>& database);
void RegisterPreVendas(const std::shared_ptr<Database>& database);
void RegisterLogin(const std::shared_ptr<Database>& database);
void RegisterSistemaOperacional();

} // namespace store
