// The operating-system component: the system's name and release, as uname tells them. It needs
// no store, only a registration beside the store's components.
#include "contracts/KELO_N_SO.h"
#include "store/Components.h"

#include <sys/utsname.h>

namespace store {

namespace {

class VersaoDoSO final : public KELO_N_SO::clsObterVersaoDoSO {
public:
    std::string ObterversaoDoSO() override
    {
        utsname name{};
        if (uname(&name) != 0) {
            return "Linux";
        }
        return std::string(name.sysname) + " " + name.release;
    }
};

} // namespace

void RegisterSistemaOperacional()
{
    contracts::Register<VersaoDoSO>();
}

} // namespace store
