#include "screen_services/modPausar.h"

#include "platform/Host.h"
#include "platform/Runtime.h"

namespace KELO_A_PreVendas {

namespace {

constexpr double SegundosPorDia = 86400.0;

double SegundosDesde(double inicio)
{
    double decorridos = platform::Timer() - inicio;
    // Past midnight the time of day starts again from 0.
    if (decorridos < 0)
        decorridos += SegundosPorDia;
    return decorridos;
}

} // namespace

void Pausar(const platform::Variant& segundos)
{
    const double ldblSegundos = platform::CDbl(segundos);
    const double ldblInicio = platform::Timer();
    while (SegundosDesde(ldblInicio) < ldblSegundos)
        platform::DoEvents();
}

} // namespace KELO_A_PreVendas
