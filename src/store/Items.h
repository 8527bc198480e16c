// The stored pre-sale items (lançamentos): services in ServicosEfetuados, products in
// ProdutosReservados, numbered from one shared sequence. Storing a product adds its quantity to
// the product's reserved quantity and deleting it takes the stored quantity back, in the same
// transaction, so the two never drift apart.
#pragma once

#include "platform/Variant.h"
#include "store/Database.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace store {

enum ItemKind : int64_t { kService = 1, kProduct = 2 };

// Money, percentages and quantities are Currency raw values; discounts are positive.
struct ItemRecord {
    int64_t kind = 0;
    int64_t client = 0;
    std::string date;
    std::optional<int64_t> serviceType;
    std::optional<int64_t> service;
    std::optional<int64_t> animal;
    std::optional<int64_t> product;
    std::optional<int64_t> employee;
    int64_t quantity = 0;
    int64_t unitValue = 0;
    int64_t total = 0;
    int64_t discountPercent = 0;
    int64_t discountValue = 0;
    int64_t net = 0;
    int64_t cost = 0;
    bool commissioned = false;
    int64_t commissionPercent = 0;
    int64_t commissionValue = 0;
    std::string saleType = "2";
    int64_t saleNumber = 0;
    std::optional<int64_t> clinicalRecord;
};

// One item as its caller hands it over, field by field, by the names of the item record
// (KELO_N_PreVendas::CamposDoLancamento): the screen's record or a row of an import. A field the
// caller did not give is Empty.
using ItemFields = std::function<platform::Variant(std::string_view field)>;

// The record of what was handed over: every value converted (a Refusal names the field that does
// not convert), only the fields of the item's kind read, a code 0 taken as none, the employee's
// commission flag set by whether there is one, and ValorTotal and ValorLiquido worked out from
// the quantity, the unit value and the discount; when the caller gave them, they must agree.
ItemRecord ReadItem(const ItemFields& fields);

// Checks the record and what it refers to (Refusal with the reason), then stores it inside the
// caller's Transaction and returns its lançamento number.
int32_t StoreItem(Database& database, const ItemRecord& item);

struct StoredItem {
    int64_t kind = 0;
    std::optional<int64_t> product;
    int64_t quantity = 0;
    int64_t saleNumber = 0;
};

// The item stored under `number`, if any.
std::optional<StoredItem> FindItem(Database& database, int64_t number);

// Deletes the item inside the caller's Transaction, taking its stored quantity back from the
// product's reservation.
void DeleteItem(Database& database, int64_t number, const StoredItem& item);

} // namespace store
