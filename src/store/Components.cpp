// The one registration both hosts call: every business component over one store.
#include "store/Components.h"
#include "store/Store.h"

namespace store {

void RegisterComponents(std::shared_ptr<Database> database)
{
    RegisterCatalog(database);
    RegisterPreVendas(database);
    RegisterLogin(database);
    RegisterSistemaOperacional();
}

} // namespace store
