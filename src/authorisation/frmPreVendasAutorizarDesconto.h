// The discount-authorisation dialog: a supervisor's name and password, checked by the business
// layer's login component (KELO_N_Login.clsLogin), authorise a discount above the ceiling. The
// dialog keeps, compares and stores no password: it passes on what was typed, trimmed.
//
// How the pre-sale form uses it: create one, call MontarExibirFormulario (modal), read the answer
// and release the dialog; each showing starts anew. The answer is DescontoAutorizado only after
// an administrator's credentials were accepted, DescontoRecusado after anything else: Cancelar,
// closing the window, a refusal, a user who is not an administrator, an error of the login
// component, a status it should never give, or an error in the dialog itself.
#pragma once

#include "platform/Controls.h"
#include "suite_controls/SuiteControls.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace KELO_A_PreVendas {

inline constexpr int16_t DescontoAutorizado = 0;
inline constexpr int16_t DescontoRecusado = 99;

class frmPreVendasAutorizarDesconto : public platform::Form {
public:
    frmPreVendasAutorizarDesconto();
    ~frmPreVendasAutorizarDesconto() override;

    // Shows the dialog modally; DescontoAutorizado or DescontoRecusado once it has closed.
    int16_t MontarExibirFormulario();
    // 0 when both boxes hold text (blanks count), 1 with the message and the focus on the first
    // empty one.
    int16_t ValidarCampos();
    // The administrator whose name and password were accepted (trimmed); empty otherwise.
    const std::string& UsuarioQueAutorizou() const { return mstrUsuarioQueAutorizou; }

    void qvcmdEfetuarDesconto_Click();
    void qvcmdCancelar_Click();

    suite_controls::QVTheme QVTheme{this, "QVTheme"};
    platform::Label lblUsuario{this, "lblUsuario", "Supervisor*"};
    suite_controls::QVTextBox qvtxtUsuario{this, "qvtxtUsuario"};
    platform::Label lblSenha{this, "lblSenha", "Senha*"};
    suite_controls::QVTextBox qvtxtSenha{this, "qvtxtSenha"};
    platform::Label lblObservacaoDeCamposObrigatorios{this, "lblObservacaoDeCamposObrigatorios",
                                                      "* Campos obrigatórios"};
    suite_controls::QVCommandButton qvcmdEfetuarDesconto{this, "qvcmdEfetuarDesconto"};
    suite_controls::QVCommandButton qvcmdCancelar{this, "qvcmdCancelar"};

    // The frame on Windows 8, added while loading; null elsewhere.
    platform::Shape* lshpObj() const { return m_lshpObj.get(); }

private:
    void DesenharControles();
    void Form_Load();
    void Form_Unload();
    std::string Local(std::string_view procedimento) const;

    bool mbooCancelado = false;
    bool mbooAutorizado = false;
    std::string mstrUsuarioQueAutorizou;
    std::unique_ptr<platform::Shape> m_lshpObj;
};

} // namespace KELO_A_PreVendas
