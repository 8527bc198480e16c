// The suite's error-message window: shows one error report and returns.
#pragma once

#include "platform/Object.h"
#include "platform/Variant.h"

#include <string>

namespace KELO_A_MsgErro {

class clsMensagem : public platform::Object {
public:
    static constexpr const char* ClassName = "KELO_A_MsgErro.clsMensagem";

    // Shows the error `numero` (a whole number), its description and its location text under
    // the application's name; returns once the report was shown. Nothing is answered.
    virtual void Exibir(const platform::Variant& numero, const platform::Variant& descricao,
                        const platform::Variant& local, std::string& nomeDaAplicacao) = 0;
};

} // namespace KELO_A_MsgErro
