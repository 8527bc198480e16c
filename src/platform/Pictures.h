// The names of the pictures the forms show. The forms name them and each host draws them, so
// the component ships no image files; a host that meets a name outside this list says so.
#pragma once

namespace platform::pictures {

// The "Aguarde, processando..." panel of the pre-sale screen and of the search dialogs.
inline constexpr char MensagemDeEspera[] = "MensagemDeEspera";
inline constexpr char MensagemDePesquisa[] = "MensagemDePesquisa";
// The sort arrows of a grid's header.
inline constexpr char ClassificacaoCrescente[] = "Classificacao_Crescente";
inline constexpr char ClassificacaoDecrescente[] = "Classificacao_Decrescente";

} // namespace platform::pictures
