// The find boxes of one group (the client's three, the service's two, the product's three) act as
// one, whichever box the attendant uses:
//   Click, Modo 1  a name box holding fewer than three characters says so and stops; then the
//                  group's own checks; the sibling boxes are emptied, so the lookup runs on the
//                  box's value alone; found: the group moves on; not found: the siblings go back
//                  to Modo 2, empty and enabled, the group clears what its value carried, and the
//                  box keeps the focus;
//   Click, Modo 2  the same reset of the siblings and the group's clearing, the box keeps the
//                  focus;
//   KeyDown        the attendant's key empties the siblings' TextoAuxiliar; the KeyDown that a
//                  write of the form's own causes only lowers gbooIgnorarProximoEvento.
// A group gives its boxes and its Regras: the checks, the lookup, and what found, not found and
// reset do besides the above. The platform lowers the flag when the user's action ends, so one
// raised by a write that caused no KeyDown cannot swallow the attendant's next action.
#pragma once

#include "suite_controls/SuiteControls.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace KELO_A_PreVendas {

// The form writes `texto` into `caixa`: its KeyDown passes without effect. The flag is raised
// only when the text changes, since an unchanged text causes no KeyDown to lower it.
void EscreverNaCaixa(suite_controls::QVFind& caixa, const std::string& texto);

// The code a numeric box holds: 0 when it is blank.
double CodigoDaCaixa(const suite_controls::QVFind& caixa);

class GrupoDeCaixasDePesquisa {
public:
    enum class Resultado {
        Encontrado,
        NaoEncontrado,
        // The lookup ended the action its own way (a weighing-scale label); nothing more is done.
        Concluido,
    };

    // `propria` is always the box whose event it is.
    struct Regras {
        // The group's own checks before a lookup, after the three-character rule; false stops.
        // None: every lookup may run.
        std::function<bool(suite_controls::QVFind& propria)> PodePesquisar;
        // The lookup, on what the boxes hold once the siblings are emptied.
        std::function<Resultado(suite_controls::QVFind& propria)> Pesquisar;
        // After a lookup that found a value (none: nothing more).
        std::function<void(suite_controls::QVFind& propria)> AoEncontrar;
        // What the group's value carried, cleared after a failed lookup and on a reset.
        std::function<void()> Limpar;
        // The last steps after a failed lookup and after a reset (none: nothing more).
        std::function<void(suite_controls::QVFind& propria)> AoNaoEncontrar;
        std::function<void(suite_controls::QVFind& propria)> AoDescartar;
    };

    GrupoDeCaixasDePesquisa(std::vector<suite_controls::QVFind*> caixas, Regras regras);

    // The Click of a box of the group; `ponto` is the handler's checkpoint.
    void Click(suite_controls::QVFind& propria, int16_t& ponto);
    void KeyDown(suite_controls::QVFind& propria);

    // The group's boxes other than `propria`, in the group's order.
    std::vector<suite_controls::QVFind*> Outras(const suite_controls::QVFind& propria) const;

private:
    void VoltarASemValor(suite_controls::QVFind& propria);

    std::vector<suite_controls::QVFind*> m_caixas;
    Regras m_regras;
};

} // namespace KELO_A_PreVendas
