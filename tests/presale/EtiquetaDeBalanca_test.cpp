#include "presale/EtiquetaDeBalanca.h"

#include "platform/Runtime.h"

#include <gtest/gtest.h>

namespace {

using namespace KELO_A_PreVendas;

std::string Texto(const std::optional<platform::Currency>& valor)
{
    return valor ? platform::Format(platform::Variant(*valor), "#,##0.0000") : "-";
}

TEST(EtiquetaDeBalanca, OnlyALeadingTwoMarksALabel)
{
    EXPECT_TRUE(EhEtiquetaDeBalanca("2001234012349"));
    EXPECT_FALSE(EhEtiquetaDeBalanca("7891234567895"));
    EXPECT_FALSE(EhEtiquetaDeBalanca(" 2001234012349")); // counted as typed
    EXPECT_FALSE(EhEtiquetaDeBalanca(""));
}

struct CodigoRow {
    const char* Etiqueta;
    const char* Codigo;
    int32_t Recusa; // 0: read
};

class CodigoDaEtiquetaTest : public testing::TestWithParam<CodigoRow> {};

TEST_P(CodigoDaEtiquetaTest, ReadsPositionsTwoToSeven)
{
    const CodigoRow& row = GetParam();
    const CodigoDaEtiqueta lido = LerCodigoInternoDaEtiqueta(row.Etiqueta);
    EXPECT_EQ(lido.CodigoInterno, row.Codigo);
    EXPECT_EQ(lido.Recusa ? lido.Recusa->Numero : 0, row.Recusa);
}

INSTANTIATE_TEST_SUITE_P(Rows, CodigoDaEtiquetaTest,
                         testing::Values(CodigoRow{"2001234012349", "1234", 0},
                                         CodigoRow{"20012340123491", "1234", 0},
                                         CodigoRow{"2999999000000", "999999", 0},
                                         CodigoRow{"2 1234 012349", "1234", 0},
                                         CodigoRow{"200A234012349", "", 13}, CodigoRow{"2", "", 13},
                                         CodigoRow{"2ção12340123", "", 13}));

struct QuantidadeRow {
    const char* Etiqueta;
    int16_t Formato;
    const char* ValorUnitario;
    const char* Quantidade;
    const char* ValorEmbutido;
    int32_t Recusa;
};

class QuantidadeDaEtiquetaTest : public testing::TestWithParam<QuantidadeRow> {};

TEST_P(QuantidadeDaEtiquetaTest, ReadsTheEmbeddedValueByTheCompanysFormat)
{
    const QuantidadeRow& row = GetParam();
    const QuantidadeDaEtiqueta lido =
        LerQuantidadeDaEtiqueta(row.Etiqueta, row.Formato, row.ValorUnitario);
    EXPECT_EQ(Texto(lido.Quantidade), row.Quantidade);
    EXPECT_EQ(Texto(lido.ValorEmbutido), row.ValorEmbutido);
    EXPECT_EQ(lido.Recusa ? lido.Recusa->Numero : 0, row.Recusa);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, QuantidadeDaEtiquetaTest,
    testing::Values(
        // weight: 99,999 at most
        QuantidadeRow{"2001234012349", 2, "24,68", "1,2340", "1,2340", 0},
        QuantidadeRow{"2001234999999", 2, "0,00", "99,9990", "99,9990", 0},
        // price over the unit value, in double, to four places: 12,34 / 24,68 = 0,5
        QuantidadeRow{"2001234012349", 1, "24,68", "0,5000", "12,3400", 0},
        QuantidadeRow{"2001234010000", 1, "3,00", "3,3333", "10,0000", 0},
        QuantidadeRow{"20012340123491", 1, "24,68", "0,5000", "12,3400", 0},
        // any other format reads nothing: the quantity stays as it was
        QuantidadeRow{"2001234012349", 0, "24,68", "-", "-", 0},
        QuantidadeRow{"2001234012349", 3, "0,00", "-", "-", 0},
        QuantidadeRow{"2001234ABCDE9", 0, "0,00", "-", "-", 0},
        // what does not read is refused with the run-time error the screen reports
        QuantidadeRow{"2001234012349", 1, "0,00", "-", "-", 11},
        QuantidadeRow{"2001234012349", 1, "", "-", "-", 13},
        QuantidadeRow{"2001234012349", 1, "abc", "-", "-", 13},
        QuantidadeRow{"20012340A2349", 1, "24,68", "-", "-", 13},
        QuantidadeRow{"20012340A2349", 2, "24,68", "-", "-", 13},
        QuantidadeRow{"2001234", 2, "24,68", "-", "-", 13}));

} // namespace
