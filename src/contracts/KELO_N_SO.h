// The operating system's name; the screens compare it, upper-cased, with "WINDOWS 8".
#pragma once

#include "platform/Object.h"

#include <string>

namespace KELO_N_SO {

class clsObterVersaoDoSO : public platform::Object {
public:
    static constexpr const char* ClassName = "KELO_N_SO.clsObterVersaoDoSO";

    virtual std::string ObterversaoDoSO() = 0;
};

} // namespace KELO_N_SO
