#include "presale/EtiquetaDeBalanca.h"

#include "platform/Runtime.h"

#include <gtest/gtest.h>

namespace {

using namespace KELO_A_PreVendas;

std::string Texto(const std::optional<platform::Currency>& valor)
{
    return valor ? platform::Format(platform::Variant(*valor), "#,##0.0000") : "-";
}

TEST(EtiquetaDeBalanca, OnlyALeadingTwoMarksALabelWhoseCodeIsInPositionsTwoToSeven)
{
    EXPECT_TRUE(EhEtiquetaDeBalanca("2001234012349"));
    EXPECT_FALSE(EhEtiquetaDeBalanca("7891234567895"));
    EXPECT_FALSE(EhEtiquetaDeBalanca(" 2001234012349")); // counted as typed
    EXPECT_FALSE(EhEtiquetaDeBalanca(""));
    struct Row {
        const char *etiqueta, *codigo;
        int32_t recusa; // 0: read
    };
    for (const Row& row :
         {Row{"2001234012349", "1234", 0}, Row{"20012340123491", "1234", 0},
          Row{"2999999000000", "999999", 0}, Row{"2 1234 012349", "1234", 0},
          Row{"200A234012349", "", 13}, Row{"2", "", 13}, Row{"2ção12340123", "", 13}}) {
        const CodigoDaEtiqueta lido = LerCodigoInternoDaEtiqueta(row.etiqueta);
        EXPECT_EQ(lido.CodigoInterno, row.codigo) << row.etiqueta;
        EXPECT_EQ(lido.Recusa ? lido.Recusa->Numero : 0, row.recusa) << row.etiqueta;
    }
}

TEST(EtiquetaDeBalanca, ReadsTheEmbeddedValueByTheCompanysFormat)
{
    struct Row {
        const char* etiqueta;
        int16_t formato;
        const char *valorUnitario, *quantidade, *valorEmbutido;
        int32_t recusa;
    };
    const Row rows[] = {
        // weight: 99,999 at most
        {"2001234012349", 2, "24,68", "1,2340", "1,2340", 0},
        {"2001234999999", 2, "0,00", "99,9990", "99,9990", 0},
        // price over the unit value, in double, to four places: 12,34 / 24,68 = 0,5
        {"2001234012349", 1, "24,68", "0,5000", "12,3400", 0},
        {"2001234010000", 1, "3,00", "3,3333", "10,0000", 0},
        {"20012340123491", 1, "24,68", "0,5000", "12,3400", 0},
        // any other format reads nothing: the quantity stays as it was
        {"2001234012349", 0, "24,68", "-", "-", 0},
        {"2001234012349", 3, "0,00", "-", "-", 0},
        {"2001234ABCDE9", 0, "0,00", "-", "-", 0},
        // what does not read is refused with the run-time error the screen reports
        {"2001234012349", 1, "0,00", "-", "-", 11},
        {"2001234012349", 1, "", "-", "-", 13},
        {"2001234012349", 1, "abc", "-", "-", 13},
        {"20012340A2349", 1, "24,68", "-", "-", 13},
        {"20012340A2349", 2, "24,68", "-", "-", 13},
        {"2001234", 2, "24,68", "-", "-", 13},
    };
    for (const Row& row : rows) {
        const QuantidadeDaEtiqueta lido =
            LerQuantidadeDaEtiqueta(row.etiqueta, row.formato, row.valorUnitario);
        SCOPED_TRACE(testing::Message()
                     << row.etiqueta << " " << row.formato << " " << row.valorUnitario);
        EXPECT_EQ(Texto(lido.Quantidade), row.quantidade);
        EXPECT_EQ(Texto(lido.ValorEmbutido), row.valorEmbutido);
        EXPECT_EQ(lido.Recusa ? lido.Recusa->Numero : 0, row.recusa);
    }
}

} // namespace
